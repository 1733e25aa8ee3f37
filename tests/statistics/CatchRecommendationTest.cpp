// The month-by-month recommendation.

#include "StatisticsFixture.h"

#include "statistics/CatchRecommendation.h"

namespace zv::test {
namespace {

class Recommendation : public StatisticsFixture {
protected:
    void SetUp() override {
        StatisticsFixture::SetUp();
        WriteList("Fischarten", {"Barsch", "Hecht", "Zander"});
        WriteList("Koeder", {"Spinner", "Wobbler", "Gufi"});
        WriteList("Koederfarbe", {"Silber", "Rot"});
        WriteList("Koederlaenge", {"5", "12"});
    }

    void AddMayCatch(const std::string& species, const std::string& bait,
                     const std::string& time = "08:00:00", const std::string& year = "2007") {
        AddCatch({{"Fangdatum", "10.05." + year},
                  {"Fangzeit", time},
                  {"Fischart", species},
                  {"Koeder", bait}});
    }

    RecommendationRow May() { return CatchRecommendation(db_, folder_).at(4); }
};

TEST_F(Recommendation, TwelveMonthsAndAMonthWithoutCatchesHasOnlyItsName) {
    AddMayCatch("Hecht", "Wobbler");
    const auto rows = CatchRecommendation(db_, folder_);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0], (RecommendationRow{"Januar", "", "", "", "", "", ""}));
    EXPECT_EQ(rows[2].month, "März");
    EXPECT_EQ(rows[11], (RecommendationRow{"Dezember", "", "", "", "", "", ""}));
    EXPECT_EQ(rows[4],
              (RecommendationRow{"Mai", "Hecht", "8 Uhr", "Wobbler", "schwimmend", "Silber", "5"}));
}

TEST_F(Recommendation, TheMostCaughtSpeciesWinsWhateverItsListPosition) {
    AddMayCatch("Barsch", "Spinner");
    AddMayCatch("Hecht", "Wobbler");
    AddMayCatch("Hecht", "Wobbler");
    AddMayCatch("Barsch", "Spinner");
    AddMayCatch("Hecht", "Wobbler");
    const RecommendationRow may = May();
    EXPECT_EQ(may.species, "Hecht");
    EXPECT_EQ(may.bait, "Wobbler"); // the perch's spinner is not counted
}

TEST_F(Recommendation, EqualCountsGoToTheEarlierListEntry) {
    AddMayCatch("Zander", "Gufi");
    AddMayCatch("Hecht", "Wobbler");
    AddMayCatch("Hecht", "Gufi");
    AddMayCatch("Zander", "Gufi");
    const RecommendationRow may = May();
    EXPECT_EQ(may.species, "Hecht");
    EXPECT_EQ(may.bait, "Wobbler"); // Wobbler and Gufi once each; Wobbler stands first
}

TEST_F(Recommendation, TheHourCountsEveryCatchOfTheMonth) {
    AddMayCatch("Hecht", "Wobbler", "06:10:00");
    AddMayCatch("Barsch", "Spinner", "06:50:00");
    AddMayCatch("Hecht", "Wobbler", "19:00:00");
    EXPECT_EQ(May().hour, "6 Uhr");
}

TEST_F(Recommendation, MidnightsHourIsZeroUhrAndTiesFollowTheHourList) {
    AddMayCatch("Hecht", "Wobbler", "00:15:00");
    EXPECT_EQ(May().hour, "0 Uhr");
    AddMayCatch("Hecht", "Wobbler", "23:10");
    EXPECT_EQ(May().hour, "23 Uhr"); // 0 Uhr is the last of the hour list
}

TEST_F(Recommendation, SpeciesAndBaitsCompareCaseSensitively) {
    AddMayCatch("hecht", "wobbler");
    AddMayCatch("hecht", "Wobbler");
    AddMayCatch("hecht", "Wobbler");
    AddMayCatch("Zander", "wobbler");
    AddMayCatch("Zander", "Gufi");
    const RecommendationRow may = May();
    EXPECT_EQ(may.species, "Zander");
    EXPECT_EQ(may.bait, "Gufi");
}

TEST_F(Recommendation, BaitsOffTheListNameTheFirstLine) {
    AddMayCatch("Zander", "Twister");
    AddCatch({{"Fangdatum", "10.05.2007"},
              {"Fischart", "Zander"},
              {"Koederverhalten", "sinkend"},
              {"KoederFarbe", "Rot"},
              {"KoederLaenge", "12"}});
    const RecommendationRow may = May();
    EXPECT_EQ(may.bait, "Spinner");
    EXPECT_EQ(may.behaviour, "sinkend");
    EXPECT_EQ(may.colour, "Rot");
    EXPECT_EQ(may.baitLength, "12");
}

TEST_F(Recommendation, YearsArePooled) {
    AddMayCatch("Barsch", "Spinner", "08:00:00", "2007");
    AddMayCatch("Hecht", "Wobbler", "08:00:00", "2006");
    AddMayCatch("Hecht", "Wobbler", "08:00:00", "2007");
    AddCatch({{"Fangdatum", "10.06.2007"}, {"Fischart", "Barsch"}});
    AddCatch({{"Fangdatum", "10.06.2007"}, {"Fischart", "Barsch"}});
    EXPECT_EQ(May().species, "Hecht");
}

TEST_F(Recommendation, AnEmptyListLeavesItsCellEmpty) {
    WriteList("Koeder", {});
    std::filesystem::remove(folder_ / "DATs" / "Koederfarbe.dat");
    AddMayCatch("Hecht", "Wobbler");
    const RecommendationRow may = May();
    EXPECT_EQ(may.species, "Hecht");
    EXPECT_EQ(may.bait, "");
    EXPECT_EQ(may.colour, "");
    EXPECT_EQ(may.baitLength, "5");
}

TEST_F(Recommendation, WithoutASpeciesListOnlyTheHourIsNamed) {
    std::filesystem::remove(folder_ / "DATs" / "Fischarten.dat");
    AddMayCatch("Hecht", "Wobbler", "07:30");
    EXPECT_EQ(May(), (RecommendationRow{"Mai", "", "7 Uhr", "", "", "", ""}));
}

} // namespace
} // namespace zv::test
