// 透明半球: the Sun's path of a date at a place (or the solstices and
// equinoxes of its year, or the pupils' empty worksheet), as a page to
// draw and as JSON for scripts (the hourly points with their pixels).
#pragma once

#include <string>

#include "app/session/answers.h"
#include "view/sun_path.h"

namespace app {

struct SunPathQuery {
    SkyQuery sky;          // the date (of --at, JST) and the place
    bool seasons = false;  // 夏至, 春分・秋分 and 冬至 of the date's year
    bool worksheet = false;
};

struct SunPathAnswer {
    view::SunPathScene scene;
};
SunPathAnswer answerSunPath(const SunPathQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                            Clock::time_point now);
// The same for a request already read (the window's): its date and place.
SunPathAnswer answerSunPath(const SkyRequest& req, bool seasons, bool worksheet, const LocalZone& zone);

// {"view": "sunpath", "place": {...}, "days": [{"label", "date", "rise":
// {"time", "azDeg"}, "transit": {"time", "altDeg"}, "set": {...}, "up",
// "hourly": [{"time", "altDeg", "azDeg", "x", "y"}, ...]}]}; x and y are the
// point's pixel on the PNG at scale 1 (1122 by 794).
std::string sunPathJson(const SunPathAnswer& a, const LocalZone& zone);

}  // namespace app
