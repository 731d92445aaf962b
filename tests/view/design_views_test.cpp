// The design's four views in its screen style stay as they were drawn when
// the natural style, the label placer and the free view came in: every
// painter call, in order, hashed, for each direction at night, at dusk and
// by day, with every option on and with the large names.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "astro/astro.h"
#include "recording_painter.h"
#include "view/sky_view.h"

namespace {

std::uint64_t fnv1a(const std::string& s) {
    std::uint64_t h = 1469598103934665603ull;
    for (const unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

std::string serialised(const viewtest::RecordingPainter& p) {
    std::string out;
    char buf[160];
    for (const viewtest::Call& c : p.calls) {
        std::snprintf(buf, sizeof buf, "%d %.3f %.3f %.3f %.3f %.3f %d,%d,%d %d|", static_cast<int>(c.op), c.x1, c.y1,
                      c.x2, c.y2, c.op == viewtest::Op::Text ? 0.0f : c.radius, c.colour.r, c.colour.g, c.colour.b,
                      static_cast<int>(c.lineStyle));
        out += buf;
        out += c.text;
        for (const view::Vertex& v : c.points) {
            std::snprintf(buf, sizeof buf, "%.3f,%.3f;", v.x, v.y);
            out += buf;
        }
        out += '\n';
    }
    return out;
}

std::uint64_t pictureHash(view::Direction dir, double hour, bool large) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 12, .day = 11, .hour = hour, .minute = 0.0, .latDeg = 35.65, .lonDeg = 139.75});
    view::ViewOptions opt;
    opt.equator = opt.ecliptic = opt.altAzLines = opt.starNames = opt.constellations = opt.meteors = true;
    opt.asterisms = opt.deepSky = true;
    opt.largeNames = large;
    opt.selected.fill(true);
    opt.year = 2026;
    opt.month = 12;
    opt.day = 14;  // the Geminids
    viewtest::RecordingPainter rec;
    view::MeteorRng rng(7);
    view::drawView(dir, sky, cat, opt, rng, rec);
    return fnv1a(serialised(rec));
}

// Hashes of the pictures as drawn before those changes, in the loop's order.
constexpr std::uint64_t kBefore[24] = {
    0xc063c0e61fd9a11bull,
    0xf16ea032635597ecull,
    0x409589ef4f911f8dull,
    0x954e6ab2a9ddf9fbull,
    0x6872bfe3e78a6ea0ull,
    0xb660adb27c9985b7ull,
    0xbab972cccd3f233cull,
    0xbdcfe82081359020ull,
    0xf2516e396e7e4d4eull,
    0x494bc45ac8efe06aull,
    0xedf3f47d740e743cull,
    0x6e3865e6dd608099ull,
    0x3c14be44d32a0c23ull,
    0x813fbbdb59daa2e3ull,
    0xc8cd7e6d2c9bab11ull,
    0x2c0927c9c57a7374ull,
    0x6c1187820c6fe594ull,
    0x9269b380715cff71ull,
    0x7b608bc653883706ull,
    0x0443f160eab0c95eull,
    0x6c1187820c6fe594ull,
    0x9269b380715cff71ull,
    0x7b608bc653883706ull,
    0x0443f160eab0c95eull,
};

TEST(DesignViews, TheFourQuartersAreDrawnExactlyAsBefore) {
    int i = 0;
    for (const double hour : {21.0, 16.9, 12.0}) {
        for (const bool large : {false, true}) {
            for (const view::Direction dir : {view::Direction::North, view::Direction::East, view::Direction::South,
                                              view::Direction::West}) {
                EXPECT_EQ(pictureHash(dir, hour, large), kBefore[i]) << "hour " << hour << " direction " << int(dir);
                ++i;
            }
        }
    }
    EXPECT_EQ(i, 24);
}

}  // namespace
