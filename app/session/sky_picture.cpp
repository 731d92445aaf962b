#include "app/session/sky_picture.h"

#include "astro/precise_sky.h"
#include "catalog/ephemeris.h"

#include "app/session/chart_heading.h"
#include "app/session/moment_text.h"
#include "app/session/chart_scene.h"

#include "app/session/sky_moments.h"
#include "astro/astro.h"
#include "view/picture.h"

namespace app {

namespace {
// Where a film frame's stamp goes: the top left, as the paper chart's title.
constexpr float kStampXTwips = view::kTitleX;
constexpr float kStampYTwips = 150.0f;
}  // namespace

namespace {

// A painter that draws nothing: a record needs no pixels.
class NullPainter final : public view::Painter {
public:
    void clear() override {}
    void line(float, float, float, float, view::Rgb) override {}
    void disc(float, float, float, view::Rgb) override {}
    void point(float, float, view::Rgb) override {}
    void setTextPosition(float, float) override {}
    void text(std::string_view) override {}
    void setFillColour(view::Rgb) override {}
    void setFillStyleSolid() override {}
};

}  // namespace

view::ViewOptions pictureOptions(const view::ViewOptions& boxes, const astro::SkyInput& shown, int stepMinutes) {
    view::ViewOptions o = boxes;
    o.year = shown.year;
    o.month = shown.month;
    o.day = shown.day;
    o.stepMinutes = stepMinutes;
    return o;
}

view::ChartStyle pictureStyle(const PictureRequest& req) {
    if (req.style && *req.style != view::ChartStyle::Print) return *req.style;
    return req.free || req.direction == view::Direction::Zenith ? view::ChartStyle::Natural : view::ChartStyle::Screen;
}

namespace {

// The design's four views in its own styles keep the design's series; the
// natural style, the all-sky view and the free view, in any style, show
// the precise ephemeris (with Mercury, Uranus and Neptune).
bool showsPreciseSky(const PictureRequest& req) {
    return req.free || req.direction == view::Direction::Zenith || pictureStyle(req) == view::ChartStyle::Natural;
}

}  // namespace

PictureSky pictureSky(const PictureRequest& req, const catalog::Catalogue& cat, const SkyComputation& compute) {
    if (req.trailMinutes > 0) {
        const std::unique_ptr<view::Projector> free = req.free ? view::freeProjector(*req.free) : nullptr;
        const view::Projector& projector = free ? *free : view::projectorFor(req.direction);
        if (std::optional<TrailScene> t = trailScene(req.input, req.trailMinutes, projector, cat)) {
            PictureSky out{t->end, std::move(t->endSky), std::move(t->trails)};
            if (showsPreciseSky(req))
                astro::applyPreciseEphemeris(catalog::ephemerisTables(), out.sky);
            return out;
        }
    }
    PictureSky out{req.input, compute ? compute(req.input) : astro::computeSky(req.input), std::nullopt};
    if (showsPreciseSky(req) && !out.sky.precise)
        astro::applyPreciseEphemeris(catalog::ephemerisTables(), out.sky);
    return out;
}

namespace {

// The picture as a chart in a screen's style.
ChartScene pictureScene(const PictureRequest& req, const PictureSky& shown) {
    ChartScene scene;
    scene.direction = req.direction;
    scene.free = req.free;
    scene.sky = shown.sky;
    scene.view = pictureOptions(req.view, shown.shown, req.stepMinutes);
    scene.view.style = pictureStyle(req);
    scene.trails = shown.trails;
    return scene;
}

}  // namespace

void drawPicture(const PictureRequest& req, const PictureSky& shown, const catalog::Catalogue& cat,
                 view::MeteorRng& rng, view::Painter& painter, view::DrawRecord* record) {
    if (record != nullptr) record->viewport = view::Viewport::fitted(req.scale);
    // The one drawing entry.
    drawChart(pictureScene(req, shown), cat, painter, record, &rng);
    if (req.stamp) {
        painter.setTextPosition(kStampXTwips, kStampYTwips);
        view::ChartHeading heading = chartHeading(req.input, req.stamp->placeName, req.direction, req.stamp->zone);
        if (shown.trails) heading.until = shownMinute(shown.shown);
        heading.free = req.free;
        painter.text(view::chartTitle(heading));
    }
}

view::DrawRecord recordPicture(const PictureRequest& req, const PictureSky& shown, const catalog::Catalogue& cat) {
    view::DrawRecord record;
    view::MeteorRng rng(req.seed);
    NullPainter none;
    drawPicture(req, shown, cat, rng, none, &record);
    return record;
}

SchemeColours pictureColours(const PictureSky& shown) {
    return schemeColours(schemeForSunAltitude(shown.sky.bodyAltDeg[astro::Sun]));
}

}  // namespace app
