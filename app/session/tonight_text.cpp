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

// "20時", or the place's own hour when the clock is far from it.
std::string hourJa(int hour, const view::TonightReport& r) {
    return (r.eveningInLocalMeanTime ? "現地時刻の" : "") + number(hour) + "時";
}

std::string atHourJa(const std::string& hour, const view::SkyAt& at) {
    return hour + (at.altDeg > 0.0 ? "は" + placeJa(at) : "は地平線の下");
}

std::string magJa(double mag) { return fixedText(mag, 1, true) + "等"; }

// Rising or setting during the night is worth a sentence; by day it is not.
bool inNight(const astro::SkyEvent& e, const view::TonightReport& r) {
    return (!r.sunsetJdUt || e.jdUt >= *r.sunsetJdUt) && (!r.sunriseJdUt || e.jdUt <= *r.sunriseJdUt);
}

// Every rise (or set) of the night, in time order: 「23時59分に東から昇ります。」
std::string eventsJa(const std::vector<astro::SkyEvent>& events, const char* verb, const view::TonightReport& r,
                     const astro::UtcOffsetFn& zone) {
    std::string s;
    for (const astro::SkyEvent& e : events)
        if (inNight(e, r)) s += clockJa(e.jdUt, r.date, zone) + "に" + view::compassPointJa(e.azDeg) + verb;
    return s;
}

bool anyInNight(const std::vector<astro::SkyEvent>& events, const view::TonightReport& r) {
    for (const astro::SkyEvent& e : events)
        if (inNight(e, r)) return true;
    return false;
}

std::string planetSentence(const view::TonightPlanet& p, const view::TonightReport& r, const astro::UtcOffsetFn& zone) {
    std::string s = p.name + "（" + magJa(p.mag) + "、" + p.constellation + "）　";
    s += eventsJa(p.rises, "から昇ります。", r, zone);
    if (p.at20.altDeg > 0.0 || p.at22.altDeg > 0.0) {
        s += atHourJa(hourJa(20, r), p.at20) + "、" + atHourJa(hourJa(22, r), p.at22) + "。";
    } else {
        s += hourJa(20, r) + "と" + hourJa(22, r) + "はまだ地平線の下です。";
    }
    if (p.best) s += "いちばん見やすいのは" + clockJa(p.best->jdUt, r.date, zone) + "ごろ、" + placeJa(*p.best) + "。";
    s += eventsJa(p.sets, "へ沈みます。", r, zone);
    return s;
}

std::string ratesJa(double rate) {
    if (rate < 1.0) return "1個未満";
    return "約" + fixedText(std::round(rate), 0) + "個";
}

std::string showerSentence(const view::TonightShower& s, const view::TonightReport& r, const astro::UtcOffsetFn& zone) {
    // The night of the maximum as the reader counts nights: the maximum of
    // the 14th is 「13日の夜から14日の明け方」, tonight on the 13th.
    const astro::LocalDate& e = s.peakEvening;
    const astro::LocalDate& m = s.peak;
    const std::string peakNight = number(e.month) + "月" + number(e.day) + "日の夜から" +
                                  (m.month == e.month ? "" : number(m.month) + "月") + number(m.day) + "日の明け方";
    const int n = s.nightsToPeak;
    const std::string when = n == 0    ? "今夜"
                             : n == 1  ? "明日の夜"
                             : n == -1 ? "昨夜"
                             : n > 0   ? number(n) + "日後"
                                       : number(-n) + "日前";
    std::string t = s.name + "（極大は" + peakNight + "、" + when + "）　";
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

std::optional<astro::SkyEvent> firstOf(const std::vector<astro::SkyEvent>& events) {
    if (events.empty()) return std::nullopt;
    return events.front();
}

std::vector<JsonObject> eventList(const std::vector<astro::SkyEvent>& events, const astro::UtcOffsetFn& zone) {
    std::vector<JsonObject> out;
    for (const astro::SkyEvent& e : events) {
        JsonObject o;
        o.text("time", isoLocalTime(e.jdUt, zone));
        o.number("az", e.azDeg, 1);
        out.push_back(o);
    }
    return out;
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
    out += "\n【月】\n" + hourJa(21, r) + "の月齢" + fixedText(m.ageDays, 1) + "の" + m.phaseName + "（輝いている部分 " +
           fixedText(m.illum * 100.0, 0) + "%）。";
    if (m.seen && m.atSunset && m.atSunset->altDeg > 0.0) out += "日の入りのころ" + placeJa(*m.atSunset) + "に見えます。";
    if (!m.seen && m.phaseName == std::string("新月")) out += "太陽に近く、見えません。";
    for (const astro::SkyEvent& e : m.rises)
        if (inNight(e, r)) out += "月の出 " + clockJa(e.jdUt, r.date, zone) + "（" + view::compassPointJa(e.azDeg) + "）。";
    for (const astro::SkyEvent& e : m.sets)
        if (inNight(e, r)) out += "月の入り " + clockJa(e.jdUt, r.date, zone) + "（" + view::compassPointJa(e.azDeg) + "）。";
    if (!anyInNight(m.rises, r) && !anyInNight(m.sets, r) && m.upDarkHours == 0.0 && m.seen == false &&
        m.phaseName != std::string("新月"))
        out += "夜の間は地平線の下です。";
    if (m.darkHours > 0.0) {
        out += m.brightensSky ? "月明かりで暗い星や流れ星は見えにくい夜です。"
               : m.upDarkHours > 0.0 ? "暗い時間に月が出ている時間は短く、月明かりの影響は少ない夜です。"
                                     : "暗い時間には月が出ていないので、暗い星まで見やすい夜です。";
    }
    out += "\n";

    out += "\n【流星群】\n";
    if (r.showers.empty()) out += "活動している主な流星群はありません。\n";
    for (const view::TonightShower& s : r.showers) out += showerSentence(s, r, zone) + "\n";

    out += "\n【" + hourJa(20, r) + "ごろ見つけやすいもの】\n";
    if (r.sunUp20) {
        out += hourJa(20, r) + "はまだ空が明るく、星は見えません。\n";
    } else {
        const auto line = [&](const char* title, const std::vector<view::TonightPick>& picks, bool withMag) {
            if (picks.empty()) return;
            std::vector<std::string> items;
            for (const view::TonightPick& p : picks) {
                std::string about;
                if (!p.detail.empty()) about += p.detail + "、";
                if (withMag) about += magJa(p.mag) + "、";
                items.push_back(p.name + "（" + about + (p.later ? hourJa(22, r) + "ごろ" : "") + placeJa(p.at) + "）");
            }
            out += std::string(title) + ": " + list(items) + "。\n";
        };
        line("星の並び", r.asterisms, false);
        line("明るい星", r.stars, true);
        line("星座", r.constellations, false);
        line("星団・星雲", r.deepSky, false);
        if (r.asterisms.empty() && r.stars.empty() && r.constellations.empty() && r.deepSky.empty())
            out += "高く昇っている明るい星や星座はありません。\n";
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
    if (r.eveningInLocalMeanTime) j.boolean("eveningInLocalMeanTime", true);

    std::vector<JsonObject> planets;
    for (const view::TonightPlanet& p : r.planets) {
        JsonObject o;
        o.text("name", p.name);
        o.number("mag", p.mag, 1);
        o.text("constellation", p.constellation);
        o.boolean("visible", p.seen);
        o.object("at20", skyAtJson(p.at20, zone));
        o.object("at22", skyAtJson(p.at22, zone));
        eventField(o, "rise", firstOf(p.rises), zone);
        eventField(o, "transit", p.transit, zone);
        eventField(o, "set", firstOf(p.sets), zone);
        o.array("rises", eventList(p.rises, zone));
        o.array("sets", eventList(p.sets, zone));
        if (p.best) o.object("best", skyAtJson(*p.best, zone));
        planets.push_back(o);
    }
    j.array("planets", planets);

    JsonObject moon;
    eventField(moon, "rise", firstOf(r.moon.rises), zone);
    eventField(moon, "set", firstOf(r.moon.sets), zone);
    moon.array("rises", eventList(r.moon.rises, zone));
    moon.array("sets", eventList(r.moon.sets, zone));
    if (r.moon.atSunset) moon.object("atSunset", skyAtJson(*r.moon.atSunset, zone));
    moon.number("age", r.moon.ageDays, 1);
    moon.text("phase", r.moon.phaseName);
    moon.boolean("seen", r.moon.seen);
    moon.number("illum", r.moon.illum, 3);
    moon.number("upDarkHours", r.moon.upDarkHours, 1);
    moon.boolean("brightensSky", r.moon.brightensSky);
    j.object("moon", moon);

    std::vector<JsonObject> showers;
    for (const view::TonightShower& s : r.showers) {
        JsonObject o;
        o.text("name", s.name);
        o.text("peak", dateText(s.peak));
        o.text("peakNight", dateText(s.peakEvening));
        o.integer("nightsToPeak", s.nightsToPeak);
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

    const auto picks = [&](const char* key, const std::vector<view::TonightPick>& list, const char* detailKey) {
        std::vector<JsonObject> items;
        for (const view::TonightPick& p : list) {
            JsonObject o;
            o.text("name", p.name);
            if (detailKey) o.text(detailKey, p.detail);
            o.number("mag", p.mag, 2);
            o.object(p.later ? "at22" : "at20", skyAtJson(p.at, zone));
            items.push_back(o);
        }
        j.array(key, items);
    };
    picks("asterisms", r.asterisms, nullptr);
    picks("stars", r.stars, "constellation");
    picks("constellations", r.constellations, nullptr);
    picks("deepSky", r.deepSky, "kind");
    return j.done();
}

}  // namespace app
