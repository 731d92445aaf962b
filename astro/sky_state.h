// The shared sky state: everything one computation pass produces for one
// moment and one place. Plain data, filled by computationPass() and
// moonPhase(), read by the view and the window.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "astro/no_fast_math.h"

namespace astro {

// The six solar-system bodies of the design, in the fixed order used
// everywhere, then the three the precise ephemeris adds.
enum Body : int { Sun = 0, Moon = 1, Venus = 2, Mars = 3, Jupiter = 4, Saturn = 5, Mercury = 6, Uranus = 7, Neptune = 8 };
inline constexpr int kBodyCount = 6;     // the design's bodies: every pass has them
inline constexpr int kAllBodyCount = 9;  // with Mercury, Uranus and Neptune (precise skies only)

// Numbers read from the date, time and place fields, ready for the pass.
// year and month are whole numbers inside the 16-bit range; day, hour and
// minute are Japan Standard Time and may carry fractions or lie outside
// their usual ranges (the Julian-day arithmetic carries them).
struct SkyInput {
    int year = 2000;
    int month = 1;
    double day = 1.0;
    double hour = 0.0;
    double minute = 0.0;
    double latDeg = 0.0;  // obsLat, degrees north
    double lonDeg = 0.0;  // obsLon, degrees east
};

struct SkyState {
    double obsLatDeg = 0.0;     // obsLat, north positive
    double obsLonDeg = 0.0;     // obsLon, east positive
    double jdUt = 0.0;          // Julian day, Universal Time
    double jcent = 0.0;         // Julian centuries from JD 2451545.0 (UT)
    double utDay = 0.0;         // Universal day of the month with fraction
    double utHours = 0.0;       // Universal Time of day, hours
    double siderealTimeHours = 0.0;  // siderealTime: Greenwich apparent sidereal time

    double sunLonDeg = 0.0;     // apparent ecliptic longitude of the Sun, degrees
    double sunDistAu = 0.0;    // Sun-Earth distance, au
    double nutLonDeg = 0.0;     // nutation in longitude, degrees
    double obliquityDeg = 0.0;  // mean obliquity, degrees
    double sinObl = 0.0;
    double cosObl = 0.0;

    // Indexed by Body; Mercury, Uranus and Neptune are NaN unless `precise`.
    std::array<double, kAllBodyCount> bodyRaHours{0, 0, 0, 0, 0, 0, NAN, NAN, NAN};  // hours, [0, 24)
    std::array<double, kAllBodyCount> bodyDecDeg{0, 0, 0, 0, 0, 0, NAN, NAN, NAN};   // degrees
    std::array<double, kAllBodyCount> bodyAltDeg{0, 0, 0, 0, 0, 0, NAN, NAN, NAN};   // degrees, [-90, 90]
    std::array<double, kAllBodyCount> bodyAzDeg{0, 0, 0, 0, 0, 0, NAN, NAN, NAN};    // degrees from north through east, [0, 360)
    // Visual magnitude of the planets (planetMagnitude, or the precise
    // ephemeris's); NaN for the Sun and the Moon.
    std::array<double, kAllBodyCount> bodyMag{NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN};

    double moonIllum = 0.0;      // illuminated fraction, 0..1
    double moonLimbAngleDeg = 0.0;  // bright limb from the vertical, degrees, [0, 360)

    // Set by applyPreciseEphemeris (precise_sky.h): the places above are
    // the precise ephemeris's (the Moon's altitude and azimuth topocentric),
    // and these are filled, indexed by Body.
    bool precise = false;
    std::array<double, kAllBodyCount> bodyDistanceAu{};       // from the Earth's centre
    std::array<double, kAllBodyCount> bodyPhaseAngleDeg{};    // Sun-body-Earth angle (0 for the Sun)
    std::array<double, kAllBodyCount> bodyIllum{};            // lit fraction of the disc, 0..1
    std::array<double, kAllBodyCount> bodyDiameterArcsec{};   // apparent diameter
    std::array<double, kAllBodyCount> bodyElongationDeg{};    // angle from the Sun (0 for the Sun)
    double jdTt = 0.0;                                        // the moment in TT
};

}  // namespace astro
