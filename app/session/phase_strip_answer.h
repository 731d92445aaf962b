// 金星の満ち欠け: a series of the body's discs (Venus, Mercury or the Moon)
// from the request's date at its place, as a page to draw and as JSON.
#pragma once

#include <string>

#include "app/session/answers.h"
#include "view/phase_strip.h"

namespace app {

struct PhaseStripQuery {
    SkyQuery sky;  // the first date (of --at, JST) and the place
    astro::Body body = astro::Venus;
    int everyDays = 14;
    int count = 12;
};
view::PhaseStrip answerPhaseStrip(const PhaseStripQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                                  Clock::time_point now);
// The same for a request already read (the window's).
view::PhaseStrip answerPhaseStrip(const SkyRequest& req, astro::Body body, int everyDays, int count,
                                  const LocalZone& zone);

// The body a name gives (金星, きんせい, Venus, 水星 …, 月): nothing for any other.
std::optional<astro::Body> phaseBodyNamed(const std::string& name);

// {"view": "phases", "body", "place", "everyDays", "discs": [{"time",
// "date", "side": "evening"|"morning", "illum", "phaseAngleDeg",
// "diameterArcsec", "elongationDeg", "mag", "limbAngleDeg", "altDeg"}]}.
std::string phaseStripJson(const view::PhaseStrip& strip, const LocalZone& zone);

}  // namespace app
