#include "view/moon_card.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/number_text.h"
#include "astro/precise_sky.h"
#include "view/moon.h"
#include "view/page_units.h"
#include "view/object_info.h"

namespace view {

namespace {

constexpr double kPanelLeftMm = 28.0;
constexpr double kPanelTopMm = 38.0;
constexpr double kMmPerDeg = 1.4;
constexpr double kHalfWidthDeg = 60.0;
constexpr double kTopAltDeg = 80.0;
constexpr double kMoonRadiusMm = 6.5;
constexpr Rgb kGrid{190, 190, 190};
constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kGround{225, 225, 215};
const char* const kCircled[] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧"};

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

void textAt(Painter& p, double xMm, double yMm, std::string_view s) {
    p.setTextPosition(twipsFromMm(xMm), twipsFromMm(yMm));
    p.text(s);
}

double panelRightMm() { return kPanelLeftMm + 2.0 * kHalfWidthDeg * kMmPerDeg; }
double horizonMm() { return kPanelTopMm + kTopAltDeg * kMmPerDeg; }

std::string whenText(const MoonCard& card, double jdUt) {
    const astro::UtcOffsetFn zone = card.zone ? card.zone : astro::fixedUtcOffset(9 * 3600);
    const astro::LocalDateTime t = astro::localMinute(jdUt, zone);
    const std::string time = std::to_string(t.hour) + ":" + two(t.minute);
    return card.sameTime ? std::to_string(t.date.month) + "月" + std::to_string(t.date.day) + "日 " + time : time;
}

// "こぶし3つ半": the altitude in fists, to half a fist.
std::string fists(double altDeg) {
    const int halves = static_cast<int>(std::lround(std::max(0.0, altDeg) / 5.0));
    if (halves == 0) return "地平線近く";
    return "こぶし" + (halves >= 2 ? std::to_string(halves / 2) + "つ" : std::string()) + (halves % 2 ? "半" : "");
}

}  // namespace

MoonCard moonCard(const astro::EphemerisTables& tables, double faceAzDeg, const std::vector<double>& momentsJdUt,
                  double latDeg, double lonDeg, const astro::UtcOffsetFn& zone) {
    MoonCard card;
    card.faceAzDeg = std::isfinite(faceAzDeg) ? faceAzDeg - 360.0 * std::floor(faceAzDeg / 360.0) : 180.0;
    card.latDeg = std::isfinite(latDeg) ? std::clamp(latDeg, -90.0, 90.0) : 0.0;
    card.lonDeg = std::isfinite(lonDeg) ? lonDeg : 0.0;
    card.zone = zone;
    const std::vector<astro::PhaseEvent> phases =
        momentsJdUt.empty() ? std::vector<astro::PhaseEvent>{}
                            : astro::principalPhases(tables, momentsJdUt.front() - 31.0, momentsJdUt.back() + 1.0);
    for (std::size_t i = 0; i < momentsJdUt.size() && i < 8; ++i) {
        astro::SkyState s;
        s.jdUt = momentsJdUt[i];
        s.obsLatDeg = card.latDeg;
        s.obsLonDeg = card.lonDeg;
        astro::applyPreciseEphemeris(tables, s);
        MoonCardEntry e;
        e.jdUt = s.jdUt;
        e.altDeg = s.bodyAltDeg[astro::Moon];
        e.azDeg = s.bodyAzDeg[astro::Moon];
        e.illum = s.bodyIllum[astro::Moon];
        e.limbAngleDeg = s.moonLimbAngleDeg;
        for (const astro::PhaseEvent& p : phases)
            if (p.kind == astro::PhaseKind::New && p.jdUt <= s.jdUt) e.ageDays = s.jdUt - p.jdUt;
        card.entries.push_back(e);
    }
    if (card.entries.size() > 1) {
        const double spanDays = card.entries.back().jdUt - card.entries.front().jdUt;
        card.sameTime = spanDays > 0.9;
    }
    return card;
}

CardPoint moonCardPoint(const MoonCard& card, double altDeg, double azDeg) {
    const double dAz = astro::wrap180Deg(azDeg - card.faceAzDeg);
    CardPoint p;
    p.x = twipsFromMm(kPanelLeftMm + (dAz + kHalfWidthDeg) * kMmPerDeg);
    p.y = twipsFromMm(horizonMm() - altDeg * kMmPerDeg);
    p.inside = std::fabs(dAz) <= kHalfWidthDeg && altDeg >= 0.0 && altDeg <= kTopAltDeg;
    return p;
}

void drawMoonCard(const MoonCard& card, Painter& painter) {
    painter.clear();
    painter.setTextScale(1.6f);
    textAt(painter, 14.0, 10.0, "月の観察カード");
    painter.setTextScale(1.0f);
    const std::string faced = skyQuarterJa(card.faceAzDeg);
    textAt(painter, 14.0, 20.0, (card.placeName.empty() ? std::string() : "場所 " + card.placeName + "　") + faced +
                                   "の空を向いて　　名前");
    // The sky panel: a grid every 10 degrees, the ground below the horizon.
    const double left = kPanelLeftMm, right = panelRightMm(), top = kPanelTopMm, horizon = horizonMm();
    painter.setLineStyle(LineStyle::Dotted);
    for (int alt = 10; alt <= 80; alt += 10)
        painter.line(twipsFromMm(left), twipsFromMm(horizon - alt * kMmPerDeg), twipsFromMm(right), twipsFromMm(horizon - alt * kMmPerDeg), kGrid);
    for (int d = -60; d <= 60; d += 15)
        painter.line(twipsFromMm(left + (d + 60) * kMmPerDeg), twipsFromMm(top), twipsFromMm(left + (d + 60) * kMmPerDeg), twipsFromMm(horizon), kGrid);
    painter.setLineStyle(LineStyle::Solid);
    const std::vector<Vertex> frame = {{twipsFromMm(left), twipsFromMm(top)}, {twipsFromMm(right), twipsFromMm(top)}, {twipsFromMm(right), twipsFromMm(horizon)}, {twipsFromMm(left), twipsFromMm(horizon)}};
    painter.polyline(frame, kInk);
    painter.line(twipsFromMm(left), twipsFromMm(top), twipsFromMm(left), twipsFromMm(horizon), kInk);
    painter.setFillColour(kGround);
    painter.setFillStyleSolid();
    const std::vector<Vertex> ground = {{twipsFromMm(left), twipsFromMm(horizon)}, {twipsFromMm(right), twipsFromMm(horizon)}, {twipsFromMm(right), twipsFromMm(horizon + 10.0)}, {twipsFromMm(left), twipsFromMm(horizon + 10.0)}};
    painter.polygon(ground, kInk);
    // 方位 under the horizon, every 45 degrees that falls on the panel.
    for (int k = 0; k < 8; ++k) {
        const double az = k * 45.0;
        const double d = astro::wrap180Deg(az - card.faceAzDeg);
        if (std::fabs(d) > kHalfWidthDeg + 1e-9) continue;
        const std::string name = compassPointJa(az);
        const double x = left + (d + kHalfWidthDeg) * kMmPerDeg;
        painter.line(twipsFromMm(x), twipsFromMm(horizon), twipsFromMm(x), twipsFromMm(horizon + 2.5), kInk);
        painter.setTextScale(1.3f);
        textAt(painter, x - 0.65 * 3.2 * 1.3 * (name.size() / 3.0), horizon + 3.0, name);
        painter.setTextScale(1.0f);
    }
    // Fists up the left side, degrees on the right.
    for (int alt = 10; alt <= 80; alt += 10) {
        const double y = horizon - alt * kMmPerDeg;
        painter.setTextScale(0.85f);
        textAt(painter, 3.0, y - 1.5, "こぶし" + std::to_string(alt / 10));
        textAt(painter, right + 1.5, y - 1.5, std::to_string(alt) + "°");
        painter.setTextScale(1.0f);
    }
    textAt(painter, 14.0, horizon + 13.0, "腕をのばしたにぎりこぶし1つ分が、およそ10°です。");

    // The Moons.
    const MoonLook look{{205, 205, 205}, {0, 0, 0}, {255, 255, 200}, {0, 0, 0}};
    double rowY = horizon + 22.0;
    const std::size_t rows = card.blank ? std::max<std::size_t>(card.entries.size(), 3) : card.entries.size();
    for (std::size_t i = 0; i < rows && i < 8; ++i) {
        if (card.blank || i >= card.entries.size()) {
            textAt(painter, 14.0, rowY, std::string(kCircled[i]) + "　　月　　日　　時　　分　　高さ（こぶし　　つ）　方位（　　　）　天気（　　　）");
            rowY += 9.0;
            continue;
        }
        const MoonCardEntry& e = card.entries[i];
        const CardPoint at = moonCardPoint(card, e.altDeg, e.azDeg);
        const std::string when = whenText(card, e.jdUt);
        if (at.inside) {
            drawMoonShape(at.x, at.y, twipsFromMm(kMoonRadiusMm), e.illum, e.limbAngleDeg, look, painter);
            textAt(painter, at.x / kTwipsPerMm - 4.0, at.y / kTwipsPerMm + kMoonRadiusMm + 1.0, std::string(kCircled[i]) + " " + when);
        }
        const std::string where = e.altDeg < 0.0 ? "地平線の下"
                                  : "高さ " + astro::fixedText(e.altDeg, 0) + "°（" + fists(e.altDeg) + "）　方位 " +
                                        compassPointJa(e.azDeg) + (at.inside ? "" : "（この向きの外）");
        textAt(painter, 14.0, rowY, std::string(kCircled[i]) + " " + when + "　" + where + "　月齢 " +
                                        astro::fixedText(e.ageDays, 1) + "　天気（　　　）");
        rowY += 9.0;
    }
}

}  // namespace view
