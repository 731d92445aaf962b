#include "app/cli/cli_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "app/cli/cli_almanac.h"
#include "app/cli/cli_answers.h"
#include "app/cli/commands.h"
#include "app/session/json_writer.h"
#include "astro/astro.h"

namespace app {

SkyRequest skyRequest(const CliOptions& opt, const catalog::Catalogue& cat,
                      std::chrono::system_clock::time_point now) {
    SkyRequest r;
    astro::SkyInput& in = r.input;
    if (opt.year && opt.month && opt.day && opt.hour && opt.minute) {
        in.year = *opt.year;
        in.month = *opt.month;
        in.day = *opt.day;
        in.hour = *opt.hour;
        in.minute = *opt.minute;
    } else {
        const astro::CivilMinute m = jstFromSystemClock(now);
        in.year = m.year;
        in.month = m.month;
        in.day = m.day;
        in.hour = m.hour;
        in.minute = m.minute;
    }

    const auto placeOk = [&](int k) { return k >= 1 && static_cast<std::size_t>(k) < cat.places.size(); };
    if (opt.latDeg && opt.lonDeg) {
        in.latDeg = *opt.latDeg;
        in.lonDeg = *opt.lonDeg;
    } else if (placeOk(opt.placeIndex)) {
        const catalog::Place& p = cat.places[static_cast<std::size_t>(opt.placeIndex)];
        in.latDeg = p.latDeg;
        in.lonDeg = p.lonDeg;
        r.placeName = p.name;
    } else {
        in.latDeg = kDefaultLatDeg;
        in.lonDeg = kDefaultLonDeg;
        r.placeName = kDefaultPlaceName;
    }
    return r;
}

std::uint64_t meteorSeed(const CliOptions& opt) {
    return opt.seed ? *opt.seed
                    : static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          static_cast<std::uint64_t>(std::random_device{}());
}

PictureRequest pictureRequest(const CliOptions& opt, const SkyRequest& req, std::uint64_t seed) {
    PictureRequest pic;
    pic.input = req.input;
    pic.direction = opt.direction;
    pic.view = opt.view;
    pic.scale = opt.scale;
    pic.seed = seed;
    if (opt.trailsHours) pic.trailMinutes = std::max(1, static_cast<int>(std::lround(*opt.trailsHours * 60.0)));
    return pic;
}

std::string skyAnswer(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone,
                      std::chrono::system_clock::time_point now) {
    const SkyRequest req = skyRequest(opt, cat, now);
    const astro::SkyState sky = astro::computeSky(req.input);
    std::string text = skyJson(sky, req);
    // The almanac of the local day containing the moment, as the last member.
    const astro::AlmanacDay day =
        astro::almanacDay(localDateOfRequest(req.input, zone), req.input.latDeg, req.input.lonDeg, zone.offset);
    const std::size_t close = text.rfind('}');
    if (close != std::string::npos && close > 0 && text[close - 1] == '\n')
        text = text.substr(0, close - 1) + ",\n  \"almanac\": " + almanacJson(day, zone) + "\n}\n";
    return text;
}

int runJson(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    const std::string text = skyAnswer(opt, cat, zone, std::chrono::system_clock::now());
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "planetarium: could not write the JSON to standard output\n");
        return 1;
    }
    return 0;
}

}  // namespace app
