// One picture of the sky, without Qt: what it is asked for, the sky it
// shows (the entered moment, or the end of a trail span with the trails
// leading there) and its drawing onto any painter. --render, --identify,
// each film frame, the window's canvas and the browser edition all draw
// through drawChart (chart_scene.h), to which drawPicture hands a picture.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/session/colour_scheme.h"
#include "app/session/zone.h"
#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/direction.h"
#include "view/hit_test.h"
#include "view/painter.h"
#include "view/free_projector.h"
#include "view/sky_view.h"
#include "view/trails.h"

namespace app {

struct PictureRequest {
    astro::SkyInput input;  // the moment (JST) and the place
    view::Direction direction = view::Direction::South;
    // The free view (自由視点) where it looks; when set, it frames the
    // picture instead of `direction`.
    std::optional<view::FreeLook> free;
    // The look asked for; unset, pictureStyle chooses.
    std::optional<view::ChartStyle> style;
    // Check boxes and constellation choice; the date fields and the meteor
    // step are taken from the moment shown and `stepMinutes`.
    view::ViewOptions view;
    int stepMinutes = 15;    // minutes of shooting stars per picture
    double scale = 1.0;      // picture size factor
    std::uint64_t seed = 0;  // shooting stars
    // Trails over this many minutes from `input` (0: none). The picture is
    // then the one of the end moment, colours included, with the trails
    // under its objects: the last frame of a long exposure.
    int trailMinutes = 0;
    // A film frame's stamp: the moment shown, the place and, abroad, the
    // local time, written at the picture's top left in its text colour
    // (the paper chart's title line), so a time-lapse tells when and where.
    struct Stamp {
        std::string placeName;  // empty for typed coordinates
        LocalZone zone;
    };
    std::optional<Stamp> stamp;
};

// pictureOptions: the display options with the date (JST) of the moment
// shown and the time step, which the shooting stars read.
view::ViewOptions pictureOptions(const view::ViewOptions& boxes, const astro::SkyInput& shown, int stepMinutes);

// pictureStyle: the look of a picture on a screen: the one asked for (the
// paper style is for charts: a picture asked for it gets the screen
// colours), else the natural sky for the free view and the all-sky view
// and the design's colours for the four quarters.
view::ChartStyle pictureStyle(const PictureRequest& req);
using SkyComputation = std::function<astro::SkyState(const astro::SkyInput&)>;

// The sky a picture shows.
struct PictureSky {
    astro::SkyInput shown;               // the moment drawn: the entered one, or the trails' end
    astro::SkyState sky;                 // its computation pass with the Moon's phase
    std::optional<view::Trails> trails;  // with trailMinutes > 0
};

// pictureSky: the entered moment through `compute` (astro::computeSky when
// empty), or with trails the end of the span. A span that cannot be
// stepped at all (the year range ends) gives the entered moment, no trails.
PictureSky pictureSky(const PictureRequest& req, const catalog::Catalogue& cat, const SkyComputation& compute = {});

// drawPicture: the whole picture of `shown` onto `painter`, shooting stars
// from `rng`; with a record, what was drawn where (its viewport is set
// from req.scale).
void drawPicture(const PictureRequest& req, const PictureSky& shown, const catalog::Catalogue& cat,
                 view::MeteorRng& rng, view::Painter& painter, view::DrawRecord* record = nullptr);

// The picture's colours when painted alone (--render, the browser edition):
// the window's day or night colours by the Sun's altitude in the sky shown.
SchemeColours pictureColours(const PictureSky& shown);

// recordPicture: what the picture of the request draws where, painted
// nowhere: the pointing answers' record.
view::DrawRecord recordPicture(const PictureRequest& req, const PictureSky& shown, const catalog::Catalogue& cat);

}  // namespace app
