#include "view/projection.h"

#include <cmath>

#include "astro/angles.h"

namespace view {

namespace {

constexpr double kHalfPi = 1.5707963267949;
// cos 80 degrees, from 1.39626340159544 rad: the standard parallel's weight.
const double kCosStdParallel = std::cos(1.39626340159544);
constexpr double kStretch = 1.7;

// Which of the two guard sets protects the shared formula.
enum class Guards { Projection, Grid };

// The shared formula for a point at altitude h and azimuth offset d (degrees,
// d >= 0 up to the epsilon), mirrored to the left when `left` is set.
Projected place(double h, double d, bool left, Guards guards) {
    Projected out;
    const double c = std::cos(h * astro::kDegToRad) * std::cos(d / 2.0 * astro::kDegToRad);
    const double oneMinusC2 = 1.0 - c * c;
    if (guards == Guards::Grid && oneMinusC2 == 0.0) return out;
    // z: arc cosine of c, the distance from the horizon's centre point.
    // At c = 1 the quotient is infinite and atan gives pi/2, so z = 0.
    const double s = std::sqrt(oneMinusC2 > 0.0 ? oneMinusC2 : 0.0);
    const double z = (kHalfPi - (s > 0.0 ? std::atan(c / s) : std::copysign(kHalfPi, c))) * astro::kRadToDeg;
    if (std::fabs(z) < 0.000001) return out;
    const double q = std::sin(h * astro::kDegToRad) / std::sin(z * astro::kDegToRad);
    const double oneMinusQ2 = 1.0 - q * q;
    if (oneMinusQ2 == 0.0) return out;
    if (guards == Guards::Grid && q == 0.0) return out;
    if (std::fabs(q) > 1.0) return out;
    const double r = std::sqrt(oneMinusQ2);
    const double theta = (kHalfPi - std::atan(q / r)) * astro::kRadToDeg;
    double x = kStretch * (d * kCosStdParallel + 2.0 * z * std::sin(theta * astro::kDegToRad)) / 2.0;
    if (left) x = -x;
    const double y = (h + z * q) / 2.0;
    if (!std::isfinite(x) || !std::isfinite(y)) return out;
    return {x, y, true};
}

}  // namespace

Projected project(Direction dir, double altDeg, double azDeg) {
    if (!std::isfinite(altDeg) || !std::isfinite(azDeg)) return {};
    const DirectionRule& rule = directionRule(dir);
    const double a = (rule.wrapAbove180 && azDeg > 180.0) ? azDeg - 360.0 : azDeg;
    const double rel = a - rule.centreAzDeg;
    const double d = std::fabs(rel) - rule.offsetEpsDeg;
    if (std::fabs(d) > 90.0) return {};
    return place(altDeg, d, rel < 0.0, Guards::Projection);
}

Projected gridDot(double altDeg, double offsetDeg, double epsDeg) {
    if (!std::isfinite(altDeg) || !std::isfinite(offsetDeg)) return {};
    return place(altDeg, std::fabs(offsetDeg) - epsDeg, offsetDeg < 0.0, Guards::Grid);
}

}  // namespace view
