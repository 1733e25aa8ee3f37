#include "base/DateTime.h"
#include "base/EConvertError.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(DateTime, DaysCountFromTheBaseDay) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2007, 6, 5), 39238);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
    EXPECT_THROW(EncodeDate(2007, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0), EConvertError);
}

TEST(DateTime, SplitsEveryDayOfFourHundredYearsBack) {
    for (int y = 1800; y < 2200; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); d += 7) {
                // Before the base day the time of day counts away from it.
                const TDateTime date = EncodeDate(y, m, d);
                const DateParts p = DecodeDate(date < 0 ? date - 0.75 : date + 0.75);
                ASSERT_EQ(p.year, y);
                ASSERT_EQ(p.month, m);
                ASSERT_EQ(p.day, d);
            }
        }
    }
}

TEST(DateTime, WeekdaysAndNames) {
    const TDateTime tuesday = EncodeDate(2007, 6, 5);
    EXPECT_EQ(DayOfWeek(tuesday), 3);
    EXPECT_EQ(LongDayNameDe(DayOfWeek(tuesday)), "Dienstag");
    EXPECT_EQ(DayOfWeek(0), 7); // 30.12.1899 was a Saturday
    EXPECT_EQ(LongDayNameDe(DayOfWeek(EncodeDate(2026, 12, 13))), "Sonntag");
    EXPECT_EQ(LongMonthNameDe(3), "März");
    EXPECT_EQ(LongMonthNameDe(13), "");
}

TEST(DateTime, TextForms) {
    const TDateTime v = EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7);
    EXPECT_EQ(DateToStr(v), "05.06.2007");
    EXPECT_EQ(TimeToStr(v), "18:42:07");
    EXPECT_EQ(TimeToStrHHNN(v), "18:42");
    EXPECT_EQ(DateTimeToStr(v), "05.06.2007 18:42:07");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2007, 6, 5)), "05.06.2007");
    // Before the base day the fraction is still the time of day.
    EXPECT_EQ(DateToStr(-1.25), "29.12.1899");
    EXPECT_EQ(TimeToStr(-1.25), "06:00:00");
}

TEST(DateTime, TimeTextRoundsToTheMillisecondThenCutsToSeconds) {
    const double ms = 1.0 / 86400000.0;
    const TDateTime day = EncodeDate(2010, 3, 1);
    // 06:40:59.9994 stays in second 59; 06:40:59.9996 becomes 06:41:00.
    EXPECT_EQ(TimeToStr(day + EncodeTime(6, 40, 59) + 999.4 * ms), "06:40:59");
    EXPECT_EQ(TimeToStr(day + EncodeTime(6, 40, 59) + 999.6 * ms), "06:41:00");
    // A hair before midnight belongs to the next day.
    const TDateTime late = day + 1 - 0.3 * ms;
    EXPECT_EQ(TimeToStr(late), "00:00:00");
    EXPECT_EQ(DateToStr(late), "02.03.2010");
}

TEST(DateTime, ParsesGermanDatesAndTimes) {
    FixedClock clock(EncodeDate(2026, 12, 9));
    SetCurrentClock(&clock);
    EXPECT_EQ(StrToDate("05.06.2007"), EncodeDate(2007, 6, 5));
    EXPECT_EQ(StrToDate(" 5.6.2007 "), EncodeDate(2007, 6, 5));
    EXPECT_EQ(StrToDate("05.06.07"), EncodeDate(2007, 6, 5));
    EXPECT_EQ(StrToDate("05.06.80"), EncodeDate(1980, 6, 5));
    // The fifty-year window around today, on both sides of its edge.
    EXPECT_EQ(StrToDate("05.06.76"), EncodeDate(1976, 6, 5));
    EXPECT_EQ(StrToDate("05.06.75"), EncodeDate(2075, 6, 5));
    EXPECT_EQ(StrToDate("5.6."), EncodeDate(2026, 6, 5));
    EXPECT_DOUBLE_EQ(StrToTime("06:40"), EncodeTime(6, 40, 0));
    EXPECT_DOUBLE_EQ(StrToTime("6:40:07"), EncodeTime(6, 40, 7));
    EXPECT_DOUBLE_EQ(StrToDateTime("05.06.2007 18:42:07"),
                     EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7));
    EXPECT_DOUBLE_EQ(StrToDateTime("05.06.2007"), EncodeDate(2007, 6, 5));
    EXPECT_DOUBLE_EQ(StrToDateTime("18:42"), EncodeTime(18, 42, 0));
    SetCurrentClock(nullptr);
}

TEST(DateTime, RefusesWithTheRuntimeMessages) {
    TDateTime v = 0;
    for (const char* bad :
         {"", "31.02.2007", "2007-06-05", "05.06.2007x", "05/06/2007", "0.1.2000", "1.13.2000"}) {
        EXPECT_FALSE(TryStrToDate(bad, v)) << bad;
    }
    for (const char* bad : {"", "24:00", "12:60", "12", "12:3x", "-1:00"}) {
        EXPECT_FALSE(TryStrToTime(bad, v)) << bad;
    }
    try {
        StrToDate("31.02.2007");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'31.02.2007' ist kein gültiges Datum");
    }
    try {
        StrToTime("25:00");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'25:00' ist keine gültige Uhrzeit");
    }
    try {
        StrToDateTime("gestern");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'gestern' ist keine gültige Datums- und Uhrzeitangabe");
    }
}

TEST(DateTime, SystemClockIsNearTheRealDate) {
    const TDateTime now = SystemClock().Now();
    EXPECT_GT(now, EncodeDate(2020, 1, 1));
    EXPECT_LT(now, EncodeDate(2200, 1, 1));
}
