#include "app/session/eclipse_text.h"

#include <cmath>
#include <cstdio>

#include "app/session/almanac_text.h"
#include "app/session/json_writer.h"
#include "app/session/request_fields.h"
#include "catalog/ephemeris.h"

namespace app {

namespace {

const char* typeKey(astro::EclipseType t) {
    switch (t) {
    case astro::EclipseType::Total: return "total";
    case astro::EclipseType::Annular: return "annular";
    case astro::EclipseType::Hybrid: return "hybrid";
    case astro::EclipseType::Partial: return "partial";
    case astro::EclipseType::Penumbral: return "penumbral";
    default: return "none";
    }
}

const char* kindKey(astro::EclipseKind k) { return k == astro::EclipseKind::Solar ? "solar" : "lunar"; }

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// "2026年3月3日"
std::string dateJa(const astro::LocalDate& d) {
    return std::to_string(d.year) + "年" + std::to_string(d.month) + "月" + std::to_string(d.day) + "日";
}

// A solar time to the second, "09時19分06秒"; a lunar one to 0.1 minute,
// "18時49.8分" (rounded as the almanac rounds, half up).
std::string timeJa(double jdUt, bool toTenth, const LocalZone& zone) {
    if (!toTenth) {
        const astro::LocalDateTime t = astro::localDateTime(jdUt, zone.offset);
        return two(t.hour) + "時" + two(t.minute) + "分" + two(t.second) + "秒";
    }
    const long long tenths = std::llround(jdUt * 86400.0 / 6.0);
    const astro::LocalDateTime t = astro::localDateTime(static_cast<double>(tenths) * 6.0 / 86400.0, zone.offset);
    const int tenth = static_cast<int>(std::lround(t.second / 6.0));
    return two(t.hour) + "時" + two(t.minute) + "." + std::to_string(std::min(tenth, 9)) + "分";
}

const char* eventJa(const std::string& event, astro::EclipseKind kind, astro::EclipseType local) {
    if (kind == astro::EclipseKind::Solar) {
        const bool annular = local == astro::EclipseType::Annular;
        if (event == "C1") return "食の始め";
        if (event == "C2") return annular ? "金環食の始め" : "皆既食の始め";
        if (event == "max") return "食の最大";
        if (event == "C3") return annular ? "金環食の終り" : "皆既食の終り";
        return "食の終り";
    }
    if (event == "P1") return "半影食の始め";
    if (event == "U1") return "部分食の始め";
    if (event == "U2") return "皆既食の始め";
    if (event == "max") return "食の最大";
    if (event == "U3") return "皆既食の終り";
    if (event == "U4") return "部分食の終り";
    return "半影食の終り";
}

std::string fixed(double v, int decimals, int width = 0) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, v);
    return buf;
}

JsonObject momentJson(const astro::EclipseMoment& m, const LocalZone& zone, bool solar) {
    JsonObject j;
    j.text("event", m.event);
    j.text("time", isoLocalTime(m.jdUt, zone.offset));
    j.number("altDeg", m.altDeg, 2);
    j.number("azDeg", m.azDeg, 2);
    if (m.hasAngles) {
        j.number("paNorthDeg", m.paNorthDeg, 1);
        j.number("paZenithDeg", m.paZenithDeg, 1);
    }
    if (m.event == "max" || m.event == "rise" || m.event == "set")
        j.number(solar ? "magnitude" : "umbralMagnitude", m.magnitude, 3);
    return j;
}

JsonObject localJson(const astro::LocalEclipse& e, bool full) {
    JsonObject local;
    local.boolean("seen", e.seen);
    const bool solar = e.global.kind == astro::EclipseKind::Solar;
    local.text("type", typeKey(solar ? e.type : e.global.type));
    if (solar) {
        local.number("magnitude", e.magnitude, 3);
        if (full) local.number("obscuration", e.obscuration, 3);
    } else {
        local.number("magnitude", e.umbralMagnitude, 3);
        if (full) {
            local.number("umbralMagnitude", e.umbralMagnitude, 3);
            local.number("penumbralMagnitude", e.penumbralMagnitude, 3);
        }
    }
    return local;
}

}  // namespace

double eclipseGreatestJdUt(const astro::LocalEclipse& e) {
    for (const astro::EclipseMoment& m : e.events)
        if (m.event == "max") return m.jdUt;
    return e.global.greatestJdUt;
}

std::vector<double> eclipseSeries(const astro::LocalEclipse& e, int everyMinutes, int count) {
    std::vector<double> out;
    if (e.events.empty() || everyMinutes <= 0) return out;
    double first = e.events.front().jdUt, last = e.events.back().jdUt;
    for (const astro::EclipseMoment& m : e.events) {
        if (m.event == "U1") first = m.jdUt;
        if (m.event == "U4") last = m.jdUt;
    }
    for (int k = 0; count > 0 ? k < count : first + k * everyMinutes / 1440.0 <= last + 1e-9; ++k) {
        out.push_back(first + k * everyMinutes / 1440.0);
        if (out.size() >= 9999) break;
    }
    return out;
}

view::EclipseScene eclipseScene(const astro::LocalEclipse& e, double jdUt, const std::string& placeName,
                                const LocalZone& zone) {
    view::EclipseScene s;
    s.view = astro::eclipseViewAt(catalog::ephemerisTables(), e.global, e.latDeg, e.lonDeg, jdUt);
    const bool solar = e.global.kind == astro::EclipseKind::Solar;
    const astro::LocalDateTime t = astro::localDateTime(jdUt, zone.offset);
    s.title = dateJa(t.date) + " " + two(t.hour) + "時" + two(t.minute) + "分" + (solar ? two(t.second) + "秒" : "") + "　" +
              (placeName.empty() ? "入力した場所" : placeName) + "　" + eclipseNameJa(e.global.kind, e.global.type);
    const double mag = std::max(0.0, s.view.magnitude);
    s.facts = "食分 " + fixed(mag, 3) + (solar ? "　面積比 " + fixed(s.view.obscuration, 3) : std::string()) + "　" +
              (solar ? "太陽" : "月") + "の高度 " + fixed(s.view.altDeg, 1) + "°　方位 " + fixed(s.view.azDeg, 1) + "°";
    return s;
}

std::string eclipseNameJa(astro::EclipseKind kind, astro::EclipseType type) {
    if (kind == astro::EclipseKind::Lunar)
        return type == astro::EclipseType::Total ? "皆既月食" : type == astro::EclipseType::Partial ? "部分月食" : "半影月食";
    switch (type) {
    case astro::EclipseType::Total: return "皆既日食";
    case astro::EclipseType::Annular: return "金環日食";
    case astro::EclipseType::Hybrid: return "金環皆既日食";
    default: return "部分日食";
    }
}

std::optional<astro::LocalDate> readEclipseDate(std::string_view text, bool yearEnd, std::string& why) {
    const auto digits = [&](std::size_t from, std::size_t count) -> std::optional<int> {
        if (from + count > text.size()) return std::nullopt;
        int v = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    if (text.size() == 4) {
        if (const std::optional<int> y = digits(0, 4)) return yearEnd ? astro::LocalDate{*y, 12, 31} : astro::LocalDate{*y, 1, 1};
    } else if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        const std::optional<int> y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
        if (y && m && d && *m >= 1 && *m <= 12 && *d >= 1 && *d <= astro::daysInMonth(*y, *m)) return astro::LocalDate{*y, *m, *d};
    }
    why = quotedArgument(text) + " is not a year YYYY or a date YYYY-MM-DD";
    return std::nullopt;
}

EclipsesAnswer answerEclipses(const SkyQuery& place, const astro::LocalDate& from, const astro::LocalDate& to,
                              const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now) {
    return answerEclipses(skyRequest(place, cat, now), from, to, zone);
}

EclipsesAnswer answerEclipses(const SkyRequest& place, const astro::LocalDate& from, const astro::LocalDate& to,
                              const LocalZone& zone) {
    EclipsesAnswer a;
    a.place = place;
    const double start = astro::localToJdUt(from, 0.0, zone.offset);
    const double end = astro::localToJdUt(to, 86400.0, zone.offset);
    if (!(end >= start)) {
        a.why = "the span ends before it begins";
        return a;
    }
    // A quarter of a second a century: a longer span would keep a page
    // (and a script waiting on it) for seconds.
    if (end - start > kMaxEclipseYears * 366.0) {
        a.why = "the span is longer than " + std::to_string(kMaxEclipseYears) + " years";
        return a;
    }
    a.eclipses = astro::eclipsesAt(catalog::ephemerisTables(), start, end, a.place.input.latDeg, a.place.input.lonDeg);
    return a;
}

EclipseAnswer answerEclipse(const SkyQuery& place, const astro::LocalDate& date, const catalog::Catalogue& cat,
                            const LocalZone& zone, Clock::time_point now) {
    return answerEclipse(skyRequest(place, cat, now), date, zone);
}

EclipseAnswer answerEclipse(const SkyRequest& place, const astro::LocalDate& date, const LocalZone& zone) {
    EclipseAnswer a;
    a.place = place;
    const double start = astro::localToJdUt(date, 0.0, zone.offset);
    const astro::EphemerisTables& tables = catalog::ephemerisTables();
    const std::vector<astro::GlobalEclipse> near = astro::eclipsesBetween(tables, start - 1.0, start + 2.0);
    // The one on the date itself, else the nearest within a day of it.
    const astro::GlobalEclipse* best = nullptr;
    double bestOff = 0.0;
    for (const astro::GlobalEclipse& g : near) {
        const double off = g.greatestJdUt < start ? start - g.greatestJdUt : std::max(0.0, g.greatestJdUt - (start + 1.0));
        if (!best || off < bestOff) best = &g, bestOff = off;
    }
    if (!best) {
        a.why = "no eclipse within a day of " + dateText(date);
        return a;
    }
    a.eclipse = astro::localEclipse(tables, *best, a.place.input.latDeg, a.place.input.lonDeg);
    return a;
}

std::string eclipsesJson(const EclipsesAnswer& a, const LocalZone& zone) {
    std::string out = "[";
    for (std::size_t i = 0; i < a.eclipses.size(); ++i) {
        const astro::LocalEclipse& e = a.eclipses[i];
        JsonObject j;
        j.text("date", dateText(astro::localDateTime(e.global.greatestJdUt, zone.offset).date));
        j.text("kind", kindKey(e.global.kind));
        j.text("type", typeKey(e.global.type));
        j.text("greatest", isoLocalTime(e.global.greatestJdUt, zone.offset));
        j.object("local", localJson(e, false));
        std::string one = j.done();
        one.pop_back();
        out += (i > 0 ? ",\n " : "") + one;
    }
    return out + "]\n";
}

std::string eclipsesText(const EclipsesAnswer& a, const LocalZone& zone) {
    std::string out;
    const std::string where = a.place.placeName.empty() ? "入力した場所" : a.place.placeName;
    for (const astro::LocalEclipse& e : a.eclipses) {
        const astro::LocalDateTime t = astro::localMinute(e.global.greatestJdUt, zone.offset);
        out += dateJa(t.date) + " " + two(t.hour) + ":" + two(t.minute) + "　" + eclipseNameJa(e.global.kind, e.global.type) + "　" + where + "：";
        if (!e.seen) {
            out += "見られない\n";
            continue;
        }
        if (e.global.kind == astro::EclipseKind::Solar)
            out += eclipseNameJa(e.global.kind, e.type) + "（食分 " + fixed(e.magnitude, 3) + "）";
        else
            out += e.global.type == astro::EclipseType::Penumbral ? "見られる" : "見られる（食分 " + fixed(e.umbralMagnitude, 3) + "）";
        if (e.rise) out += e.global.kind == astro::EclipseKind::Solar ? "　日出帯食" : "　月出帯食";
        if (e.set) out += e.global.kind == astro::EclipseKind::Solar ? "　日入帯食" : "　月入帯食";
        out += "\n";
    }
    if (a.eclipses.empty()) out = "この期間に日食・月食はありません。\n";
    return out;
}

std::string eclipseJson(const astro::LocalEclipse& e, const LocalZone& zone) {
    const bool solar = e.global.kind == astro::EclipseKind::Solar;
    JsonObject j;
    j.text("kind", kindKey(e.global.kind));
    j.text("type", typeKey(e.global.type));
    j.text("greatest", isoLocalTime(e.global.greatestJdUt, zone.offset));
    j.object("local", localJson(e, true));
    std::vector<JsonObject> events;
    for (const astro::EclipseMoment& m : e.events) events.push_back(momentJson(m, zone, solar));
    j.array("events", events);
    if (e.rise) j.object("rise", momentJson(*e.rise, zone, solar));
    if (e.set) j.object("set", momentJson(*e.set, zone, solar));
    return j.done();
}

std::string eclipseText(const astro::LocalEclipse& e, const std::string& placeName, const LocalZone& zone) {
    const bool solar = e.global.kind == astro::EclipseKind::Solar;
    const astro::LocalDateTime greatest = astro::localDateTime(e.global.greatestJdUt, zone.offset);
    std::string out = dateJa(greatest.date) + "　" + eclipseNameJa(e.global.kind, e.global.type) + "　" +
                      (placeName.empty() ? "入力した場所" : placeName) + "\n";
    if (solar && e.events.empty()) return out + "この場所では食になりません。\n";
    if (solar) {
        out += "この場所では" + eclipseNameJa(e.global.kind, e.type) + "、食分 " + fixed(e.magnitude, 3) + "、面積比 " +
               fixed(e.obscuration, 3) + (e.seen ? "" : "（太陽が地平線の下にあり見られません）") + "\n";
        out += "現象            時刻             高度     方位   位置角   方向角\n";
    } else {
        out += "食分 " + fixed(e.umbralMagnitude, 3) + "（半影 " + fixed(e.penumbralMagnitude, 3) + "）" +
               (e.seen ? "" : "　この場所では月が地平線の下にあり見られません") + "\n";
        out += "現象            時刻           高度     方位\n";
    }
    for (const astro::EclipseMoment& m : e.events) {
        std::string name = eventJa(m.event, e.global.kind, solar ? e.type : e.global.type);
        // Names are padded to one width on a fixed-width screen: each of
        // them is 4..6 full-width characters.
        const std::size_t chars = name.size() / 3;
        for (std::size_t k = chars; k < 7; ++k) name += "　";
        // Numbers right-aligned in their columns on a fixed-width screen.
        out += name + timeJa(m.jdUt, !solar, zone) + " " + fixed(m.altDeg, 1, 6) + "° " + fixed(m.azDeg, 1, 6) + "°";
        if (m.hasAngles) out += "   " + fixed(m.paNorthDeg, 0, 4) + "°   " + fixed(m.paZenithDeg, 0, 4) + "°";
        out += "\n";
    }
    const char* riseName = solar ? "日出帯食" : "月出帯食";
    const char* setName = solar ? "日入帯食" : "月入帯食";
    if (e.rise) out += std::string(riseName) + "：" + timeJa(e.rise->jdUt, !solar, zone) + "に食分 " + fixed(e.rise->magnitude, 3) + "で昇ります\n";
    if (e.set) out += std::string(setName) + "：" + timeJa(e.set->jdUt, !solar, zone) + "に食分 " + fixed(e.set->magnitude, 3) + "で沈みます\n";
    return out;
}

}  // namespace app
