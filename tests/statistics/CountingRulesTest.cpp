// What a selection counts: filters, sums and averages, records, tally order.

#include "StatisticsFixture.h"

#include "base/DateTime.h"
#include "statistics/CatchStatistics.h"
#include "statistics/StatisticsCategories.h"
#include "statistics/StatisticsText.h"

namespace zv::test {
namespace {

using CountingRules = StatisticsFixture;

TEST_F(CountingRules, AnEmptyTableGivesNothing) {
    const SpeciesResult species = SpeciesStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(species.count, 0);
    EXPECT_EQ(FormatAverage(species.lengthSum, species.count), "0");
    EXPECT_EQ(FormatAverage(species.weightSum, species.count), "0");
    EXPECT_FALSE(species.record.has_value());
    EXPECT_TRUE(species.month.empty());
    EXPECT_TRUE(species.hour.empty());

    const BaitResult bait = BaitStatistics(db_, folder_, "", 0, "", "");
    EXPECT_EQ(bait.count, 0);
    EXPECT_FALSE(bait.record.has_value());
    EXPECT_TRUE(bait.behaviour.empty());
}

TEST_F(CountingRules, AFieldTheTableLacksCountsLikeAnEmptyOne) {
    AddCatch({{"Fischart", "Hecht"}});
    TMlbc older;
    for (const char* field : {"Fangdatum", "Fangzeit", "Fischart"}) {
        ASSERT_TRUE(older.AddField(field));
    }
    ASSERT_TRUE(older.AppendRow());
    for (const char* field : {"Fangdatum", "Fangzeit", "Fischart"}) {
        ASSERT_TRUE(older.SetData(field, db_.GetData(field)));
    }

    const SpeciesResult full = SpeciesStatistics(db_, folder_, "", 0, "Hecht");
    const SpeciesResult lacking = SpeciesStatistics(older, folder_, "", 0, "Hecht");
    EXPECT_EQ(lacking.count, full.count);
    EXPECT_EQ(lacking.month, full.month);
    EXPECT_EQ(lacking.bait, full.bait);
    EXPECT_EQ(lacking.moon, full.moon);
    EXPECT_EQ(BaitStatistics(older, folder_, "", 0, "", "").colour,
              BaitStatistics(db_, folder_, "", 0, "", "").colour);
}

TEST_F(CountingRules, AveragesDivideByEveryCatchOfTheSelection) {
    AddCatch({{"Gewicht", "2500"}, {"Laenge", "40"}});
    AddCatch({{"Gewicht", "2500"}});
    AddCatch({});
    const SpeciesResult result = SpeciesStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(FormatAverage(result.weightSum, result.count), "1666,67");
    EXPECT_EQ(FormatAverage(result.lengthSum, result.count), "13,33");
}

TEST_F(CountingRules, AnEmptyLengthStillCountsInTheDivisor) {
    AddCatch({{"Laenge", "40"}});
    AddCatch({});
    const BaitResult result = BaitStatistics(db_, folder_, "", 0, "", "");
    EXPECT_EQ(FormatAverage(result.lengthSum, result.count), "20,00");
}

TEST_F(CountingRules, TheEarlierOfEqualWeightsStaysTheRecord) {
    AddCatch({{"Gewicht", "900"}, {"Fischart", "Barsch"}});
    const int first = AddCatch({{"Gewicht", "2500"}, {"Fischart", "Hecht"}, {"Laenge", "80"}});
    AddCatch({{"Gewicht", "2500"}, {"Fischart", "Zander"}});
    AddCatch({{"Fischart", "Aal"}});
    for (const auto& record : {SpeciesStatistics(db_, folder_, "", 0, "").record,
                               BaitStatistics(db_, folder_, "", 0, "", "").record}) {
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->row, first);
        EXPECT_EQ(record->species, "Hecht");
        EXPECT_DOUBLE_EQ(record->weight, 2500);
        EXPECT_DOUBLE_EQ(record->length, 80);
    }
}

TEST_F(CountingRules, NoCatchHeavierThanZeroMeansNoRecord) {
    AddCatch({{"Gewicht", "0"}});
    AddCatch({{"Gewicht", "-5"}});
    AddCatch({});
    EXPECT_FALSE(SpeciesStatistics(db_, folder_, "", 0, "").record.has_value());
}

TEST_F(CountingRules, DuplicateListLinesCountTheSameCatches) {
    WriteList("Koeder", {"Wobbler", "Gufi", "wobbler"});
    AddCatch({{"Koeder", "Wobbler"}});
    AddCatch({{"Koeder", "Wobbler"}});
    AddCatch({{"Koeder", "Gufi"}});
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "", 0, "").bait,
              (Tally{{"Wobbler", 2}, {"wobbler", 2}, {"Gufi", 1}}));
}

TEST_F(CountingRules, EqualCountsKeepTheirCategoryOrder) {
    WriteList("Gewaesser", {"Rhein", "Main", "Mosel", "Lahn"});
    AddCatch({{"Gewaesser", "Lahn"}});
    AddCatch({{"Gewaesser", "Mosel"}});
    AddCatch({{"Gewaesser", "Mosel"}});
    AddCatch({{"Gewaesser", "Rhein"}});
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "", 0, "").water,
              (Tally{{"Mosel", 2}, {"Rhein", 1}, {"Lahn", 1}}));
}

TEST_F(CountingRules, MonthsCountByTheCatchDate) {
    AddCatch({{"Fangdatum", "03.03.2006"}});
    AddCatch({{"Fangdatum", "31.12.2007"}});
    AddCatch({{"Fangdatum", "01.12.2005"}});
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "", 0, "").month,
              (Tally{{"Dezember", 2}, {"März", 1}}));
}

TEST_F(CountingRules, HoursFallIntoTheBucketThatStartsWithThem) {
    EXPECT_EQ(HourBucketLabels().front(), "1-2 Uhr");
    EXPECT_EQ(HourBucketLabels()[22], "23-0 Uhr");
    EXPECT_EQ(HourBucketLabels().back(), "0-1 Uhr");
    AddCatch({{"Fangzeit", "00:30:00"}});
    AddCatch({{"Fangzeit", "23:59:00"}});
    AddCatch({{"Fangzeit", "01:00:00"}});
    AddCatch({{"Fangzeit", "01:59"}});
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "", 0, "").hour,
              (Tally{{"1-2 Uhr", 2}, {"23-0 Uhr", 1}, {"0-1 Uhr", 1}}));
}

TEST_F(CountingRules, FiltersTestCatcherYearAndSelectionExactly) {
    AddCatch({{"Faenger", "Max"}, {"Fischart", "Hecht"}, {"Fangdatum", "01.05.2007"}});
    AddCatch({{"Faenger", "max"}, {"Fischart", "Hecht"}, {"Fangdatum", "01.05.2007"}});
    AddCatch({{"Faenger", "Max"}, {"Fischart", "hecht"}, {"Fangdatum", "01.05.2007"}});
    AddCatch({{"Faenger", "Max"}, {"Fischart", "Hecht"}, {"Fangdatum", "01.05.2006"}});

    EXPECT_EQ(SpeciesStatistics(db_, folder_, "Max", 2007, "Hecht").count, 1);
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "Max", 0, "Hecht").count, 2);
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "", 2007, "").count, 3);
    EXPECT_EQ(SpeciesStatistics(db_, folder_, "- Alle -", 0, "- Alle -").count, 4);
}

TEST_F(CountingRules, TheBaitSelectionComparesTypeAndBaitExactly) {
    AddCatch({{"Koedertyp", "Wobbler"}, {"Koeder", "Rapala"}});
    AddCatch({{"Koedertyp", "wobbler"}, {"Koeder", "Rapala"}});
    AddCatch({{"Koedertyp", "Wobbler"}, {"Koeder", "rapala"}});
    AddCatch({{"Koedertyp", "Gummifisch"}, {"Koeder", "Kopyto"}});
    EXPECT_EQ(BaitStatistics(db_, folder_, "", 0, "Wobbler", "").count, 2);
    EXPECT_EQ(BaitStatistics(db_, folder_, "", 0, "Wobbler", "Rapala").count, 1);
    EXPECT_EQ(BaitStatistics(db_, folder_, "", 0, "", "Rapala").count, 2);
    EXPECT_EQ(BaitStatistics(db_, folder_, "", 0, "- Alle -", "- Alle -").count, 4);
}

TEST_F(CountingRules, TheScanLeavesTheCursorOnTheLastRow) {
    AddCatch({});
    AddCatch({});
    AddCatch({});
    ASSERT_TRUE(db_.GoToRow(1));
    SpeciesStatistics(db_, folder_, "", 0, "");
    EXPECT_EQ(db_.CurrentRow(), 3);
}

TEST_F(CountingRules, RecordTextsShowTwoDecimalsWeekdayAndTime) {
    RecordCatch record;
    record.species = "Hecht";
    record.length = 82;
    record.weight = 4350;
    record.date = EncodeDate(2007, 6, 2); // a Saturday
    record.time = EncodeTime(6, 40, 0);
    record.bait = "Wobbler";
    EXPECT_EQ(SpeciesRecordText(record), "Hecht\rLänge: 82,00 cm\rGewicht: 4350,00 g\r"
                                         "Samstag, 02.06.2007\rum 06:40:00 Uhr\rmit Wobbler");
    EXPECT_EQ(BaitRecordText(record), "Hecht\rLänge: 82,00 cm\rGewicht: 4350,00 g\r"
                                      "gefangen am Samstag, 02.06.2007\rum 06:40:00 Uhr");
}

TEST_F(CountingRules, ARecordWithoutLengthShowsZeroLength) {
    AddCatch({{"Fangdatum", "02.06.2007"},
              {"Fangzeit", "06:40"},
              {"Gewicht", "1234,5"},
              {"Fischart", "Zander"},
              {"Koeder", "Gufi"}});
    const auto record = SpeciesStatistics(db_, folder_, "", 0, "").record;
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(SpeciesRecordText(*record), "Zander\rLänge: 0,00 cm\rGewicht: 1234,50 g\r"
                                          "Samstag, 02.06.2007\rum 06:40:00 Uhr\rmit Gufi");
}

TEST(FormatAverage, RoundsToTwoDecimalsAndShowsZeroForNoCatches) {
    EXPECT_EQ(FormatAverage(91, 2), "45,50");
    EXPECT_EQ(FormatAverage(2, 3), "0,67");
    EXPECT_EQ(FormatAverage(0, 3), "0,00");
    EXPECT_EQ(FormatAverage(123, 0), "0");
}

} // namespace
} // namespace zv::test
