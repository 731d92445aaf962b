// Moments after an entered one, with the timer's exact minute arithmetic, and
// the computation passes at them: the samples of a trail and the frames of a
// time-lapse.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/direction.h"
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
std::optional<TrailScene> trailScene(const astro::SkyInput& start, int minutes, view::Direction dir,
                                     const catalog::Catalogue& cat);

// filmMoments: the moments of `frames` frames, each `everyMinutes` after the
// one before, stepped as the timer steps. Nothing, with `error` naming the
// first frame that leaves the years the date fields hold, when one does.
std::optional<std::vector<astro::SkyInput>> filmMoments(const astro::SkyInput& first, int frames, int everyMinutes,
                                                        std::string& error);

// filmFrame: frame `index` (0-based) of a film whose first picture is
// `first`: its moment, and the shooting stars' seed first.seed + index.
PictureRequest filmFrame(const PictureRequest& first, const std::vector<astro::SkyInput>& moments, int index);

}  // namespace app
