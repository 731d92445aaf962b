// Which of the four pictures shows a given altitude and azimuth (the
// other way round, a picture point's sky, is its projector's skyAt).
#pragma once

#include <optional>

#include "view/direction.h"
#include "view/projector.h"

namespace view {

// The picture that shows a sky position best: the direction whose centre
// azimuth is nearest, if the point lands inside the drawn area there
// (0..kSurfaceWidthTwips across, above the horizon line), otherwise the next
// nearest that does. Nothing when the point is below the horizon or no
// picture holds it (the zenith, which the projection leaves out).
struct PictureChoice {
    Direction dir = Direction::South;
    PicturePoint at;
};
std::optional<PictureChoice> pictureShowing(double altDeg, double azDeg);

}  // namespace view
