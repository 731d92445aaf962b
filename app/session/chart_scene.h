// One chart: the sky of a moment and place toward one direction, in the
// window's colours or as the paper chart with its title line. The session
// builds it once for every front end; the Qt writers (output/) and the
// browser edition draw it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/session/colour_scheme.h"
#include "app/session/sky_picture.h"
#include "app/session/zone.h"
#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/paper_chart.h"
#include "view/sky_view.h"
#include "view/trails.h"

namespace app {

enum class ChartFormat { Png, Pdf, Svg };

// The format named by a file's extension (.png, .pdf, .svg, any letter case);
// a name without an extension (a device such as /dev/stdout) is a PNG; any
// other extension gives nothing.
std::optional<ChartFormat> chartFormatForPath(std::string_view path);

// The style a format gets when none is asked for: PNG the window's colours,
// PDF and SVG the paper chart.
view::ChartStyle defaultStyle(ChartFormat format);

struct ChartScene {
    view::Direction direction = view::Direction::South;
    std::optional<view::FreeLook> free;  // the free view, instead of `direction`
    astro::SkyState sky;
    view::ViewOptions view;      // view.style chooses screen or paper
    view::ChartHeading heading;  // printed on paper charts only
    // The window's picture colours for the screen style (day or night).
    view::Rgb screenBackground = schemeColours(kNightScheme).windowBack;
    view::Rgb screenText = schemeColours(kNightScheme).windowText;
    std::uint64_t meteorSeed = 0;  // the same seed gives the same shooting stars
    // The generator as it stood before the window drew its picture, so the
    // chart repeats the window's shooting stars; unset: from meteorSeed.
    std::optional<view::MeteorRng> meteorStart;
    // Star trails leading to `sky` (the window's 軌跡); on paper they are
    // drawn in one light grey.
    std::optional<view::Trails> trails;
};

// drawChart: the sky and, for the paper style, the title, legend and name.
// The shooting stars come from `rng` when given (and advance it), else from
// meteorStart or meteorSeed; with a record, what was drawn where.
void drawChart(const ChartScene& scene, const catalog::Catalogue& cat, view::Painter& painter,
               view::DrawRecord* record = nullptr, view::MeteorRng* rng = nullptr);

// chartScene: the chart of a picture as shown, in `style`: its sky and
// trails, the display options with the shown moment's date and the step,
// the title line from the entered moment, `placeName` (empty for typed
// coordinates) and `zone`, and the screen colours of `colourScheme`.
ChartScene chartScene(const PictureRequest& req, const PictureSky& shown, view::ChartStyle style,
                      const std::string& placeName, const LocalZone& zone, int colourScheme);

}  // namespace app
