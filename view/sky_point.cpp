#include "view/sky_point.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "view/projection.h"

namespace view {

namespace {

// The projection of altitude h and signed azimuth offset a from the view
// centre, continuous across the centre line.
bool projectOffset(Direction dir, double h, double a, double& x, double& y) {
    double az = directionRule(dir).centreAzDeg + a;
    az = std::fmod(az + 720.0, 360.0);
    const Projected p = project(dir, h, az);
    x = p.x;
    y = p.y;
    return p.visible;
}

}  // namespace

std::optional<SkyPoint> skyPointAt(Direction dir, double xTwips, double yTwips) {
    if (!std::isfinite(xTwips) || !std::isfinite(yTwips)) return std::nullopt;
    const double tx = (xTwips - kViewCentreX) / kViewScaleX;
    const double ty = (kHorizonY - yTwips) / kViewScaleY;
    if (std::fabs(tx) > 1.0e4 || std::fabs(ty) > 1.0e4) return std::nullopt;

    // Start from the nearest point of a coarse grid, then Newton steps with a
    // numerical Jacobian. The map is smooth inside (-90, 90) x (-90, 90).
    double h = 0.0, a = 0.0, best = INFINITY;
    for (double hh = -85.0; hh <= 85.0; hh += 5.0) {
        for (double aa = -87.5; aa <= 87.5; aa += 2.5) {
            double x = 0.0, y = 0.0;
            if (!projectOffset(dir, hh, aa, x, y)) continue;
            const double e = std::hypot(x - tx, y - ty);
            if (e < best) {
                best = e;
                h = hh;
                a = aa;
            }
        }
    }
    if (!std::isfinite(best)) return std::nullopt;
    constexpr double kStep = 1.0e-5;
    for (int i = 0; i < 40; ++i) {
        double x = 0.0, y = 0.0, xh = 0.0, yh = 0.0, xa = 0.0, ya = 0.0;
        if (!projectOffset(dir, h, a, x, y)) break;
        const double ex = x - tx;
        const double ey = y - ty;
        if (std::hypot(ex, ey) < 1.0e-9) break;
        // Derivative steps point away from the centre line, where the
        // projection folds (|offset|) and rejects some points, and inwards
        // near the edges.
        const double sh = h > 80.0 ? -kStep : kStep;
        const double sa = std::fabs(a) > 80.0 ? (a > 0.0 ? -kStep : kStep) : (a >= 0.0 ? kStep : -kStep);
        if (!projectOffset(dir, h + sh, a, xh, yh) || !projectOffset(dir, h, a + sa, xa, ya)) break;
        const double j11 = (xh - x) / sh, j12 = (xa - x) / sa;
        const double j21 = (yh - y) / sh, j22 = (ya - y) / sa;
        const double det = j11 * j22 - j12 * j21;
        if (!std::isfinite(det) || std::fabs(det) < 1.0e-12) break;
        double dh = (j22 * ex - j12 * ey) / det;
        double da = (-j21 * ex + j11 * ey) / det;
        // Damped: never more than 10 degrees a step, and halved until the
        // new point is one the projection places.
        const double len = std::hypot(dh, da);
        if (len > 10.0) {
            dh *= 10.0 / len;
            da *= 10.0 / len;
        }
        bool moved = false;
        for (int tries = 0; tries < 30 && !moved; ++tries) {
            const double nh = std::clamp(h - dh, -89.999, 89.999);
            const double na = std::clamp(a - da, -89.999, 89.999);
            double nx = 0.0, ny = 0.0;
            if (projectOffset(dir, nh, na, nx, ny)) {
                h = nh;
                a = na;
                moved = true;
            }
            dh /= 2.0;
            da /= 2.0;
        }
        if (!moved) break;
    }
    double x = 0.0, y = 0.0;
    if (!projectOffset(dir, h, a, x, y)) return std::nullopt;
    // Accept a solution within half a twip (a thirtieth of a pixel); the
    // projection folds within 0.0001 degree of the centre line, where this
    // is as close as the picture itself can tell.
    if (std::fabs(x - tx) * kViewScaleX > 0.5 || std::fabs(y - ty) * kViewScaleY > 0.5) return std::nullopt;
    return SkyPoint{h, std::fmod(directionRule(dir).centreAzDeg + a + 720.0, 360.0)};
}

std::optional<PictureChoice> pictureShowing(double altDeg, double azDeg) {
    if (!std::isfinite(altDeg) || !std::isfinite(azDeg) || altDeg < 0.0) return std::nullopt;
    std::array<Direction, 4> dirs{Direction::North, Direction::East, Direction::South, Direction::West};
    const auto offset = [&](Direction d) {
        const double diff = std::fmod(std::fabs(azDeg - directionRule(d).centreAzDeg), 360.0);
        return std::min(diff, 360.0 - diff);
    };
    std::stable_sort(dirs.begin(), dirs.end(), [&](Direction p, Direction q) { return offset(p) < offset(q); });
    for (const Direction d : dirs) {
        const Projected p = project(d, altDeg, azDeg);
        if (!p.visible) continue;
        const PicturePoint at = toPicture(p);
        if (at.x >= 0.0f && at.x <= kSurfaceWidthTwips && at.y >= 0.0f && at.y <= kHorizonY) return PictureChoice{d, at};
    }
    return std::nullopt;
}

}  // namespace view
