// The browser's JSON requests and the command line's arguments are two ways
// of asking the same session: the same question gives the same bytes, and
// no request, however malformed, changes another request or goes unanswered.
#include <gtest/gtest.h>

#include <cmath>

#include <chrono>
#include <string>
#include <vector>

#include "app/cli/cli_queries.h"
#include "app/session/almanac_text.h"
#include "app/session/draw_list.h"
#include "app/session/json_requests.h"
#include "app/session/orbit_answer.h"
#include "app/session/pointing_json.h"
#include "tests/support/cli_parse.h"

namespace app {
namespace {

using test::cat;
using test::parse;

const Clock::time_point kNow = std::chrono::sys_days{std::chrono::year{2026} / 1 / 15} + std::chrono::hours(13);

// Zone data that knows one zone besides Japan's: London, UTC+0 all year.
ZoneLookup londonOnly() {
    return [](const std::string& name) -> std::optional<astro::UtcOffsetFn> {
        if (name != "Europe/London") return std::nullopt;
        return astro::fixedUtcOffset(0);
    };
}

std::string ask(const std::string& json) { return answerJsonRequest(json, cat(), londonOnly(), kNow); }

// What the command line prints for the same arguments, by the session's
// formatters and the same zone data.
std::string printed(const std::vector<std::string>& args) {
    const CliParse p = parse(args);
    EXPECT_TRUE(p.ok()) << p.error;
    const CliOptions& o = p.options;
    std::string error;
    const std::optional<LocalZone> zone = zoneFor(skyQuery(o), cat(), londonOnly(), error);
    EXPECT_TRUE(zone) << error;
    switch (o.mode) {
    case Mode::Json: return skyAnswerJson(answerSky(skyQuery(o), cat(), *zone, kNow), *zone);
    case Mode::Find: return findResultJson(answerFind(findQuery(o), cat(), *zone, kNow), o.scale, *zone);
    case Mode::Almanac: return almanacCsv(answerAlmanacMonth(almanacQuery(o), cat(), *zone, kNow), *zone);
    case Mode::Tonight: return tonightAnswerText(answerTonight(skyQuery(o), cat(), *zone, kNow), *zone, o.tonightJson);
    case Mode::Identify: {
        const IdentifyAnswer a = answerIdentify(identifyQuery(o, *o.seed), cat(), *zone, kNow);
        return identifyJson(a.point, a.card);
    }
    case Mode::Render: return answerDrawList(pictureQuery(o, *o.seed), cat(), LocalZone{}, kNow);
    default: ADD_FAILURE() << "unexpected mode"; return {};
    }
}

TEST(JsonRequests, AnswerWhatTheCommandLinePrintsForTheSameQuestion) {
    struct Case {
        std::string request;
        std::vector<std::string> args;
    };
    const std::string tokyo = R"("at": "2026-01-15 22:00", "place": "東京")";
    const Case cases[] = {
        {R"({"op": "json", )" + tokyo + "}", {"--json", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "json", "at": "1850-06-01 12:00", "lat": 51.5, "lon": -0.1, "tz": "Europe/London"})",
         {"--json", "--at", "1850-06-01 12:00", "--lat", "51.5", "--lon", "-0.1", "--tz", "Europe/London"}},
        {R"({"op": "find", "name": "シリウス", )" + tokyo + "}", {"--find", "シリウス", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "find", "name": "ベガ", "dir": "zenith", "scale": 2, )" + tokyo + "}",
         {"--find", "ベガ", "--dir", "zenith", "--scale", "2", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "almanac", "month": "2026-03", "place": "札幌"})", {"--almanac", "2026-03", "--place", "札幌"}},
        {R"({"op": "tonight", "json": true, )" + tokyo + "}", {"--tonight", "--json", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "tonight", )" + tokyo + "}", {"--tonight", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "identify", "x": 500, "y": 300, "dir": "east", "seed": 3, )" + tokyo + "}",
         {"--identify", "500,300", "--dir", "east", "--seed", "3", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "drawList", "dir": "zenith", "show": ["names", "constellations", "meteors"], "constellations": ["オリオン座"], "seed": 1, )" + tokyo + "}",
         {"--render", "x.json", "--dir", "zenith", "--show", "names,constellations,meteors", "--constellations", "オリオン座",
          "--seed", "1", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "drawList", "dir": "free", "look": {"az": 120, "alt": 20}, "fov": 150, "seed": 1, )" + tokyo + "}",
         {"--render", "x.json", "--dir", "free", "--look", "120,20", "--fov", "150", "--seed", "1", "--at",
          "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "identify", "x": 500, "y": 300, "dir": "free", "look": {"az": 90, "alt": 10}, "fov": 30, )" + tokyo + "}",
         {"--identify", "500,300", "--dir", "free", "--look", "90,10", "--fov", "30", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "find", "name": "ベテルギウス", "dir": "free", "fov": 60, )" + tokyo + "}",
         {"--find", "ベテルギウス", "--dir", "free", "--fov", "60", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "find", "name": "リゲル", "dir": "free", "look": {"az": 200, "alt": 30}, "fov": 120, )" + tokyo + "}",
         {"--find", "リゲル", "--dir", "free", "--look", "200,30", "--fov", "120", "--at", "2026-01-15 22:00", "--place", "東京"}},
        {R"({"op": "drawList", "dir": "south", "style": "natural", "show": ["names"], "seed": 1, )" + tokyo + "}",
         {"--render", "x.json", "--dir", "south", "--style", "natural", "--show", "names", "--seed", "1", "--at",
          "2026-01-15 22:00", "--place", "東京"}},
        // The timer's step by the program's calendar.
        {R"({"op": "step", "at": "1582-10-04 23:30", "minutes": 60})", {}},
    };
    for (const Case& c : cases) {
        if (c.args.empty()) continue;
        EXPECT_EQ(ask(c.request), printed(c.args)) << c.request;
    }
    EXPECT_EQ(ask(R"({"op": "step", "at": "1582-10-04 23:30", "minutes": 60})"), "{\"date\": \"1582-10-15\", \"time\": \"00:30\"}\n");
    EXPECT_EQ(ask(R"({"op": "step", "at": "0999-12-31 23:30", "minutes": 60})"), "{\"date\": \"1000-01-01\", \"time\": \"00:30\"}\n");
}

// Found in the free view, an object's pixel names it again when pointed at
// in the same view, centred on it or in a view given by look and fov; the
// frame tells the view's centre and scale.
TEST(JsonRequests, FoundInTheFreeViewIsPointedAtAgain) {
    const std::string tokyo = R"("at": "2026-01-15 22:00", "place": "東京")";
    const auto number = [](const std::string& json, const std::string& key) {
        const std::size_t at = json.find("\"" + key + "\": ");
        return at == std::string::npos ? NAN : std::stod(json.substr(at + key.size() + 4));
    };
    for (const std::string& look : {std::string(), std::string(R"("look": {"az": 150, "alt": 40}, )")}) {
        for (const char* name : {"ベテルギウス", "シリウス", "木星"}) {
            const std::string found = ask(R"({"op": "find", "dir": "free", "fov": 100, "name": ")" + std::string(name) +
                                          R"(", )" + look + tokyo + "}");
            ASSERT_NE(found.find("\"inView\": true"), std::string::npos) << found;
            const double x = number(found, "x"), y = number(found, "y");
            if (look.empty()) {
                EXPECT_NEAR(x, number(found, "centreX"), 0.1) << found;  // centred on it
                EXPECT_NEAR(y, number(found, "centreY"), 0.1) << found;
            }
            // fov 100 across 977 px: 977 / (4 tan 25°) px a radian at the centre.
            EXPECT_NEAR(number(found, "pxPerRadian"), 977.0 / (4.0 * std::tan(25.0 * M_PI / 180.0)), 0.5);
            const std::string centre = look.empty() ? R"("look": {"az": )" + std::to_string(number(found, "az")) +
                                                          R"(, "alt": )" + std::to_string(number(found, "alt")) + "}, "
                                                    : look;
            const std::string there = ask(R"({"op": "identify", "dir": "free", "fov": 100, "x": )" + std::to_string(x) +
                                          ", \"y\": " + std::to_string(y) + ", " + centre + tokyo + "}");
            EXPECT_NE(there.find(std::string("\"name\": \"") + name), std::string::npos) << there;
        }
    }
}

// Every request that cannot be answered as asked gets {"error", "status": 2};
// a name is one value exactly as given, separators and NULs included; a
// request never changes the answer to the next one.
TEST(JsonRequests, MalformedRequestsAreRefusedAndLeaveLaterAnswersAlone) {
    const std::string before = ask(R"({"op": "drawList", "at": "2026-01-15 22:00", "place": "東京", "seed": 1})");
    const std::vector<std::string> refused = {
        "",
        "not json {",
        R"({"op": "json", "at": "2026-02-31 00:00"})",
        R"({"op": "json", "place": "存在しない町"})",
        R"({"op": "json", "place": "入力"})",
        R"({"op": "json", "lat": 91, "lon": 0})",
        R"({"op": "json", "lat": 35})",
        R"({"op": "json", "lat": 51.5, "lon": 0, "tz": "europe/london"})",
        R"({"op": "json", "lat": 51.5, "lon": 0, "tz": "../../etc/passwd"})",
        R"({"op": "json", "place": "東京", "place": "札幌"})",
        R"({"op": "json", "plcae": "東京"})",
        R"({"op": "json", "at": 2026})",
        R"({"op": "find", "name": "ベガ\u001f--at\u001f1900-01-01 00:00", "place": "東京"})",
        R"({"op": "find", "name": "シリウス\u0000xyz", "at": "2026-01-15 22:00"})",
        R"({"op": "find", "name": "\ud800"})",
        R"({"op": "drawList", "scale": 1e400})",
        R"({"op": "drawList", "seed": -1})",
        R"({"op": "drawList", "show": ["names", 5]})",
        R"({"op": "drawList", "dir": "up"})",
        R"({"op": "drawList", "look": {"az": 1, "alt": 2}})",
        R"({"op": "drawList", "dir": "free", "look": {"az": 1}})",
        R"({"op": "drawList", "dir": "free", "look": {"az": 1, "alt": 91}})",
        R"({"op": "drawList", "dir": "free", "look": {"az": 1, "alt": 2, "roll": 3}})",
        R"({"op": "drawList", "dir": "free", "fov": 200})",
        R"({"op": "step", "at": "32767-12-31 23:30", "minutes": 60})",
        R"({"op": "step", "at": "2026-01-01 00:00", "minutes": 1.5})",
        R"({"op": "step", "at": "2026-01-01 00:00"})",
        R"({"op": "identify", "x": 1e9, "y": 0})",
        R"({"op": "almanac", "month": "2026-13"})",
        R"({"op": "frobnicate"})",
        // The lessons' views: each field checked as the command line's options are.
        R"({"op": "orbits", "target": "地球"})",
        R"({"op": "orbits", "extent": "pluto"})",
        R"({"op": "orbits", "facing": "south"})",
        R"({"op": "orbits", "find": "冥王星"})",
        R"({"op": "moonCard", "face": "up"})",
        R"({"op": "moonCard", "count": 9})",
        R"({"op": "phases", "body": "火星"})",
        R"({"op": "phases", "every": 61})",
        R"({"op": "sunPath", "seasons": "yes"})",
        std::string(40, '[') + std::string(40, ']'),
        "{\"op\": \"find\", \"name\": \"" + std::string(2'000'000, 'a') + "\"}",
        std::string("{\"op\": \"json\", \"place\": \"\xff\"}"),
    };
    for (const std::string& r : refused) {
        const std::string a = ask(r);
        EXPECT_EQ(a.rfind("{\"error\": ", 0), 0u) << r.substr(0, 80) << " -> " << a.substr(0, 120);
        EXPECT_NE(a.find("\"status\": 2"), std::string::npos) << r.substr(0, 80);
    }
    EXPECT_EQ(ask(R"({"op": "drawList", "at": "2026-01-15 22:00", "place": "東京", "seed": 1})"), before);
    // The lists and "now" the page starts from.
    EXPECT_EQ(ask(R"({"op": "now"})"), "{\"date\": \"2026-01-15\", \"time\": \"22:00\"}\n");
    EXPECT_EQ(ask(R"({"op": "viewport"})"), "{\"twipsPerPixel\": 15, \"widthPx\": 977, \"heightPx\": 625}\n");
}

// 宇宙から見た図 from the page: a planet found by any of its names sits at
// the pixel the page's frame gives, the Sun at the frame's centre, and a
// pixel near a planet names it (what a tap chooses).
TEST(JsonRequests, OrbitsFindTheirBodiesByAnyName) {
    const std::string at = R"("at": "2026-08-15 19:00", "place": "東京")";
    const std::string sun = ask(R"({"op": "orbits", "find": "たいよう", )" + at + "}");
    EXPECT_NE(sun.find(R"("x": 393.07, "y": 438.43)"), std::string::npos) << sun;
    EXPECT_NE(sun.find(R"("sunX": 393.07, "sunY": 438.43)"), std::string::npos) << sun;
    for (const char* name : {"金星", "きんせい", "Venus", "ｷﾝｾｲ"})
        EXPECT_NE(ask(std::string(R"({"op": "orbits", "find": ")") + name + "\", " + at + "}").find(R"("name": "金星", "x": 401.08)"),
                  std::string::npos)
            << name;
    const catalog::Catalogue& c = cat();
    SkyQuery q;
    q.at = astro::CivilMinute{2026, 8, 15, 19, 0};
    q.placeIndex = catalog::findPlace(c, "東京");
    const OrbitAnswer a = answerOrbits({q, 180.0, std::nullopt, view::OrbitExtent::Neptune}, c, LocalZone{}, kNow);
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        const OrbitPixel p = orbitPixel(a, static_cast<astro::Planet>(i));
        EXPECT_TRUE(p.inside);
        EXPECT_EQ(orbitBodyAt(a, p.x + 3.0, p.y - 3.0, 6.0), view::kPlanetNames[i]);
    }
    EXPECT_EQ(orbitBodyAt(a, 5.0, 5.0), "");
}

}  // namespace
}  // namespace app
