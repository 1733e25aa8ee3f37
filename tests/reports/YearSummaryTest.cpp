#include "ReportTestSupport.h"

#include "costs/YearSummary.h"
#include "reports/ReportWriter.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zv {
namespace {

using namespace test;

// The fill colour ("r g b rg") in effect for each text shown on a page.
std::map<std::string, std::string> TextColours(const std::string& content) {
    std::map<std::string, std::string> colours;
    std::istringstream lines(content);
    std::string line;
    std::string colour;
    while (std::getline(lines, line)) {
        if (line.size() > 3 && line.compare(line.size() - 3, 3, " rg") == 0) {
            colour = line.substr(0, line.size() - 3);
        } else if (line.size() > 3 && line.compare(line.size() - 3, 3, " Tj") == 0) {
            const std::size_t open = line.find('(');
            const std::size_t close = line.rfind(')');
            if (open != std::string::npos && close != std::string::npos) {
                colours[line.substr(open + 1, close - open - 1)] = colour;
            }
        }
    }
    return colours;
}

Row Cost(const std::string& date, const std::string& price, const std::string& shipping = "") {
    return {{"Kaufdatum", date}, {"Gesamtpreis", price}, {"Versandkosten", shipping}};
}

TEST(YearSummaryTest, LinesAndColoursAreThoseOfTheYearSummaryList) {
    TempFolder folder;
    const TDateTime now = EncodeDate(2009, 3, 1);
    auto ak = CostTable({Cost("01.02.2009", "90,00", "10,00"), Cost("05.05.2008", "80,00"),
                         Cost("06.06.2007", "120,00"), Cost("07.07.2005", "50,00"),
                         Cost("08.08.2004", "50,00"), Cost("09.09.2010", "999,00")});
    const std::vector<YearSummaryItem> list = BuildYearSummary(*ak, now);
    ASSERT_EQ(list.size(), 5u);

    ReportWriter writer(folder.Path());
    writer.SelectYears(*ak, now);
    ASSERT_EQ(writer.EntryCount(), 5);
    const auto out = folder.File("Jahre.pdf");
    ASSERT_EQ(writer.Write(out.string()).status, ReportOutcome::Status::Written);

    std::vector<std::string> texts = {"Jahr:", "Betrag:", "+/- Vorjahr (€):", "+/- Vorjahr (%):"};
    for (const YearSummaryItem& item : list) {
        for (const std::string& text : {std::to_string(item.year), item.amount + " €",
                                        item.changeEuro + " €", item.changePercent + " %"}) {
            texts.push_back(text);
        }
    }
    EXPECT_EQ(CheckPdfFromOutside(out, texts), "");

    // A rise is red, a fall green, no change (or no year before) black.
    const std::map<std::string, std::string> colours = TextColours(PageContent(out, 0));
    const struct {
        const char* year;
        const char* change;
        const char* colour;
    } expected[] = {{"2009", "20,00", "1 0 0"},
                    {"2008", "-40,00", "0 0.5 0"},
                    {"2007", "0", "0 0 0"},
                    {"2005", "0,00", "0 0 0"},
                    {"2004", "0", "0 0 0"}};
    const std::vector<Bookmark> pages = ReadBookmarks(out);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].kids.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(pages[0].kids[i].title, e.year);
        EXPECT_EQ(list[i].changeEuro, e.change);
        EXPECT_EQ(colours.at(e.year), e.colour) << e.year;
        EXPECT_EQ(colours.at(list[i].amount + " \x80"), e.colour) << e.year;
    }

    // Sixty-one years of costs fill a page and a part of the next.
    std::vector<Row> everyYear;
    for (int year = 1949; year <= 2009; ++year) {
        everyYear.push_back(Cost("01.01." + std::to_string(year), "1"));
    }
    auto full = CostTable(everyYear);
    writer.SelectYears(*full, now);
    EXPECT_EQ(writer.PageCount(), 2);
    ASSERT_EQ(writer.Write(out.string()).status, ReportOutcome::Status::Written);
    EXPECT_EQ(CheckPdfFromOutside(out, {"1949", "2009"}), "");
    const std::vector<Bookmark> two = ReadBookmarks(out);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].kids.size(), 11u);
    EXPECT_EQ(two[1].kids.back().title, "1949");
}

} // namespace
} // namespace zv
