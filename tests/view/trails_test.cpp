// Star trails against the pictures of single moments: a trail must pass
// through the position each picture draws its object at, stay smooth between
// samples, and end exactly where the object leaves the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

#include "astro/astro.h"
#include "recording_painter.h"
#include "sky_fixture.h"
#include "view/natural_sky.h"
#include "view/picture.h"
#include "view/projection.h"
#include "view/sky_view.h"
#include "view/trails.h"

namespace {

using namespace viewtest;
using view::Direction;

constexpr double kPixelTwips = 15.0;          // one pixel at scale 1
constexpr double kScale4PixelTwips = 3.75;    // one pixel at scale 4
constexpr view::Rgb kNightSky{32, 96, 192};

// 2026-01-15 20:00 JST over Tokyo, plus `minutes` (the pass carries them).
astro::SkyInput tokyoAt(double minutes) {
    return {.year = 2026, .month = 1, .day = 15, .hour = 20, .minute = minutes, .latDeg = 35.65, .lonDeg = 139.75};
}

std::vector<astro::SkyState> samples(double startMinutes, int spanMinutes) {
    std::vector<astro::SkyState> skies;
    for (const int m : view::trailSampleOffsets(spanMinutes)) skies.push_back(astro::computationPass(tokyoAt(startMinutes + m)));
    return skies;
}

catalog::Catalogue oneStar(double raHours, double decDeg, double mag = 1.0) {
    catalog::Catalogue cat = emptyCatalogue();
    catalog::Star star;
    star.raHours = raHours;
    star.decDeg = decDeg;
    star.mag = mag;
    cat.stars.push_back(star);
    cat.starLabel.push_back("");
    return cat;
}

// Where the picture of one moment draws the catalogue's only star, if it
// shows it: a star the projection rejects is drawn at the far-away marker
// position, outside every picture.
std::optional<view::PicturePoint> drawnStar(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat) {
    RecordingPainter p;
    view::MeteorRng rng(1);
    view::drawView(dir, sky, cat, {}, rng, p);
    const auto discs = p.of(Op::Disc, view::kStarColour);
    if (discs.empty() || discs[0].x1 > 100000.0f) return std::nullopt;
    return view::PicturePoint{discs[0].x1, discs[0].y1};
}

std::vector<const view::TrailPath*> pathsOf(const view::Trails& t, view::TrailObject object, int index) {
    std::vector<const view::TrailPath*> out;
    for (const auto& p : t.paths)
        if (p.object == object && p.index == index) out.push_back(&p);
    return out;
}

// Distance from a point to the nearest segment of the paths, twips.
double distanceToPaths(const std::vector<const view::TrailPath*>& paths, view::PicturePoint q) {
    double best = std::numeric_limits<double>::infinity();
    for (const auto* path : paths) {
        for (std::size_t i = 1; i < path->points.size(); ++i) {
            const double ax = path->points[i - 1].x, ay = path->points[i - 1].y;
            const double dx = path->points[i].x - ax, dy = path->points[i].y - ay;
            const double len2 = dx * dx + dy * dy;
            double t = len2 > 0.0 ? ((q.x - ax) * dx + (q.y - ay) * dy) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            best = std::min(best, std::hypot(q.x - (ax + t * dx), q.y - (ay + t * dy)));
        }
    }
    return best;
}

TEST(Trails, PassThroughTheDrawnPositionsAtStartMiddleAndEnd) {
    // Sirius in the south, Betelgeuse high in the south-east.
    struct Case {
        double raHours, decDeg;
        Direction dir;
    };
    for (const Case c : {Case{6.75503, -16.7208, Direction::South}, Case{5.92269, 7.4075, Direction::South},
                         Case{5.92269, 7.4075, Direction::East}}) {
        const catalog::Catalogue cat = oneStar(c.raHours, c.decDeg);
        const auto skies = samples(0.0, 180);
        const view::Trails trails = view::computeTrails(c.dir, skies, cat, kNightSky);
        const auto paths = pathsOf(trails, view::TrailObject::Star, 1);
        ASSERT_FALSE(paths.empty());
        double worst = 0.0;
        for (const std::size_t k : {std::size_t{0}, skies.size() / 2, skies.size() - 1}) {
            const auto at = drawnStar(c.dir, skies[k], cat);
            if (!at) continue;
            worst = std::max(worst, distanceToPaths(paths, *at));
        }
        // The samples are the trail's corners, so the distance is rounding only.
        EXPECT_LT(worst, 0.01) << "RA " << c.raHours;
        // The end of the last piece is where the end picture draws the star.
        if (const auto end = drawnStar(c.dir, skies.back(), cat)) {
            EXPECT_FLOAT_EQ(paths.back()->points.back().x, end->x);
            EXPECT_FLOAT_EQ(paths.back()->points.back().y, end->y);
        }
    }
}

TEST(Trails, StopExactlyAtTheHorizonWhenTheStarSets) {
    // Sirius sets in the west before 02:00; follow it toward the west for
    // eight hours from 20:00.
    const catalog::Catalogue cat = oneStar(6.75503, -16.7208);
    const auto skies = samples(0.0, 8 * 60);
    const view::Trails trails = view::computeTrails(Direction::West, skies, cat, kNightSky);
    const auto paths = pathsOf(trails, view::TrailObject::Star, 1);
    ASSERT_EQ(paths.size(), 1u);
    const auto& pts = paths[0]->points;
    for (const auto& p : pts) EXPECT_LE(p.y, view::kHorizonY + 1e-3);
    EXPECT_NEAR(pts.back().y, view::kHorizonY, 0.5) << "the trail reaches the horizon line";
    // Sirius enters the west view at due south (the view's left edge) and
    // sets later: the piece holds every drawn sample and the two crossings.
    std::size_t drawn = 0;
    for (const auto& sky : skies) drawn += drawnStar(Direction::West, sky, cat) ? 1 : 0;
    EXPECT_EQ(pts.size(), drawn + 2);
    EXPECT_GT(drawn, 30u);
}

TEST(Trails, CircumpolarStarFollowsItsCircleBetweenSamplesOnTheNorthView) {
    // A star of Cassiopeia, 29 degrees from the pole, never sets at 35.65 N.
    const catalog::Catalogue cat = oneStar(0.94870, 60.7356);
    const auto skies = samples(0.0, 24 * 60);
    const view::Trails trails = view::computeTrails(Direction::North, skies, cat, kNightSky);
    const auto paths = pathsOf(trails, view::TrailObject::Star, 1);
    ASSERT_FALSE(paths.empty());
    // The pole's drawn position: azimuth 0 itself is the one point the north
    // view cannot place, so take it a thousandth of a degree to the east.
    const view::Projected poleProjected = view::project(view::Direction::North, 35.65, 0.001);
    ASSERT_TRUE(poleProjected.visible);
    const view::PicturePoint pole = view::toPicture(poleProjected);
    double worst = 0.0;
    double nearest = std::numeric_limits<double>::infinity(), farthest = 0.0;
    // Moments between the samples (odd minutes) and on them.
    for (int m = 0; m <= 24 * 60; m += 7) {
        const astro::SkyState sky = astro::computationPass(tokyoAt(m));
        const auto at = drawnStar(Direction::North, sky, cat);
        // The trail runs only while the star can be seen.
        if (!at || view::limitingMagnitude(sky) < 1.0) continue;
        worst = std::max(worst, distanceToPaths(paths, *at));
        const double d = std::hypot(at->x - pole.x, at->y - pole.y);
        nearest = std::min(nearest, d);
        farthest = std::max(farthest, d);
    }
    std::printf("largest distance of a drawn position from the trail: %.3f twips\n", worst);
    EXPECT_LT(worst, kScale4PixelTwips / 4.0) << "smooth to a quarter pixel at --scale 4";
    // Every trail point keeps the star's polar distance (29.26 degrees) as
    // the projection maps it: between the drawn extremes of the single
    // pictures, never inside or outside them.
    for (const auto* path : paths) {
        for (const auto& p : path->points) {
            const double d = std::hypot(p.x - pole.x, p.y - pole.y);
            EXPECT_GE(d, nearest - kPixelTwips);
            EXPECT_LE(d, farthest + kPixelTwips);
        }
    }
}

TEST(Trails, FollowTheEndPictureNightAndDayRules) {
    catalog::Catalogue cat = oneStar(6.75503, -16.7208);
    const auto count = [](const view::Trails& t, view::TrailObject o, int i) { return pathsOf(t, o, i).size(); };
    // 20:00 to 00:00: night at the end; star and Jupiter trails, no Sun.
    const view::Trails night = view::computeTrails(Direction::South, samples(0.0, 240), cat, kNightSky);
    EXPECT_GT(count(night, view::TrailObject::Star, 1), 0u);
    EXPECT_GT(count(night, view::TrailObject::Body, astro::Jupiter), 0u);
    EXPECT_EQ(count(night, view::TrailObject::Body, astro::Sun), 0u);
    // 08:00 to 12:00 the next day: a day picture; the Sun's trail, no stars.
    const view::Trails day = view::computeTrails(Direction::South, samples(12 * 60.0, 240), cat, kNightSky);
    EXPECT_EQ(count(day, view::TrailObject::Star, 1), 0u);
    EXPECT_EQ(count(day, view::TrailObject::Body, astro::Jupiter), 0u);
    EXPECT_GT(count(day, view::TrailObject::Body, astro::Sun), 0u);
    // Dimmer than their objects, in the object's colour.
    for (const auto& p : night.paths) {
        const view::Rgb object = p.object == view::TrailObject::Star ? view::kStarColour : view::kBodyColour;
        if (p.object == view::TrailObject::Body && p.index == astro::Moon) continue;
        EXPECT_LT(p.colour.r, object.r);
        EXPECT_GT(p.colour.r, kNightSky.r);
    }
}

// Through dusk: the Sun's path runs until it sets even though the span ends
// at night, and a star's trail begins where the twilight first shows it
// (limiting magnitude), not at sunset and not through daylight.
TEST(Trails, TheSunRunsUntilSunsetAndAStarComesOutAtItsTwilight) {
    const double mag = 1.0;
    const catalog::Catalogue cat = oneStar(5.278, 45.998, mag);  // Capella, high in the east at dusk
    const auto skies = samples(-300.0, 300);                       // 15:00 to 20:00
    const view::Trails trails = view::computeTrails(Direction::Zenith, skies, cat, kNightSky);
    const auto sun = pathsOf(trails, view::TrailObject::Body, astro::Sun);
    const auto star = pathsOf(trails, view::TrailObject::Star, 1);
    ASSERT_FALSE(sun.empty());
    ASSERT_EQ(star.size(), 1u);
    // The first minute the star can be seen, and where it stands then.
    double seenAt = -300.0;
    while (view::limitingMagnitude(astro::computationPass(tokyoAt(seenAt))) < mag) seenAt += 0.25;
    EXPECT_GT(view::limitingMagnitude(astro::computationPass(tokyoAt(seenAt - 5.0))), -2.5);  // after sunset
    const auto at = drawnStar(Direction::Zenith, astro::computationPass(tokyoAt(seenAt)), cat);
    ASSERT_TRUE(at);
    const view::PicturePoint first = star[0]->points.front();
    EXPECT_LT(std::hypot(first.x - at->x, first.y - at->y), 3.0 * kPixelTwips);
}

TEST(Trails, AreDrawnBeforeTheObjectsSoEachSitsAtTheEndOfItsTrail) {
    const catalog::Catalogue cat = oneStar(6.75503, -16.7208);
    const auto skies = samples(0.0, 120);
    const view::Trails trails = view::computeTrails(Direction::South, skies, cat, kNightSky);
    RecordingPainter p;
    view::MeteorRng rng(1);
    view::drawView(Direction::South, skies.back(), cat, {}, rng, p, trails);
    const auto isTrailColour = [&](view::Rgb c) {
        return std::any_of(trails.paths.begin(), trails.paths.end(), [c](const auto& t) { return t.colour == c; });
    };
    std::size_t lastTrailLine = 0, firstDisc = p.calls.size();
    for (std::size_t i = 0; i < p.calls.size(); ++i) {
        if (p.calls[i].op == Op::Line && isTrailColour(p.calls[i].colour)) lastTrailLine = i;
        if (p.calls[i].op == Op::Disc) firstDisc = std::min(firstDisc, i);
    }
    EXPECT_GT(lastTrailLine, 1u);
    EXPECT_LT(lastTrailLine, firstDisc);
    for (const Call& c : p.of(Op::Line)) {
        EXPECT_TRUE(std::isfinite(c.x1) && std::isfinite(c.y1) && std::isfinite(c.x2) && std::isfinite(c.y2));
    }
}

TEST(Trails, SampleOffsetsCoverTheSpanToTheMinute) {
    EXPECT_EQ(view::trailSampleOffsets(5), (std::vector<int>{0, 2, 4, 5}));
    EXPECT_EQ(view::trailSampleOffsets(4), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(view::trailSampleOffsets(0), (std::vector<int>{0, 1}));
    EXPECT_EQ(view::trailSampleOffsets(1'000'000).back(), view::kMaxTrailMinutes);
}

}  // namespace
