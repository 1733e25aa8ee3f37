// The overview's choices and tree, deleting a purchase, the year summary and
// the search, on small cost tables.

#include "CostTestSupport.h"

#include "costs/CostOverview.h"
#include "costs/CostSearch.h"
#include "costs/YearSummary.h"

#include <functional>

namespace zv::test {
namespace {

using Strings = std::vector<std::string>;

// The tree as the overview shows it, articles indented, then the totals.
Strings Lines(const PurchaseTree& tree) {
    const auto join = [](const TTreeData& row) {
        return row[0] + ";" + row[1] + ";" + row[2] + ";" + row[3];
    };
    Strings lines;
    for (const PurchaseNode& purchase : tree.purchases) {
        lines.push_back(join(purchase.purchase));
        for (const TTreeData& article : purchase.articles) {
            lines.push_back("  " + join(article));
        }
    }
    lines.push_back(tree.ShippingText() + " " + tree.ArticleText() + " " + tree.GrandText());
    return lines;
}

class CostOverviewTest : public CostFixture {};

TEST_F(CostOverviewTest, EmptyTableOffersTheCurrentYearAndSumsToZero) {
    UseRows({});
    EXPECT_EQ(FillYears(Ak(), Now()), (Strings{"-Alle-", "2024"}));
    EXPECT_EQ(FillShops(Ak(), "-Alle-"), (Strings{"-Alle-"}));
    EXPECT_EQ(Lines(BuildPurchaseTree(Ak(), "-Alle-", "-Alle-")),
              (Strings{"0,00 € 0,00 € 0,00 €"}));
}

TEST_F(CostOverviewTest, PurchasesNewestFirstThenByShopDescendingWithCaseKeptApart) {
    UseRows({{"02.03.2022", "Alpha", "Rute", "1", "50,00", "50,00", "4,90"},
             {"02.03.2022", "beta", "Pose", "2", "1,50", "3,00", ""},
             {"02.03.2022", "Alpha", "Rolle", "1", "30,00", "30,00", ""},
             {"02.03.2022", "ALPHA", "Blei", "1", "2,00", "2,00", ""},
             {"10.03.2022", "Alpha", "Haken", "10", "0,10", "1,00", ""},
             {"01.12.2021", "Gamma", "Kescher", "1", "25,00", "25,00", "0,00"}});
    EXPECT_EQ(
        Lines(BuildPurchaseTree(Ak(), "-Alle-", "")),
        (Strings{"10.03.2022;Alpha;;1,00 €", "  Haken;10;0,10 €;1,00 €", "02.03.2022;beta;;3,00 €",
                 "  Pose;2;1,50 €;3,00 €", "02.03.2022;Alpha;4,90 €;80,00 €",
                 "  Rolle;1;30,00 €;30,00 €", "  Rute;1;50,00 €;50,00 €",
                 "02.03.2022;ALPHA;;2,00 €", "  Blei;1;2,00 €;2,00 €", "01.12.2021;Gamma;;25,00 €",
                 "  Kescher;1;25,00 €;25,00 €", "4,90 € 111,00 € 115,90 €"}));
    // The choice folds case (the first stored form stays); the filter does not.
    EXPECT_EQ(FillShops(Ak(), "-Alle-"), (Strings{"-Alle-", "Alpha", "beta", "Gamma"}));
    EXPECT_EQ(BuildPurchaseTree(Ak(), "-Alle-", "ALPHA").purchases.size(), 1u);
}

TEST_F(CostOverviewTest, YearChoiceNarrowsShopsAndPurchases) {
    UseRows({{"05.05.2019", "Zander-Eck", "Rute", "1", "40,00", "40,00", ""},
             {"", "Zander-Eck", "Pose", "1", "2,00", "2,00", ""}, // belongs to 2019
             {"06.06.2023", "Böhm", "Rolle", "1", "30,00", "30,00", ""},
             {"07.07.2023", "angelbude", "Haken", "1", "1,00", "1,00", ""},
             {"08.08.2023", "", "Wurm", "1", "1,00", "1,00", ""},
             {"08.08.2025", "Zukunft", "Haken", "1", "1,00", "1,00", ""}});
    // An empty shop name is no choice: it would mean "all shops".
    EXPECT_EQ(FillShops(Ak(), "2023"), (Strings{"-Alle-", "angelbude", "Böhm"}));
    EXPECT_EQ(FillShops(Ak(), "2019"), (Strings{"-Alle-", "Zander-Eck"}));
    const PurchaseTree tree = BuildPurchaseTree(Ak(), "2023", "-Alle-");
    ASSERT_EQ(tree.purchases.size(), 3u);
    EXPECT_EQ(tree.purchases[1].purchase[kPurchaseShop], "angelbude");
    EXPECT_EQ(BuildPurchaseTree(Ak(), "2023", "Böhm").purchases.size(), 1u);
    // The oldest row decides the years; a later row adds none.
    Ak().GoToRow(2);
    Ak().SetData("Kaufdatum", "01.01.2018");
    EXPECT_EQ(FillYears(Ak(), Now()),
              (Strings{"-Alle-", "2024", "2023", "2022", "2021", "2020", "2019", "2018"}));
}

TEST_F(CostOverviewTest, DeletingAPurchaseRemovesAllItsRowsAndSaves) {
    UseRows({{"02.03.2022", "Alpha", "Rute", "1", "50,00", "50,00", "4,90"},
             {"02.03.2022", "beta", "Pose", "2", "1,50", "3,00", ""},
             {"02.03.2022", "Alpha", "Rolle", "1", "30,00", "30,00", ""},
             {"02.03.2022", "alpha", "Blei", "1", "1,00", "1,00", ""},
             {"02.03.2022", "Alpha", "Haken", "1", "1,00", "1,00", ""}});
    int deleted = 0;
    ASSERT_TRUE(DeletePurchase(*workspace_, "02.03.2022", "Alpha", &deleted).ok);
    EXPECT_EQ(deleted, 3);
    const std::vector<CostRow> rest = {{"02.03.2022", "beta", "Pose", "2", "1,50", "3,00", ""},
                                       {"02.03.2022", "alpha", "Blei", "1", "1,00", "1,00", ""}};
    EXPECT_EQ(RowsOnDisk(), rest);
    // An article row's cells name no purchase: nothing goes.
    ASSERT_TRUE(DeletePurchase(*workspace_, "Pose", "2", &deleted).ok);
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(RowsOf(Ak()), rest);
}

TEST_F(CostOverviewTest, YearSummaryComparesWithTheCalendarYearBefore) {
    UseRows({{"01.02.2024", "A", "Rute", "1", "95,00", "95,00", "5,00"},
             {"01.02.2023", "A", "Rute", "1", "80,00", "80,00", ""},
             {"01.02.2021", "A", "Rute", "1", "50,00", "50,00", ""},
             {"01.02.2020", "A", "Rute", "1", "60,00", "60,00", ""},
             {"31.12.1964", "A", "Rute", "1", "7,00", "7,00", ""},   // slot 60
             {"31.12.1963", "A", "Rute", "1", "9,00", "9,00", ""},   // too old
             {"01.01.2025", "A", "Rute", "1", "9,00", "9,00", ""}}); // later
    const char* const colours[] = {"normal", "rot", "gruen"};
    Strings lines;
    for (const YearSummaryItem& item : BuildYearSummary(Ak(), Now())) {
        lines.push_back(std::to_string(item.id) + ";" + std::to_string(item.year) + ";" +
                        item.amount + ";" + item.changeEuro + ";" + item.changePercent + ";" +
                        colours[int(item.colour)]);
    }
    EXPECT_EQ(lines, (Strings{"0;2024;100,00;20,00;25,00;rot", "1;2023;80,00;0;0;normal",
                              "3;2021;50,00;-10,00;-16,67;gruen", "4;2020;60,00;0;0;normal",
                              "60;1964;7,00;0;0;normal"}));
    EXPECT_EQ(YearColourOf("0,00"), YearColour::Normal);
}

TEST_F(CostOverviewTest, UnreadableDateOrAmountStopsEachComputation) {
    const std::function<void()> steps[] = {[&] { FillYears(Ak(), Now()); },
                                           [&] { FillShops(Ak(), "-Alle-"); },
                                           [&] { BuildPurchaseTree(Ak(), "-Alle-", "-Alle-"); },
                                           [&] { BuildYearSummary(Ak(), Now()); }};
    struct Case {
        CostRow row;
        const char* stops; // per step: x stops, . runs
        std::string message;
    };
    const Case cases[] = {
        {{"31.02.2024", "A", "R", "1", "1,00", "1,00", ""},
         "xxxx",
         "'31.02.2024' ist kein gültiges Datum"},
        {{"", "A", "R", "1", "1,00", "1,00", ""}, "x.xx", "'' ist kein gültiges Datum"},
        {{"01.02.2024", "A", "R", "1", "1,00", "1.00", ""},
         "..xx",
         "'1.00' ist kein gültiger Gleitkommawert"},
        {{"01.02.2024", "A", "R", "1", "1,00", "1,00", "gratis"},
         "..xx",
         "'gratis' ist kein gültiger Gleitkommawert"},
        {{"01.02.2024", "A", "R", "1", "1,00", "", ""},
         "...x",
         "'' ist kein gültiger Gleitkommawert"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        UseRows({{"01.01.2024", "B", "Pose", "1", "1,00", "1,00", ""}, c.row});
        for (int step = 0; step < 4; ++step) {
            EXPECT_EQ(ErrorOf(steps[step]), c.stops[step] == 'x' ? c.message : "") << step;
        }
    }
}

TEST_F(CostOverviewTest, SearchFindsShopsAndArticlesFoldingOnlyAToZ) {
    UseRows({{"01.02.2024", "Ruten-Shop", "Pose", "2", "1,50", "3,00", ""},
             {"01.02.2024", "Nord", "Karpfenrute", "1", "99,00", "99,00", "4,90"},
             {"02.02.2024", "Nord", "Ärmelschoner", "1", "5,00", "5,00", ""},
             {"03.02.2024", "Süd", "Rute", "1", "50,00", "50,00", ""}});
    const auto rowsOf = [&](const char* term) {
        std::vector<int> rows;
        for (const CostSearchHit& hit : SearchCosts(Ak(), term)) {
            rows.push_back(hit.row);
        }
        return rows;
    };
    EXPECT_EQ(rowsOf("rute"), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(rowsOf("ä"), (std::vector<int>{}));
    EXPECT_EQ(rowsOf("Ä"), (std::vector<int>{3}));
    EXPECT_EQ(rowsOf("SÜD"), (std::vector<int>{}));
    EXPECT_EQ(rowsOf(""), (std::vector<int>{}));
    EXPECT_EQ(
        SearchCosts(Ak(), "KARPFEN")[0].cells,
        (std::array<std::string, 6>{"01.02.2024", "Nord", "Karpfenrute", "1", "99,00", "99,00"}));
}

} // namespace
} // namespace zv::test
