#include "ReportTestSupport.h"

#include "reports/ReportFilters.h"
#include "reports/ReportWriter.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zv {
namespace {

using namespace test;

class CostListTest : public ::testing::Test {
protected:
    std::filesystem::path Out() const { return folder_.File("Kosten.pdf"); }

    TempFolder folder_;
    ReportWriter writer_{folder_.Path()};
};

std::size_t OpenFileCount() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(fds), end(fds)));
}

Row Article(int number, const std::string& price, const std::string& shipping = "") {
    return {{"Kaufdatum", "05.06.2007"},
            {"Geschaeft", "Angel-Sepp"},
            {"Artikel", "Wobbler " + std::to_string(number)},
            {"Menge", "1"},
            {"Gesamtpreis", price},
            {"Versandkosten", shipping}};
}

TEST_F(CostListTest, TheSumLineFollowsTheItemsOnANewPageWhenTheyFillTheLast) {
    const struct {
        int items;
        int pages;
    } cases[] = {{49, 1}, {50, 2}, {51, 2}};
    const std::size_t openFiles = OpenFileCount();
    for (const auto& c : cases) {
        std::vector<Row> rows;
        for (int i = 1; i <= c.items; ++i) {
            rows.push_back(Article(i, "1,00"));
        }
        auto ak = CostTable(rows);
        writer_.SelectCosts(*ak, "-Alle-");
        EXPECT_EQ(writer_.PageCount(), c.pages) << c.items;
        ASSERT_EQ(writer_.Write(Out().string()).status, ReportOutcome::Status::Written);
        // Nothing of the written document stays open, its temporary file
        // neither.
        EXPECT_EQ(OpenFileCount(), openFiles) << c.items;
        EXPECT_EQ(CheckPdfFromOutside(Out(), {"Wobbler 1"}), "") << c.items;

        const std::vector<Bookmark> pages = ReadBookmarks(Out());
        ASSERT_EQ(pages.size(), std::size_t(c.pages));
        const std::vector<Bookmark>& lastLines = pages.back().kids;
        ASSERT_FALSE(lastLines.empty());
        const std::string sum =
            "Summe (inkl. 0,00 € Versandkosten): " + std::to_string(c.items) + ",00 €";
        EXPECT_EQ(lastLines.back().title, sum) << c.items;
        // Lines of 14 or 15 points: the k-th line sits trunc(k × 727 ÷ 50)
        // below the grid's top (32 + 24 + 25).
        const int k = static_cast<int>(lastLines.size()) - 1;
        EXPECT_EQ(lastLines.back().top, 842 - (81 + k * 727 / 50)) << c.items;
        EXPECT_EQ(pages.front().kids.front().title,
                  "05.06.2007, Angel-Sepp, Wobbler " + std::to_string(c.items));
        if (c.items == 50) {
            EXPECT_EQ(pages[0].kids.size(), 50u);
            EXPECT_EQ(lastLines.size(), 1u);
            const std::string second = PageText(Out(), 2);
            EXPECT_NE(second.find("Summe (inkl. 0,00 € Versandkosten):"), std::string::npos);
            EXPECT_EQ(second.find("Wobbler"), std::string::npos) << second;
        }
    }
}

TEST_F(CostListTest, TheSumLineNamesTheShippingAndAddsIt) {
    auto ak = CostTable({Article(1, "10,00", "4,90"), Article(2, "5,50")});
    writer_.SelectCosts(*ak, "-Alle-");
    ASSERT_EQ(writer_.Write(Out().string()).status, ReportOutcome::Status::Written);
    EXPECT_EQ(CheckPdfFromOutside(Out(), {"Summe (inkl. 4,90 € Versandkosten):", "20,40 €",
                                          "10,00 €", "5,50 €", "Angel-Sepp",
                                          "Datum:", "Geschäft:", "Artikel:", "#:", "Preis:"}),
              "");
    // Item prices red, the sum bold; the lines under the items only.
    const std::string content = PageContent(Out(), 0);
    EXPECT_NE(content.find("1 0 0 rg"), std::string::npos);
    EXPECT_NE(content.find("/F1 10 Tf"), std::string::npos) << content;
    EXPECT_EQ(CountOf(content, "\n561 "), 2) << content;
    EXPECT_NE(content.find("561 " + std::to_string(842 - 81 - 13) + " l"), std::string::npos);
}

TEST_F(CostListTest, AYearListsOnlyItsRowsAndNamesItInTheTitle) {
    auto ak = CostTable({{{"Kaufdatum", "31.12.2006"}, {"Artikel", "Alt"}, {"Gesamtpreis", "1"}},
                         {{"Kaufdatum", "01.01.2007"}, {"Artikel", "Neu"}, {"Gesamtpreis", "2"}}});
    writer_.SelectCosts(*ak, "2007");
    EXPECT_EQ(writer_.SelectedRows(), std::vector<int>{2});
    ASSERT_EQ(writer_.Write(Out().string()).status, ReportOutcome::Status::Written);
    EXPECT_EQ(CheckPdfFromOutside(Out(), {"Neu"}), "");
    const std::string text = PageText(Out(), 1);
    EXPECT_NE(text.find("2007"), std::string::npos);
    EXPECT_EQ(text.find("Alt"), std::string::npos);
}

TEST_F(CostListTest, ARunAfterAFailedOneStartsItsSumsAfresh) {
    auto ak = CostTable({Article(1, "x"), Article(2, "10,00", "1,00")});
    writer_.SelectCosts(*ak, "-Alle-");
    EXPECT_EQ(writer_.Write(Out().string()).status, ReportOutcome::Status::Failed);
    ak->GoToRow(1);
    ak->SetData("Gesamtpreis", "5,00");
    ASSERT_EQ(writer_.Write(Out().string()).status, ReportOutcome::Status::Written);
    EXPECT_EQ(CheckPdfFromOutside(Out(), {"Summe (inkl. 1,00 € Versandkosten):", "16,00 €"}), "");
}

// The first page drawn in grey levels at 72 dpi: one pixel per point,
// counted from the top-left corner.
class PageImage {
public:
    explicit PageImage(const std::filesystem::path& pdf) {
        const std::filesystem::path stem = pdf.parent_path() / "seite";
        int status = 0;
        RunCommand("pdftoppm -r 72 -gray -f 1 -l 1 -singlefile '" + pdf.string() + "' '" +
                       stem.string() + "'",
                   status);
        EXPECT_EQ(status, 0);
        const std::string bytes = ReadBytes(stem.string() + ".pgm");
        std::istringstream header(bytes);
        std::string magic;
        int depth = 0;
        header >> magic >> width_ >> height_ >> depth;
        EXPECT_EQ(magic, "P5");
        pixels_ = bytes.substr(bytes.size() - std::size_t(width_) * std::size_t(height_));
    }
    // Whether anything is drawn in the rectangle.
    bool Inked(int left, int top, int right, int bottom) const {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (static_cast<unsigned char>(pixels_[std::size_t(y * width_ + x)]) < 128) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::string pixels_;
};

TEST_F(CostListTest, ShopAndArticleStayInTheirColumns) {
    const std::string longText(60, 'W');
    // The column each text must not reach, left and right edge on the page
    // (margin 32): the article's beside the shop, the quantity's beside the
    // article; the first line lies 81 to 95 points from the top.
    const struct {
        std::string shop;
        std::string article;
        int left;
        int right;
    } cases[] = {{longText, "", 32 + 190, 32 + 430}, {"", longText, 32 + 435, 32 + 463}};
    for (const auto& c : cases) {
        auto ak = CostTable({{{"Kaufdatum", "05.06.2007"},
                              {"Geschaeft", c.shop},
                              {"Artikel", c.article},
                              {"Gesamtpreis", "1,00"}}});
        writer_.SelectCosts(*ak, "-Alle-");
        ASSERT_EQ(writer_.Write(Out().string()).status, ReportOutcome::Status::Written);
        EXPECT_FALSE(PageImage(Out()).Inked(c.left, 83, c.right, 94)) << c.left;
    }
}

} // namespace
} // namespace zv
