// The other way round from the projection: which altitude and azimuth a
// point of the picture shows, and which of the four pictures shows a given
// altitude and azimuth.
#pragma once

#include <optional>

#include "view/direction.h"
#include "view/picture.h"

namespace view {

struct SkyPoint {
    double altDeg = 0.0;
    double azDeg = 0.0;  // from north through east, [0, 360)
};

// skyPointAt: the altitude and azimuth drawn at picture position (xTwips,
// yTwips) toward `dir`, found by solving the projection (to half a twip);
// nothing when no altitude in (-90, 90) and azimuth within 90 degrees of
// the view direction lands there (the corners beyond the
// projection's edge), or for non-finite input. Points under the horizon
// line give negative altitudes.
std::optional<SkyPoint> skyPointAt(Direction dir, double xTwips, double yTwips);

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
