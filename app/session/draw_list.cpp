#include "app/session/draw_list.h"

#include <cmath>
#include <string>

#include "app/session/json_writer.h"
#include "astro/number_text.h"
#include "view/chart_style.h"
#include "view/picture.h"

namespace app {

namespace {

std::string hex(view::Rgb c) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string s = "#";
    for (const std::uint8_t v : {c.r, c.g, c.b}) {
        s += kDigits[v >> 4];
        s += kDigits[v & 15];
    }
    return s;
}

// A coordinate to a thousandth of a twip; what cannot be drawn is null.
// Written from the whole number of thousandths: the same digits as the
// shortest form of the rounded value, without the search for them that a
// library lacking std::to_chars for doubles (the browser's) must make.
std::string twipsText(float v) {
    if (!std::isfinite(v)) return "null";
    const double thousandths = std::round(static_cast<double>(v) * 1000.0);
    if (!(std::fabs(thousandths) < 1.0e15)) return astro::shortestText(thousandths / 1000.0);
    const long long n = static_cast<long long>(thousandths);
    const unsigned long long a = static_cast<unsigned long long>(n < 0 ? -n : n);
    std::string s = n < 0 ? "-" : "";
    s += std::to_string(a / 1000);
    if (unsigned frac = static_cast<unsigned>(a % 1000); frac != 0) {
        char digits[4] = {static_cast<char>('0' + frac / 100), static_cast<char>('0' + frac / 10 % 10),
                          static_cast<char>('0' + frac % 10), 0};
        int end = 3;
        while (digits[end - 1] == '0') --end;
        digits[end] = 0;
        s += '.';
        s += digits;
    }
    return s;
}

}  // namespace

void DrawListPainter::begin(const char* name) {
    if (!ops_.empty()) ops_ += ",";
    ops_ += "[\"";
    ops_ += name;
    ops_ += "\"";
}

void DrawListPainter::number(float v) {
    ops_ += ",";
    ops_ += twipsText(v);
}

void DrawListPainter::colour(view::Rgb c) { ops_ += ",\"" + hex(c) + "\""; }

void DrawListPainter::vertices(std::span<const view::Vertex> points) {
    ops_ += ",[";
    bool first = true;
    for (const view::Vertex& v : points) {
        for (const float c : {v.x, v.y}) {
            if (!first) ops_ += ",";
            first = false;
            ops_ += twipsText(c);
        }
    }
    ops_ += "]";
}

void DrawListPainter::clear() {
    begin("clear");
    ops_ += "]";
}

void DrawListPainter::line(float x1, float y1, float x2, float y2, view::Rgb c) {
    begin("line");
    for (const float v : {x1, y1, x2, y2}) number(v);
    colour(c);
    ops_ += "]";
}

void DrawListPainter::disc(float x, float y, float radius, view::Rgb c) {
    begin("disc");
    for (const float v : {x, y, radius}) number(v);
    colour(c);
    ops_ += "]";
}

void DrawListPainter::point(float x, float y, view::Rgb c) {
    begin("point");
    number(x);
    number(y);
    colour(c);
    ops_ += "]";
}

void DrawListPainter::setTextPosition(float x, float y) {
    begin("at");
    number(x);
    number(y);
    ops_ += "]";
}

void DrawListPainter::text(std::string_view utf8) {
    begin("text");
    ops_ += "," + jsonString(utf8) + "]";
}

void DrawListPainter::setFillColour(view::Rgb c) {
    begin("fill");
    colour(c);
    ops_ += "]";
}

void DrawListPainter::setLineStyle(view::LineStyle style) {
    static constexpr const char* kNames[] = {"solid", "dashed", "dotted", "dashdot"};
    begin("style");
    ops_ += ",\"";
    ops_ += kNames[static_cast<int>(style)];
    ops_ += "\"]";
}

void DrawListPainter::setTextScale(float factor) {
    begin("textScale");
    number(factor);
    ops_ += "]";
}

void DrawListPainter::polyline(std::span<const view::Vertex> points, view::Rgb c) {
    begin("polyline");
    vertices(points);
    colour(c);
    ops_ += "]";
}

void DrawListPainter::polygon(std::span<const view::Vertex> points, view::Rgb c) {
    begin("polygon");
    vertices(points);
    colour(c);
    ops_ += "]";
}

namespace {

std::string listJson(double width, double height, double scale, view::Rgb background, view::Rgb text,
                     const DrawListPainter& painter) {
    return "{\"width\": " + astro::shortestText(width) + ", \"height\": " + astro::shortestText(height) +
           ", \"scale\": " + astro::shortestText(scale) + ", \"background\": \"" + hex(background) +
           "\", \"text\": \"" + hex(text) + "\", \"ops\": [" + painter.ops() + "]}\n";
}

}  // namespace

std::string chartDrawList(const ChartScene& scene, const catalog::Catalogue& cat) {
    DrawListPainter painter;
    drawChart(scene, cat, painter);
    const view::ChartFrame frame = view::chartFrame(scene.view.style);
    const bool paper = scene.view.style == view::ChartStyle::Print;
    return listJson(frame.widthTwips, frame.heightTwips, 1.0, paper ? view::kPaperBackground : scene.screenBackground,
                    paper ? view::kPaperText : scene.screenText, painter);
}

std::string eclipseDrawList(const view::EclipseScene& scene) {
    DrawListPainter painter;
    view::drawEclipse(scene, painter);
    const SchemeColours colours = schemeColours(kNightScheme);
    return listJson(view::kSurfaceWidthTwips, view::kSurfaceHeightTwips, 1.0, colours.windowBack, colours.windowText, painter);
}

std::string sunPathDrawList(const view::SunPathScene& scene) {
    DrawListPainter painter;
    view::drawSunPath(scene, painter);
    return listJson(view::kSunPathPageWidthTwips, view::kSunPathPageHeightTwips, 1.0, view::kPaperBackground,
                    view::kPaperText, painter);
}

std::string phaseStripDrawList(const view::PhaseStrip& strip) {
    DrawListPainter painter;
    view::drawPhaseStrip(strip, painter);
    return listJson(view::kSunPathPageWidthTwips, view::kSunPathPageHeightTwips, 1.0, view::kPaperBackground,
                    view::kPaperText, painter);
}

std::string moonCardDrawList(const view::MoonCard& card) {
    DrawListPainter painter;
    view::drawMoonCard(card, painter);
    return listJson(view::kMoonCardWidthTwips, view::kMoonCardHeightTwips, 1.0, view::kPaperBackground,
                    view::kPaperText, painter);
}

std::string orbitDrawList(const view::OrbitScene& scene, view::OrbitExtent extent) {
    DrawListPainter painter;
    view::drawOrbitView(scene, extent, painter);
    return listJson(view::kOrbitPageWidthTwips, view::kOrbitPageHeightTwips, 1.0, view::kPaperBackground, view::kPaperText,
                    painter);
}

std::string planispherePageDrawList(const view::Planisphere& p, const catalog::Catalogue& cat,
                                    const std::string& placeName, int page) {
    DrawListPainter painter;
    if (page == 1) view::drawStarDisc(p, cat, placeName, painter);
    else view::drawHorizonMask(p, placeName, painter);
    return listJson(view::kA4WidthMm * view::kTwipsPerMm, view::kA4HeightMm * view::kTwipsPerMm, 1.0,
                    view::kPaperBackground, view::kPaperText, painter);
}

std::string pictureDrawList(const PictureRequest& req, const catalog::Catalogue& cat) {
    const PictureSky shown = pictureSky(req, cat);
    const SchemeColours colours = pictureColours(shown);
    const view::Rgb background = colours.windowBack, text = colours.windowText;
    view::MeteorRng rng(req.seed);
    DrawListPainter painter;
    drawPicture(req, shown, cat, rng, painter);
    return listJson(view::kSurfaceWidthTwips, view::kSurfaceHeightTwips, req.scale, background, text, painter);
}

}  // namespace app
