// With star names and every figure on, no constellation's name is written
// over a star's name: checked over a whole turn of the sky (every 30 minutes
// of sidereal time), toward every direction, at latitudes from Honolulu's to
// Moscow's, which hold Japan's places. Nearer the equator and south of it the
// figures turn the other way round their stars, and a label offset (one
// vertical shift per constellation) cannot clear both turns there.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "astro/astro.h"
#include "recording_painter.h"
#include "view/picture.h"
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

}  // namespace
