#pragma once

// Positional astronomy for the day data of the catch log: low-precision solar
// coordinates, the truncated lunar theory, a shortened nutation series and
// the three-day interpolation method for rising and setting.
//
// Every function is a pure function of its arguments. Angles are in degrees,
// distances in kilometres, instants are date-time values (days since
// 30.12.1899 00:00, read as Universal Time) and all arithmetic is done in
// long double, because the stored texts of existing databases were made with
// extended precision and must come out the same.

namespace zv {

// A body's place: ecliptic longitude and latitude, distance, right ascension
// and declination, and (Moon only) the horizontal parallax.
struct BodyPosition {
    long double lambda = 0;
    long double beta = 0;
    long double distance = 0;
    long double alpha = 0;
    long double delta = 0;
    long double parallax = 0;
};

// Nutation in longitude and obliquity and the obliquity of the ecliptic at
// an instant, all in degrees.
struct Nutation {
    long double deltaPsi = 0;
    long double deltaEpsilon = 0;
    long double meanObliquity = 0;
    long double obliquity = 0; // mean obliquity plus deltaEpsilon
};

enum class Body { Sun, Moon };
enum class RiseSetEvent { Rise, Set, Transit };

// Angle helpers with the normalisation rule the stored data were made with:
// subtract 360 times the nearest whole number of turns, then add 360 while
// negative. Sine, cosine and tangent normalise their argument first; the
// arc functions answer in degrees (arcsine through the arctangent, arccosine
// as 90 degrees minus the arcsine).
long double NormalizeAngle(long double degrees);
long double SinDeg(long double degrees);
long double CosDeg(long double degrees);
long double TanDeg(long double degrees);
long double ArcSinDeg(long double x);
long double ArcCosDeg(long double x);
long double ArcTanDeg(long double x);

// Whole-day part of a date-time value (truncated towards zero).
long double WholeDay(long double value);

// Julian day of a date-time value; 0 before 15 October 1582.
long double JulianDay(long double value);
// Julian centuries since J2000.0.
long double JulianCenturies(long double value);
// Mean sidereal time at Greenwich, degrees in [0, 360).
long double SiderealTime(long double value);

// The shortened nutation series (31 terms) and the obliquity.
Nutation NutationAt(long double value);
// Adds the nutation in longitude to the position's longitude and fills in
// right ascension and declination.
BodyPosition NutateToEquatorial(BodyPosition position, long double value);

// The Sun's ecliptic place before the nutation step, and the full position.
BodyPosition SunEclipticPosition(long double value);
BodyPosition SunPosition(long double value);

// The Moon's geocentric ecliptic place from the 60 + 60 periodic terms
// (longitude not normalised), and the full position after nutation.
BodyPosition MoonEclipticPosition(long double value);
BodyPosition MoonPosition(long double value);

// Parallax correction for an observer at the given height in metres, at
// longitude (west positive) and latitude; stores the horizontal parallax.
BodyPosition TopocentricMoon(BodyPosition position, long double height, long double longitude,
                             long double latitude, long double value);

// Rising, setting or transit on the day of value, in Universal Time, by one
// correction step of the three-day interpolation method. Throws E_NoRiseSet
// when the body does not reach its standard altitude on that day.
long double RiseSetTime(Body body, RiseSetEvent event, long double longitude, long double latitude,
                        long double value);

// Rising and setting together, as RiseSetTime gives them, from one set of
// the body's places.
struct RiseAndSet {
    long double rise = 0;
    long double set = 0;
};
RiseAndSet RiseAndSetTimes(Body body, long double longitude, long double latitude,
                           long double value);

// Illuminated fraction of the Moon's disc, 0 (new) to 1 (full).
long double IlluminatedFraction(long double value);
// Smallest illuminated fraction at the 24 whole hours of the day of value.
long double DailyMinimumFraction(long double value);

// Phase class 0..3 (new, waxing, full, waning) of a day from the daily
// minimum fractions of the day before, the day itself and the day after.
int MoonPhaseClass(long double previousDay, long double day, long double nextDay);

// German summer time on the day of value: from the last Sunday of March up
// to the day before the last Sunday of October (of September from 1980 to
// 1995); never before 1980.
bool IsSummerTime(long double value);

} // namespace zv
