#include "view/hit_test.h"

#include <algorithm>
#include <cmath>

namespace view {

namespace {

// Squared distance from (x, y) to the segment a-b.
double segmentDistanceSq(double x, double y, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = ax + t * dx - x;
    const double py = ay + t * dy - y;
    return px * px + py * py;
}

}  // namespace

std::optional<DrawnObject> objectAt(const DrawRecord& record, double xPx, double yPx) {
    if (!std::isfinite(xPx) || !std::isfinite(yPx)) return std::nullopt;
    const DrawnObject* best = nullptr;
    double bestDistSq = 0.0;
    bool bestInside = false;
    for (const DrawnObject& o : record.objects) {
        double distSq = 0.0;
        double reach = kHitMarginPx;
        if (o.kind == DrawnKind::Meteor) {
            distSq = segmentDistanceSq(xPx, yPx, o.tailXPx, o.tailYPx, o.xPx, o.yPx);
        } else {
            const double dx = xPx - o.xPx;
            const double dy = yPx - o.yPx;
            distSq = dx * dx + dy * dy;
            reach += std::max(static_cast<double>(o.radiusPx), kSmallestDrawnRadiusPx);
        }
        if (!(distSq <= reach * reach)) continue;
        // A cluster's ring holds the point itself: it comes before the stars
        // whose margins merely reach there (M42 before ι Ori beside it).
        const bool inside = o.kind == DrawnKind::DeepSky && distSq <= static_cast<double>(o.radiusPx) * o.radiusPx;
        if (best != nullptr && inside != bestInside) {
            if (!inside) continue;
        } else if (best != nullptr && !(o.mag < best->mag || (o.mag == best->mag && distSq <= bestDistSq))) {
            continue;  // later objects win exact ties: they are drawn on top
        }
        best = &o;
        bestDistSq = distSq;
        bestInside = inside;
    }
    if (best == nullptr) return std::nullopt;
    return *best;
}

}  // namespace view
