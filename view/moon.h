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

// Points across the disc for the outlined Moons.
inline constexpr int kPaperMoonSteps = 60;

// The paper Moon: 520 twips across, about 10 mm on an A4 page.
inline constexpr double kPaperMoonRadiusTwips = 260.0;
// The thinnest lit part the outlined Moons draw: a crescent is drawn at
// least this fraction of the disc lit (0.16 of its diameter at the middle),
// so a two-day crescent still shows its horns on a screen and on paper.
inline constexpr double kThinnestLitFraction = 0.08;

// The colours of an outlined Moon.
struct MoonLook {
    Rgb dark;      // the dark part's fill ...
    Rgb darkEdge;  // ... and the disc's edge
    Rgb lit;       // the lit part's fill ...
    Rgb litEdge;   // ... and its edge
};

// drawMoonShape: the whole disc in the dark part's colours, then the lit
// part as one shape bounded by the bright limb and the terminator (any
// lit part at least kThinnestLitFraction). centreX, centreY, illum and
// limbAngleDeg as for drawMoon; radiusTwips the disc's radius.
void drawMoonShape(float centreX, float centreY, float radiusTwips, double illum, double limbAngleDeg,
                   const MoonLook& look, Painter& painter);

// drawPaperMoon: the Moon for paper in outlines a printer draws well: the
// disc grey with a black edge, the lit part white outlined in black, of
// radius kPaperMoonRadiusTwips. Same inputs as drawMoon.
void drawPaperMoon(float centreX, float centreY, double illum, double limbAngleDeg, Painter& painter);

}  // namespace view
