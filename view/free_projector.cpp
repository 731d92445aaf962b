#include "view/free_projector.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"

namespace view {

namespace {

constexpr float kCharTwips = 180.0f;
// Points farther than this from the centre are not placed: near the
// antipode the projection runs off to infinity.
constexpr double kMaxDistanceDeg = 160.0;

class FreeProjector final : public Projector {
public:
    FreeProjector(const FreeLook& look, double widthTwips, double heightTwips)
        : look_(normalisedLook(look)),
          width_(std::isfinite(widthTwips) && widthTwips > 1.0 ? widthTwips : kSurfaceWidthTwips),
          height_(std::isfinite(heightTwips) && heightTwips > 1.0 ? heightTwips : kSurfaceHeightTwips),
          sinAlt0_(std::sin(look_.altDeg * astro::kDegToRad)),
          cosAlt0_(std::cos(look_.altDeg * astro::kDegToRad)),
          scale_(freeScaleTwipsPerRadian(look_, width_)) {
        frame_.widthTwips = static_cast<float>(width_);
        frame_.figureMaxX = frame_.widthTwips + 1.0f;
        frame_.meteorMaxX = frame_.widthTwips + 1.0f;
        frame_.heightTwips = static_cast<float>(height_);
        buildHorizon();
        buildHorizonArea();
    }

    Placed place(double altDeg, double azDeg) const override {
        if (!std::isfinite(altDeg) || !std::isfinite(azDeg)) return {false, {1.0e6f, -1.0e6f}};
        const double alt = altDeg * astro::kDegToRad, dAz = (azDeg - look_.azDeg) * astro::kDegToRad;
        const double cosC = sinAlt0_ * std::sin(alt) + cosAlt0_ * std::cos(alt) * std::cos(dAz);
        if (cosC < std::cos(kMaxDistanceDeg * astro::kDegToRad)) return {false, {1.0e6f, -1.0e6f}};
        const double k = 2.0 / (1.0 + cosC);
        const double x = k * std::cos(alt) * std::sin(dAz);
        const double y = k * (cosAlt0_ * std::sin(alt) - sinAlt0_ * std::cos(alt) * std::cos(dAz));
        return {true, {static_cast<float>(0.5 * width_ + scale_ * x), static_cast<float>(0.5 * height_ - scale_ * y)}};
    }

    std::optional<SkyPoint> skyAt(double xTwips, double yTwips) const override {
        if (!std::isfinite(xTwips) || !std::isfinite(yTwips)) return std::nullopt;
        const double x = (xTwips - 0.5 * width_) / scale_, y = (0.5 * height_ - yTwips) / scale_;
        const double rho = std::hypot(x, y);
        if (rho > 2.0 * std::tan(0.5 * kMaxDistanceDeg * astro::kDegToRad)) return std::nullopt;
        if (rho == 0.0) return SkyPoint{look_.altDeg, look_.azDeg};
        const double c = 2.0 * std::atan(0.5 * rho);
        const double sinC = std::sin(c), cosC = std::cos(c);
        const double alt = std::asin(std::clamp(cosC * sinAlt0_ + y * sinC * cosAlt0_ / rho, -1.0, 1.0));
        double az = look_.azDeg + std::atan2(x * sinC, rho * cosAlt0_ * cosC - y * sinAlt0_ * sinC) * astro::kRadToDeg;
        az = std::fmod(az, 360.0);
        if (az < 0.0) az += 360.0;
        return SkyPoint{alt * astro::kRadToDeg, az};
    }

    bool inPicture(PicturePoint at) const override {
        if (!(at.x >= 0.0f && at.x <= frame_.widthTwips && at.y >= 0.0f && at.y <= height_)) return false;
        const std::optional<SkyPoint> sky = skyAt(at.x, at.y);
        return sky && sky->altDeg >= -1e-6;
    }

    const ViewFrame& frame() const override { return frame_; }

    // The way toward the zenith at a point, from two nearby placings.
    double upTurnDeg(double altDeg, double azDeg) const override {
        const double step = altDeg > 89.0 ? -0.01 : 0.01;
        const PicturePoint a = place(altDeg, azDeg).at, b = place(altDeg + step, azDeg).at;
        const double dx = (b.x - a.x) * (step > 0 ? 1 : -1), dy = (b.y - a.y) * (step > 0 ? 1 : -1);
        return std::atan2(-dx, -dy) * astro::kRadToDeg;
    }

    // The grid is made on first use: a drag redraws without it.
    const std::vector<PicturePoint>& gridDots() const override {
        buildGrid();
        return dots_;
    }
    const std::vector<std::vector<Vertex>>& gridLines() const override {
        buildGrid();
        return lines_;
    }

private:
    bool onPage(PicturePoint p, float margin = 0.0f) const {
        return p.x >= -margin && p.x <= width_ + margin && p.y >= -margin && p.y <= height_ + margin;
    }

    // A curve through the sky as runs of placed points on (or just off) the
    // page; a point the projection rejects or far off the page ends a run.
    void addRuns(std::vector<std::vector<Vertex>>& out, int n, const auto& pointAt) const {
        std::vector<Vertex> run;
        const float margin = static_cast<float>(0.5 * width_);
        for (int i = 0; i <= n; ++i) {
            const Placed p = pointAt(i);
            if (p.visible && onPage(p.at, margin)) {
                run.push_back({p.at.x, p.at.y});
            } else {
                if (run.size() > 1) out.push_back(run);
                run.clear();
            }
        }
        if (run.size() > 1) out.push_back(std::move(run));
    }

    // The horizon, in steps of about 30 twips where it crosses the page
    // (found a degree at a time), and the eight compass points that fall on
    // the page, their names just under it.
    void buildHorizon() {
        const double fine = std::clamp(30.0 / scale_ * astro::kRadToDeg, 0.01, 1.0);
        const float margin = static_cast<float>(0.5 * width_);
        for (int d = 0; d < 360; ++d) {
            const Placed a = place(0.0, d), b = place(0.0, d + 1);
            if (!(a.visible && onPage(a.at, margin)) && !(b.visible && onPage(b.at, margin))) continue;
            const int n = static_cast<int>(std::ceil(1.0 / fine));
            std::vector<Vertex> run;
            for (int i = 0; i <= n; ++i) {
                const Placed p = place(0.0, d + static_cast<double>(i) / n);
                if (p.visible) run.push_back({p.at.x, p.at.y});
            }
            // Joined to the run before it when they meet.
            if (!frame_.horizonRuns.empty() && !run.empty() && frame_.horizonRuns.back().back().x == run.front().x &&
                frame_.horizonRuns.back().back().y == run.front().y) {
                frame_.horizonRuns.back().insert(frame_.horizonRuns.back().end(), run.begin() + 1, run.end());
            } else if (run.size() > 1) {
                frame_.horizonRuns.push_back(std::move(run));
            }
        }
        for (const CompassPoint& c : kCompassEight) {
            const Placed p = place(0.0, c.azDeg);
            if (!p.visible || !onPage(p.at)) continue;
            frame_.labels.push_back({p.at.x - 0.5f * kCharTwips * c.chars, p.at.y + 60.0f, c.text});
        }
    }

    // The horizon's two sides. On the projection plane (y up) the sky is
    // (4 - x² - y²) sin(alt0) + 4 y cos(alt0) >= 0: looking up, the inside
    // of the circle about (0, 2 cot alt0) of radius 2 / sin alt0; looking
    // down, its outside, the ground inside; looking level, the upper half.
    // The convex side, cut to the picture, is traced column by column.
    void buildHorizonArea() {
        const double w = width_, h = height_;
        if (std::abs(sinAlt0_) < 1e-9) {
            const float mid = static_cast<float>(0.5 * h);
            frame_.horizonArea = {{0.0f, mid}, {static_cast<float>(w), mid}, {static_cast<float>(w), static_cast<float>(h)},
                                  {0.0f, static_cast<float>(h)}};
            frame_.areaIsGround = true;
            return;
        }
        const double cx = 0.5 * w, cy = 0.5 * h - scale_ * 2.0 * cosAlt0_ / sinAlt0_;
        const double r = scale_ * 2.0 / std::abs(sinAlt0_);
        frame_.areaIsGround = sinAlt0_ < 0.0;
        const double x0 = std::max(0.0, cx - r), x1 = std::min(w, cx + r);
        if (!(x1 > x0)) return;
        constexpr int kColumns = 96;
        std::vector<Vertex> top, bottom;
        for (int i = 0; i <= kColumns; ++i) {
            const double x = x0 + (x1 - x0) * i / kColumns;
            const double half = std::sqrt(std::max(0.0, r * r - (x - cx) * (x - cx)));
            const double y0 = std::max(0.0, cy - half), y1 = std::min(h, cy + half);
            if (!(y1 > y0)) continue;
            top.push_back({static_cast<float>(x), static_cast<float>(y0)});
            bottom.push_back({static_cast<float>(x), static_cast<float>(y1)});
        }
        frame_.horizonArea = std::move(top);
        frame_.horizonArea.insert(frame_.horizonArea.end(), bottom.rbegin(), bottom.rend());
    }

    // Altitude circles every 10 degrees, azimuth lines every 15: dots about
    // 90 twips apart for the screen, runs for paper.
    void buildGrid() const {
        if (gridBuilt_) return;
        gridBuilt_ = true;
        const double stepDeg = std::max(0.05, 90.0 / scale_ * astro::kRadToDeg);  // about 90 twips
        const int around = static_cast<int>(std::ceil(360.0 / stepDeg));
        for (int h = 10; h <= 80; h += 10)
            addRuns(lines_, around, [&](int i) { return place(h, 360.0 * i / around); });
        const int up = static_cast<int>(std::ceil(80.0 / stepDeg));
        for (int az = 0; az < 360; az += 15) addRuns(lines_, up, [&](int i) { return place(80.0 * i / up, az); });
        for (const std::vector<Vertex>& run : lines_)
            for (const Vertex& v : run)
                if (onPage({v.x, v.y})) dots_.push_back({v.x, v.y});
    }

    FreeLook look_;
    double width_, height_;
    double sinAlt0_, cosAlt0_;
    double scale_;  // twips per unit of the projection plane
    ViewFrame frame_;
    mutable bool gridBuilt_ = false;
    mutable std::vector<PicturePoint> dots_;
    mutable std::vector<std::vector<Vertex>> lines_;
};

}  // namespace

FreeLook normalisedLook(const FreeLook& look) {
    const FreeLook fallback;
    FreeLook out;
    out.azDeg = std::isfinite(look.azDeg) ? std::fmod(look.azDeg, 360.0) : fallback.azDeg;
    if (out.azDeg < 0.0) out.azDeg += 360.0;
    out.altDeg = std::isfinite(look.altDeg) ? std::clamp(look.altDeg, -90.0, 90.0) : fallback.altDeg;
    out.fovDeg = std::isfinite(look.fovDeg) ? std::clamp(look.fovDeg, kMinFovDeg, kMaxFovDeg) : fallback.fovDeg;
    return out;
}

std::unique_ptr<Projector> freeProjector(const FreeLook& look, double widthTwips, double heightTwips) {
    return std::make_unique<FreeProjector>(look, widthTwips, heightTwips);
}

double freeScaleTwipsPerRadian(const FreeLook& look, double widthTwips) {
    return 0.5 * widthTwips / (2.0 * std::tan(normalisedLook(look).fovDeg * 0.25 * astro::kDegToRad));
}

}  // namespace view
