// Where a picture meets a device: the one conversion between picture twips,
// a device's pixels (the back buffer, the canvas's pixels, a PNG) and its
// logical pixels (a widget's, the page's CSS pixels). The window's canvas,
// the pointer, the find ring, the draw record, the hit test and the
// browser's canvas all go through it, so a scaled, centred picture on a
// high-density screen answers where it is drawn.
#pragma once

#include <cmath>

#include "view/picture.h"

namespace view {

struct DevicePoint {
    double x = 0.0;  // pixels, right
    double y = 0.0;  // pixels, down
};

struct TwipsPoint {
    double x = 0.0;  // twips, right
    double y = 0.0;  // twips, down
};

struct Viewport {
    double originXPx = 0.0;  // the picture's top-left corner, device pixels
    double originYPx = 0.0;
    double pixelsPerTwip = 1.0 / kTwipsPerPixel;  // device pixels per twip
    double devicePixelRatio = 1.0;                // device pixels per logical pixel

    // fitted: a picture of `scale` picture pixels per design pixel, its
    // top-left corner at (originX, originY) logical pixels, on a device of
    // `dpr`; the corner is put on a whole device pixel, where the painter
    // starts.
    static Viewport fitted(double scale, double dpr = 1.0, double originX = 0.0, double originY = 0.0) {
        return {static_cast<double>(std::lround(originX * dpr)), static_cast<double>(std::lround(originY * dpr)),
                scale * dpr / kTwipsPerPixel, dpr};
    }

    // The painter's scale: device pixels per design pixel.
    double painterScale() const { return pixelsPerTwip * kTwipsPerPixel; }

    DevicePoint deviceOf(double xTwips, double yTwips) const {
        return {xTwips * pixelsPerTwip + originXPx, yTwips * pixelsPerTwip + originYPx};
    }
    // Nothing sensible for a viewport of no size: the caller checks
    // pixelsPerTwip > 0.
    TwipsPoint twipsOf(double xPx, double yPx) const {
        return {(xPx - originXPx) / pixelsPerTwip, (yPx - originYPx) / pixelsPerTwip};
    }
    DevicePoint deviceFromLogical(double x, double y) const { return {x * devicePixelRatio, y * devicePixelRatio}; }
    DevicePoint logicalFromDevice(double xPx, double yPx) const {
        return {xPx / devicePixelRatio, yPx / devicePixelRatio};
    }
    double logicalLength(double px) const { return px / devicePixelRatio; }
};

}  // namespace view
