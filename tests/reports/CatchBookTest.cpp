#include "ReportTestSupport.h"

#include "base/EConvertError.h"
#include "reports/ReportFilters.h"
#include "reports/ReportWriter.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using namespace test;

class CatchBookTest : public ::testing::Test {
protected:
    std::filesystem::path Out() const { return folder_.File("Fangbuch.pdf"); }

    TempFolder folder_;
    ReportWriter writer_{folder_.Path()};
};

std::string Heading(int i) {
    return "Hecht, " + std::to_string(i * 10) + " cm, " + std::to_string(i * 100) + " g";
}

TEST_F(CatchBookTest, SevenCatchesFillThreePagesFromTheLastSelectedRow) {
    std::vector<Row> rows;
    for (int i = 1; i <= 7; ++i) {
        rows.push_back({{"Fischart", "Hecht"},
                        {"Laenge", std::to_string(i * 10)},
                        {"Gewicht", std::to_string(i * 100)},
                        {"Fangdatum", "0" + std::to_string(i) + ".06.2007"},
                        {"Fangzeit", "18:42:07"},
                        {"Koeder", "Wobbler"},
                        {"Lufttemp", "21,5"},
                        {"Windstaerke", "Schwach"},
                        {"Windrichtung", "NW"},
                        {"Faenger", "Uwe"}});
    }
    auto db = CatchTable(rows);
    writer_.SelectCatches(*db, "-Alle-", "-Alle-");
    EXPECT_EQ(writer_.PageCount(), 3);
    const ReportOutcome outcome = writer_.Write(Out().string());
    ASSERT_EQ(outcome.status, ReportOutcome::Status::Written) << outcome.message;

    EXPECT_EQ(CheckPdfFromOutside(Out(), {Heading(7), "gefangen am 07.06.2007 um 18:42:07 Uhr",
                                          "Wobbler", "21,5 °C", "Schwach, NW", "Uwe"}),
              "");
    // The last page holds one block; the two blank ones print nothing.
    const std::string last = PageText(Out(), 3);
    EXPECT_EQ(CountOf(last, "Lufttemp.:"), 1) << last;
    EXPECT_EQ(CountOf(last, "Köder:"), 1) << last;
    EXPECT_EQ(CountOf(PageText(Out(), 1), "Lufttemp.:"), 3);

    // One bookmark per page at its top, one child per block at the block's
    // top-left corner (blocks at 2 + 25 + j × 223 below the top of a page
    // 700 high, 32 from the left).
    const std::vector<Bookmark> pages = ReadBookmarks(Out());
    ASSERT_EQ(pages.size(), 3u);
    const std::vector<std::vector<int>> expected = {{7, 6, 5}, {4, 3, 2}, {1}};
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(pages[p].title, "Seite " + std::to_string(p + 1));
        EXPECT_EQ(pages[p].page, int(p) + 1);
        EXPECT_EQ(pages[p].top, 700);
        ASSERT_EQ(pages[p].kids.size(), expected[p].size()) << p;
        for (std::size_t b = 0; b < expected[p].size(); ++b) {
            const Bookmark& block = pages[p].kids[b];
            EXPECT_EQ(block.title, Heading(expected[p][b]));
            EXPECT_EQ(block.page, int(p) + 1);
            EXPECT_EQ(block.left, 32);
            EXPECT_EQ(block.top, 700 - (27 + 223 * int(b)));
        }
    }

    const std::string pdf = ReadBytes(Out());
    EXPECT_EQ(CountOf(pdf, "/MediaBox [0 0 600 700 ]"), 3);
    EXPECT_NE(pdf.find("/Title (Zelvorin)"), std::string::npos);
    EXPECT_NE(pdf.find("/Author (Zelvorin)"), std::string::npos);
    EXPECT_NE(pdf.find("/PageMode /UseOutlines"), std::string::npos);
    EXPECT_NE(pdf.find("/PageLayout /OneColumn"), std::string::npos);
    // Page 1 is object 5 (after catalog, outlines, information, page tree).
    EXPECT_NE(pdf.find("/OpenAction [5 0 R /XYZ 0 710 1 ]"), std::string::npos);
}

TEST_F(CatchBookTest, CatcherAndYearFiltersSelectTheirCatchesAndYears) {
    auto db = CatchTable({{{"Faenger", "Uwe"}, {"Fangdatum", "05.06.2007"}},
                          {{"Faenger", "Uwe"}, {"Fangdatum", "06.06.2007"}},
                          {{"Faenger", "Uwe"}, {"Fangdatum", "01.05.2008"}},
                          {{"Faenger", "Jan"}, {"Fangdatum", "02.05.2008"}},
                          {{"Faenger", "Jan"}, {"Fangdatum", "03.03.2009"}},
                          {{"Faenger", "uwe"}, {"Fangdatum", "04.04.2010"}}});
    const struct {
        const char* catcher;
        const char* year;
        std::vector<int> rows;
        const char* title;
    } cases[] = {
        {"-Alle-", "-Alle-", {1, 2, 3, 4, 5, 6}, ""},
        {"Uwe", "-Alle-", {1, 2, 3}, ""},
        {"Uwe", "2008", {3}, "2008"},
        {"-Alle-", "2008", {3, 4}, "2008"},
        {"Jan", "2007", {}, "2007"},
    };
    for (const auto& c : cases) {
        writer_.SelectCatches(*db, c.catcher, c.year);
        EXPECT_EQ(writer_.SelectedRows(), c.rows) << c.catcher << " " << c.year;
        EXPECT_EQ(writer_.PRPage1().Title(), c.title);
    }

    using Years = std::vector<std::string>;
    EXPECT_EQ(ReportCatchYears(*db, "Uwe"), (Years{"-Alle-", "2008", "2007"}));
    EXPECT_EQ(ReportCatchYears(*db, "Jan"), (Years{"-Alle-", "2009", "2008"}));
    EXPECT_EQ(ReportCatchYears(*db, "-Alle-"), (Years{"-Alle-", "2010", "2009", "2008", "2007"}));

    EXPECT_EQ(ReportCatcherChoices(folder_.Path()), Years{"-Alle-"});
    std::filesystem::create_directories(folder_.File("DATs"));
    WriteBytes(folder_.File("DATs/Faenger.dat"), "Uwe\r\nJan\r\n");
    EXPECT_EQ(ReportCatcherChoices(folder_.Path()), (Years{"-Alle-", "Uwe", "Jan"}));
}

TEST_F(CatchBookTest, ThePictureIsTheFirstNamedFileAndAMissingOneLeavesTheFrame) {
    std::filesystem::create_directories(folder_.File("img"));
    WriteBytes(folder_.File("img/bild1.jpg"), MakeJpeg(640, 480));
    WriteBytes(folder_.File("img/bild2.jpg"), MakeJpeg(320, 240));
    WriteBytes(folder_.File("img/kaputt.jpg"), "kein JPEG");
    auto db = CatchTable({{{"Fischart", "Hecht"}, {"Bilder", "bild1.jpg,bild2.jpg"}},
                          {{"Fischart", "Zander"}, {"Bilder", "fehlt.jpg"}},
                          {{"Fischart", "Barsch"}, {"Bilder", "kaputt.jpg"}}});
    writer_.SelectCatches(*db, "-Alle-", "-Alle-");
    ASSERT_EQ(writer_.Write(Out().string()).status, ReportOutcome::Status::Written);
    EXPECT_EQ(CheckPdfFromOutside(Out(), {"Hecht", "Zander", "Barsch"}), "");

    const std::string pdf = ReadBytes(Out());
    EXPECT_EQ(CountOf(pdf, "/Subtype /Image"), 1);
    EXPECT_NE(pdf.find("/Width 640"), std::string::npos);
    const std::string content = PageContent(Out(), 0);
    // The only picture fills the box of the third block (Hecht, the first
    // row); every block keeps its picture frame.
    EXPECT_EQ(CountOf(content, " Do"), 1) << content;
    EXPECT_NE(content.find("200 0 0 150 351 71 cm"), std::string::npos) << content;
    for (int blockTop : {27, 250, 473}) {
        EXPECT_NE(content.find("351 " + std::to_string(700 - blockTop - 6) + " m"),
                  std::string::npos)
            << blockTop;
    }
}

TEST_F(CatchBookTest, ARunThatStopsLeavesTheTargetAsItWas) {
    std::vector<Row> rows(7, Row{{"Fischart", "Hecht"}});
    auto db = CatchTable(rows);
    auto costs = CostTable({{{"Kaufdatum", "01.01.2007"}, {"Gesamtpreis", "zwölf"}}});
    const struct {
        const char* what;
        ReportKind kind;
        ReportProgress progress;
        ReportOutcome::Status status;
        const char* message;
    } cases[] = {
        {"cancel after a page", ReportKind::CatchBook,
         ReportProgress{[](int page, int) { return page < 1; }, {}},
         ReportOutcome::Status::Cancelled, ""},
        {"cancel while writing", ReportKind::CatchBook,
         ReportProgress{{}, [](std::size_t written, std::size_t) { return written < 20; }},
         ReportOutcome::Status::Cancelled, ""},
        {"amount that is no number",
         ReportKind::CostList,
         {},
         ReportOutcome::Status::Failed,
         "'zwölf' ist kein gültiger Gleitkommawert"},
    };
    WriteBytes(Out(), "alter Bericht");
    for (const auto& c : cases) {
        if (c.kind == ReportKind::CatchBook) {
            writer_.SelectCatches(*db, "-Alle-", "-Alle-");
        } else {
            writer_.SelectCosts(*costs, "-Alle-");
        }
        const ReportOutcome outcome = writer_.Write(Out().string(), c.progress);
        EXPECT_EQ(outcome.status, c.status) << c.what;
        EXPECT_EQ(outcome.message, c.message) << c.what;
        EXPECT_EQ(ReadBytes(Out()), "alter Bericht") << c.what;
        EXPECT_EQ(FileNames(folder_.Path()), std::vector<std::string>{"Fangbuch.pdf"}) << c.what;
        EXPECT_FALSE(writer_.PReport1().HasDocument()) << c.what;
    }

    // A file the writer cannot create: its German reason names the file.
    const std::string unreachable = folder_.File("fehlt/Fangbuch.pdf").string();
    writer_.SelectCatches(*db, "-Alle-", "-Alle-");
    const ReportOutcome failed = writer_.Write(unreachable);
    EXPECT_EQ(failed.status, ReportOutcome::Status::Failed);
    EXPECT_NE(failed.message.find(unreachable), std::string::npos) << failed.message;

    // A date that cannot be read stops the selection with its message.
    auto badDate = CatchTable({{{"Fangdatum", "32.13.2007"}}});
    try {
        writer_.SelectCatches(*badDate, "-Alle-", "2007");
        ADD_FAILURE() << "no conversion error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'32.13.2007' ist kein gültiges Datum");
    }

    // Nothing selected: a clear message and no file.
    writer_.SelectCatches(*db, "Niemand", "-Alle-");
    const ReportOutcome none = writer_.Write(folder_.File("leer.pdf").string());
    EXPECT_EQ(none.status, ReportOutcome::Status::Failed);
    EXPECT_EQ(none.message, kNoSelectedData);
    EXPECT_FALSE(std::filesystem::exists(folder_.File("leer.pdf")));
}

} // namespace
} // namespace zv
