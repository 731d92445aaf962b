#include "astro/sky_path.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/delta_t.h"
#include "astro/precise_sky.h"

namespace astro::detail {

namespace {

// Difference of two angles brought into [-180, 180).

constexpr double kSecondDays = 1.0 / 86400.0;

// The precise ephemeris's body for each Body.
constexpr SkyBody kSkyBodyOf[kAllBodyCount] = {SkyBody::Sun,     SkyBody::Moon,   SkyBody::Venus,
                                               SkyBody::Mars,    SkyBody::Jupiter, SkyBody::Saturn,
                                               SkyBody::Mercury, SkyBody::Uranus, SkyBody::Neptune};
constexpr double kBisectDays = 0.2 * kSecondDays;
constexpr double kSampleDays = 1.0 / 24.0;
// How far the true extremum of the altitude can stand from the best of three
// samples an hour apart: half the largest second derivative (the hour-angle
// term, 15 deg/h squared in radians, times 57.3 deg) times an hour squared,
// about 2 degrees; a little more for the Moon's own motion.
constexpr double kExtremumBandDeg = 2.5;

}  // namespace

PositionTrack::Grid PositionTrack::sampled(const EphemerisTables& tables, double fromJdUt, double toJdUt,
                                           double stepDays, BodyMask bodies) {
    Grid g;
    g.stepDays = stepDays;
    g.firstJd = fromJdUt - 2.0 * stepDays;
    const int count = static_cast<int>(std::ceil((toJdUt - fromJdUt) / stepDays)) + 5;
    g.samples.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const EarthFrame frame = earthFrame(tables, jdTtFromUt(g.firstJd + i * stepDays));
        Sample& s = g.samples[static_cast<std::size_t>(i)];
        s.nutLonRad = frame.nutation.dpsiRad;
        for (int b = 0; b < kAllBodyCount; ++b) {
            const auto k = static_cast<std::size_t>(b);
            if (!(bodies & maskOf(static_cast<Body>(b)))) {
                s.raDeg[k] = s.decDeg[k] = NAN;
                continue;
            }
            const ApparentPlace p = apparentPlace(tables, kSkyBodyOf[b], frame);
            double ra = p.raHours * 15.0;
            if (i > 0) {
                const double prev = g.samples[static_cast<std::size_t>(i - 1)].raDeg[k];
                ra = prev + wrap180Deg(ra - prev);
            }
            s.raDeg[k] = ra;
            s.decDeg[k] = p.decDeg;
            if (b == Sun) s.sunDistAu = p.distanceAu;
            if (b == Moon) s.moonSinParallax = kEarthEquatorialRadiusKm / std::max(p.distanceAu * kAuKm, 100000.0);
        }
    }
    return g;
}

PositionTrack::PositionTrack(const EphemerisTables& tables, double fromJdUt, double toJdUt, BodyMask bodies) {
    if (!(toJdUt >= fromJdUt)) toJdUt = fromJdUt;
    const BodyMask fast = maskOf(Sun) | (bodies & maskOf(Moon));
    fast_ = sampled(tables, fromJdUt, toJdUt, kFastStepDays, fast);
    if (bodies & ~fast) slow_ = sampled(tables, fromJdUt, toJdUt, kSlowStepDays, bodies & ~fast);
}

void PositionTrack::Grid::weights(double jdUt, int& first, std::array<double, 4>& w) const {
    const int last = static_cast<int>(samples.size()) - 1;
    const double x = (jdUt - firstJd) / stepDays;
    double base = std::floor(x) - 1.0;
    base = std::clamp(base, 0.0, static_cast<double>(std::max(0, last - 3)));
    first = static_cast<int>(base);
    const double u = x - base;  // position in units of the step from sample `first`
    w[0] = -(u - 1.0) * (u - 2.0) * (u - 3.0) / 6.0;
    w[1] = u * (u - 2.0) * (u - 3.0) / 2.0;
    w[2] = -u * (u - 1.0) * (u - 3.0) / 2.0;
    w[3] = u * (u - 1.0) * (u - 2.0) / 6.0;
}

double PositionTrack::Grid::interpolated(double Sample::*m, double jdUt) const {
    if (samples.size() < 4) return NAN;
    int first = 0;
    std::array<double, 4> w{};
    weights(jdUt, first, w);
    double v = 0.0;
    for (int k = 0; k < 4; ++k) v += w[static_cast<std::size_t>(k)] * (samples[static_cast<std::size_t>(first + k)].*m);
    return v;
}

PositionTrack::Position PositionTrack::Grid::position(Body body, double jdUt) const {
    Position p{NAN, NAN};
    if (samples.size() < 4) return p;
    int first = 0;
    std::array<double, 4> w{};
    weights(jdUt, first, w);
    double ra = 0.0;
    double dec = 0.0;
    for (int k = 0; k < 4; ++k) {
        const Sample& s = samples[static_cast<std::size_t>(first + k)];
        ra += w[static_cast<std::size_t>(k)] * s.raDeg[static_cast<std::size_t>(body)];
        dec += w[static_cast<std::size_t>(k)] * s.decDeg[static_cast<std::size_t>(body)];
    }
    p.raHours = ra / 15.0;
    p.decDeg = dec;
    return p;
}

double PositionTrack::moonSinParallax(double jdUt) const { return fast_.interpolated(&Sample::moonSinParallax, jdUt); }

double PositionTrack::sunDistAu(double jdUt) const { return fast_.interpolated(&Sample::sunDistAu, jdUt); }

PositionTrack::Position PositionTrack::position(Body body, double jdUt) const {
    return gridOf(body).position(body, jdUt);
}

double PositionTrack::siderealHours(double jdUt) const {
    Nutation nutation;
    nutation.dpsiRad = fast_.interpolated(&Sample::nutLonRad, jdUt);
    return greenwichApparentSiderealHours(jdUt, jdTtFromUt(jdUt), nutation);
}

PositionTrack::Sky PositionTrack::sky(Body body, double jdUt) const {
    return {position(body, jdUt), siderealHours(jdUt)};
}

TargetPath::TargetPath(const PositionTrack& track, const SkyTarget& target, double latDeg, double lonDeg,
                       bool topocentricMoon)
    : track_(&track),
      target_(target),
      latDeg_(std::clamp(latDeg, -90.0, 90.0)),
      lonDeg_(lonDeg),
      topocentricMoon_(topocentricMoon) {}

TargetPath::State TargetPath::state(double jdUt) const {
    State st;
    st.horizontal = horizontal(jdUt, &st.hourAngleDeg);
    return st;
}

double TargetPath::hourAngleDeg(double jdUt) const {
    if (!target_.isBody) return (track_->siderealHours(jdUt) - target_.raHours) * 15.0 + lonDeg_;
    const PositionTrack::Sky s = track_->sky(target_.body, jdUt);
    return (s.siderealHours - s.position.raHours) * 15.0 + lonDeg_;
}

Horizontal TargetPath::horizontal(double jdUt, double* hourAngleDeg) const {
    double ra = target_.raHours;
    double dec = target_.decDeg;
    double sidereal = 0.0;
    if (target_.isBody) {
        const PositionTrack::Sky s = track_->sky(target_.body, jdUt);
        ra = s.position.raHours;
        dec = s.position.decDeg;
        sidereal = s.siderealHours;
    } else {
        sidereal = track_->siderealHours(jdUt);
    }
    if (hourAngleDeg) *hourAngleDeg = (sidereal - ra) * 15.0 + lonDeg_;
    Horizontal h = equatorialToHorizontal(ra, dec, sidereal, latDeg_, lonDeg_);
    if (target_.isBody && target_.body == Moon && topocentricMoon_) {
        // Seen from the surface rather than the centre (spherical Earth):
        // the Moon at distance 1/sin(parallax) Earth radii drops by the
        // parallax in altitude times the cosine of the altitude.
        const double sinPar = track_->moonSinParallax(jdUt);
        const double a = h.altDeg * kDegToRad;
        h.altDeg = std::atan2(std::sin(a) - sinPar, std::cos(a)) * kRadToDeg;
    }
    return h;
}

namespace {

struct Point {
    double jd;
    double alt;
};

// A root of g on [a, b], where g(a) and g(b) differ in sign (aPositive says
// whether g(a) >= 0), by the Illinois variant of false position: it keeps
// the bracket like bisection but converges in a handful of steps on the
// smooth, nearly linear functions met here. Ends when the bracket is under
// 0.2 s or g is within 1e-7 degrees (a few microseconds of motion).
template <class G>
double findRoot(G&& g, double a, double b, bool aPositive) {
    double fa = g(a);
    double fb = g(b);
    int side = 0;
    for (int i = 0; i < 60 && b - a > kBisectDays; ++i) {
        double c = (fb != fa) ? b - fb * (b - a) / (fb - fa) : 0.5 * (a + b);
        if (!(c > a && c < b)) c = 0.5 * (a + b);
        const double fc = g(c);
        if (std::fabs(fc) < 1e-7) return c;
        if ((fc >= 0.0) == aPositive) {
            a = c;
            fa = fc;
            if (side == -1) fb *= 0.5;
            side = -1;
        } else {
            b = c;
            fb = fc;
            if (side == 1) fa *= 0.5;
            side = 1;
        }
    }
    return 0.5 * (a + b);
}

// The extremum of the altitude on [a, b] (a maximum when `max`), by golden section.
Point goldenExtremum(const TargetPath& path, double a, double b, bool max) {
    const double r = 0.5 * (std::sqrt(5.0) - 1.0);
    const auto value = [&](double t) { const double v = path.altDeg(t); return max ? v : -v; };
    double c = b - r * (b - a);
    double d = a + r * (b - a);
    double fc = value(c);
    double fd = value(d);
    while (b - a > kSecondDays) {
        if (fc > fd) {
            b = d; d = c; fd = fc;
            c = b - r * (b - a); fc = value(c);
        } else {
            a = c; c = d; fc = fd;
            d = a + r * (b - a); fd = value(d);
        }
    }
    const double t = 0.5 * (a + b);
    return {t, path.altDeg(t)};
}

}  // namespace

WindowScan scanWindow(const TargetPath& path, double fromJdUt, double toJdUt,
                      const std::vector<double>& horizonsDeg) {
    WindowScan out;
    out.crossings.resize(horizonsDeg.size());
    if (!(toJdUt > fromJdUt) || !std::isfinite(fromJdUt) || !std::isfinite(toJdUt)) {
        out.altAtStartDeg = std::isfinite(fromJdUt) ? path.altDeg(fromJdUt) : 0.0;
        return out;
    }
    out.altAtStartDeg = path.altDeg(fromJdUt);

    // Evenly spaced samples, one beyond each end so that an extremum in the
    // first or last interval is seen as one.
    const int n = std::max(1, static_cast<int>(std::ceil((toJdUt - fromJdUt) / kSampleDays)));
    const double step = (toJdUt - fromJdUt) / n;
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(n + 8));
    for (int i = -1; i <= n + 1; ++i) times.push_back(fromJdUt + i * step);

    std::vector<Point> pts;
    pts.reserve(times.size() + 8);
    std::vector<double> hourAngles;
    hourAngles.reserve(times.size());
    for (double t : times) {
        const TargetPath::State st = path.state(t);
        pts.push_back({t, st.horizontal.altDeg});
        hourAngles.push_back(st.hourAngleDeg);
    }

    // Culminations: where the unwrapped hour angle passes a multiple of 180.
    std::vector<Point> culm;
    double hPrevRaw = hourAngles[0];
    double hPrev = hPrevRaw;
    for (std::size_t i = 1; i < times.size(); ++i) {
        const double hRaw = hourAngles[i];
        const double h = hPrev + wrap180Deg(hRaw - hPrevRaw);
        const double k0 = std::floor(hPrev / 180.0);
        const double k1 = std::floor(h / 180.0);
        if (k1 > k0) {
            const double target = k1 * 180.0;
            const double baseRaw = hPrevRaw;
            const double base = hPrev;
            const auto g = [&](double t) { return base + wrap180Deg(path.hourAngleDeg(t) - baseRaw) - target; };
            const double tc = findRoot(g, times[i - 1], times[i], false);
            culm.push_back({tc, path.altDeg(tc)});
            const bool upper = std::fmod(std::fabs(k1), 2.0) == 0.0;
            if (upper && tc >= fromJdUt && tc < toJdUt) out.upperCulminations.push_back(tc);
        }
        hPrevRaw = hRaw;
        hPrev = h;
    }

    pts.insert(pts.end(), culm.begin(), culm.end());
    std::sort(pts.begin(), pts.end(), [](const Point& a, const Point& b) { return a.jd < b.jd; });

    // Local extrema close to an altitude asked for: find the true extremum
    // and keep it as a sample, so a pass that just reaches the altitude
    // between two samples is not lost.
    std::vector<Point> extra;
    for (std::size_t j = 1; j + 1 < pts.size(); ++j) {
        const double a0 = pts[j - 1].alt, a1 = pts[j].alt, a2 = pts[j + 1].alt;
        const bool isMax = a1 >= a0 && a1 >= a2;
        const bool isMin = a1 <= a0 && a1 <= a2;
        if (!isMax && !isMin) continue;
        bool near = false;
        for (double h0 : horizonsDeg) {
            if (isMax && a1 < h0 && a1 > h0 - kExtremumBandDeg) near = true;
            if (isMin && a1 >= h0 && a1 < h0 + kExtremumBandDeg) near = true;
        }
        if (near) extra.push_back(goldenExtremum(path, pts[j - 1].jd, pts[j + 1].jd, isMax));
    }
    if (!extra.empty()) {
        pts.insert(pts.end(), extra.begin(), extra.end());
        std::sort(pts.begin(), pts.end(), [](const Point& a, const Point& b) { return a.jd < b.jd; });
    }

    for (std::size_t k = 0; k < horizonsDeg.size(); ++k) {
        const double h0 = horizonsDeg[k];
        const auto g = [&](double t) { return path.altDeg(t) - h0; };
        for (std::size_t i = 1; i < pts.size(); ++i) {
            const bool up0 = pts[i - 1].alt >= h0;
            const bool up1 = pts[i].alt >= h0;
            if (up0 == up1) continue;
            if (pts[i].jd < fromJdUt || pts[i - 1].jd >= toJdUt) continue;
            const double t = findRoot(g, pts[i - 1].jd, pts[i].jd, up0);
            if (t >= fromJdUt && t < toJdUt) out.crossings[k].push_back({t, !up0});
        }
    }
    return out;
}

}  // namespace astro::detail
