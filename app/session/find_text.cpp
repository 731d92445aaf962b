#include "app/session/find_text.h"

#include <cmath>

#include "astro/almanac.h"
#include "view/object_info.h"

namespace app {

namespace {

// 「21時05分」, or 「1月16日 21時05分」 on another day than `nowJdUt`'s.
std::string clockJa(double jdUt, double nowJdUt, const astro::UtcOffsetFn& zone) {
    const astro::LocalDateTime t = astro::localMinute(jdUt, zone);
    const astro::LocalDate today = astro::localMinute(nowJdUt, zone).date;
    std::string s = std::to_string(t.hour) + "時" + (t.minute < 10 ? "0" : "") + std::to_string(t.minute) + "分";
    if (!(t.date == today)) s = std::to_string(t.date.month) + "月" + std::to_string(t.date.day) + "日 " + s;
    return s;
}

std::string whereJa(double altDeg, double azDeg) {
    return std::string(view::skyQuarterJa(azDeg)) + "の空、高度 " + view::fixedText(altDeg, 1, true) + "° 方位 " +
           view::fixedText(azDeg, 1) + "°";
}


std::string figureSentence(const FindResult& r, const std::string& name, const astro::UtcOffsetFn& zone) {
    const view::FigureSky& f = *r.figure;
    const double now = r.jdUt;
    if (f.neverRises) return name + "はこの場所では地平線の上に昇りません。";
    std::string s;
    if (f.starsUp == f.stars) {
        s = name + "は全体が地平線の上にあり、" + whereJa(f.middle.altDeg, f.middle.azDeg) + " のあたりです。";
    } else if (f.starsUp > 0) {
        s = name + "は一部が地平線の上にあります（" + std::to_string(f.stars) + "個の星のうち" +
            std::to_string(f.starsUp) + "個、いちばん明るいのは" + r.found.info.name + "で" +
            whereJa(r.found.info.altDeg, r.found.info.azDeg) + "）。";
        if (f.allUpJdUt) s += "全体が昇るのは" + clockJa(*f.allUpJdUt, now, zone) + "です。";
    } else {
        s = name + "は今は地平線の下です。";
        if (f.firstRise) s += "まず" + r.found.info.name + "が" + riseSentence({f.firstRise->jdUt, f.firstRise->azDeg, 0.0}, now, zone) + "。";
    }
    if (f.best) {
        if (f.best->jdUt - now < 20.0 / 1440.0) {
            s += "今が見ごろです。";
        } else {
            s += "いちばん高く見やすいのは" + clockJa(f.best->jdUt, now, zone) + "ごろ（" +
                 view::skyQuarterJa(f.best->azDeg) + "の空の高さ" + view::fixedText(f.best->altDeg, 0) + "°）です。";
        }
    } else if (f.seasonMonth > 0) {
        s += "暗い夜空に見やすいのは" + std::to_string(f.seasonMonth) + "月ごろの夜8時ごろです。";
    }
    return s;
}

// Up by day: the picture leaves it out, and so does the sky.
std::string dayNote(const view::FoundObject& found) {
    return found.aboveHorizon && !found.drawn ? "今は昼間なので見えません。" : "";
}

}  // namespace

std::string riseSentence(const astro::SkyEvent& rise, double nowJdUt, const astro::UtcOffsetFn& zone) {
    return clockJa(rise.jdUt, nowJdUt, zone) + "に" + view::compassPointJa(rise.azDeg) + "から昇ります";
}

std::string findSentence(const FindResult& r, const LocalZone& zone) {
    const view::FoundObject& found = r.found;
    if (found.status == view::FoundObject::Status::Unknown) return {};
    if (found.status == view::FoundObject::Status::NoStarInTable)
        return found.constellationName + "の星は星の表にないため探せません。";
    const std::string figureName = !found.constellationName.empty() ? found.constellationName : found.asterismName;
    if (r.figure && !figureName.empty()) return figureSentence(r, figureName, zone.offset) + dayNote(found);
    const view::ObjectInfo& o = found.info;
    if (found.aboveHorizon) return o.name + "は" + whereJa(o.altDeg, o.azDeg) + " にあります。" + dayNote(found);
    if (r.nextRise) return o.name + "は今は地平線の下です。" + riseSentence(*r.nextRise, r.jdUt, zone.offset) + "。";
    return o.name + "は地平線の下にあり、この場所ではしばらく昇りません。";
}

}  // namespace app
