// The system's zone data (QTimeZone) as the session layer's zone lookup,
// and the zones the window asks for.
#pragma once

#include <optional>
#include <string>

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

}  // namespace app
