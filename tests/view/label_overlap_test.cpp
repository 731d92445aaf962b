// With star names and every figure on, no constellation's name is written
// over a star's name: checked over a whole turn of the sky (every 30 minutes
// of sidereal time), toward every direction, at latitudes from Honolulu's to
// Moscow's, which hold Japan's places. Nearer the equator and south of it the
// figures turn the other way round their stars, and a label offset (one
// vertical shift per constellation) cannot clear both turns there.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>
#include <set>
#include <string>

#include "astro/astro.h"
#include "recording_painter.h"
#include "view/free_projector.h"
#include "view/label_placer.h"
#include "view/picture.h"
#include "view/planisphere.h"
#include "view/zenith_projector.h"
#include "view/sky_view.h"

namespace {

// The box a label takes in the 12-pixel label font, in twips (15 per pixel):
// half-width kana and ASCII 6 pixels wide, other characters 12, 13 high.
struct Box {
    float x0, y0, x1, y1;
};

Box labelBox(const viewtest::RecordingPainter::Label& l) {
    float width = 0.0f;
    for (std::size_t i = 0; i < l.text.size();) {
        const unsigned char c = static_cast<unsigned char>(l.text[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        const bool halfWidth = len == 1 || (len == 3 && c == 0xEF &&
                                            ((static_cast<unsigned char>(l.text[i + 1]) == 0xBD &&
                                              static_cast<unsigned char>(l.text[i + 2]) >= 0xA1) ||
                                             static_cast<unsigned char>(l.text[i + 1]) == 0xBE));
        width += halfWidth ? 90.0f : 180.0f;
        i += len;
    }
    return {l.x, l.y, l.x + width, l.y + 195.0f};
}

// Only what the picture shows: a label starting beyond its right edge or
// below the horizon line's area is never seen.
bool shown(const viewtest::RecordingPainter::Label& l) {
    return l.x >= 0.0f && l.x < view::kSurfaceWidthTwips && l.y >= 0.0f && l.y < view::kSurfaceHeightTwips;
}

bool overlap(const Box& a, const Box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

TEST(LabelOverlap, NoConstellationNameOverAStarName) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    std::set<std::string> starNames(cat.starLabel.begin(), cat.starLabel.end());
    starNames.erase("");
    view::ViewOptions opt;
    opt.starNames = opt.constellations = true;
    opt.selected.fill(true);
    std::set<std::string> clashes;
    int pictures = 0;
    for (double lat : {21.35, 26.217, 35.65, 43.067, 55.75}) {
        for (int minutes = 0; minutes < 24 * 60; minutes += 30) {
            const astro::SkyInput in{.year = 2026, .month = 1, .day = 15, .hour = static_cast<double>(minutes / 60),
                                     .minute = static_cast<double>(minutes % 60), .latDeg = lat, .lonDeg = 139.75};
            astro::SkyState sky = astro::computeSky(in);
            sky.bodyAltDeg[astro::Sun] = -30.0;  // night: every star drawn
            for (view::Direction dir : {view::Direction::North, view::Direction::East, view::Direction::South,
                                        view::Direction::West}) {
                viewtest::RecordingPainter rec;
                view::MeteorRng rng(1);
                view::drawView(dir, sky, cat, opt, rng, rec);
                ++pictures;
                const auto labels = rec.labels();
                for (const auto& a : labels) {
                    if (!starNames.count(a.text) || !shown(a)) continue;
                    for (const auto& b : labels) {
                        if (starNames.count(b.text) || !b.text.ends_with("座") || !shown(b)) continue;
                        if (overlap(labelBox(a), labelBox(b)))
                            clashes.insert(b.text + " over " + a.text + " (at latitude " +
                                           std::to_string(lat) + ", direction " +
                                           std::to_string(static_cast<int>(dir)) + ")");
                    }
                }
            }
        }
    }
    EXPECT_EQ(pictures, 5 * 48 * 4);
    for (const std::string& c : clashes) ADD_FAILURE() << c;
}

// Whether a text holds a half-width katakana (U+FF61..U+FF9F).
bool halfWidthKana(const std::string& s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        const unsigned char a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        if (a == 0xEF && (b == 0xBD || b == 0xBE)) return true;
    }
    return false;
}

// Pairs of placed names whose boxes meet, and names outside the picture.
std::vector<std::string> collisions(const std::vector<viewtest::RecordingPainter::Label>& labels,
                                    const view::TextBox& bounds) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto& a = labels[i];
        const view::TextBox ba = view::labelBox(a.x, a.y, a.text, a.scale);
        if (ba.x0 < bounds.x0 - 0.5f || ba.x1 > bounds.x1 + 0.5f || ba.y0 < bounds.y0 - 0.5f || ba.y1 > bounds.y1 + 0.5f)
            out.push_back(a.text + " outside the picture");
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            const auto& b = labels[j];
            if (view::overlaps(ba, view::labelBox(b.x, b.y, b.text, b.scale))) out.push_back(a.text + " / " + b.text);
        }
    }
    return out;
}

// Everything named at once, on the crowded pictures: the all-sky chart and
// two free views in each style, the south view on paper and in the natural
// style. No two names meet, none leaves the picture, and the natural style
// writes no half-width kana.
TEST(LabelOverlap, PlacedNamesNeverMeetOnAnyCrowdedPicture) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    view::ViewOptions opt;
    opt.starNames = opt.constellations = opt.asterisms = opt.deepSky = true;
    opt.selected.fill(true);
    astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 12, .day = 11, .hour = 21.0, .minute = 0.0, .latDeg = 35.65, .lonDeg = 139.75});
    sky.bodyAltDeg[astro::Sun] = -30.0;  // night
    const auto wide = view::freeProjector({0.0, 60.0, 180.0});
    const auto south = view::freeProjector({180.0, 35.0, 90.0});
    const view::Projector* projectors[] = {&view::projectorFor(view::Direction::Zenith), wide.get(), south.get(),
                                           &view::projectorFor(view::Direction::South)};
    std::size_t named = 0;
    for (const view::Projector* projector : projectors) {
        for (view::ChartStyle style : {view::ChartStyle::Screen, view::ChartStyle::Natural, view::ChartStyle::Print}) {
            if (!view::placesNames(*projector, style)) continue;
            opt.style = style;
            viewtest::RecordingPainter rec;
            view::MeteorRng rng(1);
            view::drawView(*projector, sky, cat, opt, rng, rec);
            const auto labels = rec.labels();
            named += labels.size();
            const view::ViewFrame& f = projector->frame();
            for (const std::string& c : collisions(labels, {0.0f, 0.0f, f.widthTwips, f.heightTwips}))
                ADD_FAILURE() << c << " (style " << static_cast<int>(style) << ")";
            if (style == view::ChartStyle::Natural) {
                for (const auto& l : labels) EXPECT_FALSE(halfWidthKana(l.text)) << l.text;
            }
            if (projector == projectors[0]) {
                EXPECT_GT(labels.size(), 30u);
            }
        }
    }
    std::printf("%zu names placed on 10 pictures\n", named);
}

// With names off, the compass points of the all-sky view stay where the
// frame puts them in every style: a planet's disc once left its anchor set
// and the next text, 北, went beside Saturn.
TEST(LabelOverlap, CompassPointsStayOnTheRimWithNamesOff) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    view::ViewOptions opt;
    astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 12, .day = 11, .hour = 21.0, .minute = 0.0, .latDeg = 35.65, .lonDeg = 139.75});
    ASSERT_GT(sky.bodyAltDeg[astro::Saturn], 10.0);
    const view::Projector& zenith = view::projectorFor(view::Direction::Zenith);
    for (view::ChartStyle style : {view::ChartStyle::Screen, view::ChartStyle::Natural, view::ChartStyle::Print}) {
        opt.style = style;
        viewtest::RecordingPainter rec;
        view::MeteorRng rng(1);
        view::drawView(zenith, sky, cat, opt, rng, rec);
        for (const view::FrameLabel& want : zenith.frame().labels) {
            bool found = false;
            for (const auto& l : rec.labels()) {
                if (l.text != want.text) continue;
                found = true;
                EXPECT_NEAR(l.x, want.xTwips, 200.0f) << want.text << " style " << static_cast<int>(style);
                EXPECT_NEAR(l.y, want.yTwips, 200.0f) << want.text << " style " << static_cast<int>(style);
            }
            EXPECT_TRUE(found) << want.text;
        }
    }
}

// The planisphere's star disc: the names inside the date ring never meet,
// and are written in full-width kana (a half-width dakuten comes apart).
TEST(LabelOverlap, PlanisphereNamesNeverMeet) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    std::string why;
    const auto p = view::planisphereFor(35.6581, 139.7414, 9.0, why);
    ASSERT_TRUE(p);
    viewtest::RecordingPainter rec;
    view::drawStarDisc(*p, cat, "東京", rec);
    const float twipsPerMm = 1440.0f / 25.4f;
    const float cx = static_cast<float>(p->centre.x) * twipsPerMm, cy = static_cast<float>(p->centre.y) * twipsPerMm;
    const float reach = static_cast<float>(p->maskRadiusMm) * twipsPerMm;
    std::vector<viewtest::RecordingPainter::Label> inside;
    for (const auto& l : rec.labels())
        if (std::hypot(l.x - cx, l.y - cy) < reach - 400.0f) inside.push_back(l);
    EXPECT_GT(inside.size(), 30u);
    for (const std::string& c : collisions(inside, {cx - reach, cy - reach, cx + reach, cy + reach})) ADD_FAILURE() << c;
    for (const auto& l : inside) EXPECT_FALSE(halfWidthKana(l.text)) << l.text;
}

}  // namespace
