#include "astro/precise_sky.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/delta_t.h"
#include "astro/transforms.h"

namespace astro {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = 180.0 / kPi;

double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double length(const Vec3& a) { return std::sqrt(dot(a, a)); }
double angleDeg(const Vec3& a, const Vec3& b) {
    const double c = dot(a, b) / (length(a) * length(b));
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) * kRad;
}

// Which series body each Body is.
constexpr SkyBody kSeriesBody[kAllBodyCount] = {SkyBody::Sun,     SkyBody::Moon,   SkyBody::Venus,
                                                SkyBody::Mars,    SkyBody::Jupiter, SkyBody::Saturn,
                                                SkyBody::Mercury, SkyBody::Uranus, SkyBody::Neptune};

// Equatorial diameter at 1 AU, arcseconds (the planets).
double diameterAt1AuArcsec(int body) {
    switch (body) {
    case Mercury: return 6.72;
    case Venus: return 16.68;
    case Mars: return 9.36;
    case Jupiter: return 196.88;
    case Saturn: return 165.46;
    case Uranus: return 70.04;
    case Neptune: return 67.0;
    default: return 0.0;
    }
}

double planetMagnitude(int body, double r, double delta, double i, double raHours, double decDeg) {
    const double d = 5.0 * std::log10(r * delta);
    switch (body) {
    case Mercury:
        return -0.613 + i * (6.3280e-02 + i * (-1.6336e-03 + i * (3.3644e-05 + i * (-3.4265e-07 + i * (1.6893e-09 - i * 3.0334e-12))))) + d;
    case Venus:
        if (i > 163.7) return 236.05828 + i * (-2.81914 + i * 8.39034e-03) + d;
        return -4.384 + i * (-1.044e-03 + i * (3.687e-04 + i * (-2.814e-06 + i * 8.938e-09))) + d;
    case Mars: return -1.601 + i * (2.267e-02 - i * 1.302e-04) + d;
    case Jupiter: return -9.395 + i * (-3.7e-04 + i * 6.16e-04) + d;
    case Saturn: {
        // The rings' tilt to the Earth, from the ring pole (40.589°, 83.537°).
        const double a0 = 40.589 / kRad, d0 = 83.537 / kRad, a = raHours * 15.0 / kRad, dd = decDeg / kRad;
        const double sinB = -std::sin(d0) * std::sin(dd) - std::cos(d0) * std::cos(dd) * std::cos(a0 - a);
        return -8.88 + d + 0.044 * i - 2.60 * std::fabs(sinB) + 1.25 * sinB * sinB;
    }
    case Uranus: return -7.110 + i * (6.587e-03 + i * 1.045e-04) + d;
    case Neptune: return -7.00 + d;
    default: return NAN;
    }
}

}  // namespace

double greenwichApparentSiderealHours(double jdUt, double jdTt, const Nutation& n) {
    const double du = jdUt - 2451545.0;
    const double era = 2.0 * kPi * (std::fmod(du, 1.0) + 0.7790572732640 + 0.00273781191135448 * du);
    const double t = (jdTt - 2451545.0) / 36525.0;
    const double gmst =
        era + (0.014506 + (4612.156534 + (1.3915817 + (-0.00000044 + (-0.000029956 - 0.0000000368 * t) * t) * t) * t) * t) *
                  kPi / 648000.0;
    const double gast = gmst + n.dpsiRad * std::cos(meanObliquity2006Rad(jdTt));
    double h = std::fmod(gast * 12.0 / kPi, 24.0);
    if (h < 0.0) h += 24.0;
    return h;
}

void applyPreciseEphemeris(const EphemerisTables& tables, SkyState& sky) {
    if (!std::isfinite(sky.jdUt)) return;
    const double jdTt = jdTtFromUt(sky.jdUt);
    if (!std::isfinite(jdTt)) return;
    sky.jdTt = jdTt;
    const EarthFrame frame = earthFrame(tables, jdTt);
    const double gast = greenwichApparentSiderealHours(sky.jdUt, jdTt, frame.nutation);
    ApparentPlace places[kAllBodyCount];
    for (int b = 0; b < kAllBodyCount; ++b) places[b] = apparentPlace(tables, kSeriesBody[b], frame);
    const Vec3& toSun = places[Sun].geocentricAu;
    for (int b = 0; b < kAllBodyCount; ++b) {
        const ApparentPlace& p = places[b];
        sky.bodyRaHours[b] = p.raHours;
        sky.bodyDecDeg[b] = p.decDeg;
        Horizontal h = equatorialToHorizontal(p.raHours, p.decDeg, gast, sky.obsLatDeg, sky.obsLonDeg);
        if (b == Moon) {
            const double sinParallax = 6378.137 / (p.distanceAu * kAuKm);
            h.altDeg -= std::asin(sinParallax * std::cos(h.altDeg / kRad)) * kRad;
        }
        sky.bodyAltDeg[b] = h.altDeg;
        sky.bodyAzDeg[b] = h.azDeg;
        sky.bodyDistanceAu[b] = p.distanceAu;
        if (b == Sun) {
            sky.bodyPhaseAngleDeg[b] = 0.0;
            sky.bodyIllum[b] = 1.0;
            sky.bodyElongationDeg[b] = 0.0;
            sky.bodyDiameterArcsec[b] = 2.0 * 959.63 / p.distanceAu;
            continue;
        }
        // The angle at the body between the Sun and the Earth.
        const Vec3 bodyToSun = {-p.heliocentricAu[0], -p.heliocentricAu[1], -p.heliocentricAu[2]};
        const Vec3 bodyToEarth = {-p.geocentricAu[0], -p.geocentricAu[1], -p.geocentricAu[2]};
        const double phase = angleDeg(bodyToSun, bodyToEarth);
        sky.bodyPhaseAngleDeg[b] = phase;
        sky.bodyIllum[b] = (1.0 + std::cos(phase / kRad)) / 2.0;
        sky.bodyElongationDeg[b] = angleDeg(p.geocentricAu, toSun);
        sky.bodyDiameterArcsec[b] = b == Moon ? 2.0 * std::asin(1737.4 / (p.distanceAu * kAuKm)) * kRad * 3600.0
                                              : diameterAt1AuArcsec(b) / p.distanceAu;
        if (b != Moon)
            sky.bodyMag[b] = planetMagnitude(b, length(p.heliocentricAu), p.distanceAu, phase, p.raHours, p.decDeg);
    }
    sky.siderealTimeHours = gast;
    sky.moonIllum = sky.bodyIllum[Moon];
    // The bright limb from the vertical, as moonPhase measures it.
    sky.moonLimbAngleDeg = brightLimbFromVerticalDeg(sky, Moon);
    sky.precise = true;
}

double brightLimbFromVerticalDeg(const SkyState& sky, int body) {
    if (body < 0 || body >= kAllBodyCount) return 0.0;
    const double dRa = (sky.bodyRaHours[Sun] - sky.bodyRaHours[body]) * 15.0 / kRad;
    const double decSun = sky.bodyDecDeg[Sun] / kRad, dec = sky.bodyDecDeg[body] / kRad;
    const double chi = atanQuadrantDeg(std::cos(decSun) * std::sin(dRa),
                                       std::sin(decSun) * std::cos(dec) - std::cos(decSun) * std::sin(dec) * std::cos(dRa));
    const double hour = ((sky.siderealTimeHours - sky.bodyRaHours[body]) * 15.0 + sky.obsLonDeg) / kRad;
    const double lat = sky.obsLatDeg / kRad;
    double par = atanQuadrantDeg(std::sin(hour) * std::cos(lat), std::sin(lat) * std::cos(dec) - std::cos(lat) * std::sin(dec) * std::cos(hour));
    if (par < 0.0) par += 360.0;
    double v = std::fmod(chi - par, 360.0);
    if (v < 0.0) v += 360.0;
    if (v >= 360.0 || !std::isfinite(v)) v = 0.0;
    return v;
}

}  // namespace astro
