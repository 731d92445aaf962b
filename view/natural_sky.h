// The natural sky (自然な空): the sky's colour through the day, the
// twilights and the night, the faintest star that can be seen, and the
// colours and sizes of the stars, the Sun, the Moon and the planets as the
// eye sees them.
//
// The twilights are the almanac's: the Sun's centre, airless (geometric)
// altitude, at -0°50' (sunrise and sunset: upper limb on the horizon with
// standard refraction), -6° (civil), -12° (nautical) and -18° (astronomical).
//
// Limiting magnitude (the faintest star drawn): a line through
//    Sun altitude   +0°   -3°   -6°   -12°   -18° and below
//    magnitude     -2.0   0.0   1.5   4.0    6.0
// (Venus and Jupiter are seen about sunset, the first-magnitude stars by the
// end of civil twilight, most of the constellations by the end of nautical
// twilight, the full dark sky after astronomical twilight); with the Sun up
// -4.0, only Venus at its brightest. The Moon above the horizon brightens
// the sky: the limit is lowered by 2.0 × its illuminated fraction × sin of
// its altitude over sin 30° (at most 1), so a high full Moon leaves stars of
// magnitude 4 in a dark sky and a thin crescent costs almost nothing.
// The twilights' limits are those of the Explanatory Supplement to the
// Astronomical Almanac; the magnitudes are our own round figures for the
// naked eye away from city lights.
#pragma once

#include "astro/sky_state.h"
#include "view/painter.h"

namespace view {

enum class SkyLight { Day, CivilTwilight, NauticalTwilight, AstronomicalTwilight, Night };

inline constexpr double kSunsetAltDeg = -50.0 / 60.0;
inline constexpr double kCivilDuskAltDeg = -6.0;
inline constexpr double kNauticalDuskAltDeg = -12.0;
inline constexpr double kAstronomicalDuskAltDeg = -18.0;

// skyLight: which part of the day the Sun's altitude (degrees) makes; a
// boundary belongs to the darker side. Non-finite: Night.
SkyLight skyLight(double sunAltDeg);

// The sky's colour and the ground's under it, by the Sun's altitude
// (degrees); continuous through the twilights, dark at night.
Rgb naturalSkyColour(double sunAltDeg);
Rgb naturalGroundColour(double sunAltDeg);

// limitingMagnitude: the faintest magnitude drawn under the rule above.
double limitingMagnitude(double sunAltDeg, double moonAltDeg, double moonIllum);
inline double limitingMagnitude(const astro::SkyState& sky) {
    return limitingMagnitude(sky.bodyAltDeg[astro::Sun], sky.bodyAltDeg[astro::Moon], sky.moonIllum);
}

// A star's colour from its B-V index (blackbody colours of the spectral
// types, Charity's table: B-V -0.3 blue-white, 0 white-blue, 0.6 yellowish
// white, 1.0 pale orange, 1.6 orange); a star without an index is white.
Rgb starColourForBv(double bv, bool hasBv);

// Each body's own colour: the Sun white-yellow, the Moon pale, Venus white,
// Mars red, Jupiter cream, Saturn pale gold.
Rgb naturalBodyColour(astro::Body body);

// A point of light's radius by its magnitude, twips: 12 at magnitude 6,
// growing by a factor 1.25 a magnitude (magnitude 1 37, Sirius 63, Jupiter
// at -2.5 80, Venus at -4.4 122), held to 12..130.
float naturalStarRadiusTwips(double magnitude);

// The natural Moon's radius, twips: its true size in the picture
// (trueRadiusTwips) but never less than this readable size (a crescent's
// horns are then seen on a classroom screen and on paper).
inline constexpr float kReadableMoonRadiusTwips = 210.0f;

// mixColour: `colour` toward `toward`; weight 1 keeps the colour.
Rgb mixColour(Rgb colour, Rgb toward, double weight);

}  // namespace view
