// The object card: what the window's card and the page's card say of an
// object pointed at, one fact a line, the same words everywhere.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/almanac.h"
#include "astro/sky_state.h"
#include "view/finder.h"
#include "view/object_info.h"

namespace app {

struct CardFacts {
    view::ObjectInfo info;
    view::DayEvents day;                // today's rise, transit and set in the zone
    std::optional<double> moonAgeDays;  // the Moon only
    // A planet: its apparent diameter (arcseconds), angle from the Sun
    // (degrees) and lit fraction, from the precise ephemeris.
    std::optional<double> diameterArcsec, elongationDeg, illum;
};

// cardFacts: the facts of a described object in the sky it was drawn in;
// a body's place, magnitude and phase from the precise ephemeris.
CardFacts cardFacts(const view::ObjectInfo& info, const astro::SkyState& sky, const astro::UtcOffsetFn& zone);

// cardLines: the name; a star's designation (「おおいぬ座 α星 (HR 2491)」),
// magnitude and colour, or a body's or cluster's kind, constellation and
// magnitude; the Moon's lit fraction and age; RA/Dec; altitude and azimuth
// to a tenth of a degree with the compass point; a planet's apparent
// diameter, angle from the Sun and (Mercury, Venus) lit fraction; today's
// rise, transit and set to the minute in the zone's clock. A shooting star:
// its name and shower.
std::vector<std::string> cardLines(const CardFacts& facts, const astro::UtcOffsetFn& zone);

}  // namespace app
