// The browser edition's requests: one JSON object in, one answer out, by
// the same session answers the command line prints.
//
// {"op": OP, ...members}; the members a question takes:
//   at "YYYY-MM-DD HH:MM" (JST; the clock now without it),
//   place NAME | lat DEG, lon DEG [, tz ZONE],
//   dir "north"|"east"|"south"|"west"|"zenith", show [ITEM, ...],
//   constellations "all" | [NAME, ...], scale N, seed N (whole, >= 0),
//   trails HOURS (0 < HOURS <= 24: the trails up to the moment drawn),
//   stamp true (drawList: a film frame's line of when and where),
//   name TEXT (find), x, y (identify, pixels), month "YYYY-MM" (almanac),
//   json true (tonight: the JSON rather than the sentences),
//   minutes N (step: the timer's step from at, by the program's calendar,
//   answered as {"date", "time"} like now),
//   texts [TEXT, ...], grade 0..6 (ruby: the readings a reader through that
//   school grade needs, 0 for every kanji word; see catalog/readings.h).
// OP: json, find, identify, drawList, chartList, almanac, tonight, places,
// constellations, now, viewport, step, ruby, planisphere ({"fileName",
// "pages": [star disc, horizon mask]}: the draw lists of the two A4 pages),
// eclipses (from, to: years "YYYY" or dates; --eclipses --json's list) and
// eclipse (date "YYYY-MM-DD": --eclipse --json's object with "text", the
// table --eclipse prints). The answer is the JSON (or, for almanac
// and tonight's sentences, the text) the command line prints for the same
// question; a request that cannot be answered gives
// {"error": "...", "status": 2}. A member no question takes is refused, so
// a misspelt one is never ignored.
#pragma once

#include <string>
#include <string_view>

#include "app/session/answers.h"
#include "app/session/zone.h"
#include "catalog/catalog.h"

namespace app {

// The longest request read: far more than any question needs.
inline constexpr std::size_t kMaxRequestBytes = 64 * 1024;

std::string answerJsonRequest(std::string_view request, const catalog::Catalogue& cat, const ZoneLookup& zones,
                              Clock::time_point now);

}  // namespace app
