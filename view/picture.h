// The picture frame: where view coordinates land on the drawing surface.
#pragma once

#include "view/projection.h"

namespace view {

inline constexpr double kViewScaleX = 150.0;   // twips per unit of projected x
inline constexpr double kViewScaleY = 80.0;    // twips per unit of projected y
inline constexpr double kViewCentreX = 7000.0; // twips, x of the centre azimuth
inline constexpr double kHorizonY = 9000.0;    // twips, y of the horizon

// Twips per pixel of a picture at scale 1 (and of the window's layout).
inline constexpr double kTwipsPerPixel = 15.0;

// The smallest drawing surface that shows the whole picture and the window's
// controls, twips.
inline constexpr double kSurfaceWidthTwips = 14655.0;
inline constexpr double kSurfaceHeightTwips = 9375.0;

struct PicturePoint {
    float x = 0.0f;  // twips, right
    float y = 0.0f;  // twips, down
};

// A point the projection rejected maps far to the right and above the
// picture (x = 7000 + 999 * 150), where nothing is seen.
inline PicturePoint toPicture(const Projected& p) {
    return {static_cast<float>(kViewCentreX + p.x * kViewScaleX),
            static_cast<float>(kHorizonY - p.y * kViewScaleY)};
}

}  // namespace view
