// The three looks of the sky picture: the window's colours on a blue sky
// (screen); a black-on-white chart for paper (print), where bodies are
// outlines, stars black discs and the circles of the sky grey lines told
// apart by their dash patterns; and the sky as the eye sees it (natural,
// natural_sky.h): its colour by the Sun, stars in their colours down to
// what can be seen.
#pragma once

#include "view/painter.h"

namespace view {

enum class ChartStyle { Screen, Print, Natural };

// Paper colours.
inline constexpr Rgb kPaperBackground{255, 255, 255};
inline constexpr Rgb kPaperText{0, 0, 0};
inline constexpr Rgb kPaperHorizon{64, 64, 64};
inline constexpr Rgb kPaperFigure{80, 80, 80};
inline constexpr Rgb kPaperEquator{128, 128, 128};
inline constexpr Rgb kPaperEcliptic{128, 128, 128};
inline constexpr Rgb kPaperGrid{176, 176, 176};
inline constexpr Rgb kPaperStar{0, 0, 0};
inline constexpr Rgb kPaperOutline{0, 0, 0};       // Sun, Moon and planets
inline constexpr Rgb kPaperBodyFill{255, 255, 255};
inline constexpr Rgb kPaperMoonDark{170, 170, 170};
inline constexpr Rgb kPaperMoonLit{255, 255, 255};
// Shooting stars darken toward the head, as they brighten on the screen.
inline constexpr Rgb kPaperMeteor[3] = {{190, 190, 190}, {120, 120, 120}, {30, 30, 30}};

inline constexpr LineStyle kPaperEquatorLine = LineStyle::Dashed;
inline constexpr LineStyle kPaperEclipticLine = LineStyle::DashDot;
inline constexpr LineStyle kPaperGridLine = LineStyle::Dotted;

// The drawing surface of each style, twips. The paper chart adds a band
// below the direction labels for the magnitude legend and the program's
// name; its title line sits above the sky, which never reaches higher than
// the zenith at y = 1800.
struct ChartFrame {
    double widthTwips;
    double heightTwips;
};
inline constexpr ChartFrame kScreenFrame{14655.0, 9375.0};
inline constexpr ChartFrame kPaperFrame{14655.0, 10200.0};
inline constexpr ChartFrame chartFrame(ChartStyle style) {
    return style == ChartStyle::Print ? kPaperFrame : kScreenFrame;
}

}  // namespace view
