#include "astro/eclipses.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "astro/delta_t.h"
#include "astro/precise_sky.h"
#include "astro/transforms.h"

namespace astro {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = 180.0 / kPi;
constexpr double kArcsec = kPi / 648000.0;
constexpr double kEarthKm = 6378.137;
constexpr double kFlattening = 1.0 / 298.257222101;
constexpr double kSunKm = 959.63 * kArcsec * kAuKm;  // 959.63" at 1 au
constexpr double kMoonK = 0.2725076, kMoonKCentral = 0.2722810;
constexpr double kRefractionRad = (35.0 * 60.0 + 8.0) * kArcsec;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kStepDays = 3.0 / 24.0;  // the track's nodes (the Moon within 6 m)
constexpr int kHalfNodes = 2;             // ±6 h
constexpr double kTinyDays = 1e-7;        // 0.009 s

Vec3 sub(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double norm(const Vec3& a) { return std::sqrt(dot(a, a)); }
double angle(const Vec3& a, const Vec3& b) {
    const Vec3 c = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    return std::atan2(norm(c), dot(a, b));
}

Vec3 vectorKm(const ApparentPlace& p) {
    const double a = p.raHours * kPi / 12.0, d = p.decDeg / kRad, r = p.distanceAu * kAuKm;
    return {r * std::cos(d) * std::cos(a), r * std::cos(d) * std::sin(a), r * std::sin(d)};
}

double raHoursOf(const Vec3& v) {
    double h = std::atan2(v[1], v[0]) * 12.0 / kPi;
    return h < 0.0 ? h + 24.0 : h;
}
double decDegOf(const Vec3& v) { return std::asin(std::clamp(v[2] / norm(v), -1.0, 1.0)) * kRad; }

// The Sun and the Moon across an eclipse, interpolated between nodes.
struct Track {
    double firstTt = 0.0;
    std::vector<Vec3> sun, moon;
    Nutation nutation;
    double deltaTDays = 0.0;

    Vec3 at(const std::vector<Vec3>& v, double jdTt) const {
        const double x = (jdTt - firstTt) / kStepDays;
        const int last = static_cast<int>(v.size()) - 1;
        const int i0 = std::clamp(static_cast<int>(std::floor(x)) - 1, 0, last - 3);
        Vec3 out{};
        for (int j = 0; j < 4; ++j) {
            double w = 1.0;
            for (int m = 0; m < 4; ++m)
                if (m != j) w *= (x - (i0 + m)) / static_cast<double>(j - m);
            for (int k = 0; k < 3; ++k) out[k] += w * v[static_cast<std::size_t>(i0 + j)][k];
        }
        return out;
    }
    Vec3 sunAt(double t) const { return at(sun, t); }
    Vec3 moonAt(double t) const { return at(moon, t); }
    double startTt() const { return firstTt; }
    double endTt() const { return firstTt + kStepDays * static_cast<double>(sun.size() - 1); }
};

Track makeTrack(const EphemerisTables& tables, double centreTt) {
    Track t;
    t.firstTt = centreTt - kHalfNodes * kStepDays;
    for (int k = 0; k <= 2 * kHalfNodes; ++k) {
        const double jd = t.firstTt + k * kStepDays;
        const EarthFrame frame = earthFrame(tables, jd);
        t.sun.push_back(vectorKm(apparentPlace(tables, SkyBody::Sun, frame)));
        t.moon.push_back(vectorKm(apparentPlace(tables, SkyBody::Moon, frame)));
    }
    t.nutation = nutation2000b(tables.nutation, centreTt);
    t.deltaTDays = deltaTSeconds(decimalYearFromJd(centreTt)) / 86400.0;
    return t;
}

// Golden-section minimum of f on [a, b].
double minimumOf(const std::function<double(double)>& f, double a, double b) {
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    double c = b - g * (b - a), d = a + g * (b - a), fc = f(c), fd = f(d);
    while (b - a > kTinyDays) {
        if (fc < fd) {
            b = d, d = c, fd = fc, c = b - g * (b - a), fc = f(c);
        } else {
            a = c, c = d, fc = fd, d = a + g * (b - a), fd = f(d);
        }
    }
    return (a + b) / 2.0;
}

// A root of f between a and b, where f changes sign.
double rootOf(const std::function<double(double)>& f, double a, double b) {
    double fa = f(a);
    while (b - a > kTinyDays) {
        const double m = (a + b) / 2.0, fm = f(m);
        if ((fm < 0.0) == (fa < 0.0)) a = m, fa = fm;
        else b = m;
    }
    return (a + b) / 2.0;
}

// The times in [a, b] where f changes sign, scanned every minute.
std::vector<double> rootsOf(const std::function<double(double)>& f, double a, double b) {
    std::vector<double> out;
    const double step = 1.0 / 1440.0;
    double t0 = a, f0 = f(a);
    for (double t1 = a + step; t0 < b; t1 += step) {
        t1 = std::min(t1, b);
        const double f1 = f(t1);
        if ((f0 < 0.0) != (f1 < 0.0)) out.push_back(rootOf(f, t0, t1));
        t0 = t1, f0 = f1;
    }
    return out;
}

// --- Lunar ---------------------------------------------------------------

struct LunarGeometry {
    double delta = 0.0;  // the Moon's centre from the shadow's, rad
    double umbra = 0.0, penumbra = 0.0, moon = 0.0;  // radii, rad
};

LunarGeometry lunarAt(const Track& track, double t) {
    const Vec3 s = track.sunAt(t), m = track.moonAt(t);
    const double ds = norm(s), dm = norm(m);
    const double parallaxMoon = std::asin(kEarthKm / dm), parallaxSun = std::asin(kEarthKm / ds);
    const double sunRadius = std::asin(kSunKm / ds);
    LunarGeometry g;
    g.delta = angle(m, {-s[0], -s[1], -s[2]});
    g.umbra = 1.02 * (0.998340 * parallaxMoon - sunRadius + parallaxSun);
    g.penumbra = 1.02 * (0.998340 * parallaxMoon + sunRadius + parallaxSun);
    g.moon = std::asin(kMoonK * kEarthKm / dm);
    return g;
}

// --- Solar, whole Earth ---------------------------------------------------

struct Axis {
    double d = 0.0;      // the shadow axis's least distance from the Earth's centre, km
    double north = 0.0;  // its z, km (the sign of gamma)
    double s = 0.0;      // from the Moon to the plane through the Earth's centre, km
    double sunMoon = 0.0;
};

Axis axisAt(const Track& track, double t) {
    const Vec3 s = track.sunAt(t), m = track.moonAt(t);
    const Vec3 sm = sub(m, s);
    const double len = norm(sm);
    const Vec3 u = {sm[0] / len, sm[1] / len, sm[2] / len};
    const double along = dot(m, u);
    const Vec3 p = {m[0] - along * u[0], m[1] - along * u[1], m[2] - along * u[2]};
    return {norm(p), p[2], -along, len};
}
double umbraRadiusKm(const Axis& a, double s) { return kMoonKCentral * kEarthKm - s * (kSunKm - kMoonKCentral * kEarthKm) / a.sunMoon; }
double penumbraRadiusKm(const Axis& a, double s) { return kMoonK * kEarthKm + s * (kSunKm + kMoonK * kEarthKm) / a.sunMoon; }

// The apparent ecliptic longitude of date of a vector, rad.
double eclipticLongitude(const Vec3& v, double obliquity) {
    return std::atan2(v[1] * std::cos(obliquity) + v[2] * std::sin(obliquity), v[0]);
}

// A syzygy (new or full Moon) near its mean time, TT, by one step on the
// apparent elongation; nothing when the Moon is then too far from the
// ecliptic for any eclipse (1.6°: the Sun's and the penumbra's reach, with
// what the step's hours may change it).
std::optional<double> syzygy(const EphemerisTables& tables, double meanTt, bool full) {
    const EarthFrame frame = earthFrame(tables, meanTt);
    const double eps = meanObliquity2006Rad(meanTt) + frame.nutation.depsRad;
    const Vec3 sun = vectorKm(apparentPlace(tables, SkyBody::Sun, frame));
    const Vec3 moon = vectorKm(apparentPlace(tables, SkyBody::Moon, frame));
    const double f = std::remainder(eclipticLongitude(moon, eps) - eclipticLongitude(sun, eps) - (full ? kPi : 0.0), 2.0 * kPi);
    const double step = -f / (12.1907 / kRad);
    const double z = -moon[1] * std::sin(eps) + moon[2] * std::cos(eps);
    const double latitudeDeg = std::asin(std::clamp(z / norm(moon), -1.0, 1.0)) * kRad;
    if (std::fabs(latitudeDeg) - 0.06 * 24.0 * std::fabs(step) > 1.65) return std::nullopt;
    return meanTt + step;
}

std::optional<GlobalEclipse> lunarEclipseNear(const Track& track, double centre) {
    const double tMax = minimumOf([&](double t) { return lunarAt(track, t).delta; }, centre - 0.2, centre + 0.2);
    const LunarGeometry g = lunarAt(track, tMax);
    if (g.delta >= g.penumbra + g.moon) return std::nullopt;
    GlobalEclipse e;
    e.kind = EclipseKind::Lunar;
    e.greatestJdTt = tMax;
    e.greatestJdUt = tMax - track.deltaTDays;
    e.umbralMagnitude = (g.umbra + g.moon - g.delta) / (2.0 * g.moon);
    e.penumbralMagnitude = (g.penumbra + g.moon - g.delta) / (2.0 * g.moon);
    e.type = e.umbralMagnitude >= 1.0 ? EclipseType::Total : e.umbralMagnitude > 0.0 ? EclipseType::Partial : EclipseType::Penumbral;
    return e;
}

std::optional<GlobalEclipse> solarEclipseNear(const Track& track, double centre) {
    const double tMax = minimumOf([&](double t) { return axisAt(track, t).d; }, centre - 0.2, centre + 0.2);
    const Axis a = axisAt(track, tMax);
    if (a.d >= kEarthKm + penumbraRadiusKm(a, a.s)) return std::nullopt;
    GlobalEclipse e;
    e.kind = EclipseKind::Solar;
    e.greatestJdTt = tMax;
    e.greatestJdUt = tMax - track.deltaTDays;
    e.gamma = std::copysign(a.d / kEarthKm, a.north);
    const double atPlane = umbraRadiusKm(a, a.s);
    if (a.d < kEarthKm) {
        const double atSurface = umbraRadiusKm(a, a.s - std::sqrt(kEarthKm * kEarthKm - a.d * a.d));
        e.type = atSurface > 0.0 && atPlane > 0.0 ? EclipseType::Total
               : atSurface < 0.0 && atPlane < 0.0 ? EclipseType::Annular
                                                  : EclipseType::Hybrid;
    } else if (a.d < kEarthKm + std::fabs(atPlane)) {
        e.type = atPlane > 0.0 ? EclipseType::Total : EclipseType::Annular;
    } else {
        e.type = EclipseType::Partial;
    }
    return e;
}

// --- At a place -----------------------------------------------------------

struct Observer {
    double latDeg = 0.0, lonDeg = 0.0;
    double c = 0.0, s = 0.0;  // ρ cos φ', ρ sin φ'
};

Observer observerAt(double latDeg, double lonDeg) {
    const double u = std::atan((1.0 - kFlattening) * std::tan(latDeg / kRad));
    return {latDeg, lonDeg, std::cos(u), (1.0 - kFlattening) * std::sin(u)};
}

// What the place sees of one body at a moment.
struct Topocentric {
    Vec3 v{};  // from the observer, km, true equator and equinox of date
    double altDeg = 0.0, azDeg = 0.0;
    double raHours = 0.0, decDeg = 0.0;
    double gastHours = 0.0;
};

Topocentric topocentric(const Track& track, const Observer& o, const Vec3& geo, double t) {
    const double ut = t - track.deltaTDays;
    Topocentric out;
    out.gastHours = greenwichApparentSiderealHours(ut, t, track.nutation);
    const double theta = (out.gastHours * 15.0 + o.lonDeg) / kRad;
    const Vec3 place = {kEarthKm * o.c * std::cos(theta), kEarthKm * o.c * std::sin(theta), kEarthKm * o.s};
    out.v = sub(geo, place);
    out.raHours = raHoursOf(out.v);
    out.decDeg = decDegOf(out.v);
    const Horizontal h = equatorialToHorizontal(out.raHours, out.decDeg, out.gastHours, o.latDeg, o.lonDeg);
    out.altDeg = h.altDeg;
    out.azDeg = h.azDeg;
    return out;
}

// Position angle of b seen from a, from north through east, degrees [0, 360).
double positionAngleDeg(double ra1h, double dec1, double ra2h, double dec2) {
    const double da = (ra2h - ra1h) * kPi / 12.0, d1 = dec1 / kRad, d2 = dec2 / kRad;
    double p = std::atan2(std::sin(da) * std::cos(d2), std::cos(d1) * std::sin(d2) - std::sin(d1) * std::cos(d2) * std::cos(da)) * kRad;
    return p < 0.0 ? p + 360.0 : p;
}

double parallacticDeg(const Topocentric& t, double latDeg, double lonDeg) {
    const double h = ((t.gastHours - t.raHours) * 15.0 + lonDeg) / kRad;
    const double lat = latDeg / kRad, dec = t.decDeg / kRad;
    return std::atan2(std::sin(h), std::tan(lat) * std::cos(dec) - std::sin(dec) * std::cos(h)) * kRad;
}

double wrap360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

// The area of the Sun's disc (radius R) covered by the Moon's (r) at centre
// distance c, as a fraction of the Sun's.
double coveredFraction(double R, double r, double c) {
    if (c >= R + r) return 0.0;
    if (c <= std::fabs(R - r)) return std::min(1.0, (r * r) / (R * R));
    const double a = std::acos(std::clamp((c * c + R * R - r * r) / (2.0 * c * R), -1.0, 1.0));
    const double b = std::acos(std::clamp((c * c + r * r - R * R) / (2.0 * c * r), -1.0, 1.0));
    const double area = R * R * a + r * r * b - 0.5 * std::sqrt(std::max(0.0, (-c + R + r) * (c + R - r) * (c - R + r) * (c + R + r)));
    return area / (kPi * R * R);
}

struct SolarLocal {
    Topocentric sun, moon;
    double separation = 0.0, sunRadius = 0.0, moonRadius = 0.0, moonRadiusCentral = 0.0;
};

SolarLocal solarAt(const Track& track, const Observer& o, double t) {
    SolarLocal s;
    s.sun = topocentric(track, o, track.sunAt(t), t);
    s.moon = topocentric(track, o, track.moonAt(t), t);
    s.separation = angle(s.sun.v, s.moon.v);
    s.sunRadius = std::asin(kSunKm / norm(s.sun.v));
    s.moonRadius = std::asin(kMoonK * kEarthKm / norm(s.moon.v));
    s.moonRadiusCentral = std::asin(kMoonKCentral * kEarthKm / norm(s.moon.v));
    return s;
}

double solarMagnitude(const SolarLocal& s) { return (s.sunRadius + s.moonRadius - s.separation) / (2.0 * s.sunRadius); }

EclipseMoment solarMoment(const Track& track, const Observer& o, const char* event, double t, bool opposite) {
    const SolarLocal s = solarAt(track, o, t);
    EclipseMoment m;
    m.event = event;
    m.jdUt = t - track.deltaTDays;
    m.altDeg = s.sun.altDeg;
    m.azDeg = s.sun.azDeg;
    m.hasAngles = true;
    m.paNorthDeg = wrap360(positionAngleDeg(s.sun.raHours, s.sun.decDeg, s.moon.raHours, s.moon.decDeg) + (opposite ? 180.0 : 0.0));
    m.paZenithDeg = wrap360(m.paNorthDeg - parallacticDeg(s.sun, o.latDeg, o.lonDeg));
    m.magnitude = std::max(0.0, solarMagnitude(s));
    return m;
}

// The body's upper limb on the horizon with the almanac's refraction: the
// centre's geometric altitude minus this is zero.
double sunHorizonDeg(const SolarLocal& s) { return s.sun.altDeg + (kRefractionRad + s.sunRadius) * kRad; }

LocalEclipse solarLocal(const Track& track, const GlobalEclipse& g, const Observer& o) {
    LocalEclipse out;
    out.global = g;
    out.latDeg = o.latDeg;
    out.lonDeg = o.lonDeg;
    const double a = std::max(track.startTt(), g.greatestJdTt - 0.17), b = std::min(track.endTt(), g.greatestJdTt + 0.17);
    const auto outer = [&](double t) {
        const SolarLocal s = solarAt(track, o, t);
        return s.separation - (s.sunRadius + s.moonRadius);
    };
    const std::vector<double> outerRoots = rootsOf(outer, a, b);
    if (outerRoots.size() < 2) return out;
    const double c1 = outerRoots.front(), c4 = outerRoots.back();
    const double tMax = minimumOf([&](double t) { return solarAt(track, o, t).separation; }, c1, c4);
    const SolarLocal atMax = solarAt(track, o, tMax);
    out.magnitude = solarMagnitude(atMax);
    out.obscuration = coveredFraction(atMax.sunRadius, atMax.moonRadius, atMax.separation);
    const bool total = atMax.moonRadiusCentral > atMax.sunRadius;
    const auto inner = [&](double t) {
        const SolarLocal s = solarAt(track, o, t);
        return s.separation - std::fabs(s.sunRadius - s.moonRadiusCentral);
    };
    const std::vector<double> innerRoots = rootsOf(inner, c1, c4);
    out.type = innerRoots.size() >= 2 ? (total ? EclipseType::Total : EclipseType::Annular) : EclipseType::Partial;
    out.events.push_back(solarMoment(track, o, "C1", c1, false));
    if (innerRoots.size() >= 2) out.events.push_back(solarMoment(track, o, "C2", innerRoots.front(), total));
    out.events.push_back(solarMoment(track, o, "max", tMax, false));
    if (innerRoots.size() >= 2) out.events.push_back(solarMoment(track, o, "C3", innerRoots.back(), total));
    out.events.push_back(solarMoment(track, o, "C4", c4, false));
    // Sunrise or sunset while the Sun is eclipsed.
    const auto horizon = [&](double t) { return sunHorizonDeg(solarAt(track, o, t)); };
    for (const double t : rootsOf(horizon, c1, c4)) {
        EclipseMoment m = solarMoment(track, o, "", t, false);
        const bool rising = horizon(t + 0.001) > 0.0;
        m.event = rising ? "rise" : "set";
        (rising ? out.rise : out.set) = m;
    }
    out.seen = horizon(c1) > 0.0 || horizon(tMax) > 0.0 || horizon(c4) > 0.0 || out.rise || out.set;
    return out;
}

EclipseMoment lunarMoment(const Track& track, const Observer& o, const char* event, double t) {
    const Topocentric m = topocentric(track, o, track.moonAt(t), t);
    EclipseMoment out;
    out.event = event;
    out.jdUt = t - track.deltaTDays;
    out.altDeg = m.altDeg;
    out.azDeg = m.azDeg;
    const LunarGeometry g = lunarAt(track, t);
    out.magnitude = (g.umbra + g.moon - g.delta) / (2.0 * g.moon);
    return out;
}

LocalEclipse lunarLocal(const Track& track, const GlobalEclipse& g, const Observer& o) {
    LocalEclipse out;
    out.global = g;
    out.latDeg = o.latDeg;
    out.lonDeg = o.lonDeg;
    out.type = g.type;
    out.umbralMagnitude = g.umbralMagnitude;
    out.penumbralMagnitude = g.penumbralMagnitude;
    const double a = track.startTt(), b = track.endTt(), tMax = g.greatestJdTt;
    const auto contact = [&](double sign, int shadow) {
        return [&, sign, shadow](double t) {
            const LunarGeometry l = lunarAt(track, t);
            return l.delta - ((shadow == 0 ? l.penumbra : l.umbra) + sign * l.moon);
        };
    };
    struct Pair {
        const char* before;
        const char* after;
        double sign;
        int shadow;
    };
    std::vector<std::pair<double, const char*>> times;
    for (const Pair& p : {Pair{"P1", "P4", 1.0, 0}, Pair{"U1", "U4", 1.0, 1}, Pair{"U2", "U3", -1.0, 1}}) {
        const auto f = contact(p.sign, p.shadow);
        if (!(f(tMax) < 0.0)) continue;
        times.emplace_back(rootOf(f, a, tMax), p.before);
        times.emplace_back(rootOf(f, tMax, b), p.after);
    }
    times.emplace_back(tMax, "max");
    std::sort(times.begin(), times.end());
    for (const auto& [t, name] : times) out.events.push_back(lunarMoment(track, o, name, t));
    // Moonrise or moonset during the eclipse, by the upper limb.
    const auto horizon = [&](double t) {
        const Topocentric m = topocentric(track, o, track.moonAt(t), t);
        return m.altDeg + (kRefractionRad + std::asin(kMoonK * kEarthKm / norm(m.v))) * kRad;
    };
    const double first = times.front().first, last = times.back().first;
    for (const double t : rootsOf(horizon, first, last)) {
        EclipseMoment m = lunarMoment(track, o, "", t);
        const bool rising = horizon(t + 0.001) > 0.0;
        m.event = rising ? "rise" : "set";
        (rising ? out.rise : out.set) = m;
    }
    // Seen where some of the umbral phase (or of the penumbral one, for a
    // penumbral eclipse) has the Moon up.
    double from = first, to = last;
    for (const auto& [t, name] : times) {
        if (std::string(name) == "U1") from = t;
        if (std::string(name) == "U4") to = t;
    }
    out.seen = horizon(from) > 0.0 || horizon(to) > 0.0 || horizon(tMax) > 0.0 || !rootsOf(horizon, from, to).empty();
    return out;
}

}  // namespace

namespace {

// Each eclipse between two UT days, with the Sun's and Moon's track across it.
template <typename Use>
void forEachEclipse(const EphemerisTables& tables, double fromJdUt, double toJdUt, Use use) {
    if (!std::isfinite(fromJdUt) || !std::isfinite(toJdUt) || toJdUt < fromJdUt) return;
    // Lunations from the new Moon of 2000-01-06 (Meeus 49.1), mean argument
    // of latitude F of each (Meeus 49.4) to pass over the syzygies far from
    // a node (no eclipse beyond |sin F| = 0.36).
    const double k0 = std::floor((fromJdUt - 2451550.09766) / kSynodicMonth) - 1.0;
    const double k1 = std::ceil((toJdUt - 2451550.09766) / kSynodicMonth) + 1.0;
    for (double k = k0; k <= k1; k += 0.5) {
        const double f = (160.7108 + 390.67050284 * k) / kRad;
        if (std::fabs(std::sin(f)) > 0.38) continue;
        const bool full = std::fmod(std::fabs(k), 1.0) > 0.25;
        const std::optional<double> centre = syzygy(tables, 2451550.09766 + kSynodicMonth * k, full);
        if (!centre) continue;
        const Track track = makeTrack(tables, *centre);
        const std::optional<GlobalEclipse> e = full ? lunarEclipseNear(track, *centre) : solarEclipseNear(track, *centre);
        if (e && e->greatestJdUt >= fromJdUt && e->greatestJdUt <= toJdUt) use(*e, track);
    }
}

}  // namespace

std::vector<GlobalEclipse> eclipsesBetween(const EphemerisTables& tables, double fromJdUt, double toJdUt) {
    std::vector<GlobalEclipse> out;
    forEachEclipse(tables, fromJdUt, toJdUt, [&](const GlobalEclipse& e, const Track&) { out.push_back(e); });
    return out;
}

std::vector<LocalEclipse> eclipsesAt(const EphemerisTables& tables, double fromJdUt, double toJdUt, double latDeg,
                                     double lonDeg) {
    std::vector<LocalEclipse> out;
    const Observer o = observerAt(latDeg, lonDeg);
    forEachEclipse(tables, fromJdUt, toJdUt, [&](const GlobalEclipse& e, const Track& track) {
        out.push_back(e.kind == EclipseKind::Solar ? solarLocal(track, e, o) : lunarLocal(track, e, o));
    });
    return out;
}

EclipseView eclipseViewAt(const EphemerisTables& tables, const GlobalEclipse& eclipse, double latDeg, double lonDeg,
                          double jdUt) {
    const Track track = makeTrack(tables, eclipse.greatestJdTt);
    const Observer o = observerAt(latDeg, lonDeg);
    const double t = jdUt + track.deltaTDays;
    EclipseView v;
    v.solar = eclipse.kind == EclipseKind::Solar;
    // A direction of position angle pa (from north, through east) at a body
    // whose parallactic angle is q is at pa - q from the zenith, counter-
    // clockwise: to the left of up.
    const auto place = [](double paDeg, double qDeg, double distDeg, double& x, double& y) {
        const double a = (paDeg - qDeg) / kRad;
        x = -distDeg * std::sin(a);
        y = distDeg * std::cos(a);
    };
    if (v.solar) {
        const SolarLocal s = solarAt(track, o, t);
        v.bodyRadiusDeg = s.sunRadius * kRad;
        v.moonRadiusDeg = s.moonRadius * kRad;
        place(positionAngleDeg(s.sun.raHours, s.sun.decDeg, s.moon.raHours, s.moon.decDeg),
              parallacticDeg(s.sun, o.latDeg, o.lonDeg), s.separation * kRad, v.moonXDeg, v.moonYDeg);
        v.altDeg = s.sun.altDeg;
        v.azDeg = s.sun.azDeg;
        v.magnitude = std::max(0.0, solarMagnitude(s));
        v.obscuration = coveredFraction(s.sunRadius, s.moonRadius, s.separation);
        return v;
    }
    // The shadow's centre where the axis meets the Moon's distance, seen
    // from the place as the Moon is.
    const Vec3 sun = track.sunAt(t), moonGeo = track.moonAt(t);
    const double scale = norm(moonGeo) / norm(sun);
    const Vec3 axisPoint = {-sun[0] * scale, -sun[1] * scale, -sun[2] * scale};
    const Topocentric moon = topocentric(track, o, moonGeo, t), shadow = topocentric(track, o, axisPoint, t);
    const LunarGeometry g = lunarAt(track, t);
    v.bodyRadiusDeg = std::asin(kMoonK * kEarthKm / norm(moon.v)) * kRad;
    v.umbraRadiusDeg = g.umbra * kRad;
    v.penumbraRadiusDeg = g.penumbra * kRad;
    place(positionAngleDeg(moon.raHours, moon.decDeg, shadow.raHours, shadow.decDeg), parallacticDeg(moon, o.latDeg, o.lonDeg),
          angle(moon.v, shadow.v) * kRad, v.shadowXDeg, v.shadowYDeg);
    v.altDeg = moon.altDeg;
    v.azDeg = moon.azDeg;
    v.magnitude = (g.umbra + g.moon - g.delta) / (2.0 * g.moon);
    return v;
}

LocalEclipse localEclipse(const EphemerisTables& tables, const GlobalEclipse& eclipse, double latDeg, double lonDeg) {
    const Track track = makeTrack(tables, eclipse.greatestJdTt);
    const Observer o = observerAt(latDeg, lonDeg);
    return eclipse.kind == EclipseKind::Solar ? solarLocal(track, eclipse, o) : lunarLocal(track, eclipse, o);
}

}  // namespace astro
