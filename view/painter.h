// The drawing operations of the window's drawing surface. The sky code draws
// only through this interface; the window supplies a Qt implementation and the
// tests a recording one. Coordinates and sizes are twips (1/1440 inch), origin
// at the top-left of the client area, x right, y down, single precision.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace view {

// A 24-bit colour.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// One corner of a polyline or polygon, twips.
struct Vertex {
    float x = 0.0f;
    float y = 0.0f;
};

// Dash pattern of lines and polylines. The paper chart tells its circles apart
// by pattern as well as by grey, so they survive black-and-white printing.
enum class LineStyle { Solid, Dashed, Dotted, DashDot };

class Painter {
public:
    virtual ~Painter() = default;
    // Fills the whole surface with the background colour; text position -> (0, 0).
    virtual void clear() = 0;
    // One-pixel solid line.
    virtual void line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
    // Filled circle, outlined in `colour` and filled with the current fill colour.
    virtual void disc(float x, float y, float radius, Rgb colour) = 0;
    // Sets one pixel.
    virtual void point(float x, float y, Rgb colour) = 0;
    // Top-left corner of the next text.
    virtual void setTextPosition(float x, float y) = 0;
    // UTF-8 text at the text position, in the window's text colour and font.
    virtual void text(std::string_view utf8) = 0;
    virtual void setFillColour(Rgb colour) = 0;
    // The only style the program uses.
    virtual void setFillStyleSolid() = 0;

    // The paper chart's additions. Painters that do not draw paper charts
    // may keep these defaults: solid lines only, polylines as single lines,
    // polygons as their outline.
    //
    // Dash pattern of the following line() and polyline() calls.
    virtual void setLineStyle(LineStyle) {}
    // Size of the following text() calls as a multiple of the labels' own
    // size (1 restores it). Painters without fonts may ignore it.
    virtual void setTextScale(float) {}
    // Connected lines through the points; the dash pattern runs on across
    // the corners.
    virtual void polyline(std::span<const Vertex> points, Rgb colour) {
        for (std::size_t i = 1; i < points.size(); ++i)
            line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour);
    }
    // Closed shape through the points, filled with the fill colour and
    // outlined in `colour` (solid).
    virtual void polygon(std::span<const Vertex> points, Rgb colour) {
        polyline(points, colour);
        if (points.size() > 2) line(points.back().x, points.back().y, points.front().x, points.front().y, colour);
    }
};

}  // namespace view
