// The fishing calendar's month grid and day window, computed from the catch
// and calendar tables.

#include "calendar/FishingCalendar.h"
#include "base/EConvertError.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zv {
namespace {

using Row = std::map<std::string, std::string>;

class FishingCalendarTest : public ::testing::Test {
protected:
    void Add(TMlbc& table, const char* dateField, const std::string& date, Row row = {}) {
        row[dateField] = date;
        ASSERT_TRUE(table.AppendRow());
        for (const auto& [field, value] : row) {
            ASSERT_TRUE(table.SetData(field, value)) << field;
        }
    }
    void Catch(const std::string& date, const Row& more = {}) {
        Add(*db_, "Fangdatum", date, more);
    }
    void NothingCaught(const std::string& date, const Row& more = {}) {
        Add(*cal_, "Datum", date, more);
    }
    MonthGrid Month(int year, int month) { return FillMonth(*db_, *cal_, year, month); }
    FishingDay Day(bool catchDay, const std::string& date) {
        return BuildFishingDay(*db_, *cal_, catchDay, date);
    }

    std::unique_ptr<TMlbc> db_ = MakeEmptyTable(CatchFields());
    std::unique_ptr<TMlbc> cal_ = MakeEmptyTable(CalendarFields());
};

TEST_F(FishingCalendarTest, MonthLayoutStartsOnMondayWithTheFirstInRowOne) {
    const struct {
        int year, month, row, column, day; // where the day sits; 0: no day there
    } cases[] = {
        {2004, 3, 1, 0, 1},  // 1 March 2004 is a Monday
        {2004, 2, 1, 6, 1},  // 1 February 2004 is a Sunday
        {2004, 2, 5, 6, 29}, // leap day
        {2004, 8, 6, 1, 31}, // a month over six weeks
        {2004, 2, 1, 5, 0},  // before the 1st
        {2004, 2, 0, 3, 0},  // header
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.month) + "/" + std::to_string(c.year));
        const MonthGrid grid = Month(c.year, c.month);
        EXPECT_EQ(grid.DayAt(c.row, c.column), c.day);
        if (c.row > 0) {
            EXPECT_EQ(grid.Cell(c.row, c.column), (c.day ? std::to_string(c.day) : "") + " ");
        }
    }
}

TEST_F(FishingCalendarTest, FishedDaysShowTheirCatchesOrNothingCaught) {
    for (const char* date :
         {"17.03.2004", "17.03.2004", "17.03.2004", "04.03.2004", "17.03.2005", "17.04.2004", ""}) {
        Catch(date); // the last three: other year, other month, no date
    }
    for (const char* date : {"05.03.2004", "17.03.2004", ""}) {
        NothingCaught(date); // the 17th keeps its count
    }
    db_->GoToRow(2);
    const MonthGrid grid = Month(2004, 3);
    const std::pair<int, const char*> cases[] = {{17, "17 \r\n\r\n3 Fische"},
                                                 {4, "4 \r\n\r\n1 Fisch"},
                                                 {5, "5 \r\n\r\nKeinen Fisch gefangen"},
                                                 {18, "18 "}};
    for (const auto& [day, text] : cases) {
        EXPECT_EQ(grid.Cell(1 + (day - 1) / 7, (day - 1) % 7), text); // the 1st is a Monday
    }
    // The scan reads the tables without moving the shared cursor.
    EXPECT_EQ(db_->CurrentRow(), 2);
}

TEST_F(FishingCalendarTest, ADateOrTimeThatDoesNotConvertStopsWithItsMessage) {
    const struct {
        bool catchRow; // a catch, or a nothing-caught day
        const char* date;
        const char* end;
        const char* message; // of the month fill, or of the day window when the date is good
    } cases[] = {
        {true, "31.02.2004", "", "'31.02.2004' ist kein gültiges Datum"},
        {false, "gestern", "", "'gestern' ist kein gültiges Datum"},
        {true, "12.06.2010", "25:00", "'25:00' ist keine gültige Uhrzeit"},
    };
    for (const auto& c : cases) {
        db_ = MakeEmptyTable(CatchFields());
        cal_ = MakeEmptyTable(CalendarFields());
        c.catchRow ? Catch(c.date, {{"Angelende", c.end}})
                   : NothingCaught(c.date, {{"Angelende", c.end}});
        try {
            *c.end ? (void)Day(c.catchRow, c.date) : (void)Month(2004, 3);
            ADD_FAILURE() << c.message;
        } catch (const EConvertError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST_F(FishingCalendarTest, DayWindowListsTheDaysCatchesAndShowsTheLastRow) {
    Catch("17.03.2004", {{"Fischart", "Hecht"}, {"Gewaesser", "Rhein"}, {"Wetter", "Regen"}});
    Catch("18.03.2004", {{"Fischart", "Aal"}});
    const char* fields[] = {"Fischart",       "Gewaesser",   "Faenger",      "Laenge",
                            "Gewicht",        "Stelle",      "Mondphase",    "Luftdruck",
                            "Wassertemp",     "Lufttemp",    "Windrichtung", "Windstaerke",
                            "Wassertruebung", "Wasserstand", "Kommentar"};
    const char* values[] = {"Barsch", "Möhnesee", "Eva",  "31,5",   "350",
                            "Steg",   "Vollmond", "1013", "12",     "18,5",
                            "NW",     "Frisch",   "klar", "normal", "a\r\nb"};
    Row barsch;
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        barsch[fields[i]] = values[i];
    }
    Catch("17.3.2004", barsch); // another form of the same day
    NothingCaught("17.03.2004", {{"Gewaesser", "Kanal"}});
    NothingCaught("05.03.2004", {{"Gewaesser", "Kanal"}, {"Luftdruck", "998"}});

    const FishingDay day = Day(true, "17.03.2004");
    EXPECT_EQ((std::vector<std::string>{day.datum, day.mond, day.gewaesser, day.stelle, day.wetter,
                                        day.luftdruck, day.wassertemp, day.lufttemp,
                                        day.windrichtung, day.windstaerke, day.wassertruebung,
                                        day.wasserstand, day.kommentar}),
              (std::vector<std::string>{"Mittwoch, 17.03.2004", "Vollmond", "Möhnesee", "Steg", "",
                                        "1013 hPa", "12 °C", "18,5 °C", "NW", "Frisch", "klar",
                                        "normal", "a\r\nb"}));
    std::vector<std::string> listed;
    for (const FishingDayCatch& c : day.catches) {
        listed.push_back(std::to_string(c.row) + ";" + c.fischart + ";" + c.gewaesser + ";" +
                         c.faenger + ";" + c.laenge + ";" + c.gewicht);
    }
    EXPECT_EQ(listed,
              (std::vector<std::string>{"1;Hecht;Rhein;;;", "3;Barsch;Möhnesee;Eva;31,5;350"}));

    // A nothing-caught day reads the calendar table and lists no catches.
    const FishingDay nothing = Day(false, "05.03.2004");
    EXPECT_EQ(nothing.datum + " | " + nothing.gewaesser + " | " + nothing.luftdruck,
              "Freitag, 05.03.2004 | Kanal | 998 hPa");
    EXPECT_TRUE(nothing.catches.empty());
    EXPECT_FALSE(Day(false, "06.03.2004").found);
}

TEST_F(FishingCalendarTest, FishingTimeRunsPastMidnightAndCarriesOverEmptyCells) {
    const struct {
        bool catchDay;
        std::vector<std::pair<std::string, std::string>> periods; // start, end per row
        const char* expected;
    } cases[] = {
        {true, {{"22:30:00", "01:15:00"}}, "22:30 Uhr - 01:15 Uhr = 02:45 Stunden"},
        {true, {{"", ""}}, "00:00 Uhr - 00:00 Uhr = 00:00 Stunden"},
        {true, {{"06:00:00", "09:30:00"}, {"", ""}}, "06:00 Uhr - 09:30 Uhr = 03:30 Stunden"},
        // Equal times keep the duration of the row before on a catch day ...
        {true,
         {{"06:00:00", "09:30:00"}, {"08:00:00", "08:00:00"}},
         "08:00 Uhr - 08:00 Uhr = 03:30 Stunden"},
        // ... but give none on a nothing-caught day.
        {false,
         {{"06:00:00", "09:30:00"}, {"08:00:00", "08:00:00"}},
         "08:00 Uhr - 08:00 Uhr = 00:00 Stunden"},
        {false, {{"22:30:00", "01:15:00"}}, "22:30 Uhr - 01:15 Uhr = 02:45 Stunden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        db_ = MakeEmptyTable(CatchFields());
        cal_ = MakeEmptyTable(CalendarFields());
        for (const auto& [start, end] : c.periods) {
            const Row times = {{"Angelbeginn", start}, {"Angelende", end}};
            c.catchDay ? Catch("12.06.2010", times) : NothingCaught("12.06.2010", times);
        }
        EXPECT_EQ(Day(c.catchDay, "12.06.2010").angelzeit, c.expected);
    }
}

} // namespace
} // namespace zv
