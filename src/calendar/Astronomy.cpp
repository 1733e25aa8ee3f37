#include "calendar/Astronomy.h"

#include "base/DateTime.h"
#include "calendar/AstroTerms.h"
#include "calendar/E_NoRiseSet.h"

#include <array>
#include <cmath>

namespace zv {

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kRadiansPerDegree = kPi / 180.0L;
constexpr long double kDegreesPerRadian = 180.0L / kPi;

// Date-time value of 30.12.1899 as a Julian day, and the start of the
// Gregorian calendar (15.10.1582 00:00) as a date-time value.
constexpr long double kJulianDayOfBase = 2415018.5L;
constexpr long double kGregorianStart = 2299160.5L - kJulianDayOfBase;
constexpr long double kJ2000 = 2451545.0L;

constexpr long double kKilometresPerAu = 149597869.0L;
constexpr long double kEarthRadiusMetres = 6378140.0L;
constexpr long double kEarthAxisRatio = 0.99664719L;

constexpr long double kSunStandardAltitude = -0.8333L;

// The ecliptic-to-equatorial conversion of a place whose longitude already
// holds the nutation in longitude.
void ToEquatorial(BodyPosition& position, long double obliquity) {
    const long double sinLambda = SinDeg(position.lambda);
    const long double cosLambda = CosDeg(position.lambda);
    const long double sinEps = SinDeg(obliquity);
    const long double cosEps = CosDeg(obliquity);
    position.alpha = ArcTanDeg((sinLambda * cosEps - TanDeg(position.beta) * sinEps) / cosLambda);
    if (cosLambda < 0) {
        position.alpha += 180.0L;
    }
    position.delta =
        ArcSinDeg(SinDeg(position.beta) * cosEps + CosDeg(position.beta) * sinEps * sinLambda);
}

BodyPosition Nutate(BodyPosition position, const Nutation& nutation) {
    position.lambda = NormalizeAngle(position.lambda + nutation.deltaPsi);
    ToEquatorial(position, nutation.obliquity);
    return position;
}

// Sine and cosine of an angle in radians within one turn. On x86 the FPU's
// own instructions work in extended precision and are several times faster
// than the library's long double routines; elsewhere the library is used.
#if defined(__x86_64__) || defined(__i386__)
inline long double SinRad(long double x) {
    long double result;
    asm("fsin" : "=t"(result) : "0"(x));
    return result;
}
inline long double CosRad(long double x) {
    long double result;
    asm("fcos" : "=t"(result) : "0"(x));
    return result;
}
inline void SinCosRad(long double x, long double& sine, long double& cosine) {
    asm("fsincos" : "=t"(cosine), "=u"(sine) : "0"(x));
}
inline long double ArcTanRad(long double x) {
    long double result;
    asm("fpatan" : "=t"(result) : "0"(1.0L), "u"(x) : "st(1)");
    return result;
}
#else
inline long double SinRad(long double x) {
    return std::sin(x);
}
inline long double CosRad(long double x) {
    return std::cos(x);
}
inline void SinCosRad(long double x, long double& sine, long double& cosine) {
    sine = std::sin(x);
    cosine = std::cos(x);
}
inline long double ArcTanRad(long double x) {
    return std::atan(x);
}
#endif

void SinCosDeg(long double degrees, long double& sine, long double& cosine) {
    SinCosRad(NormalizeAngle(degrees) * kRadiansPerDegree, sine, cosine);
}

// Cosine and sine of an angle as one value.
struct Turn {
    long double cosine = 1;
    long double sine = 0;
};

Turn operator*(const Turn& a, const Turn& b) {
    return {a.cosine * b.cosine - a.sine * b.sine, a.sine * b.cosine + a.cosine * b.sine};
}

// The whole multiples -4 … 4 of an angle. The arguments of the periodic
// terms are sums of small multiples of the same few angles, so their sines
// and cosines follow from the angles' own by the addition theorem instead
// of one evaluation per term.
class Multiples {
public:
    explicit Multiples(long double degrees) {
        Turn one;
        SinCosDeg(degrees, one.sine, one.cosine);
        turns_[kMax] = Turn{};
        for (int k = 1; k <= kMax; ++k) {
            const Turn& up = turns_[kMax + k] = turns_[kMax + k - 1] * one;
            turns_[kMax - k] = Turn{up.cosine, -up.sine};
        }
    }
    const Turn& operator[](int k) const { return turns_[static_cast<std::size_t>(kMax + k)]; }

private:
    static constexpr int kMax = 4;
    std::array<Turn, 2 * kMax + 1> turns_;
};

long double Frac(long double x) {
    return x - std::trunc(x);
}

// Three-point interpolation at n from the values of the day before, the day
// and the day after; a jump over the 0/360 seam is taken as the short way.
long double Interpolate(long double y1, long double y2, long double y3, long double n) {
    long double a = y2 - y1;
    long double b = y3 - y2;
    if (a > 100) {
        a -= 360;
    } else if (a < -100) {
        a += 360;
    }
    if (b > 100) {
        b -= 360;
    } else if (b < -100) {
        b += 360;
    }
    return y2 + n / 2 * (a + b + n * (b - a));
}

BodyPosition BodyAt(Body body, long double longitude, long double latitude, long double value) {
    if (body == Body::Sun) {
        return SunPosition(value);
    }
    return TopocentricMoon(MoonPosition(value), 0, longitude, latitude, value);
}

long double LastSundayOnOrBefore(int year, int month, int day) {
    TDateTime date = EncodeDate(year, month, day);
    while (DayOfWeek(date) != 1) {
        date -= 1;
    }
    return date;
}

} // namespace

long double NormalizeAngle(long double degrees) {
    // Any rounding to the nearest whole turn gives the same result here (a
    // tie lands on 180 either way); rint is the fast one.
    degrees -= 360.0L * std::rint(degrees / 360.0L);
    while (degrees < 0) {
        degrees += 360.0L;
    }
    return degrees;
}

long double SinDeg(long double degrees) {
    return SinRad(NormalizeAngle(degrees) * kRadiansPerDegree);
}

long double CosDeg(long double degrees) {
    return CosRad(NormalizeAngle(degrees) * kRadiansPerDegree);
}

long double TanDeg(long double degrees) {
    long double sine = 0;
    long double cosine = 0;
    SinCosRad(NormalizeAngle(degrees) * kRadiansPerDegree, sine, cosine);
    return sine / cosine;
}

long double ArcSinDeg(long double x) {
    return ArcTanDeg(x / std::sqrt(1.0L - x * x));
}

long double ArcCosDeg(long double x) {
    return 90.0L - ArcSinDeg(x);
}

long double ArcTanDeg(long double x) {
    return ArcTanRad(x) * kDegreesPerRadian;
}

long double WholeDay(long double value) {
    return std::trunc(value);
}

long double JulianDay(long double value) {
    if (value < kGregorianStart) {
        return 0;
    }
    return value + kJulianDayOfBase;
}

long double JulianCenturies(long double value) {
    return (JulianDay(value) - kJ2000) / 36525.0L;
}

long double SiderealTime(long double value) {
    const long double jd = JulianDay(value);
    const long double t = (jd - kJ2000) / 36525.0L;
    return NormalizeAngle(280.46061837L + 360.98564736629L * (jd - kJ2000) +
                          t * t * (0.000387933L - t / 38710000.0L));
}

namespace {

// The nutation series; the obliquity part is skipped when only the longitude
// is needed (the illuminated fraction uses no equatorial coordinates).
Nutation ComputeNutation(long double value, bool withObliquity) {
    const long double t = JulianCenturies(value);
    const long double t2 = t * t;
    const long double t3 = t2 * t;
    const long double d =
        NormalizeAngle(297.85036L + 445267.11148L * t - 0.0019142L * t2 + t3 / 189474.0L);
    const long double m =
        NormalizeAngle(357.52772L + 35999.05034L * t - 0.0001603L * t2 - t3 / 300000.0L);
    const long double mPrime =
        NormalizeAngle(134.96298L + 477198.867398L * t + 0.0086972L * t2 + t3 / 56250.0L);
    const long double f =
        NormalizeAngle(93.27191L + 483202.017538L * t - 0.0036825L * t2 + t3 / 327270.0L);
    const long double omega =
        NormalizeAngle(125.04452L - 1934.136261L * t + 0.0020708L * t2 + t3 / 450000.0L);

    const Multiples dTurns(d);
    const Multiples mTurns(m);
    const Multiples mPrimeTurns(mPrime);
    const Multiples fTurns(f);
    const Multiples omegaTurns(omega);
    long double deltaPsi = 0;
    long double deltaEpsilon = 0;
    for (const NutationTerm& term : kNutationTerms) {
        const Turn argument = dTurns[term.d] * mTurns[term.m] * mPrimeTurns[term.mPrime] *
                              fTurns[term.f] * omegaTurns[term.omega];
        // The per-century coefficients are tabulated in tenths.
        deltaPsi += (term.psiConst + term.psiT / 10.0L * t) * argument.sine;
        if (withObliquity) {
            deltaEpsilon += (term.epsConst + term.epsT / 10.0L * t) * argument.cosine;
        }
    }

    Nutation result;
    result.deltaPsi = deltaPsi * 0.0001L / 3600.0L;
    result.deltaEpsilon = deltaEpsilon * 0.0001L / 3600.0L;
    const long double epsilon0 = 84381.448L - 46.815L * t - 0.00059L * t2 + 0.001813L * t3;
    result.meanObliquity = epsilon0 / 3600.0L;
    result.obliquity = result.meanObliquity + result.deltaEpsilon;
    return result;
}

} // namespace

Nutation NutationAt(long double value) {
    return ComputeNutation(value, true);
}

BodyPosition NutateToEquatorial(BodyPosition position, long double value) {
    return Nutate(position, NutationAt(value));
}

BodyPosition SunEclipticPosition(long double value) {
    const long double t = JulianCenturies(value);
    const long double t2 = t * t;
    const long double t3 = t2 * t;
    const long double m = 357.5291L + 35999.0503L * t - 0.0001559L * t2 - 0.00000048L * t3;
    const long double k = (1.9146L - 0.004817L * t - 0.000014L * t2) * SinDeg(m) +
                          (0.019993L - 0.000101L * t) * SinDeg(2 * m) + 0.00029L * SinDeg(3 * m);
    const long double l0 = 280.46645L + 36000.76983L * t + 0.0003032L * t2;
    const long double trueLongitude = NormalizeAngle(l0 + k);

    const long double e = 0.016708617L - 0.000042037L * t - 0.0000001236L * t2;
    const long double radiusAu = 1.000001018L * (1 - e * e) / (1 + e * CosDeg(m + k));
    const long double omega = 125.04452L - 1934.136261L * t + 0.0020708L * t2 + t3 / 450000.0L;

    BodyPosition position;
    position.lambda = NormalizeAngle(trueLongitude - 0.00569L - 0.00478L * SinDeg(omega) -
                                     0.005691611L / radiusAu);
    position.beta = 0;
    position.distance = radiusAu * kKilometresPerAu;
    return position;
}

BodyPosition SunPosition(long double value) {
    return NutateToEquatorial(SunEclipticPosition(value), value);
}

BodyPosition MoonEclipticPosition(long double value) {
    const long double t = JulianCenturies(value);
    const long double t2 = t * t;
    const long double t3 = t2 * t;
    const long double t4 = t3 * t;
    // Mean elements, deliberately not normalised: the angle functions do it.
    const long double lPrime =
        218.3164591L + 481267.88134236L * t - 0.0013268L * t2 + t3 / 538841.0L - t4 / 65194000.0L;
    const long double d =
        297.8502042L + 445267.1115168L * t - 0.00163L * t2 + t3 / 545868.0L - t4 / 113065000.0L;
    const long double m = 357.5291092L + 35999.0502909L * t - 0.0001536L * t2 + t3 / 24490000.0L;
    const long double mPrime =
        134.9634114L + 477198.8676313L * t + 0.008997L * t2 + t3 / 69699.0L - t4 / 14712000.0L;
    const long double f =
        93.2720993L + 483202.0175273L * t - 0.0034029L * t2 - t3 / 3526000.0L + t4 / 863310000.0L;
    const long double a1 = 119.75L + 131.849L * t;
    const long double a2 = 53.09L + 479264.29L * t;
    const long double a3 = 313.45L + 481266.484L * t;
    const long double e = 1 - 0.002516L * t - 0.0000074L * t2;
    const std::array<long double, 3> eFactor = {1.0L, e, e * e};

    const Multiples dTurns(d);
    const Multiples mTurns(m);
    const Multiples mPrimeTurns(mPrime);
    const Multiples fTurns(f);
    const auto argumentOf = [&](const auto& term) {
        return dTurns[term.d] * mTurns[term.m] * mPrimeTurns[term.mPrime] * fTurns[term.f];
    };
    long double sumL = 0;
    long double sumR = 0;
    for (const MoonLongitudeDistanceTerm& term : kMoonLongitudeDistanceTerms) {
        const Turn argument = argumentOf(term);
        const long double factor = eFactor[static_cast<std::size_t>(std::abs(term.m))];
        sumL += term.sigmaL * factor * argument.sine;
        sumR += term.sigmaR * factor * argument.cosine;
    }
    long double sumB = 0;
    for (const MoonLatitudeTerm& term : kMoonLatitudeTerms) {
        const Turn argument = argumentOf(term);
        const long double factor = eFactor[static_cast<std::size_t>(std::abs(term.m))];
        sumB += term.sigmaB * factor * argument.sine;
    }

    sumL += 3958 * SinDeg(a1) + 1962 * SinDeg(lPrime - f) + 318 * SinDeg(a2);
    sumB += -2235 * SinDeg(lPrime) + 382 * SinDeg(a3) + 175 * SinDeg(a1 - f) +
            175 * SinDeg(a1 + f) + 127 * SinDeg(lPrime - mPrime) - 115 * SinDeg(lPrime + mPrime);

    BodyPosition position;
    position.lambda = lPrime + sumL / 1000000.0L;
    position.beta = sumB / 1000000.0L;
    position.distance = 385000.56L + sumR / 1000.0L;
    return position;
}

BodyPosition MoonPosition(long double value) {
    return NutateToEquatorial(MoonEclipticPosition(value), value);
}

BodyPosition TopocentricMoon(BodyPosition position, long double height, long double longitude,
                             long double latitude, long double value) {
    const long double u = ArcTanDeg(kEarthAxisRatio * TanDeg(latitude));
    const long double rhoSinPhi =
        kEarthAxisRatio * SinDeg(u) + height / kEarthRadiusMetres * SinDeg(latitude);
    const long double rhoCosPhi = CosDeg(u) + height / kEarthRadiusMetres * CosDeg(latitude);

    // The position passed in is the Moon's at value, so its distance is the
    // one the parallax belongs to.
    position.parallax =
        ArcSinDeg(SinDeg(8.794L / 3600.0L) / (position.distance / kKilometresPerAu));
    const long double sinParallax = SinDeg(position.parallax);

    const long double hourAngle = SiderealTime(value) - longitude - position.alpha;
    const long double denominator =
        CosDeg(position.delta) - rhoCosPhi * sinParallax * CosDeg(hourAngle);
    const long double deltaAlpha =
        ArcTanDeg(-rhoCosPhi * sinParallax * SinDeg(hourAngle) / denominator);
    const long double delta = ArcTanDeg((SinDeg(position.delta) - rhoSinPhi * sinParallax) *
                                        CosDeg(deltaAlpha) / denominator);
    position.alpha += deltaAlpha;
    position.delta = delta;
    return position;
}

long double RiseSetTime(Body body, RiseSetEvent event, long double longitude, long double latitude,
                        long double value) {
    const long double d0 = WholeDay(value);

    long double h0 = kSunStandardAltitude;
    if (body == Body::Moon) {
        const BodyPosition atValue =
            TopocentricMoon(MoonPosition(value), 0, longitude, latitude, value);
        h0 = 0.7275L * atValue.parallax - 0.5666667L;
    }

    const long double theta0 = SiderealTime(d0);
    const BodyPosition p1 = BodyAt(body, longitude, latitude, d0 - 1);
    const BodyPosition p2 = BodyAt(body, longitude, latitude, d0);
    const BodyPosition p3 = BodyAt(body, longitude, latitude, d0 + 1);

    const long double cosH0 =
        (SinDeg(h0) - SinDeg(latitude) * SinDeg(p2.delta)) / (CosDeg(latitude) * CosDeg(p2.delta));
    // Written so that a value that is not a number fails as well.
    if (!(cosH0 >= -1 && cosH0 <= 1)) {
        throw E_NoRiseSet();
    }
    const long double h0Angle = ArcCosDeg(cosH0);

    long double m = (p2.alpha + longitude - theta0) / 360.0L;
    if (event == RiseSetEvent::Rise) {
        m -= h0Angle / 360.0L;
    } else if (event == RiseSetEvent::Set) {
        m += h0Angle / 360.0L;
    }
    m = Frac(m);
    if (m < 0) {
        m += 1;
    }

    const long double alpha = Interpolate(p1.alpha, p2.alpha, p3.alpha, m);
    const long double delta = Interpolate(p1.delta, p2.delta, p3.delta, m);
    long double hourAngle = NormalizeAngle(theta0 + 360.985647L * m - longitude - alpha);
    if (hourAngle > 180) {
        hourAngle -= 360;
    }

    long double deltaM = 0;
    if (event == RiseSetEvent::Transit) {
        deltaM = -hourAngle / 360.0L;
    } else {
        const long double altitude =
            ArcSinDeg(SinDeg(latitude) * SinDeg(delta) +
                      CosDeg(latitude) * CosDeg(delta) * CosDeg(hourAngle));
        deltaM = (altitude - h0) / (360.0L * CosDeg(delta) * CosDeg(latitude) * SinDeg(hourAngle));
    }
    return d0 + m + deltaM;
}

long double IlluminatedFraction(long double value) {
    // Both places get the nutation in longitude as in SunPosition and
    // MoonPosition; their equatorial coordinates are not needed here.
    const long double deltaPsi = ComputeNutation(value, false).deltaPsi;
    BodyPosition sun = SunEclipticPosition(value);
    BodyPosition moon = MoonEclipticPosition(value);
    sun.lambda = NormalizeAngle(sun.lambda + deltaPsi);
    moon.lambda = NormalizeAngle(moon.lambda + deltaPsi);

    const long double cosPsi = CosDeg(moon.beta) * CosDeg(moon.lambda - sun.lambda);
    const long double psi = ArcCosDeg(cosPsi);
    long double i =
        ArcTanDeg(sun.distance * SinDeg(psi) / (moon.distance - sun.distance * CosDeg(psi)));
    if (i < 0) {
        i += 180;
    }
    return (1 + CosDeg(i)) / 2;
}

long double DailyMinimumFraction(long double value) {
    const long double day = WholeDay(value);
    long double minimum = IlluminatedFraction(day);
    for (int hour = 1; hour < 24; ++hour) {
        const long double fraction = IlluminatedFraction(day + hour / 24.0L);
        if (fraction < minimum) {
            minimum = fraction;
        }
    }
    return minimum;
}

int MoonPhaseClass(long double previousDay, long double day, long double nextDay) {
    if (previousDay > day) {
        return nextDay > day ? 0 : 3;
    }
    return nextDay >= day ? 1 : 2;
}

bool IsSummerTime(long double value) {
    const TDateTime day = static_cast<TDateTime>(WholeDay(value));
    const int year = DecodeDate(day).year;
    if (year < 1980) {
        return false;
    }
    const long double start = LastSundayOnOrBefore(year, 3, 31);
    const long double end =
        year > 1995 ? LastSundayOnOrBefore(year, 10, 31) : LastSundayOnOrBefore(year, 9, 30);
    return start <= day && day < end;
}

} // namespace zv
