// The weather computation: ranges over the whole table and the fixed lists.

#include "StatisticsFixture.h"

#include "statistics/CatchStatistics.h"
#include "statistics/RangeCounter.h"

namespace zv::test {
namespace {

using WeatherStatisticsTest = StatisticsFixture;

TEST_F(WeatherStatisticsTest, AnEmptyTableHasTheStartingRangesAndNoRows) {
    const WeatherResult result = WeatherStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.airTemperatureRange, (RangeBounds{0, 0}));
    EXPECT_EQ(result.waterTemperatureRange, (RangeBounds{0, 0}));
    EXPECT_EQ(result.airPressureRange, (RangeBounds{1000, 1000}));
    EXPECT_TRUE(result.airTemperature.empty());
    EXPECT_TRUE(result.airPressure.empty());
}

TEST_F(WeatherStatisticsTest, OnlyPlainWholeNumbersCount) {
    AddCatch({{"Lufttemp", "-3"}});
    AddCatch({{"Lufttemp", "12"}});
    AddCatch({{"Lufttemp", "12,5"}});
    const WeatherResult result = WeatherStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.airTemperatureRange, (RangeBounds{-3, 12}));
    // Equal counts keep the ascending order of the range.
    EXPECT_EQ(result.airTemperature, (Tally{{"-3", 1}, {"12", 1}}));
}

TEST_F(WeatherStatisticsTest, OtherSpellingsOfANumberCountNowhere) {
    for (const char* text : {"+12", "012", " 12", "12 ", "-0", "1,2E1"}) {
        AddCatch({{"Wassertemp", text}});
    }
    AddCatch({{"Wassertemp", "0"}});
    const WeatherResult result = WeatherStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.waterTemperatureRange, (RangeBounds{0, 12}));
    EXPECT_EQ(result.waterTemperature, (Tally{{"0", 1}}));
}

TEST_F(WeatherStatisticsTest, BoundsRoundHalvesToEven) {
    AddCatch({{"Lufttemp", "2,5"}, {"Luftdruck", "1020,5"}});
    AddCatch({{"Lufttemp", "-3,5"}, {"Luftdruck", "999,5"}});
    const WeatherResult result = WeatherStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.airTemperatureRange, (RangeBounds{-4, 2}));
    EXPECT_EQ(result.airPressureRange, (RangeBounds{1000, 1020}));
}

TEST_F(WeatherStatisticsTest, RangesComeFromTheWholeTableWhateverTheFilter) {
    AddCatch({{"Faenger", "Max"}, {"Luftdruck", "1013"}, {"Fischart", "Hecht"}});
    AddCatch({{"Faenger", "Max"}, {"Luftdruck", "1013"}, {"Fischart", "Barsch"}});
    AddCatch({{"Faenger", "Eva"}, {"Luftdruck", "985"}, {"Lufttemp", "31"}});
    const WeatherResult result = WeatherStatistics(db_, folder_, "Max", 0, "Hecht");
    EXPECT_EQ(result.airPressureRange, (RangeBounds{985, 1013}));
    EXPECT_EQ(result.airTemperatureRange, (RangeBounds{0, 31}));
    EXPECT_EQ(result.airPressure, (Tally{{"1013", 1}}));
    EXPECT_EQ(WeatherStatistics(db_, folder_, "", 0, "--Gesamt--").airPressure,
              (Tally{{"1013", 2}, {"985", 1}}));
}

TEST_F(WeatherStatisticsTest, AFarOutValueDoesNotBlowUpTheRange) {
    AddCatch({{"Luftdruck", "1E15"}});
    AddCatch({{"Luftdruck", "-1E15"}});
    AddCatch({{"Luftdruck", "1000000000000000"}});
    AddCatch({{"Luftdruck", "-999999999999999"}});
    AddCatch({{"Luftdruck", "1013"}});
    const WeatherResult result = WeatherStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.airPressureRange, (RangeBounds{-1e15, 1e15}));
    EXPECT_EQ(result.airPressure,
              (Tally{{"-999999999999999", 1}, {"1013", 1}, {"1000000000000000", 1}}));
}

TEST_F(WeatherStatisticsTest, OnlyTheFirstLinesOfTheFixedListsAreCategories) {
    std::vector<std::string> strengths;
    for (int i = 1; i <= 14; ++i) {
        strengths.push_back("Stufe " + std::to_string(i));
    }
    WriteList("Windstaerke", strengths);
    WriteList("Windrichtung", {"N", "NO", "O", "SO", "S", "SW", "W", "NW", "", "X"});
    WriteList("Wassertruebung", {"klar", "", "trüb", "sehr trüb", "schlammig"});
    WriteList("Wasserstand", {"niedrig", "normal", "hoch", "Hochwasser"});
    AddCatch({{"Windstaerke", "Stufe 13"},
              {"Windrichtung", ""},
              {"Wassertruebung", ""},
              {"Wasserstand", "hoch"}});
    AddCatch({{"Windstaerke", "Stufe 14"},
              {"Windrichtung", "X"},
              {"Wassertruebung", "schlammig"},
              {"Wasserstand", "Hochwasser"}});
    AddCatch({{"Windstaerke", "Stufe 13"},
              {"Windrichtung", "NW"},
              {"Wassertruebung", "sehr trüb"},
              {"Wasserstand", "niedrig"}});

    const WeatherResult result = WeatherStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.windStrength, (Tally{{"Stufe 13", 2}}));
    EXPECT_EQ(result.windDirection, (Tally{{"NW", 1}}));
    EXPECT_EQ(result.turbidity, (Tally{{"sehr trüb", 1}}));
    EXPECT_EQ(result.waterLevel, (Tally{{"niedrig", 1}, {"hoch", 1}}));
}

TEST_F(WeatherStatisticsTest, TheYearFilterAppliesToTheSelection) {
    WriteList("Wasserstand", {"niedrig", "normal", "hoch"});
    AddCatch({{"Fangdatum", "01.01.2006"}, {"Wasserstand", "hoch"}});
    AddCatch({{"Fangdatum", "01.01.2007"}, {"Wasserstand", "normal"}});
    EXPECT_EQ(WeatherStatistics(db_, folder_, "", 2007, "").waterLevel, (Tally{{"normal", 1}}));
}

TEST(RangeCounter, RecognisesPlainWholeNumbers) {
    for (const char* text : {"0", "7", "-7", "1013", "-40"}) {
        EXPECT_TRUE(RangeCounter::IsPlainWholeNumber(text)) << text;
    }
    for (const char* text : {"", "-", "-0", "00", "07", "+7", "7,0", " 7", "7 ", "1E3", "--7"}) {
        EXPECT_FALSE(RangeCounter::IsPlainWholeNumber(text)) << text;
    }
}

} // namespace
} // namespace zv::test
