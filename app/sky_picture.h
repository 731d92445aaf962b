// One picture of the sky as an image: what --render writes, what each frame
// of a time-lapse holds, and what the window's film export draws.
#pragma once

#include <QImage>

#include <cstdint>

#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/direction.h"
#include "view/sky_view.h"

namespace app {

struct PictureRequest {
    astro::SkyInput input;  // the moment (JST) and the place
    view::Direction direction = view::Direction::South;
    // Check boxes and constellation choice; the date fields and the meteor
    // step are taken from `input` and `stepMinutes`.
    view::ViewOptions view;
    int stepMinutes = 15;    // minutes of shooting stars per picture
    double scale = 1.0;      // picture size factor
    std::uint64_t seed = 0;  // shooting stars
    // Trails over this many minutes from `input` (0: none). The picture is
    // then the one of the end moment, colours included, with the trails
    // under its objects: the last frame of a long exposure.
    int trailMinutes = 0;
};

// Size of the picture at a scale factor, pixels.
QSize pictureSize(double scale);

// renderPicture: the picture of the request, painted by the Qt painter.
QImage renderPicture(const PictureRequest& req, const catalog::Catalogue& cat);

}  // namespace app
