// Pointing and finding: what the picture shows at a pixel, and where an
// object named by the user stands and which picture shows it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "astro/almanac.h"
#include "astro/rise_set.h"
#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "catalog/name_search.h"
#include "view/direction.h"
#include "view/figure_sky.h"
#include "view/hit_test.h"
#include "view/object_info.h"
#include "view/projector.h"
#include "view/sky_point.h"

namespace view {

// What is at pixel (xPx, yPx) of a picture toward `dir` whose drawing filled
// `record`: the object objectAt() chooses with its facts, or else the sky
// point there (none beyond the projection's edge).
struct PointAnswer {
    std::optional<DrawnObject> drawn;
    std::optional<ObjectInfo> object;
    std::optional<SkyPoint> sky;
};
PointAnswer answerAt(const catalog::Catalogue& cat, const astro::SkyState& sky, const DrawRecord& record,
                     const Projector& projector, double xPx, double yPx);
inline PointAnswer answerAt(const catalog::Catalogue& cat, const astro::SkyState& sky, const DrawRecord& record,
                            Direction dir, double xPx, double yPx) {
    return answerAt(cat, sky, record, projectorFor(dir), xPx, yPx);
}

struct FoundObject {
    enum class Status { Found, Unknown, NoStarInTable };
    Status status = Status::Unknown;
    catalog::NameTarget target;  // what the name named
    ObjectInfo info;             // the object; for a constellation or a star pattern one of its stars
    std::string constellationName;  // the constellation's name when one was asked for
    std::string asterismName;    // the star pattern's name when one was asked for
    int asterism = 0;            // its row in Catalogue::asterisms, 0 when none
    int figure = 0;              // its figure in the constellation list (1..41), 0 when none
    // A constellation's stars in the table, or a star pattern's; the star
    // found by (info) is the brightest of them above the horizon, or the
    // first to rise.
    std::vector<int> rows;
    std::optional<FigureSky> stands;  // how all of those stars stand

    bool aboveHorizon = false;   // altitude >= 0
    // Above the horizon and drawn at this hour: by day (Sun above the
    // horizon) the picture leaves out the stars, Mars, Jupiter and Saturn.
    bool drawn = false;
    std::optional<PictureChoice> picture;  // the picture that shows it, when above the horizon
};

// findObject: the object a typed name means (catalog::NameIndex::find) in
// the sky of the moment.
FoundObject findObject(const catalog::Catalogue& cat, const catalog::NameIndex& names, const astro::SkyState& sky,
                       std::string_view name);

// nextRiseOf: when the found object next comes up into the picture after
// the moment of `sky`: its altitude as drawn (geometric, no refraction; the
// Moon's geocentric) reaches 0, the same definition as `aboveHorizon`, so an
// object not in the picture always has its next rise ahead (stars within 2
// days, so one that never rises has none; bodies within 400 days, which
// covers polar nights). The almanac's rise, with refraction, is dayEventsOf's.
std::optional<astro::SkyEvent> nextRiseOf(const FoundObject& found, const astro::SkyState& sky);

// The rise, transit and set of an object on the local day of the moment of
// `sky` (events in [local 00:00, next 00:00)); each missing when it does not
// happen that day. Under the almanac's horizon conventions; a star at its
// place of that day (precession, nutation and aberration from the table's
// equinox 2003.5).
struct DayEvents {
    std::optional<astro::SkyEvent> rise, transit, set;
};
DayEvents dayEventsOf(const ObjectInfo& info, const astro::SkyState& sky, const astro::UtcOffsetFn& zone);

// The Moon's age at the moment of `sky`: days since the last new moon.
std::optional<double> moonAgeDays(const astro::SkyState& sky);


}  // namespace view
