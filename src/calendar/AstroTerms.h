#pragma once

#include <array>

namespace zv {

// Periodic terms of the nutation series and of the truncated lunar theory,
// kept exactly as tabulated (integers in the table's own units) so the
// tables can be compared row by row with their printed source.

// Multipliers of D, M, M', F, Omega; nutation in longitude (psiConst, and
// psiT per century in tenths) and in obliquity (epsConst, epsT in tenths),
// all in units of 0.0001 arc seconds.
struct NutationTerm {
    int d, m, mPrime, f, omega;
    int psiConst, psiT, epsConst, epsT;
};

// Multipliers of D, M, M', F; sine coefficient for the longitude in
// 0.000001 degrees, cosine coefficient for the distance in 0.001 km.
struct MoonLongitudeDistanceTerm {
    int d, m, mPrime, f;
    int sigmaL, sigmaR;
};

// Multipliers of D, M, M', F; sine coefficient for the latitude in
// 0.000001 degrees.
struct MoonLatitudeTerm {
    int d, m, mPrime, f;
    int sigmaB;
};

// The 31 largest nutation terms, largest first.
extern const std::array<NutationTerm, 31> kNutationTerms;
// The 60 longitude/distance and 60 latitude terms of the Moon.
extern const std::array<MoonLongitudeDistanceTerm, 60> kMoonLongitudeDistanceTerms;
extern const std::array<MoonLatitudeTerm, 60> kMoonLatitudeTerms;

} // namespace zv
