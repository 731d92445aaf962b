#include "view/projector.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "view/projection.h"
#include "view/zenith_projector.h"

namespace view {

namespace {

// The design's picture toward one direction: the horizon at y = 9000 twips
// from x = 0 to 15500, three labels under it, figures and shooting stars
// kept left of x = 15400 (which also drops what the projection rejected:
// those points map far to the right).
constexpr float kDesignCutX = 15400.0f;
constexpr std::array<float, 3> kLabelX = {2400.0f, 6950.0f, 11300.0f};
constexpr float kLabelY = 9100.0f;

class DirectionProjector final : public Projector {
public:
    explicit DirectionProjector(Direction dir) : dir_(dir), rule_(directionRule(dir)) {
        frame_.widthTwips = static_cast<float>(kSurfaceWidthTwips);
        frame_.horizonY = static_cast<float>(kHorizonY);
        frame_.horizonX0 = static_cast<float>(kViewCentreX - 7000.0);
        frame_.horizonX1 = static_cast<float>(kViewCentreX + 8500.0);
        for (std::size_t i = 0; i < kLabelX.size(); ++i) frame_.labels.push_back({kLabelX[i], kLabelY, rule_.labels[i]});
        frame_.figureMaxX = kDesignCutX;
        frame_.meteorMaxX = kDesignCutX;
        const float w = frame_.widthTwips, h = frame_.heightTwips, y = frame_.horizonY;
        frame_.horizonArea = {{0.0f, y}, {w, y}, {w, h}, {0.0f, h}};
        frame_.areaIsGround = true;
        frame_.designLayout = true;
    }

    Placed place(double altDeg, double azDeg) const override {
        const Projected p = project(dir_, altDeg, azDeg);
        return {p.visible, toPicture(p)};
    }

    std::optional<SkyPoint> skyAt(double xTwips, double yTwips) const override;

    bool inPicture(PicturePoint at) const override {
        return at.x >= 0.0f && at.x <= frame_.widthTwips && at.y >= 0.0f && at.y <= frame_.horizonY;
    }

    const ViewFrame& frame() const override { return frame_; }

    // The grid is placed by offset from the centre azimuth, the same in
    // every direction.
    const std::vector<PicturePoint>& gridDots() const override { return designGridDots(); }
    const std::vector<std::vector<Vertex>>& gridLines() const override { return designGridLines(); }

private:
    // The projection of altitude h and signed azimuth offset a from the
    // view centre, continuous across the centre line.
    bool projectOffset(double h, double a, double& x, double& y) const {
        double az = rule_.centreAzDeg + a;
        az = std::fmod(az + 720.0, 360.0);
        const Projected p = project(dir_, h, az);
        x = p.x;
        y = p.y;
        return p.visible;
    }

    static const std::vector<PicturePoint>& designGridDots();
    static const std::vector<std::vector<Vertex>>& designGridLines();

    Direction dir_;
    const DirectionRule& rule_;
    ViewFrame frame_;
};

// Azimuth lines every 15 degrees with a point per degree of altitude, then
// altitude lines every 10 degrees with a point every 2 degrees of azimuth;
// `emit` gets each point (invisible for one the grid leaves out) and whether
// it lies on the central meridian, and `end` closes each line.
template <class Emit, class End>
void walkDesignGrid(const Emit& emit, const End& end) {
    for (int a = -90; a <= 90; a += 15) {
        for (int j = 0; j <= 900; j += 10) emit(gridDot(j / 10.0, a, 0.0001), a == 0);
        end();
    }
    for (int h = 10; h <= 90; h += 10) {
        for (int a = -90; a <= 90; a += 2) emit(gridDot(h, a, 0.00001), a == 0);
        end();
    }
}

const std::vector<PicturePoint>& DirectionProjector::designGridDots() {
    static const std::vector<PicturePoint> dots = [] {
        std::vector<PicturePoint> v;
        walkDesignGrid([&](const Projected& p, bool) { if (p.visible) v.push_back(toPicture(p)); }, [] {});
        return v;
    }();
    return dots;
}

const std::vector<std::vector<Vertex>>& DirectionProjector::designGridLines() {
    static const std::vector<std::vector<Vertex>> lines = [] {
        std::vector<std::vector<Vertex>> out;
        std::vector<Vertex> run;
        const auto flush = [&] {
            if (run.size() > 1) out.push_back(run);
            run.clear();
        };
        walkDesignGrid(
            [&](const Projected& p, bool onMeridian) {
                // The formula leaves out the altitude lines' points on the
                // central meridian (a dot the screen grid does without); a
                // line runs on through them rather than breaking there.
                if (!p.visible && onMeridian) return;
                if (!p.visible) return flush();
                const PicturePoint at = toPicture(p);
                run.push_back({at.x, at.y});
            },
            flush);
        return out;
    }();
    return lines;
}

std::optional<SkyPoint> DirectionProjector::skyAt(double xTwips, double yTwips) const {
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
            if (!projectOffset(hh, aa, x, y)) continue;
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
        if (!projectOffset(h, a, x, y)) break;
        const double ex = x - tx;
        const double ey = y - ty;
        if (std::hypot(ex, ey) < 1.0e-9) break;
        // Derivative steps point away from the centre line, where the
        // projection folds (|offset|) and rejects some points, and inwards
        // near the edges.
        const double sh = h > 80.0 ? -kStep : kStep;
        const double sa = std::fabs(a) > 80.0 ? (a > 0.0 ? -kStep : kStep) : (a >= 0.0 ? kStep : -kStep);
        if (!projectOffset(h + sh, a, xh, yh) || !projectOffset(h, a + sa, xa, ya)) break;
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
            if (projectOffset(nh, na, nx, ny)) {
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
    if (!projectOffset(h, a, x, y)) return std::nullopt;
    // Accept a solution within half a twip (a thirtieth of a pixel); the
    // projection folds within 0.0001 degree of the centre line, where this
    // is as close as the picture itself can tell.
    if (std::fabs(x - tx) * kViewScaleX > 0.5 || std::fabs(y - ty) * kViewScaleY > 0.5) return std::nullopt;
    return SkyPoint{h, std::fmod(rule_.centreAzDeg + a + 720.0, 360.0)};
}

}  // namespace

const Projector& projectorFor(Direction dir) {
    if (dir == Direction::Zenith) return zenithProjector();
    static const std::array<DirectionProjector, 4> projectors{DirectionProjector(Direction::North),
                                                              DirectionProjector(Direction::East),
                                                              DirectionProjector(Direction::South),
                                                              DirectionProjector(Direction::West)};
    const int i = static_cast<int>(dir);
    return projectors[static_cast<std::size_t>((i >= 0 && i < 4) ? i : 2)];
}

}  // namespace view
