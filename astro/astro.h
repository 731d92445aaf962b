// Public entry points of the astronomical core. Everything here is a pure
// function of its arguments.
#pragma once

#include "astro/sky_state.h"

namespace astro {

// Limits the computation pass holds its input to, so that T, T*T and every
// series argument stay finite for any input. Year and month keep the 16-bit
// range of the date fields; day, hour and minute are each held within
// 10 million days (about 27,000 years) of zero. Latitude and longitude are
// used as given (any finite angle is meaningful to the trigonometry).
inline constexpr int kMinYear = -32768;
inline constexpr int kMaxYear = 32767;
inline constexpr int kMinMonth = -32768;
inline constexpr int kMaxMonth = 32767;
inline constexpr double kMaxAbsDay = 1.0e7;
inline constexpr double kMaxAbsHour = 2.4e8;
inline constexpr double kMaxAbsMinute = 1.44e10;

// clampSkyInput: the input as the computation pass uses it: year and month
// and day, hour, minute held to the limits above; a NaN in any field counts
// as 0 and an infinity as the nearest limit (latitude and longitude: 0).
SkyInput clampSkyInput(const SkyInput& in);

// The computation pass: Universal Time, Julian day, T, body positions,
// sidereal time and the altitude and azimuth of the six bodies for the
// entered moment (JST) and place. Leaves moonIllum/moonLimbAngle at 0.
//   in  date and time (Japan Standard Time, UT + 9 h for every place) and
//       place; held to the limits of clampSkyInput first.
// Every number of the result is finite.
SkyState computationPass(const SkyInput& in);

struct MoonPhase {
    double illum = 0.0;         // illuminated fraction k, 0..1
    double limbAngleDeg = 0.0;  // bright limb from the vertical, [0, 360)
};

// moonPhase: illuminated fraction from the mean elongation and anomalies, and
// the angle of the bright limb from the vertical (position angle of the
// bright limb minus the Moon's parallactic angle), both geocentric.
//   sky  a state from computationPass() (reads jcent, the Sun's and Moon's
//        bodyRA/bodyDec, siderealTime, obsLat, obsLon)
MoonPhase moonPhase(const SkyState& sky);

// computeSky: computationPass() followed by moonPhase(), stored into the state.
SkyState computeSky(const SkyInput& in);

}  // namespace astro
