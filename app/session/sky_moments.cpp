#include "app/session/sky_moments.h"

#include "app/session/colour_scheme.h"
#include "app/session/time_step.h"
#include "astro/astro.h"

#include <algorithm>

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

std::optional<std::vector<astro::SkyInput>> filmMoments(const astro::SkyInput& first, int frames, int everyMinutes,
                                                        std::string& error) {
    std::vector<astro::SkyInput> moments;
    moments.reserve(static_cast<std::size_t>(std::max(frames, 1)));
    moments.push_back(first);
    for (int k = 2; k <= frames; ++k) {
        const auto next = minutesLater(moments.back(), everyMinutes);
        if (!next) {
            error = "frame " + std::to_string(k) + " falls outside the years " + std::to_string(kMinYear) + ".." +
                    std::to_string(kMaxYear);
            return std::nullopt;
        }
        moments.push_back(*next);
    }
    return moments;
}

PictureRequest filmFrame(const PictureRequest& first, const std::vector<astro::SkyInput>& moments, int index) {
    PictureRequest pic = first;
    pic.input = moments[static_cast<std::size_t>(index)];
    pic.seed = first.seed + static_cast<std::uint64_t>(index);
    return pic;
}

}  // namespace app
