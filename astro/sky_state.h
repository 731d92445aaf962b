// The shared sky state: everything one computation pass produces for one
// moment and one place. Plain data, filled by computationPass() and
// moonPhase(), read by the view and the window.
#pragma once

#include <array>
#include <cstdint>

namespace astro {

// The six solar-system bodies, in the fixed order used everywhere.
enum Body : int { Sun = 0, Moon = 1, Venus = 2, Mars = 3, Jupiter = 4, Saturn = 5 };
inline constexpr int kBodyCount = 6;

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
    double obsLat = 0.0;        // degrees, north positive
    double obsLon = 0.0;        // degrees, east positive
    double jd = 0.0;            // Julian day, Universal Time
    double jcent = 0.0;         // Julian centuries from JD 2451545.0 (UT)
    double utDay = 0.0;         // Universal day of the month with fraction
    double utHours = 0.0;       // Universal Time of day, hours
    double siderealTime = 0.0;  // Greenwich apparent sidereal time, hours

    double sunLon = 0.0;     // apparent ecliptic longitude of the Sun, degrees
    double sunDist = 0.0;    // Sun-Earth distance, au
    double nutLon = 0.0;     // nutation in longitude, degrees
    double obliquity = 0.0;  // mean obliquity, degrees
    double sinObl = 0.0;
    double cosObl = 0.0;

    std::array<double, kBodyCount> bodyRA{};   // hours, [0, 24)
    std::array<double, kBodyCount> bodyDec{};  // degrees
    std::array<double, kBodyCount> bodyAlt{};  // degrees, [-90, 90]
    std::array<double, kBodyCount> bodyAz{};   // degrees from north through east, [0, 360)

    double moonIllum = 0.0;      // illuminated fraction, 0..1
    double moonLimbAngle = 0.0;  // bright limb from the vertical, degrees, [0, 360)
};

}  // namespace astro
