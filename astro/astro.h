// Public entry points of the astronomical core. Everything here is a pure
// function of its arguments.
#pragma once

#include "astro/sky_state.h"

namespace astro {

// The computation pass: Universal Time, Julian day, T, body positions,
// sidereal time and the altitude and azimuth of the six bodies for the
// entered moment (JST) and place. Leaves moonIllum/moonLimbAngle at 0.
SkyState computationPass(const SkyInput& in);

struct MoonPhase {
    double illum = 0.0;         // illuminated fraction k, 0..1
    double limbAngleDeg = 0.0;  // bright limb from the vertical, [0, 360)
};

// Moon phase and bright-limb angle for a state from computationPass().
MoonPhase moonPhase(const SkyState& sky);

// computationPass() followed by moonPhase(), stored into the state.
SkyState computeSky(const SkyInput& in);

}  // namespace astro
