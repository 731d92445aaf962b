// An eclipse's picture as an image, through the painter the sky uses.
#pragma once

#include <QImage>

#include "view/eclipse_picture.h"

namespace app {

// renderEclipse: the scene at `scale` times the picture's size.
QImage renderEclipse(const view::EclipseScene& scene, double scale);

}  // namespace app
