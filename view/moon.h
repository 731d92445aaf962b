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

// Points across the disc for the paper Moon's outlines (every 5 twips).
inline constexpr int kPaperMoonSteps = 60;

// drawPaperMoon: the Moon for paper, the same disc and phase as drawMoon in
// outlines a printer draws well: the whole disc grey with a black edge (the
// dark part), then the lit part as one white shape bounded by the bright
// limb and the terminator, outlined in black. Same inputs as drawMoon.
void drawPaperMoon(float centreX, float centreY, double illum, double limbAngleDeg, Painter& painter);

}  // namespace view
