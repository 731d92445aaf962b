// The four directions' projector: it places by the design's formula and
// mapping, reads its own picture back, and carries the design's frame.
#include <gtest/gtest.h>

#include <cmath>

#include "view/projection.h"
#include "view/projector.h"
#include "view/zenith_projector.h"

namespace {

constexpr view::Direction kDirections[] = {view::Direction::North, view::Direction::East, view::Direction::South,
                                           view::Direction::West};

// A picture point read back as a sky point and placed again lands where it
// was, to the half twip the read-back promises, over the whole drawn sky.
TEST(Projector, PicturePointToSkyAndBackForEachDirection) {
    for (const view::Direction dir : kDirections) {
        const view::Projector& p = view::projectorFor(dir);
        double worst = 0.0;
        int points = 0;
        for (float x = 150.0f; x < p.frame().widthTwips; x += 450.0f) {
            for (float y = 300.0f; y < p.frame().horizonY; y += 400.0f) {
                const std::optional<view::SkyPoint> sky = p.skyAt(x, y);
                if (!sky) continue;  // the corners beyond the projection's edge
                const view::Placed back = p.place(sky->altDeg, sky->azDeg);
                ASSERT_TRUE(back.visible) << x << " " << y;
                worst = std::max({worst, std::fabs(double(back.at.x) - x), std::fabs(double(back.at.y) - y)});
                ++points;
            }
        }
        EXPECT_GT(points, 500) << static_cast<int>(dir);
        EXPECT_LE(worst, 0.5) << static_cast<int>(dir);
        std::printf("direction %d: %d picture points, worst round trip %.4f twips\n", static_cast<int>(dir), points,
                    worst);
    }
}

TEST(Projector, PlacesByTheDesignFormulaAndKeepsTheDesignFrame) {
    for (const view::Direction dir : kDirections) {
        const view::Projector& p = view::projectorFor(dir);
        for (double alt = -10.0; alt <= 90.0; alt += 10.0) {
            for (double az = 0.0; az < 360.0; az += 7.5) {
                const view::Projected f = view::project(dir, alt, az);
                const view::Placed got = p.place(alt, az);
                const view::PicturePoint want = view::toPicture(f);
                ASSERT_EQ(got.visible, f.visible);
                ASSERT_EQ(got.at.x, want.x);  // bit for bit: the pictures stay identical
                ASSERT_EQ(got.at.y, want.y);
            }
        }
        const view::ViewFrame& f = p.frame();
        EXPECT_EQ(f.horizonY, 9000.0f);
        EXPECT_EQ(f.horizonX0, 0.0f);
        EXPECT_EQ(f.horizonX1, 15500.0f);
        ASSERT_EQ(f.labels.size(), 3u);
        EXPECT_EQ(f.labels[1].text, view::directionRule(dir).labels[1]);
        EXPECT_TRUE(p.inPicture({7000.0f, 100.0f}));
        EXPECT_FALSE(p.inPicture({7000.0f, 9100.0f}));  // under the horizon line
        EXPECT_FALSE(p.skyAt(NAN, 100.0));
    }
}

// The paper chart's altitude/azimuth lines: 13 azimuth lines and the 8
// altitude lines from 10 to 80 degrees (90 is the zenith, a point), each one
// unbroken run (the altitude lines once broke about 7 mm
// either side of the central meridian, where the formula leaves a dot out).
TEST(Projector, GridLinesRunUnbrokenThroughTheCentralMeridian) {
    const std::vector<std::vector<view::Vertex>>& lines = view::projectorFor(view::Direction::South).gridLines();
    ASSERT_EQ(lines.size(), 21u);
    for (std::size_t i = 13; i < lines.size(); ++i) {
        EXPECT_LT(lines[i].front().x, 7000.0f) << i;
        EXPECT_GT(lines[i].back().x, 7000.0f) << i;
        for (std::size_t k = 1; k < lines[i].size(); ++k)
            EXPECT_LT(std::fabs(lines[i][k].x - lines[i][k - 1].x), 600.0f) << i << " " << k;
    }
    // The screen's dots are the design's, the meridian's gaps included.
    EXPECT_EQ(view::projectorFor(view::Direction::North).gridDots().size(),
              view::projectorFor(view::Direction::South).gridDots().size());
}

// The all-sky circle: north up and east LEFT (the sky seen from below), the
// stereographic radius (a star due east at altitude 30 deg sits tan 30 deg
// of the radius left of the centre), the horizon as a circle with its eight
// labels outside it, the picture read back, and the Moon's vertical turned
// toward the centre.
TEST(ZenithProjector, OrientationRadiusFrameAndReadBack) {
    const view::Projector& p = view::projectorFor(view::Direction::Zenith);
    const float cx = view::kZenithCentreX, cy = view::kZenithCentreY, r = view::kZenithRadius;
    const auto near = [](view::PicturePoint a, float x, float y) {
        return std::fabs(a.x - x) < 0.05f && std::fabs(a.y - y) < 0.05f;
    };
    EXPECT_TRUE(near(p.place(90.0, 123.0).at, cx, cy));
    EXPECT_TRUE(near(p.place(0.0, 0.0).at, cx, cy - r));    // north at the top
    EXPECT_TRUE(near(p.place(0.0, 90.0).at, cx - r, cy));   // east at the left
    EXPECT_TRUE(near(p.place(0.0, 180.0).at, cx, cy + r));  // south at the bottom
    EXPECT_TRUE(near(p.place(0.0, 270.0).at, cx + r, cy));  // west at the right
    const view::PicturePoint east30 = p.place(30.0, 90.0).at;
    EXPECT_NEAR(east30.x, cx - r * std::tan(30.0 * M_PI / 180.0), 0.05);
    EXPECT_NEAR(east30.y, cy, 0.05);

    const view::ViewFrame& f = p.frame();
    ASSERT_TRUE(f.horizonCircle);
    EXPECT_EQ(f.horizonCircle->radius, r);
    ASSERT_EQ(f.labels.size(), 8u);
    for (const view::FrameLabel& l : f.labels) EXPECT_GT(std::hypot(l.xTwips + 90.0f - cx, l.yTwips + 105.0f - cy), r);
    EXPECT_TRUE(p.inPicture(p.place(0.5, 200.0).at));
    EXPECT_FALSE(p.inPicture(p.place(-0.5, 200.0).at));

    double worst = 0.0;
    for (double alt = 0.0; alt <= 90.0; alt += 5.0) {
        for (double az = 0.0; az < 360.0; az += 15.0) {
            const std::optional<view::SkyPoint> back = p.skyAt(p.place(alt, az).at.x, p.place(alt, az).at.y);
            ASSERT_TRUE(back);
            worst = std::max(worst, std::fabs(back->altDeg - alt));
            if (alt < 89.0) worst = std::max(worst, std::fabs(std::remainder(back->azDeg - az, 360.0)));
        }
    }
    EXPECT_LT(worst, 0.01);
    EXPECT_NEAR(p.upTurnDeg(40.0, 180.0), 360.0, 1e-12);  // looking south: the vertical is up
    EXPECT_NEAR(p.upTurnDeg(40.0, 0.0), 180.0, 1e-12);    // north of the zenith: upside down
    EXPECT_EQ(view::projectorFor(view::Direction::South).upTurnDeg(40.0, 100.0), 0.0);
}

}  // namespace
