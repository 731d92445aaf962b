#include "view/eclipse_picture.h"

#include <algorithm>
#include <cmath>

#include "view/natural_sky.h"
#include "view/picture.h"

namespace view {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kDaySky{78, 128, 196}, kDarkSky{8, 12, 30}, kNightSky{6, 9, 24};
constexpr Rgb kSun{255, 244, 214}, kMoonInFront{24, 24, 30}, kMoon{236, 232, 214};
constexpr Rgb kUmbraShallow{176, 78, 48}, kUmbraDeep{52, 18, 14};
constexpr Rgb kGround{18, 26, 18}, kShadowEdge{120, 120, 150};

std::vector<Vertex> circle(double x, double y, double r, int n = 96) {
    std::vector<Vertex> v;
    for (int k = 0; k < n; ++k) {
        const double a = 2.0 * kPi * k / n;
        v.push_back({static_cast<float>(x + r * std::cos(a)), static_cast<float>(y + r * std::sin(a))});
    }
    return v;
}

void fill(Painter& p, const std::vector<Vertex>& shape, Rgb colour) {
    if (shape.size() < 3) return;
    p.setFillColour(colour);
    p.polygon(shape, colour);
}

}  // namespace

std::vector<Vertex> convexIntersection(const std::vector<Vertex>& a, const std::vector<Vertex>& b) {
    if (b.size() < 3) return {};
    // b's winding: the sign of its area.
    double area = 0.0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const Vertex& p = b[i];
        const Vertex& q = b[(i + 1) % b.size()];
        area += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
    }
    const double sense = area >= 0.0 ? 1.0 : -1.0;
    std::vector<Vertex> out = a;
    for (std::size_t i = 0; i < b.size() && !out.empty(); ++i) {
        const Vertex e0 = b[i], e1 = b[(i + 1) % b.size()];
        const auto side = [&](const Vertex& v) {
            return sense * ((static_cast<double>(e1.x) - e0.x) * (v.y - e0.y) - (static_cast<double>(e1.y) - e0.y) * (v.x - e0.x));
        };
        std::vector<Vertex> in = std::move(out);
        out.clear();
        for (std::size_t k = 0; k < in.size(); ++k) {
            const Vertex cur = in[k], prev = in[(k + in.size() - 1) % in.size()];
            const double sc = side(cur), sp = side(prev);
            if (sc >= 0.0) {
                if (sp < 0.0) {
                    const double t = sp / (sp - sc);
                    out.push_back({static_cast<float>(prev.x + t * (cur.x - prev.x)), static_cast<float>(prev.y + t * (cur.y - prev.y))});
                }
                out.push_back(cur);
            } else if (sp >= 0.0) {
                const double t = sp / (sp - sc);
                out.push_back({static_cast<float>(prev.x + t * (cur.x - prev.x)), static_cast<float>(prev.y + t * (cur.y - prev.y))});
            }
        }
    }
    return out;
}

void drawEclipse(const EclipseScene& s, Painter& p) {
    const astro::EclipseView& v = s.view;
    const double w = kSurfaceWidthTwips, h = kSurfaceHeightTwips;
    const double cx = w / 2.0, cy = h / 2.0 + 20.0 * kTwipsPerPixel;
    const double radiusTwips = (v.solar ? 150.0 : 90.0) * kTwipsPerPixel;
    const double perDeg = v.bodyRadiusDeg > 0.0 ? radiusTwips / v.bodyRadiusDeg : 0.0;
    p.clear();
    p.setFillStyleSolid();
    // The sky darkens as the Sun is covered (by day) or is night's (the Moon).
    const Rgb sky = v.solar ? mixColour(kDaySky, kDarkSky, 1.0 - std::pow(std::clamp(v.obscuration, 0.0, 1.0), 4.0)) : kNightSky;
    fill(p, {{0.0f, 0.0f}, {static_cast<float>(w), 0.0f}, {static_cast<float>(w), static_cast<float>(h)}, {0.0f, static_cast<float>(h)}}, sky);
    const auto at = [&](double xDeg, double yDeg) { return std::pair{cx + xDeg * perDeg, cy - yDeg * perDeg}; };
    if (v.solar) {
        p.setFillColour(kSun);
        p.disc(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(radiusTwips), kSun);
        const auto [mx, my] = at(v.moonXDeg, v.moonYDeg);
        const std::vector<Vertex> moon = circle(mx, my, v.moonRadiusDeg * perDeg);
        fill(p, moon, kMoonInFront);
    } else {
        const std::vector<Vertex> moon = circle(cx, cy, radiusTwips);
        fill(p, moon, kMoon);
        const auto [sx, sy] = at(v.shadowXDeg, v.shadowYDeg);
        const std::vector<Vertex> penumbra = circle(sx, sy, v.penumbraRadiusDeg * perDeg, 192);
        const std::vector<Vertex> umbra = circle(sx, sy, v.umbraRadiusDeg * perDeg, 192);
        // The penumbra dims the Moon a little; in the umbra it turns red,
        // darker the deeper the Moon lies in it.
        fill(p, convexIntersection(moon, penumbra), mixColour(kMoon, kNightSky, 0.72));
        const double centreDepth = std::clamp(v.magnitude / 1.8, 0.0, 1.0);
        fill(p, convexIntersection(moon, umbra), mixColour(kUmbraShallow, kUmbraDeep, 1.0 - centreDepth));
        // The shadow's edge as a line only (a polygon would be filled).
        std::vector<Vertex> edge = umbra;
        edge.push_back(umbra.front());
        p.setLineStyle(LineStyle::Dashed);
        p.polyline(edge, kShadowEdge);
        p.setLineStyle(LineStyle::Solid);
        const auto [lx, ly] = at(v.shadowXDeg, v.shadowYDeg - v.umbraRadiusDeg);
        p.setTextPosition(static_cast<float>(lx - 80.0 * kTwipsPerPixel), static_cast<float>(ly + 6.0 * kTwipsPerPixel));
        p.text("地球の影（本影）");
    }
    // The horizon, where it falls in the picture: the body's altitude below it.
    const double horizonY = cy + v.altDeg * perDeg;
    if (horizonY < h) {
        const float y0 = static_cast<float>(std::max(0.0, horizonY));
        fill(p, {{0.0f, y0}, {static_cast<float>(w), y0}, {static_cast<float>(w), static_cast<float>(h)}, {0.0f, static_cast<float>(h)}}, kGround);
        p.setTextPosition(static_cast<float>(12.0 * kTwipsPerPixel), y0 + static_cast<float>(4.0 * kTwipsPerPixel));
        p.text("地平線");
    }
    p.setTextPosition(static_cast<float>(cx - 14.0 * kTwipsPerPixel), static_cast<float>(6.0 * kTwipsPerPixel));
    p.text("↑天頂");
    p.setTextPosition(static_cast<float>(12.0 * kTwipsPerPixel), static_cast<float>(6.0 * kTwipsPerPixel));
    p.text(s.title);
    p.setTextPosition(static_cast<float>(12.0 * kTwipsPerPixel), static_cast<float>(h - 24.0 * kTwipsPerPixel));
    p.text(s.facts);
}

}  // namespace view
