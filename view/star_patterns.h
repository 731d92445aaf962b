// The star patterns of the textbooks (夏の大三角, 北斗七星, ...): lines in
// their own dashed style through their stars, each with its name.
#pragma once

#include <vector>

#include "astro/sky_state.h"
#include "astro/transforms.h"
#include "catalog/catalog.h"
#include "view/projector.h"
#include "view/direction.h"
#include "view/painter.h"

namespace view {

inline constexpr Rgb kAsterismColour{120, 200, 255};
inline constexpr Rgb kPaperAsterism{100, 100, 100};
inline constexpr LineStyle kAsterismLine = LineStyle::Dashed;

// drawAsterisms: every pattern's segments whose two stars are above the
// horizon and inside the picture, dashed in `colour`; a pattern whose stars
// are in the picture, all or all but one, also gets its name, at the mean
// of those stars' positions. `starPlaces` holds every star row's altitude and azimuth (index
// = row). Leaves the line style solid.
void drawAsterisms(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat,
                   const std::vector<astro::Horizontal>& starPlaces, Rgb colour, Painter& painter);

}  // namespace view
