// Entering a purchase: the tree cells, the in-place edit and the rows a save
// writes in add and edit mode.

#include "CostTestSupport.h"

#include "costs/CostFields.h"
#include "costs/CostOverview.h"
#include "costs/PurchaseEntry.h"

#include <fstream>

namespace zv::test {
namespace {

using Cells = std::array<std::string, 4>;

class PurchaseEntryTest : public CostFixture {
protected:
    // A purchase at "Angelshop Nord" on 03.05.2024 with three articles.
    static PurchaseEntry ThreeArticles(const char* shipping) {
        PurchaseEntry entry;
        entry.OpenForAdd();
        EXPECT_TRUE(entry.StartPurchase(EncodeDate(2024, 5, 3), "Angelshop Nord", shipping));
        EXPECT_TRUE(entry.AddArticle("Karpfenrute", "2", "3"));
        EXPECT_TRUE(entry.AddArticle("Haken", "1,5", "2,40"));
        EXPECT_TRUE(entry.AddArticle("Schnur 0,25", "1", "12,5 €"));
        return entry;
    }
};

TEST_F(PurchaseEntryTest, ArticlesShowDisplayFormsAndGrowTheSum) {
    const PurchaseEntry entry = ThreeArticles("4,90");
    EXPECT_EQ(entry.Purchase().cells, (Cells{"03.05.2024", "Angelshop Nord", "4,90 €", "22,10 €"}));
    EXPECT_EQ(entry.Articles()[0].cells, (Cells{"Karpfenrute", "2", "3,00 €", "6,00 €"}));
    EXPECT_EQ(entry.Articles()[1].cells, (Cells{"Haken", "1,5", "2,40 €", "3,60 €"}));
    // No articles yet: the sum cell stays empty; no purchase: nothing added;
    // a second purchase waits until the first is saved.
    PurchaseEntry fresh;
    EXPECT_FALSE(fresh.AddArticle("Rute", "1", "1"));
    ASSERT_TRUE(fresh.StartPurchase(EncodeDate(2024, 5, 3), "X", ""));
    EXPECT_EQ(fresh.Purchase().cells, (Cells{"03.05.2024", "X", "", ""}));
    EXPECT_FALSE(fresh.StartPurchase(EncodeDate(2024, 5, 4), "Y", ""));
}

TEST_F(PurchaseEntryTest, AddModeStoresOneRowPerArticleWithShippingInTheFirstOnly) {
    for (const char* shipping : {"4,90", ""}) {
        SCOPED_TRACE(shipping);
        UseRows({{"01.01.2024", "Alt", "Pose", "1", "1,00", "1,00", ""}});
        PurchaseEntry entry = ThreeArticles(shipping);
        ASSERT_TRUE(entry.SavePurchase(*workspace_).ok);
        EXPECT_TRUE(entry.Empty());
        const std::vector<CostRow> expected = {
            {"01.01.2024", "Alt", "Pose", "1", "1,00", "1,00", ""},
            {"03.05.2024", "Angelshop Nord", "Karpfenrute", "2", "3,00", "6,00", shipping},
            {"03.05.2024", "Angelshop Nord", "Haken", "1,5", "2,40", "3,60", ""},
            {"03.05.2024", "Angelshop Nord", "Schnur 0,25", "1", "12,50", "12,50", ""}};
        EXPECT_EQ(RowsOnDisk(), expected);
        EXPECT_EQ(RowsOf(Ak()), expected);
    }
}

TEST_F(PurchaseEntryTest, InPlaceQuantityChangeRewritesTotalsAndALaterArticleAddsToThem) {
    // The quantity 1,5 of "Haken" does not stop the recalculation: a total
    // left stale beside a changed quantity would be stored as it stands.
    PurchaseEntry entry = ThreeArticles("");
    entry.SetCellText(0, kArticleQuantity, "3");
    EXPECT_EQ(entry.Articles()[0][kArticleTotal], "9,00 €");
    EXPECT_EQ(entry.Purchase()[kPurchaseSum], "25,10 €");
    ASSERT_TRUE(entry.AddArticle("Blei", "4", "0,25"));
    EXPECT_EQ(entry.Purchase()[kPurchaseSum], "26,10 €");
}

TEST_F(PurchaseEntryTest, EditedMoneyCellsReadAsGermanNumbers) {
    struct Case {
        const char* typed;
        const char* price;
        const char* total;
    };
    // The unit price is kept at the two decimals that are stored.
    const Case cases[] = {{"1234", "1234,00 €", "2468,00 €"}, {"0,999", "1,00 €", "2,00 €"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PurchaseEntry entry = ThreeArticles("");
        entry.SetCellText(0, kArticlePrice, c.typed);
        EXPECT_EQ(entry.Articles()[0][kArticlePrice], c.price);
        EXPECT_EQ(entry.Articles()[0][kArticleTotal], c.total);
    }
    PurchaseEntry entry = ThreeArticles("");
    entry.SetCellText(-1, kPurchaseShipping, "5");
    entry.SetCellText(-1, kPurchaseDate, "4.5.24");
    EXPECT_EQ(entry.Purchase()[kPurchaseShipping], "5,00 €");
    EXPECT_EQ(entry.Purchase()[kPurchaseDate], "04.05.2024");
}

TEST_F(PurchaseEntryTest, BadTextStopsEachStepWithNothingChanged) {
    PurchaseEntry entry;
    EXPECT_EQ(ErrorOf([&] { entry.StartPurchase(EncodeDate(2024, 5, 3), "Nord", "4.90"); }),
              "'4.90' ist kein gültiger Gleitkommawert");
    EXPECT_TRUE(entry.Empty());
    const PurchaseEntry before = ThreeArticles("");
    entry = before;
    EXPECT_EQ(ErrorOf([&] { entry.AddArticle("Blei", "1", ""); }),
              "'' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(ErrorOf([&] { entry.AddArticle("Blei", "zwei", "1"); }),
              "'zwei' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(ErrorOf([&] { entry.AddArticle("Blei", "1e300", "1"); }),
              "'1e300' ist kein gültiger Gleitkommawert");
    EXPECT_NE(ErrorOf([&] { entry.AddArticle("Blei ✓", "1", "1"); }).find("\"✓\""),
              std::string::npos);
    EXPECT_EQ(entry.Articles(), before.Articles());
    EXPECT_EQ(entry.Purchase(), before.Purchase());

    // In place: the typed text stays in its cell, every total stays, and
    // the save refuses the text too and writes nothing.
    struct Case {
        int article;
        int column;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {1, kArticleQuantity, "viele", "'viele' ist kein gültiger Gleitkommawert"},
        {1, kArticleQuantity, "1e300", "'1e300' ist kein gültiger Gleitkommawert"},
        {2, kArticlePrice, "teuer", "'teuer' ist kein gültiger Gleitkommawert"},
        {-1, kPurchaseShipping, "gratis", "'gratis' ist kein gültiger Gleitkommawert"},
        {-1, kPurchaseDate, "31.02.2024", "'31.02.2024' ist kein gültiges Datum"}};
    UseRows({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        entry = before;
        EXPECT_EQ(ErrorOf([&] { entry.SetCellText(c.article, c.column, c.text); }), c.message);
        const TTreeData& row = c.article < 0 ? entry.Purchase() : entry.Articles()[c.article];
        EXPECT_EQ(row[std::size_t(c.column)], c.text);
        for (std::size_t i = 0; i < before.Articles().size(); ++i) {
            EXPECT_EQ(entry.Articles()[i][kArticleTotal], before.Articles()[i][kArticleTotal]);
        }
        EXPECT_EQ(entry.Purchase()[kPurchaseSum], before.Purchase()[kPurchaseSum]);
        EXPECT_EQ(ErrorOf([&] { entry.SavePurchase(*workspace_); }), c.message);
        EXPECT_EQ(RowsOnDisk().size(), 0u);
        EXPECT_FALSE(entry.Empty());
    }
}

TEST_F(PurchaseEntryTest, EditModeRewritesTheStoredRowsAndAppendsAnAddedArticle) {
    UseRows({{"03.05.2024", "Nord", "Rute", "1", "50,00", "50,00", "4,90"},
             {"04.05.2024", "Süd", "Pose", "2", "1,00", "2,00", ""},
             {"03.05.2024", "Nord", "Rolle", "1", "30,00", "30,00", ""},
             {"03.05.2024", "nord", "Blei", "1", "1,00", "1,00", ""}});
    const PurchaseNode nord = BuildPurchaseTree(Ak(), kAllCosts, kAllCosts).purchases[2];
    ASSERT_EQ(nord.purchase[kPurchaseShop], "Nord");

    PurchaseEntry entry;
    entry.OpenForEdit(nord);
    EXPECT_EQ(entry.GetMode(), PurchaseEntry::Mode::Edit);
    entry.SetCellText(-1, kPurchaseDate, "05.05.2024");
    ASSERT_TRUE(entry.AddArticle("Wirbel", "10", "0,20"));
    EXPECT_EQ(entry.Purchase()[kPurchaseSum], "82,00 €");
    ASSERT_TRUE(entry.SavePurchase(*workspace_).ok);

    // Tree order (last stored first) goes into the matching rows in table
    // order; the shipping into the first of them; the new article is appended.
    EXPECT_EQ(RowsOnDisk(),
              (std::vector<CostRow>{{"05.05.2024", "Nord", "Rolle", "1", "30,00", "30,00", "4,90"},
                                    {"04.05.2024", "Süd", "Pose", "2", "1,00", "2,00", ""},
                                    {"05.05.2024", "Nord", "Rute", "1", "50,00", "50,00", ""},
                                    {"03.05.2024", "nord", "Blei", "1", "1,00", "1,00", ""},
                                    {"05.05.2024", "Nord", "Wirbel", "10", "0,20", "2,00", ""}}));
}

TEST_F(PurchaseEntryTest, FailedSaveKeepsTableAndTreeSoTheSaveCanBeRepeated) {
    // Edit mode both rewrites a stored row and appends one: both go back.
    const std::vector<CostRow> stored = {
        {"03.05.2024", "Nord", "Rute", "1", "50,00", "50,00", "4,90"}};
    UseRows(stored);
    PurchaseEntry entry;
    entry.OpenForEdit(BuildPurchaseTree(Ak(), kAllCosts, kAllCosts).purchases[0]);
    entry.SetCellText(0, kArticlePrice, "45");
    ASSERT_TRUE(entry.AddArticle("Rolle", "1", "30"));
    const PurchaseEntry before = entry;
    std::ofstream(folder_ / "blocked") << "x";
    workspace_->SetCostPath(PathToUtf8(folder_ / "blocked" / "Kosten.a"));

    const PurchaseEntry::SaveResult failed = entry.SavePurchase(*workspace_);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.problem.find("Kosten.a"), std::string::npos) << failed.problem;
    EXPECT_EQ(RowsOf(Ak()), stored);
    EXPECT_EQ(entry.Articles(), before.Articles());

    workspace_->SetCostPath(CostPath());
    ASSERT_TRUE(entry.SavePurchase(*workspace_).ok);
    EXPECT_EQ(RowsOnDisk(),
              (std::vector<CostRow>{{"03.05.2024", "Nord", "Rute", "1", "45,00", "45,00", "4,90"},
                                    {"03.05.2024", "Nord", "Rolle", "1", "30,00", "30,00", ""}}));
}

TEST_F(PurchaseEntryTest, NothingStoredWithoutArticlesOrIntoATableLackingACostField) {
    UseRows({});
    PurchaseEntry entry;
    ASSERT_TRUE(entry.StartPurchase(EncodeDate(2024, 5, 3), "Nord", "4,90"));
    const PurchaseEntry::SaveResult empty = entry.SavePurchase(*workspace_);
    EXPECT_TRUE(empty.nothingToSave);
    EXPECT_FALSE(empty.ok);
    EXPECT_TRUE(entry.Empty());

    // A cost file without Versandkosten would lose the shipping silently.
    WriteBytes(folder_ / "Kosten.a",
               "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis\r\n");
    ASSERT_TRUE(Ak().LoadFromFile(CostPath()));
    entry = ThreeArticles("4,90");
    EXPECT_EQ(entry.SavePurchase(*workspace_).problem,
              "Der Angelkostendatenbank fehlt das Feld \"Versandkosten\"; der Einkauf kann nicht "
              "gespeichert werden.");
    EXPECT_FALSE(entry.Empty());
    EXPECT_EQ(Ak().RowCount(), 0);
}

} // namespace
} // namespace zv::test
