// The design's formula behind the four directions' projector (projector.h);
// sky code places things through the projector, not through this.
// Altitude and azimuth to view coordinates: a Winkel-tripel-like projection
// with the azimuth offset from the view direction as longitude, 80 degrees as
// standard parallel and the horizontal axis stretched by 1.7. Units of the
// result are degree-like; picture.h maps them to twips.
#pragma once

#include "view/direction.h"

namespace view {

// The value both coordinates hold for a point that cannot be projected.
inline constexpr double kNotVisible = 999.0;

struct Projected {
    double x = kNotVisible;  // across, negative left of the centre azimuth
    double y = kNotVisible;  // up; the horizon at the centre azimuth is (0, 0)
    bool visible = false;
};

// project: one horizontal position seen toward `dir`.
//   altDeg  altitude, degrees
//   azDeg   azimuth from north through east, degrees, [0, 360)
//   returns the view coordinates, or {999, 999, false} when the point is more
//   than 90 degrees of azimuth from the view direction, at the zenith, exactly
//   at the centre of the north view (azimuth 0), or not finite.
// The result is always finite.
Projected project(Direction dir, double altDeg, double azDeg);

// gridDot: one dot of the altitude/azimuth lines, placed by the same formula
// from an altitude and an azimuth offset from the view centre, with the dot
// grid's own guards (a dot at altitude 0 is never placed: the horizon line
// covers it).
//   altDeg     altitude, degrees
//   offsetDeg  azimuth offset from the centre, degrees, -90..90
//   epsDeg     subtracted from |offsetDeg| (1e-4 for the azimuth lines, 1e-5
//              for the altitude lines)
Projected gridDot(double altDeg, double offsetDeg, double epsDeg);

}  // namespace view
