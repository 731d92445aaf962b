// --identify X,Y and --find NAME: what the picture shows at a pixel, and
// where a named object stands, as one JSON object each. The JSON builders
// are pure so the tests can check them without a picture.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/session/json_writer.h"
#include "astro/almanac.h"
#include "astro/rise_set.h"
#include "view/finder.h"

namespace app {

// identifyJson: {"kind": "star"|"sun"|"moon"|"planet"|"meteor"|"none", ...}
// for the answer at a pixel; fields that do not apply are left out.
// `card`, when given, is written last: the card's lines (card_text.h).
std::string identifyJson(const view::PointAnswer& answer, const std::vector<std::string>& card = {});

// A rise found by the almanac: the instant as local ISO 8601 text and the
// azimuth of the rising point.
struct RiseText {
    std::string iso;  // "2026-01-16T03:12:00+09:00"
    double azDeg = 0.0;
};

// riseText: a rise as the almanac writes it, wall-clock time of the
// place's zone: "2026-01-16T03:12:00+09:00", with its azimuth.
RiseText riseText(const astro::SkyEvent& rise, const astro::UtcOffsetFn& zone);

// findJson: {"name", "kind", "alt", "az", "visible", ...}: above the horizon
// the direction and pixel of the picture that shows it (at `scale`); below
// it the next time it comes up into the picture when it does within the
// search window. With `almanacRise` (today's rise by the almanac's
// conventions, refraction included) also "almanacRise" and whether it has
// happened by the moment ("almanacRisen"): the Sun at 06:52 is not yet in
// the picture although the almanac had it rise at 06:50.
std::string findJson(const view::FoundObject& found, double scale, const std::optional<RiseText>& nextRise,
                     const std::optional<RiseText>& almanacRise = std::nullopt, bool almanacRisen = false);
// The same members written into `j`, for an answer that adds its own.
void findFields(JsonObject& j, const view::FoundObject& found, double scale, const std::optional<RiseText>& nextRise,
                const std::optional<RiseText>& almanacRise = std::nullopt, bool almanacRisen = false);

}  // namespace app
