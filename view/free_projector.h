// The free view (自由視点): the sky toward any azimuth and altitude, with
// any field of view from 5° (the Moon's phase fills the picture) to 180°.
//
// Projection: stereographic, centred on the direction looked at. It is
// conformal, so a constellation keeps its shape wherever it stands in the
// picture: the scale across and the scale up are equal at every point
// (Orion's four corner stars keep their proportions at any azimuth), where
// the four design views stretch the sky 150 twips a degree across and 80 up.
// The horizon stays level: the vertical through the centre is the
// direction's own vertical, the zenith above it.
//
//   x =  s k cos(alt) sin(az - az0)
//   y = -s k (cos(alt0) sin(alt) - sin(alt0) cos(alt) cos(az - az0))
//   k = 2 / (1 + sin(alt0) sin(alt) + cos(alt0) cos(alt) cos(az - az0))
// about the picture's centre (picture y grows downward), with s chosen so
// the field of view spans the picture's width: s = (width / 2) / (2 tan(fov / 4)).
// Reference: Snyder, Map Projections: A Working Manual (USGS 1395, 1987),
// formulas (21-2) to (21-4) and (20-14), (20-15) for the inverse.
#pragma once

#include <memory>

#include "view/projector.h"

namespace view {

// Where the free view looks.
struct FreeLook {
    double azDeg = 180.0;  // the centre's azimuth, from north through east
    double altDeg = 35.0;  // the centre's altitude, -90..90
    double fovDeg = 90.0;  // across the picture's width, kMinFovDeg..kMaxFovDeg
};

inline constexpr double kMinFovDeg = 5.0;
inline constexpr double kMaxFovDeg = 180.0;

// A look brought into range: azimuth to [0, 360), altitude to [-90, 90],
// field of view to [kMinFovDeg, kMaxFovDeg]; non-finite values take the
// defaults.
FreeLook normalisedLook(const FreeLook& look);

// The free view's scale at its centre, twips per radian (per unit of the
// projection plane), on a picture widthTwips across.
double freeScaleTwipsPerRadian(const FreeLook& look, double widthTwips = kSurfaceWidthTwips);

// The free projector for a look, on a picture of widthTwips x heightTwips
// (the design's picture rectangle unless given).
std::unique_ptr<Projector> freeProjector(const FreeLook& look, double widthTwips = kSurfaceWidthTwips,
                                         double heightTwips = kSurfaceHeightTwips);

}  // namespace view
