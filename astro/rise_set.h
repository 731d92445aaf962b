// Rising, transit and setting: when a body of the program's series, or a
// fixed point of the sky such as a star, crosses a given altitude or the
// meridian. Instants are Julian days on the Universal Time scale, as
// everywhere in astro/. Positions come from bodyPositions() (the series of the
// sky picture), so the times agree with the picture.
//
// Horizon conventions (those of Japan's national almanac):
//   Sun      upper limb on the apparent horizon: geometric altitude of the
//            centre -50' (16' semi-diameter + 34' refraction);
//   Moon     centre on the apparent horizon seen from the place: topocentric
//            altitude of the centre -34', with the mean horizontal parallax
//            0.9507 deg (the series give no distance);
//   planets, stars  centre at -34' (their parallax is negligible).
// No height above sea level, no terrain.
#pragma once

#include <optional>

#include "astro/sky_state.h"

namespace astro {

inline constexpr double kSunHorizonDeg = -50.0 / 60.0;
inline constexpr double kCentreHorizonDeg = -34.0 / 60.0;
inline constexpr double kMoonMeanParallaxDeg = 0.9507;
// Twilights: the Sun's centre (geometric) at these altitudes.
inline constexpr double kCivilTwilightDeg = -6.0;
inline constexpr double kNauticalTwilightDeg = -12.0;
inline constexpr double kAstronomicalTwilightDeg = -18.0;

// What rises: one of the six bodies, or a fixed right ascension and
// declination (a star; the caller chooses its equinox).
struct SkyTarget {
    bool isBody = true;
    Body body = Sun;
    double raHours = 0.0;  // fixed point only
    double decDeg = 0.0;   // fixed point only

    static SkyTarget ofBody(Body b) { return SkyTarget{true, b, 0.0, 0.0}; }
    static SkyTarget ofFixed(double raHours, double decDeg) { return SkyTarget{false, Sun, raHours, decDeg}; }
};

// The altitude at which a target counts as rising or setting under the
// conventions above: -50' for the Sun, -34' otherwise (for the Moon that is
// the topocentric altitude).
double standardHorizonDeg(const SkyTarget& target);

enum class SkyEventKind { Rise, Transit, Set };

struct SkyEvent {
    double jdUt = 0.0;
    double azDeg = 0.0;   // azimuth at the event, from north through east, [0, 360)
    double altDeg = 0.0;  // altitude of the centre at the event, degrees (geometric;
                          // topocentric for the Moon); the transit altitude
};

// nextSkyEvent: the first rise, transit (upper culmination) or set of a
// target strictly after an instant.
//   target     a body or a fixed point
//   latDeg     observer's latitude, degrees north, clamped to [-90, 90]
//   lonDeg     observer's longitude, degrees east
//   afterJdUt  the search starts just after this instant (Julian day, UT)
//   withinDays the search looks at most this many days ahead (clamped to
//              [0, 800]); enough for the Sun's polar nights
//   returns  the event, refined to better than a second, or nothing when it
//   does not happen within the window (a star that never rises, a body in
//   polar night, a non-finite input). Never loops without bound.
std::optional<SkyEvent> nextSkyEvent(const SkyTarget& target, SkyEventKind kind, double latDeg,
                                     double lonDeg, double afterJdUt, double withinDays = 2.0);

// nextRise: nextSkyEvent(target, Rise, ...) at the target's standard horizon.
std::optional<SkyEvent> nextRise(const SkyTarget& target, double latDeg, double lonDeg,
                                 double afterJdUt, double withinDays = 2.0);

// nextPictureRise: the first instant after afterJdUt at which the target
// comes up into the sky picture: its altitude as the picture draws it
// (geometric, no refraction; the Moon's from the centre of the Earth, no
// parallax) reaches 0 from below. The same window rules as nextSkyEvent.
std::optional<SkyEvent> nextPictureRise(const SkyTarget& target, double latDeg, double lonDeg, double afterJdUt,
                                        double withinDays = 2.0);

}  // namespace astro
