// Angle constants and the two angle helpers every part of the program shares.
// The constants are the stored values the whole program multiplies by (not
// computed from pi), so that every module rounds the same way.
#pragma once

#include <cmath>

#include "astro/no_fast_math.h"

namespace astro {

// Degrees to radians: multiply by this.
inline constexpr double kDegToRad = 0.017453292519943;
// Degrees of a doubled angle to radians: sin(2x) is sin(x * kDoubleDegToRad).
inline constexpr double kDoubleDegToRad = 0.034906585039886;
// Radians to degrees: multiply by this.
inline constexpr double kRadToDeg = 57.295779513082;

// Fractional part, cut toward zero: x - trunc(x), same sign as x.
inline double fracToward0(double x) { return x - std::trunc(x); }

// reduce360: an angle in degrees reduced to [0, 360).
//   xDeg  any finite angle, degrees
//   returns  degrees in [0, 360)
// Computed as u = x/360; u = frac(u) + 1; x = frac(u)*360, with frac cutting
// toward zero, so negative angles land in range too. A non-finite argument
// gives 0 (never NaN).
inline double reduce360(double xDeg) {
    if (!std::isfinite(xDeg)) return 0.0;
    double u = xDeg / 360.0;
    u = fracToward0(u) + 1.0;
    const double r = fracToward0(u) * 360.0;
    return r < 360.0 ? r : 0.0;
}

// One rule for a place's coordinates, wherever they come from (the fields,
// the settings file, the command line): a latitude lies within -90..90, a
// longitude within -180..180 or is reduced to it.
//   longitudeInRangeDeg  any finite longitude, degrees east; returns the same
//                        meridian in [-180, 180] (values already inside are
//                        returned unchanged); non-finite gives 0.
inline double longitudeInRangeDeg(double lonDeg) {
    if (!std::isfinite(lonDeg)) return 0.0;
    if (lonDeg >= -180.0 && lonDeg <= 180.0) return lonDeg;
    const double r = std::fmod(lonDeg, 360.0);  // exact, in (-360, 360)
    if (r > 180.0) return r - 360.0;
    if (r < -180.0) return r + 360.0;
    return r;
}
// wrap180Deg, wrap360Deg: an angle in degrees reduced to [-180, 180) or
// [0, 360).
inline double wrap180Deg(double deg) { return deg - 360.0 * std::floor((deg + 180.0) / 360.0); }
inline double wrap360Deg(double deg) { return deg - 360.0 * std::floor(deg / 360.0); }
inline bool latitudeInRange(double latDeg) { return std::isfinite(latDeg) && latDeg >= -90.0 && latDeg <= 90.0; }

// atanQuadrantDeg: the arctangent of num/den in degrees, put into its quadrant
// by the program's rule: add 180 when den < 0 (no further reduction, so the
// result lies in (-90, 270)).
//   num, den  finite numerator and denominator of the quotient
//   returns  degrees in [-90, 270)
// A zero denominator gives the limit the rule tends to from either side: 90
// for num > 0, -90 for num < 0, and 0 when both are zero (the direction is
// undefined there; 0 is a fixed, finite choice).
inline double atanQuadrantDeg(double num, double den) {
    if (den == 0.0) {
        if (num > 0.0) return 90.0;
        if (num < 0.0) return -90.0;
        return 0.0;
    }
    double a = std::atan(num / den) * kRadToDeg;
    if (den < 0.0) a += 180.0;
    return a;
}

}  // namespace astro
