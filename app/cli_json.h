// The --json mode: the computed sky state for one moment and place as one
// JSON object. The pieces are pure so they can be tested without the clock.
#pragma once

#include <chrono>
#include <string>

#include "app/cli_args.h"
#include "astro/sky_state.h"
#include "astro/calendar.h"
#include "catalog/catalog.h"

namespace app {

// jstFromSystemClock: the clock's UTC instant plus 9 hours, on the proleptic
// Gregorian calendar. The machine's time zone is not consulted.
astro::CivilMinute jstFromSystemClock(std::chrono::system_clock::time_point now);

// What --json and --render compute for: the input of the computation pass and
// the name of the place (empty when --lat/--lon were given).
struct SkyRequest {
    astro::SkyInput input;
    std::string placeName;
};

// skyRequest: --at, or `now` when it is missing; --place, --lat/--lon, or
// 東京 (35.65, 139.75) when neither was given.
SkyRequest skyRequest(const CliOptions& opt, const catalog::Catalogue& cat,
                      std::chrono::system_clock::time_point now);

// skyJson: the JSON object (with a final newline). Numbers carry 17
// significant digits so they read back to the same doubles.
std::string skyJson(const astro::SkyState& sky, const SkyRequest& req);

}  // namespace app
