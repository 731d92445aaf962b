#include "app/session/phase_strip_answer.h"

#include <cmath>

#include "app/session/almanac_text.h"
#include "app/session/json_writer.h"
#include "catalog/ephemeris.h"
#include "catalog/name_search.h"

namespace app {

view::PhaseStrip answerPhaseStrip(const PhaseStripQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                                  Clock::time_point now) {
    return answerPhaseStrip(skyRequest(q.sky, cat, now), q.body, q.everyDays, q.count, zone);
}

view::PhaseStrip answerPhaseStrip(const SkyRequest& req, astro::Body body, int everyDays, int count,
                                  const LocalZone& zone) {
    view::PhaseStrip strip = view::phaseStrip(catalog::ephemerisTables(), body, localDateOfRequest(req.input, zone),
                                              everyDays, count, req.input.latDeg, req.input.lonDeg, zone.offset);
    strip.placeName = req.placeName;
    return strip;
}

std::optional<astro::Body> phaseBodyNamed(const std::string& name) {
    static const std::pair<const char*, astro::Body> kNames[] = {
        {"金星", astro::Venus},   {"きんせい", astro::Venus}, {"Venus", astro::Venus},   {"venus", astro::Venus},
        {"水星", astro::Mercury}, {"すいせい", astro::Mercury}, {"Mercury", astro::Mercury}, {"mercury", astro::Mercury},
        {"月", astro::Moon},      {"つき", astro::Moon},       {"Moon", astro::Moon},       {"moon", astro::Moon}};
    for (const auto& [n, b] : kNames)
        if (name == n) return b;
    return std::nullopt;
}

std::string phaseStripJson(const view::PhaseStrip& strip, const LocalZone& zone) {
    JsonObject j;
    j.text("view", "phases");
    j.text("body", catalog::kBodyNames[strip.body]);
    JsonObject place;
    if (!strip.placeName.empty()) place.text("name", strip.placeName);
    place.number("lat", strip.latDeg, 4);
    place.number("lon", strip.lonDeg, 4);
    j.object("place", place);
    j.integer("everyDays", strip.everyDays);
    std::vector<JsonObject> discs;
    for (const view::PhaseDisc& d : strip.discs) {
        JsonObject o;
        o.text("time", isoLocalTime(d.jdUt, zone.offset));
        o.text("date", dateText(d.date));
        o.text("side", d.evening ? "evening" : "morning");
        o.number("illum", d.illum, 4);
        o.number("phaseAngleDeg", d.phaseAngleDeg, 3);
        o.number("diameterArcsec", d.diameterArcsec, 2);
        o.number("elongationDeg", d.elongationDeg, 3);
        if (std::isfinite(d.mag)) o.number("mag", d.mag, 2);
        else o.null("mag");
        o.number("limbAngleDeg", d.limbAngleDeg, 2);
        o.number("altDeg", d.altDeg, 2);
        discs.push_back(o);
    }
    j.array("discs", discs);
    return j.done();
}

}  // namespace app
