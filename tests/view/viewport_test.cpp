// The one viewport between picture twips and a device: the window's scaled,
// centred picture on a high-density screen answers where it is drawn, and
// the words and compass points every front end prints come from one table.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/astro.h"
#include "catalog/catalog.h"
#include "view/direction.h"
#include "view/finder.h"
#include "view/hit_test.h"
#include "view/sky_view.h"
#include "view/viewport.h"

namespace {

using view::Viewport;

const catalog::Catalogue& realCatalogue() {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    return cat;
}

TEST(Viewport, FitsOnWholeDevicePixelsAndConvertsBothWays) {
    // The design's picture: 15 twips a pixel, no offset.
    const Viewport design = Viewport::fitted(1.0);
    EXPECT_EQ(design.painterScale(), 1.0);
    EXPECT_EQ(design.deviceOf(14655.0, 9375.0).x, 977.0);
    // Scale 1.625 centred at (12.3, 7.5) widget pixels on a 2x screen: the
    // corner lands on a whole device pixel, as the painter starts there.
    const Viewport v = Viewport::fitted(1.625, 2.0, 12.3, 7.5);
    EXPECT_EQ(v.originXPx, 25.0);
    EXPECT_EQ(v.originYPx, 15.0);
    EXPECT_DOUBLE_EQ(v.painterScale(), 3.25);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{7000.0, 9000.0}, std::pair{14655.0, 1.5}}) {
        const view::DevicePoint px = v.deviceOf(x, y);
        const view::TwipsPoint back = v.twipsOf(px.x, px.y);
        EXPECT_NEAR(back.x - x, 0.0, 1e-9);
        EXPECT_NEAR(back.y - y, 0.0, 1e-9);
        const view::DevicePoint logical = v.logicalFromDevice(px.x, px.y);
        const view::DevicePoint again = v.deviceFromLogical(logical.x, logical.y);
        EXPECT_NEAR(again.x - px.x, 0.0, 1e-9);
        EXPECT_NEAR(again.y - px.y, 0.0, 1e-9);
    }
    EXPECT_EQ(v.logicalLength(10.0), 5.0);
}

// Drawn through a centred, scaled viewport, every bright star answers at
// its recorded pixel, and the sky point there is where the star stands.
TEST(Viewport, ACentredScaledPictureAnswersWhereItIsDrawn) {
    const astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 1, .day = 15, .hour = 22, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75});
    view::DrawRecord record;
    record.viewport = Viewport::fitted(1.625, 2.0, 60.5, 31.0);
    view::MeteorRng rng(1);
    class Nothing final : public view::Painter {
    public:
        void clear() override {}
        void line(float, float, float, float, view::Rgb) override {}
        void disc(float, float, float, view::Rgb) override {}
        void point(float, float, view::Rgb) override {}
        void setTextPosition(float, float) override {}
        void text(std::string_view) override {}
        void setFillColour(view::Rgb) override {}
        void setFillStyleSolid() override {}
    } nothing;
    view::ViewOptions opt;
    view::drawView(view::Direction::South, sky, realCatalogue(), opt, rng, nothing, &record);
    int checked = 0;
    for (const view::DrawnObject& o : record.objects) {
        if (o.kind != view::DrawnKind::Star || o.mag > 1.5f) continue;
        // The record also holds stars placed beyond the picture's edges.
        const view::TwipsPoint t = record.viewport.twipsOf(o.xPx, o.yPx);
        if (t.x < 0.0 || t.x > view::kSurfaceWidthTwips || t.y < 0.0 || t.y > view::kHorizonY) continue;
        const view::PointAnswer a =
            view::answerAt(realCatalogue(), sky, record, view::Direction::South, o.xPx, o.yPx);
        ASSERT_TRUE(a.drawn) << t.x << "," << t.y;
        ASSERT_TRUE(a.sky) << t.x << "," << t.y;
        EXPECT_EQ(a.drawn->id, o.id);
        const view::ObjectInfo info = view::describe(realCatalogue(), sky, o);
        EXPECT_NEAR(a.sky->altDeg - info.altDeg, 0.0, 0.05) << info.name;
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

TEST(DirectionWords, RoundTripAndCompassPointsAreTheTextbooks) {
    for (int i = 0; i < 5; ++i) {
        const auto d = static_cast<view::Direction>(i);
        EXPECT_EQ(view::directionFromWord(view::directionWord(d)), d);
    }
    EXPECT_FALSE(view::directionFromWord("South"));
    EXPECT_FALSE(view::directionFromWord(""));
    EXPECT_STREQ(view::skyQuarterJa(44.9), "北東");
    EXPECT_STREQ(view::skyQuarterJa(-22.0), "北");
    EXPECT_STREQ(view::skyQuarterJa(-23.0), "北西");
    EXPECT_STREQ(view::compassPointJa(348.76), "北");
    EXPECT_STREQ(view::compassPointJa(348.74), "北北西");
    EXPECT_STREQ(view::compassPointJa(std::nan("")), "");
    EXPECT_EQ(view::compassIndex(1e300, 8) >= 0, true);
}

}  // namespace
