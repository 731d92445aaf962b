// The command line's sky request: --at, --place or --lat/--lon read into the
// session's request. The JSON itself is the session's (sky_request.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "app/cli/cli_args.h"
#include "app/session/sky_picture.h"
#include "app/session/sky_request.h"
#include "astro/sky_state.h"
#include "astro/calendar.h"
#include "catalog/catalog.h"

namespace app {

// skyRequest: --at, or `now` when it is missing; --place, --lat/--lon, or
// 東京 (35.65, 139.75) when neither was given.
SkyRequest skyRequest(const CliOptions& opt, const catalog::Catalogue& cat,
                      std::chrono::system_clock::time_point now);

// meteorSeed: --seed, or a fresh seed from the clock and the system's
// random source.
std::uint64_t meteorSeed(const CliOptions& opt);

// pictureRequest: the picture --render, --identify and the film frames draw
// for the options: moment and place of `req`, --dir, --show and
// --constellations, --scale, --trails, and the shooting stars' `seed`.
PictureRequest pictureRequest(const CliOptions& opt, const SkyRequest& req, std::uint64_t seed);

}  // namespace app
