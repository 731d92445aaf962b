// --tonight: the facts of a night and their sentences, on nights chosen for
// what can go wrong: a shower's peak, a full Moon over a shower, a night
// without darkness, and the hourly-rate rule itself.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "app/cli/cli_queries.h"
#include "tests/support/cli_parse.h"
#include "view/tonight.h"

namespace app {
namespace {

using test::cat;
using test::parse;

std::string answer(const std::vector<std::string>& args) {
    const CliParse p = parse(args);
    EXPECT_TRUE(p.ok()) << p.error;
    EXPECT_EQ(p.options.mode, Mode::Tonight);
    return tonightAnswerText(answerTonight(skyQuery(p.options), cat(), LocalZone{}, std::chrono::system_clock::now()),
                             LocalZone{}, p.options.tonightJson);
}

view::TonightReport report(int y, int m, int d, double lat, double lon) {
    return view::tonight(cat(), {y, m, d}, lat, lon, astro::fixedUtcOffset(9 * 3600));
}

TEST(Tonight, GeminidPeakWithAYoungMoonInTokyo) {
    const view::TonightReport r = report(2026, 12, 13, 35.65, 139.75);
    ASSERT_TRUE(r.sunsetJdUt && r.sunriseJdUt);
    ASSERT_FALSE(r.showers.empty());
    const view::TonightShower& gem = r.showers.front();
    EXPECT_EQ(gem.name, "ふたご座流星群");
    EXPECT_EQ(gem.peak, (astro::LocalDate{2026, 12, 14}));
    EXPECT_LT(std::fabs(gem.daysFromPeak), 0.5);
    ASSERT_TRUE(gem.best && gem.radiantRise);
    // The radiant (+32°) culminates near the zenith of 35.65° N, after midnight.
    EXPECT_NEAR(gem.best->altDeg, 86.0, 1.5);
    EXPECT_NEAR(gem.rateDark, 100.0 * std::sin(gem.best->altDeg * M_PI / 180.0), 0.1);
    EXPECT_NEAR(gem.rateCity / gem.rateDark, std::pow(2.5, -2.5), 1e-9);
    // Four days after new moon; it sets early in the evening.
    EXPECT_EQ(r.moon.phaseName, "三日月");
    EXPECT_FALSE(r.moon.brightensSky);
    ASSERT_TRUE(r.moon.set);
    // Saturn in the evening, Jupiter rising at night; every planet has its
    // magnitude and constellation.
    ASSERT_EQ(r.planets.size(), 4u);
    for (const view::TonightPlanet& p : r.planets) {
        EXPECT_TRUE(std::isfinite(p.mag)) << p.name;
        EXPECT_FALSE(p.constellation.empty()) << p.name;
    }
    const view::TonightPlanet& saturn = r.planets[3];
    EXPECT_TRUE(saturn.seen);
    EXPECT_GT(saturn.at20.altDeg, 30.0);
    const view::TonightPlanet& jupiter = r.planets[2];
    ASSERT_TRUE(jupiter.rise);
    EXPECT_GT(jupiter.rise->jdUt, *r.sunsetJdUt);

    const std::string text = answer({"--tonight", "--at", "2026-12-13 18:00", "--place", "東京"});
    for (const char* part : {"2026年12月13日（日）の夜の空　東京", "【惑星】", "木星（−2.3等、しし座）", "土星",
                             "【月】", "三日月", "ふたご座流星群（極大 12月14日、今夜が極大）", "暗い空で約",
                             "【20時ごろ南の空高く】"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    const std::string json = answer({"--tonight", "--json", "--at", "2026-12-13 18:00", "--place", "東京"});
    for (const char* part : {"{\"date\": \"2026-12-13\", \"place\": {\"name\": \"東京\"", "\"planets\": [{\"name\": \"金星\"",
                             "\"name\": \"木星\", \"mag\": -2.3, \"constellation\": \"しし座\"", "\"moon\": {",
                             "\"showers\": [{\"name\": \"ふたご座流星群\", \"peak\": \"2026-12-14\"", "\"stars\": [",
                             "\"constellations\": ["})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    EXPECT_EQ(json.find("nan"), std::string::npos);
}

TEST(Tonight, AFullMoonSpoilsThePerseids) {
    // 12 August 2022: the Perseids' maximum on the night of the full Moon.
    const view::TonightReport r = report(2022, 8, 12, 35.65, 139.75);
    EXPECT_EQ(r.moon.phaseName, "満月");
    EXPECT_GT(r.moon.illum, 0.97);
    EXPECT_TRUE(r.moon.brightensSky);
    ASSERT_FALSE(r.showers.empty());
    EXPECT_EQ(r.showers.front().name, "ペルセウス座流星群");
    const std::string text = answer({"--tonight", "--at", "2022-08-12 12:00", "--place", "東京"});
    EXPECT_NE(text.find("月明かりで暗い星や流れ星は見えにくい夜です。"), std::string::npos) << text;
    EXPECT_NE(text.find("ただし月明かりで見える数は減ります。"), std::string::npos) << text;
}

TEST(Tonight, ANightWithoutDarknessShowsNoPlanets) {
    // Tromsø at midsummer: the Sun never sets, so nothing is seen.
    const view::TonightReport r = report(2026, 6, 21, 69.65, 18.96);
    EXPECT_FALSE(r.sunsetJdUt);
    EXPECT_TRUE(r.sunUp20);
    for (const view::TonightPlanet& p : r.planets) EXPECT_FALSE(p.seen) << p.name;
    EXPECT_EQ(r.moon.darkHours, 0.0);
    const std::string text = answer({"--tonight", "--at", "2026-06-21 12:00", "--lat", "69.65", "--lon", "18.96"});
    EXPECT_NE(text.find("白夜"), std::string::npos) << text;
    EXPECT_NE(text.find("金星・火星・木星・土星は今夜は見えません"), std::string::npos) << text;
    EXPECT_NE(text.find("20時はまだ空が明るく"), std::string::npos) << text;
    // A southern place looks north for the stars high toward the equator.
    EXPECT_FALSE(report(2026, 12, 13, -33.87, 151.21).facesSouth);
}

TEST(Tonight, RateRuleAndRefusals) {
    EXPECT_DOUBLE_EQ(view::hourlyRate(100.0, 1.0, 90.0, 6.5), 100.0);
    EXPECT_NEAR(view::hourlyRate(100.0, 0.5, 30.0, 6.5), 25.0, 1e-9);
    EXPECT_EQ(view::hourlyRate(100.0, 1.0, -5.0, 6.5), 0.0);
    EXPECT_EQ(view::hourlyRate(NAN, 1.0, 45.0, 6.5), 0.0);
    EXPECT_STREQ(view::moonPhaseName(0.3), "新月");
    EXPECT_STREQ(view::moonPhaseName(7.4), "上弦の月");
    EXPECT_STREQ(view::moonPhaseName(14.8), "満月");
    EXPECT_STREQ(view::moonPhaseName(22.1), "下弦の月");
    EXPECT_STREQ(view::moonPhaseName(NAN), "新月");
    EXPECT_FALSE(parse({"--tonight", "--render", "x.png"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--dir", "east"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--lat", "35"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--tonight"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--no-stamp"}).ok());
}

}  // namespace
}  // namespace app
