// A view::Painter that keeps no calls: it counts them, counts every
// coordinate or radius that is not finite, and remembers the largest
// magnitude it saw, so a sweep can assert and print in one pass.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "view/painter.h"

namespace testsupport {

class CheckingPainter final : public view::Painter {
public:
    long calls = 0;
    long nonFinite = 0;
    long negativeRadius = 0;
    long clears = 0;
    double largestMagnitude = 0.0;  // twips

    void clear() override {
        ++calls;
        ++clears;
    }
    void line(float x1, float y1, float x2, float y2, view::Rgb) override { check({x1, y1, x2, y2}); }
    void disc(float x, float y, float r, view::Rgb) override {
        check({x, y, r});
        if (r < 0.0f) ++negativeRadius;
    }
    void point(float x, float y, view::Rgb) override { check({x, y}); }
    void setTextPosition(float x, float y) override { check({x, y}); }
    void text(std::string_view) override { ++calls; }
    void setFillColour(view::Rgb) override { ++calls; }
    void setFillStyleSolid() override { ++calls; }

private:
    void check(std::initializer_list<float> values) {
        ++calls;
        for (float v : values) {
            if (!std::isfinite(v))
                ++nonFinite;
            else
                largestMagnitude = std::max(largestMagnitude, std::fabs(static_cast<double>(v)));
        }
    }
};

}  // namespace testsupport
