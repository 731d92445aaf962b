#include "view/moon.h"

#include <cmath>

namespace view {

void drawMoon(float centreX, float centreY, double illum, double limbAngleDeg, Painter& painter) {
    if (!std::isfinite(centreX) || !std::isfinite(centreY)) return;
    double k = std::isfinite(illum) ? illum : 0.0;
    k = k < 0.0 ? 0.0 : (k > 1.0 ? 1.0 : k);
    const double phi = (std::isfinite(limbAngleDeg) ? limbAngleDeg : 0.0) * 3.14159 / 180.0;
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    const double r = kMoonRadiusTwips;
    const int steps = static_cast<int>(2.0 * r / kMoonScanStepTwips);  // 1200 intervals

    struct Chord {
        float limbX, limbY, termX, termY;
    };
    // u runs across the bright-limb direction, v along it; picture y grows
    // downward, so the rotated v component is subtracted.
    auto chordAt = [&](int i) {
        const double u = -r + kMoonScanStepTwips * i;
        const double w2 = r * r - u * u;
        const double w = w2 > 0.0 ? std::sqrt(w2) : 0.0;
        const double t = (1.0 - 2.0 * k) * w;
        const double x1 = u * c - w * s, y1 = u * s + w * c;
        const double x2 = u * c - t * s, y2 = u * s + t * c;
        return Chord{static_cast<float>(centreX + x1), static_cast<float>(centreY - y1),
                     static_cast<float>(centreX + x2), static_cast<float>(centreY - y2)};
    };

    for (int i = 0; i <= steps; ++i) {
        const Chord ch = chordAt(i);
        painter.line(ch.termX, ch.termY, ch.limbX, ch.limbY, kMoonLitColour);
    }
    for (int i = 0; i <= steps; ++i) {
        const Chord ch = chordAt(i);
        painter.point(ch.termX, ch.termY, kMoonOutlineColour);
        painter.point(ch.limbX, ch.limbY, kMoonOutlineColour);
    }
}

}  // namespace view
