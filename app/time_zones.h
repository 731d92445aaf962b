// Time zones from the system's zone data (QTimeZone), for the almanac: the
// zone of a listed place, of a typed place (--tz or Asia/Tokyo), and the
// heading that names it.
#pragma once

#include <optional>
#include <string>

#include "app/cli_almanac.h"
#include "app/cli_args.h"
#include "catalog/catalog.h"

namespace app {

inline constexpr const char* kJapanZone = "Asia/Tokyo";

// systemZone: the zone of this IANA name, or nothing when the system's zone
// data does not know it.
std::optional<LocalZone> systemZone(const std::string& ianaName);

// zoneOrJapan: systemZone(name), or Japan Standard Time (named Asia/Tokyo)
// when the name is empty or unknown to the system's zone data.
LocalZone zoneOrJapan(const std::string& ianaName);

// The zone name of a listed place (Asia/Tokyo for the places in Japan).
std::string placeZoneName(const catalog::Place& place);

// requestZone: the zone the command line asks for: --tz for a --lat/--lon
// place (Asia/Tokyo without it), the place's own zone for --place, Asia/Tokyo
// for the default place. On failure `error` holds the one-line message.
std::optional<LocalZone> requestZone(const CliOptions& opt, const catalog::Catalogue& cat, std::string& error);

// "時刻は日本標準時" for Asia/Tokyo; otherwise
// "時刻は現地時間 (Europe/London, UTC+1)" with the offset in force then.
std::string zoneHeading(const LocalZone& zone, double jdUt);

}  // namespace app
