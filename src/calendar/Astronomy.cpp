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
// The double forms serve the rough screening of the daily minimum.
inline double SinRad(double x) {
    return std::sin(x);
}
inline double CosRad(double x) {
    return std::cos(x);
}
inline void SinCosRad(double x, double& sine, double& cosine) {
    sine = std::sin(x);
    cosine = std::cos(x);
}
inline double ArcTanRad(double x) {
    return std::atan(x);
}
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

// The angle functions in the precision `Real`: long double for every result
// the program uses, double for a quick first look (see DailyMinimumFraction).
template <typename Real> Real Normalized(Real degrees) {
    // Any rounding to the nearest whole turn gives the same result here (a
    // tie lands on 180 either way); rint is the fast one.
    degrees -= Real(360) * std::rint(degrees / Real(360));
    while (degrees < 0) {
        degrees += Real(360);
    }
    return degrees;
}

template <typename Real> Real Radians(Real degrees) {
    return Normalized(degrees) * static_cast<Real>(kRadiansPerDegree);
}

template <typename Real> Real Sin(Real degrees) {
    return SinRad(Radians(degrees));
}

template <typename Real> Real Cos(Real degrees) {
    return CosRad(Radians(degrees));
}

template <typename Real> Real ArcTan(Real x) {
    return ArcTanRad(x) * static_cast<Real>(kDegreesPerRadian);
}

template <typename Real> Real ArcSin(Real x) {
    return ArcTan(x / std::sqrt(Real(1) - x * x));
}

template <typename Real> Real ArcCos(Real x) {
    return Real(90) - ArcSin(x);
}

// Cosine and sine of an angle as one value.
template <typename Real> struct Turn {
    Real cosine = 1;
    Real sine = 0;
};

template <typename Real> Turn<Real> operator*(const Turn<Real>& a, const Turn<Real>& b) {
    return {a.cosine * b.cosine - a.sine * b.sine, a.sine * b.cosine + a.cosine * b.sine};
}

// The whole multiples -4 … 4 of an angle. The arguments of the periodic
// terms are sums of small multiples of the same few angles, so their sines
// and cosines follow from the angles' own by the addition theorem instead
// of one evaluation per term.
template <typename Real> class Multiples {
public:
    explicit Multiples(Real degrees) {
        Turn<Real> one;
        SinCosRad(Radians(degrees), one.sine, one.cosine);
        turns_[kMax] = Turn<Real>{};
        for (int k = 1; k <= kMax; ++k) {
            const Turn<Real>& up = turns_[kMax + k] = turns_[kMax + k - 1] * one;
            turns_[kMax - k] = Turn<Real>{up.cosine, -up.sine};
        }
    }
    const Turn<Real>& operator[](int k) const { return turns_[static_cast<std::size_t>(kMax + k)]; }

private:
    static constexpr int kMax = 4;
    std::array<Turn<Real>, 2 * kMax + 1> turns_;
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
    return Normalized(degrees);
}

long double SinDeg(long double degrees) {
    return Sin(degrees);
}

long double CosDeg(long double degrees) {
    return Cos(degrees);
}

long double TanDeg(long double degrees) {
    long double sine = 0;
    long double cosine = 0;
    SinCosRad(Radians(degrees), sine, cosine);
    return sine / cosine;
}

long double ArcSinDeg(long double x) {
    return ArcSin(x);
}

long double ArcCosDeg(long double x) {
    return ArcCos(x);
}

long double ArcTanDeg(long double x) {
    return ArcTan(x);
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

// The series below are written once for both precisions; every constant is
// taken as `Real`, so the long double results are those of plain long double
// code and the double ones really are double. `t` is in Julian centuries.
template <typename Real> constexpr Real R(long double x) {
    return static_cast<Real>(x);
}

template <typename Real> struct NutationSums {
    Real deltaPsi = 0;     // degrees
    Real deltaEpsilon = 0; // degrees, only when asked for
};

// The nutation series; the obliquity part is skipped when only the longitude
// is needed (the illuminated fraction uses no equatorial coordinates).
template <typename Real> NutationSums<Real> NutationSeries(Real t, bool withObliquity) {
    const Real t2 = t * t;
    const Real t3 = t2 * t;
    const Real d = Normalized(R<Real>(297.85036L) + R<Real>(445267.11148L) * t -
                              R<Real>(0.0019142L) * t2 + t3 / R<Real>(189474.0L));
    const Real m = Normalized(R<Real>(357.52772L) + R<Real>(35999.05034L) * t -
                              R<Real>(0.0001603L) * t2 - t3 / R<Real>(300000.0L));
    const Real mPrime = Normalized(R<Real>(134.96298L) + R<Real>(477198.867398L) * t +
                                   R<Real>(0.0086972L) * t2 + t3 / R<Real>(56250.0L));
    const Real f = Normalized(R<Real>(93.27191L) + R<Real>(483202.017538L) * t -
                              R<Real>(0.0036825L) * t2 + t3 / R<Real>(327270.0L));
    const Real omega = Normalized(R<Real>(125.04452L) - R<Real>(1934.136261L) * t +
                                  R<Real>(0.0020708L) * t2 + t3 / R<Real>(450000.0L));

    const Multiples<Real> dTurns(d);
    const Multiples<Real> mTurns(m);
    const Multiples<Real> mPrimeTurns(mPrime);
    const Multiples<Real> fTurns(f);
    const Multiples<Real> omegaTurns(omega);
    Real deltaPsi = 0;
    Real deltaEpsilon = 0;
    for (const NutationTerm& term : kNutationTerms) {
        const Turn<Real> argument = dTurns[term.d] * mTurns[term.m] * mPrimeTurns[term.mPrime] *
                                    fTurns[term.f] * omegaTurns[term.omega];
        // The per-century coefficients are tabulated in tenths.
        deltaPsi += (term.psiConst + term.psiT / R<Real>(10.0L) * t) * argument.sine;
        if (withObliquity) {
            deltaEpsilon += (term.epsConst + term.epsT / R<Real>(10.0L) * t) * argument.cosine;
        }
    }
    return {deltaPsi * R<Real>(0.0001L) / R<Real>(3600.0L),
            deltaEpsilon * R<Real>(0.0001L) / R<Real>(3600.0L)};
}

// A body's ecliptic place: longitude, latitude, distance in km.
template <typename Real> struct Ecliptic {
    Real lambda = 0;
    Real beta = 0;
    Real distance = 0;
};

template <typename Real> Ecliptic<Real> SunEcliptic(Real t) {
    const Real t2 = t * t;
    const Real t3 = t2 * t;
    const Real m = R<Real>(357.5291L) + R<Real>(35999.0503L) * t - R<Real>(0.0001559L) * t2 -
                   R<Real>(0.00000048L) * t3;
    const Real k = (R<Real>(1.9146L) - R<Real>(0.004817L) * t - R<Real>(0.000014L) * t2) * Sin(m) +
                   (R<Real>(0.019993L) - R<Real>(0.000101L) * t) * Sin(2 * m) +
                   R<Real>(0.00029L) * Sin(3 * m);
    const Real l0 = R<Real>(280.46645L) + R<Real>(36000.76983L) * t + R<Real>(0.0003032L) * t2;
    const Real trueLongitude = Normalized(l0 + k);

    const Real e = R<Real>(0.016708617L) - R<Real>(0.000042037L) * t - R<Real>(0.0000001236L) * t2;
    const Real radiusAu = R<Real>(1.000001018L) * (1 - e * e) / (1 + e * Cos(m + k));
    const Real omega = R<Real>(125.04452L) - R<Real>(1934.136261L) * t + R<Real>(0.0020708L) * t2 +
                       t3 / R<Real>(450000.0L);

    Ecliptic<Real> place;
    place.lambda = Normalized(trueLongitude - R<Real>(0.00569L) - R<Real>(0.00478L) * Sin(omega) -
                              R<Real>(0.005691611L) / radiusAu);
    place.beta = 0;
    place.distance = radiusAu * R<Real>(kKilometresPerAu);
    return place;
}

template <typename Real> Ecliptic<Real> MoonEcliptic(Real t) {
    const Real t2 = t * t;
    const Real t3 = t2 * t;
    const Real t4 = t3 * t;
    // Mean elements, deliberately not normalised: the angle functions do it.
    const Real lPrime = R<Real>(218.3164591L) + R<Real>(481267.88134236L) * t -
                        R<Real>(0.0013268L) * t2 + t3 / R<Real>(538841.0L) -
                        t4 / R<Real>(65194000.0L);
    const Real d = R<Real>(297.8502042L) + R<Real>(445267.1115168L) * t - R<Real>(0.00163L) * t2 +
                   t3 / R<Real>(545868.0L) - t4 / R<Real>(113065000.0L);
    const Real m = R<Real>(357.5291092L) + R<Real>(35999.0502909L) * t - R<Real>(0.0001536L) * t2 +
                   t3 / R<Real>(24490000.0L);
    const Real mPrime = R<Real>(134.9634114L) + R<Real>(477198.8676313L) * t +
                        R<Real>(0.008997L) * t2 + t3 / R<Real>(69699.0L) -
                        t4 / R<Real>(14712000.0L);
    const Real f = R<Real>(93.2720993L) + R<Real>(483202.0175273L) * t - R<Real>(0.0034029L) * t2 -
                   t3 / R<Real>(3526000.0L) + t4 / R<Real>(863310000.0L);
    const Real a1 = R<Real>(119.75L) + R<Real>(131.849L) * t;
    const Real a2 = R<Real>(53.09L) + R<Real>(479264.29L) * t;
    const Real a3 = R<Real>(313.45L) + R<Real>(481266.484L) * t;
    const Real e = 1 - R<Real>(0.002516L) * t - R<Real>(0.0000074L) * t2;
    const std::array<Real, 3> eFactor = {Real(1), e, e * e};

    const Multiples<Real> dTurns(d);
    const Multiples<Real> mTurns(m);
    const Multiples<Real> mPrimeTurns(mPrime);
    const Multiples<Real> fTurns(f);
    const auto argumentOf = [&](const auto& term) {
        return dTurns[term.d] * mTurns[term.m] * mPrimeTurns[term.mPrime] * fTurns[term.f];
    };
    Real sumL = 0;
    Real sumR = 0;
    for (const MoonLongitudeDistanceTerm& term : kMoonLongitudeDistanceTerms) {
        const Turn<Real> argument = argumentOf(term);
        const Real factor = eFactor[static_cast<std::size_t>(std::abs(term.m))];
        sumL += term.sigmaL * factor * argument.sine;
        sumR += term.sigmaR * factor * argument.cosine;
    }
    Real sumB = 0;
    for (const MoonLatitudeTerm& term : kMoonLatitudeTerms) {
        const Turn<Real> argument = argumentOf(term);
        const Real factor = eFactor[static_cast<std::size_t>(std::abs(term.m))];
        sumB += term.sigmaB * factor * argument.sine;
    }

    sumL += 3958 * Sin(a1) + 1962 * Sin(lPrime - f) + 318 * Sin(a2);
    sumB += -2235 * Sin(lPrime) + 382 * Sin(a3) + 175 * Sin(a1 - f) + 175 * Sin(a1 + f) +
            127 * Sin(lPrime - mPrime) - 115 * Sin(lPrime + mPrime);

    Ecliptic<Real> place;
    place.lambda = lPrime + sumL / R<Real>(1000000.0L);
    place.beta = sumB / R<Real>(1000000.0L);
    place.distance = R<Real>(385000.56L) + sumR / R<Real>(1000.0L);
    return place;
}

template <typename Real> Real Fraction(Real t) {
    // Both places get the nutation in longitude as in SunPosition and
    // MoonPosition; their equatorial coordinates are not needed here.
    const Real deltaPsi = NutationSeries(t, false).deltaPsi;
    Ecliptic<Real> sun = SunEcliptic(t);
    Ecliptic<Real> moon = MoonEcliptic(t);
    sun.lambda = Normalized(sun.lambda + deltaPsi);
    moon.lambda = Normalized(moon.lambda + deltaPsi);

    const Real cosPsi = Cos(moon.beta) * Cos(moon.lambda - sun.lambda);
    const Real psi = ArcCos(cosPsi);
    Real i = ArcTan(sun.distance * Sin(psi) / (moon.distance - sun.distance * Cos(psi)));
    if (i < 0) {
        i += 180;
    }
    return (1 + Cos(i)) / 2;
}

BodyPosition ToBodyPosition(const Ecliptic<long double>& place) {
    BodyPosition position;
    position.lambda = place.lambda;
    position.beta = place.beta;
    position.distance = place.distance;
    return position;
}

} // namespace

Nutation NutationAt(long double value) {
    const long double t = JulianCenturies(value);
    const NutationSums<long double> sums = NutationSeries(t, true);
    Nutation result;
    result.deltaPsi = sums.deltaPsi;
    result.deltaEpsilon = sums.deltaEpsilon;
    const long double t2 = t * t;
    const long double t3 = t2 * t;
    const long double epsilon0 = 84381.448L - 46.815L * t - 0.00059L * t2 + 0.001813L * t3;
    result.meanObliquity = epsilon0 / 3600.0L;
    result.obliquity = result.meanObliquity + result.deltaEpsilon;
    return result;
}

BodyPosition NutateToEquatorial(BodyPosition position, long double value) {
    return Nutate(position, NutationAt(value));
}

BodyPosition SunEclipticPosition(long double value) {
    return ToBodyPosition(SunEcliptic(JulianCenturies(value)));
}

BodyPosition SunPosition(long double value) {
    return NutateToEquatorial(SunEclipticPosition(value), value);
}

BodyPosition MoonEclipticPosition(long double value) {
    return ToBodyPosition(MoonEcliptic(JulianCenturies(value)));
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

namespace {

// What rising, setting and transit of one body on one day share: the
// standard altitude, the sidereal time at 0 h and the places of the day
// before, the day and the day after.
struct RiseSetBasis {
    long double d0 = 0;
    long double h0 = kSunStandardAltitude;
    long double theta0 = 0;
    BodyPosition p1, p2, p3;
    long double h0Angle = 0;
};

RiseSetBasis BasisOf(Body body, long double longitude, long double latitude, long double value) {
    RiseSetBasis basis;
    basis.d0 = WholeDay(value);
    basis.theta0 = SiderealTime(basis.d0);
    basis.p1 = BodyAt(body, longitude, latitude, basis.d0 - 1);
    basis.p2 = BodyAt(body, longitude, latitude, basis.d0);
    basis.p3 = BodyAt(body, longitude, latitude, basis.d0 + 1);
    if (body == Body::Moon) {
        // At 0 h (a date without a time) the place at value is p2.
        const BodyPosition atValue =
            value == basis.d0 ? basis.p2 : BodyAt(body, longitude, latitude, value);
        basis.h0 = 0.7275L * atValue.parallax - 0.5666667L;
    }

    const long double cosH0 = (SinDeg(basis.h0) - SinDeg(latitude) * SinDeg(basis.p2.delta)) /
                              (CosDeg(latitude) * CosDeg(basis.p2.delta));
    // Written so that a value that is not a number fails as well.
    if (!(cosH0 >= -1 && cosH0 <= 1)) {
        throw E_NoRiseSet();
    }
    basis.h0Angle = ArcCosDeg(cosH0);
    return basis;
}

long double EventTime(const RiseSetBasis& basis, RiseSetEvent event, long double longitude,
                      long double latitude) {
    long double m = (basis.p2.alpha + longitude - basis.theta0) / 360.0L;
    if (event == RiseSetEvent::Rise) {
        m -= basis.h0Angle / 360.0L;
    } else if (event == RiseSetEvent::Set) {
        m += basis.h0Angle / 360.0L;
    }
    m = Frac(m);
    if (m < 0) {
        m += 1;
    }

    const long double alpha = Interpolate(basis.p1.alpha, basis.p2.alpha, basis.p3.alpha, m);
    const long double delta = Interpolate(basis.p1.delta, basis.p2.delta, basis.p3.delta, m);
    long double hourAngle = NormalizeAngle(basis.theta0 + 360.985647L * m - longitude - alpha);
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
        deltaM =
            (altitude - basis.h0) / (360.0L * CosDeg(delta) * CosDeg(latitude) * SinDeg(hourAngle));
    }
    return basis.d0 + m + deltaM;
}

} // namespace

long double RiseSetTime(Body body, RiseSetEvent event, long double longitude, long double latitude,
                        long double value) {
    return EventTime(BasisOf(body, longitude, latitude, value), event, longitude, latitude);
}

RiseAndSet RiseAndSetTimes(Body body, long double longitude, long double latitude,
                           long double value) {
    const RiseSetBasis basis = BasisOf(body, longitude, latitude, value);
    return {EventTime(basis, RiseSetEvent::Rise, longitude, latitude),
            EventTime(basis, RiseSetEvent::Set, longitude, latitude)};
}

long double IlluminatedFraction(long double value) {
    return Fraction(JulianCenturies(value));
}

long double DailyMinimumFraction(long double value) {
    const long double day = WholeDay(value);
    std::array<long double, 24> instants{};
    for (int hour = 0; hour < 24; ++hour) {
        instants[static_cast<std::size_t>(hour)] = day + hour / 24.0L;
    }
    // A first look in double precision, four times faster, tells which hours
    // can hold the minimum: the double and long double fractions of an
    // instant differ by far less than kRoughError (at most 2.3e-10 over the
    // years 1583 to 9999), so an hour whose rough fraction lies more than
    // twice that above the smallest rough one cannot be the smallest. Only
    // the others, mostly one, are computed in full, which gives the very
    // minimum a full computation of all 24 hours gives.
    constexpr double kRoughError = 1e-7;
    std::array<double, 24> rough{};
    double roughMinimum = 2;
    for (std::size_t hour = 0; hour < rough.size(); ++hour) {
        rough[hour] = Fraction(static_cast<double>(JulianCenturies(instants[hour])));
        roughMinimum = std::min(roughMinimum, rough[hour]);
    }
    long double minimum = 0;
    bool first = true;
    for (std::size_t hour = 0; hour < rough.size(); ++hour) {
        // Anything but a clear distance (a number that is not one included)
        // is computed in full.
        if (rough[hour] > roughMinimum + 2 * kRoughError) {
            continue;
        }
        const long double fraction = IlluminatedFraction(instants[hour]);
        if (first || fraction < minimum) {
            minimum = fraction;
            first = false;
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
