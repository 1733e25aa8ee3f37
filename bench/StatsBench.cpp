// The statistics over a large catch table: 100,000 catches, value lists of
// 50 entries each.

#include "statistics/CatchRecommendation.h"
#include "statistics/CatchStatistics.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCatches = 100000;
constexpr int kListSize = 50;

std::vector<std::string> NumberedList(const std::string& stem) {
    std::vector<std::string> lines;
    for (int i = 1; i <= kListSize; ++i) {
        lines.push_back(stem + " " + std::to_string(i));
    }
    return lines;
}

// One program folder and catch table shared by all benchmarks.
struct Sample {
    std::filesystem::path folder;
    zv::TMlbc db;

    Sample() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zv-statsbench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        folder = pattern;
        const char* lists[][2] = {{"Fischarten", "Fisch"},  {"Koeder", "Köder"},
                                  {"Koederfarbe", "Farbe"}, {"Koederlaenge", "Länge"},
                                  {"Wetter", "Wetter"},     {"Gewaesser", "See"},
                                  {"Windstaerke", "Wind"},  {"Windrichtung", "Richtung"},
                                  {"Wasserstand", "Stand"}, {"Wassertruebung", "Trübung"}};
        std::string error;
        for (const auto& list : lists) {
            if (!zv::WriteValueList(folder, list[0], NumberedList(list[1]), error)) {
                std::fprintf(stderr, "%s\n", error.c_str());
                std::exit(1);
            }
        }

        for (const char* field :
             {"Fangdatum",       "Fangzeit",     "Faenger",     "Fischart",     "Laenge",
              "Gewicht",         "Koeder",       "KoederFarbe", "KoederLaenge", "Koedertyp",
              "Koederverhalten", "Gewaesser",    "Wetter",      "Lufttemp",     "Wassertemp",
              "Luftdruck",       "Windrichtung", "Windstaerke", "Wasserstand",  "Wassertruebung",
              "Mondphase"}) {
            db.AddField(field);
        }
        std::mt19937 random(20070602);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        // A few values off the list or in other case, as real data has them.
        auto entry = [&](const std::string& stem) {
            const int i = pick(kListSize + 5) + 1;
            std::string text = stem + " " + std::to_string(i);
            if (pick(10) == 0) {
                text[0] = static_cast<char>(text[0] | 0x20);
            }
            return text;
        };
        const char* phases[] = {"Neumond", "Zunehmender Mond", "Vollmond", "Abnehmender Mond"};
        const char* behaviours[] = {"schwimmend", "sinkend", "schwebend", ""};
        const char* catchers[] = {"Max", "Eva", "Jörg"};
        char buffer[32];
        for (int row = 0; row < kCatches; ++row) {
            db.AppendRow();
            std::snprintf(buffer, sizeof buffer, "%02d.%02d.%d", pick(28) + 1, pick(12) + 1,
                          2000 + pick(10));
            db.SetData("Fangdatum", buffer);
            std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", pick(24), pick(60), pick(60));
            db.SetData("Fangzeit", buffer);
            db.SetData("Faenger", catchers[pick(3)]);
            db.SetData("Fischart", entry("Fisch"));
            db.SetData("Laenge", pick(4) == 0 ? "" : std::to_string(20 + pick(80)) + ",5");
            db.SetData("Gewicht", pick(4) == 0 ? "" : std::to_string(100 + pick(9000)));
            db.SetData("Koeder", entry("Köder"));
            db.SetData("KoederFarbe", entry("Farbe"));
            db.SetData("KoederLaenge", entry("Länge"));
            db.SetData("Koedertyp", "Typ " + std::to_string(pick(8)));
            db.SetData("Koederverhalten", behaviours[pick(4)]);
            db.SetData("Gewaesser", entry("See"));
            db.SetData("Wetter", entry("Wetter"));
            db.SetData("Lufttemp", std::to_string(pick(45) - 10));
            db.SetData("Wassertemp",
                       pick(5) == 0 ? std::to_string(pick(25)) + ",5" : std::to_string(pick(28)));
            db.SetData("Luftdruck", std::to_string(970 + pick(70)));
            db.SetData("Windrichtung", entry("Richtung"));
            db.SetData("Windstaerke", entry("Wind"));
            db.SetData("Wasserstand", entry("Stand"));
            db.SetData("Wassertruebung", entry("Trübung"));
            db.SetData("Mondphase", phases[pick(4)]);
        }
        // The program holds the catch table as loaded from its file.
        const std::string file = (folder / "Fang.f").string();
        if (!db.SaveToFile(file) || !db.LoadFromFile(file)) {
            std::fprintf(stderr, "%s\n", db.LastFailure().c_str());
            std::exit(1);
        }
    }

    ~Sample() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Sample& TheSample() {
    static Sample sample;
    return sample;
}

void BM_SpeciesStatistics(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::SpeciesStatistics(s.db, s.folder, "", 0, ""));
    }
}

void BM_SpeciesStatisticsFiltered(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::SpeciesStatistics(s.db, s.folder, "Max", 2005, "Fisch 7"));
    }
}

// The first computation after the table changed (a catch was stored), which
// also has to index the fields it reads again.
void BM_SpeciesStatisticsAfterChange(benchmark::State& state) {
    Sample& s = TheSample();
    s.db.GoToRow(1);
    const std::string phase = s.db.GetData("Mondphase");
    for (auto _ : state) {
        s.db.SetData("Mondphase", phase);
        benchmark::DoNotOptimize(zv::SpeciesStatistics(s.db, s.folder, "", 0, ""));
    }
}

void BM_BaitStatistics(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::BaitStatistics(s.db, s.folder, "", 0, "", ""));
    }
}

void BM_WeatherStatistics(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::WeatherStatistics(s.db, s.folder, "", 0, ""));
    }
}

void BM_CatchRecommendation(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::CatchRecommendation(s.db, s.folder));
    }
}

BENCHMARK(BM_SpeciesStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeciesStatisticsFiltered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeciesStatisticsAfterChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaitStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WeatherStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatchRecommendation)->Unit(benchmark::kMillisecond);

} // namespace
