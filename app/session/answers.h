// The questions every front end asks, and their answers: a query struct in,
// a result struct out. The command line fills the queries from its
// arguments, the browser edition from JSON requests and the window from its
// controls; each writes the results with the session's formatters (JSON,
// CSV, Japanese sentences) or shows them in its own widgets, so every
// answer has one path.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session/chart_scene.h"
#include "app/session/sky_picture.h"
#include "app/session/sky_request.h"
#include "app/session/tonight_text.h"
#include "app/session/zone.h"
#include "astro/almanac.h"
#include "astro/calendar.h"
#include "astro/rise_set.h"
#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "catalog/name_search.h"
#include "view/figure_sky.h"
#include "view/finder.h"

namespace app {

using Clock = std::chrono::system_clock;

// A moment and a place as asked. The moment is Japan Standard Time, the
// clock now when empty; the place is a listed one, typed coordinates with
// their zone, or neither (東京).
struct SkyQuery {
    std::optional<astro::CivilMinute> at;
    int placeIndex = 0;                    // 1..75 of the place list; 0: none
    std::optional<double> latDeg, lonDeg;  // typed coordinates, degrees north and east
    std::string timeZone;                  // IANA zone of typed coordinates; empty: Asia/Tokyo
};

// skyRequest: what is computed for a query: the moment (`now` in JST when
// none was asked) and the place (東京, 35.65 N 139.75 E, when none).
SkyRequest skyRequest(const SkyQuery& q, const catalog::Catalogue& cat, Clock::time_point now);

// zoneFor: the zone of a query's place through `lookup`: the asked zone for
// typed coordinates (Asia/Tokyo without one), a listed place's own zone,
// Asia/Tokyo for the default place. Nothing and a one-line `error` for a
// name the zone data does not hold.
std::optional<LocalZone> zoneFor(const SkyQuery& q, const catalog::Catalogue& cat, const ZoneLookup& lookup,
                                 std::string& error);

// A picture as asked: moment and place, direction, display options, size
// factor, the shooting stars' seed and the hours of star trails.
struct PictureQuery {
    SkyQuery sky;
    view::Direction direction = view::Direction::South;
    std::optional<view::FreeLook> free;  // the free view, instead of `direction`
    view::ViewOptions view;
    std::optional<view::ChartStyle> style;  // unset: pictureStyle's choice
    double scale = 1.0;
    std::uint64_t seed = 0;
    std::optional<double> trailsHours;  // above 0, at most 24
    bool stamp = false;                 // a film frame's stamp: when and where
};

// pictureRequest: the picture of a query at the moment and place of `req`.
PictureRequest pictureRequest(const PictureQuery& q, const SkyRequest& req);

// The sky state of a moment with the almanac of the local day containing it.
struct SkyAnswer {
    SkyRequest request;
    astro::SkyState sky;
    astro::AlmanacDay day;
};
SkyAnswer answerSky(const SkyQuery& q, const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now);
// The JSON of --json and json(): the sky state, then "almanac".
std::string skyAnswerJson(const SkyAnswer& a, const LocalZone& zone);

// Where a named object stands.
struct FindQuery {
    SkyQuery sky;
    std::string name;
    bool allSky = false;  // asked for on the all-sky picture
    double scale = 1.0;   // of the picture whose pixel is given
    // Asked for in the free view: where it stands in this look, or, without
    // `lookGiven`, in a view of this field centred on it.
    std::optional<view::FreeLook> free;
    bool lookGiven = false;
};
// Where a found object stands in the free view.
struct FreeViewPlace {
    view::FreeLook look;
    view::PicturePoint at;  // picture twips
    bool inPicture = false;  // within the picture and above the horizon
};
struct FindResult {
    view::FoundObject found;
    // For a name that matches nothing whole: the names that begin so.
    std::vector<std::string> candidates;
    // Below the horizon: when it next comes up into the picture.
    std::optional<astro::SkyEvent> nextRise;
    // Today's rise by the almanac (refraction included), and whether it has
    // happened by the moment: the Sun at 06:52 is not yet in the picture
    // although the almanac had it rise at 06:50.
    std::optional<astro::SkyEvent> almanacRise;
    bool almanacRisen = false;
    double jdUt = 0.0;  // the moment looked at
    // A constellation or a star pattern: how all of it stands.
    std::optional<view::FigureSky> figure;
    std::optional<FreeViewPlace> freeView;  // asked for in the free view
    // A body: where the precise ephemeris puts it from the Earth's centre
    // and how it shows (indexed facts of the precise sky).
    struct BodyFacts {
        double raHours = 0.0, decDeg = 0.0, distanceAu = 0.0;  // true equator and equinox of date
        double illum = 0.0, phaseAngleDeg = 0.0, diameterArcsec = 0.0, elongationDeg = 0.0;
    };
    std::optional<BodyFacts> body;
};
// findIn: the answer in the sky of a moment already computed (the window's);
// the bodies from the precise ephemeris (applied to a copy when the sky was
// computed without it).
FindResult findIn(const astro::SkyState& sky, const catalog::Catalogue& cat, const catalog::NameIndex& names,
                  std::string_view name, bool allSky, const LocalZone& zone);
FindResult answerFind(const FindQuery& q, const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now);
// The JSON of --find and find(); its error line (without a field name) for
// an unknown name or a constellation with no star in the table; empty when
// the object was found.
std::string findResultJson(const FindResult& r, double scale, const LocalZone& zone);
std::string findErrorText(const FindResult& r, std::string_view name);

// What the picture of a query shows at a pixel.
struct IdentifyQuery {
    PictureQuery picture;
    double xPx = 0.0, yPx = 0.0;
};
// What is at the pixel, and the card the window would show for it (no
// lines when nothing is there).
struct IdentifyAnswer {
    view::PointAnswer point;
    std::vector<std::string> card;
};
IdentifyAnswer answerIdentify(const IdentifyQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                              Clock::time_point now);

// The almanac of a month at a place.
struct AlmanacMonthQuery {
    SkyQuery sky;  // the place; the moment is not used
    int year = 2000;
    int month = 1;
};
std::vector<astro::AlmanacDay> answerAlmanacMonth(const AlmanacMonthQuery& q, const catalog::Catalogue& cat,
                                                  const LocalZone& zone, Clock::time_point now);
// The almanac of one local day, or of its month, at a place given by its
// latitude and longitude (degrees) in a zone: what the window's こよみ shows.
astro::AlmanacDay almanacDayAt(const astro::LocalDate& date, double latDeg, double lonDeg, const LocalZone& zone);
std::vector<astro::AlmanacDay> almanacMonthAt(const astro::LocalDate& date, double latDeg, double lonDeg,
                                              const LocalZone& zone);

// 今夜の見どころ: the night after the local date of the query's moment.
struct TonightAnswer {
    view::TonightReport report;
    TonightPlace place;
};
TonightAnswer answerTonight(const SkyQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                            Clock::time_point now);
// The same for a moment and place already read (the window's fields).
TonightAnswer answerTonight(const SkyRequest& req, const catalog::Catalogue& cat, const LocalZone& zone);
// The sentences or the JSON of an answer, times in the zone.
std::string tonightAnswerText(const TonightAnswer& a, const LocalZone& zone, bool json);

// The chart of a picture query in `style` (the paper chart with its title
// line in the zone), coloured by the Sun's altitude.
ChartScene answerChart(const PictureQuery& q, view::ChartStyle style, const catalog::Catalogue& cat,
                       const LocalZone& zone, Clock::time_point now);

// The draw list of a picture query (--render FILE.json, drawList()).
std::string answerDrawList(const PictureQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                           Clock::time_point now);

// "Now" as the page's fields show it: {"date": "2026-12-10", "time": "23:31"},
// Japan Standard Time by the clock's UTC instant.
std::string nowJson(Clock::time_point now);
// A moment of the fields as the page shows it: {"date": "YYYY-MM-DD", "time": "HH:MM"}.
std::string minuteJson(const astro::CivilMinute& m);

}  // namespace app
