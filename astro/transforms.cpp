#include "astro/transforms.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"

namespace astro {

Rectangular heliocentricToGeocentric(double helioLonDeg, double helioLatDeg, double helioDistAu,
                                     double sunLonDeg, double sunDistAu) {
    const double l = helioLonDeg * kDegToRad;
    const double b = helioLatDeg * kDegToRad;
    const double ls = sunLonDeg * kDegToRad;
    Rectangular g;
    g.x = helioDistAu * std::cos(b) * std::cos(l) + sunDistAu * std::cos(ls);
    g.y = helioDistAu * std::cos(b) * std::sin(l) + sunDistAu * std::sin(ls);
    g.z = helioDistAu * std::sin(b);
    return g;
}

namespace {

// The direction (x, y, z) as the angle around the z axis, in turns [0, 1),
// and the angle above the x-y plane, in degrees. Both the ecliptic and the
// equatorial conversion end in this step; they scale the turn differently.
struct TurnAndElevation {
    double turn;
    double elevationDeg;
};

TurnAndElevation directionOf(double x, double y, double z) {
    const double around = atanQuadrantDeg(y, x);
    return {fracToward0(around / 360.0 + 1.0), atanQuadrantDeg(z, std::sqrt(y * y + x * x))};
}

}  // namespace

Ecliptic rectangularToSpherical(double x, double y, double z) {
    const TurnAndElevation d = directionOf(x, y, z);
    Ecliptic e;
    e.lonDeg = d.turn * 360.0;
    e.latDeg = d.elevationDeg;
    return e;
}

Equatorial eclipticToEquatorial(double lonDeg, double latDeg, double sinObl, double cosObl) {
    const double lon = lonDeg * kDegToRad;
    const double lat = latDeg * kDegToRad;
    const double x = std::cos(lat) * std::cos(lon);
    const double y = std::cos(lat) * std::sin(lon) * cosObl - std::sin(lat) * sinObl;
    const double z = std::cos(lat) * std::sin(lon) * sinObl + std::sin(lat) * cosObl;
    const TurnAndElevation d = directionOf(x, y, z);
    Equatorial q;
    q.raHours = d.turn * 24.0;
    q.decDeg = d.elevationDeg;
    return q;
}

Horizontal equatorialToHorizontal(double raHours, double decDeg, double siderealTimeHours,
                                  double obsLatDeg, double obsLonDeg) {
    const double h = ((siderealTimeHours - raHours) * 15.0 + obsLonDeg) * kDegToRad;
    const double dec = decDeg * kDegToRad;
    const double lat = obsLatDeg * kDegToRad;
    const double n = -std::cos(dec) * std::sin(h);
    const double d = std::sin(dec) * std::cos(lat) - std::cos(h) * std::cos(dec) * std::sin(lat);
    // Rounding can push the sine of the altitude a hair past +-1 near the
    // zenith; clamp so the square root below stays real.
    const double s = std::clamp(
        std::sin(dec) * std::sin(lat) + std::cos(h) * std::cos(dec) * std::cos(lat), -1.0, 1.0);

    Horizontal hz;
    double az = atanQuadrantDeg(n, d);
    if (az < 0.0) az += 360.0;
    const double u = (az + 360.0) / 360.0;
    az = fracToward0(u) * 360.0;
    if (az < 0.0) az += 360.0;
    hz.azDeg = az;
    hz.altDeg = atanQuadrantDeg(s, std::sqrt(1.0 - s * s));
    return hz;
}

double angularSeparationDeg(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg) {
    const double d1 = dec1Deg * kDegToRad, d2 = dec2Deg * kDegToRad;
    const double dRa = (ra2Hours - ra1Hours) * 15.0 * kDegToRad;
    const double h = std::pow(std::sin((d2 - d1) / 2.0), 2) + std::cos(d1) * std::cos(d2) * std::pow(std::sin(dRa / 2.0), 2);
    return 2.0 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0))) * kRadToDeg;
}

Equatorial eclipticPointJ2000(double lambdaDeg) {
    const double lam = lambdaDeg * kDegToRad;
    const double y = std::sin(lam) * 0.91748;
    const double x = std::cos(lam);
    const double z = std::sin(lam) * 0.39777;
    double ra = atanQuadrantDeg(y, x);
    if (ra < 0.0) ra += 360.0;
    return {ra / 15.0, atanQuadrantDeg(z, std::sqrt(1.0 - z * z))};
}

}  // namespace astro
