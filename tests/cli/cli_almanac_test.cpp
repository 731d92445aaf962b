// The almanac on the command line: --almanac and --tz parsing, and the JSON
// member and CSV table built from an almanac day.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/session/almanac_text.h"
#include "app/cli/cli_args.h"
#include "tests/support/cli_parse.h"
#include "astro/calendar.h"
#include "catalog/catalog.h"
#include "catalog/ephemeris.h"

namespace app {
namespace {

using test::cat;
using test::parse;

TEST(AlmanacCommandLine, MonthAndZoneAreRead) {
    const CliParse r = parse({"--almanac", "2026-03", "--place", "東京"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.mode, Mode::Almanac);
    EXPECT_EQ(r.options.almanacYear, 2026);
    EXPECT_EQ(r.options.almanacMonth, 3);
    const CliParse z = parse({"--json", "--lat", "51.5", "--lon", "0", "--tz", "Europe/London"});
    ASSERT_TRUE(z.ok()) << z.error;
    EXPECT_EQ(z.options.timeZone, "Europe/London");
    EXPECT_TRUE(parse({"--almanac", "2026-12", "--lat", "-33.9", "--lon", "18.4", "--tz", "Etc/GMT-2"}).ok());
}

TEST(AlmanacCommandLine, MalformedInputIsOneLineNamingTheOption) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const Case cases[] = {
        {{"--almanac", "2026-3"}, "--almanac: '2026-3' is not a month \"YYYY-MM\""},
        {{"--almanac", "2026-13"}, "--almanac: month 13 is outside 1..12"},
        {{"--almanac", "2026-00"}, "--almanac: month 0 is outside 1..12"},
        {{"--almanac", "26-03"}, "--almanac"},
        {{"--almanac", "2026-03-01"}, "--almanac"},
        {{"--almanac", "２０２６-03"}, "--almanac"},
        {{"--almanac", ""}, "--almanac"},
        {{"--almanac"}, "--almanac needs a value"},
        {{"--almanac", "2026-03", "--json"}, "--almanac and --json cannot be used together"},
        {{"--almanac", "2026-03", "--render", "a.png"}, "--almanac and --render cannot be used together"},
        {{"--almanac", "2026-03", "--at", "2026-03-01 00:00"}, "--at does not apply to --almanac"},
        {{"--json", "--tz", "Europe/London"}, "--tz applies to a place given by --lat/--lon"},
        {{"--json", "--place", "東京", "--tz", "Asia/Tokyo"}, "--tz applies to a place given by --lat/--lon"},
        {{"--json", "--lat", "1", "--lon", "2", "--tz", "Europe London"}, "--tz: 'Europe London' is not a time zone"},
        {{"--json", "--lat", "1", "--lon", "2", "--tz", "../../etc/passwd"}, "--tz"},
        {{"--json", "--lat", "1", "--lon", "2", "--tz", "Asia/Tokyo\n"}, "--tz: 'Asia/Tokyo\\x0a'"},
        {{"--json", "--lat", "1", "--lon", "2", "--tz", ""}, "--tz"},
        // 透明半球 (--view sunpath): a file to write, its own picture.
        {{"--view", "orbit", "--render", "a.png"}, "--view: 'orbit' is not a view (sunpath, phases, moonlog, orbits)"},
        {{"--view", "orbits", "--render", "a.png", "--dir", "zenith"}, "--view orbits faces north, east, south or west"},
        {{"--view", "orbits", "--render", "a.png", "--frames", "3"}, "--frames needs --every as well"},
        {{"--view", "orbits", "--find", "金星", "--dir", "east"}, "--find --view orbits takes"},
        {{"--extent", "mars", "--render", "a.png"}, "--extent needs --view orbits"},
        {{"--view", "orbits", "--render", "a.png", "--extent", "pluto"}, "--extent: 'pluto' is not mars, saturn or neptune"},
        {{"--dir", "southwest", "--render", "a.png"}, "--dir southwest is for --view moonlog"},
        {{"--view", "moonlog", "--render", "a.png", "--frames", "9"}, "at most 8 Moons"},
        {{"--view", "moonlog", "--render", "a.png", "--dir", "zenith"}, "--view moonlog faces north"},
        {{"--body", "金星", "--render", "a.png"}, "--body needs --view phases"},
        {{"--view", "phases", "--render", "a.png", "--every", "90"}, "--every for --view phases is in days"},
        {{"--view", "phases", "--render", "a.png", "--frames", "41"}, "at most 40 discs"},
        {{"--view", "sunpath"}, "--view needs --render FILE"},
        {{"--seasons", "--render", "a.png"}, "--seasons needs --view sunpath"},
        {{"--view", "sunpath", "--render", "a.png", "--dir", "east"}, "--view sunpath draws its own picture"},
        {{"--view", "sunpath", "--render", "a.png", "--frames", "3"}, "--frames does not apply to --view sunpath"},
        {{"--view", "sunpath", "--render", "a.png", "--seasons", "--blank"}, "--seasons and --blank cannot be used together"},
        {{"--view", "sunpath", "--json"}, "--view and --json cannot be used together"},
    };
    for (const Case& c : cases) {
        const CliParse r = parse(c.args);
        EXPECT_FALSE(r.ok()) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_NE(r.error.find(c.says), std::string::npos) << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
    }
}

TEST(AlmanacCommandLine, UsageNamesTheNewOptions) {
    const std::string u = usageText();
    EXPECT_NE(u.find("--almanac YYYY-MM"), std::string::npos);
    EXPECT_NE(u.find("--tz ZONE"), std::string::npos);
}

// A zone west of Greenwich with half an hour in its offset.
int stJohns(double) { return -(3 * 3600 + 30 * 60); }

TEST(AlmanacText, LocalTimesCarryTheirOffsetAndStayInTheirDay) {
    const double jd = astro::ymdYD(2026, 3, 20) + (5.0 * 3600 + 45 * 60 + 12) / 86400.0 - 9.0 / 24.0;
    EXPECT_EQ(isoLocalTime(jd, astro::fixedUtcOffset(9 * 3600)), "2026-03-20T05:45:12+09:00");
    EXPECT_EQ(isoLocalTime(jd, stJohns), "2026-03-19T17:15:12-03:30");
    EXPECT_EQ(isoLocalTime(jd, astro::fixedUtcOffset(0)), "2026-03-19T20:45:12+00:00");

    // To the minute: 05:45:29 -> 05:45, 05:45:30 -> 05:46, and 23:59:40 stays 23:59.
    const auto zone = astro::fixedUtcOffset(0);
    const astro::AlmanacDay day = astro::almanacDay(catalog::ephemerisTables(), {2026, 3, 20}, 0.0, 0.0, zone);
    const double midnight = day.startJdUt;
    EXPECT_EQ(hourMinute(midnight + (5 * 3600 + 45 * 60 + 29) / 86400.0, day, zone), "05:45");
    EXPECT_EQ(hourMinute(midnight + (5 * 3600 + 45 * 60 + 30) / 86400.0, day, zone), "05:46");
    EXPECT_EQ(hourMinute(midnight + (86400 - 20) / 86400.0, day, zone), "23:59");
    EXPECT_EQ(hourMinute(std::nullopt, day, zone), "--:--");
}

TEST(AlmanacText, JsonMemberAndMonthTable) {
    LocalZone jst;
    const astro::AlmanacDay d = astro::almanacDay(catalog::ephemerisTables(), {2006, 1, 22}, 35.65, 139.75, jst.offset);
    const std::string j = almanacJson(d, jst);
    EXPECT_NE(j.find("\"date\": \"2006-01-22\""), std::string::npos);
    EXPECT_NE(j.find("\"timeZone\": \"Asia/Tokyo\""), std::string::npos);
    EXPECT_NE(j.find("\"moon\": {\"rise\": null, "), std::string::npos) << j;
    EXPECT_NE(j.find("\"set\": \"2006-01-22T10:32:"), std::string::npos) << j;
    EXPECT_NE(j.find("\"moonPhases\": [{\"phase\": \"lastQuarter\", \"time\": \"2006-01-23T00:1"), std::string::npos) << j;
    EXPECT_EQ(j.find("nan"), std::string::npos);

    const std::string csv = almanacCsv(astro::almanacMonth(catalog::ephemerisTables(), 2006, 1, 35.65, 139.75, jst.offset), jst);
    std::vector<std::string> lines;
    for (std::size_t at = 0, nl; (nl = csv.find('\n', at)) != std::string::npos; at = nl + 1)
        lines.push_back(csv.substr(at, nl - at));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "日付,日の出,日の入り,月の出,月の入り,月齢,月相,水星の出,水星の入り,金星の出,金星の入り,"
                        "火星の出,火星の入り,木星の出,木星の入り,土星の出,土星の入り,天王星の出,天王星の入り,海王星の出,海王星の入り");
    // 22 January: no moonrise (empty cell), moonset 10:33, age 22.0; the
    // last quarter falls in the first minutes of the 23rd.
    EXPECT_EQ(lines[22].substr(0, 11), "2006-01-22,");
    EXPECT_NE(lines[22].find(",,10:33,22.0,"), std::string::npos) << lines[22];
    EXPECT_NE(lines[23].find("下弦"), std::string::npos) << lines[23];
}

}  // namespace
}  // namespace app
