// The two document kinds that stress the PDF writer: a long cost list
// (text, lines and two bookmarks levels) and a picture document with a
// distinct JPEG per page, whose peak memory must not grow with the
// pictures' total size.

#include "base/AtomicFile.h"
#include "base/Jpeg.h"
#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPRJpegImage.h"
#include "reports/pdf/TPRLabel.h"
#include "reports/pdf/TPRLayoutPanel.h"
#include "reports/pdf/TPRPage.h"
#include "reports/pdf/TPRRect.h"
#include "reports/pdf/TPReport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
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

std::filesystem::path BenchFolder() {
    auto folder = std::filesystem::temp_directory_path() / "zv_pdf_bench";
    std::filesystem::create_directories(folder);
    return folder;
}

TPRLabel& AddLabel(TPRPanel& panel, const char* name, int left, int width) {
    auto& label = panel.Add<TPRLabel>(name);
    label.SetBounds(left, 1, width, 14);
    label.SetFontSize(10);
    return label;
}

void BM_CostListDocument(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    const int linesPerPage = 50;
    auto path = BenchFolder() / "kosten.pdf";

    TPReport report;
    report.FileName = path.string();
    report.UseOutlines = true;
    report.PageMode = TPdfPageMode::UseOutlines;
    report.PageLayout = TPdfPageLayout::OneColumn;

    TPRPage page;
    auto& title = page.Add<TPRLayoutPanel>("Titel");
    title.SetAlign(TPRAlign::Top);
    title.SetHeight(24);
    auto& titleLabel = title.Add<TPRLabel>("PRLabel12");
    titleLabel.SetAlign(TPRAlign::Client);
    titleLabel.SetFontSize(20);
    titleLabel.SetAlignment(TPdfAlignment::Center);
    titleLabel.SetCaption("2007");
    auto& header = page.Add<TPRLayoutPanel>("Kopf");
    header.SetAlign(TPRAlign::Top);
    header.SetHeight(25);
    const struct {
        const char* caption;
        int left;
        int width;
    } columns[] = {{"Datum:", 0, 65},
                   {"Geschäft:", 64, 121},
                   {"Artikel:", 184, 249},
                   {"#:", 432, 33},
                   {"Preis:", 464, 65}};
    for (const auto& column : columns) {
        auto& frame = header.Add<TPRRect>("Rahmen");
        frame.SetBounds(column.left, 0, column.width, 25);
        auto& caption = header.Add<TPRLabel>("Kopfzeile");
        caption.SetBounds(column.left, 5, column.width, 16);
        caption.SetFontBold(true);
        caption.SetFontColor(clNavy);
        caption.SetAlignment(TPdfAlignment::Center);
        caption.SetCaption(column.caption);
    }
    auto& grid = page.Add<TPRGridPanel>("PRGridPanel2");
    grid.SetBounds(0, 49, 530, 727);
    grid.SetRowCount(linesPerPage);
    auto& date = AddLabel(grid, "PRLabel6", 3, 65);
    auto& shop = AddLabel(grid, "PRLabel7", 67, 118);
    auto& article = AddLabel(grid, "PRLabel8", 187, 246);
    auto& quantity = AddLabel(grid, "PRLabel9", 432, 33);
    quantity.SetAlignment(TPdfAlignment::Center);
    auto& price = AddLabel(grid, "PRLabel10", 464, 65);
    price.SetAlignment(TPdfAlignment::RightJustify);
    price.SetFontColor(clRed);
    auto& line = grid.Add<TPRRect>("PRRect17");
    line.SetBounds(0, 13, 530, 1);

    int counter = 0;
    TPROutlineEntry pageEntry;
    page.OnPrintPage = [&](TPRPage&, TPdfCanvas&) {
        if (report.PageCount() == 1) {
            report.SetOpenAction(report.CreateDestination());
        }
        TPRDestination dest = report.CreateDestination();
        dest.SetTop(0);
        pageEntry = report.OutlineRoot().AddChild();
        pageEntry.SetDest(dest);
        pageEntry.SetTitle("Seite " + std::to_string(report.PageCount()));
    };
    grid.BeforePrintChild = [&](TPRGridPanel&, TPdfCanvas&, int, int, const TPRBounds& cell) {
        ++counter;
        date.SetCaption("05.06.2007");
        shop.SetCaption("Gerätehaus Nord");
        article.SetCaption("Wobbler Nr. " + std::to_string(counter));
        quantity.SetCaption(std::to_string(counter % 9 + 1));
        price.SetCaption(std::to_string(counter % 100) + ",50 €");
        TPRDestination dest = report.CreateDestination();
        dest.SetTop(cell.Top);
        dest.SetLeft(cell.Left);
        TPROutlineEntry entry = pageEntry.AddChild();
        entry.SetDest(dest);
        entry.SetTitle("Wobbler Nr. " + std::to_string(counter));
    };

    for (auto _ : state) {
        report.StartDocument();
        for (int i = 0; i < pages; ++i) {
            report.RenderPage(page);
        }
        report.FinishDocument();
    }
    state.SetItemsProcessed(state.iterations() * pages);
    state.counters["pages_per_s"] = benchmark::Counter(
        static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["peak_rss_mb"] = PeakMemoryMb();
}
// Four times the pages (a million bookmarks) in the same peak memory: the
// document keeps its records in its temporary file.
BENCHMARK(BM_CostListDocument)->Arg(5000)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Noisy pictures compress badly, so each file is large.
std::vector<std::filesystem::path> MakePictures(int count, std::uint64_t& totalBytes) {
    auto folder = BenchFolder() / "bilder";
    std::filesystem::create_directories(folder);
    std::vector<std::filesystem::path> paths;
    totalBytes = 0;
    std::mt19937 random(42);
    RgbImage image;
    image.width = 640;
    image.height = 480;
    image.pixels.resize(640 * 480 * 3);
    for (int i = 0; i < count; ++i) {
        auto path = folder / ("bild" + std::to_string(i) + ".jpg");
        if (!std::filesystem::exists(path)) {
            for (auto& pixel : image.pixels) {
                pixel = static_cast<std::uint8_t>(random());
            }
            std::string jpeg;
            std::string error;
            EncodeJpeg(image, 90, jpeg, error);
            WriteFileAtomic(path, jpeg, error);
        }
        totalBytes += std::filesystem::file_size(path);
        paths.push_back(path);
    }
    return paths;
}

void BM_PictureDocument(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    std::uint64_t totalBytes = 0;
    std::vector<std::filesystem::path> pictures = MakePictures(pages, totalBytes);
    auto path = BenchFolder() / "bilder.pdf";

    TPReport report;
    report.FileName = path.string();
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("Band");
    band.SetAlign(TPRAlign::Client);
    auto& caption = band.Add<TPRLabel>("Titel");
    caption.SetBounds(0, 0, 530, 20);
    auto& picture = band.Add<TPRJpegImage>("PRJpegImage1");
    picture.SetBounds(0, 30, 480, 360);
    picture.SetSharedImage(false);

    int index = 0;
    page.OnPrintPage = [&](TPRPage&, TPdfCanvas&) {
        std::string error;
        picture.Picture().LoadFromFile(pictures[static_cast<std::size_t>(index)], error);
        caption.SetCaption("Bild " + std::to_string(index + 1));
        ++index;
    };

    for (auto _ : state) {
        index = 0;
        report.StartDocument();
        for (int i = 0; i < pages; ++i) {
            report.RenderPage(page);
        }
        report.FinishDocument();
    }
    state.counters["pages_per_s"] = benchmark::Counter(
        static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pictures_mb"] = static_cast<double>(totalBytes) / 1e6;
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["peak_rss_mb"] = PeakMemoryMb();
}
BENCHMARK(BM_PictureDocument)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
