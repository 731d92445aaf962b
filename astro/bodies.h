// Apparent geocentric positions of the Sun, the Moon, Venus, Mars, Jupiter and
// Saturn from short trigonometric series in one time argument, followed by a
// light correction (annual aberration, a planet term, nutation in longitude)
// and the rotation to the equator.
//
// Source: the program's design gives every term of the series (the tables
// in bodies.cpp) and the correction step; T counts Julian centuries from
// J2000.0 on Universal Time, with no correction to dynamical time.
// Accuracy, against Astronomy Engine's apparent places: over 2020-2040 the
// Moon within 224" (85" RMS), the Sun within 97", Venus 254", Mars 293";
// over 1900-2100 Saturn reaches 745". Geocentric: the Moon has no parallax
// correction. Enough for the picture and its fields, not for eclipse
// contacts.
#pragma once

#include <array>

#include "astro/sky_state.h"

namespace astro {

// One step of a series. A periodic argument is F*T + P degrees (F in degrees
// per Julian century), converted to radians with kDegToRad.
enum class TermKind {
    Constant,   // add a
    TimesT,     // add a*T
    TimesT2,    // add a*T*T
    Cos,        // add a*cos(f*T + p)
    TimesTCos,  // add a*T*cos(f*T + p)
    Reduce,     // reduce the sum so far to [0, 360)
};

struct SeriesTerm {
    TermKind kind;
    double a = 0.0;
    double f = 0.0;
    double p = 0.0;
};

// sumSeries: evaluates the terms in the order given, into one accumulator
// starting at 0.
//   jcentT  T, Julian centuries (UT) from J2000
double sumSeries(const SeriesTerm* terms, int count, double jcentT);

template <std::size_t N>
double sumSeries(const std::array<SeriesTerm, N>& terms, double jcentT) {
    return sumSeries(terms.data(), static_cast<int>(N), jcentT);
}

// A planet's heliocentric ecliptic position from its series.
struct Heliocentric {
    double lonDeg = 0.0;  // l, [0, 360)
    double latDeg = 0.0;  // b
    double distAu = 0.0;  // r
};

// Everything the body-position step produces for one T.
struct BodyPositions {
    double sunLonMean = 0.0;  // the Sun's longitude from its series, [0, 360)
    double sunLonDeg = 0.0;      // apparent (corrected) longitude, degrees
    double sunDistAu = 0.0;     // au
    double nutLonDeg = 0.0;      // nutation in longitude, degrees
    double obliquityDeg = 0.0;   // 23.43929 - 0.01300417*T, degrees (mean)
    double sinObl = 0.0;
    double cosObl = 0.0;
    double moonLon = 0.0;     // corrected (with nutation), degrees
    double moonLat = 0.0;     // degrees
    double moonDistKm = 0.0;  // centre to centre, km (for the almanac's parallax)
    // Venus, Mars, Jupiter, Saturn at indices 0..3.
    std::array<Heliocentric, 4> helio{};
    std::array<double, 4> planetLon{};  // geocentric, corrected, degrees
    std::array<double, 4> planetLat{};  // geocentric, degrees
    std::array<double, 4> planetDistAu{};  // geocentric, au (the series' distances)
    double jcentT = 0.0;  // the T the positions are for
    std::array<double, kBodyCount> ra{};   // hours, [0, 24); indexed by Body
    std::array<double, kBodyCount> dec{};  // degrees
};

// bodyPositions: the whole body-position step.
//   jcentT  T, Julian centuries (UT) from J2000; finite. The series are fits
//           near the present: far from 2000 the positions are only
//           indicative, but every result stays finite for |T| up to 1e6.
BodyPositions bodyPositions(double jcentT);

// planetMagnitude: the visual magnitude of planet 0..3 (Venus, Mars, Jupiter,
// Saturn) from its distances to the Sun and the Earth and its phase angle:
// Mars, Jupiter and Saturn by the Astronomical Almanac's formulas as Meeus
// gives them (Astronomical Algorithms, 2nd ed., 41.2-41.4; Saturn with the
// tilt of its rings, without the small difference of illumination ΔU),
// Venus by Hilton (2005, the Astronomical Almanac's since), which follows it
// through inferior conjunction. NaN for any other index.
double planetMagnitude(const BodyPositions& positions, int planet);

}  // namespace astro
