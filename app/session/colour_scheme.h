// The two colour schemes of the window (1 night, 2 day) and the rules that
// choose between them from the Sun's altitude.
#pragma once

#include <optional>

#include "view/painter.h"

namespace app {

inline constexpr int kNightScheme = 1;
inline constexpr int kDayScheme = 2;

struct SchemeColours {
    view::Rgb windowBack;     // the picture's background (Clear)
    view::Rgb windowText;     // Text on the picture, labels, check boxes
    view::Rgb fieldBack;      // text boxes and list boxes
    view::Rgb fieldText;
    view::Rgb highlightBack;  // selected list items
    view::Rgb highlightText;
    view::Rgb barBack;        // scroll bars of the lists
};

// Scheme 1 (night) or 2 (day); any other number gives the night colours.
constexpr SchemeColours schemeColours(int scheme) {
    if (scheme == kDayScheme) {
        return {{0, 144, 255}, {232, 232, 232}, {240, 248, 255}, {0, 32, 80}, {0, 64, 160}, {255, 255, 255},
                {176, 206, 236}};
    }
    return {{32, 96, 192}, {197, 197, 197}, {16, 40, 96}, {235, 235, 235}, {255, 214, 0}, {0, 0, 0},
            {56, 92, 160}};
}

// The three buttons keep this background in both schemes, with black text.
inline constexpr view::Rgb kButtonBack{19, 177, 255};
// A text box whose text could not be used as typed.
inline constexpr view::Rgb kWarningBack{255, 200, 64};
inline constexpr view::Rgb kWarningText{0, 0, 0};

// The draw command: night when the Sun is below the horizon, day when above;
// at exactly 0 the night colours are set first and the day colours win.
constexpr int schemeForSunAltitude(double sunAltDeg) { return sunAltDeg >= 0.0 ? kDayScheme : kNightScheme; }

// The timed redraw: a new scheme only when the Sun has crossed the horizon
// since the previous drawing (the product of the two altitudes is negative).
constexpr std::optional<int> schemeAfterStep(double lastSunAltDeg, double sunAltDeg) {
    if (lastSunAltDeg * sunAltDeg < 0.0) return schemeForSunAltitude(sunAltDeg);
    return std::nullopt;
}

}  // namespace app
