// The browser edition's entry: one call from JavaScript, pl_call, answers a
// JSON request ({"op": "find", "name": "シリウス", "at": ..., "place": ...})
// with the session's own answers (json_requests.h), so the page gets the
// same JSON, the same finding and the same draw list as the program. The
// browser's Intl supplies the zone data for places abroad.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "app/session/json_requests.h"
#include "app/session/zone.h"
#include "astro/almanac.h"
#include "catalog/catalog.h"

// Whether the browser knows a zone name, and a zone's offset from UTC in
// seconds at an instant, through Intl (one formatter per zone, kept).
//
// Intl reads zone names in any letter case; the program's zone data does
// not, so a name is known only as Intl itself spells it (its links, such as
// Asia/Calcutta, keep their own spelling).
EM_JS(int, pl_zone_known, (const char* name), {
    const zone = UTF8ToString(name);
    try {
        const resolved = new Intl.DateTimeFormat("en-US", {timeZone: zone}).resolvedOptions().timeZone;
        return resolved === zone || resolved.toLowerCase() !== zone.toLowerCase() ? 1 : 0;
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
        if (!app::plausibleZoneName(name) || !pl_zone_known(name.c_str())) return std::nullopt;
        return astro::UtcOffsetFn([name](double jdUt) {
            const double secs = std::clamp(astro::unixSecondsFromJd(jdUt), -8.0e12, 8.0e12);
            return pl_zone_offset(name.c_str(), secs);
        });
    };
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* pl_call(const char* request) {
    static std::string out;
    out = app::answerJsonRequest(request == nullptr ? std::string_view() : std::string_view(request), catalogue(),
                                 intlLookup(), std::chrono::system_clock::now());
    return out.c_str();
}
