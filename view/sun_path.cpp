#include "view/sun_path.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/delta_t.h"
#include "astro/number_text.h"
#include "astro/precise_sky.h"
#include "astro/transforms.h"
#include "view/chart_style.h"
#include "view/page_units.h"

namespace view {

namespace {

constexpr double kCharMm = 3.2;  // a label character (12 px at 96 dpi)
constexpr double kCurveStepMinutes = 5.0;

constexpr Rgb kDateColour{230, 120, 0};
constexpr Rgb kSummerColour{215, 40, 40};
constexpr Rgb kEquinoxColour{20, 150, 60};
constexpr Rgb kWinterColour{40, 90, 215};
constexpr Rgb kBoardFill{236, 236, 228};
constexpr Rgb kDomeLine{90, 90, 90};
constexpr Rgb kGuide{170, 170, 170};
constexpr Rgb kWhite{255, 255, 255};



std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// "06:47": the clock of an instant to the minute (the almanac's rounding).
std::string clockText(double jdUt, const astro::UtcOffsetFn& zone) {
    const astro::LocalDateTime t = astro::localMinute(jdUt, zone);
    return two(t.hour) + ":" + two(t.minute);
}

void textAt(Painter& painter, double xMm, double yMm, std::string_view text) {
    painter.setTextPosition(twipsFromMm(xMm), twipsFromMm(yMm));
    painter.text(text);
}

// Characters of a UTF-8 text as the label font sets them (ASCII half width).
double widthChars(std::string_view s) {
    double n = 0.0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        n += len == 1 ? 0.5 : 1.0;
        i += len;
    }
    return n;
}

void centredText(Painter& painter, double xMm, double yMm, std::string_view text) {
    textAt(painter, xMm - 0.5 * widthChars(text) * kCharMm, yMm - 0.55 * kCharMm, text);
}

// The Sun's right ascension (hours, unwrapped) and declination through a
// day: quadratic through three places of the ephemeris.
struct SunTrack {
    std::array<double, 3> t{}, ra{}, dec{};
    double nutationLonRad = 0.0;
    astro::Equatorial at(double jd) const {
        double r = 0.0, d = 0.0;
        for (int i = 0; i < 3; ++i) {
            double w = 1.0;
            for (int j = 0; j < 3; ++j)
                if (j != i) w *= (jd - t[j]) / (t[i] - t[j]);
            r += w * ra[i];
            d += w * dec[i];
        }
        return {r, d};
    }
};

SunTrack sunTrack(const astro::EphemerisTables& tables, double from, double to) {
    SunTrack s;
    s.t = {from, 0.5 * (from + to), to};
    for (int i = 0; i < 3; ++i) {
        const astro::ApparentPlace p = astro::apparentPlace(tables, astro::SkyBody::Sun, astro::jdTtFromUt(s.t[i]));
        s.ra[i] = i == 0 ? p.raHours : s.ra[i - 1] + astro::wrap180Deg((p.raHours - s.ra[i - 1]) * 15.0) / 15.0;
        s.dec[i] = p.decDeg;
    }
    s.nutationLonRad = astro::nutation2000b(tables.nutation, astro::jdTtFromUt(s.t[1])).dpsiRad;
    return s;
}

SunPathPoint pointAt(const SunTrack& track, double jdUt, double latDeg, double lonDeg) {
    const astro::Equatorial e = track.at(jdUt);
    astro::Nutation n;
    n.dpsiRad = track.nutationLonRad;
    const double gast = astro::greenwichApparentSiderealHours(jdUt, astro::jdTtFromUt(jdUt), n);
    const astro::Horizontal h = astro::equatorialToHorizontal(e.raHours, e.decDeg, gast, latDeg, lonDeg);
    return {jdUt, 0, h.altDeg, h.azDeg};
}

// The page's lines, in mm.
constexpr double kDomeCentreXMm = 148.5;
constexpr double kDomeCentreYMm = 122.0;
constexpr double kDomeRadiusMm = 76.0;

}  // namespace

SunPathDay sunPathDay(const astro::EphemerisTables& tables, const astro::LocalDate& date, double latDeg,
                      double lonDeg, const astro::UtcOffsetFn& zone) {
    SunPathDay day;
    latDeg = std::isfinite(latDeg) ? std::clamp(latDeg, -90.0, 90.0) : 0.0;
    lonDeg = std::isfinite(lonDeg) ? lonDeg : 0.0;
    const double start = astro::localToJdUt(date, 0.0, zone);
    double end = astro::localToJdUt(date, 86400.0, zone);
    if (!(end > start)) end = start + 1.0;
    day.date = astro::localDateTime(start + 0.25, zone).date;
    day.label = std::to_string(day.date.month) + "月" + std::to_string(day.date.day) + "日";
    day.colour = kDateColour;

    const astro::BodyEvents events = astro::bodyEventsIn(tables, astro::Sun, latDeg, lonDeg, start, end);
    if (!events.rises.empty()) day.rise = events.rises.front();
    if (!events.sets.empty()) day.set = events.sets.front();
    if (!events.transits.empty()) day.transit = events.transits.front();
    day.up = events.up;

    const SunTrack track = sunTrack(tables, start - 0.05, end + 0.05);
    const int steps = static_cast<int>(std::ceil((end - start) * 1440.0 / kCurveStepMinutes));
    SunPathPoint previous{};
    for (int i = 0; i <= steps; ++i) {
        const double t = std::min(end, start + i * kCurveStepMinutes / 1440.0);
        const SunPathPoint p = pointAt(track, t, latDeg, lonDeg);
        if (i > 0 && (previous.altDeg >= 0.0) != (p.altDeg >= 0.0)) {
            // The horizon crossing between the two samples, so the path
            // ends on the rim.
            const double f = previous.altDeg / (previous.altDeg - p.altDeg);
            SunPathPoint edge = pointAt(track, previous.jdUt + f * (t - previous.jdUt), latDeg, lonDeg);
            edge.altDeg = 0.0;
            day.curve.push_back(edge);
        }
        if (p.altDeg >= 0.0) day.curve.push_back(p);
        previous = p;
    }
    for (int h = 0; h <= 24; ++h) {
        const double t = astro::localToJdUt(day.date, h * 3600.0, zone);
        if (!(t >= start && t < end)) continue;
        SunPathPoint p = pointAt(track, t, latDeg, lonDeg);
        p.hour = astro::localDateTime(t, zone).hour;
        if (p.altDeg >= 0.0) day.hourly.push_back(p);
    }
    return day;
}

std::vector<SunPathDay> seasonPathDays(const astro::EphemerisTables& tables, int year, double latDeg,
                                       double lonDeg, const astro::UtcOffsetFn& zone) {
    struct Season {
        double lonDeg;
        const char* name;
        Rgb colour;
    };
    static constexpr Season kSeasons[] = {{90.0, "夏至", kSummerColour},
                                          {0.0, "春分・秋分", kEquinoxColour},
                                          {270.0, "冬至", kWinterColour}};
    std::vector<SunPathDay> out;
    for (const Season& s : kSeasons) {
        const double jd = astro::solarTermJdUt(tables, year, s.lonDeg);
        SunPathDay d = sunPathDay(tables, astro::localDateTime(jd, zone).date, latDeg, lonDeg, zone);
        d.label = std::string(s.name) + "（" + std::to_string(d.date.month) + "月" + std::to_string(d.date.day) + "日）";
        d.colour = s.colour;
        out.push_back(std::move(d));
    }
    return out;
}

PicturePoint DomeProjection::place(double altDeg, double azDeg) const {
    const double alt = altDeg * astro::kDegToRad, az = azDeg * astro::kDegToRad;
    const double e = std::sin(az) * std::cos(alt), n = std::cos(az) * std::cos(alt), z = std::sin(alt);
    const double eye = eyeAzDeg * astro::kDegToRad, el = elevationDeg * astro::kDegToRad;
    // Right on the page: the horizontal perpendicular to the line of sight;
    // away: the horizontal from the eye through the centre.
    const double right = -std::cos(eye) * e + std::sin(eye) * n;
    const double away = -std::sin(eye) * e - std::cos(eye) * n;
    const double up = z * std::cos(el) + away * std::sin(el);
    return {static_cast<float>(centreXTwips + radiusTwips * right), static_cast<float>(centreYTwips - radiusTwips * up)};
}

bool DomeProjection::nearSide(double altDeg, double azDeg) const {
    const double alt = altDeg * astro::kDegToRad, az = azDeg * astro::kDegToRad;
    const double eye = eyeAzDeg * astro::kDegToRad, el = elevationDeg * astro::kDegToRad;
    const double toEye = std::cos(alt) * std::cos(az - eye) * std::cos(el) + std::sin(alt) * std::sin(el);
    return toEye >= -1e-9;
}

DomeProjection sunPathDome(double latDeg) {
    DomeProjection d;
    d.centreXTwips = kDomeCentreXMm * kTwipsPerMm;
    d.centreYTwips = kDomeCentreYMm * kTwipsPerMm;
    d.radiusTwips = kDomeRadiusMm * kTwipsPerMm;
    d.eyeAzDeg = latDeg < 0.0 ? 0.0 : 180.0;
    return d;
}

namespace {

void drawDome(const DomeProjection& dome, Painter& painter) {
    // The horizon board.
    std::vector<Vertex> rim;
    for (int a = 0; a < 360; a += 2) {
        const PicturePoint p = dome.place(0.0, a);
        rim.push_back({p.x, p.y});
    }
    painter.setLineStyle(LineStyle::Solid);
    painter.setFillColour(kBoardFill);
    painter.setFillStyleSolid();
    painter.polygon(rim, kDomeLine);
    // The meridian and the east-west circle through the zenith, far halves dotted.
    for (const double az : {0.0, 90.0}) {
        for (const bool nearHalf : {false, true}) {
            std::vector<Vertex> arc;
            for (int a = 0; a <= 180; a += 3) {
                const double alt = a <= 90 ? a : 180 - a;
                const double azHere = a <= 90 ? az : az + 180.0;
                if (dome.nearSide(alt, azHere) != nearHalf && a != 90) continue;
                const PicturePoint p = dome.place(alt, azHere);
                arc.push_back({p.x, p.y});
            }
            painter.setLineStyle(nearHalf ? LineStyle::Dashed : LineStyle::Dotted);
            if (arc.size() > 1) painter.polyline(arc, kGuide);
        }
    }
    // The dome's outline: the upper half of its silhouette circle.
    std::vector<Vertex> outline;
    for (int a = 0; a <= 180; a += 2) {
        const double th = a * astro::kDegToRad;
        outline.push_back({static_cast<float>(dome.centreXTwips + dome.radiusTwips * std::cos(th)),
                           static_cast<float>(dome.centreYTwips - dome.radiusTwips * std::sin(th))});
    }
    painter.setLineStyle(LineStyle::Solid);
    painter.polyline(outline, kDomeLine);
    // The observer at the centre (where the pen's shadow falls).
    painter.setFillColour(kDomeLine);
    painter.disc(static_cast<float>(dome.centreXTwips), static_cast<float>(dome.centreYTwips), twipsFromMm(0.9), kDomeLine);
    // 東西南北 outside the rim.
    static constexpr std::pair<double, const char*> kPoints[] = {{0.0, "北"}, {90.0, "東"}, {180.0, "南"}, {270.0, "西"}};
    for (const auto& [az, name] : kPoints) {
        const PicturePoint p = dome.place(0.0, az);
        const double dx = p.x - dome.centreXTwips, dy = p.y - dome.centreYTwips;
        const double len = std::max(1.0, std::hypot(dx, dy));
        const double xMm = (p.x + dx / len * twipsFromMm(6.0)) / kTwipsPerMm, yMm = (p.y + dy / len * twipsFromMm(6.0)) / kTwipsPerMm;
        painter.setTextScale(1.4f);
        textAt(painter, xMm - 0.7 * kCharMm, yMm - 0.75 * kCharMm, name);
        painter.setTextScale(1.0f);
    }
}

void drawDay(const DomeProjection& dome, const SunPathDay& day, Painter& painter) {
    // The path in runs on one side of the dome, the far side dashed; a gap of
    // more than a step (the Sun below the horizon) breaks it.
    std::vector<Vertex> run;
    bool runNear = true;
    const auto flush = [&] {
        painter.setLineStyle(runNear ? LineStyle::Solid : LineStyle::Dashed);
        if (run.size() > 1) painter.polyline(run, day.colour);
        run.clear();
    };
    for (std::size_t i = 0; i < day.curve.size(); ++i) {
        const SunPathPoint& p = day.curve[i];
        const bool nearSide = dome.nearSide(p.altDeg, p.azDeg);
        const PicturePoint at = dome.place(p.altDeg, p.azDeg);
        const bool gap = i > 0 && p.jdUt - day.curve[i - 1].jdUt > 1.5 * kCurveStepMinutes / 1440.0;
        if (gap || (i > 0 && nearSide != runNear)) {
            const bool keep = !gap;  // a change of side continues from the last point
            const Vertex last = run.empty() ? Vertex{at.x, at.y} : run.back();
            flush();
            if (keep) run.push_back(last);
        }
        runNear = nearSide;
        run.push_back({at.x, at.y});
    }
    flush();
    painter.setLineStyle(LineStyle::Solid);
    // A dot every hour with its time, outside the path.
    for (const SunPathPoint& p : day.hourly) {
        const PicturePoint at = dome.place(p.altDeg, p.azDeg);
        painter.setFillColour(day.colour);
        painter.disc(at.x, at.y, twipsFromMm(1.1), day.colour);
        const double dx = at.x - dome.centreXTwips, dy = at.y - (dome.centreYTwips - 0.3 * dome.radiusTwips);
        const double len = std::max(1.0, std::hypot(dx, dy));
        const std::string label = std::to_string(p.hour) + "時";
        painter.setTextScale(0.8f);
        centredText(painter, (at.x + dx / len * twipsFromMm(4.0)) / kTwipsPerMm, (at.y + dy / len * twipsFromMm(4.0)) / kTwipsPerMm, label);
        painter.setTextScale(1.0f);
    }
    // Sunrise and sunset: open circles where the path meets the rim.
    if (!day.curve.empty() && day.up == astro::UpState::Sometimes) {
        for (const SunPathPoint* p : {&day.curve.front(), &day.curve.back()}) {
            if (std::fabs(p->altDeg) > 1e-6) continue;
            const PicturePoint at = dome.place(0.0, p->azDeg);
            painter.setFillColour(kWhite);
            painter.disc(at.x, at.y, twipsFromMm(1.6), day.colour);
        }
    }
}

std::string latLonText(double latDeg, double lonDeg) {
    return std::string(latDeg < 0.0 ? "南緯" : "北緯") + astro::fixedText(std::fabs(latDeg), 2) + "°　" +
           (lonDeg < 0.0 ? "西経" : "東経") + astro::fixedText(std::fabs(lonDeg), 2) + "°";
}

std::string dayLine(const SunPathDay& d, const astro::UtcOffsetFn& zone) {
    std::string s = d.label + "　";
    if (d.up == astro::UpState::Always) return s + "一日中地平線の上（白夜）";
    if (d.up == astro::UpState::Never) return s + "一日中地平線の下（極夜）";
    if (d.rise) s += "日の出 " + clockText(d.rise->jdUt, zone) + "（方位 " + astro::fixedText(d.rise->azDeg, 0) + "°）　";
    if (d.transit)
        s += "南中 " + clockText(d.transit->jdUt, zone) + "（高度 " + astro::fixedText(d.transit->altDeg, 1) + "°）　";
    if (d.set) s += "日の入り " + clockText(d.set->jdUt, zone) + "（方位 " + astro::fixedText(d.set->azDeg, 0) + "°）";
    if (d.rise && d.set && d.set->jdUt > d.rise->jdUt) {
        const int minutes = static_cast<int>(std::lround((d.set->jdUt - d.rise->jdUt) * 1440.0));
        s += "　昼の長さ " + std::to_string(minutes / 60) + "時間" + std::to_string(minutes % 60) + "分";
    }
    return s;
}

}  // namespace

void drawSunPath(const SunPathScene& scene, Painter& painter) {
    painter.clear();
    const DomeProjection dome = sunPathDome(scene.latDeg);
    const std::string place = (scene.placeName.empty() ? std::string() : scene.placeName + "　") +
                              latLonText(scene.latDeg, scene.lonDeg);
    painter.setTextScale(1.5f);
    textAt(painter, 12.0, 10.0, scene.worksheet ? "透明半球に太陽の位置を記録しよう" : "透明半球　太陽の通り道");
    painter.setTextScale(1.0f);
    if (!scene.worksheet) textAt(painter, 12.0, 18.0, place);
    drawDome(dome, painter);
    if (scene.worksheet) {
        textAt(painter, 12.0, 172.0, "ペンの先の影が透明半球の中心（●）に重なる所に、1時間ごとに印をつけ、時刻を書こう。");
        textAt(painter, 12.0, 182.0, "日の出・日の入りの位置は、印をなめらかに結んでのばし、縁と交わる所に書こう。");
        textAt(painter, 12.0, 194.0, "観察した日　　　月　　　日（　　）　　天気　　　　　　　場所　　　　　　　　　名前");
        return;
    }
    // What a pen mark at the dome's centre would trace, one colour a day.
    for (const SunPathDay& d : scene.days) drawDay(dome, d, painter);
    double y = 172.0;
    for (const SunPathDay& d : scene.days) {
        painter.setFillColour(d.colour);
        painter.disc(twipsFromMm(14.0), twipsFromMm(y + 1.6), twipsFromMm(1.4), d.colour);
        textAt(painter, 18.0, y, dayLine(d, scene.zone ? scene.zone : astro::fixedUtcOffset(9 * 3600)));
        y += 7.0;
    }
    textAt(painter, 12.0, 198.0,
           "● 1時間ごとの太陽の位置　○ 日の出・日の入り　破線は半球の向こう側　時刻は" +
               (scene.zoneNote.empty() ? std::string("日本時間") : scene.zoneNote));
}

}  // namespace view
