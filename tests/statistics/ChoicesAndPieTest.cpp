// Filter drop-down items and the values of a pie chart.

#include "StatisticsFixture.h"

#include "statistics/StatisticsChoices.h"
#include "statistics/Tally.h"

namespace zv::test {
namespace {

using Choices = StatisticsFixture;
using Texts = std::vector<std::string>;

TEST_F(Choices, YearsOfTheCatcherNewestFirst) {
    AddCatch({{"Fangdatum", "01.05.2005"}, {"Faenger", "Max"}});
    AddCatch({{"Fangdatum", "01.05.2007"}, {"Faenger", "Max"}});
    AddCatch({{"Fangdatum", "01.05.2006"}, {"Faenger", "Max"}});
    AddCatch({{"Fangdatum", "01.05.2007"}, {"Faenger", "Max"}});
    AddCatch({{"Fangdatum", "01.05.2009"}, {"Faenger", "Eva"}});
    EXPECT_EQ(YearChoices(db_, "Max"), (Texts{"- Alle -", "2007", "2006", "2005"}));
    EXPECT_EQ(YearChoices(db_, ""), (Texts{"- Alle -", "2009", "2007", "2006", "2005"}));
    EXPECT_EQ(YearChoices(db_, "- Alle -"), YearChoices(db_, ""));
    EXPECT_EQ(YearChoices(db_, "max"), (Texts{"- Alle -"}));
}

TEST_F(Choices, SpeciesAreDistinctIgnoringCaseAndKeepTheEmptyEntryOnRequest) {
    AddCatch({{"Fischart", "Hecht"}});
    AddCatch({{"Fischart", "hecht"}});
    AddCatch({{"Fischart", "Barsch"}});
    AddCatch({{"Fischart", ""}});
    EXPECT_EQ(SpeciesChoices(db_, 0, false), (Texts{"- Alle -", "Barsch", "Hecht"}));
    EXPECT_EQ(SpeciesChoices(db_, 0, true), (Texts{"- Alle -", "", "Barsch", "Hecht"}));
}

TEST_F(Choices, TheFirstSpellingStaysAndTheLocaleOrderSorts) {
    AddCatch({{"Fischart", "zander"}});
    AddCatch({{"Fischart", "Äsche"}});
    AddCatch({{"Fischart", "Zander"}});
    AddCatch({{"Fischart", "äsche"}});
    AddCatch({{"Fischart", "Asche"}});
    AddCatch({{"Fischart", "Barsch"}});
    // Ä sorts beside A (not after Z) and stays apart from it.
    EXPECT_EQ(SpeciesChoices(db_, 0, false),
              (Texts{"- Alle -", "Asche", "Äsche", "Barsch", "zander"}));
}

TEST_F(Choices, SpeciesAndBaitTypesOfOneYear) {
    AddCatch({{"Fangdatum", "01.05.2006"}, {"Fischart", "Aal"}, {"Koedertyp", "Wurm"}});
    AddCatch({{"Fangdatum", "01.05.2007"}, {"Fischart", "Hecht"}, {"Koedertyp", "Wobbler"}});
    AddCatch({{"Fangdatum", "01.05.2007"}, {"Fischart", "Barsch"}, {"Koedertyp", ""}});
    EXPECT_EQ(SpeciesChoices(db_, 2007, false), (Texts{"- Alle -", "Barsch", "Hecht"}));
    EXPECT_EQ(BaitTypeChoices(db_, 2007), (Texts{"- Alle -", "Wobbler"}));
    EXPECT_EQ(BaitTypeChoices(db_, 0), (Texts{"- Alle -", "Wobbler", "Wurm"}));
    EXPECT_EQ(BaitTypeChoices(db_, 2008), (Texts{"- Alle -"}));
}

TEST_F(Choices, BaitsOfOneBaitTypeComparedExactly) {
    AddCatch({{"Koedertyp", "Wobbler"}, {"Koeder", "Rapala"}});
    AddCatch({{"Koedertyp", "wobbler"}, {"Koeder", "Salmo"}});
    AddCatch({{"Koedertyp", "Gufi"}, {"Koeder", "Kopyto"}});
    AddCatch({{"Koedertyp", "Wobbler"}, {"Koeder", ""}});
    EXPECT_EQ(BaitChoices(db_, "Wobbler", 0), (Texts{"- Alle -", "Rapala"}));
    EXPECT_EQ(BaitChoices(db_, "- Alle -", 0), (Texts{"- Alle -", "Kopyto", "Rapala", "Salmo"}));
    EXPECT_EQ(BaitChoices(db_, "", 0), BaitChoices(db_, "- Alle -", 0));
}

Tally TallyOfCounts(const std::vector<int>& counts) {
    Tally tally;
    for (int count : counts) {
        tally.push_back({"x" + std::to_string(tally.size()), count});
    }
    return tally;
}

TEST(PieValues, TheEleventhValueCollectsAllLaterRows) {
    EXPECT_EQ(PieValues(TallyOfCounts({9, 8, 7, 6, 5, 4, 3, 2, 1, 1, 1, 1, 1, 1})),
              (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 1, 4}));
    EXPECT_EQ(PieValues(TallyOfCounts({5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 1})),
              (std::vector<int>{5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 1}));
}

TEST(PieValues, TenRowsOrFewerGiveTheirCounts) {
    EXPECT_EQ(PieValues(TallyOfCounts({10, 9, 8, 7, 6, 5, 4, 3, 2, 1})),
              (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(PieValues(TallyOfCounts({3})), (std::vector<int>{3}));
    EXPECT_TRUE(PieValues(Tally{}).empty());
}

} // namespace
} // namespace zv::test
