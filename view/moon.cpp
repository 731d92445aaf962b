#include "view/moon.h"

#include <cmath>
#include <vector>

#include "view/chart_style.h"

namespace view {

namespace {

// The inputs as both Moon drawings read them: k clamped to 0..1 and the
// bright-limb angle in radians, anything non-finite read as 0.
struct Phase {
    double k;
    double c, s;  // cosine and sine of the bright-limb angle
};

Phase phaseOf(double illum, double limbAngleDeg) {
    double k = std::isfinite(illum) ? illum : 0.0;
    k = k < 0.0 ? 0.0 : (k > 1.0 ? 1.0 : k);
    const double phi = (std::isfinite(limbAngleDeg) ? limbAngleDeg : 0.0) * 3.14159 / 180.0;
    return {k, std::cos(phi), std::sin(phi)};
}

}  // namespace

void drawMoonShape(float centreX, float centreY, float radiusTwips, double illum, double limbAngleDeg,
                   const MoonLook& look, Painter& painter) {
    if (!std::isfinite(centreX) || !std::isfinite(centreY) || !(radiusTwips > 0.0f)) return;
    const Phase ph = phaseOf(illum, limbAngleDeg);
    const double r = radiusTwips;
    painter.setFillStyleSolid();
    painter.setFillColour(look.dark);
    painter.disc(centreX, centreY, radiusTwips, look.darkEdge);
    if (ph.k <= 0.0) return;
    const double k = ph.k < kThinnestLitFraction ? kThinnestLitFraction : ph.k;

    // Out along the bright limb, back along the terminator.
    std::vector<Vertex> lit(2 * (kPaperMoonSteps + 1));
    for (int i = 0; i <= kPaperMoonSteps; ++i) {
        const double u = -r + 2.0 * r * i / kPaperMoonSteps;
        const double w2 = r * r - u * u;
        const double w = w2 > 0.0 ? std::sqrt(w2) : 0.0;
        const double t = (1.0 - 2.0 * k) * w;
        lit[static_cast<std::size_t>(i)] = {static_cast<float>(centreX + u * ph.c - w * ph.s),
                                            static_cast<float>(centreY - (u * ph.s + w * ph.c))};
        lit[lit.size() - 1 - static_cast<std::size_t>(i)] = {static_cast<float>(centreX + u * ph.c - t * ph.s),
                                                             static_cast<float>(centreY - (u * ph.s + t * ph.c))};
    }
    painter.setFillColour(look.lit);
    painter.polygon(lit, look.litEdge);
}

void drawPaperMoon(float centreX, float centreY, double illum, double limbAngleDeg, Painter& painter) {
    drawMoonShape(centreX, centreY, static_cast<float>(kPaperMoonRadiusTwips), illum, limbAngleDeg,
                  {kPaperMoonDark, kPaperOutline, kPaperMoonLit, kPaperOutline}, painter);
}

void drawMoon(float centreX, float centreY, double illum, double limbAngleDeg, Painter& painter) {
    if (!std::isfinite(centreX) || !std::isfinite(centreY)) return;
    const Phase ph = phaseOf(illum, limbAngleDeg);
    const double k = ph.k, c = ph.c, s = ph.s;
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
