#include "app/chart_heading.h"

#include <cmath>

namespace app {

namespace {

int wholeOr(double v, int fallback) {
    return std::isfinite(v) && std::fabs(v) < 1.0e6 ? static_cast<int>(std::floor(v)) : fallback;
}

}  // namespace

view::ChartHeading chartHeading(const astro::SkyInput& input, const std::string& placeName, view::Direction dir) {
    view::ChartHeading h;
    h.year = input.year;
    h.month = input.month;
    h.day = wholeOr(input.day, 1);
    h.hour = wholeOr(input.hour, 0);
    h.minute = wholeOr(input.minute, 0);
    h.placeName = placeName;
    h.latDeg = input.latDeg;
    h.lonDeg = input.lonDeg;
    h.direction = dir;
    return h;
}

}  // namespace app
