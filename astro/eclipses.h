// Eclipses of the Sun and the Moon from the precise ephemeris: finding them
// between two dates, and their circumstances at a place in the manner of
// Japan's national almanac (各地予報).
//
// Geometry: the Sun's and the Moon's apparent geocentric places (true
// equator and equinox of date) sampled every three hours across the eclipse
// and interpolated by cubics (under 10 m for the Moon); topocentric places
// for an observer on the ellipsoid (GRS 80: 6378.137 km, f = 1/298.257222).
// Conventions (stated in the README):
//   Sun's radius 959.63" at 1 au; the Moon's k = 0.2725076 Earth radii for
//   partial contacts and 0.2722810 for the central ones (its limb's
//   valleys); the Earth's shadow at the Moon enlarged by 1/50 as the
//   Astronomical Almanac does: umbra 1.02 (0.998340 π☾ − s☉ + π☉), penumbra
//   1.02 (0.998340 π☾ + s☉ + π☉);
//   rising and setting of the eclipsed body by its upper limb with
//   refraction 35'08" (the almanac's rule for an eclipsed Moon too);
//   altitudes and azimuths geometric (no refraction) of the centre,
//   azimuth from north through east; position angles of the contact point
//   on the Sun's limb from the north point and from the zenith (方向角),
//   counter-clockwise on the sky (through east).
// Times are found to 0.01 s of TT and given in UT (TT − ΔT, delta_t.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/precise_ephemeris.h"

namespace astro {

enum class EclipseKind { Solar, Lunar };
enum class EclipseType { None, Penumbral, Partial, Annular, Total, Hybrid };

// An eclipse as the whole Earth has it.
struct GlobalEclipse {
    EclipseKind kind = EclipseKind::Solar;
    EclipseType type = EclipseType::None;
    double greatestJdTt = 0.0;   // the shadow axis nearest the Earth's centre (solar), the Moon nearest the shadow's (lunar)
    double greatestJdUt = 0.0;
    double gamma = 0.0;          // solar: the axis's least distance from the Earth's centre, Earth radii (signed north)
    double umbralMagnitude = 0.0;     // lunar, at greatest
    double penumbralMagnitude = 0.0;  // lunar, at greatest
};

// eclipsesBetween: every solar and lunar eclipse whose greatest phase falls
// between two UT Julian days, in time order. At most about five a year; an
// empty list for a span that is not finite or runs backwards.
std::vector<GlobalEclipse> eclipsesBetween(const EphemerisTables& tables, double fromJdUt, double toJdUt);

// One moment of an eclipse at a place.
struct EclipseMoment {
    std::string event;      // "C1" "C2" "max" "C3" "C4" (solar), "P1" "U1" "U2" "max" "U3" "U4" "P4" (lunar), "rise", "set"
    double jdUt = 0.0;
    double altDeg = 0.0;     // the eclipsed body's centre, geometric
    double azDeg = 0.0;      // from north through east
    bool hasAngles = false;  // solar contacts and greatest: the position angles
    double paNorthDeg = 0.0;
    double paZenithDeg = 0.0;
    double magnitude = 0.0;  // at "max", "rise" and "set": the local magnitude then
};

// An eclipse at a place.
struct LocalEclipse {
    GlobalEclipse global;
    double latDeg = 0.0, lonDeg = 0.0;  // the place
    bool seen = false;        // some part of it with the body above the horizon
    EclipseType type = EclipseType::None;  // as seen there (solar: partial, total, annular)
    double magnitude = 0.0;   // solar: fraction of the Sun's diameter covered at the local maximum
    double obscuration = 0.0; // solar: fraction of the Sun's disc covered then
    double umbralMagnitude = 0.0, penumbralMagnitude = 0.0;  // lunar
    std::vector<EclipseMoment> events;  // the contacts and greatest phase, in time order
    std::optional<EclipseMoment> rise;  // the body rises during the eclipse (日出帯食, 月出帯食)
    std::optional<EclipseMoment> set;   // it sets during the eclipse (日入帯食, 月入帯食)
};

// eclipsesAt: eclipsesBetween with each one's circumstances at a place.
std::vector<LocalEclipse> eclipsesAt(const EphemerisTables& tables, double fromJdUt, double toJdUt, double latDeg,
                                     double lonDeg);

// What the place sees of an eclipse at a moment, on the sky facing the
// eclipsed body with the zenith up: x to the right, y up, degrees.
struct EclipseView {
    bool solar = true;
    double bodyRadiusDeg = 0.0;     // the Sun (solar) or the Moon (lunar)
    double moonRadiusDeg = 0.0;     // solar: the Moon
    double moonXDeg = 0.0, moonYDeg = 0.0;      // solar: the Moon's centre from the Sun's
    double umbraRadiusDeg = 0.0, penumbraRadiusDeg = 0.0;  // lunar: the Earth's shadow
    double shadowXDeg = 0.0, shadowYDeg = 0.0;  // lunar: the shadow's centre from the Moon's
    double altDeg = 0.0, azDeg = 0.0;           // the body's centre, geometric
    double magnitude = 0.0;   // solar: of the Sun's diameter covered; lunar: umbral
    double obscuration = 0.0; // solar
};

// eclipseViewAt: the view of an eclipse at a place (degrees north, east) at
// a UT Julian day within six hours of its greatest phase.
EclipseView eclipseViewAt(const EphemerisTables& tables, const GlobalEclipse& eclipse, double latDeg, double lonDeg,
                          double jdUt);

// localEclipse: an eclipse's circumstances at a place (degrees north, east;
// height 0). A solar eclipse that does not reach the place has no events.
LocalEclipse localEclipse(const EphemerisTables& tables, const GlobalEclipse& eclipse, double latDeg, double lonDeg);

}  // namespace astro
