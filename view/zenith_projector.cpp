#include "view/zenith_projector.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "astro/angles.h"

namespace view {

namespace {

// Labels stand this far outside the horizon, centred on their point; a
// label's size is that of the picture's 12 px font (180 twips a character).
constexpr float kLabelGap = 170.0f;
constexpr float kCharTwips = 180.0f;
constexpr float kLineTwips = 210.0f;


class ZenithProjector final : public Projector {
public:
    ZenithProjector() {
        frame_.widthTwips = 14655.0f;
        frame_.horizonY = kZenithCentreY + kZenithRadius;
        frame_.horizonX0 = kZenithCentreX - kZenithRadius;
        frame_.horizonX1 = kZenithCentreX + kZenithRadius;
        frame_.horizonCircle = HorizonCircle{kZenithCentreX, kZenithCentreY, kZenithRadius};
        for (const CompassPoint& c : kCompassEight) {
            const PicturePoint at = onCircle(kZenithRadius + kLabelGap + 60.0f * c.chars, c.azDeg);
            frame_.labels.push_back({at.x - 0.5f * kCharTwips * c.chars, at.y - 0.5f * kLineTwips, c.text});
        }
        // Nothing is cut at the side: what is above the horizon is inside.
        frame_.figureMaxX = frame_.widthTwips + 1.0f;
        frame_.meteorMaxX = frame_.widthTwips + 1.0f;
        for (int k = 0; k < 360; ++k) {
            const PicturePoint p = onCircle(kZenithRadius, k);
            frame_.horizonArea.push_back({p.x, p.y});
        }
        buildGrid();
    }

    Placed place(double altDeg, double azDeg) const override {
        if (!std::isfinite(altDeg) || !std::isfinite(azDeg) || altDeg <= -89.0) return {false, {1.0e6f, -1.0e6f}};
        return {true, onCircle(static_cast<float>(kZenithRadius * zenithRadiusFraction(altDeg)), azDeg)};
    }

    std::optional<SkyPoint> skyAt(double xTwips, double yTwips) const override {
        if (!std::isfinite(xTwips) || !std::isfinite(yTwips)) return std::nullopt;
        const double dx = xTwips - kZenithCentreX, dy = yTwips - kZenithCentreY;
        const double r = std::hypot(dx, dy) / kZenithRadius;
        if (r > 50.0) return std::nullopt;
        const double alt = 90.0 - 2.0 * std::atan(r) * astro::kRadToDeg;
        double az = std::atan2(-dx, -dy) * astro::kRadToDeg;
        if (az < 0.0) az += 360.0;
        if (az >= 360.0) az -= 360.0;
        return SkyPoint{alt, az};
    }

    bool inPicture(PicturePoint at) const override {
        return std::hypot(at.x - kZenithCentreX, at.y - kZenithCentreY) <= kZenithRadius + 0.5;
    }

    const ViewFrame& frame() const override { return frame_; }

    // Toward the zenith is toward the centre: straight up at the south
    // point of the horizon, straight down at the north point.
    double upTurnDeg(double, double azDeg) const override { return azDeg + 180.0; }

    const std::vector<PicturePoint>& gridDots() const override { return dots_; }
    const std::vector<std::vector<Vertex>>& gridLines() const override { return lines_; }

private:
    // x = cx - r sin(az), y = cy - r cos(az): north up, east left.
    static PicturePoint onCircle(float r, double azDeg) {
        const double a = azDeg * astro::kDegToRad;
        return {static_cast<float>(kZenithCentreX - r * std::sin(a)), static_cast<float>(kZenithCentreY - r * std::cos(a))};
    }

    // Azimuth lines every 15 degrees from the horizon to 80 degrees, a dot
    // every 2 degrees of altitude (56 to 112 twips apart, near the quarter
    // views' 80); altitude circles every 10 degrees with dots about 90 twips
    // apart along them. The horizon itself is the frame's circle.
    void buildGrid() {
        for (int az = 0; az < 360; az += 15) {
            std::vector<Vertex> run;
            for (int h = 2; h <= 80; h += 2) {
                const PicturePoint p = place(h, az).at;
                dots_.push_back(p);
                run.push_back({p.x, p.y});
            }
            lines_.push_back(std::move(run));
        }
        for (int h = 10; h <= 80; h += 10) {
            const double r = kZenithRadius * zenithRadiusFraction(h);
            const int n = std::max(12, static_cast<int>(std::lround(2.0 * 3.141592653589793 * r / 90.0)));
            std::vector<Vertex> run;
            for (int k = 0; k <= n; ++k) {
                const PicturePoint p = place(h, 360.0 * k / n).at;
                if (k < n) dots_.push_back(p);
                run.push_back({p.x, p.y});
            }
            lines_.push_back(std::move(run));
        }
    }

    ViewFrame frame_;
    std::vector<PicturePoint> dots_;
    std::vector<std::vector<Vertex>> lines_;
};

}  // namespace

double zenithRadiusFraction(double altDeg) { return std::tan((90.0 - altDeg) * 0.5 * astro::kDegToRad); }

const Projector& zenithProjector() {
    static const ZenithProjector projector;
    return projector;
}

}  // namespace view
