#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/cli/cli_queries.h"
#include "astro/astro.h"

namespace app {
namespace {

using namespace std::chrono;

const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

// The number written after "key": at or after position from.
double numberAfter(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::size_t k = json.find("\"" + key + "\": ", from);
    EXPECT_NE(k, std::string::npos) << key;
    if (k == std::string::npos) return 0.0;
    return std::strtod(json.c_str() + k + key.size() + 4, nullptr);
}

TEST(JstFromSystemClock, AddsNineHoursWhateverTheTimeZone) {
    // 2004-12-31 20:00:30 UTC is 2005-01-01 05:00 JST.
    const auto t = sys_days{year{2004} / 12 / 31} + hours(20) + seconds(30);
    const astro::CivilMinute m = jstFromSystemClock(t);
    EXPECT_EQ(m.year, 2005);
    EXPECT_EQ(m.month, 1);
    EXPECT_EQ(m.day, 1);
    EXPECT_EQ(m.hour, 5);
    EXPECT_EQ(m.minute, 0);
    const astro::CivilMinute early = jstFromSystemClock(sys_days{year{1969} / 12 / 31} + hours(14) + minutes(59));
    EXPECT_EQ(early.year, 1969);
    EXPECT_EQ(early.day, 31);
    EXPECT_EQ(early.hour, 23);
    EXPECT_EQ(early.minute, 59);
}

TEST(SkyRequest, DefaultsToNowOverTokyo) {
    CliOptions o;
    o.mode = Mode::Json;
    const SkyRequest r = skyRequest(o, cat(), sys_days{year{2010} / 6 / 15} + hours(3));
    EXPECT_EQ(r.input.year, 2010);
    EXPECT_EQ(r.input.day, 15.0);
    EXPECT_EQ(r.input.hour, 12.0);
    EXPECT_EQ(r.input.latDeg, 35.65);
    EXPECT_EQ(r.input.lonDeg, 139.75);
    EXPECT_EQ(r.placeName, "東京");
}

TEST(SkyRequest, PlaceAndCoordinatesWin) {
    CliOptions o;
    o.placeIndex = catalog::findPlace(cat(), "ホノルル");
    SkyRequest r = skyRequest(o, cat(), system_clock::now());
    EXPECT_EQ(r.input.latDeg, 21.35);
    EXPECT_EQ(r.input.lonDeg, -157.93);
    EXPECT_EQ(r.placeName, "ホノルル");
    o.placeIndex = 0;
    o.latDeg = -33.0;
    o.lonDeg = 151.0;
    r = skyRequest(o, cat(), system_clock::now());
    EXPECT_EQ(r.input.latDeg, -33.0);
    EXPECT_TRUE(r.placeName.empty());
}

TEST(SkyJson, NewYear2005MorningInTokyo) {
    CliOptions o;
    o.year = 2005;
    o.month = 1;
    o.day = 1;
    o.hour = 5;
    o.minute = 0;
    o.latDeg = 35.65;
    o.lonDeg = 139.75;
    const SkyRequest req = skyRequest(o, cat(), system_clock::now());
    const astro::SkyState sky = astro::computeSky(req.input);
    const std::string j = skyJson(sky, req);

    EXPECT_NEAR(numberAfter(j, "utDay") - (31.0 + 20.0 / 24.0), 0.0, 1e-8);
    // Seventeen digits: every number reads back to the same double.
    EXPECT_EQ(numberAfter(j, "jcent"), sky.jcent);
    EXPECT_EQ(numberAfter(j, "siderealTime"), sky.siderealTimeHours);
    EXPECT_EQ(numberAfter(j, "moonLimbAngle"), sky.moonLimbAngleDeg);
    const char* names[] = {"Sun", "Moon", "Venus", "Mars", "Jupiter", "Saturn"};
    std::size_t at = 0;
    for (int b = 0; b < astro::kBodyCount; ++b) {
        at = j.find(std::string("{\"name\": \"") + names[b] + "\"", at);
        ASSERT_NE(at, std::string::npos) << names[b];
        EXPECT_EQ(numberAfter(j, "ra", at), sky.bodyRaHours[b]);
        EXPECT_EQ(numberAfter(j, "az", at), sky.bodyAzDeg[b]);
    }
    const std::size_t sun = j.find("\"Sun\"");
    EXPECT_LT(numberAfter(j, "alt", sun), 0.0);
    const std::size_t input = j.find("\"input\"");
    EXPECT_EQ(numberAfter(j, "year", input), 2005.0);
    EXPECT_EQ(numberAfter(j, "latitude", input), 35.65);
    EXPECT_NE(j.find("\"place\": null"), std::string::npos);
    EXPECT_EQ(j.find("nan"), std::string::npos);
    EXPECT_EQ(j.find("inf"), std::string::npos);
}

TEST(SkyJson, EscapesThePlaceName) {
    SkyRequest req;
    req.placeName = "a\"b\\c\x01";
    const std::string j = skyJson(astro::SkyState{}, req);
    EXPECT_NE(j.find(R"("place": "a\"b\\c\u0001")"), std::string::npos) << j;
}

}  // namespace
}  // namespace app
