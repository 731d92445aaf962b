#include "app/sky_picture.h"

#include <cmath>

#include "app/colour_scheme.h"
#include "app/qt_painter.h"
#include "app/sky_moments.h"
#include "astro/astro.h"
#include "view/picture.h"

namespace app {

QSize pictureSize(double scale) {
    return {static_cast<int>(std::ceil(view::kSurfaceWidthTwips / view::kTwipsPerPixel * scale)),
            static_cast<int>(std::ceil(view::kSurfaceHeightTwips / view::kTwipsPerPixel * scale))};
}

QImage renderPicture(const PictureRequest& req, const catalog::Catalogue& cat) {
    std::optional<TrailScene> trails;
    if (req.trailMinutes > 0) trails = trailScene(req.input, req.trailMinutes, req.direction, cat);
    const astro::SkyInput& at = trails ? trails->end : req.input;
    const astro::SkyState sky = trails ? trails->endSky : astro::computeSky(at);

    view::ViewOptions viewOpt = req.view;
    viewOpt.year = at.year;
    viewOpt.month = at.month;
    viewOpt.day = at.day;
    viewOpt.stepMinutes = req.stepMinutes;

    const SchemeColours colours = schemeColours(schemeForSunAltitude(sky.bodyAltDeg[astro::Sun]));
    const auto qcolour = [](view::Rgb c) { return QColor(c.r, c.g, c.b); };
    QImage image(pictureSize(req.scale), QImage::Format_RGB32);
    view::MeteorRng rng(req.seed);
    QtPainter painter(image, req.scale, qcolour(colours.windowBack), qcolour(colours.windowText));
    if (trails) {
        view::drawView(req.direction, sky, cat, viewOpt, rng, painter, trails->trails);
    } else {
        view::drawView(req.direction, sky, cat, viewOpt, rng, painter);
    }
    return image;
}

}  // namespace app
