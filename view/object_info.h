// What the program says about one object: the text of the window's status
// bar and card and the fields of --identify and --find come from here.
#pragma once

#include <string>

#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/hit_test.h"

namespace view {

struct ObjectInfo {
    DrawnKind kind = DrawnKind::Star;
    int id = 0;                 // as in DrawnObject
    std::string name;           // "シリウス", "月", "ω Cen" when a star has no proper name
    std::string designation;    // "α CMa", "HR 3017" for stars; "M42" for a cluster or nebula
    std::string designationJa;  // "おおいぬ座 α星"; stars only
    int hr = 0;                 // 0 when none
    std::string constellation;  // "おおいぬ座": the star's, else the one the object stands in (IAU boundaries)
    std::string typeJa;         // a cluster's or nebula's kind: "散光星雲", "散開星団", ...
    bool hasMag = false;        // stars: catalogue magnitude
    double mag = 0.0;
    bool hasBv = false;         // stars: B-V and its word
    double bv = 0.0;
    std::string colourWord;     // 青白い / 白い / 黄色い / オレンジ色 / 赤い
    double raHours = 0.0;       // equinox of the star table (2003.5) / of date for bodies
    double decDeg = 0.0;
    double altDeg = 0.0;
    double azDeg = 0.0;
    double moonIllum = 0.0;     // Moon only
    std::string shower;         // meteor only: the shower's name
};

// The colour of a star in words from its B-V index.
const char* colourWordForBv(double bv);

// describeStar / describeBody / describeMeteor: the facts of a star row, a
// body (astro::Body index) or a shooting star of shower row `shower`, for
// the sky of the moment (altitude and azimuth there).
ObjectInfo describeStar(const catalog::Catalogue& cat, const astro::SkyState& sky, int row);
ObjectInfo describeBody(const catalog::Catalogue& cat, const astro::SkyState& sky, int body);
// describeDeepSky: the cluster, nebula or galaxy of row `row` of its table.
ObjectInfo describeDeepSky(const catalog::Catalogue& cat, const astro::SkyState& sky, int row);
ObjectInfo describeMeteor(const catalog::Catalogue& cat, int shower);

// describe: whichever of these a drawn object is.
ObjectInfo describe(const catalog::Catalogue& cat, const astro::SkyState& sky, const DrawnObject& o);

// The compass point of an azimuth in Japanese, 16 points: 北, 北北東, 北東,
// 東北東, 東, ... .
const char* compassPointJa(double azDeg);
// The eight-point compass of "南東の空": 北, 北東, 東, 南東, 南, 南西, 西, 北西
// (each 45 degrees wide, centred on its direction).
const char* skyQuarterJa(double azDeg);

// The status-bar line for an object: "シリウス — おおいぬ座 α星 −1.5等 高度 23.4° 方位 152.1°".
std::string statusLine(const ObjectInfo& info);

// The status-bar line for empty sky: "高度 23.4° 方位 152.1°".
std::string skyPointLine(double altDeg, double azDeg);

// A number with a fixed count of decimals, locale-independent, with a true
// minus sign (U+2212) for display when `typographicMinus`.
std::string fixedText(double v, int decimals, bool typographicMinus = false);

}  // namespace view
