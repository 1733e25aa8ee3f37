// A backup of a program folder of 300 MB of pictures (300 files of 1 MiB
// that deflate cannot shrink, as JPEG pictures), once without listening and
// once with the progress the command line shows on a terminal and a cancel
// flag, to measure what the progress reporting costs. The goal: under 2 %.
//
// Run the two alternately so that a change in the machine's load hits both:
//   zv_backup_bench --benchmark_enable_random_interleaving=true
// ZV_BACKUP_BENCH_MB sets another size. The folder is TMPDIR (or the
// system's temporary folder).

#include <benchmark/benchmark.h>

#include "backup/Backup.h"
#include "cli/ProgressLine.h"
#include "storage/Workspace.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

int Megabytes() {
    const char* size = std::getenv("ZV_BACKUP_BENCH_MB");
    return size != nullptr ? std::atoi(size) : 300;
}

std::filesystem::path MakeFolder() {
    auto folder =
        std::filesystem::temp_directory_path() / ("zv-backup-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "program" / "img");
    std::mt19937_64 random(1);
    std::string bytes(1 << 20, '\0');
    for (int i = 0; i < Megabytes(); ++i) {
        for (std::size_t at = 0; at < bytes.size(); at += 8) {
            const std::uint64_t word = random();
            std::memcpy(bytes.data() + at, &word, 8);
        }
        std::ofstream(folder / "program" / "img" / ("bild" + std::to_string(i) + ".jpg"),
                      std::ios::binary)
            .write(bytes.data(), std::streamsize(bytes.size()));
    }
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

// The command line's listener (the window's does less: it makes its text
// only when the file changes) and a cancel flag that is never set.
struct Listening {
    std::ostringstream terminal;
    zv::cli::ProgressLine line{terminal, ""};
    std::atomic<bool> cancel{false};
    std::size_t heard = 0;

    Listening() { zv::cli::SetProgressShown(true); }
    zv::ArchiveProgress Progress() {
        return {[this](const zv::ArchiveState& s) {
                    ++heard;
                    line.Step(zv::ArchiveStateText(s) + " (" + std::to_string(s.Permille() / 10) +
                              " %)");
                },
                &cancel};
    }
};

void BM_Backup(benchmark::State& state) {
    zv::Workspace workspace(kFolder / "program");
    Listening listening;
    const zv::ArchiveProgress progress =
        state.range(0) != 0 ? listening.Progress() : zv::ArchiveProgress{};
    for (auto _ : state) {
        const zv::BackupResult result =
            zv::CreateBackup(workspace, kFolder / "backup.zip", progress);
        if (!result.ok) {
            state.SkipWithError(result.problem.c_str());
            return;
        }
    }
    state.counters["MB"] = Megabytes();
    state.counters["calls"] = double(listening.heard) / double(state.iterations());
}

// One call as the engine makes it, a piece of 8 KiB further each time: the
// calls of a backup times this is what listening costs it, a figure the
// machine's load disturbs far less than the difference of two backups.
void BM_ProgressCall(benchmark::State& state) {
    Listening listening;
    const zv::ArchiveProgress progress = listening.Progress();
    zv::ArchiveState s{zv::ArchivePhase::Writing, 0, 300, 0, std::uint64_t(300) << 20};
    for (auto _ : state) {
        s.bytesDone = (s.bytesDone + 8192) % s.byteTotal;
        s.filesDone = std::size_t(s.bytesDone >> 20);
        progress.Tell(s);
        benchmark::DoNotOptimize(progress.Cancelled());
    }
}
BENCHMARK(BM_ProgressCall);

BENCHMARK(BM_Backup)
    ->ArgName("progress")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(5);

} // namespace
