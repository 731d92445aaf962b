// A star's place of date: the catalogue's mean place carried to the instant
// by precession, nutation and annual aberration, as the almanac's rise and
// set of a star need it (the sky picture keeps the catalogue's places).
#pragma once

#include "astro/transforms.h"

namespace astro {

// The Julian day of the equinox 2003.5 (J2000.0 + 3.5 Julian years), that of
// the program's star table.
inline constexpr double kJulianYearDays = 365.25;
inline constexpr double kJ2000Jd = 2451545.0;
inline constexpr double kEquinox2003_5Jd = 2451545.0 + 3.5 * kJulianYearDays;

// precessMeanPlace: a mean place carried from the equinox fromJd to the
// equinox toJd by precession alone (the rotation starPlaceOfDate uses);
// RA in [0, 24) hours. Non-finite input gives the input back.
Equatorial precessMeanPlace(double raHours, double decDeg, double fromJd, double toJd);

// starPlaceOfDate: apparent right ascension and declination of a star.
//   raHours, decDeg  mean place at the equinox and epoch epochJd (hours,
//                    degrees); no proper motion is applied
//   epochJd          Julian day of that equinox (kEquinox2003_5Jd for the star table)
//   jdUt             the instant, Julian day (UT; the difference from TT,
//                    about a minute, moves a star by under 0.001")
//   returns          the place of date, RA in [0, 24) hours
// Method: precession by the rotation of Lieske et al. (1977, IAU 1976) with
// the angles zeta, z, theta for an arbitrary starting epoch (Meeus,
// Astronomical Algorithms, 2nd ed., 21.2-21.4); nutation from the four
// largest terms in longitude and obliquity (Meeus 22, 0.5"); annual
// aberration with kappa = 20.49552" and the Sun's true longitude (Meeus 23.3,
// e-terms ignored). Accuracy about 1" within three centuries of the epoch,
// i.e. under 0.1 s of a star's rising at mid latitudes, apart from the
// star's own motion (Arcturus: 2.3" a year).
// Non-finite input gives the input back; at the poles the RA stays defined.
Equatorial starPlaceOfDate(double raHours, double decDeg, double epochJd, double jdUt);

}  // namespace astro
