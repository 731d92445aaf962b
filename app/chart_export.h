// One chart (the sky of a moment and place toward one direction) drawn by the
// Qt painter into a PNG image, a one-page A4 PDF or an SVG drawing. The same
// view code draws all three, so they show the same objects at the same
// places; only the scale differs.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>

#include <cstdint>
#include <optional>
#include <string_view>

#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/paper_chart.h"
#include "view/sky_view.h"
#include "view/trails.h"

class QPaintDevice;

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
    astro::SkyState sky;
    view::ViewOptions view;      // view.style chooses screen or paper
    view::ChartHeading heading;  // printed on paper charts only
    // The window's picture colours for the screen style (day or night).
    view::Rgb screenBackground{32, 96, 192};
    view::Rgb screenText{197, 197, 197};
    std::uint64_t meteorSeed = 0;  // the same seed gives the same shooting stars
    // The generator as it stood before the window drew its picture, so the
    // chart repeats the window's shooting stars; unset: from meteorSeed.
    std::optional<view::MeteorRng> meteorStart;
    // Star trails leading to `sky` (the window's 軌跡); on paper they are
    // drawn in one light grey.
    std::optional<view::Trails> trails;
};

// drawChart: the sky and, for the paper style, the title, legend and name.
void drawChart(const ChartScene& scene, const catalog::Catalogue& cat, view::Painter& painter);

// The picture as pixels, (frame / 15 twips) x scale.
QImage chartImage(const ChartScene& scene, const catalog::Catalogue& cat, double scale);

// The chart as vectors on any paint device (printer), fitted into `target`
// (device units). False when painting could not start.
bool paintChart(const ChartScene& scene, const catalog::Catalogue& cat, QPaintDevice& device, const QRectF& target);

// One A4 landscape page, 10 mm margins, the chart scaled to fit them; the
// fonts embedded as subsets. Empty on failure.
QByteArray chartPdf(const ChartScene& scene, const catalog::Catalogue& cat);

// An SVG drawing of the chart's size at 96 dpi, with labels as text
// elements. Empty on failure.
QByteArray chartSvg(const ChartScene& scene, const catalog::Catalogue& cat);

// The bytes of the chart in `format` (PNG at `scale`); empty on failure.
QByteArray chartBytes(ChartFormat format, const ChartScene& scene, const catalog::Catalogue& cat, double scale);

}  // namespace app
