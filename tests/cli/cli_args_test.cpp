#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/cli_args.h"
#include "app/cli/cli_queries.h"
#include "tests/support/cli_parse.h"
#include "catalog/catalog.h"

namespace app {
namespace {

using test::cat;
using test::parse;

TEST(ParseCommandLine, ModesAndDefaults) {
    EXPECT_EQ(parse({}).options.mode, Mode::Window);
    EXPECT_EQ(parse({"--json"}).options.mode, Mode::Json);
    EXPECT_EQ(parse({"--help"}).options.mode, Mode::Help);
    EXPECT_EQ(parse({"--json", "--place", "x", "-h"}).options.mode, Mode::Help);
    const CliParse r = parse({"--render", "sky.png"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.mode, Mode::Render);
    EXPECT_EQ(r.options.renderPath, "sky.png");
    EXPECT_EQ(r.options.direction, view::Direction::South);
    EXPECT_EQ(r.options.scale, 1.0);
    EXPECT_FALSE(r.options.year.has_value());
}

TEST(ParseCommandLine, AtReadsJapanStandardTime) {
    const CliParse r = parse({"--json", "--at", "2005-01-01 05:00"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(*r.options.year, 2005);
    EXPECT_EQ(*r.options.month, 1);
    EXPECT_EQ(*r.options.day, 1);
    EXPECT_EQ(*r.options.hour, 5);
    EXPECT_EQ(*r.options.minute, 0);
    const CliParse t = parse({"--json", "--at", "-500-7-4T23:59"});
    ASSERT_TRUE(t.ok()) << t.error;
    EXPECT_EQ(*t.options.year, -500);
    EXPECT_EQ(*t.options.minute, 59);
}

TEST(ParseCommandLine, PlaceAndCoordinates) {
    const CliParse r = parse({"--json", "--place", "ホノルル"});
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_GE(r.options.placeIndex, 1);
    EXPECT_EQ(cat().places[static_cast<std::size_t>(r.options.placeIndex)].lonDeg, -157.93);
    EXPECT_TRUE(parse({"--json", "--place", "ニューデリー"}).ok());  // the table's trailing blank
    const CliParse c = parse({"--json", "--lat", "-90", "--lon", "+139.75"});
    ASSERT_TRUE(c.ok()) << c.error;
    EXPECT_EQ(*c.options.latDeg, -90.0);
    EXPECT_EQ(*c.options.lonDeg, 139.75);
}

TEST(ParseCommandLine, RenderPictureOptions) {
    const CliParse r = parse({"--render", "a.png", "--dir", "west", "--show", "equator,grid,meteors",
                              "--constellations", "オリオン座,さそり座", "--scale", "0.25", "--seed",
                              "18446744073709551615"});
    ASSERT_TRUE(r.ok()) << r.error;
    const CliOptions& o = r.options;
    EXPECT_EQ(o.direction, view::Direction::West);
    EXPECT_TRUE(o.view.equator && o.view.altAzLines && o.view.meteors);
    EXPECT_FALSE(o.view.ecliptic || o.view.starNames);
    EXPECT_TRUE(o.view.constellations);
    EXPECT_TRUE(o.view.selected[static_cast<std::size_t>(catalog::findConstellation(cat(), "オリオン座"))]);
    EXPECT_EQ(o.scale, 0.25);
    EXPECT_EQ(*o.seed, 18446744073709551615ull);
    const CliParse all = parse({"--render", "a.png", "--constellations", "all"});
    ASSERT_TRUE(all.ok());
    for (int c = 1; c <= catalog::kConstellationCount; ++c) EXPECT_TRUE(all.options.view.selected[c]);
    EXPECT_FALSE(all.options.view.selected[0]);
}

// Every error is one line that names the argument at fault.
TEST(ParseCommandLine, ErrorsNameTheArgument) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--json", "--place", "Nowhere"}, "--place"},
        {{"--json", "--place", "入力"}, "--place"},
        {{"--json", "--at"}, "--at"},
        {{"--json", "--at", "2005-01-01"}, "--at"},
        {{"--json", "--at", "2005-01-01 5"}, "--at"},
        {{"--json", "--at", "2005-00-10 05:00"}, "month"},
        {{"--json", "--at", "2005-01-32 05:00"}, "day"},
        {{"--json", "--at", "2005-01-00 05:00"}, "day"},
        {{"--json", "--at", "2005-01-01 24:00"}, "hour"},
        {{"--json", "--at", "2005-01-01 05:60"}, "minute"},
        {{"--json", "--at", "40000-01-01 05:00"}, "year"},
        {{"--json", "--at", "2005-01-01 05:00x"}, "--at"},
        {{"--json", "--at", "２００５-01-01 05:00"}, "--at"},
        {{"--json", "--lat", "35"}, "--lat"},
        {{"--json", "--lon", "135"}, "--lon"},
        {{"--json", "--lat", "91", "--lon", "0"}, "--lat"},
        {{"--json", "--lat", "nan", "--lon", "0"}, "--lat"},
        {{"--json", "--lat", "1e999", "--lon", "0"}, "--lat"},
        {{"--json", "--lat", "35abc", "--lon", "0"}, "--lat"},
        {{"--json", "--lat", "35", "--lon", "inf"}, "--lon"},
        {{"--json", "--lat", "35", "--lon", "0", "--place", "東京"}, "--place"},
        {{"--json", "--dir", "east"}, "--dir"},
        {{"--show", "equator"}, "--show"},
        {{"--render", "a.png", "--dir", "up"}, "--dir"},
        {{"--render", "a.png", "--show", "equator,,grid"}, "--show"},
        {{"--render", "a.png", "--show", "stars"}, "--show"},
        {{"--render", "a.png", "--constellations", "Orion"}, "--constellations"},
        {{"--render", "a.png", "--scale", "9"}, "--scale"},
        {{"--render", "a.png", "--scale", "0.1"}, "--scale"},
        {{"--render", "a.png", "--scale", "nan"}, "--scale"},
        {{"--render", "a.png", "--seed", "-1"}, "--seed"},
        {{"--render", "a.png", "--seed", "18446744073709551616"}, "--seed"},
        {{"--render", ""}, "--render"},
        {{"--json", "--render", "a.png"}, "--json"},
        {{"--json", "--json"}, "--json"},
        {{"--json", "extra"}, "extra"},
        {{"--frobnicate"}, "--frobnicate"},
        {{"--render", "a.png", "--trails", "0"}, "--trails"},
        {{"--render", "a.png", "--trails", "24.01"}, "--trails"},
        {{"--render", "a.png", "--trails", "-3"}, "--trails"},
        {{"--render", "a.png", "--trails", "nan"}, "--trails"},
        {{"--json", "--trails", "4"}, "--trails"},
        {{"--render", "a.png", "--frames", "3"}, "--every"},
        {{"--render", "a.png", "--every", "15"}, "--frames"},
        {{"--render", "a.png", "--frames", "0", "--every", "15"}, "--frames"},
        {{"--render", "a.png", "--frames", "10000", "--every", "15"}, "--frames"},
        {{"--render", "a.png", "--frames", "2", "--every", "1.5"}, "--every"},
        {{"--render", "a.png", "--frames", "2", "--every", "-15"}, "--every"},
        {{"--render", "a.png", "--frames", "2", "--every", "527041"}, "--every"},
        {{"--render", "a.png", "--dir", "up"}, "--dir"},
        {{"--render", "a.png", "--look", "180,35"}, "--look"},
        {{"--render", "a.png", "--fov", "60"}, "--fov"},
        {{"--render", "a.png", "--dir", "free", "--look", "180"}, "--look"},
        {{"--render", "a.png", "--dir", "free", "--look", "180,91"}, "--look"},
        {{"--render", "a.png", "--dir", "free", "--fov", "4.9"}, "--fov"},
        {{"--render", "a.png", "--dir", "free", "--fov", "181"}, "--fov"},
    };
    for (const Case& c : cases) {
        const CliParse r = parse(c.args);
        std::string joined;
        for (const std::string& a : c.args) joined += a + " ";
        EXPECT_FALSE(r.ok()) << joined;
        EXPECT_NE(r.error.find(c.mentions), std::string::npos) << joined << "-> " << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
    }
}

// Dates that do not exist are refused, naming the month's last day; the
// calendar is Julian before 1582-10-15 (so 1500-02-29 exists), Gregorian
// from then on (1900-02-29 does not, 2000-02-29 does).
TEST(ParseCommandLine, AtRefusesDatesThatDoNotExist) {
    const struct {
        const char* at;
        const char* error;  // empty: accepted
    } cases[] = {
        {"2026-02-31 10:00", "--at: 2026-02-31 does not exist; the last day of that month is 2026-02-28"},
        {"2024-02-30 10:00", "--at: 2024-02-30 does not exist; the last day of that month is 2024-02-29"},
        {"2026-04-31 00:00", "--at: 2026-04-31 does not exist; the last day of that month is 2026-04-30"},
        {"1900-02-29 00:00", "--at: 1900-02-29 does not exist; the last day of that month is 1900-02-28"},
        {"-4712-02-30 00:00", "--at: -4712-02-30 does not exist; the last day of that month is -4712-02-29"},
        {"1582-10-10 12:00", "--at: 1582-10-10 does not exist; the calendar goes from 1582-10-04 (Julian) to "
                             "1582-10-15 (Gregorian)"},
        {"2024-02-29 10:00", ""}, {"2000-02-29 10:00", ""}, {"1500-02-29 10:00", ""},
        {"1582-10-04 23:59", ""}, {"1582-10-15 00:00", ""}, {"2026-12-31 23:59", ""},
    };
    for (const auto& c : cases) {
        const CliParse r = parse({"--json", "--at", c.at});
        EXPECT_EQ(r.error, c.error) << c.at;
    }
}

// Echoed arguments stay one line of valid UTF-8: controls, C1 controls,
// bidirectional overrides and every byte of invalid UTF-8 are escaped.
TEST(QuotedArgument, EscapesWhatIsNotPrintableText) {
    const struct {
        std::string in;
        const char* out;
    } cases[] = {
        {"東京", "'東京'"},
        {"a\nb\x1b[31m\x7f", "'a\\x0ab\\x1b[31m\\x7f'"},
        {"caf\xe9.png", "'caf\\xe9.png'"},                       // Latin-1
        {"\xc5\xec\xb5\xfe", "'\\xc5\\xec\\xb5\\xfe'"},       // 東京 in EUC-JP
        {"\xc2\x85\xc2\x9b", "'\\u{0085}\\u{009b}'"},            // C1 NEL and CSI
        {"a\xe2\x80\xae" "b\xe2\x80\xa8", "'a\\u{202e}b\\u{2028}'"},  // RLO, line separator
        {"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80", "'\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80'"},
        {"\xe6\x9d", "'\\xe6\\x9d'"},                             // cut short
        {std::string("a\0b", 3), "'a\\x00b'"},
    };
    for (const auto& c : cases) EXPECT_EQ(quotedArgument(c.in), c.out);
    const CliParse r = parse({"--json", "--place", "\xb0\xed\n"});
    EXPECT_EQ(r.error, "--place: unknown place '\\xb0\\xed\\x0a'");
}

// The free view: where it looks and how wide, with defaults, into the
// picture query every mode uses.
TEST(ParseCommandLine, FreeViewLookAndFieldOfView) {
    const CliParse r = parse({"--render", "a.png", "--dir", "free", "--look", "120.5,-10", "--fov", "5"});
    ASSERT_TRUE(r.ok()) << r.error;
    const PictureQuery q = pictureQuery(r.options, 1);
    ASSERT_TRUE(q.free);
    EXPECT_EQ(q.free->azDeg, 120.5);
    EXPECT_EQ(q.free->altDeg, -10.0);
    EXPECT_EQ(q.free->fovDeg, 5.0);
    const PictureQuery d = pictureQuery(parse({"--render", "a.png", "--dir", "free"}).options, 1);
    ASSERT_TRUE(d.free);
    EXPECT_EQ(d.free->azDeg, 180.0);
    EXPECT_EQ(d.free->altDeg, 35.0);
    EXPECT_EQ(d.free->fovDeg, 90.0);
    EXPECT_FALSE(pictureQuery(parse({"--render", "a.png"}).options, 1).free);
}

TEST(ParseCommandLine, TrailsAndTimeLapse) {
    const CliParse r = parse({"--render", "a.mp4", "--trails", "0.5", "--frames", "9999", "--every", "527040"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.trailsHours, 0.5);
    EXPECT_EQ(r.options.frames, 9999);
    EXPECT_EQ(r.options.everyMinutes, 527040);
    EXPECT_EQ(parse({"--render", "a.png", "--trails", "24"}).options.trailsHours, 24.0);
    EXPECT_EQ(parse({"--render", "a.png"}).options.frames, 0);
}

TEST(UsageText, DocumentsEveryOption) {
    const std::string u = usageText();
    for (const char* opt : {"--json", "--render", "--help", "--at", "--place", "--lat", "--lon", "--dir",
                            "--show", "--constellations", "--scale", "--seed", "--trails", "--frames", "--every"})
        EXPECT_NE(u.find(opt), std::string::npos) << opt;
}

}  // namespace
}  // namespace app

namespace app {
namespace {

// Eclipses: the list of a span, one eclipse's table, its picture and
// series; what cannot go with them is refused by name.
TEST(ParseCommandLine, EclipseModes) {
    CliParse r = test::parse({"--eclipses", "2026", "2040", "--place", "那覇", "--json"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.mode, Mode::Eclipses);
    EXPECT_EQ(r.options.eclipsesFrom, "2026");
    EXPECT_EQ(r.options.eclipsesTo, "2040");
    EXPECT_TRUE(r.options.eclipseJson);
    r = test::parse({"--eclipse", "2035-09-02", "--render", "e.png", "--frames", "6"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.mode, Mode::Render);
    EXPECT_EQ(r.options.everyMinutes, 30);
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    for (const Case& c : {Case{{"--eclipses", "2026"}, "FROM and TO"},
                          Case{{"--eclipses", "2026", "2030", "--at", "2026-01-01 00:00"}, "--at"},
                          Case{{"--eclipse", "2026-03-03", "--find", "月"}, "--find"},
                          Case{{"--eclipse", "2026-03-03", "--render", "e.png", "--json"}, "--json"},
                          Case{{"--eclipse", "2026-03-03", "--dir", "east"}, "--dir"}}) {
        const CliParse bad = test::parse(c.args);
        EXPECT_FALSE(bad.ok());
        EXPECT_NE(bad.error.find(c.says), std::string::npos) << bad.error;
    }
}

}  // namespace
}  // namespace app
