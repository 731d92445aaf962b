// A picture as the list of its painter calls, in order: what the browser
// edition replays on its canvas and what `--render FILE.json` writes, so
// that the two can be compared call by call. Coordinates are twips, written
// to a thousandth.
//
// The JSON: {"width": W, "height": H, "scale": S, "background": "#rrggbb",
// "text": "#rrggbb", "ops": [...]} with one array per call:
//   ["clear"]                         fill with the background
//   ["line", x1, y1, x2, y2, "#rrggbb"]
//   ["disc", x, y, r, "#rrggbb"]      outlined in the colour, filled with the fill colour
//   ["point", x, y, "#rrggbb"]
//   ["at", x, y]                      the next text's top-left corner
//   ["text", "..."]
//   ["fill", "#rrggbb"]
//   ["style", "solid"|"dashed"|"dotted"|"dashdot"]
//   ["textScale", f]                  the following texts f times the labels' size
//   ["polyline", [x, y, x, y, ...], "#rrggbb"]
//   ["polygon", [x, y, ...], "#rrggbb"]
#pragma once

#include <string>

#include "app/session/chart_scene.h"
#include "app/session/sky_picture.h"
#include "view/painter.h"
#include "view/eclipse_picture.h"
#include "view/planisphere.h"
#include "view/moon_card.h"
#include "view/orbit_view.h"
#include "view/phase_strip.h"
#include "view/sun_path.h"

namespace app {

class DrawListPainter final : public view::Painter {
public:
    void clear() override;
    void line(float x1, float y1, float x2, float y2, view::Rgb colour) override;
    void disc(float x, float y, float radius, view::Rgb colour) override;
    void point(float x, float y, view::Rgb colour) override;
    void setTextPosition(float x, float y) override;
    void text(std::string_view utf8) override;
    void setFillColour(view::Rgb colour) override;
    void setFillStyleSolid() override {}
    void setLineStyle(view::LineStyle style) override;
    void setTextScale(float factor) override;
    void polyline(std::span<const view::Vertex> points, view::Rgb colour) override;
    void polygon(std::span<const view::Vertex> points, view::Rgb colour) override;

    // The "ops" array's members so far, comma-separated.
    const std::string& ops() const { return ops_; }

private:
    void begin(const char* name);
    void number(float v);
    void colour(view::Rgb c);
    void vertices(std::span<const view::Vertex> points);
    std::string ops_;
};

// The draw list of a request's picture, as --render paints it, with its
// size in twips, scale and colours.
std::string pictureDrawList(const PictureRequest& req, const catalog::Catalogue& cat);

// The draw list of a chart (screen or paper style, the paper one with its
// title line and legend), of the chart frame's size.
std::string chartDrawList(const ChartScene& scene, const catalog::Catalogue& cat);

// The draw list of an eclipse's picture (view/eclipse_picture.h), the
// picture's size, in the night's colours.
std::string eclipseDrawList(const view::EclipseScene& scene);

// The draw list of 透明半球's A4 landscape page, black on white.
std::string sunPathDrawList(const view::SunPathScene& scene);
// The draw list of the phase strip's page (the same size).
std::string phaseStripDrawList(const view::PhaseStrip& strip);
// The draw list of the moon card (A4 portrait).
std::string moonCardDrawList(const view::MoonCard& card);
// The draw list of 宇宙から見た図 (A4 landscape).
std::string orbitDrawList(const view::OrbitScene& scene, view::OrbitExtent extent);

// The draw list of one of the planisphere's two A4 pages, in the print
// style: page 1 the star disc, page 2 the horizon mask.
std::string planispherePageDrawList(const view::Planisphere& p, const catalog::Catalogue& cat,
                                    const std::string& placeName, int page);

}  // namespace app
