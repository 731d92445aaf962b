// 透明半球's page as a PNG (the page's pixels at 96 dpi times the scale), a
// one-page A4 landscape PDF with the Japanese font embedded, or an SVG
// drawing: the same drawing code for all three.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

#include "app/session/chart_scene.h"
#include "view/sun_path.h"

namespace app {

QImage sunPathImage(const view::SunPathScene& scene, double scale);

// Any lesson page of that size (the phase strip's too): `draw` paints it,
// `title` names the PDF and the SVG.
using PageDrawing = std::function<void(view::Painter&)>;
// `portrait`: an A4 portrait page (the moon card) instead of landscape.
QByteArray lessonPageBytes(ChartFormat format, const QString& title, const PageDrawing& draw, double scale,
                           bool portrait = false);
// The page as an image: its pixels at 96 dpi times `scale`.
QImage lessonPageImage(const PageDrawing& draw, double scale, bool portrait = false);

}  // namespace app
