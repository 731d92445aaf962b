#include "app/session/zone.h"

#include <cmath>
#include <cstdlib>

namespace app {

bool plausibleZoneName(std::string_view name) {
    if (name.empty() || name.size() > 64) return false;
    std::size_t partStart = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            if (i == partStart) return false;  // an empty part: "/x", "x/", "a//b"
            partStart = i + 1;
            continue;
        }
        const char c = name[i];
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-' || c == '+';
        if (!ok) return false;
    }
    return true;
}

std::optional<LocalZone> resolveZone(const std::string& ianaName, const ZoneLookup& lookup) {
    // "Japan" is the zone data's other name for Asia/Tokyo.
    if (ianaName == kJapanZone || ianaName == "Japan") return LocalZone{};
    if (!plausibleZoneName(ianaName) || !lookup) return std::nullopt;
    std::optional<astro::UtcOffsetFn> offset = lookup(ianaName);
    if (!offset || !*offset) return std::nullopt;
    return LocalZone{ianaName, std::move(*offset)};
}

std::string placeZoneName(const catalog::Place& place) {
    return place.timeZone.empty() ? std::string(kJapanZone) : place.timeZone;
}

double jdUtOfJst(const astro::CivilMinute& m) {
    return astro::localToJdUt({m.year, m.month, m.day}, m.hour * 3600.0 + m.minute * 60.0,
                              astro::fixedUtcOffset(kJstOffsetSeconds));
}

astro::CivilMinute localClock(const astro::CivilMinute& jst, const LocalZone& zone) {
    if (zone.isJapan()) return jst;
    const double jdUt = jdUtOfJst(jst);
    const int offset = zone.offset ? zone.offset(jdUt) : kJstOffsetSeconds;
    // The wall clock cut to its minute: an offset of +0:01:15 shows 00:01 at
    // 00:00 UT plus 75 s, never a rounded 00:02.
    const astro::LocalDateTime t = astro::localDateTime(jdUt, astro::fixedUtcOffset(offset));
    return {t.date.year, t.date.month, t.date.day, t.hour, t.minute};
}

std::string zoneHeading(const LocalZone& zone, double jdUt, const std::string& placeName) {
    if (zone.isJapan()) return "時刻は日本標準時";
    const int off = zone.offset ? zone.offset(jdUt) : 0;
    const int a = std::abs(off);
    std::string utc = std::string("UTC") + (off < 0 ? "-" : "+") + std::to_string(a / 3600);
    if (a % 3600 != 0) {
        const int m = a / 60 % 60;
        utc += std::string(":") + (m < 10 ? "0" : "") + std::to_string(m);
    }
    if (off == 0) utc = "UTC";
    std::string name = placeName;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (!name.empty()) return "時刻は" + name + "時間 (" + utc + ")";
    return "時刻は現地時間 (" + zone.name + ", " + utc + ")";
}

}  // namespace app
