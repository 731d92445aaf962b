#include "app/sky_moments.h"

#include "app/colour_scheme.h"
#include "app/time_step.h"
#include "astro/astro.h"

namespace app {

std::optional<astro::SkyInput> minutesLater(const astro::SkyInput& start, int minutes) {
    const auto t = advanceMinutes(start.year, start.month, start.day, start.hour, start.minute, minutes);
    if (!t) return std::nullopt;
    return astro::SkyInput{.year = t->year,
                           .month = t->month,
                           .day = static_cast<double>(t->day),
                           .hour = static_cast<double>(t->hour),
                           .minute = static_cast<double>(t->minute),
                           .latDeg = start.latDeg,
                           .lonDeg = start.lonDeg};
}

TrailSamples trailSkies(const astro::SkyInput& start, int spanMinutes) {
    TrailSamples out;
    out.end = start;
    for (const int offset : view::trailSampleOffsets(spanMinutes)) {
        const auto at = minutesLater(start, offset);
        if (!at) break;
        out.skies.push_back(astro::computationPass(*at));
        out.end = *at;
    }
    if (!out.skies.empty()) out.skies.back() = astro::computeSky(out.end);
    return out;
}

std::optional<TrailScene> trailScene(const astro::SkyInput& start, int minutes, view::Direction dir,
                                     const catalog::Catalogue& cat) {
    TrailSamples samples = trailSkies(start, minutes);
    if (samples.skies.size() < 2) return std::nullopt;
    const astro::SkyState endSky = samples.skies.back();
    const view::Rgb sky = schemeColours(schemeForSunAltitude(endSky.bodyAltDeg[astro::Sun])).windowBack;
    return TrailScene{samples.end, endSky, view::computeTrails(dir, samples.skies, cat, sky)};
}

}  // namespace app
