#include <gtest/gtest.h>

#include "recording_painter.h"
#include "sky_fixture.h"
#include "view/figures.h"
#include "view/picture.h"

namespace {

using namespace viewtest;

struct FigureScene {
    astro::SkyState sky = poleSky(-20.0);
    catalog::Catalogue cat = emptyCatalogue();
    std::array<bool, 42> selected{};

    RecordingPainter draw(view::Direction dir = view::Direction::South) {
        RecordingPainter p;
        view::drawFigures(dir, sky, cat, selected, p);
        return p;
    }
    view::PicturePoint where(double alt, double az) { return view::toPicture(view::project(view::Direction::South, alt, az)); }
};

TEST(Figures, NothingSelectedDrawsNothing) {
    FigureScene s;
    const int a = addStar(s.cat, 20, 170), b = addStar(s.cat, 30, 190);
    s.cat.constellations[5].nodes = {static_cast<std::int16_t>(a), static_cast<std::int16_t>(b), 0};
    EXPECT_TRUE(s.draw().calls.empty());
}

TEST(Figures, SegmentsBreakAtMinusOneAndTheLabelFollowsTheLastStar) {
    FigureScene s;
    const int a = addStar(s.cat, 20, 170), b = addStar(s.cat, 30, 180), c = addStar(s.cat, 25, 190);
    const int d = addStar(s.cat, 40, 160), e = addStar(s.cat, 45, 200);
    s.cat.constellations[13].nodes = {std::int16_t(a), std::int16_t(b), std::int16_t(c), -1,
                                      std::int16_t(d), std::int16_t(e), 0};
    s.cat.constellations[13].labelOffsetTwips = 120;
    s.selected[13] = true;
    const RecordingPainter p = s.draw();
    const auto lines = p.of(Op::Line, view::kFigureColour);
    ASSERT_EQ(lines.size(), 3u);  // a-b, b-c, d-e; nothing across the break
    const view::PicturePoint pc = s.where(25, 190), pd = s.where(40, 160), pe = s.where(45, 200);
    EXPECT_EQ(lines[1].x2, pc.x);
    EXPECT_EQ(lines[2].x1, pd.x);
    const auto labels = p.labels();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "C13");
    EXPECT_EQ(labels[0].x, pe.x + 80.0f);
    EXPECT_EQ(labels[0].y, pe.y + 120.0f);
}

TEST(Figures, LastSegmentBelowTheHorizonMeansNoLabel) {
    FigureScene s;
    const int a = addStar(s.cat, 20, 170), b = addStar(s.cat, 30, 180), c = addStar(s.cat, -5, 190);
    s.cat.constellations[13].nodes = {std::int16_t(a), std::int16_t(b), std::int16_t(c), 0};
    s.selected[13] = true;
    const RecordingPainter p = s.draw();
    EXPECT_EQ(p.of(Op::Line, view::kFigureColour).size(), 1u);
    EXPECT_TRUE(p.labels().empty());
}

TEST(Figures, PairWithItsFirstStarDownIsNotDrawnFromStalePositions) {
    FigureScene s;
    const int a = addStar(s.cat, 20, 170), b = addStar(s.cat, 30, 180);
    const int down = addStar(s.cat, -10, 185), c = addStar(s.cat, 35, 195);
    s.cat.constellations[13].nodes = {std::int16_t(a), std::int16_t(b), -1, std::int16_t(down), std::int16_t(c), 0};
    s.selected[13] = true;
    const RecordingPainter p = s.draw();
    const auto lines = p.of(Op::Line, view::kFigureColour);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x1, s.where(20, 170).x);
    EXPECT_TRUE(p.labels().empty());
}

TEST(Figures, SegmentWithOneEndBehindTheObserverIsDroppedButLabelled) {
    FigureScene s;
    const int a = addStar(s.cat, 30, 180), behind = addStar(s.cat, 30, 60), b = addStar(s.cat, 40, 200);
    s.cat.constellations[13].nodes = {std::int16_t(a), std::int16_t(behind), std::int16_t(b), 0};
    s.selected[13] = true;
    const RecordingPainter p = s.draw();
    EXPECT_TRUE(p.of(Op::Line).empty()) << "both segments touch the star behind the observer";
    // The last pair is above the horizon, so its label is printed, at the
    // second star of the pair.
    ASSERT_EQ(p.labels().size(), 1u);
    EXPECT_EQ(p.labels()[0].x, s.where(40, 200).x + 80.0f);
    // The same figure seen toward the east holds the star at azimuth 60.
    const RecordingPainter east = s.draw(view::Direction::East);
    EXPECT_EQ(east.of(Op::Line).size(), 0u) << "the south stars are outside the east view's picture";
}

TEST(Figures, SingleStarConstellationsAreLabelledAtTheirStar) {
    for (int i : {view::kSingleStarAries, view::kSingleStarPsA}) {
        FigureScene s;
        const int up = addStar(s.cat, 25, 175);
        s.cat.constellations[i].nodes = {std::int16_t(up), -1, 0};
        s.cat.constellations[i].labelOffsetTwips = 40;
        s.selected[i] = true;
        RecordingPainter p = s.draw();
        EXPECT_TRUE(p.of(Op::Line).empty());
        ASSERT_EQ(p.labels().size(), 1u) << i;
        EXPECT_EQ(p.labels()[0].x, s.where(25, 175).x + 80.0f);
        EXPECT_EQ(p.labels()[0].y, s.where(25, 175).y + 40.0f);

        s.cat.stars[static_cast<std::size_t>(up)] = starAt(-1, 175);
        EXPECT_TRUE(s.draw().labels().empty()) << i;
    }
}

TEST(Figures, AFigureWithoutSegmentsDoesNotInheritTheLabelPlaceOfTheOneBefore) {
    FigureScene s;
    const int a = addStar(s.cat, 20, 170), b = addStar(s.cat, 30, 180), lone = addStar(s.cat, 35, 200);
    s.cat.constellations[4].nodes = {std::int16_t(a), std::int16_t(b), 0};
    s.cat.constellations[5].nodes = {std::int16_t(lone), -1, 0};
    s.selected[4] = s.selected[5] = true;
    const auto labels = s.draw().labels();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "C4");
}

TEST(Figures, MalformedFiguresAreReadSafely) {
    FigureScene s;
    const int a = addStar(s.cat, 20, 170), b = addStar(s.cat, 30, 180);
    s.cat.constellations[1].nodes = {std::int16_t(a), std::int16_t(b)};          // no closing 0
    s.cat.constellations[2].nodes = {std::int16_t(a), 9999, std::int16_t(b), 0};  // no such star
    s.cat.constellations[3].nodes = {};
    s.selected[1] = s.selected[2] = s.selected[3] = true;
    const RecordingPainter p = s.draw();
    EXPECT_EQ(p.of(Op::Line).size(), 1u);
}

}  // namespace
