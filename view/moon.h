// The Moon as a disc lit by its phase: only the lit part is painted, so the
// sky shows through the dark part.
#pragma once

#include "view/painter.h"

namespace view {

inline constexpr double kMoonRadiusTwips = 150.0;
inline constexpr double kMoonScanStepTwips = 0.25;
inline constexpr Rgb kMoonLitColour{253, 249, 178};
inline constexpr Rgb kMoonOutlineColour{249, 230, 3};

// drawMoon: chords from the terminator to the bright limb fill the lit part,
// then dots trace the terminator and the limb.
//   centreX, centreY  picture position of the Moon's centre, twips
//   illum             illuminated fraction k, 0..1 (clamped; non-finite: 0)
//   limbAngleDeg      bright limb from straight up, counter-clockwise in the
//                     picture, degrees (non-finite: 0)
// The disc has radius 150 twips and is scanned every 0.25 twips across the
// bright-limb direction: 1201 lines, then 2402 points.
void drawMoon(float centreX, float centreY, double illum, double limbAngleDeg, Painter& painter);

}  // namespace view
