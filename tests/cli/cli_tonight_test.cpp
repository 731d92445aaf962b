// --tonight: the facts of a night and their sentences, on nights chosen for
// what can go wrong: a shower's peak, a full Moon over a shower, a night
// without darkness, and the hourly-rate rule itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

#include "app/cli/cli_queries.h"
#include "app/session/almanac_text.h"
#include "tests/support/cli_parse.h"
#include "view/tonight.h"
#include "catalog/ephemeris.h"

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
    ASSERT_FALSE(r.moon.sets.empty());
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
    ASSERT_EQ(jupiter.rises.size(), 1u);
    EXPECT_GT(jupiter.rises[0].jdUt, *r.sunsetJdUt);

    const std::string text = answer({"--tonight", "--at", "2026-12-13 18:00", "--place", "東京"});
    for (const char* part : {"2026年12月13日（日）の夜の空　東京", "【惑星】", "木星（−2.3等、しし座）", "土星",
                             "【月】", "三日月", "ふたご座流星群（極大は12月13日の夜から14日の明け方、今夜）", "暗い空で約",
                             "【20時ごろ見つけやすいもの】"})
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
}

// The night is the place's own, whatever clock prints it: London, New York
// and the equator's prime meridian under Japan's clock (they were 白夜 and
// 極夜), against the published sunsets (16:21 GMT, 16:53 EST; 18:11 UT on the equator,
// noon at 12:07 by the equation of time and 12 h 7 min of daylight).
TEST(Tonight, TheNightOfAPlaceFarFromTheClock) {
    const auto sunsetUt = [](int y, int m, int d, double lat, double lon) {
        const view::TonightReport r = report(y, m, d, lat, lon);
        EXPECT_TRUE(r.sunsetJdUt && r.sunriseJdUt) << lat << "," << lon;
        EXPECT_TRUE(r.eveningInLocalMeanTime);
        const astro::LocalDateTime t = astro::localMinute(r.sunsetJdUt.value_or(0.0), astro::fixedUtcOffset(0));
        EXPECT_EQ(t.date, (astro::LocalDate{y, m, d})) << lat << "," << lon;
        return t.hour * 60 + t.minute;
    };
    EXPECT_NEAR(sunsetUt(2026, 1, 15, 51.5, 0.0), 16 * 60 + 21, 3);
    EXPECT_NEAR(sunsetUt(2026, 1, 15, 40.7, -74.0), 21 * 60 + 53, 3);
    EXPECT_NEAR(sunsetUt(2026, 3, 20, 0.0, 0.0), 18 * 60 + 11, 3);
    const std::string text = answer({"--tonight", "--at", "2026-01-15 20:00", "--lat", "51.5", "--lon", "0"});
    EXPECT_EQ(text.find("白夜"), std::string::npos) << text;
    EXPECT_NE(text.find("現地時刻の20時"), std::string::npos) << text;
    // Tokyo's clock is Tokyo's own time: its hours stay the clock's.
    EXPECT_FALSE(report(2026, 1, 15, 35.65, 139.75).eveningInLocalMeanTime);
}

// Every rise and set of the night, also a second one on one clock day:
// Saturn rising at 23:59 at Sapporo (it rose at 00:03 that day too), and
// Jupiter setting at 23:58:47 in Moscow (UT+3; it set at 00:03 that day too).
TEST(Tonight, ASecondRiseOrSetOfOneDayIsReported) {
    const auto clock = [](const astro::SkyEvent& e, int offsetHours) {
        const astro::LocalDateTime t = astro::localDateTime(e.jdUt, astro::fixedUtcOffset(offsetHours * 3600));
        return t.hour * 60 + t.minute;
    };
    const view::TonightReport sapporo = report(2031, 8, 12, 43.06, 141.35);
    const view::TonightPlanet& saturn = sapporo.planets[3];
    ASSERT_FALSE(saturn.rises.empty());
    EXPECT_NEAR(std::remainder(clock(saturn.rises.back(), 9) - (23 * 60 + 59), 1440.0), 0.0, 3.0);
    const std::string text = answer({"--tonight", "--at", "2031-08-12 18:00", "--place", "札幌"});
    EXPECT_NE(text.find("土星（"), std::string::npos);
    EXPECT_NE(text.substr(text.find("土星（")).find("から昇ります"), std::string::npos) << text;

    const view::TonightReport moscow =
        view::tonight(cat(), {1980, 6, 23}, 55.75, 37.57, astro::fixedUtcOffset(3 * 3600));
    const view::TonightPlanet& jupiter = moscow.planets[2];
    ASSERT_FALSE(jupiter.sets.empty());
    EXPECT_NEAR(clock(jupiter.sets.front(), 3), 23 * 60 + 58, 1.0);
}

// The peak night named as the reader counts nights, with counts that match
// the dates printed; the Moon named by what is seen; the picks what a
// family looks for in December, not ハマル and ディフダ.
TEST(Tonight, PeakNightsMoonNamesAndPicks) {
    const auto peakText = [](const char* at) {
        const std::string text = answer({"--tonight", "--at", at, "--place", "東京"});
        const std::size_t i = text.find("ふたご座流星群（");
        return i == std::string::npos ? text : text.substr(i, text.find("）", i) - i);
    };
    EXPECT_EQ(peakText("2026-12-10 18:00"), "ふたご座流星群（極大は12月13日の夜から14日の明け方、3日後");
    EXPECT_EQ(peakText("2026-12-12 18:00"), "ふたご座流星群（極大は12月13日の夜から14日の明け方、明日の夜");
    EXPECT_EQ(peakText("2026-12-13 18:00"), "ふたご座流星群（極大は12月13日の夜から14日の明け方、今夜");
    EXPECT_EQ(peakText("2026-12-14 18:00"), "ふたご座流星群（極大は12月13日の夜から14日の明け方、昨夜");

    // A day and a half old and 6° up at sunset: a thin Moon, seen. The
    // night of the new Moon: 新月, and not 「見えます」.
    const view::TonightReport young = report(2026, 12, 10, 35.65, 139.75);
    EXPECT_TRUE(young.moon.seen);
    EXPECT_EQ(young.moon.phaseName, "細い月");
    const std::string newMoon = answer({"--tonight", "--at", "2026-12-09 18:00", "--place", "東京"});
    EXPECT_NE(newMoon.find("の新月"), std::string::npos) << newMoon;
    EXPECT_EQ(newMoon.find("に見えます"), std::string::npos) << newMoon;

    const auto named = [](const std::vector<view::TonightPick>& picks, const char* name) {
        return std::any_of(picks.begin(), picks.end(), [&](const view::TonightPick& p) { return p.name == name; });
    };
    EXPECT_TRUE(named(young.constellations, "オリオン座"));
    EXPECT_TRUE(named(young.deepSky, "すばる"));
    EXPECT_TRUE(named(young.asterisms, "冬の大三角"));
    EXPECT_FALSE(named(young.stars, "ハマル"));
    EXPECT_FALSE(named(young.stars, "ディフダ"));
    for (const auto* list : {&young.stars, &young.constellations, &young.deepSky})
        for (const view::TonightPick& p : *list) EXPECT_GE(p.at.altDeg, view::kPickMinAltDeg) << p.name;
}

// One rounding rule for every time shown to the minute: 2026-12-20's sunset
// over Tokyo is 16:30:51, so 16:31 in the almanac's CSV, in 今夜の見どころ
// and in the JSON's minutes (it once said 16時30分 here); half a minute goes
// up, and a day's last half minute is the next day's 00:00.
TEST(Tonight, OneRoundingRuleForEveryMinuteShown) {
    const astro::UtcOffsetFn jst = astro::fixedUtcOffset(9 * 3600);
    const double at = astro::localToJdUt({2026, 12, 20}, 16 * 3600 + 30 * 60 + 30, jst);
    EXPECT_EQ(astro::localMinute(at + 0.01 / 86400.0, jst).minute, 31);
    EXPECT_EQ(astro::localMinute(at - 0.01 / 86400.0, jst).minute, 30);
    const astro::LocalDateTime late = astro::localMinute(at + (7.5 * 3600 - 31) / 86400.0 + 0.6 / 86400.0, jst);
    EXPECT_EQ(late.date, (astro::LocalDate{2026, 12, 21}));
    EXPECT_EQ(late.hour * 60 + late.minute, 0);

    const std::string text = answer({"--tonight", "--at", "2026-12-20 18:00", "--place", "東京"});
    EXPECT_NE(text.find("日の入り 16時31分"), std::string::npos) << text;
    const std::string json = answer({"--tonight", "--json", "--at", "2026-12-20 18:00", "--place", "東京"});
    EXPECT_NE(json.find("\"sunset\": \"2026-12-20T16:30:51+09:00\""), std::string::npos) << json;
    const std::vector<astro::AlmanacDay> month = astro::almanacMonth(catalog::ephemerisTables(), 2026, 12, 35.65, 139.75, jst);
    EXPECT_EQ(hourMinute(month[19].bodies[astro::Sun].set->jdUt, month[19], jst), "16:31");
}

TEST(Tonight, RateRuleAndRefusals) {
    EXPECT_DOUBLE_EQ(view::hourlyRate(100.0, 1.0, 90.0, 6.5), 100.0);
    EXPECT_NEAR(view::hourlyRate(100.0, 0.5, 30.0, 6.5), 25.0, 1e-9);
    EXPECT_EQ(view::hourlyRate(100.0, 1.0, -5.0, 6.5), 0.0);
    EXPECT_EQ(view::hourlyRate(NAN, 1.0, 45.0, 6.5), 0.0);
    EXPECT_STREQ(view::moonPhaseName(0.3, false), "新月");
    EXPECT_STREQ(view::moonPhaseName(7.4, true), "上弦の月");
    EXPECT_STREQ(view::moonPhaseName(14.8, true), "満月");
    EXPECT_STREQ(view::moonPhaseName(22.1, true), "下弦の月");
    EXPECT_STREQ(view::moonPhaseName(NAN, false), "新月");
    EXPECT_STREQ(view::moonPhaseName(1.5, true), "細い月");
    EXPECT_STREQ(view::moonPhaseName(28.5, true), "細い月");
    EXPECT_FALSE(parse({"--tonight", "--render", "x.png"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--dir", "east"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--lat", "35"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--tonight"}).ok());
    EXPECT_FALSE(parse({"--tonight", "--no-stamp"}).ok());
}

}  // namespace
}  // namespace app
