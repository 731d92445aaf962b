// A painter that only counts its calls: the core's own share of a drawing,
// and the size of the draw list the page would be handed.
#pragma once

#include <span>
#include <string_view>

#include "view/painter.h"

namespace benchsupport {

class CountingPainter final : public view::Painter {
public:
    long calls = 0;
    void clear() override { ++calls; }
    void line(float, float, float, float, view::Rgb) override { ++calls; }
    void disc(float, float, float, view::Rgb) override { ++calls; }
    void point(float, float, view::Rgb) override { ++calls; }
    void setTextPosition(float, float) override { ++calls; }
    void text(std::string_view) override { ++calls; }
    void setFillColour(view::Rgb) override { ++calls; }
    void setFillStyleSolid() override { ++calls; }
    void polyline(std::span<const view::Vertex>, view::Rgb) override { ++calls; }
    void polygon(std::span<const view::Vertex>, view::Rgb) override { ++calls; }
};

}  // namespace benchsupport
