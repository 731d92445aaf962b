#include "astro/star_place.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "astro/angles.h"
#include "astro/no_fast_math.h"

namespace astro {

namespace {

constexpr double kArcsecToRad = kDegToRad / 3600.0;
constexpr double kJulianCenturyDays = 100.0 * kJulianYearDays;
constexpr double kAberrationArcsec = 20.49552;

double wrapHours(double h) { return h - 24.0 * std::floor(h / 24.0); }

}  // namespace

Equatorial precessMeanPlace(double raHours, double decDeg, double fromJd, double toJd) {
    if (!std::isfinite(raHours) || !std::isfinite(decDeg) || !std::isfinite(fromJd) || !std::isfinite(toJd))
        return {raHours, decDeg};
    const double T = (fromJd - 2451545.0) / kJulianCenturyDays;
    const double t = (toJd - fromJd) / kJulianCenturyDays;
    const double base = 2306.2181 + 1.39656 * T - 0.000139 * T * T;
    const double zeta = (base * t + (0.30188 - 0.000344 * T) * t * t + 0.017998 * t * t * t) * kArcsecToRad;
    const double z = (base * t + (1.09468 + 0.000066 * T) * t * t + 0.018203 * t * t * t) * kArcsecToRad;
    const double theta = ((2004.3109 - 0.85330 * T - 0.000217 * T * T) * t - (0.42665 + 0.000217 * T) * t * t -
                          0.041833 * t * t * t) *
                         kArcsecToRad;
    const double a0 = raHours * 15.0 * kDegToRad;
    const double d0 = decDeg * kDegToRad;
    const double A = std::cos(d0) * std::sin(a0 + zeta);
    const double B = std::cos(theta) * std::cos(d0) * std::cos(a0 + zeta) - std::sin(theta) * std::sin(d0);
    const double C = std::sin(theta) * std::cos(d0) * std::cos(a0 + zeta) + std::cos(theta) * std::sin(d0);
    const double ra = std::atan2(A, B) + z;
    const double dec = std::atan2(C, std::hypot(A, B));
    return {wrapHours(ra / (15.0 * kDegToRad)), dec / kDegToRad};
}

Equatorial starPlaceOfDate(double raHours, double decDeg, double epochJd, double jdUt) {
    if (!std::isfinite(raHours) || !std::isfinite(decDeg) || !std::isfinite(epochJd) || !std::isfinite(jdUt))
        return {raHours, decDeg};
    const Equatorial mean = precessMeanPlace(raHours, decDeg, epochJd, jdUt);
    double ra = mean.raHours * 15.0 * kDegToRad;
    double dec = mean.decDeg * kDegToRad;

    // Nutation and aberration of date, as small corrections in RA and Dec.
    const double Tc = (jdUt - 2451545.0) / kJulianCenturyDays;
    const double omega = (125.04452 - 1934.136261 * Tc) * kDegToRad;
    const double sunMean = (280.4665 + 36000.7698 * Tc) * kDegToRad;
    const double moonMean = (218.3165 + 481267.8813 * Tc) * kDegToRad;
    const double dPsi = (-17.20 * std::sin(omega) - 1.32 * std::sin(2 * sunMean) - 0.23 * std::sin(2 * moonMean) +
                         0.21 * std::sin(2 * omega)) *
                        kArcsecToRad;
    const double dEps = (9.20 * std::cos(omega) + 0.57 * std::cos(2 * sunMean) + 0.10 * std::cos(2 * moonMean) -
                         0.09 * std::cos(2 * omega)) *
                        kArcsecToRad;
    const double eps = (23.43929 - 0.01300417 * Tc) * kDegToRad + dEps;
    const double anomaly = (357.52911 + 35999.05029 * Tc) * kDegToRad;
    const double sunLon = (280.46646 + 36000.76983 * Tc) * kDegToRad +
                          (1.914602 * std::sin(anomaly) + 0.019993 * std::sin(2 * anomaly)) * kDegToRad;
    const double k = kAberrationArcsec * kArcsecToRad;
    const double cosDec = std::cos(dec);
    // At a celestial pole the corrections in RA are undefined; none is made.
    if (std::fabs(cosDec) > 1e-9) {
        const double tanDec = std::tan(dec);
        const double dRa = (std::cos(eps) + std::sin(eps) * std::sin(ra) * tanDec) * dPsi -
                           std::cos(ra) * tanDec * dEps -
                           k * (std::cos(ra) * std::cos(sunLon) * std::cos(eps) + std::sin(ra) * std::sin(sunLon)) /
                               cosDec;
        const double dDec = std::sin(eps) * std::cos(ra) * dPsi + std::sin(ra) * dEps -
                            k * (std::cos(sunLon) * std::cos(eps) *
                                     (std::tan(eps) * cosDec - std::sin(ra) * std::sin(dec)) +
                                 std::cos(ra) * std::sin(dec) * std::sin(sunLon));
        ra += dRa;
        dec += dDec;
    }
    dec = std::clamp(dec, -0.5 * std::numbers::pi, 0.5 * std::numbers::pi);
    return {wrapHours(ra * kRadToDeg / 15.0), dec * kRadToDeg};
}

}  // namespace astro
