#include "app/window/window_layout_qtcore.h"

#include <algorithm>

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

#include "app/session/numeric_tables.h"
#include "view/picture.h"

namespace app {

namespace {

constexpr double kDate = 14.25;    // the date boxes and their captions
constexpr double kPlace = 15.75;   // the coordinate boxes
constexpr double kCaption = 12.0;  // other captions, check boxes, lists

constexpr std::array kControls = {
    // Date and place row.
    ControlLayout{"lstCITY", 120, 120, 975, 1230, 0},
    ControlLayout{"txtYMD_0", 1320, 120, 615, 375, kDate},
    ControlLayout{"txtYMD_1", 2280, 120, 375, 375, kDate},
    ControlLayout{"txtYMD_2", 3120, 120, 375, 375, kDate},
    ControlLayout{"txtYMD_3", 3840, 120, 375, 375, kDate},
    ControlLayout{"txtYMD_4", 4680, 120, 375, 375, kDate},
    ControlLayout{"Label2", 1920, 120, 495, 375, kDate},
    ControlLayout{"Label3", 2760, 120, 495, 375, kDate},
    ControlLayout{"Label4", 3480, 120, 495, 375, kDate},
    ControlLayout{"Label5", 4320, 120, 495, 375, kDate},
    ControlLayout{"Label6", 5160, 120, 495, 375, kDate},
    ControlLayout{"Label10", 1320, 600, 2895, 255, kCaption},
    ControlLayout{"Label1", 1320, 1020, 615, 255, kCaption},
    ControlLayout{"txtIDO", 1920, 960, 855, 375, kPlace},
    ControlLayout{"Label7", 3000, 1020, 615, 255, kCaption},
    ControlLayout{"txtKEIDO", 3600, 960, 975, 375, kPlace},
    // Time step.
    ControlLayout{"Label8", 5880, 240, 975, 255, kCaption},
    ControlLayout{"lstINTV1", 6000, 480, 615, 510, kCaption},
    ControlLayout{"Label9", 6960, 240, 1455, 255, kCaption},
    ControlLayout{"lstINTV2", 7080, 480, 615, 510, kCaption},
    // Direction cross around the draw button.
    ControlLayout{"optDIR_0", 9000, 0, 495, 375, kCaption},
    ControlLayout{"optDIR_1", 9720, 480, 495, 375, kCaption},
    ControlLayout{"optDIR_2", 9000, 960, 495, 375, kCaption},
    ControlLayout{"optDIR_3", 8160, 480, 495, 375, kCaption},
    ControlLayout{"Command3", 8760, 360, 855, 495, 0},
    // Display options and the other two buttons.
    ControlLayout{"chkSTR", 10560, 120, 855, 255, kCaption},
    ControlLayout{"lstSTR", 10560, 480, 1575, 1470, kCaption},
    ControlLayout{"chkOP_3", 11520, 120, 1335, 255, kCaption},
    ControlLayout{"chkMET", 12960, 120, 1215, 255, kCaption},
    ControlLayout{"chkOP_0", 12960, 720, 855, 255, kCaption},
    ControlLayout{"chkOP_1", 13920, 720, 975, 255, kCaption},
    ControlLayout{"chkOP_2", 12960, 1080, 1695, 255, kCaption},
    ControlLayout{"Command2", 12960, 1560, 615, 375, 0},
    ControlLayout{"Command1", 14040, 1560, 615, 375, 0},
};

}  // namespace

const ControlLayout& controlLayout(std::string_view designName) {
    for (const ControlLayout& c : kControls)
        if (designName == c.designName) return c;
    throw std::out_of_range("no layout for control " + std::string(designName));
}

ControlLayout tableCellLayout(int column, int row) {
    // Rows 0..14 on the left, 15..28 on the right; row 0 and 15 are headings.
    const bool right = row >= kRightBlockFirstRow;
    const int top = 2280 + 480 * (row - (right ? kRightBlockFirstRow : 0));
    const bool heading = row == 0 || row == kRightBlockFirstRow;
    switch (column) {
    case 0: return {"lblST", right ? 5880 : 360, top, (right && heading) ? 1575 : 2175, 375, kCaption, true};
    case 1: return {"lblH", right ? 8160 : 2640, top, 1455, 375, kCaption, true};
    default:
        return {"lblV", right ? 9720 : 4200, top, heading ? (right ? 1575 : 1455) : 975, 375,
                heading ? 11.25 : kCaption, true};
    }
}

QSize designAreaPixels() {
    int right = static_cast<int>(view::kSurfaceWidthTwips);
    int bottom = static_cast<int>(view::kSurfaceHeightTwips);
    for (const ControlLayout& c : kControls) {
        right = std::max(right, c.leftTw + c.widthTw);
        bottom = std::max(bottom, c.topTw + c.heightTw);
    }
    return {twipsToPixels(right), twipsToPixels(bottom)};
}

int twipsToPixels(int twips) { return static_cast<int>(std::lround(twips / view::kTwipsPerPixel)); }

QRect pixelRect(const ControlLayout& c) {
    return {twipsToPixels(c.leftTw), twipsToPixels(c.topTw), twipsToPixels(c.widthTw), twipsToPixels(c.heightTw)};
}

}  // namespace app
