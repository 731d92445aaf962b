// The moment and place a front end asks about, and the sky state answered
// for it as JSON (--json, the browser's json()). "Now" is the clock's UTC
// instant plus 9 hours: the machine's own zone is never consulted.
#pragma once

#include <chrono>
#include <string>

#include "astro/calendar.h"
#include "astro/sky_state.h"

namespace app {

// The place every front end uses when none is chosen and none is
// remembered.
inline constexpr double kDefaultLatDeg = 35.65;
inline constexpr double kDefaultLonDeg = 139.75;
inline constexpr const char* kDefaultPlaceName = "東京";

// jstFromSystemClock: the clock's UTC instant plus 9 hours, on the proleptic
// Gregorian calendar, cut to the minute.
astro::CivilMinute jstFromSystemClock(std::chrono::system_clock::time_point now);

// What is computed for: the input of the computation pass and the name of
// the place (empty for typed coordinates).
struct SkyRequest {
    astro::SkyInput input;
    std::string placeName;
};

// skyJson: the sky state as one JSON object (with a final newline). Numbers
// carry 17 significant digits so they read back to the same doubles.
std::string skyJson(const astro::SkyState& sky, const SkyRequest& req);

}  // namespace app
