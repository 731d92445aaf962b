// One picture of the sky as an image: what --render writes, what each frame
// of a time-lapse holds, and what the window's film export draws.
#pragma once

#include <QImage>

#include "app/session/sky_picture.h"
#include "catalog/catalog.h"

namespace app {

// Size of the picture at a scale factor, pixels.
QSize pictureSize(double scale);

// renderPicture: the picture of the request, painted by the Qt painter in
// the colours of the Sun's altitude then.
QImage renderPicture(const PictureRequest& req, const catalog::Catalogue& cat);

}  // namespace app
