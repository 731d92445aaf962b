// Rising, transit and setting: when a body (the Sun, the Moon, the planets),
// or a fixed point of the sky such as a star, crosses a given altitude or the
// meridian. Instants are Julian days on the Universal Time scale, as
// everywhere in astro/. Positions come from the precise ephemeris
// (precise_ephemeris.h: apparent places of date, TT = UT + ΔT).
//
// Horizon conventions (those of Japan's national almanac):
//   refraction at the horizon 35'08";
//   Sun      upper limb on the apparent horizon, seen from the place: the
//            geometric altitude of the centre from the centre of the Earth
//            is -(35'08" + semidiameter) + horizontal parallax, with the
//            true semidiameter 15'59.63"/r and parallax 8.794"/r at the
//            Sun's distance r (au) that day;
//   Moon     centre on the apparent horizon seen from the place: the
//            topocentric geometric altitude of the centre is -35'08", with
//            the true horizontal parallax from the Moon's distance (so its
//            semidiameter does not enter);
//   planets, stars  centre at -35'08" (their parallax is negligible).
// No height above sea level, no terrain.
#pragma once

#include <optional>

#include "astro/precise_ephemeris.h"
#include "astro/sky_state.h"

namespace astro {

inline constexpr double kHorizonRefractionDeg = (35.0 + 8.0 / 60.0) / 60.0;
inline constexpr double kCentreHorizonDeg = -kHorizonRefractionDeg;
inline constexpr double kSunSemidiameterAt1AuDeg = 959.63 / 3600.0;
inline constexpr double kSunParallaxAt1AuDeg = 8.794 / 3600.0;
inline constexpr double kEarthEquatorialRadiusKm = 6378.137;
// Twilights: the Sun's centre (geometric) at these altitudes.
inline constexpr double kCivilTwilightDeg = -6.0;
inline constexpr double kNauticalTwilightDeg = -12.0;
inline constexpr double kAstronomicalTwilightDeg = -18.0;

// The geometric altitude of the Sun's centre at sunrise and sunset when the
// Sun stands sunDistAu from the Earth: about -50.4' in January, -49.6' in July.
double sunHorizonDeg(double sunDistAu);

// What rises: one of the nine bodies, or a fixed right ascension and
// declination (a star; the caller chooses its equinox).
struct SkyTarget {
    bool isBody = true;
    Body body = Sun;
    double raHours = 0.0;  // fixed point only
    double decDeg = 0.0;   // fixed point only

    static SkyTarget ofBody(Body b) { return SkyTarget{true, b, 0.0, 0.0}; }
    static SkyTarget ofFixed(double raHours, double decDeg) { return SkyTarget{false, Sun, raHours, decDeg}; }
};

// The altitude at which a target counts as rising or setting at an instant
// under the conventions above: sunHorizonDeg for the Sun, -35'08" otherwise
// (for the Moon that is the topocentric altitude).
double standardHorizonDeg(const EphemerisTables& tables, const SkyTarget& target, double jdUt);

enum class SkyEventKind { Rise, Transit, Set };

struct SkyEvent {
    double jdUt = 0.0;
    double azDeg = 0.0;   // azimuth at the event, from north through east, [0, 360)
    double altDeg = 0.0;  // altitude of the centre at the event, degrees (geometric;
                          // topocentric for the Moon, true parallax); the transit altitude
};

// nextSkyEvent: the first rise, transit (upper culmination) or set of a
// target strictly after an instant (more than a second after it: the
// crossings are located to 0.2 s, and asking from an event's own instant
// gives the next one).
//   tables     the precise ephemeris's series
//   target     a body or a fixed point
//   latDeg     observer's latitude, degrees north, clamped to [-90, 90]
//   lonDeg     observer's longitude, degrees east
//   afterJdUt  the search starts just after this instant (Julian day, UT)
//   withinDays the search looks at most this many days ahead (clamped to
//              [0, 800]); enough for the Sun's polar nights
//   returns  the event, refined to better than a second, or nothing when it
//   does not happen within the window (a star that never rises, a body in
//   polar night, a non-finite input). Never loops without bound.
std::optional<SkyEvent> nextSkyEvent(const EphemerisTables& tables, const SkyTarget& target, SkyEventKind kind, double latDeg,
                                     double lonDeg, double afterJdUt, double withinDays = 2.0);

// nextRise: nextSkyEvent(target, Rise, ...) at the target's standard horizon.
std::optional<SkyEvent> nextRise(const EphemerisTables& tables, const SkyTarget& target, double latDeg, double lonDeg,
                                 double afterJdUt, double withinDays = 2.0);

// nextPictureRise: the first instant after afterJdUt at which the target
// comes up into the sky picture: its altitude as the picture draws it
// (geometric, no refraction; the Moon's from the centre of the Earth, no
// parallax) reaches 0 from below. The same window rules as nextSkyEvent.
std::optional<SkyEvent> nextPictureRise(const EphemerisTables& tables, const SkyTarget& target, double latDeg, double lonDeg, double afterJdUt,
                                        double withinDays = 2.0);

}  // namespace astro
