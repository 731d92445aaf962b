#include <gtest/gtest.h>

#include <cmath>

#include "view/picture.h"
#include "view/projection.h"

namespace {

using view::Direction;
using view::project;

// The projection written with arc cosines instead of arctangent quotients,
// as an independent check of the formula.
view::Projected reference(double centre, bool wrap, double eps, double h, double a) {
    constexpr double rad = M_PI / 180.0;
    if (wrap && a > 180.0) a -= 360.0;
    const double rel = a - centre;
    const double d = std::fabs(rel) - eps;
    const double z = std::acos(std::cos(h * rad) * std::cos(d / 2.0 * rad)) / rad;
    const double q = std::sin(h * rad) / std::sin(z * rad);
    const double theta = std::acos(q) / rad;
    double x = 1.7 * (d * std::cos(80.0 * rad) + 2.0 * z * std::sin(theta * rad)) / 2.0;
    if (rel < 0.0) x = -x;
    return {x, (h + z * q) / 2.0, true};
}

TEST(Projection, AgreesWithTheArcCosineFormInEveryDirection) {
    struct Dir {
        Direction dir;
        double centre;
        bool wrap;
        double eps;
    };
    const Dir dirs[] = {{Direction::South, 180, false, 1e-4},
                        {Direction::East, 90, false, 1e-4},
                        {Direction::West, 270, false, 1e-4},
                        {Direction::North, 0, true, 0.0}};
    double worst = 0.0;
    for (const Dir& d : dirs) {
        for (double h = 0.5; h < 89.6; h += 7.3) {
            for (double off = -89.0; off <= 89.0; off += 6.1) {
                const double a = std::fmod(d.centre + off + 360.0, 360.0);
                const view::Projected got = project(d.dir, h, a);
                const view::Projected want = reference(d.centre, d.wrap, d.eps, h, a);
                ASSERT_TRUE(got.visible) << h << " " << a;
                worst = std::max({worst, std::fabs(got.x - want.x), std::fabs(got.y - want.y)});
            }
        }
    }
    // The stored constants carry about 13 digits; 1e-9 of a degree is far
    // below a twip.
    EXPECT_LT(worst, 1e-9) << "largest difference " << worst;
}

TEST(Projection, HorizonAtTheCentreOfTheSouthViewIsJustRightOfTheOrigin) {
    const view::Projected p = view::project(view::Direction::South, 0.0, 180.0);
    ASSERT_TRUE(p.visible);
    const double expected = 1.7 * (-0.0001 * std::cos(1.39626340159544) + 0.0001) / 2.0;
    // z comes from 1 - c*c with c a hair below 1, which keeps only about four
    // digits here: a few 1e-9 of a degree, a millionth of a twip.
    EXPECT_NEAR(p.x, expected, 1e-8);
    EXPECT_GT(p.x, 0.0);
    EXPECT_NEAR(p.y, 0.0, 1e-12);
}

TEST(Projection, NinetyDegreesEitherSideIsTheEdgeOfTheView) {
    EXPECT_TRUE(view::project(view::Direction::South, 10.0, 90.0).visible);   // d = 89.9999
    EXPECT_FALSE(view::project(view::Direction::South, 10.0, 89.0).visible);  // d = 90.9999
    EXPECT_TRUE(view::project(view::Direction::South, 10.0, 270.0).visible);
    EXPECT_FALSE(view::project(view::Direction::South, 10.0, 271.0).visible);
    EXPECT_FALSE(view::project(view::Direction::East, 10.0, 359.0).visible);
    EXPECT_TRUE(view::project(view::Direction::West, 10.0, 359.0).visible);
    EXPECT_FALSE(view::project(view::Direction::North, 10.0, 180.0).visible);
    EXPECT_TRUE(view::project(view::Direction::North, 10.0, 270.0).visible);
    EXPECT_FALSE(view::project(view::Direction::North, 10.0, 269.0).visible);
}

TEST(Projection, RejectedPointsCarryTheMarkerInBothCoordinates) {
    for (Direction dir : {Direction::North, Direction::East, Direction::South, Direction::West}) {
        const view::Projected zenith = project(dir, 90.0, view::directionRule(dir).centreAzDeg + 10.0);
        EXPECT_FALSE(zenith.visible);
        EXPECT_EQ(zenith.x, 999.0);
        EXPECT_EQ(zenith.y, 999.0);
    }
    EXPECT_FALSE(view::project(view::Direction::North, 30.0, 0.0).visible);  // no epsilon in the north view
    EXPECT_TRUE(view::project(view::Direction::North, 30.0, 0.5).visible);
}

TEST(Projection, NonFiniteInputIsRejectedWithFiniteOutput) {
    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)}) {
        for (const view::Projected p : {view::project(view::Direction::South, bad, 180.0), view::project(view::Direction::South, 20.0, bad),
                                         view::project(view::Direction::North, bad, bad)}) {
            EXPECT_FALSE(p.visible);
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
    }
}

TEST(Projection, NorthViewRunsContinuouslyThroughAzimuthZero) {
    const view::Projected left = view::project(view::Direction::North, 20.0, 350.0);
    const view::Projected right = view::project(view::Direction::North, 20.0, 10.0);
    ASSERT_TRUE(left.visible && right.visible);
    EXPECT_LT(left.x, 0.0);
    EXPECT_NEAR(left.x, -right.x, 1e-12);
    EXPECT_NEAR(left.y, right.y, 1e-12);
}

TEST(Projection, LeftOfTheViewDirectionIsNegativeInEveryView) {
    // Facing south, east is on the left; facing east, north is on the left.
    EXPECT_LT(view::project(view::Direction::South, 20.0, 150.0).x, 0.0);
    EXPECT_GT(view::project(view::Direction::South, 20.0, 210.0).x, 0.0);
    EXPECT_LT(view::project(view::Direction::East, 20.0, 60.0).x, 0.0);
    EXPECT_LT(view::project(view::Direction::West, 20.0, 240.0).x, 0.0);
    EXPECT_LT(view::project(view::Direction::North, 20.0, 300.0).x, 0.0);
}

TEST(Projection, HigherAltitudeIsHigherInThePicture) {
    double last = -1.0;
    for (double h = 0.0; h < 90.0; h += 5.0) {
        const view::Projected p = view::project(view::Direction::South, h, 200.0);
        ASSERT_TRUE(p.visible);
        EXPECT_GT(p.y, last) << h;
        last = p.y;
    }
}

TEST(Picture, MappingPutsTheCentreOfTheHorizonAtTheFrameCentre) {
    const view::PicturePoint o = view::toPicture({0.0, 0.0, true});
    EXPECT_EQ(o.x, 7000.0f);
    EXPECT_EQ(o.y, 9000.0f);
    const view::PicturePoint p = view::toPicture({2.0, 10.0, true});
    EXPECT_EQ(p.x, 7300.0f);
    EXPECT_EQ(p.y, 8200.0f);
    const view::PicturePoint hidden = view::toPicture({});
    EXPECT_EQ(hidden.x, static_cast<float>(7000.0 + 999.0 * 150.0));
}

TEST(GridDot, DotsAtAltitudeZeroAndAtTheZenithAreLeftOut) {
    for (int a = -90; a <= 90; a += 15) EXPECT_FALSE(view::gridDot(0.0, a, 1e-4).visible) << a;
    EXPECT_TRUE(view::gridDot(1.0, 0.0, 1e-4).visible);
    EXPECT_TRUE(view::gridDot(45.0, -90.0, 1e-5).visible);
    EXPECT_LT(view::gridDot(45.0, -30.0, 1e-5).x, 0.0);
    // The grid shares the projection's formula: a dot equals the south
    // projection of the same altitude and offset.
    const view::Projected dot = view::gridDot(30.0, 40.0, 1e-4);
    const view::Projected star = view::project(view::Direction::South, 30.0, 220.0);
    EXPECT_NEAR(dot.x, star.x, 1e-12);
    EXPECT_NEAR(dot.y, star.y, 1e-12);
}

}  // namespace
