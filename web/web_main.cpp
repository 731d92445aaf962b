// The browser edition's entry: one call from JavaScript, pl_call, answers a
// request with the command line's own functions (cli_answers.h), so the page
// gets the same JSON, the same finding and the same draw list as the
// program. The browser's Intl supplies the zone data for places abroad.
//
// A request is the operation and then command-line arguments, separated by
// the unit separator U+001F: "json\x1f--at\x1f2026-01-15 22:00\x1f--place\x1f東京".
// Operations: json, find, identify, drawList, almanac (the answers of --json,
// --find, --identify, --render FILE.json, --almanac), chartList (the paper
// chart of --render FILE.pdf as a draw list), places and
// constellations (the lists the page offers). Errors come back as
// {"error": "...", "status": 2}.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "app/cli/cli_answers.h"
#include "app/cli/cli_args.h"
#include "app/cli/cli_json.h"
#include "app/session/draw_list.h"
#include "app/session/json_writer.h"
#include "app/session/zone.h"
#include "astro/almanac.h"
#include "catalog/catalog.h"

// Whether the browser knows a zone name, and a zone's offset from UTC in
// seconds at an instant, through Intl (one formatter per zone, kept).
EM_JS(int, pl_zone_known, (const char* name), {
    try {
        new Intl.DateTimeFormat("en-US", {timeZone: UTF8ToString(name)});
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, pl_zone_offset, (const char* name, double unixSeconds), {
    const zone = UTF8ToString(name);
    const cache = globalThis.__planetariumZones || (globalThis.__planetariumZones = new Map());
    let format = cache.get(zone);
    if (!format) {
        format = new Intl.DateTimeFormat("en-US", {timeZone: zone, hourCycle: "h23", era: "short", year: "numeric",
                                                   month: "numeric", day: "numeric", hour: "numeric",
                                                   minute: "numeric", second: "numeric"});
        cache.set(zone, format);
    }
    const seconds = Math.round(unixSeconds);
    const parts = {};
    for (const p of format.formatToParts(new Date(seconds * 1000))) parts[p.type] = p.value;
    let year = Number(parts.year);
    if (parts.era === "BC" || parts.era === "B") year = 1 - year;
    const wall = new Date(0);
    wall.setUTCFullYear(year, Number(parts.month) - 1, Number(parts.day));
    wall.setUTCHours(Number(parts.hour) % 24, Number(parts.minute), Number(parts.second), 0);
    return Math.round(wall.getTime() / 1000 - seconds);
});

namespace {

const catalog::Catalogue& catalogue() {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    return cat;
}

app::ZoneLookup intlLookup() {
    return [](const std::string& name) -> std::optional<astro::UtcOffsetFn> {
        if (name.empty() || name.size() > 64 || !pl_zone_known(name.c_str())) return std::nullopt;
        return astro::UtcOffsetFn([name](double jdUt) {
            const double secs = std::clamp(astro::unixSecondsFromJd(jdUt), -8.0e12, 8.0e12);
            return pl_zone_offset(name.c_str(), secs);
        });
    };
}

std::string errorJson(const std::string& message, int status) {
    app::JsonObject j;
    j.text("error", message);
    j.integer("status", status);
    return j.done();
}

std::string placesJson(const catalog::Catalogue& cat) {
    std::string out = "[";
    for (std::size_t i = 1; i < cat.places.size(); ++i) {
        const catalog::Place& p = cat.places[i];
        app::JsonObject j;
        j.text("name", p.name);
        j.number("lat", p.latDeg, 4);
        j.number("lon", p.lonDeg, 4);
        j.text("zone", app::placeZoneName(p));
        std::string one = j.done();
        one.pop_back();
        out += (i > 1 ? "," : "") + one;
    }
    return out + "]\n";
}

std::string constellationsJson(const catalog::Catalogue& cat) {
    std::string out = "[";
    for (std::size_t c = 1; c < cat.constellations.size(); ++c)
        out += (c > 1 ? "," : "") + app::jsonString(cat.constellations[c].name);
    return out + "]\n";
}

std::string answer(const std::string& request) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= request.size(); ++i) {
        if (i == request.size() || request[i] == '\x1f') {
            parts.push_back(request.substr(start, i - start));
            start = i + 1;
        }
    }
    const std::string op = parts.empty() ? "" : parts.front();
    const std::vector<std::string> args(parts.size() > 1 ? parts.begin() + 1 : parts.end(), parts.end());
    const catalog::Catalogue& cat = catalogue();
    if (op == "places") return placesJson(cat);
    if (op == "constellations") return constellationsJson(cat);

    const app::CliParse parsed = app::parseCommandLine(args, cat);
    if (!parsed.ok()) return errorJson(parsed.error, 2);
    const app::CliOptions& opt = parsed.options;
    const auto now = std::chrono::system_clock::now();
    std::string zoneError;
    const std::optional<app::LocalZone> zone = app::requestZoneWith(opt, cat, intlLookup(), zoneError);
    if (!zone) return errorJson(zoneError, 2);
    const std::uint64_t seed = opt.seed.value_or(0);
    if (op == "json") return app::skyAnswer(opt, cat, *zone, now);
    if (op == "almanac") return app::almanacAnswer(opt, cat, *zone, now);
    if (op == "tonight") return app::tonightAnswer(opt, cat, *zone, now);
    if (op == "identify") return app::identifyAnswer(opt, cat, now, seed);
    if (op == "find") {
        const app::CliAnswer a = app::findAnswer(opt, cat, *zone, now);
        return a.status == 0 ? a.text : errorJson(a.error, a.status);
    }
    if (op == "chartList") {
        // The paper chart, as the program's PDF draws it.
        return app::chartDrawList(app::optionsChart(opt, cat, view::ChartStyle::Print, seed, *zone, now), cat);
    }
    if (op == "drawList") {
        return app::pictureDrawList(app::pictureRequest(opt, app::skyRequest(opt, cat, now), seed), cat);
    }
    return errorJson("unknown request " + app::quotedArgument(op), 2);
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* pl_call(const char* request) {
    static std::string out;
    out = answer(request == nullptr ? std::string() : std::string(request));
    return out.c_str();
}
