#include "app/session/moon_card_answer.h"

#include <algorithm>

#include "app/session/almanac_text.h"
#include "app/session/json_writer.h"
#include "astro/astro.h"
#include "catalog/ephemeris.h"
#include "view/object_info.h"

namespace app {

view::MoonCard answerMoonCard(const MoonCardQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                              Clock::time_point now) {
    return answerMoonCard(skyRequest(q.sky, cat, now), q.faceAzDeg, q.everyMinutes, q.count, q.blank, zone);
}

view::MoonCard answerMoonCard(const SkyRequest& req, double faceAzDeg, int everyMinutes, int count, bool blank,
                              const LocalZone& zone) {
    const astro::SkyState first = astro::computeSky(req.input);
    std::vector<double> moments;
    count = std::clamp(count, 1, 8);
    for (int i = 0; i < count; ++i) moments.push_back(first.jdUt + i * std::max(1, everyMinutes) / 1440.0);
    view::MoonCard card =
        view::moonCard(catalog::ephemerisTables(), faceAzDeg, moments, req.input.latDeg, req.input.lonDeg, zone.offset);
    card.placeName = req.placeName;
    card.blank = blank;
    return card;
}

std::optional<double> faceAzimuthNamed(const std::string& name) {
    static const std::pair<const char*, double> kNames[] = {
        {"north", 0.0},   {"northeast", 45.0},  {"east", 90.0},  {"southeast", 135.0}, {"south", 180.0},
        {"southwest", 225.0}, {"west", 270.0},  {"northwest", 315.0}, {"北", 0.0},    {"北東", 45.0},
        {"東", 90.0},     {"南東", 135.0},      {"南", 180.0},   {"南西", 225.0},      {"西", 270.0},
        {"北西", 315.0}};
    for (const auto& [n, az] : kNames)
        if (name == n) return az;
    return std::nullopt;
}

std::string moonCardJson(const view::MoonCard& card, const LocalZone& zone) {
    JsonObject j;
    j.text("view", "moonlog");
    JsonObject place;
    if (!card.placeName.empty()) place.text("name", card.placeName);
    place.number("lat", card.latDeg, 4);
    place.number("lon", card.lonDeg, 4);
    j.object("place", place);
    j.text("face", view::skyQuarterJa(card.faceAzDeg));
    j.boolean("blank", card.blank);
    std::vector<JsonObject> moons;
    for (const view::MoonCardEntry& e : card.entries) {
        JsonObject o;
        o.text("time", isoLocalTime(e.jdUt, zone.offset));
        o.number("altDeg", e.altDeg, 3);
        o.number("azDeg", e.azDeg, 3);
        o.number("illum", e.illum, 4);
        o.number("limbAngleDeg", e.limbAngleDeg, 2);
        o.number("ageDays", e.ageDays, 2);
        const view::CardPoint at = view::moonCardPoint(card, e.altDeg, e.azDeg);
        o.number("x", at.x / 15.0, 1);
        o.number("y", at.y / 15.0, 1);
        o.boolean("inside", at.inside);
        moons.push_back(o);
    }
    j.array("moons", moons);
    return j.done();
}

}  // namespace app
