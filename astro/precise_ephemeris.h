// The precise ephemeris: the Sun, the Moon and the eight planets as the
// almanacs place them, for everything beyond the design's own fields.
//
// Sources: the planets (and the Earth) from VSOP87A (Bretagnon & Francou
// 1988, heliocentric rectangular, ecliptic and equinox J2000), the Moon from
// ELP/MPP02 with the constants fitted to DE405 (Chapront & Francou 2003),
// both truncated for 1900-2100 (tools/ephemeris: each series' left-out
// terms move a body by at most 0.3" seen from the Earth, the Moon by
// 0.07"); frame bias and precession IAU 2006 and nutation IAU 2000B
// (precession_nutation.h). Time is TT (TDB, which differs by under 2 ms);
// delta_t.h gives it from UT.
// Accuracy, apparent geocentric right ascension and declination against
// Astronomy Engine over 1900-2100: measured in tests/astro
// (precise_ephemeris_test.cpp prints the largest differences).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "astro/precession_nutation.h"

namespace astro {

// One VSOP87A term: amplitude × t^power × cos(phase + frequency × t), t in
// Julian millennia of TT from J2000, added to coordinate coord (0 x, 1 y,
// 2 z), AU.
struct VsopTerm {
    int coord = 0;
    int power = 0;
    double amplitude = 0.0;  // AU
    double phase = 0.0;      // rad
    double frequency = 0.0;  // rad per Julian millennium
};

// One ELP/MPP02 term, in sine form: amplitude × T^power × sin(phase + Σ
// multipliers × arguments), T in Julian centuries of TT from J2000; the
// arguments D, F, l, l', Me, Ve, EM, Ma, Ju, Sa, Ur, Ne, ζ. Coordinate 0
// longitude and 1 latitude (rad), 2 distance (km).
struct ElpTerm {
    int coord = 0;
    int power = 0;
    std::array<int, 13> multipliers{};
    double amplitude = 0.0;
    double phase = 0.0;
    // The arguments whose multiplier is not zero, the first `used` of
    // `order` (setUsedArguments fills them).
    std::array<std::uint8_t, 13> order{};
    std::size_t used = 0;
};
// setUsedArguments: fills a term's `order` and `used` from its multipliers.
void setUsedArguments(ElpTerm& term);

enum class Planet { Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune };
inline constexpr int kPlanetCount = 8;

// The series, read once from the catalogue's tables (catalog/ephemeris.h).
struct EphemerisTables {
    std::array<std::vector<VsopTerm>, kPlanetCount> planets;  // by Planet
    std::vector<ElpTerm> moon;
    std::vector<NutationTerm> nutation;
};

// A heliocentric place and motion, ecliptic and equinox J2000.
struct StateVector {
    Vec3 positionAu{};
    Vec3 velocityAuPerDay{};
};

// planetState: a planet's (or the Earth's) heliocentric position and
// velocity from VSOP87A, ecliptic and equinox J2000, at a TT Julian day.
StateVector planetState(const EphemerisTables& tables, Planet planet, double jdTt);

// moonGeocentricKm: the Moon's geocentric position from ELP/MPP02, km,
// ecliptic and equinox J2000, at a TT Julian day.
Vec3 moonGeocentricKm(const EphemerisTables& tables, double jdTt);

enum class SkyBody { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune };
inline constexpr int kSkyBodyCount = 9;

// Where a body appears from the Earth's centre.
struct ApparentPlace {
    double raHours = 0.0;     // true equator and equinox of date, [0, 24)
    double decDeg = 0.0;      // [-90, 90]
    double distanceAu = 0.0;  // from the Earth's centre to where the light left
    // The light-time corrected geocentric vector (no aberration), and the
    // body's heliocentric vector then (zero for the Sun); both GCRS, AU.
    Vec3 geocentricAu{};
    Vec3 heliocentricAu{};
};

// apparentPlace: apparent geocentric place of a body at a TT Julian day:
// light time (iterated), annual aberration (relativistic, from the Earth's
// heliocentric velocity; none for the Moon, which shares the Earth's motion
// about the Sun), precession and nutation to the true equator and equinox
// of date. The Sun's gravitational deflection of light is left out
// (under 0.01" beyond 10° from the Sun). Finite output for any finite jdTt.
ApparentPlace apparentPlace(const EphemerisTables& tables, SkyBody body, double jdTt);

// What every body's apparent place at one moment shares: the Earth's
// heliocentric state (GCRS, AU and AU per day), the nutation and the
// rotation from the GCRS to the true equator and equinox of date.
struct EarthFrame {
    double jdTt = 0.0;
    Vec3 earthAu{};
    Vec3 earthVelocityAuPerDay{};
    Nutation nutation;
    Mat3 toTrueOfDate{};
};
// earthFrame: the frame above at a TT Julian day.
EarthFrame earthFrame(const EphemerisTables& tables, double jdTt);
// apparentPlace with the frame of its moment given: the same result as
// apparentPlace(tables, body, frame.jdTt), for a fraction of the cost when
// several bodies are wanted at one moment.
ApparentPlace apparentPlace(const EphemerisTables& tables, SkyBody body, const EarthFrame& frame);

// The speed of light, AU per day, and the astronomical unit, km.
inline constexpr double kLightAuPerDay = 173.1446326846693;
inline constexpr double kAuKm = 149597870.7;

}  // namespace astro
