// A sky state from the precise ephemeris: the nine bodies' apparent places,
// their altitude and azimuth at the place, and what the almanacs give of
// each (distance, phase angle, lit fraction, apparent diameter, elongation,
// magnitude).
#pragma once

#include "astro/precise_ephemeris.h"
#include "astro/sky_state.h"

namespace astro {

// applyPreciseEphemeris: replaces the bodies of a computed sky (its moment
// jdUt and place are kept) with the precise ephemeris's, adds Mercury,
// Uranus and Neptune, fills the physical data and sets `precise`.
// Time: TT = UT + ΔT (delta_t.h). Altitude and azimuth from Greenwich
// apparent sidereal time (the Earth rotation angle, IAU 2006 GMST and the
// equation of the equinoxes); the Moon's corrected for parallax in altitude
// (spherical Earth, 6378.137 km). The Moon's lit fraction and bright-limb
// angle (from the vertical, as moonPhase gives it) follow from its phase
// angle and the Sun's place.
// Magnitudes: Mallama & Hilton (2018) for Mercury, Venus, Mars, Jupiter,
// Uranus and Neptune; Saturn with its rings by the Astronomical Almanac's
// expression in the ring tilt. Apparent diameters from the radii of the
// Astronomical Almanac (equatorial for the planets; the Sun 959.63" at 1 au,
// the Moon 1737.4 km). Non-finite moments leave the sky as it was.
void applyPreciseEphemeris(const EphemerisTables& tables, SkyState& sky);

// brightLimbFromVerticalDeg: where a body's bright limb (toward the Sun)
// stands on its disc as seen in the sky at the sky's place and moment: the
// angle from the vertical (toward the zenith), counter-clockwise as seen,
// degrees in [0, 360): the bright limb's position angle minus the
// parallactic angle, both geocentric. Needs the Sun's and the body's places.
double brightLimbFromVerticalDeg(const SkyState& sky, int body);

// greenwichApparentSiderealHours: GAST for a UT1 and a TT Julian day.
double greenwichApparentSiderealHours(double jdUt, double jdTt, const Nutation& nutation);

}  // namespace astro
