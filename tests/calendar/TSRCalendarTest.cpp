#include "calendar/TSRCalendar.h"

#include "base/DateTime.h"
#include "calendar/AstroDayTexts.h"
#include "calendar/Astronomy.h"
#include "calendar/E_NoRiseSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace zv {
namespace {

constexpr long double kMinute = 1.0L / 1440.0L;
constexpr long double kHour = 1.0L / 24.0L;

long double Fraction(long double value) {
    return value - std::floor(value);
}

// Minutes from local midnight of an event time.
long double ClockMinutes(long double value) {
    return Fraction(value) * 1440;
}

struct Values {
    int phase;
    long double sunrise, sunset, moonrise, moonset;
    bool operator==(const Values&) const = default;
};

Values Read(const TSRCalendar& c) {
    return {c.MoonPhase(), c.Sunrise(), c.Sunset(), c.Moonrise(), c.Moonset()};
}

TEST(TSRCalendarTest, StartsAtTheEntryWindowsSite) {
    TSRCalendar calendar(EncodeDate(2019, 8, 1));
    EXPECT_EQ(calendar.Latitude(), 51.6f);
    EXPECT_DOUBLE_EQ(calendar.Latitude(), 51.59999847412109);
    EXPECT_EQ(calendar.Longitude(), -7.5f);
    EXPECT_EQ(calendar.CurrentDate(), EncodeDate(2019, 8, 1));
}

TEST(TSRCalendarTest, DefaultCreationComputesTheClocksDay) {
    FixedClock clock(EncodeDate(2019, 8, 1) + 0.5);
    SetCurrentClock(&clock);
    TSRCalendar calendar;
    SetCurrentClock(nullptr);
    EXPECT_EQ(calendar.CurrentDate(), EncodeDate(2019, 8, 1) + 0.5);
    EXPECT_EQ(calendar.MoonPhase(), 0);
    EXPECT_EQ(WholeDay(calendar.Sunrise()), EncodeDate(2019, 8, 1));
}

TEST(TSRCalendarTest, SameDayWithAnotherTimeChangesNothing) {
    const TDateTime day = EncodeDate(2019, 8, 14);
    TSRCalendar calendar(day);
    const Values before = Read(calendar);
    calendar.SetDay(day + 0.99);
    EXPECT_EQ(Read(calendar), before);
    EXPECT_EQ(calendar.CurrentDate(), day); // the time given is not taken over
    calendar.SetDay(day + 0.25);
    EXPECT_EQ(Read(calendar), before);
}

TEST(TSRCalendarTest, AnotherDayIsComputedAsIfFresh) {
    TSRCalendar walker(EncodeDate(2019, 8, 1));
    for (int day = 2; day <= 20; ++day) {
        walker.SetDay(EncodeDate(2019, 8, day));
    }
    const TSRCalendar fresh(EncodeDate(2019, 8, 20));
    EXPECT_EQ(Read(walker), Read(fresh));
    walker.SetDay(EncodeDate(2019, 8, 3));
    EXPECT_EQ(Read(walker), Read(TSRCalendar(EncodeDate(2019, 8, 3))));
    EXPECT_EQ(walker.CurrentDate(), EncodeDate(2019, 8, 3));
}

TEST(TSRCalendarTest, ChangingTheSiteRecomputesTheDay) {
    TSRCalendar calendar(EncodeDate(2019, 8, 1));
    const Values atEntrySite = Read(calendar);
    calendar.SetLongitude(-7.5f); // same value: nothing to do
    EXPECT_EQ(Read(calendar), atEntrySite);

    calendar.SetLongitude(-8.5f); // one degree further east: four minutes earlier
    EXPECT_NEAR(calendar.Sunrise() - atEntrySite.sunrise, -4 * kMinute, 0.2L * kMinute);
    EXPECT_NEAR(calendar.Sunset() - atEntrySite.sunset, -4 * kMinute, 0.2L * kMinute);

    calendar.SetLongitude(-7.5f);
    calendar.SetLatitude(48.0f); // further south in summer: a shorter day
    EXPECT_GT(calendar.Sunrise(), atEntrySite.sunrise);
    EXPECT_LT(calendar.Sunset(), atEntrySite.sunset);
    EXPECT_EQ(calendar.MoonPhase(), atEntrySite.phase);
}

TEST(TSRCalendarTest, SunTimesAgreeWithPublishedAlmanacTimes) {
    struct Almanac {
        const char* place;
        float latitude, longitude; // longitude west positive
        int year, month, day;
        int riseMinutes, setMinutes; // local clock, -1 where not published
    };
    const std::vector<Almanac> almanac = {
        {"Unna", 51.537f, -7.689f, 2019, 8, 1, 5 * 60 + 53, 21 * 60 + 17},
        {"Duesseldorf", 51.228f, -6.774f, 2022, 12, 21, 8 * 60 + 34, 16 * 60 + 26},
        {"Koeln", 50.938f, -6.960f, 2009, 6, 16, 5 * 60 + 15, -1},
    };
    for (const Almanac& a : almanac) {
        TSRCalendar calendar(EncodeDate(a.year, a.month, a.day), a.latitude, a.longitude);
        EXPECT_NEAR(ClockMinutes(calendar.Sunrise()), a.riseMinutes, 3) << a.place;
        if (a.setMinutes >= 0) {
            EXPECT_NEAR(ClockMinutes(calendar.Sunset()), a.setMinutes, 3) << a.place;
        }
    }
}

TEST(TSRCalendarTest, MoonRisesWithTheSunAtNewMoonAndSetsAtSunriseAtFullMoon) {
    const TSRCalendar newMoon(EncodeDate(2019, 8, 1));
    EXPECT_EQ(newMoon.MoonPhase(), 0);
    EXPECT_NEAR(ClockMinutes(newMoon.Moonrise()), ClockMinutes(newMoon.Sunrise()), 60);
    const TSRCalendar fullMoon(EncodeDate(2019, 8, 15));
    EXPECT_EQ(fullMoon.MoonPhase(), 2);
    EXPECT_NEAR(ClockMinutes(fullMoon.Moonset()), ClockMinutes(fullMoon.Sunrise()), 60);
    EXPECT_NEAR(ClockMinutes(fullMoon.Moonrise()), ClockMinutes(fullMoon.Sunset()), 60);
}

TEST(TSRCalendarTest, ClockIsTwoHoursAheadFromTheLastSundayOfMarch) {
    // 2007: summer time from Sunday 25 March to Sunday 28 October.
    const TSRCalendar saturday(EncodeDate(2007, 3, 24));
    const TSRCalendar sunday(EncodeDate(2007, 3, 25));
    // One hour later on the clock, less the two minutes the sun gains a day.
    EXPECT_NEAR(sunday.Sunrise() - saturday.Sunrise() - 1, kHour - 2 * kMinute, kMinute);
    EXPECT_NEAR(sunday.Sunset() - saturday.Sunset() - 1, kHour + 1.5L * kMinute, kMinute);
    EXPECT_EQ(TSRCalendar::ClockOffset(EncodeDate(2007, 3, 25)), 2 * kHour);

    const TSRCalendar lastSummerDay(EncodeDate(2007, 10, 27));
    const TSRCalendar winterSunday(EncodeDate(2007, 10, 28));
    EXPECT_NEAR(winterSunday.Sunrise() - lastSummerDay.Sunrise() - 1, -kHour + 1.7L * kMinute,
                kMinute);
    EXPECT_EQ(TSRCalendar::ClockOffset(EncodeDate(2007, 10, 28)), kHour);
}

TEST(TSRCalendarTest, DaysBefore1980UseOneHour) {
    // Sunrise on 1 July moves by less than a minute from year to year.
    const TSRCalendar before(EncodeDate(1979, 7, 1));
    const TSRCalendar after(EncodeDate(1981, 7, 1));
    EXPECT_NEAR(ClockMinutes(after.Sunrise()) - ClockMinutes(before.Sunrise()), 60, 1);
    EXPECT_EQ(TSRCalendar::ClockOffset(EncodeDate(1979, 7, 1)), kHour);
}

TEST(TSRCalendarTest, EventAfterMidnightIsStoredWithItsEarlyMorningTime) {
    EXPECT_EQ(AstroTimeText(EncodeDate(2019, 8, 1) + 1.03L), "00:43:12");
    // The Moon sets after midnight on some day of every month.
    TSRCalendar calendar(EncodeDate(2019, 8, 1));
    int found = 0;
    for (int day = 1; day <= 31; ++day) {
        const TDateTime date = EncodeDate(2019, 8, day);
        calendar.SetDay(date);
        if (calendar.Moonset() >= date + 1) {
            ++found;
            const AstroDayTexts texts = DayTexts(calendar);
            EXPECT_EQ(texts.moonset, TimeToStr(static_cast<double>(calendar.Moonset() - 1)));
            EXPECT_LT(texts.moonset, "03:00:00") << DateToStr(date);
        }
    }
    EXPECT_GT(found, 0);
}

TEST(TSRCalendarTest, EveryLunationOfTenYearsHasOneNewAndOneFullMoonDay) {
    const TDateTime first = EncodeDate(2010, 1, 1);
    const TDateTime last = EncodeDate(2019, 12, 31);
    TSRCalendar calendar(first);
    std::vector<int> phases;
    for (TDateTime day = first; day <= last; day += 1) {
        calendar.SetDay(day);
        phases.push_back(calendar.MoonPhase());
    }
    // Between two new moon days lies exactly one full moon day, waxing days
    // lead up to it and waning days follow it.
    std::vector<std::size_t> newMoons;
    for (std::size_t i = 0; i < phases.size(); ++i) {
        if (phases[i] == 0) {
            newMoons.push_back(i);
        }
    }
    ASSERT_GE(newMoons.size(), 123u);
    EXPECT_LE(newMoons.size(), 124u);
    for (std::size_t k = 0; k + 1 < newMoons.size(); ++k) {
        const std::size_t from = newMoons[k];
        const std::size_t to = newMoons[k + 1];
        EXPECT_GE(to - from, 29u);
        EXPECT_LE(to - from, 30u);
        int fullMoons = 0;
        for (std::size_t i = from + 1; i < to; ++i) {
            const int expectedBefore = fullMoons == 0 ? 1 : 3;
            if (phases[i] == 2) {
                ++fullMoons;
            } else {
                EXPECT_EQ(phases[i], expectedBefore) << DateToStr(first + static_cast<double>(i));
            }
        }
        EXPECT_EQ(fullMoons, 1) << "lunation from " << DateToStr(first + double(from));
    }
    // Days of eclipses, which fall on new and full moons.
    const auto phaseOn = [&](int y, int m, int d) {
        return phases[static_cast<std::size_t>(EncodeDate(y, m, d) - first)];
    };
    EXPECT_EQ(phaseOn(2015, 3, 20), 0);
    EXPECT_EQ(phaseOn(2017, 8, 21), 0);
    EXPECT_EQ(phaseOn(2018, 7, 27), 2);
    EXPECT_EQ(phaseOn(2019, 1, 21), 2);
}

TEST(TSRCalendarTest, EntrySiteTextsToTheSecond) {
    // Worked out independently, step by step, for the entry window's site at
    // 00:00 of each day: phase, sunrise, sunset, moonrise, moonset. Whole
    // seconds pin every term, the interpolation and the correction step,
    // which the minute-wide almanac comparisons above cannot.
    struct Expected {
        int year, month, day;
        const char* texts;
    };
    const std::vector<Expected> expected = {
        // The last Saturday of winter time and the first Sunday of summer
        // time; a moonset after midnight on both.
        {2007, 3, 24, "Zunehmender Mond;06:24:40;18:49:06;08:35:12;01:31:13"},
        {2007, 3, 25, "Zunehmender Mond;07:22:23;19:50:48;10:28:06;03:43:24"},
        {2007, 4, 5, "Abnehmender Mond;06:57:20;20:09:19;23:48:01;07:18:33"},
        // Summer time ended with September before 1996.
        {1985, 9, 28, "Zunehmender Mond;07:25:24;19:14:50;19:27:46;06:21:20"},
        {1985, 9, 29, "Vollmond;06:27:02;18:12:33;18:38:36;06:33:19"},
        {2024, 10, 27, "Abnehmender Mond;07:15:35;17:11:14;01:37:34;15:44:27"},
        {1979, 6, 1, "Zunehmender Mond;04:18:30;20:37:25;10:33:21;00:44:50"},
        {2032, 1, 1, "Abnehmender Mond;08:36:06;16:30:44;20:53:04;09:59:44"},
        {2019, 8, 1, "Neumond;05:52:40;21:18:56;05:59:00;21:45:18"},
    };
    TSRCalendar walker(EncodeDate(2000, 1, 1));
    for (const Expected& e : expected) {
        const TDateTime date = EncodeDate(e.year, e.month, e.day);
        walker.SetDay(date);
        const TSRCalendar fresh(date);
        for (const TSRCalendar* calendar : {static_cast<const TSRCalendar*>(&walker), &fresh}) {
            const AstroDayTexts t = DayTexts(*calendar);
            EXPECT_EQ(t.moonPhase + ";" + t.sunrise + ";" + t.sunset + ";" + t.moonrise + ";" +
                          t.moonset,
                      e.texts)
                << DateToStr(date);
        }
    }
}

TEST(AstroDayTextsTest, PhaseTextsAreTheStoredVocabulary) {
    EXPECT_EQ(MoonPhaseText(0), "Neumond");
    EXPECT_EQ(MoonPhaseText(1), "Zunehmender Mond");
    EXPECT_EQ(MoonPhaseText(2), "Vollmond");
    EXPECT_EQ(MoonPhaseText(3), "Abnehmender Mond");
    EXPECT_THROW(MoonPhaseText(4), std::out_of_range);
    EXPECT_THROW(MoonPhaseText(-1), std::out_of_range);
}

TEST(AstroDayTextsTest, TimesAreWholeSecondsOfTheRoundedMillisecond) {
    const TDateTime day = EncodeDate(2019, 8, 1);
    const long double second = 1.0L / 86400;
    EXPECT_EQ(AstroTimeText(day + (6 * 3600 + 12 * 60 + 45) * second), "06:12:45");
    EXPECT_EQ(AstroTimeText(day + (6 * 3600 + 12 * 60 + 45.9994L) * second), "06:12:45");
    EXPECT_EQ(AstroTimeText(day + (6 * 3600 + 12 * 60 + 45.9996L) * second), "06:12:46");
    EXPECT_EQ(AstroTimeText(day + 1 - 0.0004L * second), "00:00:00");
    // Results are linear in time also before the base date of 30.12.1899.
    EXPECT_EQ(AstroTimeText(-5 + 0.3L), "07:12:00");
    const TSRCalendar oldDay(EncodeDate(1890, 6, 1));
    EXPECT_LT(DayTexts(oldDay).sunrise, "05:00:00");
    EXPECT_GT(DayTexts(oldDay).sunset, "20:00:00");

    const TSRCalendar calendar(day);
    const AstroDayTexts texts = DayTexts(calendar);
    EXPECT_EQ(texts.moonPhase, "Neumond");
    EXPECT_EQ(texts.sunrise, TimeToStr(static_cast<double>(calendar.Sunrise())));
    EXPECT_EQ(texts.sunset.substr(0, 3), "21:");
    EXPECT_EQ(texts.moonset, TimeToStr(static_cast<double>(calendar.Moonset())));
}

// Finds the first day from start on which the Moon, or the Sun, does or does
// not rise at the given latitude.
TDateTime FindDay(TDateTime start, Body body, bool rises, float latitude) {
    for (TDateTime day = start; day < start + 60; day += 1) {
        bool ok = true;
        try {
            RiseSetTime(body, RiseSetEvent::Rise, -7.5L, latitude, day);
        } catch (const E_NoRiseSet&) {
            ok = false;
        }
        if (ok == rises) {
            return day;
        }
    }
    ADD_FAILURE() << "no such day";
    return start;
}

TEST(TSRCalendarTest, SunFailingKeepsTheNewDateAndTheMoonsValues) {
    // At 70 N the Sun does not set in June; the Moon rises and sets on the
    // days of small declination.
    const float latitude = 70.0f;
    const TDateTime spring = FindDay(EncodeDate(2019, 3, 15), Body::Moon, true, latitude);
    TSRCalendar calendar(spring, latitude, -7.5f);
    const Values springValues = Read(calendar);

    const TDateTime midsummer = FindDay(EncodeDate(2019, 6, 15), Body::Moon, true, latitude);
    EXPECT_THROW(calendar.SetDay(midsummer), E_NoRiseSet);
    EXPECT_EQ(calendar.CurrentDate(), midsummer);
    EXPECT_EQ(calendar.MoonPhase(), TSRCalendar(midsummer).MoonPhase());
    EXPECT_EQ(WholeDay(calendar.Moonrise() - TSRCalendar::ClockOffset(midsummer)), midsummer);
    EXPECT_EQ(calendar.Sunrise(), springValues.sunrise);
    EXPECT_EQ(calendar.Sunset(), springValues.sunset);

    // The unfinished day is computed again, not silently kept.
    EXPECT_THROW(calendar.SetDay(midsummer + 0.5), E_NoRiseSet);
}

TEST(TSRCalendarTest, MoonFailingKeepsAllFourTimesOfTheDayBefore) {
    const float latitude = 70.0f;
    const TDateTime spring = FindDay(EncodeDate(2019, 3, 15), Body::Moon, true, latitude);
    TSRCalendar calendar(spring, latitude, -7.5f);
    const Values springValues = Read(calendar);

    const TDateTime moonless = FindDay(EncodeDate(2019, 4, 1), Body::Moon, false, latitude);
    EXPECT_THROW(calendar.SetDay(moonless), E_NoRiseSet);
    EXPECT_EQ(calendar.CurrentDate(), moonless);
    EXPECT_EQ(calendar.MoonPhase(), TSRCalendar(moonless).MoonPhase());
    EXPECT_EQ(calendar.Moonrise(), springValues.moonrise);
    EXPECT_EQ(calendar.Moonset(), springValues.moonset);
    EXPECT_EQ(calendar.Sunrise(), springValues.sunrise);
    EXPECT_EQ(calendar.Sunset(), springValues.sunset);
}

TEST(TSRCalendarTest, SiteChangeThatFailsKeepsTheNewSite) {
    TSRCalendar calendar(EncodeDate(2019, 6, 21));
    EXPECT_THROW(calendar.SetLatitude(80.0f), E_NoRiseSet);
    EXPECT_EQ(calendar.Latitude(), 80.0f);
    calendar.SetLatitude(51.6f);
    EXPECT_EQ(Read(calendar), Read(TSRCalendar(EncodeDate(2019, 6, 21))));
}

} // namespace
} // namespace zv
