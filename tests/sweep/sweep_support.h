// Helpers shared by the sweeps: the grid size (reduced under the sanitizers,
// where every call costs ten times more) and checks of a computed sky.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/sky_state.h"
#include "view/sky_view.h"

namespace sweep {

#ifdef PLANETARIUM_SWEEP_REDUCED
inline constexpr bool kReduced = true;
#else
inline constexpr bool kReduced = false;
#endif

// Every display option on, every constellation selected.
inline view::ViewOptions everythingOn(int year, int month, double day, int stepMinutes) {
    view::ViewOptions opt;
    opt.equator = opt.ecliptic = opt.altAzLines = opt.starNames = opt.constellations = opt.meteors = true;
    opt.selected.fill(true);
    opt.year = year;
    opt.month = month;
    opt.day = day;
    opt.stepMinutes = stepMinutes;
    return opt;
}

// The empty string when every number of the state is finite and inside its
// documented range, else the first value that is not.
inline std::string skyProblem(const astro::SkyState& s) {
    const struct {
        const char* name;
        double v;
    } scalars[] = {{"jdUt", s.jdUt},
                   {"jcent", s.jcent},
                   {"utDay", s.utDay},
                   {"utHours", s.utHours},
                   {"siderealTime", s.siderealTimeHours},
                   {"sunLon", s.sunLonDeg},
                   {"sunDist", s.sunDistAu},
                   {"nutLon", s.nutLonDeg},
                   {"obliquity", s.obliquityDeg},
                   {"sinObl", s.sinObl},
                   {"cosObl", s.cosObl},
                   {"moonIllum", s.moonIllum},
                   {"moonLimbAngle", s.moonLimbAngleDeg}};
    for (const auto& sc : scalars)
        if (!std::isfinite(sc.v)) return std::string(sc.name) + " = " + std::to_string(sc.v);
    for (int b = 0; b < astro::kBodyCount; ++b) {
        const std::string body = "body " + std::to_string(b) + " ";
        if (!std::isfinite(s.bodyRaHours[b]) || s.bodyRaHours[b] < 0.0 || s.bodyRaHours[b] >= 24.0)
            return body + "ra " + std::to_string(s.bodyRaHours[b]);
        if (!std::isfinite(s.bodyDecDeg[b]) || s.bodyDecDeg[b] < -90.0 || s.bodyDecDeg[b] > 90.0)
            return body + "dec " + std::to_string(s.bodyDecDeg[b]);
        if (!std::isfinite(s.bodyAltDeg[b]) || s.bodyAltDeg[b] < -90.0 || s.bodyAltDeg[b] > 90.0)
            return body + "alt " + std::to_string(s.bodyAltDeg[b]);
        if (!std::isfinite(s.bodyAzDeg[b]) || s.bodyAzDeg[b] < 0.0 || s.bodyAzDeg[b] >= 360.0)
            return body + "az " + std::to_string(s.bodyAzDeg[b]);
    }
    if (s.moonIllum < 0.0 || s.moonIllum > 1.0) return "moonIllum " + std::to_string(s.moonIllum);
    if (s.moonLimbAngleDeg < 0.0 || s.moonLimbAngleDeg >= 360.0) return "moonLimbAngle " + std::to_string(s.moonLimbAngleDeg);
    return {};
}

}  // namespace sweep
