// The planisphere (星座早見盤) of the place a front end holds: its
// coordinates, its name and its zone. The window, the command line and the
// browser edition ask for it here.
#pragma once

#include <optional>
#include <string>

#include "app/session/zone.h"
#include "view/planisphere.h"

namespace app {

// The zone's standard offset, hours east of UTC: the smaller of its offsets
// in January and in July of `year`, so that summer time never enters the
// hour ring (Japan: 9).
double standardOffsetHours(const LocalZone& zone, int year);

// planisphereOf: view::planisphereFor with the zone's standard time; nothing
// and a one-line Japanese reason for a latitude it cannot serve.
std::optional<view::Planisphere> planisphereOf(double latDeg, double lonDeg, const LocalZone& zone, int year,
                                               std::string& why);

// The name offered for the file: "hayami-東京.pdf", "hayami-35.66N-139.74E.pdf"
// for typed coordinates.
std::string planisphereFileName(const std::string& placeName, double latDeg, double lonDeg);

}  // namespace app
