// Names that never collide. A PlacingPainter stands between the sky code
// and the real painter: it passes every drawing on at once but holds the
// texts back, and at the end places them in order of importance, each at
// the first of its candidate spots that stays inside the picture, meets no
// name placed before it and covers no disc of a more important object. A
// name with no such spot is left out, never overprinted.
//
// Importance is a rank, smaller first: the direction names, then the Sun,
// the Moon, the planets, the stars by magnitude, the clusters and nebulae,
// the star patterns and the constellations (the kRank... bases plus the
// object's magnitude).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/painter.h"
#include "view/picture.h"

namespace view {

// A text's box, twips: x0 <= x < x1, y0 <= y < y1.
struct TextBox {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
};

bool overlaps(const TextBox& a, const TextBox& b);

// The labels' font: 12 pixels at the design size, 180 twips (3.2 mm on the
// planisphere's page, 181), taken as 188 so that rounding of the font's
// size on any device never makes a name wider than its box; a line is 210.
inline constexpr float kLabelEmTwips = 188.0f;
inline constexpr float kLabelLineTwips = 210.0f;

// labelWidthTwips: the width of a label at `scale` times the labels' size,
// never narrower than the Japanese fonts draw it: a full-width character
// one em, an ASCII or half-width one 0.6 em.
float labelWidthTwips(std::string_view utf8, float scale = 1.0f);
// The box of a label whose top-left corner is (x, y).
TextBox labelBox(float x, float y, std::string_view utf8, float scale = 1.0f);

inline constexpr double kRankFrame = -1000.0;  // direction names: placed first, as given
inline constexpr double kRankSun = 0.0;
inline constexpr double kRankMoon = 100.0;
inline constexpr double kRankPlanet = 200.0;   // + magnitude
inline constexpr double kRankStar = 300.0;     // + magnitude
inline constexpr double kRankDeepSky = 400.0;  // + magnitude
inline constexpr double kRankPattern = 500.0;
inline constexpr double kRankConstellation = 600.0;

// One placed name.
struct PlacedLabel {
    std::string text;
    TextBox box;
    float scale = 1.0f;
    double rank = 0.0;
};

class PlacingPainter final : public Painter {
public:
    // bounds: where names may stand (the picture).
    PlacingPainter(Painter& target, TextBox bounds);

    // The rank of the texts and discs that follow.
    void setRank(double rank) { rank_ = rank; }
    // The object the next text names: its centre and radius. The text then
    // goes right of it, or left, above, below or at a corner; without an
    // object the text's own spot is tried first, then spots a line above
    // and below it and to its left.
    void setAnchor(PicturePoint centre, float radiusTwips);
    // A disc that keeps less important names off, drawn some other way
    // than disc() (the Moon); disc() notes its own.
    void addObstacle(PicturePoint centre, float radiusTwips) { obstacles_.push_back({centre, radiusTwips, rank_}); }

    // Places the held texts and draws those that fit; returns them.
    const std::vector<PlacedLabel>& flush();

    void clear() override { target_.clear(); }
    void line(float x1, float y1, float x2, float y2, Rgb colour) override { target_.line(x1, y1, x2, y2, colour); }
    void disc(float x, float y, float radius, Rgb colour) override;
    void point(float x, float y, Rgb colour) override { target_.point(x, y, colour); }
    void setTextPosition(float x, float y) override { at_ = {x, y}; }
    void text(std::string_view utf8) override;
    void setFillColour(Rgb colour) override { target_.setFillColour(colour); }
    void setFillStyleSolid() override { target_.setFillStyleSolid(); }
    void setLineStyle(LineStyle style) override { target_.setLineStyle(style); }
    void setTextScale(float scale) override { scale_ = scale; }
    void polyline(std::span<const Vertex> points, Rgb colour) override { target_.polyline(points, colour); }
    void polygon(std::span<const Vertex> points, Rgb colour) override { target_.polygon(points, colour); }

private:
    struct Obstacle {
        PicturePoint centre;
        float radius;
        double rank;
    };
    struct Held {
        std::string text;
        PicturePoint spot;
        std::optional<Obstacle> anchor;
        float scale;
        double rank;
        std::size_t order;
    };
    bool fits(const TextBox& box, double rank) const;
    TextBox inside(TextBox box) const;

    Painter& target_;
    TextBox bounds_;
    double rank_ = kRankStar;
    float scale_ = 1.0f;
    PicturePoint at_;
    std::optional<Obstacle> anchor_;
    std::vector<Obstacle> obstacles_;
    std::vector<Held> held_;
    std::vector<PlacedLabel> placed_;
};

}  // namespace view
