// The four coordinate transforms. All are pure; angles in degrees unless the
// name says hours. Quotient arctangents follow atanQuadrantDeg (angles.h), so
// a zero divisor gives a defined, finite result instead of a division by zero.
#pragma once

namespace astro {

// Geocentric rectangular ecliptic coordinates, astronomical units, x toward
// the equinox, z toward the north ecliptic pole.
struct Rectangular {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// heliocentricToGeocentric: a planet's heliocentric ecliptic position moved
// to the Earth's centre.
//   helioLonDeg, helioLatDeg, helioDistAu  the planet's l, b, r
//   sunLonDeg, sunDistAu   the Sun's geocentric longitude and distance (the
//                          uncorrected ones of the series)
//   returns  x = r cos b cos l + R cos sunLon, y = r cos b sin l + R sin sunLon,
//            z = r sin b
Rectangular heliocentricToGeocentric(double helioLonDeg, double helioLatDeg, double helioDistAu,
                                     double sunLonDeg, double sunDistAu);

struct Ecliptic {
    double lonDeg = 0.0;  // [0, 360)
    double latDeg = 0.0;  // [-90, 90]
};

// rectangularToSpherical: rectangular coordinates to longitude and latitude.
//   x, y, z  any finite values (any unit)
//   returns  lonDeg in [0, 360) (0 when x = y = 0), latDeg in [-90, 90]
//            (+-90 on the z axis, 0 at the origin)
Ecliptic rectangularToSpherical(double x, double y, double z);

struct Equatorial {
    double raHours = 0.0;  // [0, 24)
    double decDeg = 0.0;   // [-90, 90]
};

// eclipticPointJ2000: the point of the ecliptic at longitude lambdaDeg
// (degrees) as right ascension and declination, with the obliquity fixed at
// its J2000 value (sin 0.39777, cos 0.91748): the ecliptic the pictures and
// the planisphere draw. Good to a few arcseconds of the true obliquity over
// 1900-2100; a drawing's line, not an apparent place.
Equatorial eclipticPointJ2000(double lambdaDeg);

// eclipticToEquatorial: rotation about the equinox by the obliquity.
//   lonDeg, latDeg  ecliptic longitude and latitude, degrees
//   sinObl, cosObl  sine and cosine of the obliquity
//   returns  right ascension in hours [0, 24) and declination in degrees
Equatorial eclipticToEquatorial(double lonDeg, double latDeg, double sinObl, double cosObl);

struct Horizontal {
    double altDeg = 0.0;  // hzAlt, [-90, 90]
    double azDeg = 0.0;   // hzAz, from north through east, [0, 360)
};

// equatorialToHorizontal: the transform every body, star and drawn point goes
// through.
//   raHours            right ascension (hzRA), hours
//   decDeg             declination (hzDec), degrees
//   siderealTimeHours  Greenwich sidereal time, hours
//   obsLatDeg          observer's latitude, degrees north
//   obsLonDeg          observer's longitude, degrees east (added to the hour
//                      angle H = (sidereal - ra)*15 + lon)
//   returns  geometric altitude in [-90, 90] (no refraction) and azimuth in
//            [0, 360) from north through east. At the zenith or nadir the
//            altitude is exactly +-90; where the azimuth is undefined (zenith,
//            nadir, the poles' meridian ambiguity) it follows atanQuadrantDeg
//            (0 when both its terms vanish).
Horizontal equatorialToHorizontal(double raHours, double decDeg, double siderealTimeHours,
                                  double obsLatDeg, double obsLonDeg);

// angularSeparationDeg: the angle between two directions given by right
// ascension (hours) and declination (degrees), 0..180 degrees, by the
// haversine formula, so it stays exact for small angles.
double angularSeparationDeg(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg);

}  // namespace astro
