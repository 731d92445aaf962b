#include "app/session/sky_request.h"

#include "app/session/json_writer.h"

namespace app {

namespace {

constexpr const char* kBodyKeys[astro::kBodyCount] = {"Sun", "Moon", "Venus", "Mars", "Jupiter", "Saturn"};

}  // namespace

astro::CivilMinute jstFromSystemClock(std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const auto jst = time_point_cast<minutes>(now) + hours(9);
    const sys_days day = floor<days>(jst);
    const year_month_day ymd{day};
    const auto inDay = duration_cast<minutes>(jst - day);
    astro::CivilMinute m;
    m.year = static_cast<int>(ymd.year());
    m.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    m.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    m.hour = static_cast<int>(inDay.count() / 60);
    m.minute = static_cast<int>(inDay.count() % 60);
    return m;
}

std::string skyJson(const astro::SkyState& sky, const SkyRequest& req) {
    std::string j = "{\n";
    const auto field = [&](const char* name, const std::string& value, bool last = false) {
        j += "  \"" + std::string(name) + "\": " + value + (last ? "\n" : ",\n");
    };
    field("jcent", jsonRoundTrip(sky.jcent));
    field("utDay", jsonRoundTrip(sky.utDay));
    field("siderealTime", jsonRoundTrip(sky.siderealTimeHours));
    field("sunLon", jsonRoundTrip(sky.sunLonDeg));
    field("sunDist", jsonRoundTrip(sky.sunDistAu));
    field("nutLon", jsonRoundTrip(sky.nutLonDeg));
    field("obliquity", jsonRoundTrip(sky.obliquityDeg));
    j += "  \"bodies\": [\n";
    for (int b = 0; b < astro::kBodyCount; ++b) {
        j += "    {\"name\": " + jsonString(kBodyKeys[b]) + ", \"ra\": " + jsonRoundTrip(sky.bodyRaHours[b]) +
             ", \"dec\": " + jsonRoundTrip(sky.bodyDecDeg[b]) + ", \"alt\": " + jsonRoundTrip(sky.bodyAltDeg[b]) +
             ", \"az\": " + jsonRoundTrip(sky.bodyAzDeg[b]) + (b + 1 < astro::kBodyCount ? "},\n" : "}\n");
    }
    j += "  ],\n";
    field("moonIllum", jsonRoundTrip(sky.moonIllum));
    field("moonLimbAngle", jsonRoundTrip(sky.moonLimbAngleDeg));
    const astro::SkyInput& in = req.input;
    j += "  \"input\": {\"year\": " + std::to_string(in.year) + ", \"month\": " + std::to_string(in.month) +
         ", \"day\": " + jsonRoundTrip(in.day) + ", \"hour\": " + jsonRoundTrip(in.hour) +
         ", \"minute\": " + jsonRoundTrip(in.minute) + ", \"latitude\": " + jsonRoundTrip(in.latDeg) +
         ", \"longitude\": " + jsonRoundTrip(in.lonDeg) +
         ", \"place\": " + (req.placeName.empty() ? std::string("null") : jsonString(req.placeName)) + "}\n";
    j += "}\n";
    return j;
}

}  // namespace app
