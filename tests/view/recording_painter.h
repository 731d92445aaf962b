// A view::Painter that remembers every call, for checking what the picture
// drew, in which order, where and in which colour.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "view/painter.h"

namespace viewtest {

enum class Op { Clear, Line, Disc, Point, TextPos, Text, Fill, FillSolid, LineStyle, Polyline, Polygon };

struct Call {
    Op op;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0, radius = 0;
    view::Rgb colour{};
    std::string text;
    view::LineStyle lineStyle = view::LineStyle::Solid;  // LineStyle; the style in force for Polyline
    std::vector<view::Vertex> points;                     // Polyline, Polygon
};

inline Call makeCall(Op op, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0, float radius = 0,
                     view::Rgb colour = {}, std::string text = {}) {
    Call c;
    c.op = op;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.radius = radius;
    c.colour = colour;
    c.text = std::move(text);
    return c;
}

class RecordingPainter final : public view::Painter {
    view::LineStyle lineStyle_ = view::LineStyle::Solid;
    float textScale_ = 1.0f;

public:
    std::vector<Call> calls;

    void clear() override { calls.push_back(makeCall(Op::Clear)); }
    void line(float x1, float y1, float x2, float y2, view::Rgb c) override {
        calls.push_back(makeCall(Op::Line, x1, y1, x2, y2, 0, c));
    }
    void disc(float x, float y, float r, view::Rgb c) override { calls.push_back(makeCall(Op::Disc, x, y, 0, 0, r, c)); }
    void point(float x, float y, view::Rgb c) override { calls.push_back(makeCall(Op::Point, x, y, 0, 0, 0, c)); }
    void setTextPosition(float x, float y) override { calls.push_back(makeCall(Op::TextPos, x, y)); }
    void text(std::string_view s) override {
        calls.push_back(makeCall(Op::Text, 0, 0, 0, 0, textScale_, {}, std::string(s)));
    }
    void setTextScale(float scale) override { textScale_ = scale; }
    void setFillColour(view::Rgb c) override { calls.push_back(makeCall(Op::Fill, 0, 0, 0, 0, 0, c)); }
    void setFillStyleSolid() override { calls.push_back(makeCall(Op::FillSolid)); }
    void setLineStyle(view::LineStyle style) override {
        Call c = makeCall(Op::LineStyle);
        c.lineStyle = lineStyle_ = style;
        calls.push_back(c);
    }
    void polyline(std::span<const view::Vertex> pts, view::Rgb colour) override {
        Call c = makeCall(Op::Polyline, 0, 0, 0, 0, 0, colour);
        c.lineStyle = lineStyle_;
        c.points.assign(pts.begin(), pts.end());
        calls.push_back(c);
    }
    void polygon(std::span<const view::Vertex> pts, view::Rgb colour) override {
        Call c = makeCall(Op::Polygon, 0, 0, 0, 0, 0, colour);
        c.points.assign(pts.begin(), pts.end());
        calls.push_back(c);
    }

    std::vector<Call> of(Op op) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }
    std::vector<Call> of(Op op, view::Rgb colour) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.op == op && c.colour == colour) out.push_back(c);
        return out;
    }
    // Each printed text with the position set just before it.
    struct Label {
        float x, y;
        std::string text;
        float scale = 1.0f;  // times the labels' own size
    };
    std::vector<Label> labels() const {
        std::vector<Label> out;
        float x = 0, y = 0;
        for (const Call& c : calls) {
            if (c.op == Op::TextPos) {
                x = c.x1;
                y = c.y1;
            } else if (c.op == Op::Text) {
                out.push_back({x, y, c.text, c.radius});
            }
        }
        return out;
    }
};

}  // namespace viewtest
