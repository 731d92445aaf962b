#include "app/session/almanac_text.h"


#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/session/json_writer.h"
#include "astro/calendar.h"
#include "catalog/name_search.h"

namespace app {

namespace {

constexpr const char* kBodyKeys[astro::kAllBodyCount] = {"sun",    "moon",    "venus",  "mars",   "jupiter",
                                                          "saturn", "mercury", "uranus", "neptune"};

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }


std::string timeOrNull(const std::optional<double>& jd, const astro::UtcOffsetFn& zone) {
    return jd ? "\"" + isoLocalTime(*jd, zone) + "\"" : "null";
}

std::optional<double> timeOf(const std::optional<astro::SkyEvent>& e) {
    return e ? std::optional<double>(e->jdUt) : std::nullopt;
}

const char* upText(astro::UpState s) {
    switch (s) {
    case astro::UpState::Always: return "always";
    case astro::UpState::Never: return "never";
    case astro::UpState::Sometimes: break;
    }
    return "sometimes";
}

}  // namespace

const char* almanacBodyKey(astro::Body body) {
    return body >= 0 && body < astro::kAllBodyCount ? kBodyKeys[body] : "";
}

std::string dateText(const astro::LocalDate& d) {
    std::string y = std::to_string(std::abs(d.year));
    while (y.size() < 4) y = "0" + y;
    return (d.year < 0 ? "-" : "") + y + "-" + two(d.month) + "-" + two(d.day);
}

std::string isoLocalTime(double jdUt, const astro::UtcOffsetFn& zone) {
    const astro::LocalDateTime t = astro::localDateTime(jdUt, zone);
    const int off = std::abs(t.utcOffsetSeconds);
    std::string s = dateText(t.date) + "T" + two(t.hour) + ":" + two(t.minute) + ":" + two(t.second);
    s += t.utcOffsetSeconds < 0 ? "-" : "+";
    s += two(off / 3600) + ":" + two(off / 60 % 60);
    // An offset with seconds (local mean time, Moscow's +02:30:17 of 1905)
    // keeps them: cut to minutes, the string would name another instant.
    if (off % 60 != 0) s += ":" + two(off % 60);
    return s;
}

std::string hourMinute(const std::optional<double>& jdUt, const astro::AlmanacDay& day,
                       const astro::UtcOffsetFn& zone) {
    if (!jdUt) return "--:--";
    const astro::LocalDateTime t = astro::localMinute(*jdUt, zone);
    int minutes = t.hour * 60 + t.minute;
    // A day's row keeps its events: one of 23:59:40 stays 23:59.
    if (!(t.date == day.date)) minutes = 23 * 60 + 59;
    return two(minutes / 60) + ":" + two(minutes % 60);
}

const char* phaseNameJa(astro::PhaseKind kind) {
    switch (kind) {
    case astro::PhaseKind::New: return "新月";
    case astro::PhaseKind::FirstQuarter: return "上弦";
    case astro::PhaseKind::Full: return "満月";
    case astro::PhaseKind::LastQuarter: return "下弦";
    }
    return "";
}

const char* phaseNameJson(astro::PhaseKind kind) {
    switch (kind) {
    case astro::PhaseKind::New: return "new";
    case astro::PhaseKind::FirstQuarter: return "firstQuarter";
    case astro::PhaseKind::Full: return "full";
    case astro::PhaseKind::LastQuarter: return "lastQuarter";
    }
    return "";
}

std::string almanacJson(const astro::AlmanacDay& day, const LocalZone& zone) {
    const astro::UtcOffsetFn& z = zone.offset;
    const auto minuteOrNull = [&](const std::optional<astro::SkyEvent>& e) {
        return e ? "\"" + hourMinute(e->jdUt, day, z) + "\"" : std::string("null");
    };
    std::string j = "{\n";
    j += "    \"date\": \"" + dateText(day.date) + "\",\n";
    j += "    \"timeZone\": " + jsonString(zone.name) + ",\n";
    for (const astro::Body b : kAlmanacOrder) {
        const astro::BodyDay& bd = day.bodies[static_cast<std::size_t>(b)];
        j += "    \"" + std::string(kBodyKeys[b]) + "\": {\"rise\": " + timeOrNull(timeOf(bd.rise), z) +
             ", \"transit\": " + timeOrNull(timeOf(bd.transit), z) + ", \"set\": " + timeOrNull(timeOf(bd.set), z) +
             ", \"up\": \"" + upText(bd.up) + "\"" +
             ", \"riseAzimuth\": " + (bd.rise ? jsonFixed(bd.rise->azDeg, 2) : "null") +
             ", \"transitAltitude\": " + (bd.transit ? jsonFixed(bd.transit->altDeg, 2) : "null") +
             ", \"setAzimuth\": " + (bd.set ? jsonFixed(bd.set->azDeg, 2) : "null") +
             // The times as a table shows them, to the minute by the one rule.
             ", \"clock\": {\"rise\": " + minuteOrNull(bd.rise) + ", \"transit\": " + minuteOrNull(bd.transit) +
             ", \"set\": " + minuteOrNull(bd.set) + "}},\n";
    }
    const auto twilight = [&](const astro::Twilight& t) {
        return "{\"begin\": " + timeOrNull(t.beginJdUt, z) + ", \"end\": " + timeOrNull(t.endJdUt, z) + "}";
    };
    j += "    \"twilight\": {\"civil\": " + twilight(day.civil) + ", \"nautical\": " + twilight(day.nautical) +
         ", \"astronomical\": " + twilight(day.astronomical) + "},\n";
    j += "    \"moonAge\": " + jsonFixed(day.moonAgeDays, 2) + ",\n";
    j += "    \"moonPhases\": [";
    for (std::size_t i = 0; i < day.nextPhases.size(); ++i) {
        const astro::PhaseEvent& p = day.nextPhases[i];
        j += std::string(i ? ", " : "") + "{\"phase\": \"" + phaseNameJson(p.kind) + "\", \"time\": \"" +
             isoLocalTime(p.jdUt, z) + "\"}";
    }
    j += "]\n  }";
    return j;
}

std::string almanacCsv(const std::vector<astro::AlmanacDay>& days, const LocalZone& zone) {
    std::string csv = "日付,日の出,日の入り,月の出,月の入り,月齢,月相";
    for (const astro::Body b : kAlmanacOrder) {
        if (b == astro::Sun || b == astro::Moon) continue;
        csv += std::string(",") + catalog::kBodyNames[b] + "の出," + catalog::kBodyNames[b] + "の入り";
    }
    csv += "\n";
    const auto cell = [&](const std::optional<astro::SkyEvent>& e, const astro::AlmanacDay& d) {
        return e ? hourMinute(e->jdUt, d, zone.offset) : std::string();
    };
    for (const astro::AlmanacDay& d : days) {
        std::string phases;
        for (const astro::PhaseEvent& p : d.nextPhases) {
            if (p.jdUt >= d.startJdUt && p.jdUt < d.endJdUt) phases += std::string(phases.empty() ? "" : " ") + phaseNameJa(p.kind);
        }
        csv += dateText(d.date) + "," + cell(d.bodies[astro::Sun].rise, d) + "," + cell(d.bodies[astro::Sun].set, d) +
               "," + cell(d.bodies[astro::Moon].rise, d) + "," + cell(d.bodies[astro::Moon].set, d) + "," +
               jsonFixed(d.moonAgeDays, 1) + "," + phases;
        for (const astro::Body b : kAlmanacOrder) {
            if (b == astro::Sun || b == astro::Moon) continue;
            csv += "," + cell(d.bodies[b].rise, d) + "," + cell(d.bodies[b].set, d);
        }
        csv += "\n";
    }
    return csv;
}

astro::LocalDate localDateOfRequest(const astro::SkyInput& in, const LocalZone& zone) {
    const astro::UtMoment ut = astro::jstToUt(in.year, in.month, in.day, in.hour, in.minute);
    return astro::localDateTime(ut.jd, zone.offset).date;
}

}  // namespace app
