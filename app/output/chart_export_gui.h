// One chart (the sky of a moment and place toward one direction) drawn by the
// Qt painter into a PNG image, a one-page A4 PDF or an SVG drawing. The same
// view code draws all three, so they show the same objects at the same
// places; only the scale differs.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPdfWriter>

#include <functional>
#include <QImage>
#include <QRectF>

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/session/chart_scene.h"
#include "catalog/catalog.h"

class QPaintDevice;

namespace app {

// The picture as pixels, (frame / 15 twips) x scale.
QImage chartImage(const ChartScene& scene, const catalog::Catalogue& cat, double scale);

// The chart as vectors on any paint device (printer), fitted into `target`
// (device units). False when painting could not start.
bool paintChart(const ChartScene& scene, const catalog::Catalogue& cat, QPaintDevice& device, const QRectF& target);

// One A4 landscape page, 10 mm margins, the chart scaled to fit them; the
// fonts embedded as subsets. Empty on failure.
QByteArray chartPdf(const ChartScene& scene, const catalog::Catalogue& cat);

// pdfBytes: a PDF of A4 pages in `orientation` with `marginsMm`, titled,
// with the program as its creator, drawn by `draw` (false: nothing could be
// drawn); empty on failure. The chart and the planisphere share it.
QByteArray pdfBytes(QPageLayout::Orientation orientation, double marginsMm, const QString& title,
                    const std::function<bool(QPdfWriter&)>& draw);

// An SVG drawing of the chart's size at 96 dpi, with labels as text
// elements. Empty on failure.
QByteArray chartSvg(const ChartScene& scene, const catalog::Catalogue& cat);

// The bytes of the chart in `format` (PNG at `scale`); empty on failure.
QByteArray chartBytes(ChartFormat format, const ChartScene& scene, const catalog::Catalogue& cat, double scale);

}  // namespace app
