#include <gtest/gtest.h>

#include <cmath>

#include "recording_painter.h"
#include "tests/support/checking_painter.h"
#include "view/moon.h"

namespace {

using namespace viewtest;

constexpr float kCx = 5000.0f, kCy = 4000.0f;

RecordingPainter moon(double k, double phi) {
    RecordingPainter p;
    view::drawMoon(kCx, kCy, k, phi, p);
    return p;
}

double radiusOf(float x, float y) { return std::hypot(x - kCx, y - kCy); }

TEST(Moon, DrawsAllChordsThenAllOutlineDots) {
    const RecordingPainter p = moon(0.3, 40.0);
    ASSERT_EQ(p.calls.size(), 1201u * 3u);
    for (std::size_t i = 0; i < 1201; ++i) {
        EXPECT_EQ(p.calls[i].op, Op::Line);
        EXPECT_EQ(p.calls[i].colour, view::kMoonLitColour);
    }
    for (std::size_t i = 1201; i < p.calls.size(); ++i) {
        EXPECT_EQ(p.calls[i].op, Op::Point);
        EXPECT_EQ(p.calls[i].colour, view::kMoonOutlineColour);
    }
}

TEST(Moon, NewMoonPaintsNothingButTheLimbDots) {
    const RecordingPainter p = moon(0.0, 0.0);
    for (const Call& c : p.of(Op::Line)) {
        EXPECT_NEAR(c.x1, c.x2, 1e-3);
        EXPECT_NEAR(c.y1, c.y2, 1e-3);
    }
    // Terminator and limb dots coincide on the upper half of the rim.
    const auto dots = p.of(Op::Point);
    for (std::size_t i = 0; i + 1 < dots.size(); i += 2) {
        EXPECT_NEAR(dots[i].x1, dots[i + 1].x1, 1e-3);
        EXPECT_NEAR(dots[i].y1, dots[i + 1].y1, 1e-3);
        EXPECT_NEAR(radiusOf(dots[i].x1, dots[i].y1), 150.0, 0.01);
        EXPECT_LE(dots[i].y1, kCy + 1e-3);
    }
}

TEST(Moon, HalfMoonIsLitOnTheLimbSideOfTheDiameter) {
    // phi = 0: the lit limb faces up, the terminator is the horizontal diameter.
    for (const Call& c : moon(0.5, 0.0).of(Op::Line)) {
        EXPECT_NEAR(c.y1, kCy, 1e-3);  // terminator end
        EXPECT_LE(c.y2, kCy + 1e-3);   // limb end, above
    }
    // phi = 90: the lit limb on the left.
    for (const Call& c : moon(0.5, 90.0).of(Op::Line)) {
        EXPECT_NEAR(c.x1, kCx, 0.01);
        EXPECT_LE(c.x2, kCx + 0.01);
    }
}

TEST(Moon, FullMoonChordsSpanTheDisc) {
    const RecordingPainter p = moon(1.0, 123.0);
    double longest = 0.0;
    for (const Call& c : p.of(Op::Line)) {
        EXPECT_NEAR(radiusOf(c.x1, c.y1), radiusOf(c.x2, c.y2), 0.01);
        EXPECT_LE(radiusOf(c.x1, c.y1), 150.01);
        longest = std::max(longest, static_cast<double>(std::hypot(c.x2 - c.x1, c.y2 - c.y1)));
    }
    EXPECT_NEAR(longest, 300.0, 0.01);
    for (const Call& c : p.of(Op::Point)) EXPECT_NEAR(radiusOf(c.x1, c.y1), 150.0, 0.01);
}

TEST(Moon, EdgeOfTheScanTouchesTheRim) {
    const RecordingPainter p = moon(0.7, 0.0);
    const Call& first = p.calls.front();  // u = -R: w = 0
    EXPECT_NEAR(first.x1, kCx - 150.0f, 1e-3);
    EXPECT_NEAR(first.x2, kCx - 150.0f, 1e-3);
    EXPECT_NEAR(first.y1, kCy, 1e-3);
}

TEST(Moon, BadPhaseNumbersStillGiveFiniteDrawing) {
    for (double k : {double(NAN), -1.0, 2.0, double(INFINITY)}) {
        for (double phi : {double(NAN), 1e300, -double(INFINITY), 720.0}) {
            testsupport::CheckingPainter f;
            view::drawMoon(kCx, kCy, k, phi, f);
            EXPECT_EQ(f.nonFinite, 0);
            EXPECT_EQ(f.calls, 3603);
        }
    }
}

}  // namespace
