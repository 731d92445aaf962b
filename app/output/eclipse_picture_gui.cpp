#include "app/output/eclipse_picture_gui.h"

#include "app/output/qt_painter_gui.h"
#include "app/output/sky_picture_gui.h"
#include "app/session/colour_scheme.h"

namespace app {

QImage renderEclipse(const view::EclipseScene& scene, double scale) {
    QImage image(pictureSize(scale), QImage::Format_RGB32);
    const SchemeColours colours = schemeColours(kNightScheme);
    QtPainter painter(image, scale, qColour(colours.windowBack), qColour(colours.windowText));
    view::drawEclipse(scene, painter);
    return image;
}

}  // namespace app
