#include "app/cli/cli_queries.h"

#include <algorithm>
#include <chrono>
#include <random>


namespace app {

SkyQuery skyQuery(const CliOptions& opt) {
    SkyQuery q;
    if (opt.year && opt.month && opt.day && opt.hour && opt.minute)
        q.at = astro::CivilMinute{*opt.year, *opt.month, *opt.day, *opt.hour, *opt.minute};
    q.placeIndex = opt.placeIndex;
    q.latDeg = opt.latDeg;
    q.lonDeg = opt.lonDeg;
    q.timeZone = opt.timeZone;
    return q;
}

SkyRequest skyRequest(const CliOptions& opt, const catalog::Catalogue& cat, Clock::time_point now) {
    return skyRequest(skyQuery(opt), cat, now);
}

std::uint64_t meteorSeed(const CliOptions& opt) {
    return opt.seed ? *opt.seed
                    : static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          static_cast<std::uint64_t>(std::random_device{}());
}

PictureQuery pictureQuery(const CliOptions& opt, std::uint64_t seed) {
    PictureQuery q;
    q.sky = skyQuery(opt);
    q.direction = opt.direction;
    if (opt.freeView) {
        const view::FreeLook defaults;
        q.free = view::FreeLook{opt.look ? opt.look->first : defaults.azDeg, opt.look ? opt.look->second : defaults.altDeg,
                                opt.fovDeg.value_or(defaults.fovDeg)};
    }
    q.view = opt.view;
    q.style = opt.style;
    q.scale = opt.scale;
    q.seed = seed;
    q.trailsHours = opt.trailsHours;
    return q;
}

PictureRequest pictureRequest(const CliOptions& opt, const SkyRequest& req, std::uint64_t seed) {
    return pictureRequest(pictureQuery(opt, seed), req);
}

FindQuery findQuery(const CliOptions& opt) {
    FindQuery q{skyQuery(opt), opt.findName, opt.direction == view::Direction::Zenith && !opt.freeView, opt.scale,
                std::nullopt, false};
    if (opt.freeView) {
        q.free = pictureQuery(opt, 0).free;
        q.lookGiven = opt.look.has_value();
    }
    return q;
}

IdentifyQuery identifyQuery(const CliOptions& opt, std::uint64_t seed) {
    return {pictureQuery(opt, seed), opt.identifyXPx, opt.identifyYPx};
}

AlmanacMonthQuery almanacQuery(const CliOptions& opt) {
    return {skyQuery(opt), opt.almanacYear.value_or(2000), opt.almanacMonth.value_or(1)};
}

}  // namespace app
