// The window's layout: every control's design name, rectangle in twips and
// font, as one table. Positions are relative to the picture area (the
// client area under the menu bar), at 15 twips per pixel.
#pragma once

#include <QRect>

#include <string_view>

namespace app {

struct ControlLayout {
    const char* designName;  // the control's objectName
    int leftTw, topTw, widthTw, heightTw;
    double points;  // 0: the application's font
    bool bold = false;
};

// The design rectangle of the control, in pixels. Throws std::out_of_range
// for a name that is not in the table (a programming error).
const ControlLayout& controlLayout(std::string_view designName);

// The numeric table's cells lblST_i, lblH_i, lblV_i (i = 0..28): column
// 0, 1 or 2.
ControlLayout tableCellLayout(int column, int row);

// The smallest picture area that holds the whole picture and every
// control's rectangle (黄道's box reaches past the picture's right edge),
// pixels.
QSize designAreaPixels();

// Twips to pixels, rounded to the nearest pixel.
int twipsToPixels(int twips);
QRect pixelRect(const ControlLayout& c);

}  // namespace app
