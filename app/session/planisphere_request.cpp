#include "app/session/planisphere_request.h"

#include <algorithm>
#include "astro/number_text.h"
#include <cmath>

namespace app {

double standardOffsetHours(const LocalZone& zone, int year) {
    const int january = zone.offset(astro::ymdYD(year, 1, 15.5));
    const int july = zone.offset(astro::ymdYD(year, 7, 15.5));
    return std::min(january, july) / 3600.0;
}

std::optional<view::Planisphere> planisphereOf(double latDeg, double lonDeg, const LocalZone& zone, int year,
                                               std::string& why) {
    return view::planisphereFor(latDeg, lonDeg, standardOffsetHours(zone, year), why);
}

std::string planisphereFileName(const std::string& placeName, double latDeg, double lonDeg) {
    if (!placeName.empty()) return "hayami-" + placeName + ".pdf";
    const auto coordinate = [](double v, char plus, char minus) {
        return astro::fixedText(std::fabs(v), 2) + (v < 0.0 ? minus : plus);
    };
    return "hayami-" + coordinate(latDeg, 'N', 'S') + "-" + coordinate(lonDeg, 'E', 'W') + ".pdf";
}

}  // namespace app
