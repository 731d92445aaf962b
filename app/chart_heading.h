// The paper chart's title line from the moment and place being drawn.
#pragma once

#include <string>

#include "astro/sky_state.h"
#include "view/direction.h"
#include "view/paper_chart.h"

namespace app {

// `input` is the moment (JST) and place as computed; `placeName` the name of
// the place list, or empty for coordinates typed by hand; `timeZone` the
// place's IANA zone: for a zone other than Japan's that the system knows,
// the title also gives the local time there.
view::ChartHeading chartHeading(const astro::SkyInput& input, const std::string& placeName, view::Direction dir,
                                const std::string& timeZone = {});

}  // namespace app
