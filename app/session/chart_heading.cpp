#include "app/session/chart_heading.h"

#include <cmath>

namespace app {

namespace {

int wholeOr(double v, int fallback) {
    return std::isfinite(v) && std::fabs(v) < 1.0e6 ? static_cast<int>(std::floor(v)) : fallback;
}

}  // namespace

view::ChartHeading chartHeading(const astro::SkyInput& input, const std::string& placeName, view::Direction dir,
                                const LocalZone& zone) {
    view::ChartHeading h;
    h.moment = {input.year, input.month, wholeOr(input.day, 1), wholeOr(input.hour, 0), wholeOr(input.minute, 0)};
    h.placeName = placeName;
    h.latDeg = input.latDeg;
    h.lonDeg = input.lonDeg;
    h.direction = dir;
    if (!zone.isJapan()) h.localClock = localClock(h.moment, zone);
    return h;
}

}  // namespace app
