// The catch entry window computes a day whenever its date moves to another
// day; the day command and any rebuild walk whole years of days.

#include "base/DateTime.h"
#include "calendar/Astronomy.h"
#include "calendar/TSRCalendar.h"

#include <benchmark/benchmark.h>

namespace {

// One day from scratch: three daily minima of the illuminated fraction and
// the four rise and set times.
void BM_OneDay(benchmark::State& state) {
    const zv::TDateTime first = zv::EncodeDate(2019, 1, 1);
    int offset = 0;
    for (auto _ : state) {
        zv::TSRCalendar calendar(first + offset);
        benchmark::DoNotOptimize(calendar.Sunrise());
        offset = (offset + 37) % 3650;
    }
}
BENCHMARK(BM_OneDay)->Unit(benchmark::kMicrosecond);

// Every day of a year in order through SetDay, as the day command does.
void BM_WholeYear(benchmark::State& state) {
    const zv::TDateTime first = zv::EncodeDate(2019, 1, 1);
    for (auto _ : state) {
        zv::TSRCalendar calendar(first);
        for (int day = 1; day < 365; ++day) {
            calendar.SetDay(first + day);
        }
        benchmark::DoNotOptimize(calendar.Moonset());
    }
}
BENCHMARK(BM_WholeYear)->Unit(benchmark::kMillisecond);

// The building blocks, for seeing where a day's time goes.
void BM_IlluminatedFraction(benchmark::State& state) {
    long double value = zv::EncodeDate(2019, 8, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::IlluminatedFraction(value));
        value += 1.0L / 24;
    }
}
BENCHMARK(BM_IlluminatedFraction);

void BM_MoonRise(benchmark::State& state) {
    long double value = zv::EncodeDate(2019, 8, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            zv::RiseSetTime(zv::Body::Moon, zv::RiseSetEvent::Rise, -7.5L, 51.6L, value));
        value += 1;
    }
}
BENCHMARK(BM_MoonRise);

} // namespace
