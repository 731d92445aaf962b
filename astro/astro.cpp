// Placeholder until the computation pass lands.
#include "astro/astro.h"

namespace astro {
SkyState computationPass(const SkyInput& in) {
    SkyState s;
    s.obsLat = in.latDeg;
    s.obsLon = in.lonDeg;
    return s;
}
MoonPhase moonPhase(const SkyState&) { return {}; }
SkyState computeSky(const SkyInput& in) {
    SkyState s = computationPass(in);
    const MoonPhase p = moonPhase(s);
    s.moonIllum = p.illum;
    s.moonLimbAngle = p.limbAngleDeg;
    return s;
}
}  // namespace astro
