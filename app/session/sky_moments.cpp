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

std::optional<TrailScene> trailScene(const astro::SkyInput& start, int minutes, const view::Projector& projector,
                                     const catalog::Catalogue& cat) {
    TrailSamples samples = trailSkies(start, minutes);
    if (samples.skies.size() < 2) return std::nullopt;
    const astro::SkyState endSky = samples.skies.back();
    const view::Rgb sky = schemeColours(schemeForSunAltitude(endSky.bodyAltDeg[astro::Sun])).windowBack;
    return TrailScene{samples.end, endSky, view::computeTrails(projector, samples.skies, cat, sky)};
}

std::optional<std::vector<astro::SkyInput>> filmMoments(const astro::SkyInput& first, int frames, int everyMinutes,
                                                        std::string& error, double exactStepMinutes) {
    std::vector<astro::SkyInput> moments;
    moments.reserve(static_cast<std::size_t>(std::max(frames, 1)));
    moments.push_back(first);
    for (int k = 2; k <= frames; ++k) {
        // A sidereal step is not a whole number of minutes: frame k lies at
        // the nearest minute to k - 1 exact steps, reached from frame k - 1
        // by the difference, which stays small however many frames there are.
        const int step = exactStepMinutes > 0.0
                             ? static_cast<int>(std::llround((k - 1) * exactStepMinutes) -
                                                std::llround((k - 2) * exactStepMinutes))
                             : everyMinutes;
        const auto next = minutesLater(moments.back(), step);
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

std::string parseFilmStep(std::string_view text, int& minutes, double& exact) {
    exact = 0.0;
    std::string_view digits = text;
    int unit = 1;  // minutes per count
    bool sidereal = false;
    if (digits.size() > 2 && digits.substr(digits.size() - 2) == "sd") {
        digits.remove_suffix(2);
        sidereal = true;
    } else if (digits.size() > 1 && digits.back() == 'd') {
        digits.remove_suffix(1);
        unit = 24 * 60;
    }
    int n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9' || n > 1000000) return "is not minutes (15), days (1d, 7d) or sidereal days (1sd)";
        n = n * 10 + (c - '0');
    }
    const int limit = (sidereal || unit > 1) ? 366 : 366 * 24 * 60;
    if (digits.empty() || n < 1 || n > limit)
        return sidereal || unit > 1 ? "is not a number of days from 1 to 366"
                                    : "is not a whole number of minutes from 1 to 527040";
    if (sidereal) {
        exact = n * kSiderealDayMinutes;
        minutes = static_cast<int>(std::lround(exact));
    } else {
        minutes = n * unit;
    }
    return {};
}

}  // namespace app
