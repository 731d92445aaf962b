// The equatorial-to-horizontal transform for the observer and moment of a
// computed sky: every star and point the picture places goes through it.
#pragma once

#include "astro/sky_state.h"
#include "astro/transforms.h"

namespace view {

inline astro::Horizontal horizontal(const astro::SkyState& sky, double raHours, double decDeg) {
    return astro::equatorialToHorizontal(raHours, decDeg, sky.siderealTimeHours, sky.obsLatDeg, sky.obsLonDeg);
}

}  // namespace view
