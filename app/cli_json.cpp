#include "app/cli_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/cli_almanac.h"
#include "app/commands.h"
#include "astro/astro.h"

namespace app {

namespace {

constexpr double kTokyoLatDeg = 35.65;
constexpr double kTokyoLonDeg = 139.75;
constexpr const char* kTokyo = "東京";
constexpr const char* kBodyNames[astro::kBodyCount] = {"Sun", "Moon", "Venus", "Mars", "Jupiter", "Saturn"};

// 17 significant digits, like %.17g but independent of the C locale. The core
// never produces NaN or infinity; should one ever arrive, JSON has no
// spelling for it, so it is written as null.
std::string number(double x) {
    if (!std::isfinite(x)) return "null";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 17);
    return std::string(buf, res.ptr);
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

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

SkyRequest skyRequest(const CliOptions& opt, const catalog::Catalogue& cat,
                      std::chrono::system_clock::time_point now) {
    SkyRequest r;
    astro::SkyInput& in = r.input;
    if (opt.year && opt.month && opt.day && opt.hour && opt.minute) {
        in.year = *opt.year;
        in.month = *opt.month;
        in.day = *opt.day;
        in.hour = *opt.hour;
        in.minute = *opt.minute;
    } else {
        const astro::CivilMinute m = jstFromSystemClock(now);
        in.year = m.year;
        in.month = m.month;
        in.day = m.day;
        in.hour = m.hour;
        in.minute = m.minute;
    }

    const auto placeOk = [&](int k) { return k >= 1 && static_cast<std::size_t>(k) < cat.places.size(); };
    if (opt.latDeg && opt.lonDeg) {
        in.latDeg = *opt.latDeg;
        in.lonDeg = *opt.lonDeg;
    } else if (placeOk(opt.placeIndex)) {
        const catalog::Place& p = cat.places[static_cast<std::size_t>(opt.placeIndex)];
        in.latDeg = p.latDeg;
        in.lonDeg = p.lonDeg;
        r.placeName = p.name;
    } else {
        in.latDeg = kTokyoLatDeg;
        in.lonDeg = kTokyoLonDeg;
        r.placeName = kTokyo;
    }
    return r;
}

std::string skyJson(const astro::SkyState& sky, const SkyRequest& req) {
    std::string j = "{\n";
    const auto field = [&](const char* name, const std::string& value, bool last = false) {
        j += "  \"" + std::string(name) + "\": " + value + (last ? "\n" : ",\n");
    };
    field("jcent", number(sky.jcent));
    field("utDay", number(sky.utDay));
    field("siderealTime", number(sky.siderealTimeHours));
    field("sunLon", number(sky.sunLonDeg));
    field("sunDist", number(sky.sunDistAu));
    field("nutLon", number(sky.nutLonDeg));
    field("obliquity", number(sky.obliquityDeg));
    j += "  \"bodies\": [\n";
    for (int b = 0; b < astro::kBodyCount; ++b) {
        j += "    {\"name\": " + jsonString(kBodyNames[b]) + ", \"ra\": " + number(sky.bodyRaHours[b]) +
             ", \"dec\": " + number(sky.bodyDecDeg[b]) + ", \"alt\": " + number(sky.bodyAltDeg[b]) +
             ", \"az\": " + number(sky.bodyAzDeg[b]) + (b + 1 < astro::kBodyCount ? "},\n" : "}\n");
    }
    j += "  ],\n";
    field("moonIllum", number(sky.moonIllum));
    field("moonLimbAngle", number(sky.moonLimbAngleDeg));
    const astro::SkyInput& in = req.input;
    j += "  \"input\": {\"year\": " + std::to_string(in.year) + ", \"month\": " + std::to_string(in.month) +
         ", \"day\": " + number(in.day) + ", \"hour\": " + number(in.hour) +
         ", \"minute\": " + number(in.minute) + ", \"latitude\": " + number(in.latDeg) +
         ", \"longitude\": " + number(in.lonDeg) +
         ", \"place\": " + (req.placeName.empty() ? std::string("null") : jsonString(req.placeName)) + "}\n";
    j += "}\n";
    return j;
}

int runJson(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    const SkyRequest req = skyRequest(opt, cat, std::chrono::system_clock::now());
    const astro::SkyState sky = astro::computeSky(req.input);
    std::string text = skyJson(sky, req);
    // The almanac of the local day containing the moment, as the last member.
    const astro::AlmanacDay day =
        astro::almanacDay(localDateOfRequest(req.input, zone), req.input.latDeg, req.input.lonDeg, zone.offset);
    const std::size_t close = text.rfind('}');
    if (close != std::string::npos && close > 0 && text[close - 1] == '\n')
        text = text.substr(0, close - 1) + ",\n  \"almanac\": " + almanacJson(day, zone) + "\n}\n";
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "planetarium: could not write the JSON to standard output\n");
        return 1;
    }
    return 0;
}

}  // namespace app
