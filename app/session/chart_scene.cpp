#include "app/session/chart_scene.h"

#include <algorithm>
#include <cctype>

#include "app/session/chart_heading.h"
#include "app/session/moment_text.h"
#include "app/session/colour_scheme.h"

namespace app {

namespace {

// Trails on paper: light enough that the stars at their ends stand out,
// dark enough to survive a black-and-white printer.
constexpr view::Rgb kPaperTrail{170, 170, 170};

}  // namespace

std::optional<ChartFormat> chartFormatForPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    // No extension at all (/dev/stdout, a FIFO, "sky"): a PNG, as always.
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return ChartFormat::Png;
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "png") return ChartFormat::Png;
    if (ext == "pdf") return ChartFormat::Pdf;
    if (ext == "svg") return ChartFormat::Svg;
    return std::nullopt;
}

view::ChartStyle defaultStyle(ChartFormat format) {
    return format == ChartFormat::Png ? view::ChartStyle::Screen : view::ChartStyle::Print;
}

void drawChart(const ChartScene& scene, const catalog::Catalogue& cat, view::Painter& painter,
               view::DrawRecord* record, view::MeteorRng* rng) {
    view::MeteorRng own = scene.meteorStart ? *scene.meteorStart : view::MeteorRng(scene.meteorSeed);
    view::MeteorRng& r = rng != nullptr ? *rng : own;
    if (scene.free) {
        const std::unique_ptr<view::Projector> projector = view::freeProjector(*scene.free);
        std::optional<view::Trails> trails = scene.trails;
        if (trails && scene.view.style == view::ChartStyle::Print)
            for (view::TrailPath& path : trails->paths) path.colour = kPaperTrail;
        view::drawView(*projector, scene.sky, cat, scene.view, r, painter, trails ? &*trails : nullptr, record);
    } else if (scene.trails && scene.view.style == view::ChartStyle::Print) {
        view::Trails trails = *scene.trails;
        for (view::TrailPath& path : trails.paths) path.colour = kPaperTrail;
        view::drawView(scene.direction, scene.sky, cat, scene.view, r, painter, trails, record);
    } else if (scene.trails) {
        view::drawView(scene.direction, scene.sky, cat, scene.view, r, painter, *scene.trails, record);
    } else {
        view::drawView(scene.direction, scene.sky, cat, scene.view, r, painter, record);
    }
    if (scene.view.style == view::ChartStyle::Print) view::drawPaperFrame(scene.heading, painter);
}

ChartScene chartScene(const PictureRequest& req, const PictureSky& shown, view::ChartStyle style,
                      const std::string& placeName, const LocalZone& zone, int colourScheme) {
    ChartScene scene;
    scene.direction = req.direction;
    scene.free = req.free;
    scene.sky = shown.sky;
    scene.view = pictureOptions(req.view, shown.shown, req.stepMinutes);
    scene.view.style = style;
    scene.heading = chartHeading(req.input, placeName, req.direction, zone);
    if (shown.trails) scene.heading.until = shownMinute(shown.shown);
    scene.heading.free = req.free;
    const SchemeColours colours = schemeColours(colourScheme);
    scene.screenBackground = colours.windowBack;
    scene.screenText = colours.windowText;
    scene.meteorSeed = req.seed;
    scene.trails = shown.trails;
    return scene;
}

}  // namespace app
