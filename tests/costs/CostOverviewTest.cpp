// The overview's choices and tree, deleting a purchase, the year summary and
// the search, on small cost tables.

#include "CostTestSupport.h"

#include "base/EConvertError.h"
#include "costs/CostOverview.h"
#include "costs/CostSearch.h"
#include "costs/YearSummary.h"

namespace zv::test {
namespace {

using Strings = std::vector<std::string>;
using Cells = std::array<std::string, 4>;

class CostOverviewTest : public CostFixture {};

TEST_F(CostOverviewTest, EmptyTableOffersTheCurrentYearAndSumsToZero) {
    UseRows({});
    EXPECT_EQ(FillYears(Ak(), Now()), (Strings{"-Alle-", "2024"}));
    EXPECT_EQ(FillShops(Ak(), "-Alle-"), (Strings{"-Alle-"}));
    const PurchaseTree tree = BuildPurchaseTree(Ak(), "-Alle-", "-Alle-");
    EXPECT_TRUE(tree.purchases.empty());
    EXPECT_EQ((Strings{tree.ShippingText(), tree.ArticleText(), tree.GrandText()}),
              (Strings{"0,00 €", "0,00 €", "0,00 €"}));
}

TEST_F(CostOverviewTest, PurchasesNewestFirstSameDayByShopDescendingArticlesLastStoredFirst) {
    UseRows({{"02.03.2022", "Alpha", "Rute", "1", "50,00", "50,00", "4,90"},
             {"02.03.2022", "beta", "Pose", "2", "1,50", "3,00", ""},
             {"02.03.2022", "Alpha", "Rolle", "1", "30,00", "30,00", ""},
             {"10.03.2022", "Alpha", "Haken", "10", "0,10", "1,00", ""},
             {"01.12.2021", "Gamma", "Kescher", "1", "25,00", "25,00", "0,00"}});
    const PurchaseTree tree = BuildPurchaseTree(Ak(), "-Alle-", "");
    ASSERT_EQ(tree.purchases.size(), 4u);
    const Cells purchases[] = {{"10.03.2022", "Alpha", "", "1,00 €"},
                               {"02.03.2022", "beta", "", "3,00 €"},
                               {"02.03.2022", "Alpha", "4,90 €", "80,00 €"},
                               {"01.12.2021", "Gamma", "", "25,00 €"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(tree.purchases[i].purchase.cells, purchases[i]) << i;
    }
    ASSERT_EQ(tree.purchases[2].articles.size(), 2u);
    EXPECT_EQ(tree.purchases[2].articles[0].cells, (Cells{"Rolle", "1", "30,00 €", "30,00 €"}));
    EXPECT_EQ(tree.purchases[2].articles[1].cells, (Cells{"Rute", "1", "50,00 €", "50,00 €"}));
    EXPECT_EQ(tree.ArticleCount(), 5u);
    EXPECT_EQ((Strings{tree.ShippingText(), tree.ArticleText(), tree.GrandText()}),
              (Strings{"4,90 €", "109,00 €", "113,90 €"}));
}

TEST_F(CostOverviewTest, ShopsDifferingOnlyInCaseAreTwoPurchasesButOneChoice) {
    UseRows({{"02.03.2022", "Angelhaus", "Rute", "1", "50,00", "50,00", ""},
             {"02.03.2022", "ANGELHAUS", "Pose", "1", "2,00", "2,00", ""},
             {"02.03.2022", "Angelhaus", "Blei", "1", "1,00", "1,00", ""}});
    EXPECT_EQ(FillShops(Ak(), "-Alle-"), (Strings{"-Alle-", "Angelhaus"}));
    const PurchaseTree tree = BuildPurchaseTree(Ak(), "-Alle-", "-Alle-");
    ASSERT_EQ(tree.purchases.size(), 2u);
    EXPECT_EQ(tree.purchases[0].purchase.cells, (Cells{"02.03.2022", "Angelhaus", "", "51,00 €"}));
    EXPECT_EQ(tree.purchases[1].purchase.cells, (Cells{"02.03.2022", "ANGELHAUS", "", "2,00 €"}));
    // The shop filter compares exactly.
    EXPECT_EQ(BuildPurchaseTree(Ak(), "-Alle-", "ANGELHAUS").purchases.size(), 1u);
}

TEST_F(CostOverviewTest, YearChoiceNarrowsShopsAndPurchases) {
    UseRows({{"05.05.2019", "Zander-Eck", "Rute", "1", "40,00", "40,00", ""},
             {"", "Zander-Eck", "Pose", "1", "2,00", "2,00", ""}, // belongs to 2019
             {"06.06.2023", "Böhm", "Rolle", "1", "30,00", "30,00", ""},
             {"07.07.2023", "angelbude", "Haken", "1", "1,00", "1,00", ""},
             {"08.08.2025", "Zukunft", "Haken", "1", "1,00", "1,00", ""}});
    EXPECT_EQ(FillShops(Ak(), "2023"), (Strings{"-Alle-", "angelbude", "Böhm"}));
    EXPECT_EQ(FillShops(Ak(), "2019"), (Strings{"-Alle-", "Zander-Eck"}));
    EXPECT_EQ(FillShops(Ak(), "-Alle-"),
              (Strings{"-Alle-", "angelbude", "Böhm", "Zander-Eck", "Zukunft"}));
    const PurchaseTree tree = BuildPurchaseTree(Ak(), "2023", "-Alle-");
    ASSERT_EQ(tree.purchases.size(), 2u);
    EXPECT_EQ(tree.purchases[0].purchase[kPurchaseShop], "angelbude");
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
    EXPECT_EQ(RowsOf(Ak()), rest);
    // An article row's cells name no purchase: nothing goes.
    ASSERT_TRUE(DeletePurchase(*workspace_, "Pose", "2", &deleted).ok);
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(Ak().RowCount(), 2);
}

TEST_F(CostOverviewTest, YearSummaryComparesWithTheCalendarYearBefore) {
    UseRows({{"01.02.2024", "A", "Rute", "1", "95,00", "95,00", "5,00"},
             {"01.02.2023", "A", "Rute", "1", "80,00", "80,00", ""},
             {"01.02.2021", "A", "Rute", "1", "50,00", "50,00", ""},
             {"01.02.2020", "A", "Rute", "1", "60,00", "60,00", ""},
             {"31.12.1964", "A", "Rute", "1", "7,00", "7,00", ""},   // slot 60
             {"31.12.1963", "A", "Rute", "1", "9,00", "9,00", ""},   // too old
             {"01.01.2025", "A", "Rute", "1", "9,00", "9,00", ""}}); // later
    struct Line {
        int id;
        int year;
        const char* amount;
        const char* euro;
        const char* percent;
        YearColour colour;
    };
    const Line expected[] = {{0, 2024, "100,00", "20,00", "25,00", YearColour::Red},
                             {1, 2023, "80,00", "0", "0", YearColour::Normal},
                             {3, 2021, "50,00", "-10,00", "-16,67", YearColour::Green},
                             {4, 2020, "60,00", "0", "0", YearColour::Normal},
                             {60, 1964, "7,00", "0", "0", YearColour::Normal}};
    const std::vector<YearSummaryItem> items = BuildYearSummary(Ak(), Now());
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(expected[i].year);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].year, expected[i].year);
        EXPECT_EQ(items[i].amount, expected[i].amount);
        EXPECT_EQ(items[i].changeEuro, expected[i].euro);
        EXPECT_EQ(items[i].changePercent, expected[i].percent);
        EXPECT_EQ(items[i].colour, expected[i].colour);
    }
    EXPECT_EQ(YearColourOf("0,00"), YearColour::Normal);
}

TEST_F(CostOverviewTest, UnreadableDateOrAmountStopsEachComputation) {
    enum Step { Years, Shops, Tree, Summary };
    struct Case {
        CostRow row;
        std::vector<Step> stopping;
        std::string message;
    };
    const Case cases[] = {
        {{"31.02.2024", "A", "Rute", "1", "1,00", "1,00", ""},
         {Years, Shops, Tree, Summary},
         "'31.02.2024' ist kein gültiges Datum"},
        {{"", "A", "Rute", "1", "1,00", "1,00", ""},
         {Years, Tree, Summary},
         "'' ist kein gültiges Datum"},
        {{"01.02.2024", "A", "Rute", "1", "1,00", "1.00", ""},
         {Tree, Summary},
         "'1.00' ist kein gültiger Gleitkommawert"},
        {{"01.02.2024", "A", "Rute", "1", "1,00", "1,00", "gratis"},
         {Tree, Summary},
         "'gratis' ist kein gültiger Gleitkommawert"},
        {{"01.02.2024", "A", "Rute", "1", "1,00", "", ""},
         {Summary},
         "'' ist kein gültiger Gleitkommawert"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        UseRows({{"01.01.2024", "B", "Pose", "1", "1,00", "1,00", ""}, c.row});
        const std::vector<CostRow> before = RowsOf(Ak());
        for (Step step : {Years, Shops, Tree, Summary}) {
            std::string message;
            try {
                switch (step) {
                case Years:
                    FillYears(Ak(), Now());
                    break;
                case Shops:
                    FillShops(Ak(), "-Alle-");
                    break;
                case Tree:
                    BuildPurchaseTree(Ak(), "-Alle-", "-Alle-");
                    break;
                case Summary:
                    BuildYearSummary(Ak(), Now());
                    break;
                }
            } catch (const EConvertError& error) {
                message = error.what();
            }
            const bool stops =
                std::find(c.stopping.begin(), c.stopping.end(), step) != c.stopping.end();
            EXPECT_EQ(message, stops ? c.message : "") << "step " << step;
        }
        EXPECT_EQ(RowsOf(Ak()), before);
    }
}

TEST_F(CostOverviewTest, SearchFindsShopsAndArticlesFoldingOnlyAToZ) {
    UseRows({{"01.02.2024", "Ruten-Shop", "Pose", "2", "1,50", "3,00", ""},
             {"01.02.2024", "Nord", "Karpfenrute", "1", "99,00", "99,00", "4,90"},
             {"02.02.2024", "Nord", "Ärmelschoner", "1", "5,00", "5,00", ""},
             {"03.02.2024", "Süd", "Rute", "1", "50,00", "50,00", ""},
             {"03.02.2024", "Süd", "Rolle", "1", "30,00", "30,00", ""}});
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
