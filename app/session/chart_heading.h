// The paper chart's title line from the moment and place being drawn.
#pragma once

#include <string>

#include "app/session/zone.h"
#include "astro/sky_state.h"
#include "view/direction.h"
#include "view/paper_chart.h"

namespace app {

// `input` is the moment (JST) and place as computed; `placeName` the name of
// the place list, or empty for coordinates typed by hand; `zone` the place's
// zone: outside Japan the title also gives the local time there.
view::ChartHeading chartHeading(const astro::SkyInput& input, const std::string& placeName, view::Direction dir,
                                const LocalZone& zone = {});

}  // namespace app
