// How a constellation or a star pattern stands at a moment: asked for
// オリオン座, a user wants to know which part of it is up, when all of it
// is, and when it is best seen, not where its brightest star happens to be.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/sky_state.h"
#include "catalog/catalog.h"

namespace view {

// A direction in the sky at an instant.
struct SkyMoment {
    double jdUt = 0.0;
    double altDeg = 0.0;  // geometric, as the picture draws it
    double azDeg = 0.0;
};

struct FigureSky {
    int stars = 0;          // the figure's stars in the star table
    int starsUp = 0;        // of them above the horizon now
    int brightestUpRow = 0; // the brightest star up now, 0 when none is
    SkyMoment middle;       // the mean direction of its stars, now
    // Never above the horizon here (みなみじゅうじ座 from Tokyo): no star
    // of it ever rises.
    bool neverRises = false;
    // Some stars below: the first instant, within a day, at which all are
    // up; none when the figure is never whole above the horizon at once.
    std::optional<double> allUpJdUt;
    // None up: the star that comes up first, and when and where.
    int firstRiseRow = 0;
    std::optional<SkyMoment> firstRise;
    // Within the next day: the highest its middle stands while the sky is
    // dark (the Sun below kFigureDarkSunDeg); none when it is not up then.
    std::optional<SkyMoment> best;
    // Without a dark hour for it: the month in which its middle stands
    // highest at 20:00 local mean time, the season to look for it.
    int seasonMonth = 0;
};

// The sky is dark enough for star patterns with the Sun this far down
// (the end of nautical twilight).
inline constexpr double kFigureDarkSunDeg = -12.0;

// figureRows: the star rows of a constellation (its stars in the table, by
// IAU abbreviation) or a star pattern (its path, each star once).
std::vector<int> constellationRows(const catalog::Catalogue& cat, const std::string& iauAbbrev);
std::vector<int> asterismRows(const catalog::Catalogue& cat, int asterism);

// figureSky: how the stars `rows` stand in the sky of `sky` and over the
// next day (10-minute steps for the best moment; rises to the second).
FigureSky figureSky(const catalog::Catalogue& cat, const std::vector<int>& rows, const astro::SkyState& sky);

}  // namespace view
