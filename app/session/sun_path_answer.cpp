#include "app/session/sun_path_answer.h"

#include "app/session/almanac_text.h"
#include "app/session/json_writer.h"
#include "catalog/ephemeris.h"

namespace app {

SunPathAnswer answerSunPath(const SunPathQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                            Clock::time_point now) {
    return answerSunPath(skyRequest(q.sky, cat, now), q.seasons, q.worksheet, zone);
}

SunPathAnswer answerSunPath(const SkyRequest& req, bool seasons, bool worksheet, const LocalZone& zone) {
    SunPathAnswer a;
    view::SunPathScene& s = a.scene;
    s.placeName = req.placeName;
    s.latDeg = req.input.latDeg;
    s.lonDeg = req.input.lonDeg;
    s.worksheet = worksheet;
    s.zone = zone.offset;
    s.zoneNote = zone.isJapan() ? "日本時間" : zone.name;
    if (worksheet) return a;
    const astro::LocalDate date = localDateOfRequest(req.input, zone);
    const astro::EphemerisTables& tables = catalog::ephemerisTables();
    if (seasons) {
        s.days = view::seasonPathDays(tables, date.year, s.latDeg, s.lonDeg, zone.offset);
    } else {
        view::SunPathDay d = view::sunPathDay(tables, date, s.latDeg, s.lonDeg, zone.offset);
        d.label = std::to_string(d.date.year) + "年" + d.label;
        s.days.push_back(std::move(d));
    }
    return a;
}

std::string sunPathJson(const SunPathAnswer& a, const LocalZone& zone) {
    const view::SunPathScene& s = a.scene;
    const view::DomeProjection dome = view::sunPathDome(s.latDeg);
    JsonObject j;
    j.text("view", "sunpath");
    JsonObject place;
    if (!s.placeName.empty()) place.text("name", s.placeName);
    place.number("lat", s.latDeg, 4);
    place.number("lon", s.lonDeg, 4);
    place.text("timeZone", zone.name);
    j.object("place", place);
    j.boolean("worksheet", s.worksheet);
    std::vector<JsonObject> days;
    for (const view::SunPathDay& d : s.days) {
        JsonObject day;
        day.text("label", d.label);
        day.text("date", dateText(d.date));
        const auto event = [&](const char* key, const std::optional<astro::SkyEvent>& e, const char* angle,
                               double value) {
            if (!e) return day.null(key);
            JsonObject o;
            o.text("time", isoLocalTime(e->jdUt, zone.offset));
            o.number(angle, value, 2);
            day.object(key, o);
        };
        event("rise", d.rise, "azDeg", d.rise ? d.rise->azDeg : 0.0);
        event("transit", d.transit, "altDeg", d.transit ? d.transit->altDeg : 0.0);
        event("set", d.set, "azDeg", d.set ? d.set->azDeg : 0.0);
        day.text("up", d.up == astro::UpState::Always ? "always" : d.up == astro::UpState::Never ? "never" : "sometimes");
        std::vector<JsonObject> hourly;
        for (const view::SunPathPoint& p : d.hourly) {
            JsonObject h;
            h.text("time", isoLocalTime(p.jdUt, zone.offset));
            h.number("altDeg", p.altDeg, 3);
            h.number("azDeg", p.azDeg, 3);
            const view::PicturePoint at = dome.place(p.altDeg, p.azDeg);
            h.number("x", at.x / 15.0, 1);
            h.number("y", at.y / 15.0, 1);
            hourly.push_back(h);
        }
        day.array("hourly", hourly);
        days.push_back(day);
    }
    j.array("days", days);
    return j.done();
}

}  // namespace app
