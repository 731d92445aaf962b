// The system's zone data (QTimeZone) as the session layer's zone lookup,
// and the zones the command line and the window ask for.
#pragma once

#include <optional>
#include <string>

#include "app/cli/cli_args.h"
#include "app/session/zone.h"
#include "catalog/catalog.h"

namespace app {

// The offset function of every IANA name the system's zone data holds.
ZoneLookup systemZoneLookup();

// systemZone: resolveZone with the system's zone data.
std::optional<LocalZone> systemZone(const std::string& ianaName);

// zoneOrJapan: systemZone(name), or Japan Standard Time when the name is
// empty or unknown to the system's zone data.
LocalZone zoneOrJapan(const std::string& ianaName);

// requestZone: the zone the command line asks for: --tz for a --lat/--lon
// place (Asia/Tokyo without it), the place's own zone for --place, Asia/Tokyo
// for the default place. On failure `error` holds the one-line message.
std::optional<LocalZone> requestZone(const CliOptions& opt, const catalog::Catalogue& cat, std::string& error);

}  // namespace app
