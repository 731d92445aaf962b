// 今夜の見どころ in words: Japanese sentences for a class newsletter, and the
// same facts as JSON (--tonight, ツール → 今夜の見どころ…, the browser's
// planetarium.tonight()).
#pragma once

#include <string>

#include "app/session/sky_request.h"
#include "app/session/zone.h"
#include "astro/almanac.h"
#include "view/tonight.h"

namespace app {

// The place as the sentences and the JSON name it.
struct TonightPlace {
    std::string name;  // "東京", or "" for coordinates alone
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// tonightText: the night in sentences, one paragraph per heading (【惑星】,
// 【月】, 【流星群】, 【20時ごろ南の空高く】), times in the place's zone.
std::string tonightText(const view::TonightReport& report, const TonightPlace& place, const astro::UtcOffsetFn& zone);

// tonightJson: {"date", "place", "sunset", "sunrise", "planets": [...],
// "moon": {...}, "showers": [...], "stars": [...], "constellations": [...]},
// times as ISO 8601 local times with their offset, null when none.
std::string tonightJson(const view::TonightReport& report, const TonightPlace& place, const astro::UtcOffsetFn& zone);

}  // namespace app
