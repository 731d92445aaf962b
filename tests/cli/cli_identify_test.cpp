// --identify and --find: the options, and the JSON of each kind of answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/cli_args.h"
#include "tests/support/cli_parse.h"
#include "app/session/pointing_json.h"
#include "astro/almanac.h"
#include "astro/astro.h"
#include "view/horizontal.h"
#include "catalog/catalog.h"

namespace app {
namespace {

using test::cat;
using test::parse;

TEST(IdentifyAndFindOptions, AcceptTheirCompanionsAndRefuseTheRest) {
    const CliParse id = parse({"--identify", "512.5,+300", "--at", "2026-01-15 22:00", "--place", "東京", "--dir",
                               "east", "--show", "names", "--scale", "2", "--seed", "4"});
    ASSERT_TRUE(id.ok()) << id.error;
    EXPECT_EQ(id.options.mode, Mode::Identify);
    EXPECT_EQ(id.options.identifyXPx, 512.5);
    EXPECT_EQ(id.options.identifyYPx, 300.0);
    EXPECT_EQ(id.options.direction, view::Direction::East);
    EXPECT_TRUE(id.options.renderPath.empty());
    const CliParse withFile = parse({"--identify", "1,2", "--render", "a.png"});
    ASSERT_TRUE(withFile.ok()) << withFile.error;
    EXPECT_EQ(withFile.options.mode, Mode::Identify);
    EXPECT_EQ(withFile.options.renderPath, "a.png");

    const CliParse find = parse({"--find", "しりうす", "--lat", "35", "--lon", "139", "--scale", "2"});
    ASSERT_TRUE(find.ok()) << find.error;
    EXPECT_EQ(find.options.mode, Mode::Find);
    EXPECT_EQ(find.options.findName, "しりうす");
    const CliParse allSky = parse({"--find", "木星", "--dir", "zenith"});
    ASSERT_TRUE(allSky.ok()) << allSky.error;
    EXPECT_EQ(allSky.options.direction, view::Direction::Zenith);
    const CliParse hayami = parse({"--planisphere", "h.pdf", "--lat", "35", "--lon", "139", "--tz", "Asia/Tokyo"});
    ASSERT_TRUE(hayami.ok()) << hayami.error;
    EXPECT_EQ(hayami.options.mode, Mode::Planisphere);
    EXPECT_EQ(hayami.options.planispherePath, "h.pdf");

    const struct { std::vector<std::string> args; const char* error; } refused[] = {
        {{"--identify", "12"}, "--identify: '12' is not a pixel \"X,Y\""},
        {{"--identify", "1,"}, "--identify: '1,' is not a pixel \"X,Y\""},
        {{"--identify", "nan,1"}, "--identify: 'nan,1' is not a pixel \"X,Y\""},
        {{"--identify", "1,2,3"}, "--identify: '1,2,3' is not a pixel \"X,Y\""},
        {{"--identify", "1e9,2"}, "--identify: '1e9,2' is not a pixel \"X,Y\""},
        {{"--identify"}, "--identify needs a value"},
        {{"--find", ""}, "--find needs a name"},
        {{"--identify", "1,2", "--json"}, "--identify and --json cannot be used together"},
        {{"--find", "a", "--identify", "1,2"}, "--identify and --find cannot be used together"},
        {{"--find", "a", "--render", "x.png"}, "--find and --render cannot be used together"},
        {{"--find", "a", "--dir", "east"}, "--dir does not apply to --find (it chooses the picture itself; --dir zenith asks for the all-sky one, "
                                             "--dir free [--look AZ,ALT] [--fov DEG] the free view)"},
        {{"--identify", "1,2", "--trails", "2"}, "--trails does not apply to --identify"},
        {{"--planisphere", "h.pdf", "--render", "x.png"}, "--planisphere and --render cannot be used together"},
        {{"--planisphere", "h.pdf", "--at", "2026-01-15 22:00"},
         "--at does not apply to --planisphere (a planisphere shows every date and time)"},
        {{"--planisphere", "h.pdf", "--dir", "zenith"}, "--dir only applies to --render"},
        {{"--planisphere", ""}, "--planisphere needs a file name"},
    };
    for (const auto& r : refused) {
        const CliParse p = parse(r.args);
        EXPECT_EQ(p.error, r.error) << r.args.front();
    }
    const std::string u = usageText();
    EXPECT_NE(u.find("--identify X,Y"), std::string::npos);
    EXPECT_NE(u.find("--find NAME"), std::string::npos);
}

// 15 January 2026, 22:00 over Tokyo: Sirius high in the south-east.
astro::SkyState tokyoNight() {
    return astro::computeSky(
        {.year = 2026, .month = 1, .day = 15, .hour = 22, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75});
}

TEST(IdentifyJson, StarBodyAndEmptySkyCarryTheirOwnFields) {
    const astro::SkyState sky = tokyoNight();
    view::PointAnswer star;
    star.drawn = view::DrawnObject{view::DrawnKind::Star, 134, 500.25f, 300.0f, 5.0f, 500.25f, 300.0f, -1.46f};
    star.object = view::describeStar(cat(), sky, 134);
    const std::string s = identifyJson(star);
    EXPECT_EQ(s.rfind("{\"kind\": \"star\", \"name\": \"シリウス\", \"designation\": \"α CMa\", \"hr\": 2491, "
                      "\"constellation\": \"おおいぬ座\", \"mag\": -1.46, \"bv\": 0.00, \"alt\": ", 0),
              0u)
        << s;
    EXPECT_NE(s.find("\"x\": 500.2, \"y\": 300.0}\n"), std::string::npos) << s;

    view::PointAnswer moon;
    moon.drawn = view::DrawnObject{view::DrawnKind::Moon, astro::Moon, 10.0f, 20.0f, 10.0f, 10.0f, 20.0f, -12.7f};
    moon.object = view::describeBody(cat(), sky, astro::Moon);
    const std::string m = identifyJson(moon);
    EXPECT_EQ(m.rfind("{\"kind\": \"moon\", \"name\": \"月\", \"constellation\": \"", 0), 0u) << m;
    EXPECT_NE(m.find("\"illum\": "), std::string::npos) << m;
    EXPECT_EQ(m.find("designation"), std::string::npos);
    EXPECT_EQ(m.find("\"mag\""), std::string::npos);

    view::PointAnswer empty;
    empty.sky = view::SkyPoint{12.5, 181.25};
    EXPECT_EQ(identifyJson(empty), "{\"kind\": \"none\", \"alt\": 12.5000, \"az\": 181.2500}\n");
    EXPECT_EQ(identifyJson(view::PointAnswer{}), "{\"kind\": \"none\"}\n");
}

TEST(FindJson, AboveTheHorizonGivesThePictureBelowItTheRise) {
    const astro::SkyState sky = tokyoNight();
    const catalog::NameIndex names(cat());
    const view::FoundObject sirius = view::findObject(cat(), names, sky, "しりうす");
    ASSERT_EQ(sirius.status, view::FoundObject::Status::Found);
    ASSERT_TRUE(sirius.picture.has_value());
    const std::string s = findJson(sirius, 1.0, std::nullopt);
    EXPECT_NE(s.find("\"name\": \"シリウス\", \"kind\": \"star\""), std::string::npos) << s;
    EXPECT_NE(s.find("\"visible\": true, \"direction\": \"south\", \"x\": "), std::string::npos) << s;

    view::FoundObject below = sirius;
    below.aboveHorizon = false;
    below.picture.reset();
    const std::string b = findJson(below, 1.0, RiseText{"2026-01-16T17:40:00+09:00", 112.4});
    EXPECT_NE(b.find("\"visible\": false, \"nextRise\": \"2026-01-16T17:40:00+09:00\", \"riseAz\": 112.4, "
                     "\"riseFrom\": \"東南東\"}"),
              std::string::npos)
        << b;
    EXPECT_EQ(b.find("direction"), std::string::npos);

    const view::FoundObject orion = view::findObject(cat(), names, sky, "ｵﾘｵﾝ座");
    EXPECT_NE(findJson(orion, 1.0, std::nullopt).find("\"name\": \"リゲル\""), std::string::npos);
    EXPECT_NE(findJson(orion, 1.0, std::nullopt).find("\"foundBy\": \"オリオン座\""), std::string::npos);
    EXPECT_EQ(view::findObject(cat(), names, sky, "けんびきょう座").status,
              view::FoundObject::Status::NoStarInTable);
    EXPECT_EQ(view::findObject(cat(), names, sky, "ニビル").status, view::FoundObject::Status::Unknown);
}

TEST(FindBelowTheHorizon, VegaRisesWhereTheAlmanacSaysAndTheAnswerSaysWhen) {
    const astro::SkyState sky = tokyoNight();
    const catalog::NameIndex names(cat());
    const view::FoundObject vega = view::findObject(cat(), names, sky, "ベガ");
    ASSERT_EQ(vega.status, view::FoundObject::Status::Found);
    ASSERT_FALSE(vega.aboveHorizon);
    EXPECT_FALSE(vega.picture.has_value());
    const std::optional<astro::SkyEvent> rise = view::nextRiseOf(vega, sky);
    ASSERT_TRUE(rise.has_value());
    // Within a day, and at that minute Vega comes up onto the picture's
    // horizon (altitude 0 as drawn, the definition of "visible") in the
    // north-east, by the picture's own transform.
    EXPECT_GT(rise->jdUt, sky.jdUt);
    EXPECT_LT(rise->jdUt, sky.jdUt + 1.0);
    const astro::LocalDateTime t = astro::localDateTime(rise->jdUt, astro::fixedUtcOffset(9 * 3600));
    const astro::SkyState then = astro::computeSky({.year = t.date.year, .month = t.date.month, .day = static_cast<double>(t.date.day),
                                                    .hour = static_cast<double>(t.hour), .minute = t.minute + t.second / 60.0,
                                                    .latDeg = 35.65, .lonDeg = 139.75});
    const astro::Horizontal hz = view::horizontal(then, vega.info.raHours, vega.info.decDeg);
    EXPECT_NEAR(hz.altDeg, 0.0, 0.01);
    EXPECT_NEAR(hz.azDeg, rise->azDeg, 0.2);
    EXPECT_GT(rise->azDeg, 20.0);
    EXPECT_LT(rise->azDeg, 60.0);

    const RiseText text = riseText(*rise, astro::fixedUtcOffset(9 * 3600));
    EXPECT_EQ(text.iso.size(), 25u);
    EXPECT_EQ(text.iso.substr(19), "+09:00");
    const std::string json = findJson(vega, 1.0, text);
    EXPECT_NE(json.find("\"visible\": false, \"nextRise\": \"" + text.iso + "\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"riseFrom\": \"北東\"}"), std::string::npos) << json;
    // A star that never rises at the place: no rise, said plainly.
    const astro::SkyState south = astro::computeSky(
        {.year = 2026, .month = 1, .day = 15, .hour = 22, .minute = 0, .latDeg = -60.0, .lonDeg = 0.0});
    const view::FoundObject polaris = view::findObject(cat(), names, south, "北極星");
    EXPECT_FALSE(view::nextRiseOf(polaris, south).has_value());
    EXPECT_NE(findJson(polaris, 1.0, std::nullopt).find("\"visible\": false, \"nextRise\": null}"),
              std::string::npos);
}

// "Visible" and "next rise" are one definition, the picture's horizon: an
// object not in the picture always comes up into it later (the Sun at
// 06:52 was once answered with tomorrow's sunrise, the almanac's 06:50 being
// past), and the almanac's rise of the day is said beside it.
TEST(FindBelowTheHorizon, VisibleAndNextRiseAgreeAroundSunrise) {
    const catalog::NameIndex names(cat());
    for (int minute = 40; minute <= 59; ++minute) {
        const astro::SkyState sky = astro::computeSky(
            {.year = 2026, .month = 1, .day = 15, .hour = 6, .minute = double(minute), .latDeg = 35.65, .lonDeg = 139.75});
        for (const char* name : {"太陽", "月", "金星", "シリウス"}) {
            const view::FoundObject f = view::findObject(cat(), names, sky, name);
            ASSERT_EQ(f.status, view::FoundObject::Status::Found);
            if (f.aboveHorizon) continue;
            const std::optional<astro::SkyEvent> rise = view::nextRiseOf(f, sky);
            ASSERT_TRUE(rise) << name << " " << minute;
            EXPECT_GT(rise->jdUt, sky.jdUt);
            EXPECT_LT(rise->jdUt - sky.jdUt, 1.0) << name << " " << minute;
        }
    }
    const astro::SkyState at0652 = astro::computeSky(
        {.year = 2026, .month = 1, .day = 15, .hour = 6, .minute = 52, .latDeg = 35.65, .lonDeg = 139.75});
    const view::FoundObject sun = view::findObject(cat(), names, at0652, "太陽");
    ASSERT_FALSE(sun.aboveHorizon);
    const std::optional<astro::SkyEvent> rise = view::nextRiseOf(sun, at0652);
    ASSERT_TRUE(rise);
    EXPECT_LT((rise->jdUt - at0652.jdUt) * 1440.0, 4.0);  // minutes away, not tomorrow
    const std::optional<astro::SkyEvent> almanac = view::dayEventsOf(sun.info, at0652, astro::fixedUtcOffset(9 * 3600)).rise;
    ASSERT_TRUE(almanac);
    EXPECT_LT(almanac->jdUt, at0652.jdUt);
    const std::string json = findJson(sun, 1.0, riseText(*rise, astro::fixedUtcOffset(9 * 3600)),
                                      riseText(*almanac, astro::fixedUtcOffset(9 * 3600)), true);
    EXPECT_NE(json.find("\"nextRise\": \"2026-01-15T06:5"), std::string::npos) << json;
    EXPECT_NE(json.find("\"almanacRise\": \"2026-01-15T06:50:"), std::string::npos) << json;
    EXPECT_NE(json.find("\"almanacRisen\": true"), std::string::npos) << json;
}

}  // namespace
}  // namespace app
