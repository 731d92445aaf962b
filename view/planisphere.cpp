#include "view/planisphere.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/calendar.h"
#include "astro/number_text.h"
#include "catalog/name_search.h"
#include "view/label_placer.h"
#include "astro/transforms.h"
#include "view/chart_style.h"
#include "view/sky_view.h"

namespace view {

namespace {

using astro::kDegToRad;
using astro::kRadToDeg;

// The page: both discs share the pin's place, so the two sheets can be laid
// on each other to check the cut.
constexpr MmPoint kPin{105.0, 118.0};
constexpr double kDiscRadiusMm = 96.0;
constexpr double kMaskRadiusMm = 84.0;
// The hour ticks stop short of the mask's rim, so its cut line stands clear.
constexpr double kTickGapMm = 1.5;
// The window's farthest point (the horizon opposite the pole) stays this
// far inside the mask's rim, leaving room for the hour ring.
constexpr double kWindowReachMm = 68.0;
constexpr double kStarMarginDeg = 5.0;
// The date ring is drawn for this year and this evening hour; see the header.
constexpr int kReferenceYear = 2026;
constexpr double kReferenceHour = 21.0;

constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// Characters of the label font (12 px of a 96-dpi page: 3.2 mm) in mm.
constexpr double kCharMm = 3.2;

double wrap360(double deg) { return deg - 360.0 * std::floor(deg / 360.0); }

// Radius of a declination from the disc's pole.
double radiusOf(const Planisphere& p, double decDeg) { return p.mmPerDeg * (90.0 - (p.south ? -decDeg : decDeg)); }

// The page point of hour angle H and declination: H = 0 straight down from
// the pin (the meridian toward the horizon beyond the zenith); the west
// (H = 90) to the right in the north, to the left in the south, as the sky
// is seen overhead facing south (north).
MmPoint pagePoint(const Planisphere& p, double hourAngleDeg, double radiusMm) {
    const double h = hourAngleDeg * kDegToRad;
    const double side = p.south ? -1.0 : 1.0;
    return {p.centre.x + radiusMm * side * std::sin(h), p.centre.y + radiusMm * std::cos(h)};
}

// The local sidereal time (degrees) on the zone's meridian at 21:00 zone time
// of a date of the reference year, by the picture's own sidereal time.
double referenceSiderealDeg(const Planisphere& p, int month, int day) {
    const double zoneHours = p.zoneMeridianDeg / 15.0;
    const double utHours = kReferenceHour - zoneHours;
    const double jd = astro::ymdYD(kReferenceYear, month, day + utHours / 24.0);
    const double gst = astro::greenwichSiderealTime(astro::jcent(jd), utHours, 0.0, 23.4393);
    return wrap360(gst * 15.0 + p.zoneMeridianDeg);
}

// Disc angle of the date mark (a star's disc angle is minus its RA): turned
// by the sidereal time T the mark stands at hour angle T + this.
double dateMarkDeg(const Planisphere& p, int month, int day) {
    return 15.0 * kReferenceHour - referenceSiderealDeg(p, month, day);
}

// Mask hour angle of a standard time's mark: 15 deg an hour from midnight
// at the bottom, moved by the place's longitude east of the zone meridian.
double hourMarkDeg(const Planisphere& p, double hours) { return 15.0 * hours + (p.lonDeg - p.zoneMeridianDeg); }

Vertex twips(MmPoint m) {
    return {static_cast<float>(m.x * kTwipsPerMm), static_cast<float>(m.y * kTwipsPerMm)};
}

void textAt(Painter& painter, MmPoint centre, std::string_view text, int chars) {
    painter.setTextPosition(static_cast<float>((centre.x - 0.5 * chars * kCharMm) * kTwipsPerMm),
                            static_cast<float>((centre.y - 0.55 * kCharMm) * kTwipsPerMm));
    painter.text(text);
}

void textFrom(Painter& painter, MmPoint topLeft, std::string_view text) {
    painter.setTextPosition(static_cast<float>(topLeft.x * kTwipsPerMm), static_cast<float>(topLeft.y * kTwipsPerMm));
    painter.text(text);
}

void circle(Painter& painter, MmPoint c, double r, Rgb colour) {
    std::vector<Vertex> run;
    for (int k = 0; k <= 360; ++k)
        run.push_back(twips({c.x + r * std::cos(k * kDegToRad), c.y + r * std::sin(k * kDegToRad)}));
    painter.polyline(run, colour);
}

void line(Painter& painter, MmPoint a, MmPoint b, Rgb colour) {
    const Vertex ta = twips(a), tb = twips(b);
    painter.line(ta.x, ta.y, tb.x, tb.y, colour);
}

std::string number(double v, int decimals) { return astro::fixedText(v, decimals); }

std::string latitudeText(double latDeg) {
    return std::string(latDeg < 0.0 ? "南緯" : "北緯") + number(std::fabs(latDeg), 2) + "°";
}

std::string longitudeText(double lonDeg) {
    return std::string(lonDeg < 0.0 ? "西経" : "東経") + number(std::fabs(lonDeg), 2) + "°";
}

// Width in label characters: a full-width character counts one, ASCII half.
double labelWidth(std::string_view s) {
    double w = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) w += 0.5;
        else if ((c & 0xC0) != 0x80) w += 1.0;
    }
    return w;
}

void heading(Painter& painter, const std::string& title, const Planisphere& p, const std::string& placeName) {
    std::string line1 = title + "　";
    if (!placeName.empty()) line1 += placeName + "　";
    line1 += latitudeText(p.latDeg) + " " + longitudeText(p.lonDeg);
    textFrom(painter, {12.0, 8.0}, line1);
}

}  // namespace

std::optional<Planisphere> planisphereFor(double latDeg, double lonDeg, double zoneOffsetHours, std::string& why) {
    if (!std::isfinite(latDeg) || !std::isfinite(lonDeg) || !std::isfinite(zoneOffsetHours)) {
        why = "星座早見盤を作る場所の緯度・経度が読めません";
        return std::nullopt;
    }
    const double a = std::fabs(latDeg);
    if (a < kPlanisphereMinAbsLatDeg || a > kPlanisphereMaxAbsLatDeg) {
        why = a < kPlanisphereMinAbsLatDeg
                  ? "赤道から10°以内の場所では、天の極が地平線近くにあって窓が盤のほとんどを占めるため、星座早見盤は作れません"
                  : "極から10°以内の場所では、星がほとんど昇りも沈みもしないため、星座早見盤は作れません";
        return std::nullopt;
    }
    Planisphere p;
    p.latDeg = latDeg;
    p.lonDeg = lonDeg - 360.0 * std::floor((lonDeg + 180.0) / 360.0);
    p.zoneMeridianDeg = 15.0 * zoneOffsetHours;
    p.south = latDeg < 0.0;
    p.mmPerDeg = kWindowReachMm / (180.0 - a);
    p.centre = kPin;
    p.discRadiusMm = kDiscRadiusMm;
    p.maskRadiusMm = kMaskRadiusMm;
    const double limitFromPole = std::min(180.0 - a + kStarMarginDeg, (kMaskRadiusMm - 1.0) / p.mmPerDeg);
    p.starLimitDeg = (90.0 - limitFromPole) * (p.south ? -1.0 : 1.0);
    return p;
}

MmPoint discPoint(const Planisphere& p, double raHours, double decDeg) {
    return pagePoint(p, -15.0 * raHours, radiusOf(p, decDeg));
}

double discTurnDeg(const Planisphere& p, int month, int day, int hour, int minute) {
    return wrap360(hourMarkDeg(p, hour + minute / 60.0) - dateMarkDeg(p, month, day));
}

MmPoint windowPoint(const Planisphere& p, double raHours, double decDeg, double turnDeg) {
    return pagePoint(p, turnDeg - 15.0 * raHours, radiusOf(p, decDeg));
}

std::optional<MaskSky> maskSkyAt(const Planisphere& p, MmPoint at) {
    const double dx = at.x - p.centre.x, dy = at.y - p.centre.y;
    const double r = std::hypot(dx, dy);
    if (!(r > 1e-9) || !std::isfinite(r)) return std::nullopt;
    const double fromPole = r / p.mmPerDeg;
    const double dec = (90.0 - fromPole) * (p.south ? -1.0 : 1.0) * kDegToRad;
    const double h = std::atan2((p.south ? -1.0 : 1.0) * dx, dy);
    const double phi = p.latDeg * kDegToRad;
    const double sinAlt = std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(h);
    const double az = std::atan2(-std::cos(dec) * std::sin(h),
                                 std::sin(dec) * std::cos(phi) - std::cos(dec) * std::sin(phi) * std::cos(h));
    return MaskSky{std::asin(std::clamp(sinAlt, -1.0, 1.0)) * kRadToDeg, wrap360(az * kRadToDeg)};
}

std::vector<MmPoint> windowOutline(const Planisphere& p) {
    std::vector<MmPoint> out;
    const double phi = p.latDeg * kDegToRad;
    for (int a = 0; a <= 360; ++a) {
        const double az = a * kDegToRad;
        const double dec = std::asin(std::cos(phi) * std::cos(az)) * kRadToDeg;
        const double h = std::atan2(-std::sin(az), -std::cos(az) * std::sin(phi)) * kRadToDeg;
        out.push_back(pagePoint(p, h, radiusOf(p, dec)));
    }
    return out;
}

int longitudeCorrectionMinutes(const Planisphere& p) {
    return static_cast<int>(std::lround((p.lonDeg - p.zoneMeridianDeg) * 4.0));
}

namespace {

// Where the pin goes, the same on both discs and unlike any other mark: a
// ring round a cross; on the mask, where there is room, labelled ピン.
void pinMark(const Planisphere& p, Painter& painter, bool labelled) {
    line(painter, {p.centre.x - 3.0, p.centre.y}, {p.centre.x + 3.0, p.centre.y}, kPaperText);
    line(painter, {p.centre.x, p.centre.y - 3.0}, {p.centre.x, p.centre.y + 3.0}, kPaperText);
    circle(painter, p.centre, 2.0, kPaperText);
    if (labelled) textAt(painter, {p.centre.x + 7.0, p.centre.y - 3.5}, "ピン", 2);
}

}  // namespace

void drawStarDisc(const Planisphere& p, const catalog::Catalogue& cat, const std::string& placeName, Painter& painter) {
    painter.clear();
    painter.setFillStyleSolid();
    heading(painter, "星座早見盤　星図盤（回す盤）", p, placeName);

    // Cut line of the disc, the date ring's inner edge (the mask's rim).
    painter.setLineStyle(LineStyle::Dashed);
    circle(painter, p.centre, p.discRadiusMm, kPaperText);
    painter.setLineStyle(LineStyle::Solid);
    circle(painter, p.centre, p.maskRadiusMm, kPaperText);

    // Declination circles every 30 degrees and hour lines every 2 hours, light.
    painter.setLineStyle(kPaperGridLine);
    for (int d = 60; d > -90; d -= 30) {
        const double dec = p.south ? -d : d;
        if ((p.south ? -dec : dec) < (p.south ? -p.starLimitDeg : p.starLimitDeg)) break;
        circle(painter, p.centre, radiusOf(p, dec), kPaperGrid);
    }
    for (int h = 0; h < 24; h += 2) {
        const double edge = radiusOf(p, p.starLimitDeg);
        line(painter, discPoint(p, h, p.south ? -89.0 : 89.0), pagePoint(p, -15.0 * h, edge), kPaperGrid);
    }
    painter.setLineStyle(LineStyle::Solid);

    // The ecliptic, dash-dot.
    {
        std::vector<Vertex> run;
        const auto flush = [&] {
            if (run.size() > 1) {
                painter.setLineStyle(kPaperEclipticLine);
                painter.polyline(run, kPaperEcliptic);
                painter.setLineStyle(LineStyle::Solid);
            }
            run.clear();
        };
        for (int lam = 0; lam <= 360; ++lam) {
            const astro::Equatorial e = astro::eclipticPointJ2000(lam);
            const double ra = e.raHours, dec = e.decDeg;
            if (radiusOf(p, dec) > radiusOf(p, p.starLimitDeg)) {
                flush();
                continue;
            }
            run.push_back(twips(discPoint(p, ra, dec)));
        }
        flush();
    }

    // Stars and names, then the figures and their names; the names through
    // the label placer, inside the date ring, never over one another.
    const float reach = static_cast<float>(p.maskRadiusMm * kTwipsPerMm);
    const Vertex middle = twips(p.centre);
    PlacingPainter names(painter, {middle.x - reach, middle.y - reach, middle.x + reach, middle.y + reach});
    names.setRank(kRankFrame);
    names.addObstacle({middle.x, middle.y}, static_cast<float>(3.5 * kTwipsPerMm));  // the pin's mark
    const auto onDisc = [&](double decDeg) { return radiusOf(p, decDeg) <= radiusOf(p, p.starLimitDeg); };
    const double twipsPerMmStar = 0.55;  // stars a little smaller than on the chart
    for (std::size_t k = 1; k < cat.stars.size() && k <= static_cast<std::size_t>(catalog::kStarCount); ++k) {
        const catalog::Star& s = cat.stars[k];
        if (!onDisc(s.decDeg)) continue;
        const Vertex at = twips(discPoint(p, s.raHours, s.decDeg));
        const float radius = static_cast<float>(starRadiusTwips(s.mag) * twipsPerMmStar);
        names.setRank(kRankStar + s.mag);
        names.setFillColour(kPaperStar);
        names.disc(at.x, at.y, radius, kPaperStar);
        if (k < cat.starLabel.size() && !cat.starLabel[k].empty()) {
            // Full-width kana: a half-width dakuten would come apart in print.
            const std::string_view proper = catalog::starProperName(cat, static_cast<int>(k));
            names.setAnchor({at.x, at.y}, radius);
            names.setTextPosition(at.x + 60.0f, at.y - 40.0f);
            names.text(proper.empty() ? std::string_view(cat.starLabel[k]) : proper);
        }
    }
    for (std::size_t c = 1; c < cat.constellations.size(); ++c) {
        const catalog::Constellation& con = cat.constellations[c];
        const auto node = [&](std::size_t j) -> int { return j < con.nodes.size() ? con.nodes[j] : 0; };
        MmPoint sum{0.0, 0.0};
        int n = 0;
        for (std::size_t j = 0; node(j) != 0; ++j) {
            const int a = node(j), b = node(j + 1);
            if (a <= 0 || static_cast<std::size_t>(a) >= cat.stars.size()) continue;
            const catalog::Star& sa = cat.stars[static_cast<std::size_t>(a)];
            if (!onDisc(sa.decDeg)) continue;
            const MmPoint pa = discPoint(p, sa.raHours, sa.decDeg);
            sum.x += pa.x;
            sum.y += pa.y;
            ++n;
            if (b <= 0 || static_cast<std::size_t>(b) >= cat.stars.size()) continue;
            const catalog::Star& sb = cat.stars[static_cast<std::size_t>(b)];
            if (!onDisc(sb.decDeg)) continue;
            line(painter, pa, discPoint(p, sb.raHours, sb.decDeg), kPaperFigure);
        }
        // The name below the figure's middle.
        names.setRank(kRankConstellation);
        if (n > 0) textAt(names, {sum.x / n, sum.y / n + 3.0}, con.name, static_cast<int>(std::ceil(labelWidth(con.name))));
    }
    names.flush();

    // The date ring: a tick a day, longer every 5 and at each month's first,
    // the month's name in its middle and 10, 20 beside their ticks.
    const double inner = p.maskRadiusMm;
    static constexpr const char* kMonthNames[12] = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                                                    "7月", "8月", "9月", "10月", "11月", "12月"};
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= kMonthDays[static_cast<std::size_t>(m - 1)]; ++d) {
            const double a = dateMarkDeg(p, m, d);
            const double len = d == 1 ? 7.0 : (d % 5 == 0 ? 3.5 : 2.0);
            line(painter, pagePoint(p, a, inner), pagePoint(p, a, inner + len), kPaperText);
            if (d == 10 || d == 20) textAt(painter, pagePoint(p, a, inner + 5.0), d == 10 ? "10" : "20", 1);
        }
        const double mid = dateMarkDeg(p, m, 16);
        textAt(painter, pagePoint(p, mid, inner + 8.7), kMonthNames[m - 1], m >= 10 ? 2 : 1);
    }
    pinMark(p, painter, false);
    textFrom(painter, {12.0, 222.0},
             "外側の点線にそって切り取り、まん中の○に十字の印に小さな穴をあけます。地平盤の下に重ねて使います。");
    textFrom(painter, {12.0, 229.0}, "日付の目もりは、何年に使っても数分しかずれません。");
}

void drawHorizonMask(const Planisphere& p, const std::string& placeName, Painter& painter) {
    painter.clear();
    painter.setFillStyleSolid();
    heading(painter, "星座早見盤　地平盤（窓のある盤）", p, placeName);

    // Cut lines: the mask's rim and the window, dashed, the rim standing
    // clear of the hour ticks and named; the pin's mark.
    painter.setLineStyle(LineStyle::Dashed);
    circle(painter, p.centre, p.maskRadiusMm, kPaperText);
    std::vector<Vertex> window;
    for (const MmPoint& m : windowOutline(p)) window.push_back(twips(m));
    painter.polyline(window, kPaperText);
    painter.setLineStyle(LineStyle::Solid);
    textAt(painter, pagePoint(p, 225.0, p.maskRadiusMm + 10.0), "切り取り線", 5);
    pinMark(p, painter, true);

    // The zenith, a dot in the window (only the pin has a cross).
    const double zenithR = radiusOf(p, p.latDeg);
    const MmPoint zenith = pagePoint(p, 0.0, zenithR);
    painter.setFillColour(kPaperHorizon);
    painter.disc(static_cast<float>(zenith.x * kTwipsPerMm), static_cast<float>(zenith.y * kTwipsPerMm),
                 static_cast<float>(0.9 * kTwipsPerMm), kPaperHorizon);
    textAt(painter, {zenith.x, zenith.y + 3.5}, "天頂", 2);

    // Directions just outside the window, where the horizon has them.
    const std::vector<MmPoint> edge = windowOutline(p);
    for (const CompassPoint& c : kCompassEight) {
        const MmPoint at = edge[static_cast<std::size_t>(c.azDeg)];
        const double dx = at.x - p.centre.x, dy = at.y - p.centre.y, r = std::hypot(dx, dy);
        // Outward from the pin, or from the zenith for points near the pin.
        MmPoint out{dx / r, dy / r};
        if (r < 20.0) {
            const double zx = at.x - zenith.x, zy = at.y - zenith.y, zr = std::hypot(zx, zy);
            out = {zx / zr, zy / zr};
        }
        const double gap = 3.0 + 1.6 * c.chars;
        textAt(painter, {at.x + out.x * gap, at.y + out.y * gap}, c.text, c.chars);
    }

    // The hour ring in the place's standard time: a tick every 10 minutes
    // pointing out to the rim, longer each hour, the hour's number inside.
    const double tickEnd = p.maskRadiusMm - kTickGapMm;
    for (int m = 0; m < 24 * 60; m += 10) {
        const double a = hourMarkDeg(p, m / 60.0);
        const double len = m % 60 == 0 ? 4.0 : (m % 30 == 0 ? 2.5 : 1.5);
        line(painter, pagePoint(p, a, tickEnd - len), pagePoint(p, a, tickEnd), kPaperText);
        if (m % 60 == 0) {
            const std::string h = std::to_string(m / 60);
            textAt(painter, pagePoint(p, a, tickEnd - 6.0), h, static_cast<int>(std::ceil(labelWidth(h))));
        }
    }

    // The instructions, for a pupil.
    const std::string faceTo = p.south ? "北" : "南";
    double y = 212.0;
    const auto say = [&](const std::string& s) {
        textFrom(painter, {12.0, y}, s);
        y += 6.0;
    };
    say("使い方");
    say("1. 2枚とも厚紙にはり、点線にそって切り取ります。地平盤は、まん中の窓（点線）も切り抜きます。");
    say("2. 2枚のまん中の○に十字の印（ピン）に穴をあけ、星図盤の上に地平盤を重ねて割りピンでとめます。");
    say("   星図盤が回ればできあがりです。");
    say("3. 星図盤のふちの日付を、地平盤のふちの時刻に合わせます。");
    say("4. 見る方角の文字（たとえば「" + faceTo + "」）を下にして、盤を頭の上にかざします。");
    say("   窓の中の星が、その日のその時刻に見える星です。窓のふちが地平線、「天頂」が頭の真上です。");
    say("5. この早見盤の時刻は、" + (placeName.empty() ? std::string() : placeName + "（") + longitudeText(p.lonDeg) +
        (placeName.empty() ? "の場所" : "）") + "で使うように合わせてあります。");
}

}  // namespace view
