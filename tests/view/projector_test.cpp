// The four directions' projector: it places by the design's formula and
// mapping, reads its own picture back, and carries the design's frame.
#include <gtest/gtest.h>

#include <cmath>

#include "view/projection.h"
#include "view/projector.h"

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

}  // namespace
