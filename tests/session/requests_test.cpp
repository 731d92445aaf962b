// What a front end sends before the session answers it: the JSON of the
// browser's requests, read strictly, and the names of time zones, refused
// before any zone data is asked.
#include <gtest/gtest.h>

#include <string>

#include "app/session/json_reader.h"
#include "app/session/zone.h"

namespace {

TEST(JsonReader, ReadsEveryFormRfc8259Allows) {
    std::string error;
    const auto v = app::readJson(
        R"( {"s": "a\"b\\c\/\b\f\n\r\t\u0041\u00e9\u6771\ud83c\udf19", "n": [0, -1.5e3, 2E-2, 1e308],
            "t": true, "f": false, "z": null, "o": {"k": []}} )",
        error);
    ASSERT_TRUE(v) << error;
    const app::JsonValue::Object& o = *v->object();
    EXPECT_EQ(*o.at("s").string(), "a\"b\\c/\b\f\n\r\tAé東🌙");
    const app::JsonValue::Array& n = *o.at("n").array();
    ASSERT_EQ(n.size(), 4u);
    EXPECT_EQ(*n[0].number(), 0.0);
    EXPECT_EQ(*n[1].number(), -1500.0);
    EXPECT_EQ(*n[2].number(), 0.02);
    EXPECT_EQ(*n[3].number(), 1e308);
    EXPECT_TRUE(*o.at("t").boolean());
    EXPECT_FALSE(*o.at("f").boolean());
    EXPECT_TRUE(o.at("z").isNull());
    EXPECT_TRUE(o.at("o").object()->at("k").array()->empty());
}

TEST(JsonReader, RefusesWhatIsNotJsonAndSaysWhere) {
    const char* refused[] = {
        "",
        "{",
        "{\"a\": 1,}",
        "[1, 2,]",
        "{\"a\" 1}",
        "{a: 1}",
        "01",
        "1.",
        "1e",
        "-",
        "1e400",
        "NaN",
        "'a'",
        "\"a",
        "\"tab\there\"",
        "\"\\x41\"",
        "\"\\u12\"",
        "\"\\ud800\"",
        "\"\\udc00\\ud800\"",
        "\"\xff\"",
        "\"\xe3\x82\"",
        "\"\xc0\xaf\"",
        "{\"a\": 1, \"a\": 2}",
        "[] []",
        "tru",
    };
    for (const char* text : refused) {
        std::string error;
        EXPECT_FALSE(app::readJson(text, error)) << text;
        EXPECT_NE(error.find(" at byte "), std::string::npos) << text << ": " << error;
    }
    std::string error;
    EXPECT_FALSE(app::readJson("{\"op\": \"json\", \"at\": tru}", error));
    EXPECT_EQ(error, "not a value at byte 21");  // where "tru" starts
}

TEST(JsonReader, NestingStopsAtItsLimit) {
    std::string error;
    const auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    EXPECT_TRUE(app::readJson(nested(app::kJsonMaxDepth + 1), error)) << error;
    EXPECT_FALSE(app::readJson(nested(app::kJsonMaxDepth + 2), error));
    // Far deeper than the stack could follow: refused, not a crash.
    EXPECT_FALSE(app::readJson(nested(1'000'000), error));
    EXPECT_NE(error.find("nested too deeply"), std::string::npos);
}

// One rule for a zone's name on the desktop and in the browser: the zone
// data's own spelling; anything that could reach a file name never does.
TEST(ZoneNames, OnlyNamesTheZoneDataCouldHoldAreAskedFor) {
    for (const char* ok : {"Asia/Tokyo", "America/Argentina/Buenos_Aires", "Etc/GMT+9", "Etc/GMT-14", "UTC",
                           "europe/london"})
        EXPECT_TRUE(app::plausibleZoneName(ok)) << ok;
    for (const char* bad : {"", "/etc/passwd", "Asia/", "/Asia", "a//b", "../x", "Asia/../Tokyo", "Asia Tokyo",
                            "Asia/Tōkyō", "Asia\\Tokyo"})
        EXPECT_FALSE(app::plausibleZoneName(bad)) << bad;
    EXPECT_FALSE(app::plausibleZoneName(std::string(65, 'a')));
    // The lookup is never asked about a name of the wrong shape, and its
    // answer, not the spelling, decides the rest.
    int asked = 0;
    const app::ZoneLookup lookup = [&](const std::string& name) -> std::optional<astro::UtcOffsetFn> {
        ++asked;
        if (name == "Europe/London") return astro::fixedUtcOffset(0);
        return std::nullopt;
    };
    EXPECT_FALSE(app::resolveZone("../../etc/passwd", lookup));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(app::resolveZone("Europe/London", lookup));
    EXPECT_FALSE(app::resolveZone("europe/london", lookup));
    EXPECT_TRUE(app::resolveZone("Asia/Tokyo", {}));
}

}  // namespace
