// Local time for every place and year, one rule: the entered time is Japan
// Standard Time, UTC+9 at every date (before 1888 and through the summer
// times of 1948-51 too, as the national almanac keeps it); a place abroad
// uses the zone data for the instant. The zone data itself comes from the
// front end (QTimeZone on the desktop, Intl in a browser) as a lookup.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "astro/almanac.h"
#include "astro/calendar.h"
#include "catalog/catalog.h"

namespace app {

inline constexpr const char* kJapanZone = "Asia/Tokyo";
inline constexpr int kJstOffsetSeconds = 9 * 3600;

struct LocalZone {
    std::string name = kJapanZone;  // IANA name
    astro::UtcOffsetFn offset = astro::fixedUtcOffset(kJstOffsetSeconds);
    bool isJapan() const { return name == kJapanZone; }
};

// What the front end's zone data says of an IANA name: its offset function,
// or nothing when it does not know the name.
using ZoneLookup = std::function<std::optional<astro::UtcOffsetFn>(const std::string& ianaName)>;

// plausibleZoneName: a name the zone data could hold: letters, digits and
// "_+-" in parts separated by "/", none of them empty, at most 64 bytes
// (Asia/Tokyo, America/Argentina/Buenos_Aires, Etc/GMT+9, UTC). Anything
// else never reaches a front end's zone data, which may open a file of
// that name. Letter case is kept: a zone is named exactly as the zone data
// names it, on the desktop and in the browser alike.
bool plausibleZoneName(std::string_view name);

// resolveZone: Japan's zone is UTC+9 whatever the lookup says (or when it
// has no zone data at all); any other plausible name as the lookup knows
// it, nothing when it does not.
std::optional<LocalZone> resolveZone(const std::string& ianaName, const ZoneLookup& lookup);

// The zone name of a listed place (Asia/Tokyo for the places in Japan and
// for the manual-entry place).
std::string placeZoneName(const catalog::Place& place);

// The instant of a JST minute (the date fields' moment), Julian day UT.
double jdUtOfJst(const astro::CivilMinute& jst);

// localClock: the wall clock of the zone at a JST minute, to the minute
// (seconds of an offset such as local mean time are cut, as a clock shows).
astro::CivilMinute localClock(const astro::CivilMinute& jst, const LocalZone& zone);

// "時刻は日本標準時" for Japan; otherwise the zone named in Japanese by the
// place it is the clock of, "時刻はロンドン時間 (UTC+1)", or without a place
// name "時刻は現地時間 (Europe/London, UTC+1)", with the offset in force at jdUt.
std::string zoneHeading(const LocalZone& zone, double jdUt, const std::string& placeName = {});

}  // namespace app
