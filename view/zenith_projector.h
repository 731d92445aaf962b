// The all-sky view (全天): the whole sky above the horizon as one circle,
// the zenith at the centre, north at the top and east at the LEFT, as the sky
// is seen lying on one's back with one's head to the north (the way every
// Japanese all-sky chart is drawn).
//
// Projection: stereographic from the nadir. It is conformal, so a
// constellation near the horizon keeps its shape (enlarged, up to twice at
// the horizon, but not squashed), where the azimuthal equidistant
// projection would flatten it to about 2:3 across the radius. Radius from
// the centre r = R tan((90 - alt) / 2): the horizon at R, altitude 30 deg at
// 0.577 R, 60 deg at 0.268 R.
#pragma once

#include "view/projector.h"

namespace view {

// Where the circle stands in the picture (twips): centred across, and below
// the window's controls, which lie over the top of every picture (the
// direction cross, the lists and boxes reach 2,250 twips down), so that the
// north horizon and its label are never hidden; the 南 label just fits above
// the picture's bottom edge.
inline constexpr float kZenithCentreX = 7327.5f;
inline constexpr float kZenithCentreY = 5800.0f;
inline constexpr float kZenithRadius = 3200.0f;

// The stereographic radius of an altitude as a fraction of the horizon's:
// tan((90 - alt) / 2 degrees); 1 at the horizon, 0 at the zenith.
double zenithRadiusFraction(double altDeg);

// The all-sky projector (also projectorFor(Direction::Zenith)).
const Projector& zenithProjector();

}  // namespace view
