// The fishing calendar's month grid and day window, computed from the catch
// and calendar tables.

#include "calendar/FishingCalendar.h"
#include "base/EConvertError.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zv {
namespace {

using Row = std::map<std::string, std::string>;

class FishingCalendarTest : public ::testing::Test {
protected:
    void Add(TMlbc& table, const Row& row) {
        ASSERT_TRUE(table.AppendRow());
        for (const auto& [field, value] : row) {
            ASSERT_TRUE(table.SetData(field, value)) << field;
        }
    }
    void Catch(const std::string& date, const Row& more = {}) {
        Row row = more;
        row["Fangdatum"] = date;
        Add(*db_, row);
    }
    void NothingCaught(const std::string& date, const Row& more = {}) {
        Row row = more;
        row["Datum"] = date;
        Add(*cal_, row);
    }
    MonthGrid Month(int year, int month) { return FillMonth(*db_, *cal_, year, month); }
    FishingDay Day(bool catchDay, const std::string& date) {
        return BuildFishingDay(*db_, *cal_, catchDay, date);
    }
    std::string ConversionMessage(const std::function<void()>& action) {
        try {
            action();
        } catch (const EConvertError& error) {
            return error.what();
        }
        return "(kein Fehler)";
    }

    std::unique_ptr<TMlbc> db_ = MakeEmptyTable(CatchFields());
    std::unique_ptr<TMlbc> cal_ = MakeEmptyTable(CalendarFields());
};

TEST_F(FishingCalendarTest, MonthLayoutStartsOnMondayWithTheFirstInRowOne) {
    struct Case {
        int year, month;
        int row, column; // where the given day sits
        int day;
    };
    const Case cases[] = {
        {2004, 3, 1, 0, 1},  // 1 March 2004 is a Monday
        {2004, 3, 5, 2, 31}, // its last day, a Wednesday
        {2004, 2, 1, 6, 1},  // 1 February 2004 is a Sunday
        {2004, 2, 5, 6, 29}, // leap day
        {2004, 8, 1, 6, 1},  // a month over six weeks
        {2004, 8, 6, 1, 31},
    };
    for (const Case& c : cases) {
        const MonthGrid grid = Month(c.year, c.month);
        EXPECT_EQ(grid.Cell(c.row, c.column), std::to_string(c.day) + " ")
            << c.month << "/" << c.year;
        EXPECT_EQ(grid.DayAt(c.row, c.column), c.day);
    }
    const MonthGrid february = Month(2004, 2);
    std::vector<std::string> header;
    for (int column = 0; column < MonthGrid::kColumns; ++column) {
        header.push_back(february.Cell(0, column));
    }
    EXPECT_EQ(header, (std::vector<std::string>{"Mo ", "Di ", "Mi ", "Do ", "Fr ", "Sa ", "So "}));
    // Cells outside the month hold one blank and no day.
    EXPECT_EQ(february.Cell(1, 5), " ");
    EXPECT_EQ(february.DayAt(1, 5), 0);
    EXPECT_EQ(february.Cell(6, 0), " ");
    EXPECT_EQ(february.DayAt(0, 3), 0);
}

TEST_F(FishingCalendarTest, FishedDaysShowTheirCatchesOrNothingCaught) {
    for (int i = 0; i < 3; ++i) {
        Catch("17.03.2004");
    }
    Catch("04.03.2004");
    Catch("17.03.2005"); // same day, other year
    Catch("17.04.2004"); // other month
    Catch("");           // no date: skipped
    NothingCaught("05.03.2004");
    NothingCaught("17.03.2004"); // a day with catches keeps its count
    NothingCaught("");
    db_->GoToRow(2);

    const MonthGrid grid = Month(2004, 3);
    struct Case {
        int day;
        std::string text;
        MonthGrid::Mark mark;
    };
    const Case cases[] = {
        {17, "17 \r\n\r\n3 Fische", MonthGrid::Mark::Catches},
        {4, "4 \r\n\r\n1 Fisch", MonthGrid::Mark::Catches},
        {5, "5 \r\n\r\nKeinen Fisch gefangen", MonthGrid::Mark::NothingCaught},
        {18, "18 ", MonthGrid::Mark::None},
    };
    for (const Case& c : cases) {
        // 1 March 2004 is a Monday in column 0 of row 1.
        const int index = c.day - 1;
        const std::string& text = grid.Cell(1 + index / 7, index % 7);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(MonthGrid::MarkOf(text), c.mark) << c.day;
        EXPECT_EQ(MonthGrid::IsFishedDay(text), c.mark != MonthGrid::Mark::None);
        EXPECT_EQ(MonthGrid::IsNothingCaught(text), c.mark == MonthGrid::Mark::NothingCaught);
    }
    EXPECT_EQ(MonthGrid::MarkOf(grid.Cell(0, 0)), MonthGrid::Mark::None);
    // The scan reads the tables without moving the shared cursor.
    EXPECT_EQ(db_->CurrentRow(), 2);
}

TEST_F(FishingCalendarTest, ADateThatIsNotADateStopsTheFill) {
    Catch("17.03.2004");
    Catch("31.02.2004");
    EXPECT_EQ(ConversionMessage([&] { Month(2004, 3); }), "'31.02.2004' ist kein gültiges Datum");

    db_ = MakeEmptyTable(CatchFields());
    NothingCaught("gestern");
    EXPECT_EQ(ConversionMessage([&] { Month(2004, 3); }), "'gestern' ist kein gültiges Datum");
}

TEST_F(FishingCalendarTest, CatchDayListsItsCatchesAndShowsTheLastOne) {
    Catch("17.03.2004", {{"Fischart", "Hecht"}, {"Gewaesser", "Rhein"}, {"Wetter", "Regen"}});
    Catch("18.03.2004", {{"Fischart", "Aal"}});
    Catch("17.3.2004", // another form of the same day
          {{"Fischart", "Barsch"},
           {"Gewaesser", "Möhnesee"},
           {"Faenger", "Eva"},
           {"Laenge", "31,5"},
           {"Gewicht", "350"},
           {"Stelle", "Steg"},
           {"Mondphase", "Vollmond"},
           {"Luftdruck", "1013"},
           {"Wassertemp", "12"},
           {"Lufttemp", "18,5"},
           {"Windrichtung", "NW"},
           {"Windstaerke", "Frische Brise"},
           {"Wassertruebung", "klar"},
           {"Wasserstand", "normal"},
           {"Kommentar", "Biss am Steg\r\nzweiter Wurf"}});
    NothingCaught("17.03.2004", {{"Gewaesser", "Kanal"}});

    const FishingDay day = Day(true, "17.03.2004");
    ASSERT_TRUE(day.found);
    EXPECT_EQ(day.datum, "Mittwoch, 17.03.2004");
    const std::vector<std::string> panel = {day.mond,           day.gewaesser,    day.stelle,
                                            day.wetter,         day.luftdruck,    day.wassertemp,
                                            day.lufttemp,       day.windrichtung, day.windstaerke,
                                            day.wassertruebung, day.wasserstand,  day.kommentar};
    EXPECT_EQ(panel, (std::vector<std::string>{"Vollmond", "Möhnesee", "Steg", "", "1013 hPa",
                                               "12 °C", "18,5 °C", "NW", "Frische Brise", "klar",
                                               "normal", "Biss am Steg\r\nzweiter Wurf"}));
    ASSERT_EQ(day.catches.size(), 2u);
    EXPECT_EQ(day.catches[0].row, 1);
    EXPECT_EQ(day.catches[0].fischart, "Hecht");
    const FishingDayCatch& barsch = day.catches[1];
    EXPECT_EQ(
        (std::vector<std::string>{std::to_string(barsch.row), barsch.fischart, barsch.gewaesser,
                                  barsch.faenger, barsch.laenge, barsch.gewicht}),
        (std::vector<std::string>{"3", "Barsch", "Möhnesee", "Eva", "31,5", "350"}));
}

TEST_F(FishingCalendarTest, NothingCaughtDayShowsTheCalendarRowAndNoCatches) {
    Catch("05.03.2004", {{"Gewaesser", "Rhein"}});
    NothingCaught("05.03.2004", {{"Gewaesser", "Kanal"}, {"Luftdruck", "998"}});

    const FishingDay day = Day(false, "05.03.2004");
    ASSERT_TRUE(day.found);
    EXPECT_EQ(day.datum, "Freitag, 05.03.2004");
    EXPECT_EQ(day.gewaesser, "Kanal");
    EXPECT_EQ(day.luftdruck, "998 hPa");
    EXPECT_TRUE(day.catches.empty());

    const FishingDay none = Day(false, "06.03.2004");
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.datum, "");
    EXPECT_EQ(none.angelzeit, "");
}

TEST_F(FishingCalendarTest, FishingTimeRunsPastMidnightAndCarriesOverEmptyCells) {
    struct Case {
        const char* name;
        bool catchDay;
        std::vector<std::pair<std::string, std::string>> periods; // start, end per row
        std::string expected;
    };
    const Case cases[] = {
        {"past midnight",
         true,
         {{"22:30:00", "01:15:00"}},
         "22:30 Uhr - 01:15 Uhr = 02:45 Stunden"},
        {"no times", true, {{"", ""}}, "00:00 Uhr - 00:00 Uhr = 00:00 Stunden"},
        {"empty cells keep the row before",
         true,
         {{"06:00:00", "09:30:00"}, {"", ""}},
         "06:00 Uhr - 09:30 Uhr = 03:30 Stunden"},
        {"equal times keep the duration",
         true,
         {{"06:00:00", "09:30:00"}, {"08:00:00", "08:00:00"}},
         "08:00 Uhr - 08:00 Uhr = 03:30 Stunden"},
        {"nothing caught: equal times give no duration",
         false,
         {{"06:00:00", "09:30:00"}, {"08:00:00", "08:00:00"}},
         "08:00 Uhr - 08:00 Uhr = 00:00 Stunden"},
        {"nothing caught past midnight",
         false,
         {{"22:30:00", "01:15:00"}},
         "22:30 Uhr - 01:15 Uhr = 02:45 Stunden"},
    };
    for (const Case& c : cases) {
        db_ = MakeEmptyTable(CatchFields());
        cal_ = MakeEmptyTable(CalendarFields());
        for (const auto& [start, end] : c.periods) {
            const Row times = {{"Angelbeginn", start}, {"Angelende", end}};
            c.catchDay ? Catch("12.06.2010", times) : NothingCaught("12.06.2010", times);
        }
        EXPECT_EQ(Day(c.catchDay, "12.06.2010").angelzeit, c.expected) << c.name;
    }
}

TEST_F(FishingCalendarTest, AFishingTimeThatIsNotATimeStopsTheDay) {
    Catch("12.06.2010", {{"Angelbeginn", "06:00:00"}, {"Angelende", "25:00"}});
    EXPECT_EQ(ConversionMessage([&] { Day(true, "12.06.2010"); }),
              "'25:00' ist keine gültige Uhrzeit");
}

} // namespace
} // namespace zv
