// Export of a catch table of 100,000 rows x 38 fields, all cells filled as
// the program writes them, to .xlsx and to .csv. The goal for the workbook
// is under 2 s.
//
// The folder is TMPDIR (or the system's temporary folder).

#include <benchmark/benchmark.h>

#include "../tests/storage/TMlb2SampleCatches.h"
#include "base/AtomicFile.h"
#include "exporting/TableExport.h"
#include "storage/TMlbc.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr int kRows = 100000;

std::filesystem::path MakeFolder() {
    auto folder =
        std::filesystem::temp_directory_path() / ("zv-export-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

// Made before and removed after every benchmark.
const std::filesystem::path kFolder = MakeFolder();
struct Cleanup {
    ~Cleanup() {
        std::error_code ec;
        std::filesystem::remove_all(kFolder, ec);
    }
} cleanup;

const zv::TMlbc& Catches() {
    static const auto table = [] {
        const std::filesystem::path file = kFolder / "Fang.f";
        std::string error;
        if (!zv::WriteFileAtomic(file, zv::tabletest::SampleCatchFile(kRows), error)) {
            throw std::runtime_error(error);
        }
        auto db = std::make_unique<zv::TMlbc>();
        db->SetCSVSeparator(";");
        if (!db->LoadFromFile(zv::PathToUtf8(file)) || db->RowCount() != kRows) {
            throw std::runtime_error("cannot load the sample catches");
        }
        return db;
    }();
    return *table;
}

void Export(benchmark::State& state, const char* name) {
    const zv::TMlbc& table = Catches();
    zv::ExportRequest request;
    request.file = kFolder / name;
    request.format = *zv::ExportFormatOf(request.file);
    for (auto _ : state) {
        const zv::ExportResult result = zv::ExportTable(table, request);
        if (!result.ok) {
            state.SkipWithError(result.problem.c_str());
            return;
        }
    }
    state.counters["rows"] = kRows;
    state.counters["MB"] = double(std::filesystem::file_size(request.file)) / 1e6;
}

void BM_ExportXlsx(benchmark::State& state) {
    Export(state, "faenge.xlsx");
}
void BM_ExportCsv(benchmark::State& state) {
    Export(state, "faenge.csv");
}

BENCHMARK(BM_ExportXlsx)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
