// Runs the reader fuzz target without libFuzzer: a fixed-seed stream of
// pseudo-random inputs and mutations of valid CSV, MLB and TXT files, a
// bounded number of iterations, so the test suite can run it every time.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "storage/TMlb2.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Valid files of each format, written by the engine itself.
std::vector<std::string> Seeds() {
    const auto folder =
        std::filesystem::temp_directory_path() / ("zv-fuzz-seeds-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    zv::TMlb2 t;
    t.AddField("Datum");
    t.AddField("Fischart");
    t.AddField("Gewicht");
    t.AddField("Kommentar");
    t.SetFieldType(3, "FLOAT");
    const char* rows[][4] = {{"05.06.2007", "Hecht", "3,5", "am Schilf; \"groß\""},
                             {"06.06.2007", "Äsche", "", "Zeile 1\r\nZeile 2\\Ende"},
                             {"", "", "", ""}};
    for (const auto& row : rows) {
        t.AppendRow();
        for (int f = 0; f < 4; ++f) {
            t.SetCell(f + 1, row[f]);
        }
    }
    std::vector<std::string> seeds;
    for (const char* name : {"seed.f", "seed.mlb", "seed.txt"}) {
        const std::string path = (folder / name).string();
        if (t.SaveToFile(path)) {
            seeds.push_back(ReadAll(path));
        }
    }
    seeds.push_back("A;B\r\n1;2\r\n\r\n3\r\n");
    seeds.push_back("");
    std::filesystem::remove_all(folder);
    return seeds;
}

std::string Mutate(std::string s, std::mt19937& rng) {
    static const char kInteresting[] = {';',    '\\',   '\r',   '\n',   '"', 'n', ' ', '\0',
                                        '\x01', '\xE4', '\x81', '\xFF', 'M', 'L', 'B'};
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t pos = s.empty() ? 0 : rng() % (s.size() + 1);
        const char c =
            rng() % 2 ? kInteresting[rng() % sizeof kInteresting] : static_cast<char>(rng() & 0xFF);
        switch (rng() % 6) {
        case 0: // overwrite
            if (pos < s.size()) {
                s[pos] = c;
            }
            break;
        case 1:
            s.insert(s.begin() + static_cast<std::ptrdiff_t>(pos), c);
            break;
        case 2:
            if (pos < s.size()) {
                s.erase(pos, 1 + rng() % 4);
            }
            break;
        case 3: // truncate
            s.resize(pos);
            break;
        case 4: // flip a bit, often in a length field
            if (!s.empty()) {
                s[pos % s.size()] ^= static_cast<char>(1u << (rng() % 8));
            }
            break;
        default: // duplicate a stretch
            if (pos < s.size()) {
                const std::size_t len = 1 + rng() % 16;
                s.insert(pos, s.substr(pos, len));
            }
            break;
        }
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 3000;
    // Every save syncs its file; on a memory file system that costs nothing,
    // so the same number of inputs runs in a fraction of the time.
    std::error_code ec;
    if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", ec)) {
        ::setenv("TMPDIR", "/dev/shm", 1);
    }
    std::mt19937 rng(20070605u); // fixed: every run checks the same inputs
    const std::vector<std::string> seeds = Seeds();
    if (seeds.size() < 3) {
        std::fprintf(stderr, "could not write the seed files\n");
        return 1;
    }
    for (long i = 0; i < iterations; ++i) {
        std::string input;
        if (i % 10 == 0) {
            const std::size_t len = rng() % 200;
            for (std::size_t k = 0; k < len; ++k) {
                input.push_back(static_cast<char>(rng() & 0xFF));
            }
        } else {
            input = Mutate(seeds[static_cast<std::size_t>(i) % seeds.size()], rng);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
    for (const std::string& seed : seeds) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(seed.data()), seed.size());
    }
    std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                ("zv-fuzz-readers-" + std::to_string(::getpid())));
    std::printf("%ld inputs checked\n", iterations + static_cast<long>(seeds.size()));
    return 0;
}
