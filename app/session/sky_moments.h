// Moments after an entered one, with the timer's exact minute arithmetic, and
// the computation passes at them: the samples of a trail and the frames of a
// time-lapse.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/direction.h"
#include "view/projector.h"
#include "view/trails.h"
#include "app/session/sky_picture.h"

namespace app {

// minutesLater: `start` moved on by `minutes` through the time step (whole
// minutes, calendar carries), place unchanged. Nothing when the moment
// leaves the years the date fields hold.
std::optional<astro::SkyInput> minutesLater(const astro::SkyInput& start, int minutes);

struct TrailSamples {
    std::vector<astro::SkyState> skies;  // in time order
    astro::SkyInput end;                 // the moment of the last sample
};

// trailSkies: computation passes at the sample moments of a trail of
// spanMinutes starting at `start` (view::trailSampleOffsets); the last one
// also carries the Moon's phase, for the picture of the end moment. Samples
// beyond the last representable year are left out.
TrailSamples trailSkies(const astro::SkyInput& start, int spanMinutes);

// A trail picture: the moment it shows (the end of the span), the sky there
// and the trails that lead to it, mixed toward that sky's colour.
struct TrailScene {
    astro::SkyInput end;
    astro::SkyState endSky;
    view::Trails trails;
};

// trailScene: the trails of `minutes` from `start` toward `dir`; nothing when
// not even one step after `start` can be computed (the year range ends).
std::optional<TrailScene> trailScene(const astro::SkyInput& start, int minutes, const view::Projector& projector,
                                     const catalog::Catalogue& cat);

// One sidereal day in minutes (86,164.0905 s): after it the stars stand
// where they stood.
inline constexpr double kSiderealDayMinutes = 1436.0681750;

// filmMoments: the moments of `frames` frames, each `everyMinutes` after the
// previous one (the timer's exact minute arithmetic), or, with
// `exactStepMinutes` > 0 (sidereal days), frame k at k steps from the first
// rounded to the nearest minute, so the rounding never accumulates. Nothing
// and `error` when a frame would fall outside the years the fields hold.
std::optional<std::vector<astro::SkyInput>> filmMoments(const astro::SkyInput& first, int frames, int everyMinutes,
                                                        std::string& error, double exactStepMinutes = 0.0);

// parseFilmStep: a film's step as typed after --every: whole minutes
// ("15"), days ("1d", "7d": the same clock time each day) or sidereal days
// ("1sd": the stars back in place, the Sun and the planets moving on), 1 to
// 366 days. minutes: the step in whole minutes (a sidereal day counts 1,436);
// exact: the sidereal step, 0 otherwise. Empty error on success.
std::string parseFilmStep(std::string_view text, int& minutes, double& exact);

// filmFrame: frame `index` (0-based) of a film whose first picture is
// `first`: its moment, and the shooting stars' seed first.seed + index.
PictureRequest filmFrame(const PictureRequest& first, const std::vector<astro::SkyInput>& moments, int index);

}  // namespace app
