#include "view/trails.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "view/hit_test.h"
#include "view/horizontal.h"
#include "view/moon.h"
#include "view/natural_sky.h"
#include "view/projector.h"
#include "view/sky_view.h"

namespace view {

namespace {

// Halvings of the step between two samples when looking for the horizon or
// the projection's edge: 2 minutes / 2^30 is far below a pixel.
constexpr int kBisections = 30;

// How much of its own colour a trail keeps: bright stars print brighter
// trails on a long exposure.
double starTrailWeight(double magnitude) { return std::clamp(0.65 - 0.08 * magnitude, 0.3, 0.7); }
constexpr double kBodyTrailWeight = 0.6;

// Difference b - a of two sidereal times, hours, taken the short way round.
double hourStep(double a, double b) {
    double d = std::fmod(b - a, 24.0);
    if (d > 12.0) d -= 24.0;
    if (d <= -12.0) d += 24.0;
    return d;
}

// Where a sampled object stands, and whether the picture shows it there.
struct Place {
    bool visible = false;
    PicturePoint at;
};

Place placeOf(const Projector& dir, const astro::Horizontal& hz) {
    if (!(hz.altDeg >= 0.0)) return {};
    const Placed p = dir.place(hz.altDeg, hz.azDeg);
    if (!p.visible) return {};
    return {true, p.at};
}

// Follows one object through the samples. PositionAt(k, f) gives its
// altitude and azimuth a fraction f of the way from sample k to sample k+1;
// at f = 0 it must be exactly the position the picture of sample k uses.
template <class PositionAt>
void tracePaths(const Projector& dir, std::size_t sampleCount, const PositionAt& positionAt, const TrailPath& proto,
                std::vector<TrailPath>& out) {
    // The point on the visible side of the boundary crossed between samples
    // k and k+1; visibleAtStart says which end is visible.
    const auto boundary = [&](std::size_t k, bool visibleAtStart) {
        double inside = visibleAtStart ? 0.0 : 1.0;
        double outside = 1.0 - inside;
        Place best = placeOf(dir, positionAt(k, inside));
        for (int i = 0; i < kBisections; ++i) {
            const double mid = 0.5 * (inside + outside);
            const Place p = placeOf(dir, positionAt(k, mid));
            if (p.visible) {
                inside = mid;
                best = p;
            } else {
                outside = mid;
            }
        }
        return best.at;
    };

    TrailPath path = proto;
    const auto finish = [&] {
        if (path.points.size() >= 2) out.push_back(path);
        path.points.clear();
    };
    bool wasVisible = false;
    for (std::size_t k = 0; k < sampleCount; ++k) {
        const Place here = placeOf(dir, positionAt(k, 0.0));
        if (here.visible) {
            if (!wasVisible && k > 0) path.points.push_back(boundary(k - 1, false));
            path.points.push_back(here.at);
        } else if (wasVisible) {
            path.points.push_back(boundary(k - 1, true));
            finish();
        }
        wasVisible = here.visible;
    }
    finish();
}

}  // namespace

std::vector<int> trailSampleOffsets(int spanMinutes) {
    const int span = std::clamp(spanMinutes, 1, kMaxTrailMinutes);
    std::vector<int> offsets;
    offsets.reserve(static_cast<std::size_t>(span / kTrailStepMinutes + 2));
    for (int m = 0; m < span; m += kTrailStepMinutes) offsets.push_back(m);
    offsets.push_back(span);
    return offsets;
}

Trails computeTrails(const Projector& dir, std::span<const astro::SkyState> skies, const catalog::Catalogue& cat,
                     Rgb background) {
    Trails trails;
    const std::size_t n = skies.size();
    if (n < 2) return trails;

    // Sidereal time at each sample and its change to the next one; the
    // stars' positions change with it alone.
    std::vector<double> st(n), stStep(n, 0.0);
    for (std::size_t k = 0; k < n; ++k) st[k] = skies[k].siderealTimeHours;
    for (std::size_t k = 0; k + 1 < n; ++k) stStep[k] = hourStep(st[k], st[k + 1]);
    const double latDeg = skies[0].obsLatDeg;
    const double lonDeg = skies[0].obsLonDeg;

    // The faintest magnitude seen a fraction f of the way from sample k to
    // the next, by the Sun and the Moon then.
    const auto limitAt = [&](std::size_t k, double f) {
        const astro::SkyState& s0 = skies[k];
        const astro::SkyState& s1 = skies[std::min(k + 1, n - 1)];
        const auto lerp = [f](double a, double b) { return a + f * (b - a); };
        return limitingMagnitude(lerp(s0.bodyAltDeg[astro::Sun], s1.bodyAltDeg[astro::Sun]),
                                 lerp(s0.bodyAltDeg[astro::Moon], s1.bodyAltDeg[astro::Moon]),
                                 lerp(s0.moonIllum, s1.moonIllum));
    };
    // An object out of sight is traced as if under the horizon.
    constexpr astro::Horizontal kUnseen{-90.0, 0.0};

    struct BodyRule {
        astro::Body body;
        Rgb colour;
    };
    const BodyRule bodies[] = {
        {astro::Sun, kBodyColour},     {astro::Moon, kMoonLitColour}, {astro::Venus, kBodyColour},
        {astro::Mars, kBodyColour},    {astro::Jupiter, kBodyColour}, {astro::Saturn, kBodyColour},
    };
    for (const BodyRule& rule : bodies) {
        const int b = rule.body;
        const bool planet = b != astro::Sun && b != astro::Moon;
        const auto positionAt = [&](std::size_t k, double f) -> astro::Horizontal {
            if (planet) {
                const double m0 = skies[k].bodyMag[b], m1 = skies[std::min(k + 1, n - 1)].bodyMag[b];
                const double mag = std::isfinite(m0) && std::isfinite(m1) ? m0 + f * (m1 - m0) : kBodyRankMag[b];
                if (mag > limitAt(k, f)) return kUnseen;
            }
            if (f == 0.0) return {skies[k].bodyAltDeg[b], skies[k].bodyAzDeg[b]};
            const astro::SkyState& s0 = skies[k];
            const astro::SkyState& s1 = skies[k + 1];
            const double ra = s0.bodyRaHours[b] + f * hourStep(s0.bodyRaHours[b], s1.bodyRaHours[b]);
            const double dec = s0.bodyDecDeg[b] + f * (s1.bodyDecDeg[b] - s0.bodyDecDeg[b]);
            return astro::equatorialToHorizontal(ra, dec, st[k] + f * stStep[k], latDeg, lonDeg);
        };
        TrailPath proto;
        proto.object = TrailObject::Body;
        proto.index = b;
        proto.colour = mixColour(rule.colour, background, kBodyTrailWeight);
        tracePaths(dir, n, positionAt, proto, trails.paths);
    }

    const std::size_t count = std::min(cat.stars.size(), static_cast<std::size_t>(catalog::kStarCount) + 1);
    // The limit at each sample, for the stars' many questions.
    std::vector<double> limits(n);
    for (std::size_t k = 0; k < n; ++k) limits[k] = limitAt(k, 0.0);
    const double brightest = *std::max_element(limits.begin(), limits.end());
    for (std::size_t i = 1; i < count; ++i) {
        const catalog::Star& star = cat.stars[i];
        if (star.mag > brightest) continue;  // never seen in the span
        const auto positionAt = [&](std::size_t k, double f) -> astro::Horizontal {
            if (star.mag > (f == 0.0 ? limits[k] : limitAt(k, f))) return kUnseen;
            return astro::equatorialToHorizontal(star.raHours, star.decDeg, st[k] + f * stStep[k], latDeg, lonDeg);
        };
        TrailPath proto;
        proto.object = TrailObject::Star;
        proto.index = static_cast<int>(i);
        proto.colour = mixColour(kStarColour, background, starTrailWeight(star.mag));
        tracePaths(dir, n, positionAt, proto, trails.paths);
    }
    return trails;
}

void drawTrails(const Trails& trails, Painter& painter) {
    for (const TrailPath& path : trails.paths) {
        for (std::size_t i = 1; i < path.points.size(); ++i) {
            const PicturePoint& a = path.points[i - 1];
            const PicturePoint& b = path.points[i];
            painter.line(a.x, a.y, b.x, b.y, path.colour);
        }
    }
}

}  // namespace view
