// The online statistics service: how fast uploads are stored, and how fast
// the pages come at 1,000,000 stored catches, on SQLite and (when
// ZV_BENCH_POSTGRES_URI names a server) on PostgreSQL.
//
//   build-dev/bench/zv_onlinestats_bench
//   ZV_BENCH_POSTGRES_URI='postgresql:///postgres?host=/tmp/pg'
//   build-dev/bench/zv_onlinestats_bench
//
// The SQLite files and PostgreSQL schemas are made for the run and removed
// at its end.

#include "onlinestats/OnlineStatistics.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Backend = zv::DatabaseLocation::Backend;

constexpr int kUploadLines = 1000;
constexpr int kStoredCatches = 1000000;

// Catches as anglers send them: each upload is one angler's catch log of
// 1,000 catches, from the few species, baits, colours and waters that
// angler fishes with; across 1,000 anglers that gives 40 species, 500
// baits and 3,000 waters. Catch `number` is always the same catch, of
// angler number / 1,000.
std::string CatchLine(long long number) {
    std::mt19937_64 angler(static_cast<std::uint64_t>(number / 1000) + 1);
    const auto own = [&angler](const std::string& stem, int community, int personal) {
        std::vector<std::string> names;
        for (int i = 0; i < personal; ++i) {
            names.push_back(stem + " " + std::to_string(angler() % community));
        }
        return names;
    };
    const auto species = own("Fischart", 40, 6);
    const auto baits = own("Köder", 500, 25);
    const auto colours = own("Farbe", 30, 10);
    const auto waters = own("Gewässer", 3000, 6);
    const auto methods = own("Methode", 20, 4);
    std::mt19937_64 random(static_cast<std::uint64_t>(number));
    const auto pick = [&random](const std::vector<std::string>& names) {
        return names[random() % names.size()];
    };
    const auto number0 = [&random](int count) { return std::to_string(random() % count); };
    const std::string fields[23] = {
        "20" + std::to_string(10 + random() % 15) + "-" + std::to_string(1 + random() % 12) + "-" +
            std::to_string(1 + random() % 28),
        std::to_string(random() % 24) + ":" + std::to_string(10 + random() % 50) + ":00",
        pick(species),
        std::to_string(20 + random() % 80) + "," + number0(10),
        std::to_string(100 + random() % 9000),
        pick(methods),
        pick(baits),
        pick(colours),
        number0(20),
        "Typ " + number0(8),
        "Wetter " + number0(12),
        number0(30),
        number0(25),
        std::to_string(980 + random() % 50),
        "NW",
        "Brise",
        "normal",
        "klar",
        random() % 2 == 0 ? "Vollmond" : "Neumond",
        std::to_string(number), // keeps every catch distinct
        "",
        pick(waters),
        ""};
    std::string line;
    for (int i = 0; i < 23; ++i) {
        line += (i == 0 ? "" : ";") + fields[i];
    }
    return line + "\r\n";
}

std::string UploadOf(long long first, int lines) {
    std::string file;
    for (long long number = first; number < first + lines; ++number) {
        file += CatchLine(number);
    }
    return file;
}

// A database made for the run: a file in a temporary folder, or a schema.
class BenchDatabase {
public:
    explicit BenchDatabase(Backend backend) {
        if (backend == Backend::Sqlite) {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "zv-osbench-XXXXXX").string();
            folder_ = mkdtemp(pattern.data());
            location_.target = (folder_ / "bench.sqlite").string();
            return;
        }
        const char* uri = std::getenv("ZV_BENCH_POSTGRES_URI");
        if (uri == nullptr) {
            return;
        }
        admin_ = uri;
        schema_ = "zvbench_" + std::to_string(getpid()) + "_" + std::to_string(++count_);
        zv::DatabaseLocation{Backend::Postgres, admin_}.Connect(10000)->Execute("CREATE SCHEMA " +
                                                                                schema_);
        location_ = {Backend::Postgres, admin_ +
                                            (admin_.find('?') == std::string::npos ? "?" : "&") +
                                            "options=--search_path%3D" + schema_};
    }
    ~BenchDatabase() {
        if (!schema_.empty()) {
            zv::DatabaseLocation{Backend::Postgres, admin_}.Connect(10000)->Execute(
                "DROP SCHEMA " + schema_ + " CASCADE");
        }
        if (!folder_.empty()) {
            std::filesystem::remove_all(folder_);
        }
    }
    bool Ready() const { return location_.backend == Backend::Sqlite || !schema_.empty(); }
    std::unique_ptr<zv::OnlineStatistics> Service() const {
        return std::make_unique<zv::OnlineStatistics>(
            zv::OnlineStatistics::Settings{location_, 30000, {}});
    }

private:
    static inline int count_ = 0;
    zv::DatabaseLocation location_;
    std::filesystem::path folder_;
    std::string admin_;
    std::string schema_;
};

// Uploads of 1,000 catches each into a growing database: all new (an
// angler's first upload: parsing, the unique key, the tallies, the commit)
// when `state.range(1)` is 0; all stored before (an upload again, the
// common case, since the client always sends every catch) when it is 1.
void BM_Ingest(benchmark::State& state) {
    BenchDatabase database(static_cast<Backend>(state.range(0)));
    if (!database.Ready()) {
        state.SkipWithError("ZV_BENCH_POSTGRES_URI is not set");
        return;
    }
    const bool again = state.range(1) == 1;
    const auto service = database.Service();
    constexpr long long kStoredBefore = 100000;
    if (again) {
        for (long long first = 0; first < kStoredBefore; first += 10000) {
            service->Upload(UploadOf(first, 10000));
        }
    }
    long long next = again ? 0 : kStoredBefore;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string file = UploadOf(next, kUploadLines);
        next = again ? (next + kUploadLines) % kStoredBefore : next + kUploadLines;
        state.ResumeTiming();
        if (service->Upload(file).storedLines != (again ? 0 : kUploadLines)) {
            state.SkipWithError("upload not stored as expected");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kUploadLines);
}

// One database of 1,000,000 catches per backend, filled once.
struct Filled {
    std::unique_ptr<BenchDatabase> database;
    std::unique_ptr<zv::OnlineStatistics> service;
    long long next = kStoredCatches;
};

Filled* FilledDatabase(Backend backend) {
    static std::map<Backend, Filled> filled;
    Filled& entry = filled[backend];
    if (!entry.database) {
        entry.database = std::make_unique<BenchDatabase>(backend);
        if (!entry.database->Ready()) {
            return nullptr;
        }
        entry.service = entry.database->Service();
        for (long long first = 0; first < kStoredCatches; first += 10000) {
            entry.service->Upload(UploadOf(first, 10000));
        }
    }
    return entry.database->Ready() ? &entry : nullptr;
}

// A page of the 1,000,000 catches: right after an upload changed the
// figures, so it is read afresh (`afterUpload`), or from what the service
// keeps until the next upload.
template <typename Page> void MeasurePage(benchmark::State& state, bool afterUpload, Page page) {
    Filled* filled = FilledDatabase(static_cast<Backend>(state.range(0)));
    if (filled == nullptr) {
        state.SkipWithError("ZV_BENCH_POSTGRES_URI is not set");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        if (afterUpload) {
            state.PauseTiming();
            filled->service->Upload(UploadOf(filled->next++, 1));
            state.ResumeTiming();
        }
        bytes = page(*filled->service).body.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_OverviewPageAtOneMillion(benchmark::State& state) {
    MeasurePage(state, state.range(1) == 0,
                [](zv::OnlineStatistics& service) { return service.OverviewPage(); });
}

void BM_SummaryJsonAtOneMillion(benchmark::State& state) {
    MeasurePage(state, true, [](zv::OnlineStatistics& service) { return service.Summary(); });
}

// The species with the most catches.
void BM_SpeciesPageAtOneMillion(benchmark::State& state) {
    std::string largest;
    MeasurePage(state, true, [&largest](zv::OnlineStatistics& service) {
        if (largest.empty()) {
            largest = service.Figures(std::nullopt)->speciesList.at(0).name;
        }
        return service.SpeciesPage(largest);
    });
}

constexpr int kSqlite = static_cast<int>(Backend::Sqlite);
constexpr int kPostgres = static_cast<int>(Backend::Postgres);

} // namespace

BENCHMARK(BM_Ingest)
    ->ArgsProduct({{kSqlite, kPostgres}, {0, 1}})
    ->ArgNames({"postgres", "again"})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3)
    ->UseRealTime(); // PostgreSQL's share of the work runs in its own processes
BENCHMARK(BM_OverviewPageAtOneMillion)
    ->ArgsProduct({{kSqlite, kPostgres}, {0, 1}})
    ->ArgNames({"postgres", "cached"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SummaryJsonAtOneMillion)
    ->Arg(kSqlite)
    ->Arg(kPostgres)
    ->ArgNames({"postgres"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SpeciesPageAtOneMillion)
    ->Arg(kSqlite)
    ->Arg(kPostgres)
    ->ArgNames({"postgres"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
