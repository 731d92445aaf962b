// Moments after an entered one, with the timer's exact minute arithmetic, and
// the computation passes at them: the samples of a trail and the frames of a
// time-lapse.
#pragma once

#include <optional>
#include <vector>

#include "astro/sky_state.h"

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

}  // namespace app
