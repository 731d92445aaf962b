#include "app/session/tonight_text.h"

#include <cmath>
#include <vector>

#include "app/session/almanac_text.h"
#include "app/session/json_writer.h"
#include "astro/calendar.h"
#include "astro/sky_state.h"
#include "view/object_info.h"

namespace app {

namespace {

using view::fixedText;

std::string number(int v) { return std::to_string(v); }

const char* weekdayJa(const astro::LocalDate& d) {
    static constexpr const char* kDays[7] = {"日", "月", "火", "水", "木", "金", "土"};
    const double jd = astro::ymdYD(d.year, d.month, d.day);
    const long long k = static_cast<long long>(std::floor(jd + 1.5));
    return kDays[((k % 7) + 7) % 7];
}

std::string dateJa(const astro::LocalDate& d) {
    return number(d.year) + "年" + number(d.month) + "月" + number(d.day) + "日（" + weekdayJa(d) + "）";
}

// "21時05分", "翌4時10分" after the evening's date.
std::string clockJa(double jdUt, const astro::LocalDate& evening, const astro::UtcOffsetFn& zone) {
    const astro::LocalDateTime t = astro::localMinute(jdUt, zone);
    const std::string hm = number(t.hour) + "時" + (t.minute < 10 ? "0" : "") + number(t.minute) + "分";
    return t.date == evening ? hm : "翌" + hm;
}

// "南東の空の高さ25°"
std::string placeJa(const view::SkyAt& at) {
    return std::string(view::skyQuarterJa(at.azDeg)) + "の空の高さ" + fixedText(at.altDeg, 0) + "°";
}

std::string atHourJa(const char* hour, const view::SkyAt& at) {
    return std::string(hour) + (at.altDeg > 0.0 ? "は" + placeJa(at) : "は地平線の下");
}

std::string magJa(double mag) { return fixedText(mag, 1, true) + "等"; }

// Rising or setting during the night is worth a sentence; by day it is not.
bool inNight(const std::optional<astro::SkyEvent>& e, const view::TonightReport& r) {
    return e && (!r.sunsetJdUt || e->jdUt >= *r.sunsetJdUt) && (!r.sunriseJdUt || e->jdUt <= *r.sunriseJdUt);
}

std::string planetSentence(const view::TonightPlanet& p, const view::TonightReport& r, const astro::UtcOffsetFn& zone) {
    std::string s = p.name + "（" + magJa(p.mag) + "、" + p.constellation + "）　";
    const auto inNight = [&](const std::optional<astro::SkyEvent>& e) { return app::inNight(e, r); };
    if (inNight(p.rise))
        s += clockJa(p.rise->jdUt, r.date, zone) + "に" + view::compassPointJa(p.rise->azDeg) + "から昇ります。";
    if (p.at20.altDeg > 0.0 || p.at22.altDeg > 0.0) {
        s += atHourJa("20時", p.at20) + "、" + atHourJa("22時", p.at22) + "。";
    } else {
        s += "20時と22時はまだ地平線の下です。";
    }
    if (p.best) s += "いちばん見やすいのは" + clockJa(p.best->jdUt, r.date, zone) + "ごろ、" + placeJa(*p.best) + "。";
    if (inNight(p.set))
        s += clockJa(p.set->jdUt, r.date, zone) + "に" + view::compassPointJa(p.set->azDeg) + "へ沈みます。";
    return s;
}

std::string ratesJa(double rate) {
    if (rate < 1.0) return "1個未満";
    return "約" + fixedText(std::round(rate), 0) + "個";
}

std::string showerSentence(const view::TonightShower& s, const view::TonightReport& r, const astro::UtcOffsetFn& zone) {
    std::string t = s.name + "（極大 " + number(s.peak.month) + "月" + number(s.peak.day) + "日";
    const double d = std::round(s.daysFromPeak);
    t += d == 0.0 ? "、今夜が極大）　" : d > 0.0 ? "、" + fixedText(d, 0) + "日後）　" : "、" + fixedText(-d, 0) + "日前）　";
    if (s.radiantAlwaysUp) {
        t += "放射点は一晩中地平線の上にあります。";
    } else if (s.radiantRise) {
        t += "放射点は" + clockJa(s.radiantRise->jdUt, r.date, zone) + "に昇ります。";
    }
    if (!s.best || !(s.best->altDeg > 0.0)) return t + "暗い時間には放射点が地平線の下にあり、ほとんど見えません。";
    t += "放射点がいちばん高くなるのは" + clockJa(s.best->jdUt, r.date, zone) + "ごろ（高さ" + fixedText(s.best->altDeg, 0) +
         "°）。1時間に見える数の目安は、街明かりのある空で" + ratesJa(s.rateCity) + "、暗い空で" + ratesJa(s.rateDark) + "。";
    if (r.moon.brightensSky) t += "ただし月明かりで見える数は減ります。";
    return t;
}

std::string list(const std::vector<std::string>& items) {
    std::string s;
    for (const std::string& i : items) s += (s.empty() ? "" : "、") + i;
    return s;
}

void timeField(JsonObject& j, const char* key, const std::optional<double>& jd, const astro::UtcOffsetFn& zone) {
    if (jd) {
        j.text(key, isoLocalTime(*jd, zone));
    } else {
        j.null(key);
    }
}

void eventField(JsonObject& j, const char* key, const std::optional<astro::SkyEvent>& e, const astro::UtcOffsetFn& zone) {
    timeField(j, key, e ? std::optional<double>(e->jdUt) : std::nullopt, zone);
}

JsonObject skyAtJson(const view::SkyAt& at, const astro::UtcOffsetFn& zone) {
    JsonObject j;
    j.text("time", isoLocalTime(at.jdUt, zone));
    j.number("alt", at.altDeg, 1);
    j.number("az", at.azDeg, 1);
    j.text("direction", view::skyQuarterJa(at.azDeg));
    return j;
}

}  // namespace

std::string tonightText(const view::TonightReport& r, const TonightPlace& place, const astro::UtcOffsetFn& zone) {
    std::string out = dateJa(r.date) + "の夜の空　" +
                      (place.name.empty() ? std::string() : place.name + "（") +
                      (place.latDeg >= 0.0 ? "北緯" : "南緯") + fixedText(std::fabs(place.latDeg), 2) + "°、" +
                      (place.lonDeg >= 0.0 ? "東経" : "西経") + fixedText(std::fabs(place.lonDeg), 2) + "°" +
                      (place.name.empty() ? "" : "）") + "\n";
    if (r.sunsetJdUt && r.sunriseJdUt) {
        out += "日の入り " + clockJa(*r.sunsetJdUt, r.date, zone) + "、日の出 " + clockJa(*r.sunriseJdUt, r.date, zone) + "。\n";
    } else {
        out += r.sunUp20 ? "この日は太陽が沈みません（白夜）。\n" : "この日は太陽が昇りません（極夜）。\n";
    }

    out += "\n【惑星】\n";
    std::vector<std::string> unseen;
    for (const view::TonightPlanet& p : r.planets) {
        if (p.seen) {
            out += planetSentence(p, r, zone) + "\n";
        } else {
            unseen.push_back(p.name);
        }
    }
    if (!unseen.empty()) {
        std::string names;
        for (const std::string& n : unseen) names += (names.empty() ? "" : "・") + n;
        out += names + "は今夜は見えません（太陽に近いか、暗い間は地平線の下です）。\n";
    }

    const view::TonightMoon& m = r.moon;
    out += "\n【月】\n月齢" + fixedText(m.ageDays, 1) + "の" + m.phaseName + "（輝いている部分 " +
           fixedText(m.illum * 100.0, 0) + "%）。";
    if (m.atSunset && m.atSunset->altDeg > 0.0) out += "日の入りのころ" + placeJa(*m.atSunset) + "に見えます。";
    if (inNight(m.rise, r))
        out += "月の出 " + clockJa(m.rise->jdUt, r.date, zone) + "（" + view::compassPointJa(m.rise->azDeg) + "）。";
    if (inNight(m.set, r))
        out += "月の入り " + clockJa(m.set->jdUt, r.date, zone) + "（" + view::compassPointJa(m.set->azDeg) + "）。";
    if (!inNight(m.rise, r) && !inNight(m.set, r) && m.upDarkHours == 0.0) out += "夜の間は地平線の下です。";
    if (m.darkHours > 0.0) {
        out += m.brightensSky ? "月明かりで暗い星や流れ星は見えにくい夜です。"
               : m.upDarkHours > 0.0 ? "暗い時間に月が出ている時間は短く、月明かりの影響は少ない夜です。"
                                     : "暗い時間には月が出ていないので、暗い星まで見やすい夜です。";
    }
    out += "\n";

    out += "\n【流星群】\n";
    if (r.showers.empty()) out += "活動している主な流星群はありません。\n";
    for (const view::TonightShower& s : r.showers) out += showerSentence(s, r, zone) + "\n";

    const char* side = r.facesSouth ? "南" : "北";
    out += std::string("\n【20時ごろ") + side + "の空高く】\n";
    std::vector<std::string> stars, constellations;
    for (const view::TonightStar& s : r.stars) stars.push_back(s.name + "（" + s.constellation + "、" + magJa(s.mag) + "）");
    for (const view::TonightConstellation& c : r.constellations) constellations.push_back(c.name);
    if (r.sunUp20) {
        out += "20時はまだ空が明るく、星は見えません。\n";
    } else {
        out += stars.empty() ? std::string("2.5等より明るい星はありません。") : "明るい星: " + list(stars) + "。";
        if (!constellations.empty()) out += "星座: " + list(constellations) + "。";
        out += "\n";
    }
    return out;
}

std::string tonightJson(const view::TonightReport& r, const TonightPlace& place, const astro::UtcOffsetFn& zone) {
    JsonObject j;
    j.text("date", dateText(r.date));
    JsonObject where;
    if (!place.name.empty()) where.text("name", place.name);
    where.number("lat", place.latDeg, 4);
    where.number("lon", place.lonDeg, 4);
    j.object("place", where);
    timeField(j, "sunset", r.sunsetJdUt, zone);
    timeField(j, "sunrise", r.sunriseJdUt, zone);

    std::vector<JsonObject> planets;
    for (const view::TonightPlanet& p : r.planets) {
        JsonObject o;
        o.text("name", p.name);
        o.number("mag", p.mag, 1);
        o.text("constellation", p.constellation);
        o.boolean("visible", p.seen);
        o.object("at20", skyAtJson(p.at20, zone));
        o.object("at22", skyAtJson(p.at22, zone));
        eventField(o, "rise", p.rise, zone);
        eventField(o, "transit", p.transit, zone);
        eventField(o, "set", p.set, zone);
        if (p.best) o.object("best", skyAtJson(*p.best, zone));
        planets.push_back(o);
    }
    j.array("planets", planets);

    JsonObject moon;
    eventField(moon, "rise", r.moon.rise, zone);
    eventField(moon, "set", r.moon.set, zone);
    if (r.moon.atSunset) moon.object("atSunset", skyAtJson(*r.moon.atSunset, zone));
    moon.number("age", r.moon.ageDays, 1);
    moon.text("phase", r.moon.phaseName);
    moon.number("illum", r.moon.illum, 3);
    moon.number("upDarkHours", r.moon.upDarkHours, 1);
    moon.boolean("brightensSky", r.moon.brightensSky);
    j.object("moon", moon);

    std::vector<JsonObject> showers;
    for (const view::TonightShower& s : r.showers) {
        JsonObject o;
        o.text("name", s.name);
        o.text("peak", dateText(s.peak));
        o.number("daysFromPeak", s.daysFromPeak, 1);
        o.number("zhr", s.zhr, 0);
        eventField(o, "radiantRise", s.radiantRise, zone);
        if (s.radiantAlwaysUp) o.boolean("radiantAlwaysUp", true);
        if (s.best) o.object("best", skyAtJson(*s.best, zone));
        o.number("rateCity", s.rateCity, 1);
        o.number("rateDark", s.rateDark, 1);
        showers.push_back(o);
    }
    j.array("showers", showers);

    std::vector<JsonObject> stars;
    for (const view::TonightStar& s : r.stars) {
        JsonObject o;
        o.text("name", s.name);
        o.text("constellation", s.constellation);
        o.number("mag", s.mag, 2);
        o.object("at20", skyAtJson(s.at20, zone));
        stars.push_back(o);
    }
    j.array("stars", stars);
    std::vector<JsonObject> constellations;
    for (const view::TonightConstellation& c : r.constellations) {
        JsonObject o;
        o.text("name", c.name);
        o.object("at20", skyAtJson(c.at20, zone));
        constellations.push_back(o);
    }
    j.array("constellations", constellations);
    return j.done();
}

}  // namespace app
