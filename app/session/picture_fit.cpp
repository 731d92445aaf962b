#include "app/session/picture_fit.h"

#include <algorithm>
#include <cmath>

namespace app {

PictureFit fitPicture(double areaWidth, double areaHeight, double pictureWidth, double pictureHeight) {
    const auto usable = [](double v) { return std::isfinite(v) && v > 0.0; };
    if (!usable(areaWidth) || !usable(areaHeight) || !usable(pictureWidth) || !usable(pictureHeight)) return {};
    const double room = std::min(areaWidth / pictureWidth, areaHeight / pictureHeight);
    const double scale = std::floor(std::min(room, 64.0) / kPictureScaleStep) * kPictureScaleStep;
    if (scale < 1.0 + 2.0 * kPictureScaleStep) return {};
    return {scale, std::floor((areaWidth - pictureWidth * scale) / 2.0),
            std::floor((areaHeight - pictureHeight * scale) / 2.0)};
}

}  // namespace app
