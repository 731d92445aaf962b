// Which object lies under a pixel: on the real picture of 15 January 2026,
// 22:00 over Tokyo, and on hand-made skies for overlaps, the Moon, the Sun
// by day and shooting stars.
#include <cmath>

#include <gtest/gtest.h>

#include "astro/astro.h"
#include "recording_painter.h"
#include "sky_fixture.h"
#include "view/hit_test.h"
#include "view/meteors.h"
#include "view/sky_point.h"
#include "view/sky_view.h"

namespace {

using view::DrawnKind;
using view::DrawnObject;
using view::DrawRecord;
using viewtest::Op;

const catalog::Catalogue& realCatalogue() {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    return cat;
}

view::ViewOptions everythingOn() {
    view::ViewOptions opt;
    opt.equator = opt.ecliptic = opt.altAzLines = opt.starNames = opt.constellations = opt.meteors = true;
    opt.selected.fill(true);
    opt.year = 2026;
    opt.month = 1;
    opt.day = 15;
    return opt;
}

struct Picture {
    viewtest::RecordingPainter painter;
    DrawRecord record;
};

Picture drawTokyo(view::Direction dir, double scale) {
    const astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 1, .day = 15, .hour = 22, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75});
    Picture p;
    p.record.viewport.pixelsPerTwip = scale / 15.0;
    view::MeteorRng rng(7);
    view::drawView(dir, sky, realCatalogue(), everythingOn(), rng, p.painter, &p.record);
    return p;
}

TEST(HitTestOnPicture, RecordHoldsEveryDrawnDiscAtItsDevicePosition) {
    const Picture p = drawTokyo(view::Direction::South, 2.0);
    std::vector<const viewtest::Call*> discs;
    for (const viewtest::Call& c : p.painter.calls) {
        if (c.op == Op::Disc) discs.push_back(&c);
    }
    std::vector<const DrawnObject*> recorded;
    for (const DrawnObject& o : p.record.objects) {
        if (o.kind == DrawnKind::Star || o.kind == DrawnKind::Planet || o.kind == DrawnKind::Sun) recorded.push_back(&o);
    }
    // Every disc the painter drew is in the record, in order, at scale 2/15.
    ASSERT_EQ(discs.size(), recorded.size());
    ASSERT_GT(recorded.size(), 200u);
    for (std::size_t i = 0; i < discs.size(); ++i) {
        EXPECT_NEAR(recorded[i]->xPx, discs[i]->x1 * 2.0 / 15.0, 1e-3) << i;
        EXPECT_NEAR(recorded[i]->yPx, discs[i]->y1 * 2.0 / 15.0, 1e-3) << i;
        EXPECT_NEAR(recorded[i]->radiusPx, discs[i]->radius * 2.0 / 15.0, 1e-4) << i;
    }
    // Nothing below the horizon (y 9000 twips = 1200 px at scale 2) is recorded.
    for (const DrawnObject& o : p.record.objects) EXPECT_LE(o.yPx, 1200.001f);
}

TEST(HitTestOnPicture, EachBrightStarIsFoundAtItsCentreAndSiriusByName) {
    for (const view::Direction dir : {view::Direction::South, view::Direction::East, view::Direction::West,
                                      view::Direction::North}) {
        const Picture p = drawTokyo(dir, 1.0);
        int checked = 0;
        for (const DrawnObject& o : p.record.objects) {
            if (o.kind != DrawnKind::Star || o.mag > 2.0) continue;
            // A brighter object whose grown disc reaches this centre rightly wins.
            bool brighterNear = false;
            for (const DrawnObject& other : p.record.objects) {
                const double reach = std::max<double>(other.radiusPx, 0.5) + view::kHitMarginPx;
                if (other.mag < o.mag && std::hypot(other.xPx - o.xPx, other.yPx - o.yPx) <= reach) brighterNear = true;
            }
            if (brighterNear) continue;
            const auto hit = view::objectAt(p.record, o.xPx, o.yPx);
            ASSERT_TRUE(hit.has_value());
            EXPECT_EQ(hit->kind, DrawnKind::Star);
            EXPECT_EQ(hit->id, o.id);
            ++checked;
        }
        EXPECT_GT(checked, 5) << static_cast<int>(dir);
    }
    // Sirius (row 134) is in the southern picture and answers within 4 px of its disc.
    const Picture south = drawTokyo(view::Direction::South, 1.0);
    const DrawnObject* sirius = nullptr;
    for (const DrawnObject& o : south.record.objects) {
        if (o.kind == DrawnKind::Star && o.id == 134) sirius = &o;
    }
    ASSERT_NE(sirius, nullptr);
    const double edge = sirius->radiusPx + view::kHitMarginPx;
    const auto justInside = view::objectAt(south.record, sirius->xPx + edge - 0.01, sirius->yPx);
    ASSERT_TRUE(justInside.has_value());
    EXPECT_EQ(justInside->id, 134);
    const auto justOutside = view::objectAt(south.record, sirius->xPx, sirius->yPx - edge - 0.01);
    EXPECT_TRUE(!justOutside || justOutside->id != 134);
}

TEST(HitTestOnPicture, EmptySkyAndGroundFindNothing) {
    const Picture p = drawTokyo(view::Direction::South, 1.0);
    // Scan a grid; every point farther than the grown disc from everything is empty.
    int empty = 0;
    for (double y = 5.0; y < 640.0; y += 7.0) {
        for (double x = 5.0; x < 1000.0; x += 7.0) {
            bool near = false;
            for (const DrawnObject& o : p.record.objects) {
                const double reach = std::max<double>(o.radiusPx, 0.5) + view::kHitMarginPx + 1e-3;
                if (o.kind == DrawnKind::Meteor || std::hypot(o.xPx - x, o.yPx - y) <= reach) near = true;
            }
            if (near) continue;
            EXPECT_FALSE(view::objectAt(p.record, x, y).has_value()) << x << "," << y;
            ++empty;
        }
    }
    EXPECT_GT(empty, 5000);
    EXPECT_FALSE(view::objectAt(p.record, NAN, 100.0).has_value());
    EXPECT_FALSE(view::objectAt(p.record, 100.0, INFINITY).has_value());
    EXPECT_FALSE(view::objectAt(DrawRecord{}, 0.0, 0.0).has_value());
}

// Hand-made skies: the pole observer places stars exactly (sky_fixture.h).
TEST(HitTestOverlap, BrightStarWinsWithinTheOverlapAndTheFaintOneOutsideIt) {
    catalog::Catalogue cat = viewtest::emptyCatalogue();
    const int bright = viewtest::addStar(cat, 30.0, 180.0, "", 0.0);  // radius 50 twips
    const int faint = viewtest::addStar(cat, 30.0, 181.1, "", 4.0);   // radius 10 twips
    const int below = viewtest::addStar(cat, -5.0, 180.0, "", -1.0);  // not drawn
    const astro::SkyState sky = viewtest::poleSky(-20.0);
    DrawRecord rec;
    viewtest::RecordingPainter painter;
    view::MeteorRng rng(1);
    view::drawView(view::Direction::South, sky, cat, view::ViewOptions{}, rng, painter, &rec);
    ASSERT_EQ(rec.objects.size(), 2u);
    const DrawnObject& b = rec.objects[0];
    const DrawnObject& f = rec.objects[1];
    ASSERT_EQ(b.id, bright);
    ASSERT_EQ(f.id, faint);
    const double gap = std::hypot(f.xPx - b.xPx, f.yPx - b.yPx);
    const double reachB = b.radiusPx + view::kHitMarginPx;
    const double reachF = f.radiusPx + view::kHitMarginPx;
    ASSERT_LT(gap, reachB + reachF);  // the grown discs overlap
    ASSERT_GT(gap, reachB);           // but the faint centre is outside the bright one's
    const auto along = [&](double d) {
        return view::objectAt(rec, b.xPx + (f.xPx - b.xPx) * d / gap, b.yPx + (f.yPx - b.yPx) * d / gap);
    };
    // In the overlap, even where the faint star is nearer: the bright one.
    const double overlapMid = (gap - reachF + reachB) / 2.0;
    ASSERT_GT(overlapMid, gap / 2.0);
    EXPECT_EQ(along(overlapMid)->id, bright);
    EXPECT_EQ(along(reachB - 0.01)->id, bright);
    // Past the bright one's grown disc: the faint one, up to its own margin.
    EXPECT_EQ(along(reachB + 0.01)->id, faint);
    EXPECT_EQ(along(gap)->id, faint);
    EXPECT_EQ(along(gap + reachF - 0.01)->id, faint);
    EXPECT_FALSE(along(gap + reachF + 0.01).has_value());
    for (const DrawnObject& o : rec.objects) EXPECT_NE(o.id, below);
}

TEST(HitTestBodies, MoonAndSunCountByTheirDiscsAndDaylightHidesStars) {
    catalog::Catalogue cat = viewtest::emptyCatalogue();
    const int star = viewtest::addStar(cat, 40.0, 180.0, "", 1.0);
    astro::SkyState night = viewtest::poleSky(-20.0);
    night.bodyAltDeg[astro::Moon] = 40.0;
    night.bodyAzDeg[astro::Moon] = 181.0;
    night.moonIllum = 0.1;  // a thin crescent: the dark part still belongs to the Moon
    DrawRecord rec;
    viewtest::RecordingPainter painter;
    view::MeteorRng rng(1);
    view::drawView(view::Direction::South, night, cat, view::ViewOptions{}, rng, painter, &rec);
    const auto find = [&](DrawnKind kind) {
        for (const DrawnObject& o : rec.objects) {
            if (o.kind == kind) return o;
        }
        return DrawnObject{};
    };
    const DrawnObject moon = find(DrawnKind::Moon);
    ASSERT_EQ(moon.id, astro::Moon);
    EXPECT_FLOAT_EQ(moon.radiusPx, 10.0f);  // 150 twips at 15 twips a pixel
    // Anywhere on the Moon's disc, the star under it included: the Moon.
    EXPECT_EQ(view::objectAt(rec, moon.xPx - 9.0, moon.yPx)->kind, DrawnKind::Moon);
    EXPECT_EQ(view::objectAt(rec, moon.xPx, moon.yPx + 13.9)->kind, DrawnKind::Moon);
    const DrawnObject s = find(DrawnKind::Star);
    ASSERT_EQ(s.id, star);
    EXPECT_EQ(view::objectAt(rec, s.xPx, s.yPx)->kind, DrawnKind::Moon);

    // By day the star is not drawn, so it is never found; the Sun is.
    astro::SkyState day = viewtest::poleSky(30.0);
    day.bodyAzDeg[astro::Sun] = 150.0;
    view::drawView(view::Direction::South, day, cat, view::ViewOptions{}, rng, painter, &rec);
    const DrawnObject sun = find(DrawnKind::Sun);
    EXPECT_EQ(sun.kind, DrawnKind::Sun);
    EXPECT_EQ(view::objectAt(rec, sun.xPx + 13.9, sun.yPx)->kind, DrawnKind::Sun);
    for (const DrawnObject& o : rec.objects) EXPECT_NE(o.kind, DrawnKind::Star);
    EXPECT_FALSE(view::objectAt(rec, s.xPx, s.yPx).has_value());
}

TEST(HitTestBodies, ShootingStarsAnswerAlongTheirStreakWithTheirShower) {
    // The Geminids' night over Tokyo, meteors on.
    const astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 12, .day = 14, .hour = 1, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75});
    view::ViewOptions opt;
    opt.meteors = true;
    opt.year = 2026;
    opt.month = 12;
    opt.day = 14;
    DrawRecord rec;
    viewtest::RecordingPainter painter;
    view::MeteorRng rng(3);
    view::drawView(view::Direction::East, sky, realCatalogue(), opt, rng, painter, &rec);
    int meteors = 0;
    for (const DrawnObject& o : rec.objects) {
        if (o.kind != DrawnKind::Meteor) continue;
        ++meteors;
        EXPECT_GE(o.id, 1);
        EXPECT_LE(o.id, catalog::kShowerCount);
        const double mx = (o.xPx + o.tailXPx) / 2.0;
        const double my = (o.yPx + o.tailYPx) / 2.0;
        const auto hit = view::objectAt(rec, mx, my);
        ASSERT_TRUE(hit.has_value());
        // A star may outshine the streak where they cross.
        if (hit->kind == DrawnKind::Meteor) {
            EXPECT_GE(hit->id, 1);
        }
    }
    EXPECT_GT(meteors, 0);
}

// Every direction: a sky position projected and read back from its picture
// position is itself; the picture chosen for it shows it inside its frame.
TEST(SkyPointAt, InvertsTheProjectionAndPicksThePictureThatShowsAPoint) {
    double worst = 0.0;
    for (const view::Direction dir : {view::Direction::North, view::Direction::East, view::Direction::South,
                                      view::Direction::West}) {
        const double centre = view::directionRule(dir).centreAzDeg;
        for (double alt = -20.0; alt <= 85.0; alt += 7.5) {
            for (double off = -88.0; off <= 88.0; off += 8.0) {
                const double az = std::fmod(centre + off + 360.0, 360.0);
                const view::Projected p = view::project(dir, alt, az);
                if (!p.visible) continue;
                const view::PicturePoint at = view::toPicture(p);
                const auto back = view::projectorFor(dir).skyAt(at.x, at.y);
                ASSERT_TRUE(back.has_value()) << alt << " " << az;
                double dAz = std::fabs(back->azDeg - az);
                dAz = std::min(dAz, 360.0 - dAz);
                worst = std::max({worst, std::fabs(back->altDeg - alt), dAz});
            }
        }
    }
    // Half a twip of picture position is at most a few thousandths of a degree.
    EXPECT_LT(worst, 0.01);
    // Beyond the projection's edge there is no sky point; bad input none.
    EXPECT_FALSE(view::projectorFor(view::Direction::South).skyAt(-1.0e5, 100.0).has_value());
    EXPECT_FALSE(view::projectorFor(view::Direction::South).skyAt(NAN, 100.0).has_value());

    const auto south = view::pictureShowing(30.0, 170.0);
    ASSERT_TRUE(south.has_value());
    EXPECT_EQ(south->dir, view::Direction::South);
    const auto north = view::pictureShowing(30.0, 350.0);
    ASSERT_TRUE(north.has_value());
    EXPECT_EQ(north->dir, view::Direction::North);
    EXPECT_EQ(view::pictureShowing(30.0, 44.0)->dir, view::Direction::North);
    EXPECT_EQ(view::pictureShowing(30.0, 46.0)->dir, view::Direction::East);
    EXPECT_FALSE(view::pictureShowing(-1.0, 170.0).has_value());
    EXPECT_FALSE(view::pictureShowing(NAN, 170.0).has_value());
}

}  // namespace
