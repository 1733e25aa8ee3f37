#include "PdfTestSupport.h"

#include "base/RandomSource.h"
#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPRJpegImage.h"
#include "reports/pdf/TPRLabel.h"
#include "reports/pdf/TPRLayoutPanel.h"
#include "reports/pdf/TPRPage.h"
#include "reports/pdf/TPRRect.h"
#include "reports/pdf/TPRText.h"
#include "reports/pdf/TPReport.h"
#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfPage.h"

#include <gtest/gtest.h>

#include <csignal>
#include <deque>

#include <sys/resource.h>

using namespace zv;
using namespace zv::test;

namespace {

template <class F> std::string ErrorOf(F&& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> values) : values_(std::move(values)) {}
    int Random(int range) override {
        lastRange = range;
        if (values_.empty()) {
            return 0;
        }
        int value = values_.front();
        values_.pop_front();
        return value;
    }
    int lastRange = 0;

private:
    std::deque<int> values_;
};

class ReportLayoutTest : public ::testing::Test {
protected:
    ReportLayoutTest() { report_.FileName = folder_.File("bericht.pdf").string(); }

    // The content of the current page after the default font line.
    std::string Content() {
        std::string data = report_.Document().CurrentPage()->Contents().Data();
        return data.substr(std::string("/F0 10 Tf\n").size());
    }
    // Writes the report and checks the file from outside.
    void FinishAndCheck(const std::vector<std::string>& texts) {
        report_.FinishDocument();
        EXPECT_EQ(CheckPdfFromOutside(folder_.File("bericht.pdf"), texts), "");
    }

    TempFolder folder_;
    TPReport report_;
};

} // namespace

TEST_F(ReportLayoutTest, GridCellsUseTruncatedPositions) {
    TPRPage page;
    auto& grid = page.Add<TPRGridPanel>("PRGridPanel2");
    grid.SetBounds(0, 49, 530, 727);
    grid.SetRowCount(50);
    std::vector<TPRBounds> cells;
    std::vector<std::pair<int, int>> order;
    grid.BeforePrintChild = [&](TPRGridPanel&, TPdfCanvas&, int col, int row,
                                const TPRBounds& cell) {
        cells.push_back(cell);
        order.emplace_back(col, row);
    };
    int after = 0;
    grid.AfterPrintChild = [&](TPRGridPanel&, TPdfCanvas&, int, int, const TPRBounds&) { ++after; };
    report_.StartDocument();
    report_.RenderPage(page);
    ASSERT_EQ(cells.size(), 50u);
    EXPECT_EQ(after, 50);
    const int gridTop = 32 + 49;
    const int expectedTops[] = {0, 14, 29, 43, 58};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(cells[static_cast<std::size_t>(row)].Top - gridTop, expectedTops[row]);
        EXPECT_EQ(cells[static_cast<std::size_t>(row)].Height(), 14);
        EXPECT_EQ(cells[static_cast<std::size_t>(row)].Width(), 530);
        EXPECT_EQ(cells[static_cast<std::size_t>(row)].Left, 32);
    }
    EXPECT_EQ(cells[49].Top - gridTop, 712); // trunc(49 × 727 / 50)

    // Columns and rows in both print directions.
    grid.SetColCount(3);
    grid.SetRowCount(2);
    grid.SetBounds(0, 0, 100, 10);
    cells.clear();
    order.clear();
    report_.RenderPage(page);
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(order[1], std::make_pair(1, 0));
    EXPECT_EQ(cells[1].Left - 32, 33);
    EXPECT_EQ(cells[2].Left - 32, 66);
    EXPECT_EQ(cells[2].Width(), 33);
    EXPECT_EQ(cells[3].Top - 32, 5);
    grid.SetPrintDirection(TPRPrintDirection::pdVert);
    order.clear();
    report_.RenderPage(page);
    EXPECT_EQ(order[1], std::make_pair(0, 1));
    FinishAndCheck({});
}

TEST_F(ReportLayoutTest, BandsAreAlignedInsideTheMargins) {
    TPRPage page;
    page.SetPageWidth(600);
    page.SetPageHeight(700);
    page.SetMarginTop(2);
    page.SetMarginBottom(2);
    page.SetMarginLeft(-1);   // ignored
    page.SetMarginRight(300); // ignored: not less than half the width
    auto& title = page.Add<TPRLayoutPanel>("title");
    title.SetAlign(TPRAlign::Top);
    title.SetHeight(25);
    auto& footer = page.Add<TPRLayoutPanel>("footer");
    footer.SetAlign(TPRAlign::Bottom);
    footer.SetHeight(20);
    auto& body = page.Add<TPRLayoutPanel>("body");
    body.SetAlign(TPRAlign::Client);
    auto& header = page.Add<TPRLayoutPanel>("header");
    header.SetAlign(TPRAlign::Top);
    header.SetHeight(24);
    std::vector<std::pair<std::string, TPRBounds>> seen;
    for (TPRLayoutPanel* panel : {&title, &footer, &body, &header}) {
        panel->BeforePrint = [&seen](TPRPanel& p, TPdfCanvas&, const TPRBounds& r) {
            seen.emplace_back(p.Name(), r);
        };
    }
    report_.StartDocument();
    report_.RenderPage(page);
    ASSERT_EQ(seen.size(), 4u);
    // Children print in the order they were placed.
    EXPECT_EQ(seen[0].first, "title");
    EXPECT_EQ(seen[0].second.Top, 2);
    EXPECT_EQ(seen[0].second.Bottom, 27);
    EXPECT_EQ(seen[0].second.Left, 32);
    EXPECT_EQ(seen[0].second.Right, 568);
    EXPECT_EQ(seen[1].second.Top, 678);
    EXPECT_EQ(seen[1].second.Bottom, 698);
    EXPECT_EQ(seen[2].second.Top, 51);
    EXPECT_EQ(seen[2].second.Bottom, 678);
    EXPECT_EQ(seen[3].second.Top, 27);
    EXPECT_EQ(seen[3].second.Bottom, 51);
    EXPECT_EQ(report_.Document().CurrentPage()->Width(), 600);
    EXPECT_EQ(report_.Document().CurrentPage()->Height(), 700);
    FinishAndCheck({});
}

TEST_F(ReportLayoutTest, LabelsAreAlignedAndEmptyOnesWriteNothing) {
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    band.SetBounds(0, 0, 300, 100);
    auto& empty = band.Add<TPRLabel>("leer");
    empty.SetFontBold(true);
    auto& centred = band.Add<TPRLabel>("mitte");
    centred.SetBounds(10, 20, 65, 15);
    centred.SetFontSize(10);
    centred.SetAlignment(TPdfAlignment::Center);
    centred.SetCaption("%%C");
    centred.SetFontColor(clNavy);
    report_.StartDocument();
    report_.RenderPage(page);
    // Left edge 32 + 10, plus (65 − 25) ÷ 2; baseline 8.5 below the top.
    EXPECT_EQ(Content(), "0 0 0.5 rg\n0 Tw\n0 Tc\nBT\n62 781.5 Td\n(%%C) Tj\nET\n");

    // Justified: the spare width is shared out between the characters.
    centred.SetAlignJustified(true);
    centred.SetAlignment(TPdfAlignment::LeftJustify);
    centred.SetFontBold(true);
    centred.SetCaption("Hecht");
    report_.RenderPage(page);
    EXPECT_NE(Content().find("/F1 10 Tf\n"), std::string::npos);
    // Helvetica-Bold "Hecht" is 722+556+556+611+333 = 2778 → 27.78 wide.
    EXPECT_NE(Content().find("9.31 Tc\nBT\n42 781.5 Td\n(Hecht) Tj\n"), std::string::npos);
    FinishAndCheck({"%%C", "H e c h t"});
}

TEST_F(ReportLayoutTest, TextWrapsAndStopsAtTheItemsBottom) {
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    band.SetBounds(0, 0, 500, 200);
    auto& text = band.Add<TPRText>("Bemerkungen");
    text.SetBounds(0, 0, 60, 30);
    text.SetFontName(TPRFontName::fnFixedWidth);
    text.SetFontSize(10);
    text.SetWordWrap(true);
    text.SetLines({"", "  Großer Hecht am Schilf", "gefangen", "  "});
    report_.StartDocument();
    report_.RenderPage(page);
    EXPECT_EQ(Content(), "/F1 10 Tf\n0 0 0 rg\n0 Tc\n0 Tw\n14 TL\nBT\n32 801.5 Td\n"
                         "(Gro\xDF"
                         "er ) Tj\nT*\n(Hecht am ) Tj\nT*\nET\n");
    FinishAndCheck({"Großer", "Hecht am"});
}

TEST_F(ReportLayoutTest, RectanglesBecomeLinesFramesOrNothing) {
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    band.SetBounds(0, 0, 530, 200);
    auto& bottomLine = band.Add<TPRRect>("PRRect17");
    bottomLine.SetBounds(0, 10, 530, 1);
    report_.StartDocument();
    report_.RenderPage(page);
    EXPECT_EQ(Content(), "[] 0 d\n32 800 m\n561 800 l\n0 0 0 RG\n0 w\nS\nn\n");

    bottomLine.SetBounds(0, 0, 1, 15);
    report_.RenderPage(page);
    EXPECT_EQ(Content(), "[] 0 d\n32 810 m\n32 796 l\n0 0 0 RG\n0 w\nS\nn\n");

    bottomLine.SetBounds(319, 6, 200, 150);
    bottomLine.SetLineColor(clRed);
    bottomLine.SetLineWidth(1.5);
    report_.RenderPage(page);
    EXPECT_EQ(Content(),
              "[] 0 d\n351 804 m\n550 804 l\n550 655 l\n351 655 l\n1 0 0 RG\n1.5 w\ns\n");

    bottomLine.SetFillColor(RGBColor(0, 128, 0));
    report_.RenderPage(page);
    EXPECT_EQ(Content(), "[] 0 d\n351 804 m\n550 804 l\n550 655 l\n351 655 l\n0 0.5 0 rg\n"
                         "1 0 0 RG\n1.5 w\nb\n");

    bottomLine.SetLineColor(clNone);
    report_.RenderPage(page);
    EXPECT_EQ(Content(), "[] 0 d\n351 804 m\n550 804 l\n550 655 l\n351 655 l\n0 0.5 0 rg\nh\nf\n");

    // Too small, or a line without a colour, or neither line nor fill.
    for (auto [w, h] : {std::pair{1, 1}, std::pair{530, 1}, std::pair{50, 50}}) {
        bottomLine.SetBounds(0, 0, w, h);
        bottomLine.SetFillColor(w == 50 ? clNone : clRed);
        bottomLine.SetLineColor(w == 1 ? clBlack : clNone);
        report_.RenderPage(page);
        EXPECT_EQ(Content(), "") << w << " x " << h;
    }
    bottomLine.SetLineColor(clBlack);
    bottomLine.SetLineStyle(TPRPenStyle::psClear);
    bottomLine.SetBounds(0, 0, 530, 1);
    report_.RenderPage(page);
    EXPECT_EQ(Content(), "");
    FinishAndCheck({});
}

TEST_F(ReportLayoutTest, ItemsThatAreNotPrintableAreSkipped) {
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    auto& label = band.Add<TPRLabel>("l");
    label.SetCaption("unsichtbar");
    label.SetPrintable(false);
    report_.StartDocument();
    report_.RenderPage(page);
    EXPECT_EQ(Content(), "");
    label.SetPrintable(true);
    report_.RenderPage(page);
    EXPECT_NE(Content().find("(unsichtbar) Tj"), std::string::npos);
    FinishAndCheck({"unsichtbar"});
}

TEST_F(ReportLayoutTest, UnsharedImagesGetNewNamesSharedOnesAreAddedOnce) {
    ScriptedRandom random({7, 7, 9, 3});
    report_.SetRandomSource(&random);
    auto path = folder_.File("fang.jpg");
    WriteBytes(path, MakeJpeg(40, 30));

    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    band.SetBounds(0, 0, 500, 400);
    auto& picture = band.Add<TPRJpegImage>("PRJpegImage1");
    picture.SetBounds(319, 6, 200, 150);
    picture.SetSharedImage(false);
    std::string error;
    ASSERT_TRUE(picture.Picture().LoadFromFile(path, error)) << error;
    auto& logo = band.Add<TPRJpegImage>("Logo");
    logo.SetBounds(0, 200, 100, 100);
    logo.SetStretch(false);
    logo.Picture().LoadFromBytes(MakeJpeg(120, 80));
    auto& none = band.Add<TPRJpegImage>("Leer");
    (void)none;

    report_.StartDocument();
    report_.RenderPage(page);
    report_.RenderPage(page);
    TPdfDoc& doc = report_.Document();
    EXPECT_EQ(random.lastRange, 65535);
    EXPECT_TRUE(doc.HasXObject("PRJpegImage17"));
    EXPECT_TRUE(doc.HasXObject("PRJpegImage19"));
    EXPECT_TRUE(doc.HasXObject("Logo"));
    EXPECT_EQ(doc.XObjectCount(), 3u);
    // Stretched to the box, lower-left corner at the box's bottom.
    EXPECT_NE(Content().find("q\n200 0 0 150 351 654 cm\n/PRJpegImage19 Do\nQ\n"),
              std::string::npos)
        << Content();
    // At its own size from the top-left corner, clipped to the box.
    EXPECT_NE(Content().find("q\n32 510 100 100 re\nW\nn\n120 0 0 80 32 530 cm\n/Logo Do\nQ\n"),
              std::string::npos)
        << Content();
    FinishAndCheck({});
    std::string pdf = ReadBytes(folder_.File("bericht.pdf"));
    EXPECT_NE(pdf.find("/Name /PRJpegImage17"), std::string::npos);
    EXPECT_NE(pdf.find("/Name /PRJpegImage19"), std::string::npos);
    int status = 0;
    std::string list =
        RunCommand("pdfimages -list '" + folder_.File("bericht.pdf").string() + "'", status);
    EXPECT_EQ(status, 0);
    // Two placements of the logo and one of each unshared picture.
    std::size_t lines = 0;
    for (std::size_t at = list.find("image"); at != std::string::npos;
         at = list.find("image", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 4u) << list;
}

TEST_F(ReportLayoutTest, APictureThatIsNoJpegLeavesItsBoxEmpty) {
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    auto& picture = band.Add<TPRJpegImage>("PRJpegImage1");
    picture.SetSharedImage(false);
    picture.Picture().LoadFromBytes("GIF89a kein JPEG");
    ASSERT_FALSE(picture.Picture().Empty());
    auto& caption = band.Add<TPRLabel>("PRText18");
    caption.SetBounds(0, 40, 200, 14);
    caption.SetCaption("ohne Bild");
    report_.StartDocument();
    report_.RenderPage(page);
    EXPECT_EQ(report_.Document().XObjectCount(), 0u);
    EXPECT_EQ(Content().find(" Do\n"), std::string::npos);
    FinishAndCheck({"ohne Bild"});
}

TEST_F(ReportLayoutTest, UnsharedImageNamesRunOut) {
    // Every draw gives a name that is already used.
    ScriptedRandom random({5});
    report_.SetRandomSource(&random);
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    auto& picture = band.Add<TPRJpegImage>("Bild");
    picture.SetSharedImage(false);
    picture.Picture().LoadFromBytes(MakeJpeg(8, 8));
    report_.StartDocument();
    report_.RenderPage(page); // takes "Bild5", then the script gives 0s
    report_.RenderPage(page); // "Bild0"
    EXPECT_EQ(ErrorOf([&] { report_.RenderPage(page); }), "image count over max value..");
}

TEST_F(ReportLayoutTest, DocumentOperationsNeedAStartedDocument) {
    EXPECT_EQ(ErrorOf([&] { report_.FinishDocument(); }), "document is null..");
    EXPECT_EQ(ErrorOf([&] { report_.CreateDestination(); }),
              "CreateDestination --invalid operation.");
    EXPECT_EQ(ErrorOf([&] { report_.SetOpenAction(TPRDestination()); }),
              "SetOpenAction --invalid operation.");
    EXPECT_EQ(ErrorOf([&] { report_.OpenAction(); }), "GetOpenAction --invalid operation.");
    EXPECT_EQ(ErrorOf([&] { report_.OutlineRoot(); }), "GetOutlineRoot --invalid operation.");
    report_.StartDocument(); // without outlines
    EXPECT_EQ(ErrorOf([&] { report_.OutlineRoot(); }), "GetOutlineRoot --invalid operation.");
    EXPECT_FALSE(std::filesystem::exists(folder_.File("bericht.pdf")));
}

TEST_F(ReportLayoutTest, ADocumentWithoutPagesIsNotWrittenAndLeavesTheOldFile) {
    WriteBytes(folder_.File("bericht.pdf"), "alter Bericht");
    report_.StartDocument();
    EXPECT_EQ(ErrorOf([&] { report_.FinishDocument(); }), "GetPage --the Page is nil");
    EXPECT_EQ(ReadBytes(folder_.File("bericht.pdf")), "alter Bericht");
    EXPECT_TRUE(report_.HasDocument());
    report_.FileName = folder_.File("fehlt/bericht.pdf").string();
    TPRPage page;
    report_.RenderPage(page);
    EXPECT_NE(ErrorOf([&] { report_.FinishDocument(); }), "");
}

TEST_F(ReportLayoutTest, AWriteThatFailsMidwayNamesTheFileAndKeepsTheOldOne) {
    WriteBytes(folder_.File("bericht.pdf"), "alter Bericht");
    TPRPage page;
    auto& band = page.Add<TPRLayoutPanel>("band");
    auto& picture = band.Add<TPRJpegImage>("PRJpegImage1");
    picture.Picture().LoadFromBytes(MakeJpeg(400, 300));
    report_.StartDocument();
    report_.RenderPage(page);

    // A file size limit makes the writing fail part-way, as a full disk does.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 2048;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error = ErrorOf([&] { report_.FinishDocument(); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_NE(error.find("bericht.pdf"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(folder_.File("bericht.pdf")), "alter Bericht");
    EXPECT_TRUE(report_.HasDocument());
    // With room again the same document is written whole.
    FinishAndCheck({});
}

TEST_F(ReportLayoutTest, PagesBookmarksAndOpenActionMakeAReport) {
    report_.Title = "Zelvorin";
    report_.PageLayout = TPdfPageLayout::OneColumn;
    report_.PageMode = TPdfPageMode::UseOutlines;
    report_.UseOutlines = true;

    TPRPage page;
    auto& title = page.Add<TPRLayoutPanel>("title");
    title.SetAlign(TPRAlign::Top);
    title.SetHeight(24);
    auto& titleLabel = title.Add<TPRLabel>("PRLabel12");
    titleLabel.SetAlign(TPRAlign::Client);
    titleLabel.SetFontSize(20);
    titleLabel.SetAlignment(TPdfAlignment::Center);
    titleLabel.SetCaption("2024");
    auto& grid = page.Add<TPRGridPanel>("grid");
    grid.SetAlign(TPRAlign::Client);
    grid.SetRowCount(3);
    auto& cellLabel = grid.Add<TPRLabel>("cell");
    cellLabel.SetBounds(3, 0, 200, 14);

    std::vector<std::string> events;
    TPROutlineEntry pageEntry;
    int next = 1;
    page.OnPrintPage = [&](TPRPage&, TPdfCanvas&) {
        events.push_back("page");
        if (report_.PageCount() == 1) {
            report_.SetOpenAction(report_.CreateDestination());
        }
        TPRDestination dest = report_.CreateDestination();
        dest.SetTop(0);
        pageEntry = report_.OutlineRoot().AddChild();
        pageEntry.SetDest(dest);
        pageEntry.SetTitle("Seite " + std::to_string(report_.PageCount()));
    };
    grid.BeforePrint = [&](TPRPanel&, TPdfCanvas&, const TPRBounds&) { events.push_back("grid"); };
    grid.BeforePrintChild = [&](TPRGridPanel&, TPdfCanvas&, int, int row, const TPRBounds& cell) {
        events.push_back("cell" + std::to_string(row));
        cellLabel.SetCaption("Zeile " + std::to_string(next));
        TPRDestination dest = report_.CreateDestination();
        dest.SetTop(cell.Top);
        dest.SetLeft(cell.Left);
        EXPECT_EQ(dest.Top(), cell.Top);
        TPROutlineEntry line = pageEntry.AddChild();
        line.SetDest(dest);
        line.SetTitle("Zeile " + std::to_string(next));
        ++next;
    };
    grid.AfterPrint = [&](TPRPanel&, TPdfCanvas&, const TPRBounds&) { events.push_back("/grid"); };

    report_.StartDocument();
    report_.RenderPage(page);
    report_.RenderPage(page);
    EXPECT_EQ(report_.PageCount(), 2);
    EXPECT_EQ(report_.OpenAction().Top(), -10);
    EXPECT_EQ(report_.OpenAction().Data()->Top(), 852);
    EXPECT_EQ(events,
              (std::vector<std::string>{"page", "grid", "cell0", "cell1", "cell2", "/grid", "page",
                                        "grid", "cell0", "cell1", "cell2", "/grid"}));
    FinishAndCheck({"2024", "Zeile 1", "Zeile 6"});
    EXPECT_FALSE(report_.HasDocument());

    std::string pdf = ReadBytes(folder_.File("bericht.pdf"));
    EXPECT_NE(pdf.find("/PageMode /UseOutlines"), std::string::npos);
    EXPECT_NE(pdf.find("/PageLayout /OneColumn"), std::string::npos);
    EXPECT_NE(pdf.find("/OpenAction [5 0 R /XYZ 0 852 1 ]"), std::string::npos);
    EXPECT_NE(pdf.find("/Title (Seite 2)"), std::string::npos);
    EXPECT_NE(pdf.find("/Dest [5 0 R /XYZ 0 842 1 ]"), std::string::npos);
    // The first line's cell: grid top 32 + 24, left 32.
    EXPECT_NE(pdf.find("/Dest [5 0 R /XYZ 32 786 1 ]"), std::string::npos);
    int status = 0;
    std::string json = RunCommand(
        "qpdf --json --json-key=outlines '" + folder_.File("bericht.pdf").string() + "'", status);
    EXPECT_NE(json.find("\"title\": \"Zeile 6\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"title\": \"Seite 2\""), std::string::npos) << json;
}
