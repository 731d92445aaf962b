// The free view's projector: it places and reads back every point, keeps
// the scale across equal to the scale up (so shapes are kept), keeps
// Orion's shape wherever Orion stands, and holds its field of view.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "astro/angles.h"
#include "astro/astro.h"
#include "catalog/catalog.h"
#include "view/free_projector.h"
#include "view/horizontal.h"
#include "view/projection.h"

namespace {

const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

double angleBetween(double alt1, double az1, double alt2, double az2) {
    const double a1 = alt1 * astro::kDegToRad, a2 = alt2 * astro::kDegToRad, d = (az2 - az1) * astro::kDegToRad;
    return std::acos(std::clamp(std::sin(a1) * std::sin(a2) + std::cos(a1) * std::cos(a2) * std::cos(d), -1.0, 1.0));
}

TEST(FreeProjector, PlacesAndReadsBackEveryPointAndKeepsScalesEqual) {
    for (const view::FreeLook look : {view::FreeLook{180, 35, 90}, view::FreeLook{30, 0, 60}, view::FreeLook{300, 80, 150},
                                      view::FreeLook{90, -20, 5}, view::FreeLook{0, 90, 180}}) {
        const auto p = view::freeProjector(look);
        for (double dAlt = -0.4; dAlt <= 0.4; dAlt += 0.2) {
            for (double dAz = -0.4; dAz <= 0.4; dAz += 0.2) {
                const double alt = std::clamp(look.altDeg + dAlt * look.fovDeg, -89.0, 89.0);
                const double az = look.azDeg + dAz * look.fovDeg;
                const view::Placed placed = p->place(alt, az);
                ASSERT_TRUE(placed.visible);
                const auto back = p->skyAt(placed.at.x, placed.at.y);
                ASSERT_TRUE(back);
                EXPECT_LT(angleBetween(alt, az, back->altDeg, back->azDeg) * astro::kRadToDeg,
                          0.05 / (p->frame().widthTwips / look.fovDeg))  // well under a twip
                    << look.azDeg << "," << look.altDeg << " at " << alt << "," << az;
                // Conformal: a small step east (scaled by cos alt) and a small
                // step up land equally far apart and at right angles.
                // (Central differences over about 40 twips, clear of the
                // float twips' rounding; near the zenith a step along the
                // altitude circle is no longer a straight step.)
                if (std::fabs(alt) > 75.0) continue;
                const double h = 40.0 * look.fovDeg / p->frame().widthTwips;
                const double across = h / std::cos(alt * astro::kDegToRad);
                const view::PicturePoint e1 = p->place(alt, az + across).at, e0 = p->place(alt, az - across).at;
                const view::PicturePoint u1 = p->place(alt + h, az).at, u0 = p->place(alt - h, az).at;
                const double ex = e1.x - e0.x, ey = e1.y - e0.y, ux = u1.x - u0.x, uy = u1.y - u0.y;
                const double le = std::hypot(ex, ey), lu = std::hypot(ux, uy);
                EXPECT_NEAR(le / lu, 1.0, 2e-3) << alt << "," << az;
                EXPECT_NEAR((ex * ux + ey * uy) / (le * lu), 0.0, 2e-3) << alt << "," << az;
            }
        }
    }
}

// Orion's four corner stars (Betelgeuse, Bellatrix, Saiph, Rigel) through
// one night over Tokyo: rising in the east, on the meridian, setting in the
// west. Looked at, their six distances keep their proportions within 1 %;
// the design's south and east pictures stretch them by far more.
TEST(FreeProjector, OrionKeepsItsShapeAtEveryAzimuth) {
    const std::array<int, 4> hr{2061, 1790, 2004, 1713};
    std::array<int, 4> rows{};
    for (std::size_t i = 0; i < hr.size(); ++i)
        for (std::size_t r = 1; r < cat().stars.size(); ++r)
            if (cat().stars[r].hr == hr[i]) rows[i] = static_cast<int>(r);
    const auto shape = [&](const astro::SkyState& sky, bool design, view::Direction dir) {
        std::array<astro::Horizontal, 4> at{};
        double sx = 0, sy = 0, sz = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const catalog::Star& s = cat().stars[static_cast<std::size_t>(rows[i])];
            at[i] = view::horizontal(sky, s.raHours, s.decDeg);
            const double a = at[i].altDeg * astro::kDegToRad, z = at[i].azDeg * astro::kDegToRad;
            sx += std::cos(a) * std::cos(z);
            sy += std::cos(a) * std::sin(z);
            sz += std::sin(a);
        }
        const view::FreeLook look{std::atan2(sy, sx) * astro::kRadToDeg,
                                  std::atan2(sz, std::hypot(sx, sy)) * astro::kRadToDeg, 60.0};
        const auto free = view::freeProjector(look);
        std::array<view::PicturePoint, 4> px{};
        for (std::size_t i = 0; i < 4; ++i)
            px[i] = design ? view::projectorFor(dir).place(at[i].altDeg, at[i].azDeg).at
                           : free->place(at[i].altDeg, at[i].azDeg).at;
        std::vector<double> d;
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t j = i + 1; j < 4; ++j) d.push_back(std::hypot(px[i].x - px[j].x, px[i].y - px[j].y));
        const double longest = *std::max_element(d.begin(), d.end());
        for (double& v : d) v /= longest;
        return d;
    };
    std::vector<std::vector<double>> shapes;
    for (int hour : {19, 21, 0, 3}) {
        astro::SkyInput in{.year = 2026, .month = hour < 12 ? 12 : 12, .day = hour < 12 ? 12.0 : 11.0,
                           .hour = double(hour), .latDeg = 35.65, .lonDeg = 139.75};
        shapes.push_back(shape(astro::computeSky(in), false, view::Direction::South));
    }
    for (std::size_t k = 1; k < shapes.size(); ++k)
        for (std::size_t i = 0; i < shapes[0].size(); ++i)
            EXPECT_NEAR(shapes[k][i] / shapes[0][i], 1.0, 0.01) << "night hour " << k << ", pair " << i;
    // The design's pictures do not keep it: east at 19:00 and south at 0:00.
    const astro::SkyState rising = astro::computeSky({.year = 2026, .month = 12, .day = 11, .hour = 19, .latDeg = 35.65, .lonDeg = 139.75});
    const astro::SkyState high = astro::computeSky({.year = 2026, .month = 12, .day = 12, .hour = 0, .latDeg = 35.65, .lonDeg = 139.75});
    const std::vector<double> east = shape(rising, true, view::Direction::East), south = shape(high, true, view::Direction::South);
    double worst = 0;
    for (std::size_t i = 0; i < east.size(); ++i) worst = std::max(worst, std::fabs(east[i] / south[i] - 1.0));
    EXPECT_GT(worst, 0.05);
}

TEST(FreeProjector, FieldOfViewSpansThePictureAndIsHeldToItsRange) {
    for (const double fov : {5.0, 60.0, 90.0, 180.0}) {
        const auto p = view::freeProjector({200.0, 0.0, fov});
        EXPECT_NEAR(p->place(0.0, 200.0 - fov / 2).at.x, 0.0, 0.5) << fov;
        EXPECT_NEAR(p->place(0.0, 200.0 + fov / 2).at.x, view::kSurfaceWidthTwips, 0.5) << fov;
        EXPECT_NEAR(p->place(0.0, 200.0).at.y, view::kSurfaceHeightTwips / 2, 0.5) << fov;
    }
    EXPECT_EQ(view::normalisedLook({-30.0, 120.0, 1.0}).fovDeg, view::kMinFovDeg);
    EXPECT_EQ(view::normalisedLook({-30.0, 120.0, 1.0}).azDeg, 330.0);
    EXPECT_EQ(view::normalisedLook({-30.0, 120.0, 1.0}).altDeg, 90.0);
    EXPECT_EQ(view::normalisedLook({0.0, 0.0, 500.0}).fovDeg, view::kMaxFovDeg);
    EXPECT_EQ(view::normalisedLook({NAN, NAN, NAN}).fovDeg, 90.0);
    // The horizon is level at the centre and the direction names sit on it.
    const auto p = view::freeProjector({180.0, 20.0, 120.0});
    bool south = false;
    for (const view::FrameLabel& l : p->frame().labels) south = south || l.text == "南";
    EXPECT_TRUE(south);
    EXPECT_NEAR(p->place(0.0, 175.0).at.y, p->place(0.0, 185.0).at.y, 0.01);
    EXPECT_NEAR(p->upTurnDeg(20.0, 180.0), 0.0, 1e-3);
    EXPECT_FALSE(p->inPicture(p->place(-5.0, 180.0).at));
    EXPECT_TRUE(p->inPicture(p->place(30.0, 180.0).at));
}

}  // namespace
