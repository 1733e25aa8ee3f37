#include "catchlog/CatchList.h"

#include "base/EConvertError.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <map>

namespace zv {
namespace {

using Row = std::map<std::string, std::string>;

std::unique_ptr<TMlbc> Catches(const std::vector<Row>& rows) {
    auto table = MakeEmptyTable(CatchFields());
    for (const Row& row : rows) {
        table->AppendRow();
        for (const auto& [field, value] : row) {
            EXPECT_TRUE(table->SetData(field, value)) << field;
        }
    }
    return table;
}

std::vector<int> Ids(const CatchListing& listing) {
    std::vector<int> ids;
    for (const CatchListRow& row : listing.rows) {
        ids.push_back(row.id);
    }
    return ids;
}

TEST(CatchListTest, SortsNewestFirstWithUnreadableDatesLastAndSameDayByTime) {
    const auto db = Catches({{{"Fangdatum", "05.06.2007"}, {"Fangzeit", "10:00:00"}},
                             {{"Fangdatum", "gestern"}},
                             {{"Fangdatum", "12.08.2009"}},
                             {{"Fangdatum", "05.06.2007"}, {"Fangzeit", "18:42:07"}},
                             {{"Fangdatum", "1.1.2008"}}});
    const CatchListing listing = ListCatches(*db, {});
    EXPECT_EQ(Ids(listing), (std::vector<int>{3, 5, 4, 1, 2}));
    EXPECT_EQ(listing.rows[1].date, "1.1.2008");
    // The cursor is not moved by a listing.
    db->GoToRow(2);
    ListLastCatches(*db, 10);
    EXPECT_EQ(db->CurrentRow(), 2);
}

TEST(CatchListTest, LastCatchesTakesTheLastTenRows) {
    std::vector<Row> rows;
    for (int day = 1; day <= 12; ++day) {
        rows.push_back({{"Fangdatum", (day < 10 ? "0" : "") + std::to_string(day) + ".03.2010"}});
    }
    const auto db = Catches(rows);
    const CatchListing listing = ListLastCatches(*db, 10);
    ASSERT_EQ(listing.rows.size(), 10u);
    EXPECT_EQ(listing.rows.front().id, 12);
    EXPECT_EQ(listing.rows.back().id, 3);
    EXPECT_EQ(listing.summary.count, 10);
}

TEST(CatchListTest, FiltersExactlyByAnglerYearAndSpecies) {
    const auto db = Catches({
        {{"Fangdatum", "01.05.2009"}, {"Faenger", "Jan"}, {"Fischart", "Hecht"}},
        {{"Fangdatum", "01.05.2010"}, {"Faenger", "Jan"}, {"Fischart", "Barsch"}},
        {{"Fangdatum", "02.05.2010"}, {"Faenger", "jan"}, {"Fischart", "Hecht"}},
        {{"Fangdatum", "03.05.2010"}, {"Faenger", "Jan"}, {"Fischart", "hecht"}},
        {{"Fangdatum", "kaputt"}, {"Faenger", "Jan"}, {"Fischart", "Hecht"}},
    });
    EXPECT_EQ(Ids(ListCatches(*db, MakeCatchFilter("Jan", "", ""))),
              (std::vector<int>{4, 2, 1, 5}));
    EXPECT_EQ(Ids(ListCatches(*db, MakeCatchFilter("Jan", "2010", "- Alle -"))),
              (std::vector<int>{4, 2}));
    EXPECT_EQ(Ids(ListCatches(*db, MakeCatchFilter("- Alle -", "- Alle -", "Hecht"))),
              (std::vector<int>{3, 1, 5}));
    EXPECT_THROW(MakeCatchFilter("", "20x0", ""), EConvertError);

    EXPECT_EQ(CatchYears(*db, std::string("Jan")), (std::vector<int>{2010, 2009}));
    EXPECT_EQ(CatchYears(*db, std::string("jan")), (std::vector<int>{2010}));
    EXPECT_EQ(CatchYears(*db, std::nullopt), (std::vector<int>{2010, 2009}));
    // Species without case duplicates, the first form met staying, sorted.
    EXPECT_EQ(CatchSpecies(*db, std::string("Jan"), 2010),
              (std::vector<std::string>{"Barsch", "hecht"}));
    EXPECT_EQ(CatchSpecies(*db, std::nullopt, std::nullopt),
              (std::vector<std::string>{"Barsch", "Hecht"}));
}

TEST(CatchListTest, SummaryOfSevenCatchesInTwoPeriods) {
    // 2 h 35 min and 1 h 50 min; the seconds of a period do not count.
    std::vector<Row> rows;
    for (int i = 0; i < 4; ++i) {
        rows.push_back({{"Fangdatum", "01.06.2011"},
                        {"Angelbeginn", "06:00:00"},
                        {"Angelende", "08:35:59"},
                        {"Gewicht", "1000"},
                        {"Laenge", "40,5"}});
    }
    for (int i = 0; i < 3; ++i) {
        rows.push_back({{"Fangdatum", "02.06.2011"},
                        {"Angelbeginn", "17:10:00"},
                        {"Angelende", "19:00:00"},
                        {"Gewicht", i == 0 ? "2500" : ""},
                        {"Laenge", i == 0 ? "" : "61"}});
    }
    const auto db = Catches(rows);
    const CatchListing listing = ListCatches(*db, {});
    EXPECT_EQ(listing.summary.fishingPeriods, 2);
    EXPECT_EQ(listing.summary.fishingMinutes, 265);
    const SummaryTexts texts = FormatSummary(listing.summary);
    EXPECT_EQ(texts.count, "7");
    EXPECT_EQ(texts.weightTotal, "6,50 kg");
    EXPECT_EQ(texts.lengthTotal, "2,84 m");
    EXPECT_EQ(texts.averageWeight, "928,57 g"); // 6500 / 7: catches without weight count
    EXPECT_EQ(texts.averageLength, "40,57 cm"); // 284 / 7
    EXPECT_EQ(texts.maxWeight, "2500,00 g");
    EXPECT_EQ(texts.maxLength, "61,00 cm");
    EXPECT_EQ(texts.fishingTime, "0 Tage 4 Stunden 25 Minuten  =  1,58 Fische pro Stunde");
}

TEST(CatchListTest, PeriodPastMidnightAndSharedPeriodCountOnce) {
    const auto db = Catches({
        {{"Fangdatum", "01.06.2011"}, {"Angelbeginn", "06:00:00"}, {"Angelende", "09:30:00"}},
        {{"Fangdatum", "01.06.2011"}, {"Angelbeginn", "06:00:00"}, {"Angelende", "09:30:00"}},
        {{"Fangdatum", "05.06.2011"}, {"Angelbeginn", "22:00:00"}, {"Angelende", "01:00:00"}},
    });
    const SummaryTexts texts = FormatSummary(ListCatches(*db, {}).summary);
    EXPECT_EQ(texts.fishingTime, "0 Tage 6 Stunden 30 Minuten  =  0,46 Fische pro Stunde");
}

TEST(CatchListTest, DaysOfFishingTimeAndPeriodsThatDoNotCount) {
    std::vector<Row> rows;
    for (int day = 10; day < 20; ++day) {
        rows.push_back({{"Fangdatum", std::to_string(day) + ".07.2012"},
                        {"Angelbeginn", "04:00:00"},
                        {"Angelende", "09:00:00"}});
    }
    // Equal start and end, a missing end and an unreadable time add nothing.
    rows.push_back(
        {{"Fangdatum", "20.07.2012"}, {"Angelbeginn", "05:00:00"}, {"Angelende", "05:00:00"}});
    rows.push_back({{"Fangdatum", "21.07.2012"}, {"Angelbeginn", "05:00:00"}});
    rows.push_back(
        {{"Fangdatum", "22.07.2012"}, {"Angelbeginn", "früh"}, {"Angelende", "05:00:00"}});
    const auto db = Catches(rows);
    const SummaryTexts texts = FormatSummary(ListCatches(*db, {}).summary);
    EXPECT_EQ(texts.fishingTime, "2 Tage 2 Stunden 0 Minuten  =  0,26 Fische pro Stunde");
}

TEST(CatchListTest, NothingListedGivesEmptyTextsAndNoPeriodGivesNoRate) {
    EXPECT_EQ(FormatSummary(CatchSummary{}).count, "");
    EXPECT_EQ(FormatSummary(CatchSummary{}).fishingTime, "");
    EXPECT_EQ(FormatSummary(CatchSummary{}).averageWeight, "");

    const auto db = Catches({{{"Fangdatum", "01.06.2011"}, {"Gewicht", "viel"}, {"Laenge", "55"}}});
    const SummaryTexts texts = FormatSummary(ListCatches(*db, {}).summary);
    EXPECT_EQ(texts.count, "1");
    // A weight that is not a number is left out of the sums.
    EXPECT_EQ(texts.weightTotal, "0,00 kg");
    EXPECT_EQ(texts.maxWeight, "0,00 g");
    EXPECT_EQ(texts.lengthTotal, "0,55 m");
    EXPECT_EQ(texts.fishingTime, "0 Tage 0 Stunden 0 Minuten");
    EXPECT_EQ(texts.fishingTime.find("nan"), std::string::npos);
}

TEST(CatchListTest, CostTotalAddsShippingWhereGiven) {
    auto ak = MakeEmptyTable(CostFields());
    const std::vector<std::pair<std::string, std::string>> prices = {
        {"12,5", ""}, {"10", "4,90"}, {"abc", "1"}};
    for (const auto& [price, shipping] : prices) {
        ak->AppendRow();
        ak->SetData("Gesamtpreis", price);
        ak->SetData("Versandkosten", shipping);
    }
    EXPECT_DOUBLE_EQ(CostTotal(*ak), 28.4);
    EXPECT_DOUBLE_EQ(CostTotal(*MakeEmptyTable(CostFields())), 0.0);
}

TEST(CatchListTest, SortedUniqueKeepsTheFirstFormInLocaleOrder) {
    EXPECT_EQ(SortedUniqueDe({"Rhein", "möhnesee", "Elbe", "rhein", "Mosel"}),
              (std::vector<std::string>{"Elbe", "möhnesee", "Mosel", "Rhein"}));
}

} // namespace
} // namespace zv
