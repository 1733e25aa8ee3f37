// Which catches count for which category: the comparison each dimension uses.

#include "StatisticsFixture.h"

#include "statistics/CatchStatistics.h"

namespace zv::test {
namespace {

using MatchingRules = StatisticsFixture;

TEST_F(MatchingRules, BaitWeatherAndWaterIgnoreTheCaseOfAToZOnly) {
    WriteList("Koeder", {"Wobbler", "äsche"});
    WriteList("Wetter", {"Sonnig"});
    WriteList("Gewaesser", {"Rhein"});
    AddCatch({{"Koeder", "wobbler"}, {"Wetter", "SONNIG"}, {"Gewaesser", "rhein"}});
    AddCatch({{"Koeder", "Äsche"}, {"Wetter", "Sonnig"}, {"Gewaesser", "RHEIN"}});

    const SpeciesResult species = SpeciesStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(species.bait, (Tally{{"Wobbler", 1}}));
    EXPECT_EQ(species.weather, (Tally{{"Sonnig", 2}}));
    EXPECT_EQ(species.water, (Tally{{"Rhein", 2}}));

    const BaitResult bait = BaitStatistics(db_, folder_, "", 0, "", "");
    EXPECT_EQ(bait.bait, (Tally{{"Wobbler", 1}}));
    EXPECT_EQ(bait.weather, (Tally{{"Sonnig", 2}}));
    EXPECT_EQ(bait.water, (Tally{{"Rhein", 2}}));
}

TEST_F(MatchingRules, AnEmptyBaitLineCountsCatchesWithoutBait) {
    WriteList("Koeder", {"", "Gufi"});
    AddCatch({});
    AddCatch({{"Koeder", "Gufi"}});
    AddCatch({});
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "", 0, "").bait, (Tally{{"", 2}, {"Gufi", 1}}));
}

TEST_F(MatchingRules, MoonPhasesMatchExactly) {
    AddCatch({{"Mondphase", "vollmond"}});
    AddCatch({{"Mondphase", "Vollmond"}});
    AddCatch({{"Mondphase", "Neumond"}});
    AddCatch({{"Mondphase", "Neumond"}});
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "", 0, "").moon,
              (Tally{{"Neumond", 2}, {"Vollmond", 1}}));
}

TEST_F(MatchingRules, ColourAndBaitLengthSkipEmptyLinesAndEmptyCells) {
    WriteList("Koederfarbe", {"", "Rot", "Grün"});
    WriteList("Koederlaenge", {"12", "", "7,5"});
    AddCatch({{"KoederFarbe", "rot"}, {"KoederLaenge", "7,5"}});
    AddCatch({{"KoederFarbe", ""}, {"KoederLaenge", ""}});
    AddCatch({{"KoederFarbe", "GRÜN"}, {"KoederLaenge", "12"}}); // Ü keeps its case

    const BaitResult result = BaitStatistics(db_, folder_, "", 0, "", "");
    EXPECT_EQ(result.colour, (Tally{{"Rot", 1}}));
    EXPECT_EQ(result.baitLength, (Tally{{"12", 1}, {"7,5", 1}}));
}

TEST_F(MatchingRules, BehaviourIgnoresCaseAndKeepsItsOwnOrder) {
    AddCatch({{"Koederverhalten", "sinkend"}});
    AddCatch({{"Koederverhalten", "Sinkend"}});
    AddCatch({{"Koederverhalten", "schwimmend"}});
    AddCatch({{"Koederverhalten", ""}});
    AddCatch({{"Koederverhalten", "treibend"}});
    EXPECT_EQ(BaitStatistics(db_, folder_, "", 0, "", "").behaviour,
              (Tally{{"schwimmend", 1}, {"sinkend", 2}}));
}

TEST_F(MatchingRules, TheFirstLineOfTheSpeciesListIsNoSpeciesCategory) {
    WriteList("Fischarten", {"Hecht", "Barsch", "zander"});
    AddCatch({{"Fischart", "Hecht"}});
    AddCatch({{"Fischart", "Barsch"}});
    AddCatch({{"Fischart", "Zander"}});
    AddCatch({{"Fischart", "Zander"}});
    EXPECT_EQ(BaitStatistics(db_, folder_, "", 0, "", "").species,
              (Tally{{"zander", 2}, {"Barsch", 1}}));
}

TEST_F(MatchingRules, WeatherListsMatchCaseSensitively) {
    WriteList("Windrichtung", {"no", "NO", "S"});
    WriteList("Wassertruebung", {"klar"});
    AddCatch({{"Windrichtung", "NO"}, {"Wassertruebung", "Klar"}});
    const WeatherResult result = WeatherStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.windDirection, (Tally{{"NO", 1}}));
    EXPECT_TRUE(result.turbidity.empty());
}

TEST_F(MatchingRules, MissingValueListsGiveEmptyTallies) {
    AddCatch({{"Koeder", "Wobbler"},
              {"KoederFarbe", "Rot"},
              {"Fischart", "Hecht"},
              {"Windstaerke", "Windstill"}});
    const BaitResult bait = BaitStatistics(db_, folder_, "", 0, "", "");
    EXPECT_EQ(bait.count, 1);
    EXPECT_TRUE(bait.bait.empty());
    EXPECT_TRUE(bait.colour.empty());
    EXPECT_TRUE(bait.species.empty());
    EXPECT_FALSE(bait.month.empty());
    EXPECT_TRUE(WeatherStatistics(db_, folder_, "", 0, "").windStrength.empty());
}

} // namespace
} // namespace zv::test
