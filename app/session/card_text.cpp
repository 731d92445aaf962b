#include "app/session/card_text.h"

#include <cmath>
#include <cstdio>

#include "astro/almanac.h"
#include "astro/precise_sky.h"
#include "catalog/ephemeris.h"
#include "view/direction.h"
#include "view/finder.h"

namespace app {

namespace {

std::string number(double v, int decimals, bool minusSign = true) { return view::fixedText(v, decimals, minusSign); }

// "6h 45.1m": right ascension in hours and decimal minutes.
std::string raText(double hours) {
    double h = std::fmod(hours, 24.0);
    if (h < 0) h += 24.0;
    int wholeHours = static_cast<int>(h);
    double minutes = std::round((h - wholeHours) * 600.0) / 10.0;
    if (minutes >= 60.0) {
        minutes = 0.0;
        wholeHours = (wholeHours + 1) % 24;
    }
    return std::to_string(wholeHours) + "h " + number(minutes, 1) + "m";
}

// "−16° 43′": declination in degrees and whole minutes.
std::string decText(double deg) {
    const long totalMinutes = std::lround(std::fabs(deg) * 60.0);
    char minutes[8];
    std::snprintf(minutes, sizeof minutes, "%02ld", totalMinutes % 60);
    return std::string(deg < 0 && totalMinutes > 0 ? "−" : "+") + std::to_string(totalMinutes / 60) + "° " + minutes + "′";
}

// "5:07" in the zone, rounded to the minute; "--:--" for none.
std::string clockText(const std::optional<astro::SkyEvent>& e, const astro::UtcOffsetFn& zone) {
    if (!e) return "--:--";
    const astro::LocalDateTime t = astro::localMinute(e->jdUt, zone);
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", t.hour, t.minute);
    return text;
}

}  // namespace

CardFacts cardFacts(const view::ObjectInfo& info, const astro::SkyState& sky, const astro::UtcOffsetFn& zone) {
    CardFacts facts;
    facts.info = info;
    const bool body = info.kind == view::DrawnKind::Sun || info.kind == view::DrawnKind::Moon ||
                      info.kind == view::DrawnKind::Planet;
    if (body && info.id >= 0 && info.id < astro::kAllBodyCount) {
        astro::SkyState precise = sky;
        if (!precise.precise) astro::applyPreciseEphemeris(catalog::ephemerisTables(), precise);
        const auto b = static_cast<std::size_t>(info.id);
        if (precise.precise) {
            view::ObjectInfo& o = facts.info;
            o.raHours = precise.bodyRaHours[b];
            o.decDeg = precise.bodyDecDeg[b];
            o.altDeg = precise.bodyAltDeg[b];
            o.azDeg = precise.bodyAzDeg[b];
            if (info.kind == view::DrawnKind::Planet && std::isfinite(precise.bodyMag[b])) o.mag = precise.bodyMag[b];
            if (info.kind == view::DrawnKind::Moon) o.moonIllum = precise.moonIllum;
            if (info.kind == view::DrawnKind::Planet) {
                facts.diameterArcsec = precise.bodyDiameterArcsec[b];
                facts.elongationDeg = precise.bodyElongationDeg[b];
                facts.illum = precise.bodyIllum[b];
            }
        }
    }
    facts.day = view::dayEventsOf(facts.info, sky, zone);
    if (info.kind == view::DrawnKind::Moon) facts.moonAgeDays = view::moonAgeDays(sky);
    return facts;
}

std::vector<std::string> cardLines(const CardFacts& facts, const astro::UtcOffsetFn& zone) {
    const view::ObjectInfo& o = facts.info;
    std::vector<std::string> lines{o.name};
    if (o.kind == view::DrawnKind::Meteor) {
        if (!o.shower.empty()) lines.push_back(o.shower);
        return lines;
    }
    if (o.kind == view::DrawnKind::Star) {
        std::string designation = o.designationJa.empty() ? o.designation : o.designationJa;
        if (o.hr > 0) designation += " (HR " + std::to_string(o.hr) + ")";
        lines.push_back(designation);
        std::string brightness = number(o.mag, 2) + "等";
        if (o.hasBv) brightness += "　" + o.colourWord + "（B−V " + number(o.bv, 2) + "）";
        lines.push_back(brightness);
    } else {
        // A cluster or nebula: its number and kind; it and the bodies: the
        // constellation they stand in and, but for the Sun and Moon, magnitude.
        if (o.kind == view::DrawnKind::DeepSky) lines.push_back(o.designation + "　" + o.typeJa);
        std::string where = o.constellation;
        if (o.hasMag) where += (where.empty() ? "" : "　") + number(o.mag, 1) + "等";
        if (!where.empty()) lines.push_back(where);
    }
    if (o.kind == view::DrawnKind::Moon) {
        std::string moon = "輝面比 " + number(o.moonIllum * 100.0, 0, false) + "%";
        if (facts.moonAgeDays) moon += "　月齢 " + number(*facts.moonAgeDays, 1, false) + "（この時刻）";
        lines.push_back(moon);
    }
    if (facts.diameterArcsec && facts.elongationDeg) {
        std::string shape = "視直径 " + number(*facts.diameterArcsec, 1, false) + "″　太陽から " +
                            number(*facts.elongationDeg, 1, false) + "°";
        // The inner planets' phases are what a small telescope shows.
        if (facts.illum && (o.id == astro::Venus || o.id == astro::Mercury))
            shape += "　輝面比 " + number(*facts.illum * 100.0, 0, false) + "%";
        lines.push_back(shape);
    }
    lines.push_back("赤経 " + raText(o.raHours) + "　赤緯 " + decText(o.decDeg));
    lines.push_back("高度 " + number(o.altDeg, 1) + "°　方位 " + number(o.azDeg, 1, false) + "°（" +
                    view::compassPointJa(o.azDeg) + "）");
    lines.push_back("今日　出 " + clockText(facts.day.rise, zone) + "　南中 " + clockText(facts.day.transit, zone) +
                    "　入り " + clockText(facts.day.set, zone));
    return lines;
}

}  // namespace app
