// The catch book of a long-kept log: 3,000 catches, each with a picture of
// its own (640 × 480), on 1,000 pages. Pictures are read while the file is
// written, so the peak memory must stay flat however many there are.

#include "base/AtomicFile.h"
#include "base/Jpeg.h"
#include "reports/ReportWriter.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/resource.h>

namespace {

using namespace zv;

double PeakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A line of /proc/self/status ("VmHWM", "VmRSS") in MB.
double StatusMb(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) {
            return std::stod(line.substr(key.size() + 1)) / 1024.0;
        }
    }
    return 0;
}

// Starts the peak of the resident memory afresh at what is in use now.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::filesystem::path BenchFolder() {
    auto folder = std::filesystem::temp_directory_path() / "zv_reports_bench";
    std::filesystem::create_directories(folder / "img");
    return folder;
}

// A picture like a camera's: sky, water and a fish, with some grain, so
// each file is as large as a real one (tens of kilobytes) and all differ.
void MakePicture(const std::filesystem::path& path, int number, std::mt19937& random) {
    RgbImage image;
    image.width = 640;
    image.height = 480;
    image.pixels.resize(640 * 480 * 3);
    std::uniform_int_distribution<int> grain(-12, 12);
    const double phase = number * 0.37;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            double r = 0;
            double g = 0;
            double b = 0;
            if (y < 180 + number % 60) {
                r = 110 + y * 0.4;
                g = 160 + y * 0.3;
                b = 235;
            } else {
                const double wave = std::sin(x * 0.04 + y * 0.15 + phase) * 14;
                r = 30 + wave;
                g = 95 + 30 * std::sin(phase) + wave;
                b = 115 + wave;
            }
            const double dx = (x - 300 - number % 80) / 170.0;
            const double dy = (y - 320) / 50.0;
            if (dx * dx + dy * dy < 1) {
                r = 150 + 60 * std::cos(phase) + 20 * dx;
                g = 130 + 30 * dy;
                b = 60;
            }
            const std::size_t at = (static_cast<std::size_t>(y) * 640 + x) * 3;
            const double channels[] = {r, g, b};
            for (int c = 0; c < 3; ++c) {
                image.pixels[at + c] =
                    static_cast<std::uint8_t>(std::clamp(channels[c] + grain(random), 0.0, 255.0));
            }
        }
    }
    std::string jpeg;
    std::string error;
    EncodeJpeg(image, 90, jpeg, error);
    WriteFileAtomic(path, jpeg, error);
}

// The catch table and one picture per catch, made once and kept in the
// temporary folder for later runs.
std::unique_ptr<TMlbc> MakeCatches(int count, std::uint64_t& pictureBytes) {
    const auto folder = BenchFolder();
    auto db = MakeEmptyTable(CatchFields());
    std::mt19937 random(7);
    pictureBytes = 0;
    const char* species[] = {"Hecht", "Zander", "Barsch", "Karpfen", "Aal", "Forelle"};
    for (int i = 0; i < count; ++i) {
        const std::string name = "bild" + std::to_string(i) + "_0.jpg";
        const auto path = folder / "img" / name;
        if (!std::filesystem::exists(path)) {
            MakePicture(path, i, random);
        }
        pictureBytes += std::filesystem::file_size(path);
        db->AppendRow();
        const std::string day = std::to_string(1 + i % 28);
        db->SetData("Fangdatum",
                    (day.size() == 1 ? "0" : "") + day + ".06." + std::to_string(2000 + i % 20));
        db->SetData("Fangzeit", "18:42:07");
        db->SetData("Faenger", i % 2 ? "Jan Kowalski" : "Eva Brandt");
        db->SetData("Fischart", species[i % 6]);
        db->SetData("Laenge", std::to_string(30 + i % 70));
        db->SetData("Gewicht", std::to_string(300 + i * 7 % 5000));
        db->SetData("Koeder", "Wobbler Feuertiger 12 cm");
        db->SetData("Gewaesser", "Rhein");
        db->SetData("Stelle", "Buhne " + std::to_string(i % 40));
        db->SetData("Lufttemp", "21,5");
        db->SetData("Windstaerke", "Schwache Brise");
        db->SetData("Windrichtung", "NW");
        db->SetData("Kommentar", "Biss an der Kante, nach kurzem Drill gelandet und "
                                 "schonend zurückgesetzt.");
        db->SetData("Bilder", name);
    }
    return db;
}

void BM_CatchBook(benchmark::State& state) {
    const int catches = static_cast<int>(state.range(0));
    std::uint64_t pictureBytes = 0;
    std::unique_ptr<TMlbc> db = MakeCatches(catches, pictureBytes);
    const auto out = BenchFolder() / "Fangbuch.pdf";
    const double before = PeakMemoryMb();

    ReportWriter writer(BenchFolder());
    int pages = 0;
    ResetPeakMemory();
    const double inUse = StatusMb("VmRSS");
    for (auto _ : state) {
        writer.SelectCatches(*db, "-Alle-", "-Alle-");
        const ReportOutcome outcome = writer.Write(out.string());
        if (outcome.status != ReportOutcome::Status::Written) {
            state.SkipWithError(outcome.message.c_str());
            return;
        }
        pages = outcome.pages;
    }
    state.counters["pages"] = pages;
    state.counters["pictures_mb"] = static_cast<double>(pictureBytes) / 1e6;
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(out)) / 1e6;
    state.counters["rss_before_mb"] = before;
    state.counters["peak_rss_mb"] = PeakMemoryMb();
    // What writing the book added to the memory in use: flat in the page
    // count when pictures and finished pages are not kept.
    state.counters["rss_growth_mb"] = StatusMb("VmHWM") - inUse;
}
BENCHMARK(BM_CatchBook)->Arg(750)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The yardstick: the same pictures read and written one after another into
// a file that replaces its target synced, as the book's file does.
void BM_CatchBookPicturesCopied(benchmark::State& state) {
    const int catches = static_cast<int>(state.range(0));
    std::uint64_t pictureBytes = 0;
    MakeCatches(catches, pictureBytes);
    const auto out = BenchFolder() / "Bilder.bin";
    for (auto _ : state) {
        AtomicFileWriter writer;
        std::string error;
        std::string bytes;
        bool ok = writer.Open(out);
        for (int i = 0; i < catches && ok; ++i) {
            ok = ReadFileBytes(BenchFolder() / "img" / ("bild" + std::to_string(i) + "_0.jpg"),
                               bytes, error) &&
                 writer.Write(bytes);
        }
        if (!ok || !writer.Commit()) {
            state.SkipWithError("copy failed");
            return;
        }
    }
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(out)) / 1e6;
}
BENCHMARK(BM_CatchBookPicturesCopied)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
