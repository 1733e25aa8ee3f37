// Load and save of a catch table of 100,000 rows x 38 fields against a raw
// read and a raw write of the same bytes, and the heap peak of a load.
//
// The folder is TMPDIR (or the system's temporary folder). Saves are atomic
// and synced, so the raw write is measured both plain and synced the same
// way (temporary file, fsync, rename, folder fsync).

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <new>
#include <string>
#include <unistd.h>

#include "../tests/storage/TMlb2SampleCatches.h"
#include "base/AtomicFile.h"
#include "storage/TMlb2.h"

// Counting allocator: the heap bytes in use and their peak.
namespace {
std::atomic<long long> gHeapNow{0};
std::atomic<long long> gHeapPeak{0};

[[gnu::noinline]] void* Count(void* p) {
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    const long long now = gHeapNow.fetch_add(static_cast<long long>(malloc_usable_size(p))) +
                          static_cast<long long>(malloc_usable_size(p));
    long long peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

[[gnu::noinline]] void Uncount(void* p) {
    if (p != nullptr) {
        gHeapNow.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
        std::free(p);
    }
}
} // namespace

void* operator new(std::size_t n) {
    return Count(std::malloc(n == 0 ? 1 : n));
}
void* operator new[](std::size_t n) {
    return Count(std::malloc(n == 0 ? 1 : n));
}
void operator delete(void* p) noexcept {
    Uncount(p);
}
void operator delete[](void* p) noexcept {
    Uncount(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Uncount(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Uncount(p);
}

namespace {

constexpr int kRows = 100000;

std::filesystem::path Folder() {
    static const std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("zv-table-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

// The catch file, written once.
const std::string& CatchFile() {
    static const std::string path = [] {
        const std::string p = (Folder() / "Datenbank.f").string();
        std::string error;
        zv::WriteFileAtomic(p, zv::tabletest::SampleCatchFile(kRows), error);
        return p;
    }();
    return path;
}

std::size_t FileSize() {
    return std::filesystem::file_size(CatchFile());
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FileSize()));
    state.counters["file_MB"] = static_cast<double>(FileSize()) / 1e6;
}

void BM_RawRead(benchmark::State& state) {
    const std::size_t size = FileSize();
    std::unique_ptr<char[]> buffer(new char[size]);
    for (auto _ : state) {
        const int fd = ::open(CatchFile().c_str(), O_RDONLY);
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, buffer.get() + got, size - got);
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
        if (got != size) {
            state.SkipWithError("short read");
        }
    }
    SetBytes(state);
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

// The same into a fresh buffer each time, as reading a file into memory
// does (the load has to allocate its table as well).
void BM_RawReadFresh(benchmark::State& state) {
    const std::size_t size = FileSize();
    for (auto _ : state) {
        std::unique_ptr<char[]> buffer(new char[size]);
        const int fd = ::open(CatchFile().c_str(), O_RDONLY);
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, buffer.get() + got, size - got);
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
        if (got != size) {
            state.SkipWithError("short read");
        }
    }
    SetBytes(state);
}
BENCHMARK(BM_RawReadFresh)->Unit(benchmark::kMillisecond);

void BM_LoadCsv(benchmark::State& state) {
    long long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<zv::TMlb2>();
        const long long before = gHeapNow.load();
        gHeapPeak.store(before);
        state.ResumeTiming();
        if (!table->LoadFromFile(CatchFile()) || table->RowCount() != kRows) {
            state.SkipWithError("load failed");
        }
        state.PauseTiming();
        peak = gHeapPeak.load() - before;
        state.counters["table_MB"] = static_cast<double>(gHeapNow.load() - before) / 1e6;
        table.reset();
        state.ResumeTiming();
    }
    SetBytes(state);
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["peak_per_file"] = static_cast<double>(peak) / static_cast<double>(FileSize());
}
BENCHMARK(BM_LoadCsv)->Unit(benchmark::kMillisecond);

// Write the bytes plainly: open, write, close.
void BM_RawWrite(benchmark::State& state) {
    std::string bytes;
    std::string error;
    zv::ReadFileBytes(CatchFile(), bytes, error);
    const std::string target = (Folder() / "raw.f").string();
    for (auto _ : state) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        ::close(fd);
        if (n != static_cast<ssize_t>(bytes.size())) {
            state.SkipWithError("short write");
        }
    }
    SetBytes(state);
}
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);

// Write the bytes as durably as a save does: temporary file, sync, rename.
void BM_RawWriteSynced(benchmark::State& state) {
    std::string bytes;
    std::string error;
    zv::ReadFileBytes(CatchFile(), bytes, error);
    const std::string target = (Folder() / "raw-synced.f").string();
    for (auto _ : state) {
        if (!zv::WriteFileAtomic(target, bytes, error)) {
            state.SkipWithError("write failed");
        }
    }
    SetBytes(state);
}
BENCHMARK(BM_RawWriteSynced)->Unit(benchmark::kMillisecond);

void BM_SaveCsv(benchmark::State& state) {
    zv::TMlb2 table;
    table.LoadFromFile(CatchFile());
    const std::string target = (Folder() / "saved.f").string();
    for (auto _ : state) {
        if (!table.SaveToFile(target)) {
            state.SkipWithError("save failed");
        }
    }
    SetBytes(state);
    state.counters["same_bytes"] = std::filesystem::file_size(target) == FileSize() ? 1.0 : 0.0;
}
BENCHMARK(BM_SaveCsv)->Unit(benchmark::kMillisecond);

} // namespace
