#include "view/orbit_view.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/delta_t.h"
#include "astro/eclipses.h"
#include "astro/number_text.h"
#include "astro/precession_nutation.h"
#include "astro/precise_sky.h"
#include "view/moon.h"
#include "view/page_units.h"

namespace view {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGaussK2 = 0.01720209895 * 0.01720209895;  // the Sun's GM, AU^3 per day^2
constexpr int kOrbitPoints = 120;
constexpr double kMainCentreXMm = 104.0, kMainCentreYMm = 116.0, kMainRadiusMm = 80.0;
constexpr double kInsetLeftMm = 200.0, kInsetTopMm = 26.0, kInsetWidthMm = 92.0, kInsetHeightMm = 102.0;
constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kOrbitGrey{170, 170, 170};
constexpr Rgb kEarthBlue{40, 90, 200};
constexpr Rgb kFacingRed{210, 40, 40};
constexpr Rgb kPlanetColours[astro::kPlanetCount] = {{150, 140, 130}, {220, 190, 80}, {40, 90, 200}, {210, 80, 50},
                                                     {200, 150, 100}, {210, 180, 110}, {100, 190, 200}, {60, 90, 210}};


// GCRS to the true ecliptic and equinox of date.
struct DateEcliptic {
    astro::Mat3 toTrueOfDate{};
    double obliquityRad = 0.0;
    astro::Vec3 operator()(const astro::Vec3& gcrs) const {
        const astro::Vec3 e = astro::multiply(toTrueOfDate, gcrs);
        const double c = std::cos(obliquityRad), s = std::sin(obliquityRad);
        return {e[0], e[1] * c + e[2] * s, -e[1] * s + e[2] * c};
    }
    // From the true equator of date.
    astro::Vec3 fromEquator(const astro::Vec3& e) const {
        const double c = std::cos(obliquityRad), s = std::sin(obliquityRad);
        return {e[0], e[1] * c + e[2] * s, -e[1] * s + e[2] * c};
    }
};

DateEcliptic dateEcliptic(const astro::EphemerisTables& tables, double jdTt) {
    const astro::Nutation n = astro::nutation2000b(tables.nutation, jdTt);
    return {astro::trueOfDateMatrix(astro::precessionAngles2006(jdTt), n), astro::meanObliquity2006Rad(jdTt) + n.depsRad};
}

double lonOf(const astro::Vec3& v) { return astro::wrap360Deg(std::atan2(v[1], v[0]) * astro::kRadToDeg); }

astro::Vec3 cross(const astro::Vec3& a, const astro::Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const astro::Vec3& a, const astro::Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double norm(const astro::Vec3& a) { return std::sqrt(dot(a, a)); }

// The conic through a place with a motion about the Sun, projected.
std::vector<std::array<double, 2>> osculatingOrbit(const astro::Vec3& r, const astro::Vec3& v) {
    const astro::Vec3 h = cross(r, v);
    const double rn = norm(r), hn = norm(h);
    std::vector<std::array<double, 2>> out;
    if (!(rn > 0.0) || !(hn > 0.0)) return out;
    const astro::Vec3 vh = cross(v, h);
    astro::Vec3 e{vh[0] / kGaussK2 - r[0] / rn, vh[1] / kGaussK2 - r[1] / rn, vh[2] / kGaussK2 - r[2] / rn};
    double en = norm(e);
    if (!(en < 0.95)) return out;  // not a planet's orbit
    const astro::Vec3 p = en > 1e-9 ? astro::Vec3{e[0] / en, e[1] / en, e[2] / en} : astro::Vec3{r[0] / rn, r[1] / rn, r[2] / rn};
    const astro::Vec3 hu{h[0] / hn, h[1] / hn, h[2] / hn};
    const astro::Vec3 q = cross(hu, p);
    const double semiLatus = hn * hn / kGaussK2;
    out.reserve(kOrbitPoints + 1);
    for (int i = 0; i <= kOrbitPoints; ++i) {
        const double nu = 2.0 * kPi * i / kOrbitPoints;
        const double d = semiLatus / (1.0 + en * std::cos(nu));
        out.push_back({d * (std::cos(nu) * p[0] + std::sin(nu) * q[0]), d * (std::cos(nu) * p[1] + std::sin(nu) * q[1])});
    }
    return out;
}

OrbitPlanet planetOfDate(const astro::EphemerisTables& tables, astro::Planet planet, double jdTt, const DateEcliptic& ecl) {
    const astro::StateVector s = astro::planetState(tables, planet, jdTt);
    const astro::Vec3 r = ecl(astro::eclipticJ2000ToGcrs(s.positionAu));
    const astro::Vec3 v = ecl(astro::eclipticJ2000ToGcrs(s.velocityAuPerDay));
    OrbitPlanet p;
    p.distanceAu = norm(r);
    p.lonDeg = lonOf(r);
    p.latDeg = p.distanceAu > 0.0 ? std::asin(std::clamp(r[2] / p.distanceAu, -1.0, 1.0)) * astro::kRadToDeg : 0.0;
    p.xAu = r[0];
    p.yAu = r[1];
    p.orbitAu = osculatingOrbit(r, v);
    return p;
}

// The Earth's day and night halves, or a Moon's as seen from the north.
void drawHalfLit(float x, float y, float radius, double towardSunLonDeg, Rgb lit, Rgb dark, Painter& painter) {
    drawMoonShape(x, y, radius, 0.5, astro::wrap360Deg(towardSunLonDeg - 90.0), MoonLook{dark, kInk, lit, kInk}, painter);
}

void arrow(float x1, float y1, float x2, float y2, Rgb colour, Painter& painter) {
    painter.line(x1, y1, x2, y2, colour);
    const double a = std::atan2(y2 - y1, x2 - x1), head = twipsFromMm(2.0);
    for (const double side : {2.6, -2.6})
        painter.line(x2, y2, x2 + static_cast<float>(head * std::cos(a + side)),
                     y2 + static_cast<float>(head * std::sin(a + side)), colour);
}

void label(Painter& painter, float x, float y, const std::string& s, float scale = 1.0f) {
    painter.setTextScale(scale);
    painter.setTextPosition(x, y);
    painter.text(s);
    painter.setTextScale(1.0f);
}

// Where a planet stands for the eye on the Earth: "宵の空" …
std::string whenSeen(double elongationDeg, astro::Planet planet) {
    const double a = std::fabs(elongationDeg);
    if (a < 15.0) return "太陽に近く見えない";
    if (a > 150.0) return "一晩中";
    if (planet == astro::Planet::Venus) return elongationDeg > 0 ? "宵の明星（夕方の西の空）" : "明けの明星（明け方の東の空）";
    if (elongationDeg > 0) return a > 90.0 ? "夕方から夜中" : "夕方の西の空";
    return a > 90.0 ? "夜中から明け方" : "明け方の東の空";
}

}  // namespace

OrbitPlanet orbitPlanet(const astro::EphemerisTables& tables, astro::Planet planet, double jdTt) {
    return planetOfDate(tables, planet, jdTt, dateEcliptic(tables, jdTt));
}

OrbitScene orbitScene(const astro::EphemerisTables& tables, double jdUt, double latDeg, double lonDeg,
                      double faceAzDeg, std::optional<astro::Planet> target, const astro::UtcOffsetFn& zone) {
    OrbitScene s;
    s.jdUt = std::isfinite(jdUt) ? jdUt : 2451545.0;
    s.latDeg = std::isfinite(latDeg) ? std::clamp(latDeg, -90.0, 90.0) : 0.0;
    s.lonDeg = std::isfinite(lonDeg) ? lonDeg : 0.0;
    s.zone = zone;
    if (target == astro::Planet::Earth) target.reset();
    s.target = target;
    const double jdTt = astro::jdTtFromUt(s.jdUt);
    const astro::EarthFrame frame = astro::earthFrame(tables, jdTt);
    const DateEcliptic ecl{frame.toTrueOfDate, astro::meanObliquity2006Rad(jdTt) + frame.nutation.depsRad};
    for (int i = 0; i < astro::kPlanetCount; ++i)
        s.planets[i] = planetOfDate(tables, static_cast<astro::Planet>(i), jdTt, ecl);
    const astro::Vec3 sun = astro::apparentPlace(tables, astro::SkyBody::Sun, frame).geocentricAu;
    const astro::Vec3 moon = astro::apparentPlace(tables, astro::SkyBody::Moon, frame).geocentricAu;
    s.sunLonDeg = lonOf(ecl(sun));
    s.moonLonDeg = lonOf(ecl(moon));
    s.moonElongationDeg = astro::wrap360Deg(s.moonLonDeg - s.sunLonDeg);
    // Lit fraction from the phase angle at the Moon (the Sun's and the
    // Earth's directions from it), latitude included.
    const astro::Vec3 moonToSun{sun[0] - moon[0], sun[1] - moon[1], sun[2] - moon[2]};
    const double cosPhase = -dot(moon, moonToSun) / (norm(moon) * norm(moonToSun));
    s.moonIllum = std::isfinite(cosPhase) ? 0.5 * (1.0 + std::clamp(cosPhase, -1.0, 1.0)) : 0.0;

    // The place and the way it faces, from the true equator of date.
    const double theta =
        (astro::greenwichApparentSiderealHours(s.jdUt, jdTt, frame.nutation) * 15.0 + s.lonDeg) * astro::kDegToRad;
    const double phi = s.latDeg * astro::kDegToRad;
    const astro::Vec3 up = ecl.fromEquator({std::cos(phi) * std::cos(theta), std::cos(phi) * std::sin(theta), std::sin(phi)});
    s.observerX = up[0];
    s.observerY = up[1];
    s.observerNear = up[2] >= 0.0;
    const double sunLon = s.sunLonDeg * astro::kDegToRad;
    s.daytime = up[0] * std::cos(sunLon) + up[1] * std::sin(sunLon) > 0.0;
    std::array<double, 2> face{};
    if (target) {
        const OrbitPlanet& p = s.planets[static_cast<int>(*target)];
        const OrbitPlanet& e = s.planets[static_cast<int>(astro::Planet::Earth)];
        face = {p.xAu - e.xAu, p.yAu - e.yAu};
        s.facingLabel = kPlanetNames[static_cast<int>(*target)];
    } else {
        const double az = (std::isfinite(faceAzDeg) ? faceAzDeg : 180.0) * astro::kDegToRad;
        const astro::Vec3 east{-std::sin(theta), std::cos(theta), 0.0};
        const astro::Vec3 north{-std::sin(phi) * std::cos(theta), -std::sin(phi) * std::sin(theta), std::cos(phi)};
        const astro::Vec3 d = ecl.fromEquator({north[0] * std::cos(az) + east[0] * std::sin(az),
                                               north[1] * std::cos(az) + east[1] * std::sin(az),
                                               north[2] * std::cos(az) + east[2] * std::sin(az)});
        face = {d[0], d[1]};
        static const char* const kPoints[] = {"北", "北東", "東", "南東", "南", "南西", "西", "北西"};
        s.facingLabel = kPoints[static_cast<int>(std::lround(astro::wrap360Deg(az * astro::kRadToDeg) / 45.0)) % 8];
    }
    const double length = std::hypot(face[0], face[1]);
    if (length > 0.05) s.facing = std::array<double, 2>{face[0] / length, face[1] / length};

    // An eclipse within a day: only near new or full Moon is one looked for.
    const double fromSyzygy = std::min(std::fabs(astro::wrap180Deg(s.moonElongationDeg)), std::fabs(astro::wrap180Deg(s.moonElongationDeg - 180.0)));
    if (fromSyzygy < 15.0)
        for (const astro::GlobalEclipse& g : astro::eclipsesBetween(tables, s.jdUt - 1.0, s.jdUt + 1.0)) {
            s.eclipse = g.kind == astro::EclipseKind::Solar ? EclipseHint::Solar : EclipseHint::Lunar;
            s.eclipseJdUt = g.greatestJdUt;
        }
    return s;
}

OrbitFrame orbitFrame(OrbitExtent extent) {
    OrbitFrame f;
    f.extent = extent;
    f.sunX = twipsFromMm(kMainCentreXMm);
    f.sunY = twipsFromMm(kMainCentreYMm);
    f.radius = twipsFromMm(kMainRadiusMm);
    // The outermost orbit's aphelion at the rim.
    const double reach = extent == OrbitExtent::Mars ? kToScaleAu : extent == OrbitExtent::Saturn ? 10.1 : 30.4;
    const double shrunk = reach <= kToScaleAu ? reach : kToScaleAu * (1.0 + std::log(reach / kToScaleAu));
    f.twipsPerAu = f.radius / shrunk;
    return f;
}

Vertex orbitPoint(const OrbitFrame& frame, double xAu, double yAu) {
    const double r = std::hypot(xAu, yAu);
    double k = frame.twipsPerAu;
    if (frame.extent != OrbitExtent::Mars && r > kToScaleAu) k *= kToScaleAu * (1.0 + std::log(r / kToScaleAu)) / r;
    return {static_cast<float>(frame.sunX + k * xAu), static_cast<float>(frame.sunY - k * yAu)};
}

bool orbitShows(OrbitExtent extent, astro::Planet planet) {
    return extent == OrbitExtent::Neptune || (planet != astro::Planet::Uranus && planet != astro::Planet::Neptune);
}

void drawOrbitView(const OrbitScene& scene, OrbitExtent extent, Painter& painter) {
    painter.clear();
    painter.setFillStyleSolid();
    const astro::UtcOffsetFn zone = scene.zone ? scene.zone : astro::fixedUtcOffset(9 * 3600);
    const astro::LocalDateTime t = astro::localMinute(scene.jdUt, zone);
    label(painter, twipsFromMm(12.0), twipsFromMm(8.0), "宇宙から見た図（太陽系を北側から見る）", 1.5f);
    label(painter, twipsFromMm(12.0), twipsFromMm(17.0),
          std::to_string(t.date.year) + "年" + std::to_string(t.date.month) + "月" + std::to_string(t.date.day) + "日 " +
              std::to_string(t.hour) + ":" + (t.minute < 10 ? "0" : "") + std::to_string(t.minute) +
              (scene.placeName.empty() ? std::string() : "　" + scene.placeName));

    // The series are made for 1900-2100 and hold for centuries around them,
    // not for millennia.
    if (t.date.year < 1000 || t.date.year > 3000)
        label(painter, twipsFromMm(12.0), twipsFromMm(23.0), "この年は計算の元になる理論の範囲から遠く、惑星の位置は正しくありません。", 0.85f);
    const OrbitFrame f = orbitFrame(extent);
    const int earth = static_cast<int>(astro::Planet::Earth);
    // Orbits, then the Sun and the planets.
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        const auto planet = static_cast<astro::Planet>(i);
        if (extent == OrbitExtent::Mars && i > static_cast<int>(astro::Planet::Mars)) continue;
        if (!orbitShows(extent, planet)) continue;
        std::vector<Vertex> path;
        for (const auto& p : scene.planets[i].orbitAu) path.push_back(orbitPoint(f, p[0], p[1]));
        painter.polyline(path, i == earth ? kEarthBlue : kOrbitGrey);
    }
    painter.setFillColour({255, 200, 40});
    painter.disc(f.sunX, f.sunY, twipsFromMm(2.6), {230, 150, 0});
    label(painter, f.sunX - twipsFromMm(3.0), f.sunY + twipsFromMm(2.8), "太陽", 0.85f);
    // The equinox's way, along the rim.
    arrow(f.sunX + f.radius - twipsFromMm(16.0), f.sunY, f.sunX + f.radius + twipsFromMm(2.0), f.sunY, kOrbitGrey, painter);
    label(painter, f.sunX + f.radius - twipsFromMm(18.0), f.sunY + twipsFromMm(1.2), "春分点の方向", 0.75f);

    const Vertex e = orbitPoint(f, scene.planets[earth].xAu, scene.planets[earth].yAu);
    if (scene.target) {
        const OrbitPlanet& p = scene.planets[static_cast<int>(*scene.target)];
        const Vertex q = orbitPoint(f, p.xAu, p.yAu);
        painter.setLineStyle(LineStyle::Dashed);
        painter.line(e.x, e.y, q.x, q.y, kFacingRed);
        painter.setLineStyle(LineStyle::Solid);
    }
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        const auto planet = static_cast<astro::Planet>(i);
        if (i == earth || !orbitShows(extent, planet)) continue;
        const OrbitPlanet& p = scene.planets[i];
        Vertex v = orbitPoint(f, p.xAu, p.yAu);
        std::string name = kPlanetNames[i];
        if (extent == OrbitExtent::Mars && i > static_cast<int>(astro::Planet::Mars)) {
            // Beyond the picture: at the rim, in its direction.
            const double a = std::atan2(p.yAu, p.xAu);
            v = {static_cast<float>(f.sunX + (f.radius + twipsFromMm(3.0)) * std::cos(a)),
                 static_cast<float>(f.sunY - (f.radius + twipsFromMm(3.0)) * std::sin(a))};
            name += "（この方向）";
        }
        painter.setFillColour(kPlanetColours[i]);
        painter.disc(v.x, v.y, twipsFromMm(1.4), kInk);
        label(painter, v.x + twipsFromMm(1.9), v.y - twipsFromMm(1.4), name, 0.85f);
    }
    // The Earth, enlarged, with the observer and the way they face.
    const float earthR = twipsFromMm(2.6);
    drawHalfLit(e.x, e.y, earthR, scene.sunLonDeg, {150, 200, 255}, {30, 40, 80}, painter);
    const float ox = e.x + static_cast<float>(earthR * scene.observerX), oy = e.y - static_cast<float>(earthR * scene.observerY);
    painter.setFillColour(scene.observerNear ? kFacingRed : Rgb{255, 255, 255});
    painter.disc(ox, oy, twipsFromMm(0.6), kFacingRed);
    if (scene.facing) {
        const float fx = ox + twipsFromMm(12.0) * static_cast<float>((*scene.facing)[0]);
        const float fy = oy - twipsFromMm(12.0) * static_cast<float>((*scene.facing)[1]);
        arrow(ox, oy, fx, fy, kFacingRed, painter);
        if (!scene.target) label(painter, fx + twipsFromMm(1.0), fy - twipsFromMm(1.0), scene.facingLabel + "を見る", 0.8f);
    }
    if (scene.target) {
        const OrbitPlanet& p = scene.planets[static_cast<int>(*scene.target)];
        const Vertex q = orbitPoint(f, p.xAu, p.yAu);
        label(painter, (e.x + q.x) / 2 + twipsFromMm(1.0), (e.y + q.y) / 2 + twipsFromMm(0.5), "視線", 0.75f);
    }
    // The Earth's name on the side away from the Sun.
    const double away = std::atan2(e.y - f.sunY, e.x - f.sunX);
    label(painter, e.x + twipsFromMm(7.0) * static_cast<float>(std::cos(away)) - twipsFromMm(5.5) + twipsFromMm(5.5) * static_cast<float>(std::cos(away)),
          e.y + twipsFromMm(6.0) * static_cast<float>(std::sin(away)) - twipsFromMm(1.5), std::string("地球") + (scene.daytime ? "（昼）" : "（夜）"),
          0.85f);

    // Below the diagram: what is to scale.
    label(painter, twipsFromMm(12.0), twipsFromMm(202.0),
          extent == OrbitExtent::Mars
              ? "火星まで、太陽からの距離は実際の比率です。地球・太陽・惑星の大きさは拡大しています。"
              : "火星までは実際の比率、それより外は縮めて描いています。天体の大きさは拡大しています。",
          0.75f);

    // The Earth and the Moon from the north, the sunlight from the Sun's side.
    const float bx = twipsFromMm(kInsetLeftMm), by = twipsFromMm(kInsetTopMm), bw = twipsFromMm(kInsetWidthMm), bh = twipsFromMm(kInsetHeightMm);
    painter.polyline(std::vector<Vertex>{{bx, by}, {bx + bw, by}, {bx + bw, by + bh}, {bx, by + bh}, {bx, by}}, kOrbitGrey);
    label(painter, bx + twipsFromMm(2.0), by + twipsFromMm(1.5), "地球と月（北側から見る）", 0.9f);
    const float cx = bx + bw / 2, cy = by + twipsFromMm(46.0);
    std::vector<Vertex> moonOrbit;
    for (int i = 0; i <= 72; ++i)
        moonOrbit.push_back({cx + twipsFromMm(19.0) * static_cast<float>(std::cos(i * kPi / 36)),
                             cy - twipsFromMm(19.0) * static_cast<float>(std::sin(i * kPi / 36))});
    painter.polyline(moonOrbit, kOrbitGrey);
    const double sun = scene.sunLonDeg * astro::kDegToRad;
    const double ux = std::cos(sun), uy = -std::sin(sun);  // toward the Sun on the page
    for (const double off : {-10.0, 0.0, 10.0}) {
        const float sx = cx + twipsFromMm(43.0 * ux - off * uy), sy = cy + twipsFromMm(43.0 * uy + off * ux);
        arrow(sx, sy, sx - twipsFromMm(7.0 * ux), sy - twipsFromMm(7.0 * uy), {230, 150, 0}, painter);
    }
    label(painter, cx + twipsFromMm(44.0 * ux) - twipsFromMm(5.0) + twipsFromMm(6.0 * uy), cy + twipsFromMm(44.0 * uy) - twipsFromMm(6.0 * ux) - twipsFromMm(1.0), "太陽の光", 0.75f);
    drawHalfLit(cx, cy, twipsFromMm(5.0), scene.sunLonDeg, {150, 200, 255}, {30, 40, 80}, painter);
    // The eight phases as the Earth sees them, outside the orbit.
    static const char* const kPhaseNames[8] = {"新月", "三日月", "上弦", "", "満月", "", "下弦", ""};
    const MoonLook look{{70, 70, 80}, {120, 120, 130}, {250, 240, 200}, {160, 150, 90}};
    for (int k = 0; k < 8; ++k) {
        const double a = sun + k * kPi / 4;
        const float px = cx + twipsFromMm(31.0) * static_cast<float>(std::cos(a)), py = cy - twipsFromMm(31.0) * static_cast<float>(std::sin(a));
        const double elong = k * 45.0;
        // Seen from the northern hemisphere: waxing lit on the right.
        drawMoonShape(px, py, twipsFromMm(3.4), 0.5 * (1.0 - std::cos(elong * astro::kDegToRad)), k < 4 ? 270.0 : 90.0, look, painter);
        if (*kPhaseNames[k]) label(painter, px - twipsFromMm(3.5), py + twipsFromMm(3.8), kPhaseNames[k], 0.7f);
    }
    // The Moon where it is.
    const double m = scene.moonLonDeg * astro::kDegToRad;
    const float mx = cx + twipsFromMm(19.0) * static_cast<float>(std::cos(m)), my = cy - twipsFromMm(19.0) * static_cast<float>(std::sin(m));
    drawHalfLit(mx, my, twipsFromMm(2.6), scene.sunLonDeg, {250, 240, 200}, {70, 70, 80}, painter);
    label(painter, mx + twipsFromMm(3.0), my - twipsFromMm(2.0), "月", 0.85f);
    label(painter, bx + twipsFromMm(2.0), by + bh - twipsFromMm(12.0),
          "外側：地球から見た月の形（北半球）　いまの月：輝面比 " + astro::fixedText(scene.moonIllum, 2), 0.7f);
    if (scene.eclipse != EclipseHint::None) {
        const astro::LocalDateTime g = astro::localMinute(scene.eclipseJdUt, zone);
        label(painter, bx + twipsFromMm(2.0), by + bh - twipsFromMm(6.5),
              std::string(scene.eclipse == EclipseHint::Solar ? "日食" : "月食") + "（" + std::to_string(g.date.month) + "月" +
                  std::to_string(g.date.day) + "日 " + std::to_string(g.hour) + ":" + (g.minute < 10 ? "0" : "") +
                  std::to_string(g.minute) + "）：太陽・月・地球が一直線",
              0.8f);
    }

    // Where each planet is seen from here.
    double y = kInsetTopMm + kInsetHeightMm + 7.0;
    label(painter, bx, twipsFromMm(y), "惑星　太陽からの距離　地球からの距離　見えるころ", 0.8f);
    const OrbitPlanet& ep = scene.planets[earth];
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        if (i == earth) continue;
        const OrbitPlanet& p = scene.planets[i];
        const double dx = p.xAu - ep.xAu, dy = p.yAu - ep.yAu;
        const double dz = p.distanceAu * std::sin(p.latDeg * astro::kDegToRad);
        const double fromEarth = std::sqrt(dx * dx + dy * dy + dz * dz);
        const double elong = astro::wrap180Deg(std::atan2(dy, dx) * astro::kRadToDeg - scene.sunLonDeg);
        y += 5.6;
        label(painter, bx, twipsFromMm(y),
              std::string(kPlanetNames[i]) + "　" + astro::fixedText(p.distanceAu, 2) + " au　" + astro::fixedText(fromEarth, 2) +
                  " au　" + whenSeen(elong, static_cast<astro::Planet>(i)),
              0.8f);
    }
}

OrbitMarks orbitMarks(const astro::EphemerisTables& tables, astro::Planet planet, const std::vector<double>& momentsJdUt) {
    OrbitMarks m;
    if (momentsJdUt.empty() || !std::isfinite(momentsJdUt.front())) return m;
    const double jdTt0 = astro::jdTtFromUt(momentsJdUt.front());
    const DateEcliptic ecl = dateEcliptic(tables, jdTt0);
    m.earthOrbitAu = planetOfDate(tables, astro::Planet::Earth, jdTt0, ecl).orbitAu;
    m.planetOrbitAu = planetOfDate(tables, planet, jdTt0, ecl).orbitAu;
    for (const double jdUt : momentsJdUt) {
        const double jdTt = astro::jdTtFromUt(jdUt);
        const OrbitPlanet a = planetOfDate(tables, astro::Planet::Earth, jdTt, ecl);
        const OrbitPlanet b = planetOfDate(tables, planet, jdTt, ecl);
        m.earthAu.push_back({a.xAu, a.yAu});
        m.planetAu.push_back({b.xAu, b.yAu});
    }
    return m;
}

void drawOrbitMarks(const OrbitMarks& marks, float centreX, float centreY, float radius, Painter& painter) {
    const double k = radius * 0.95 / 1.017;  // the Earth's aphelion
    const auto at = [&](const std::array<double, 2>& p) {
        return Vertex{centreX + static_cast<float>(k * p[0]), centreY - static_cast<float>(k * p[1])};
    };
    for (const auto* orbit : {&marks.earthOrbitAu, &marks.planetOrbitAu}) {
        std::vector<Vertex> path;
        for (const auto& q : *orbit) path.push_back(at(q));
        painter.polyline(path, orbit == &marks.earthOrbitAu ? kEarthBlue : kOrbitGrey);
    }
    painter.setFillColour({255, 200, 40});
    painter.disc(centreX, centreY, radius * 0.05f, {230, 150, 0});
    const std::size_t n = std::min(marks.earthAu.size(), marks.planetAu.size());
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex a = at(marks.earthAu[i]), b = at(marks.planetAu[i]);
        painter.setLineStyle(LineStyle::Dotted);
        painter.line(a.x, a.y, b.x, b.y, kOrbitGrey);
        painter.setLineStyle(LineStyle::Solid);
        painter.setFillColour(kEarthBlue);
        painter.disc(a.x, a.y, radius * 0.025f, kEarthBlue);
        painter.setFillColour({220, 190, 80});
        painter.disc(b.x, b.y, radius * 0.03f, kInk);
        // Numbers outside each orbit, away from the Sun.
        for (const Vertex& v : {a, b}) {
            const double d = std::atan2(v.y - centreY, v.x - centreX);
            label(painter, v.x + radius * 0.09f * static_cast<float>(std::cos(d)) - radius * 0.03f,
                  v.y + radius * 0.09f * static_cast<float>(std::sin(d)) - radius * 0.05f, std::to_string(i + 1), 0.6f);
        }
    }
}

}  // namespace view
