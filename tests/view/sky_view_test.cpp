#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "recording_painter.h"
#include "sky_fixture.h"
#include "view/figures.h"
#include "view/meteors.h"
#include "view/moon.h"
#include "view/picture.h"
#include "view/sky_view.h"

namespace {

using namespace viewtest;
using view::Direction;

struct Drawn {
    RecordingPainter painter;
};

RecordingPainter draw(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat,
                      const view::ViewOptions& opt, unsigned long long seed = 1) {
    RecordingPainter p;
    view::MeteorRng rng(seed);
    view::drawView(dir, sky, cat, opt, rng, p);
    return p;
}

// A sky with every body up, in the south, at distinct places, and a
// catalogue with two stars and one figure.
struct Scene {
    astro::SkyState sky;
    catalog::Catalogue cat = emptyCatalogue();
    view::ViewOptions opt;

    explicit Scene(double sunAlt) : sky(poleSky(sunAlt)) {
        const double az[] = {150, 165, 175, 185, 195, 205};
        for (int b = 1; b < astro::kBodyCount; ++b) {
            sky.bodyAltDeg[b] = 20.0 + b;
            sky.bodyAzDeg[b] = az[b];
        }
        sky.bodyAzDeg[astro::Sun] = 180.0;
        const int s1 = addStar(cat, 30.0, 170.0, "Alpha", 1.0);
        const int s2 = addStar(cat, 35.0, 190.0, "", 3.0);
        cat.constellations[13].nodes = {static_cast<std::int16_t>(s1), static_cast<std::int16_t>(s2), 0};
        opt.selected[13] = true;
        // A shower peaking today with its radiant high in the south.
        cat.showers.push_back({"test", 8, 12, starAt(60.0, 180.0).raHours, 60.0, 20000});
        opt.year = 2026;
        opt.month = 8;
        opt.day = 12;
        opt.stepMinutes = 60;
    }
    void tickAll() {
        opt.equator = opt.ecliptic = opt.altAzLines = opt.starNames = opt.constellations = opt.meteors = true;
    }
};

bool hasFigureLine(const RecordingPainter& p) { return !p.of(Op::Line, view::kFigureColour).empty(); }
bool hasMeteor(const RecordingPainter& p) { return !p.of(Op::Line, view::kMeteorHeadColour).empty(); }

TEST(SkyView, BeginsWithClearHorizonAndSolidFill) {
    Scene s(-10.0);
    const RecordingPainter p = draw(Direction::South, s.sky, s.cat, s.opt);
    ASSERT_GE(p.calls.size(), 3u);
    EXPECT_EQ(p.calls[0].op, Op::Clear);
    const Call& horizon = p.calls[1];
    EXPECT_EQ(horizon.op, Op::Line);
    EXPECT_EQ(horizon.x1, 0.0f);
    EXPECT_EQ(horizon.x2, 15500.0f);
    EXPECT_EQ(horizon.y1, 9000.0f);
    EXPECT_EQ(horizon.y2, 9000.0f);
    EXPECT_EQ(horizon.colour, (view::Rgb{88, 88, 88}));
    EXPECT_EQ(p.calls[2].op, Op::FillSolid);
    EXPECT_EQ(std::count_if(p.calls.begin(), p.calls.end(), [](const Call& c) { return c.op == Op::Clear; }), 1);
}

TEST(SkyView, NoBoxTickedAtNightGivesBodiesStarsAndTheThreeLabelsOnly) {
    Scene s(-10.0);
    const RecordingPainter p = draw(Direction::South, s.sky, s.cat, s.opt);
    EXPECT_TRUE(p.of(Op::Point).size() == 2402u) << "only the Moon's outline dots";
    EXPECT_EQ(p.of(Op::Disc, view::kBodyColour).size(), 4u);  // Venus, Mars, Jupiter, Saturn
    EXPECT_EQ(p.of(Op::Disc, view::kStarColour).size(), 2u);
    EXPECT_FALSE(hasFigureLine(p));
    EXPECT_FALSE(hasMeteor(p));
    const auto labels = p.labels();
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0].text, "南東");
    EXPECT_EQ(labels[1].text, "南");
    EXPECT_EQ(labels[2].text, "南西");
    EXPECT_EQ(labels[0].x, 2400.0f);
    EXPECT_EQ(labels[1].x, 6950.0f);
    EXPECT_EQ(labels[2].x, 11300.0f);
    for (const auto& l : labels) EXPECT_EQ(l.y, 9100.0f);
}

TEST(SkyView, DirectionLabelsFollowTheView) {
    Scene s(-10.0);
    const std::pair<Direction, std::vector<std::string>> cases[] = {
        {Direction::North, {"北西", "北", "北東"}},
        {Direction::East, {"東北", "東", "東南"}},
        {Direction::West, {"西南", "西", "西北"}},
    };
    for (const auto& [dir, want] : cases) {
        const auto labels = draw(dir, s.sky, s.cat, s.opt).labels();
        ASSERT_EQ(labels.size(), 3u);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(labels[i].text, want[i]);
    }
}

TEST(SkyView, ByDayOnlyTheSunMoonAndVenusAreDrawn) {
    Scene s(10.0);
    s.tickAll();
    const RecordingPainter p = draw(Direction::South, s.sky, s.cat, s.opt);
    const auto bodies = p.of(Op::Disc, view::kBodyColour);
    ASSERT_EQ(bodies.size(), 2u);  // the Sun and Venus; the Moon has no disc
    EXPECT_EQ(bodies[0].radius, 150.0f);
    EXPECT_EQ(bodies[1].radius, 50.0f);
    EXPECT_TRUE(p.of(Op::Disc, view::kStarColour).empty());
    EXPECT_FALSE(hasFigureLine(p));
    EXPECT_FALSE(hasMeteor(p)) << "no shooting stars by day";
    EXPECT_FALSE(p.of(Op::Point, view::kGridColourDay).empty());
    EXPECT_TRUE(p.of(Op::Point, view::kGridColourNight).empty());
    std::vector<std::string> texts;
    for (const auto& l : p.labels()) texts.push_back(l.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"太陽", "月", "金星", "南東", "南", "南西"}));
}

TEST(SkyView, SunExactlyOnTheHorizonCountsAsDayAndNight) {
    Scene s(0.0);
    s.tickAll();
    const RecordingPainter p = draw(Direction::South, s.sky, s.cat, s.opt);
    // The Sun is drawn; Mars, Jupiter, Saturn and the stars are too.
    EXPECT_EQ(p.of(Op::Disc, view::kBodyColour).size(), 5u);
    EXPECT_EQ(p.of(Op::Disc, view::kStarColour).size(), 2u);
    // Figures and shooting stars need the Sun below the horizon.
    EXPECT_FALSE(hasFigureLine(p));
    EXPECT_FALSE(hasMeteor(p));
    // The grid takes the day colour, the ecliptic both of its colours.
    EXPECT_FALSE(p.of(Op::Point, view::kGridColourDay).empty());
    EXPECT_FALSE(p.of(Op::Point, view::kEclipticColourNight).empty());
    EXPECT_FALSE(p.of(Op::Point, view::kEclipticColourDay).empty());
}

TEST(SkyView, StepsComeInTheirOrder) {
    Scene s(-10.0);
    s.tickAll();
    const RecordingPainter p = draw(Direction::South, s.sky, s.cat, s.opt);
    auto firstIndex = [&](auto pred) {
        for (std::size_t i = 0; i < p.calls.size(); ++i)
            if (pred(p.calls[i])) return static_cast<long>(i);
        return -1L;
    };
    auto lastIndex = [&](auto pred) {
        for (std::size_t i = p.calls.size(); i-- > 0;)
            if (pred(p.calls[i])) return static_cast<long>(i);
        return -1L;
    };
    const auto isGrid = [](const Call& c) { return c.op == Op::Point && c.colour == view::kGridColourNight; };
    const auto isCircle = [](const Call& c) {
        return c.op == Op::Point && (c.colour == view::kEquatorColour || c.colour == view::kEclipticColourNight);
    };
    const auto isMoon = [](const Call& c) { return c.op == Op::Line && c.colour == view::kMoonLitColour; };
    const auto isPlanet = [](const Call& c) { return c.op == Op::Disc && c.colour == view::kBodyColour; };
    const auto isStar = [](const Call& c) { return c.op == Op::Disc && c.colour == view::kStarColour; };
    const auto isDirLabel = [](const Call& c) { return c.op == Op::Text && c.text == "南東"; };
    const auto isFigure = [](const Call& c) { return c.op == Op::Line && c.colour == view::kFigureColour; };
    const auto isMeteor = [](const Call& c) { return c.op == Op::Line && c.colour == view::kMeteorHeadColour; };
    const long order[] = {lastIndex(isGrid),   firstIndex(isCircle), lastIndex(isCircle), firstIndex(isMoon),
                          firstIndex(isPlanet), lastIndex(isPlanet),  firstIndex(isStar), lastIndex(isStar),
                          firstIndex(isDirLabel), firstIndex(isFigure), lastIndex(isFigure), firstIndex(isMeteor)};
    for (long i : order) ASSERT_GE(i, 0);
    EXPECT_TRUE(std::is_sorted(std::begin(order), std::end(order)));
}

TEST(SkyView, BodyLabelsSitBesideTheirDiscs) {
    Scene s(-10.0);
    s.opt.starNames = true;
    s.sky.bodyAltDeg[astro::Sun] = -0.5;
    const RecordingPainter p = draw(Direction::South, s.sky, s.cat, s.opt);
    const auto discs = p.of(Op::Disc, view::kBodyColour);
    const auto labels = p.labels();
    ASSERT_GE(labels.size(), 5u);
    EXPECT_EQ(labels[0].text, "月");
    const view::PicturePoint moon = view::toPicture(view::project(view::Direction::South, s.sky.bodyAltDeg[1], s.sky.bodyAzDeg[1]));
    EXPECT_EQ(labels[0].x, moon.x + 160.0f);
    EXPECT_EQ(labels[1].text, "金星");
    EXPECT_EQ(labels[1].x, discs[0].x1 + 80.0f);
    EXPECT_EQ(labels[1].y, discs[0].y1);
    EXPECT_EQ(labels[4].text, "土星");
    EXPECT_EQ(discs[3].radius, 40.0f);
    EXPECT_EQ(labels[5].text, "Alpha");
    EXPECT_EQ(p.of(Op::Disc, view::kStarColour)[0].radius, 40.0f);  // magnitude 1
}

TEST(SkyView, BodiesBelowTheHorizonAreNeitherDrawnNorLabelled) {
    Scene s(-10.0);
    s.opt.starNames = true;
    for (int b = 1; b < astro::kBodyCount; ++b) s.sky.bodyAltDeg[b] = -0.001;
    const RecordingPainter p = draw(Direction::South, s.sky, s.cat, s.opt);
    EXPECT_TRUE(p.of(Op::Disc, view::kBodyColour).empty());
    EXPECT_TRUE(p.of(Op::Line, view::kMoonLitColour).empty());
    for (const auto& l : p.labels()) EXPECT_TRUE(l.text != "月" && l.text != "金星" && l.text != "土星");
}

// The equator box marks the equator and the ecliptic box the ecliptic, by day
// as by night: the dots lie at the same places whatever the Sun does.
TEST(SkyView, CircleDotsDoNotSwapCirclesByDay) {
    astro::SkyState night = poleSky(-10.0);
    night.obsLatDeg = 35.0;
    night.siderealTimeHours = 5.0;
    astro::SkyState day = night;
    day.bodyAltDeg[astro::Sun] = 10.0;
    const catalog::Catalogue cat = emptyCatalogue();
    auto positions = [&](const astro::SkyState& sky, bool equator, bool ecliptic) {
        view::ViewOptions opt;
        opt.equator = equator;
        opt.ecliptic = ecliptic;
        std::set<std::pair<float, float>> out;
        for (const Call& c : draw(Direction::South, sky, cat, opt).of(Op::Point)) out.insert({c.x1, c.y1});
        return out;
    };
    const auto equatorNight = positions(night, true, false);
    const auto eclipticNight = positions(night, false, true);
    ASSERT_FALSE(equatorNight.empty());
    ASSERT_FALSE(eclipticNight.empty());
    EXPECT_NE(equatorNight, eclipticNight);
    EXPECT_EQ(positions(day, true, false), equatorNight);
    EXPECT_EQ(positions(day, false, true), eclipticNight);
    // Colours: equator red, ecliptic yellow (a lighter yellow by night).
    view::ViewOptions both;
    both.equator = both.ecliptic = true;
    const RecordingPainter p = draw(Direction::South, day, cat, both);
    for (const Call& c : p.of(Op::Point)) {
        EXPECT_TRUE(c.colour == view::kEquatorColour || c.colour == view::kEclipticColourDay);
    }
}

TEST(SkyView, CircleDotSetsFillColourBeforeEachDot) {
    astro::SkyState sky = poleSky(-10.0);
    sky.obsLatDeg = 35.0;
    view::ViewOptions opt;
    opt.equator = true;
    const RecordingPainter p = draw(Direction::South, sky, emptyCatalogue(), opt);
    int dots = 0;
    for (std::size_t i = 0; i < p.calls.size(); ++i) {
        if (p.calls[i].op != Op::Point) continue;
        ++dots;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(p.calls[i - 1].op, Op::Fill);
        EXPECT_EQ(p.calls[i - 1].colour, p.calls[i].colour);
    }
    EXPECT_GT(dots, 90);
}

TEST(SkyView, GridIsTheSameInEveryViewAndAvoidsTheHorizon) {
    const astro::SkyState sky = poleSky(-10.0);
    const catalog::Catalogue cat = emptyCatalogue();
    view::ViewOptions opt;
    opt.altAzLines = true;
    std::vector<std::pair<float, float>> first;
    for (Direction dir : {Direction::North, Direction::East, Direction::South, Direction::West}) {
        std::vector<std::pair<float, float>> dots;
        for (const Call& c : draw(dir, sky, cat, opt).of(Op::Point, view::kGridColourNight)) {
            dots.push_back({c.x1, c.y1});
            EXPECT_LT(c.y1, 9000.0f) << "no grid dot on the horizon";
        }
        if (first.empty()) first = dots;
        EXPECT_EQ(dots, first);
    }
    // 13 azimuth lines of altitudes 1..89 plus 9 altitude lines of 91 dots,
    // less the dots the guards leave out near the zenith.
    EXPECT_GT(first.size(), 13u * 89u);
    EXPECT_LE(first.size(), 13u * 90u + 9u * 91u);
}

}  // namespace
