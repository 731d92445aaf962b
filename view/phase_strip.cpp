#include "view/phase_strip.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/delta_t.h"
#include "astro/number_text.h"
#include "astro/precise_sky.h"
#include "catalog/name_search.h"
#include "view/moon.h"
#include "view/page_units.h"
#include "view/sun_path.h"

namespace view {

namespace {

constexpr double kCharMm = 3.2;
constexpr double kTwilightDeg = -6.0;
constexpr int kColumns = 7;
constexpr double kCellMm = 38.0;


astro::SkyState preciseSkyAt(const astro::EphemerisTables& tables, double jdUt, double latDeg, double lonDeg) {
    astro::SkyState s;
    s.jdUt = jdUt;
    s.obsLatDeg = latDeg;
    s.obsLonDeg = lonDeg;
    astro::applyPreciseEphemeris(tables, s);
    return s;
}

// The Sun's and the body's places at local noon and the sidereal time: all
// the twilight needs, without the other bodies of a whole sky.
struct NoonPlaces {
    double sunRaHours = 0.0, sunDecDeg = 0.0, bodyRaHours = 0.0, siderealHours = 0.0;
};
NoonPlaces noonPlaces(const astro::EphemerisTables& tables, double noonJdUt, astro::Body body) {
    const double jdTt = astro::jdTtFromUt(noonJdUt);
    const astro::EarthFrame frame = astro::earthFrame(tables, jdTt);
    const astro::SkyBody sky = body == astro::Moon ? astro::SkyBody::Moon
                               : body == astro::Mercury ? astro::SkyBody::Mercury
                                                        : astro::SkyBody::Venus;
    const astro::ApparentPlace sun = astro::apparentPlace(tables, astro::SkyBody::Sun, frame);
    return {sun.raHours, sun.decDeg, astro::apparentPlace(tables, sky, frame).raHours,
            astro::greenwichApparentSiderealHours(noonJdUt, jdTt, frame.nutation)};
}

// The end of civil twilight on the body's side of the day: from the Sun's
// hour angle at local noon, the hour angle of the Sun 6 degrees down.
double twilightMoment(const NoonPlaces& noon, double noonJdUt, bool evening, double latDeg, double lonDeg) {
    const double h = astro::wrap180Deg((noon.siderealHours - noon.sunRaHours) * 15.0 + lonDeg);
    const double phi = latDeg * astro::kDegToRad, dec = noon.sunDecDeg * astro::kDegToRad;
    const double c = (std::sin(kTwilightDeg * astro::kDegToRad) - std::sin(phi) * std::sin(dec)) / (std::cos(phi) * std::cos(dec));
    // Where the Sun never gets so low (or never so high), an hour and a half
    // from noon's opposite.
    const double h0 = std::isfinite(c) && std::fabs(c) <= 1.0 ? std::acos(c) * astro::kRadToDeg : 157.5;
    return noonJdUt + ((evening ? h0 : -h0) - h) / 360.9856;
}

std::string discDate(const astro::LocalDate& d) { return std::to_string(d.month) + "月" + std::to_string(d.day) + "日"; }

}  // namespace

PhaseStrip phaseStrip(const astro::EphemerisTables& tables, astro::Body body, const astro::LocalDate& first,
                      int everyDays, int count, double latDeg, double lonDeg, const astro::UtcOffsetFn& zone) {
    PhaseStrip strip;
    strip.body = body == astro::Moon || body == astro::Mercury ? body : astro::Venus;
    strip.latDeg = std::isfinite(latDeg) ? std::clamp(latDeg, -89.0, 89.0) : 0.0;
    strip.lonDeg = std::isfinite(lonDeg) ? lonDeg : 0.0;
    strip.everyDays = std::clamp(everyDays, 1, 400);
    count = std::clamp(count, 1, 40);
    const double firstNoon = astro::localToJdUt(first, 12.0 * 3600.0, zone);
    for (int i = 0; i < count; ++i) {
        const double noon = firstNoon + i * strip.everyDays;
        const NoonPlaces atNoon = noonPlaces(tables, noon, strip.body);
        PhaseDisc d;
        d.evening = astro::wrap180Deg((atNoon.bodyRaHours - atNoon.sunRaHours) * 15.0) > 0.0;
        d.jdUt = twilightMoment(atNoon, noon, d.evening, strip.latDeg, strip.lonDeg);
        const astro::SkyState s = preciseSkyAt(tables, d.jdUt, strip.latDeg, strip.lonDeg);
        d.date = astro::localDateTime(d.jdUt, zone).date;
        d.illum = s.bodyIllum[strip.body];
        d.phaseAngleDeg = s.bodyPhaseAngleDeg[strip.body];
        d.diameterArcsec = s.bodyDiameterArcsec[strip.body];
        d.elongationDeg = s.bodyElongationDeg[strip.body];
        d.mag = strip.body == astro::Moon ? NAN : s.bodyMag[strip.body];
        d.limbAngleDeg = astro::brightLimbFromVerticalDeg(s, strip.body);
        d.altDeg = s.bodyAltDeg[strip.body];
        strip.discs.push_back(d);
    }
    if (strip.body != astro::Moon) {
        std::vector<double> moments;
        for (const PhaseDisc& d : strip.discs) moments.push_back(d.jdUt);
        strip.marks = orbitMarks(tables, strip.body == astro::Mercury ? astro::Planet::Mercury : astro::Planet::Venus, moments);
    }
    return strip;
}

double phaseStripTwipsPerArcsec(const PhaseStrip& strip) {
    double largest = 1.0;
    for (const PhaseDisc& d : strip.discs)
        if (std::isfinite(d.diameterArcsec)) largest = std::max(largest, d.diameterArcsec);
    return twipsFromMm(kCellMm * 0.7) / largest;
}

void drawPhaseStrip(const PhaseStrip& strip, Painter& painter) {
    painter.clear();
    const std::string name = catalog::kBodyNames[strip.body];
    painter.setTextScale(1.5f);
    painter.setTextPosition(twipsFromMm(12.0), twipsFromMm(10.0));
    painter.text(name + "の満ち欠け　" + std::to_string(strip.everyDays) + "日ごと");
    painter.setTextScale(1.0f);
    painter.setTextPosition(twipsFromMm(12.0), twipsFromMm(18.0));
    painter.text((strip.placeName.empty() ? std::string() : strip.placeName + "　") +
                 "望遠鏡で見た形と大きさ（同じ倍率）、空で見える傾き（上が天頂）。日の入り後・日の出前の薄明の終わりのころ。");
    const double k = phaseStripTwipsPerArcsec(strip);
    const MoonLook look{{70, 70, 80}, {120, 120, 130}, {250, 240, 200}, {160, 150, 90}};
    for (std::size_t i = 0; i < strip.discs.size(); ++i) {
        const PhaseDisc& d = strip.discs[i];
        const int col = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
        const double cx = 12.0 + (col + 0.5) * kCellMm, cy = 30.0 + row * 58.0 + 0.5 * kCellMm;
        const float radius = static_cast<float>(std::max(0.5 * d.diameterArcsec * k, static_cast<double>(twipsFromMm(0.4))));
        drawMoonShape(twipsFromMm(cx), twipsFromMm(cy), radius, d.illum, d.limbAngleDeg, look, painter);
        const char* side = strip.body == astro::Moon ? (d.evening ? "夕方" : "明け方") : d.evening ? "宵の明星" : "明けの明星";
        const std::vector<std::string> lines = {
            std::to_string(i + 1) + "　" + discDate(d.date) + "　" + side,
            "離角 " + astro::fixedText(d.elongationDeg, 0) + "°" +
                (std::isfinite(d.mag) ? "　" + astro::fixedText(d.mag, 1) + "等" : std::string()),
            "輝面比 " + astro::fixedText(d.illum, 2) + "　視直径 " + astro::fixedText(d.diameterArcsec, 0) + "″"};
        double y = cy + 0.5 * kCellMm - 1.0;
        painter.setTextScale(0.85f);
        for (const std::string& line : lines) {
            painter.setTextPosition(twipsFromMm(cx - 0.5 * kCellMm + 1.0), twipsFromMm(y));
            painter.text(line);
            y += 0.85 * kCharMm * 1.3;
        }
        painter.setTextScale(1.0f);
    }
    // The same moments from above, in the third row's room.
    if (!strip.marks.earthAu.empty() && strip.discs.size() <= 2 * kColumns) {
        drawOrbitMarks(strip.marks, twipsFromMm(45.0), twipsFromMm(176.0), twipsFromMm(28.0), painter);
        const std::string name = catalog::kBodyNames[strip.body];
        painter.setTextScale(0.85f);
        painter.setTextPosition(twipsFromMm(80.0), twipsFromMm(160.0));
        painter.text("宇宙から見た図（太陽系を北側から見る）：" + name + "（黄）と地球（青）の位置。番号は上の円盤の番号。");
        painter.setTextPosition(twipsFromMm(80.0), twipsFromMm(166.0));
        painter.text("点線は地球から" + name + "を見る向き。" + name + "が地球に近づくほど大きく、細く見えます。");
        painter.setTextScale(1.0f);
    }
}

}  // namespace view
