#include "calendar/Astronomy.h"

#include "base/DateTime.h"
#include "calendar/E_NoRiseSet.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zv {
namespace {

constexpr long double kArcSecond = 1.0L / 3600.0L;
constexpr long double kMinute = 1.0L / 1440.0L;

long double At(int year, int month, int day, int hour = 0, int minute = 0) {
    return EncodeDate(year, month, day) + (hour * 60 + minute) * kMinute;
}

TEST(AngleTest, NormalisationGivesOneTurnFromZero) {
    EXPECT_DOUBLE_EQ(NormalizeAngle(-30), 330);
    EXPECT_DOUBLE_EQ(NormalizeAngle(720), 0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(540), 180);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-180), 180);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-1000), 80);
    EXPECT_NEAR(NormalizeAngle(481267.88134236L * 1.5L), 101.82201354L, 1e-8);
}

TEST(AngleTest, ArcFunctionsAnswerInDegreesIncludingTheEnds) {
    EXPECT_NEAR(ArcSinDeg(0.5L), 30, 1e-15);
    EXPECT_DOUBLE_EQ(ArcSinDeg(1), 90);
    EXPECT_DOUBLE_EQ(ArcSinDeg(-1), -90);
    EXPECT_DOUBLE_EQ(ArcCosDeg(-1), 180);
    EXPECT_NEAR(ArcCosDeg(0.5L), 60, 1e-15);
    EXPECT_NEAR(ArcTanDeg(-1), -45, 1e-15);
    EXPECT_NEAR(SinDeg(-330), 0.5L, 1e-18);
    EXPECT_NEAR(CosDeg(420), 0.5L, 1e-18);
    EXPECT_NEAR(TanDeg(225), 1, 1e-18);
}

TEST(JulianDayTest, CountsFromTheJulianEpochWithinTheGregorianCalendar) {
    EXPECT_NEAR(JulianDay(At(1957, 10, 4) + 0.81L), 2436116.31L, 1e-9);
    EXPECT_DOUBLE_EQ(JulianDay(At(2000, 1, 1, 12)), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianCenturies(At(2000, 1, 1, 12)), 0);
    EXPECT_DOUBLE_EQ(JulianDay(At(1582, 10, 15)), 2299160.5);
    EXPECT_EQ(JulianDay(At(1582, 10, 14, 23, 59)), 0);
    EXPECT_EQ(JulianDay(At(1000, 1, 1)), 0);
}

TEST(SiderealTimeTest, MatchesTheWorkedExamplesAtMidnightAndDuringTheDay) {
    // 1987 April 10, 0h UT: 13h10m46.3668s; at 19h21m00s: 8h34m57.0896s.
    EXPECT_NEAR(SiderealTime(At(1987, 4, 10)), 197.693195L, 1e-6);
    EXPECT_NEAR(SiderealTime(At(1987, 4, 10, 19, 21)), 128.7378734L, 1e-6);
}

TEST(NutationTest, ThirtyOneTermsStayWithinTheTruncationOfTheFullSeries) {
    // 1987 April 10, 0h: the full series gives -3.7879" and +9.4425"; the
    // first 31 rows give -3.7909" and +9.4417".
    const Nutation n = NutationAt(At(1987, 4, 10));
    EXPECT_NEAR(n.deltaPsi / kArcSecond, -3.7909L, 0.0005L);
    EXPECT_NEAR(n.deltaEpsilon / kArcSecond, 9.4417L, 0.0005L);
    EXPECT_NEAR(n.deltaPsi / kArcSecond, -3.7879L, 0.018L);
    EXPECT_NEAR(n.deltaEpsilon / kArcSecond, 9.4425L, 0.0051L);
    // Mean obliquity 23 26'27.407", true obliquity 23 26'36.850".
    EXPECT_NEAR(n.meanObliquity, 23 + 26 / 60.0L + 27.407L / 3600, 0.001L * kArcSecond);
    EXPECT_NEAR(n.obliquity, 23 + 26 / 60.0L + 36.850L / 3600, 0.006L * kArcSecond);
}

TEST(MoonPositionTest, MatchesTheWorkedExampleOf1992April12) {
    const long double value = At(1992, 4, 12);
    const BodyPosition geometric = MoonEclipticPosition(value);
    EXPECT_NEAR(NormalizeAngle(geometric.lambda), 133.162655L, 1e-5);
    EXPECT_NEAR(geometric.beta, -3.229126L, 1e-5);
    EXPECT_NEAR(geometric.distance, 368409.7L, 0.1L);

    // The apparent place adds the nutation in longitude (+16.6") and turns
    // into right ascension 134.688470 and declination 13.768368.
    const BodyPosition apparent = MoonPosition(value);
    EXPECT_NEAR(apparent.lambda, NormalizeAngle(geometric.lambda) + NutationAt(value).deltaPsi,
                1e-12);
    EXPECT_NEAR(apparent.lambda, 133.167265L, 2e-5);
    EXPECT_EQ(apparent.beta, geometric.beta);
    EXPECT_NEAR(apparent.alpha, 134.688470L, 2e-5);
    EXPECT_NEAR(apparent.delta, 13.768368L, 2e-5);
}

TEST(SunPositionTest, AgreesWithTheWorkedExampleOf1992October13) {
    const long double value = At(1992, 10, 13);
    const BodyPosition sun = SunEclipticPosition(value);
    EXPECT_NEAR(sun.distance / 149597869.0L, 0.99766L, 0.00001L);
    EXPECT_EQ(sun.beta, 0);
    // Apparent longitude 199.90895 less the aberration term of the distance,
    // which this theory applies as well.
    EXPECT_NEAR(sun.lambda, 199.90895L - 0.005691611L / 0.99766L, 1e-4);
    // The nutation step moves it once more; the equatorial place stays within
    // a few arc seconds of the apparent 198.38083 / -7.78507.
    const BodyPosition apparent = SunPosition(value);
    EXPECT_NEAR(apparent.lambda, sun.lambda + NutationAt(value).deltaPsi, 1e-12);
    EXPECT_NEAR(apparent.alpha, 198.38083L, 0.002L);
    EXPECT_NEAR(apparent.delta, -7.78507L, 0.001L);
}

TEST(TopocentricTest, ShiftsAPlaceByTheObserversParallax) {
    // Mars from Palomar, 2003 August 28, 3:17 UT: alpha 339.530208,
    // delta -15.771083 at 0.37276 AU become 339.535583 and -15.775000.
    BodyPosition mars;
    mars.alpha = 339.530208L;
    mars.delta = -15.771083L;
    mars.distance = 0.37276L * 149597869.0L;
    const long double latitude = 33 + 21 / 60.0L + 22 / 3600.0L;
    const long double longitude = (7 + 47 / 60.0L + 27 / 3600.0L) * 15;
    const BodyPosition seen =
        TopocentricMoon(mars, 1706, longitude, latitude, At(2003, 8, 28, 3, 17));
    EXPECT_NEAR(seen.parallax / kArcSecond, 23.592L, 0.001L);
    EXPECT_NEAR(seen.alpha, 339.535583L, 2e-5);
    EXPECT_NEAR(seen.delta, -15.775000L, 2e-5);
}

TEST(TopocentricTest, MoonParallaxOfTheWorkedExample) {
    const long double value = At(1992, 4, 12);
    const BodyPosition seen = TopocentricMoon(MoonPosition(value), 0, -7.5L, 51.6L, value);
    // 0.991990 with the Earth's radius in km; the solar parallax of 8.794"
    // makes the radius 6378.03 km and the parallax 0.06" smaller.
    EXPECT_NEAR(seen.parallax, 0.991990L, 3e-5);
}

TEST(RiseSetTimeTest, SunCrossesTheMeridianAtTheSolarNoonOfTheSite) {
    // 1 August 2019 at 7.5 E: mean noon 11:30 UT plus the equation of time
    // of about 6 1/3 minutes.
    const long double day = At(2019, 8, 1);
    const long double transit = RiseSetTime(Body::Sun, RiseSetEvent::Transit, -7.5L, 51.6L, day);
    EXPECT_NEAR(transit, day + (11 * 60 + 36.3L) * kMinute, 1 * kMinute);
    const long double rise = RiseSetTime(Body::Sun, RiseSetEvent::Rise, -7.5L, 51.6L, day);
    const long double set = RiseSetTime(Body::Sun, RiseSetEvent::Set, -7.5L, 51.6L, day);
    EXPECT_LT(rise, transit);
    EXPECT_GT(set, transit);
    // Morning and afternoon are equally long within a minute or so.
    EXPECT_NEAR(transit - rise, set - transit, 1.5L * kMinute);
}

TEST(RiseSetTimeTest, TimeOfDayOfTheValueOnlyMattersForTheMoonsAltitude) {
    const long double day = At(2019, 8, 1);
    EXPECT_EQ(RiseSetTime(Body::Sun, RiseSetEvent::Rise, -7.5L, 51.6L, day),
              RiseSetTime(Body::Sun, RiseSetEvent::Rise, -7.5L, 51.6L, day + 0.6L));
    const long double moonAtMidnight =
        RiseSetTime(Body::Moon, RiseSetEvent::Set, -7.5L, 51.6L, day);
    const long double moonInTheEvening =
        RiseSetTime(Body::Moon, RiseSetEvent::Set, -7.5L, 51.6L, day + 0.9L);
    EXPECT_NEAR(moonAtMidnight, moonInTheEvening, 0.5L * kMinute);
}

TEST(RiseSetTimeTest, RiseAndSetTogetherAreTheSingleEvents) {
    struct Case {
        Body body;
        long double value;
    };
    // A whole day, where the Moon's place at the value is that of 0 h, and
    // values with a time of day.
    const Case cases[] = {{Body::Moon, At(2019, 8, 1)},
                          {Body::Moon, At(2019, 8, 1, 21, 40)},
                          {Body::Moon, At(1950, 2, 11, 6)},
                          {Body::Sun, At(2019, 8, 1)},
                          {Body::Sun, At(2024, 12, 21, 13)}};
    for (const Case& c : cases) {
        const RiseAndSet both = RiseAndSetTimes(c.body, -7.5L, 51.6L, c.value);
        EXPECT_EQ(both.rise, RiseSetTime(c.body, RiseSetEvent::Rise, -7.5L, 51.6L, c.value));
        EXPECT_EQ(both.set, RiseSetTime(c.body, RiseSetEvent::Set, -7.5L, 51.6L, c.value));
    }
    EXPECT_THROW(RiseAndSetTimes(Body::Sun, -7.5L, 80, At(2019, 6, 21)), E_NoRiseSet);
}

TEST(RiseSetTimeTest, PolarDayAndNightHaveNoRiseOrSet) {
    EXPECT_THROW(RiseSetTime(Body::Sun, RiseSetEvent::Rise, -7.5L, 80, At(2019, 6, 21)),
                 E_NoRiseSet);
    EXPECT_THROW(RiseSetTime(Body::Sun, RiseSetEvent::Set, -7.5L, 80, At(2019, 12, 21)),
                 E_NoRiseSet);
    EXPECT_THROW(RiseSetTime(Body::Sun, RiseSetEvent::Rise, -7.5L, -80, At(2019, 6, 21)),
                 E_NoRiseSet);
    try {
        RiseSetTime(Body::Sun, RiseSetEvent::Rise, 0, 90, At(2019, 6, 21));
        FAIL() << "no rise at the pole";
    } catch (const E_NoRiseSet& e) {
        EXPECT_STREQ(e.what(), "No rises or sets calculable");
    }
    // The Moon, with its declination beyond 20 degrees, stays up or down at
    // 80 N on most days of a month.
    int failures = 0;
    for (int day = 1; day <= 28; ++day) {
        try {
            RiseSetTime(Body::Moon, RiseSetEvent::Rise, -7.5L, 80, At(2019, 3, day));
        } catch (const E_NoRiseSet&) {
            ++failures;
        }
    }
    EXPECT_GT(failures, 10);
}

TEST(IlluminatedFractionTest, FollowsTheLunation) {
    // New moon 1 August 2019 03:12 UT, first quarter 7 August 17:31, full
    // moon 15 August 12:29.
    EXPECT_LT(IlluminatedFraction(At(2019, 8, 1, 3, 12)), 0.003L);
    EXPECT_NEAR(IlluminatedFraction(At(2019, 8, 7, 17, 31)), 0.5L, 0.01L);
    EXPECT_GT(IlluminatedFraction(At(2019, 8, 15, 12, 29)), 0.997L);
    EXPECT_LT(IlluminatedFraction(At(2019, 8, 5)), IlluminatedFraction(At(2019, 8, 6)));
    EXPECT_GT(IlluminatedFraction(At(2019, 8, 20)), IlluminatedFraction(At(2019, 8, 21)));
}

TEST(IlluminatedFractionTest, DailyMinimumIsTheSmallestOfTheWholeHours) {
    const long double day = At(2019, 8, 15);
    long double smallest = 2;
    for (int hour = 0; hour < 24; ++hour) {
        smallest = std::min(smallest, IlluminatedFraction(day + hour / 24.0L));
    }
    EXPECT_EQ(DailyMinimumFraction(day), smallest);
    // The time of day of the value does not matter, and the full moon at
    // 12:29 lies between the whole hours, so the minimum is at an end.
    EXPECT_EQ(DailyMinimumFraction(day + 0.7L), smallest);
    EXPECT_LT(smallest, IlluminatedFraction(At(2019, 8, 15, 12, 29)));
}

TEST(IlluminatedFractionTest, DailyMinimumIsTheFullComputationsSmallestOnEveryKindOfDay) {
    // New moon, a quarter, full moon (at the ends and in the middle of the
    // day), a day whose hours all give the same fraction (before the
    // Gregorian calendar the centuries stand still) and a far one.
    const long double days[] = {At(2019, 8, 1),  At(2019, 8, 7), At(2019, 8, 15), At(1987, 3, 29),
                                At(2021, 5, 26), At(1500, 6, 1), At(9876, 5, 4),  At(1900, 1, 1)};
    for (const long double day : days) {
        long double smallest = IlluminatedFraction(day);
        for (int hour = 1; hour < 24; ++hour) {
            smallest = std::min(smallest, IlluminatedFraction(day + hour / 24.0L));
        }
        EXPECT_EQ(DailyMinimumFraction(day + 0.3L), smallest) << static_cast<double>(day);
    }
}

TEST(MoonPhaseClassTest, ComparesTheDayWithBothNeighbours) {
    EXPECT_EQ(MoonPhaseClass(0.2L, 0.1L, 0.2L), 0);  // below both: new moon
    EXPECT_EQ(MoonPhaseClass(0.2L, 0.1L, 0.05L), 3); // falling: waning
    EXPECT_EQ(MoonPhaseClass(0.1L, 0.2L, 0.3L), 1);  // rising: waxing
    EXPECT_EQ(MoonPhaseClass(0.8L, 0.9L, 0.8L), 2);  // above both: full moon
    // Ties: an equal day before counts as rising, an equal day after as well.
    EXPECT_EQ(MoonPhaseClass(0.5L, 0.5L, 0.4L), 2);
    EXPECT_EQ(MoonPhaseClass(0.5L, 0.5L, 0.5L), 1);
    EXPECT_EQ(MoonPhaseClass(0.6L, 0.5L, 0.5L), 3);
}

TEST(SummerTimeTest, RunsFromTheLastSundayOfMarchForWholeDays) {
    EXPECT_FALSE(IsSummerTime(At(2007, 3, 24, 23, 59)));
    EXPECT_TRUE(IsSummerTime(At(2007, 3, 25)));
    EXPECT_TRUE(IsSummerTime(At(2007, 3, 25, 1, 30)));
    // 31 March itself a Sunday.
    EXPECT_FALSE(IsSummerTime(At(2024, 3, 30)));
    EXPECT_TRUE(IsSummerTime(At(2024, 3, 31)));
}

TEST(SummerTimeTest, EndsWithTheLastSundayOfOctoberFrom1996) {
    EXPECT_TRUE(IsSummerTime(At(2007, 10, 27, 23, 59)));
    EXPECT_FALSE(IsSummerTime(At(2007, 10, 28)));
    EXPECT_FALSE(IsSummerTime(At(2007, 10, 28, 1, 0)));
    EXPECT_TRUE(IsSummerTime(At(1996, 9, 30)));
    EXPECT_TRUE(IsSummerTime(At(1996, 10, 26)));
    EXPECT_FALSE(IsSummerTime(At(1996, 10, 27)));
}

TEST(SummerTimeTest, EndsWithTheLastSundayOfSeptemberFrom1980To1995) {
    EXPECT_FALSE(IsSummerTime(At(1980, 3, 29)));
    EXPECT_TRUE(IsSummerTime(At(1980, 3, 30)));
    EXPECT_TRUE(IsSummerTime(At(1980, 9, 27)));
    EXPECT_FALSE(IsSummerTime(At(1980, 9, 28)));
    EXPECT_TRUE(IsSummerTime(At(1990, 3, 25)));
    EXPECT_TRUE(IsSummerTime(At(1990, 9, 29)));
    EXPECT_FALSE(IsSummerTime(At(1990, 9, 30)));
    EXPECT_FALSE(IsSummerTime(At(1990, 10, 1)));
    EXPECT_TRUE(IsSummerTime(At(1995, 9, 23)));
    EXPECT_FALSE(IsSummerTime(At(1995, 9, 24)));
}

TEST(SummerTimeTest, NoSummerTimeBefore1980) {
    EXPECT_FALSE(IsSummerTime(At(1979, 3, 25)));
    EXPECT_FALSE(IsSummerTime(At(1979, 7, 1)));
    EXPECT_FALSE(IsSummerTime(At(1950, 7, 1)));
    EXPECT_FALSE(IsSummerTime(At(1979, 12, 31)));
}

} // namespace
} // namespace zv
