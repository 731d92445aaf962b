#include "app/output/sky_picture_gui.h"

#include <cmath>

#include "app/output/qt_painter_gui.h"
#include "app/session/colour_scheme.h"
#include "view/picture.h"

namespace app {

QSize pictureSize(double scale) {
    return {static_cast<int>(std::ceil(view::kSurfaceWidthTwips / view::kTwipsPerPixel * scale)),
            static_cast<int>(std::ceil(view::kSurfaceHeightTwips / view::kTwipsPerPixel * scale))};
}

QImage renderPicture(const PictureRequest& req, const catalog::Catalogue& cat) {
    const PictureSky shown = pictureSky(req, cat);
    const SchemeColours colours = pictureColours(shown);
    QImage image(pictureSize(req.scale), QImage::Format_RGB32);
    view::MeteorRng rng(req.seed);
    QtPainter painter(image, req.scale, qColour(colours.windowBack), qColour(colours.windowText));
    drawPicture(req, shown, cat, rng, painter);
    return image;
}

}  // namespace app
