// What the session says in words, checked against the sky itself: the
// answer to a constellation's name, and the evening report.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "app/session/sky_picture.h"
#include "app/session/answers.h"
#include "app/session/find_text.h"
#include "astro/almanac.h"
#include "astro/delta_t.h"
#include "astro/precise_ephemeris.h"
#include "catalog/ephemeris.h"
#include "catalog/catalog.h"

namespace {

const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

app::FindResult findAt(const char* name, int y, int mo, int d, int h, int mi, const char* place = "東京") {
    app::SkyQuery q;
    q.at = astro::CivilMinute{y, mo, d, h, mi};
    q.placeIndex = catalog::findPlace(cat(), place);
    return app::answerFind({q, name, false, 1.0, std::nullopt, false}, cat(), app::LocalZone{}, std::chrono::system_clock::now());
}

bool has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// Asked for オリオン座 while Betelgeuse is up and Rigel is not, the answer
// is about the constellation (it once said 「リゲルは今は地平線の下です」):
// the part that is up, when all of it is, and when it stands highest in the
// dark, which is its middle's meridian passage at 90° - latitude + declination.
TEST(FindWords, AConstellationIsAnsweredAsAWhole) {
    const app::FindResult partly = findAt("オリオン座", 2026, 12, 10, 18, 1);
    ASSERT_TRUE(partly.figure);
    const view::FigureSky& f = *partly.figure;
    EXPECT_GT(f.starsUp, 0);
    EXPECT_LT(f.starsUp, f.stars);
    EXPECT_TRUE(partly.found.aboveHorizon);
    EXPECT_EQ(partly.found.info.name, "ベテルギウス");
    const std::string said = app::findSentence(partly, app::LocalZone{});
    EXPECT_TRUE(has(said, "オリオン座は一部が地平線の上にあります")) << said;
    EXPECT_FALSE(has(said, "リゲルは今は地平線の下")) << said;
    ASSERT_TRUE(f.allUpJdUt);
    EXPECT_GT(*f.allUpJdUt, partly.jdUt);
    EXPECT_LT(*f.allUpJdUt - partly.jdUt, 2.0 / 24.0);
    ASSERT_TRUE(f.best);
    EXPECT_NEAR(std::remainder(f.best->azDeg - 180.0, 360.0), 0.0, 3.0);  // on the meridian, to a 10-minute step
    EXPECT_GT(f.best->altDeg, 50.0);  // the belt, at declination -1°, culminates at 53°
    EXPECT_LT(f.best->altDeg, 60.0);
    const astro::LocalDateTime best = astro::localMinute(f.best->jdUt, astro::fixedUtcOffset(9 * 3600));
    EXPECT_TRUE(best.hour == 23 || best.hour == 0) << best.hour;

    // Wholly up at 22:00; wholly below in July's afternoon, when it is a
    // winter constellation; never up from Tokyo for みなみじゅうじ座, which
    // does come up at 那覇.
    EXPECT_TRUE(has(app::findSentence(findAt("オリオン", 2026, 12, 10, 22, 0), {}), "全体が地平線の上"));
    const app::FindResult scorpius = findAt("さそり座", 2026, 12, 10, 22, 0);
    ASSERT_TRUE(scorpius.figure);
    EXPECT_EQ(scorpius.figure->starsUp, 0);
    EXPECT_FALSE(scorpius.figure->best);
    EXPECT_GE(scorpius.figure->seasonMonth, 6);
    EXPECT_LE(scorpius.figure->seasonMonth, 8);
    EXPECT_TRUE(has(app::findSentence(scorpius, {}), "月ごろの夜8時ごろ"));
    const app::FindResult crux = findAt("南十字星", 2026, 5, 1, 22, 0);
    ASSERT_TRUE(crux.figure);
    EXPECT_TRUE(crux.figure->neverRises);
    EXPECT_EQ(app::findSentence(crux, {}), "みなみじゅうじ座はこの場所では地平線の上に昇りません。");
    const app::FindResult cruxSouth = findAt("南十字星", 2026, 5, 1, 22, 0, "那覇");
    ASSERT_TRUE(cruxSouth.figure);
    EXPECT_FALSE(cruxSouth.figure->neverRises);
}

}  // namespace

// Mercury, Uranus and Neptune come with the precise ephemeris: found by
// their kanji, kana and English names in the all-sky picture (the natural
// sky draws them), and every body's find carries its apparent place and
// phase as the ephemeris gives them.
TEST(FindPreciseBodies, NewPlanetsAndTheApparentPlaceOfEveryBody) {
    for (const char* name : {"水星", "すいせい", "Mercury"}) {
        const app::FindResult r = findAt(name, 2026, 12, 11, 6, 30);
        ASSERT_EQ(r.found.status, view::FoundObject::Status::Found) << name;
        EXPECT_EQ(r.found.info.name, "水星");
        ASSERT_TRUE(r.found.picture.has_value());
        EXPECT_EQ(r.found.picture->dir, view::Direction::Zenith);
    }
    const std::pair<const char*, astro::SkyBody> bodies[] = {
        {"天王星", astro::SkyBody::Uranus}, {"海王星", astro::SkyBody::Neptune}, {"金星", astro::SkyBody::Venus}, {"月", astro::SkyBody::Moon}};
    for (const auto& [name, body] : bodies) {
        const app::FindResult r = findAt(name, 2026, 12, 11, 21, 0);
        ASSERT_TRUE(r.body.has_value()) << name;
        const astro::ApparentPlace p = astro::apparentPlace(catalog::ephemerisTables(), body, astro::jdTtFromUt(r.jdUt));
        EXPECT_NEAR(r.body->raHours, p.raHours, 1e-9) << name;
        EXPECT_NEAR(r.body->decDeg, p.decDeg, 1e-9) << name;
        EXPECT_GE(r.body->illum, 0.0);
        EXPECT_LE(r.body->illum, 1.0);
        EXPECT_GT(r.body->diameterArcsec, 1.0);
    }
}

// Which series a picture shows: the design's four views in the screen and
// print styles keep the design's series (their fields and pictures are the
// design's); the all-sky view and the free view, in any style, and the
// natural style show the precise ephemeris.
TEST(PictureSeries, DesignViewsKeepTheDesignSeriesEverythingElseIsPrecise) {
    app::PictureRequest req;
    req.input.year = 2026, req.input.month = 12, req.input.day = 11, req.input.hour = 21, req.input.minute = 0;
    req.input.latDeg = 35.65, req.input.lonDeg = 139.75;
    struct Case {
        view::Direction dir;
        std::optional<view::ChartStyle> style;
        bool free;
        bool precise;
    };
    const Case cases[] = {{view::Direction::South, view::ChartStyle::Screen, false, false},
                          {view::Direction::East, view::ChartStyle::Print, false, false},
                          {view::Direction::South, std::nullopt, false, false},
                          {view::Direction::South, view::ChartStyle::Natural, false, true},
                          {view::Direction::Zenith, view::ChartStyle::Screen, false, true},
                          {view::Direction::Zenith, std::nullopt, false, true},
                          {view::Direction::North, view::ChartStyle::Screen, true, true}};
    for (const Case& c : cases) {
        req.direction = c.dir;
        req.style = c.style;
        req.free = c.free ? std::optional<view::FreeLook>(view::FreeLook{}) : std::nullopt;
        const app::PictureSky shown = app::pictureSky(req, cat());
        EXPECT_EQ(shown.sky.precise, c.precise) << static_cast<int>(c.dir) << " " << c.free;
        EXPECT_EQ(std::isfinite(shown.sky.bodyRaHours[astro::Mercury]), c.precise);
    }
}
