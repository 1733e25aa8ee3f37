// A cell that cannot be read ends a computation with the German message
// naming it; cells the computation does not use are never looked at.

#include "StatisticsFixture.h"

#include "base/EConvertError.h"
#include "statistics/CatchRecommendation.h"
#include "statistics/CatchStatistics.h"
#include "statistics/StatisticsChoices.h"

#include <functional>

namespace zv::test {
namespace {

using ConversionErrors = StatisticsFixture;

// The message of the EConvertError `action` throws; fails when it throws none.
std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EConvertError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no conversion error";
    return {};
}

TEST_F(ConversionErrors, ABadNumberOfASelectedCatchStopsTheComputation) {
    AddCatch({{"Gewicht", "2500"}});
    AddCatch({{"Gewicht", "2,5kg"}});
    EXPECT_EQ(ErrorOf([&] { SpeciesStatistics(db_, folder_, "", 0, ""); }),
              "'2,5kg' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(ErrorOf([&] { BaitStatistics(db_, folder_, "", 0, "", ""); }),
              "'2,5kg' ist kein gültiger Gleitkommawert");
}

TEST_F(ConversionErrors, CellsOfCatchesOutsideTheSelectionAreNotRead) {
    AddCatch({{"Faenger", "Max"}, {"Laenge", "40"}});
    AddCatch({{"Faenger", "Eva"}, {"Laenge", "vierzig"}, {"Fangdatum", "gestern"}});
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "Max", 2007, "").count, 1);
    EXPECT_EQ(BaitStatistics(db_, folder_, "Max", 0, "", "").count, 1);
    EXPECT_EQ(YearChoices(db_, "Max").size(), 2u);
}

TEST_F(ConversionErrors, EmptyOrBadDatesAndTimesOfTheSelectionAreErrors) {
    AddCatch({{"Fangdatum", ""}});
    EXPECT_EQ(ErrorOf([&] { SpeciesStatistics(db_, folder_, "", 0, ""); }),
              "'' ist kein gültiges Datum");
    ASSERT_TRUE(db_.SetData("Fangdatum", "15.06.2007"));
    ASSERT_TRUE(db_.SetData("Fangzeit", "25:61"));
    const std::string message = ErrorOf([&] { BaitStatistics(db_, folder_, "", 0, "", ""); });
    EXPECT_NE(message.find("'25:61'"), std::string::npos) << message;
}

TEST_F(ConversionErrors, TheStepsOfARowDecideWhichTextIsNamed) {
    AddCatch({{"Laenge", "lang"}, {"Fangdatum", "kein Datum"}});
    EXPECT_EQ(ErrorOf([&] { SpeciesStatistics(db_, folder_, "", 0, ""); }),
              "'lang' ist kein gültiger Gleitkommawert");
    // The year filter reads the date before anything else of the row.
    EXPECT_EQ(ErrorOf([&] { SpeciesStatistics(db_, folder_, "", 2007, ""); }),
              "'kein Datum' ist kein gültiges Datum");
}

TEST_F(ConversionErrors, WeatherNumbersOfEveryRowAreRead) {
    AddCatch({{"Faenger", "Max"}});
    AddCatch({{"Faenger", "Eva"}, {"Luftdruck", "hoch"}});
    EXPECT_EQ(ErrorOf([&] { WeatherStatistics(db_, folder_, "Max", 0, ""); }),
              "'hoch' ist kein gültiger Gleitkommawert");
}

TEST_F(ConversionErrors, TheWeatherSelectionReadsDatesOnlyForTheYearFilter) {
    AddCatch({{"Fangdatum", "32.01.2007"}, {"Lufttemp", "5"}});
    EXPECT_EQ(WeatherStatistics(db_, folder_, "", 0, "").airTemperature, (Tally{{"5", 1}}));
    EXPECT_EQ(ErrorOf([&] { WeatherStatistics(db_, folder_, "", 2007, ""); }),
              "'32.01.2007' ist kein gültiges Datum");
}

TEST_F(ConversionErrors, ChoicesStopAtABadDate) {
    AddCatch({});
    AddCatch({{"Fangdatum", "x"}});
    EXPECT_EQ(ErrorOf([&] { YearChoices(db_, ""); }), "'x' ist kein gültiges Datum");
    EXPECT_EQ(ErrorOf([&] { SpeciesChoices(db_, 2007, false); }), "'x' ist kein gültiges Datum");
    EXPECT_EQ(SpeciesChoices(db_, 0, true).size(), 2u); // no year: the date is not read
}

TEST_F(ConversionErrors, TheRecommendationReadsEveryDateAndTheTimesOfMonthCatches) {
    AddCatch({{"Fangdatum", "01.03.2007"}, {"Fangzeit", "nachts"}});
    AddCatch({{"Fangdatum", "01.13.2007"}});
    EXPECT_EQ(ErrorOf([&] { CatchRecommendation(db_, folder_); }),
              "'01.13.2007' ist kein gültiges Datum");
    ASSERT_TRUE(db_.SetData("Fangdatum", "01.01.2007"));
    ASSERT_TRUE(db_.SetData("Fangzeit", "früh"));
    // January's bad time is met before March's.
    const std::string message = ErrorOf([&] { CatchRecommendation(db_, folder_); });
    EXPECT_NE(message.find("'früh'"), std::string::npos) << message;
}

TEST_F(ConversionErrors, TheCursorStaysOnTheRowThatFailed) {
    AddCatch({});
    AddCatch({{"Gewicht", "schwer"}});
    AddCatch({});
    ASSERT_TRUE(db_.GoToRow(1));
    EXPECT_THROW(SpeciesStatistics(db_, folder_, "", 0, ""), EConvertError);
    EXPECT_EQ(db_.CurrentRow(), 2);
}

} // namespace
} // namespace zv::test
