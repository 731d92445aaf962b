#include "app/chart_heading.h"

#include <cmath>

#include "app/time_zones.h"
#include "astro/almanac.h"

namespace app {

namespace {

int wholeOr(double v, int fallback) {
    return std::isfinite(v) && std::fabs(v) < 1.0e6 ? static_cast<int>(std::floor(v)) : fallback;
}

}  // namespace

view::ChartHeading chartHeading(const astro::SkyInput& input, const std::string& placeName, view::Direction dir,
                                const std::string& timeZone) {
    view::ChartHeading h;
    h.moment = {input.year, input.month, wholeOr(input.day, 1), wholeOr(input.hour, 0), wholeOr(input.minute, 0)};
    h.placeName = placeName;
    h.latDeg = input.latDeg;
    h.lonDeg = input.lonDeg;
    h.direction = dir;
    if (timeZone.empty() || timeZone == kJapanZone) return h;
    const std::optional<LocalZone> zone = systemZone(timeZone);
    if (!zone) return h;
    const astro::CivilMinute& m = h.moment;
    const double jdUt = astro::localToJdUt({m.year, m.month, m.day}, m.hour * 3600.0 + m.minute * 60.0,
                                           astro::fixedUtcOffset(9 * 3600));
    const astro::LocalDateTime local = astro::localDateTime(jdUt, zone->offset);
    h.localClock = astro::CivilMinute{local.date.year, local.date.month, local.date.day, local.hour, local.minute};
    return h;
}

}  // namespace app
