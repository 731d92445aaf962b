#include "astro/precise_ephemeris.h"

#include <algorithm>
#include <cmath>

#include "astro/vector_state.h"

namespace astro {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArcsec = kPi / 648000.0;
constexpr double kDaysPerMillennium = 365250.0;

double norm(const Vec3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
Vec3 minus(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

// --- ELP/MPP02's arguments, with the constants fitted to DE405 ----------

// The corrections of the fit, arcseconds (per century to the power).
constexpr double kDw1_0 = -0.07008, kDw2_0 = 0.20794, kDw3_0 = -0.07215, kDw1_1 = -0.35106, kDw2_1 = 0.08017,
                 kDw3_1 = -0.04317, kDw1_2 = -0.03743, kDgam = 0.00085, kDe = -0.00006, kDeart_0 = -0.00033,
                 kDeart_1 = 0.00732, kDperi = -0.00749, kDep = 0.00224, kDw1_3 = -0.00018865, kDw1_4 = -0.00001024,
                 kDw2_2 = 0.00470602, kDw2_3 = -0.00025213, kDw3_2 = -0.00261070, kDw3_3 = -0.00010712;

// The mean motions of the node and perigee follow from the fit
// (Chapront & Francou's δW2, δW3), arcseconds per century.
struct NodePerigeeRates {
    double w2 = 0.0, w3 = 0.0;
};
NodePerigeeRates fittedRates() {
    constexpr double am = 0.074801329, alpha = 0.002571881;
    constexpr double bp[5][2] = {{0.311079095, -0.103837907},
                                 {-0.004482398, 0.000668287},
                                 {-0.001102485, -0.001298072},
                                 {0.001056062, -0.000178028},
                                 {0.000050928, -0.000037342}};
    const double w11 = (1732559343.73604 + kDw1_1) * kArcsec;
    const double w21 = (14643420.3171 + kDw2_1) * kArcsec;
    const double w31 = (-6967919.5383 + kDw3_1) * kArcsec;
    const double xa = 2.0 * alpha / 3.0;
    NodePerigeeRates r;
    for (int k = 0; k < 2; ++k) {
        const double y = am * bp[0][k] + xa * bp[4][k];
        const double x = (k == 0 ? w21 : w31) / w11;
        const double c = (x - y) * kDw1_1 + (y / am) * kDeart_1 +
                         w11 * (bp[1][k] * kDgam + bp[2][k] * kDe + bp[3][k] * kDep);
        (k == 0 ? r.w2 : r.w3) = c;
    }
    return r;
}

// An angle from degrees, minutes, seconds and a polynomial in T (arcsec).
double polynomialRad(double deg, double min, double sec, double c1, double c2, double c3, double c4, double t) {
    const double arcsec = deg * 3600.0 + min * 60.0 + sec + t * (c1 + t * (c2 + t * (c3 + t * c4)));
    return std::fmod(arcsec, 1296000.0) * kArcsec;
}

// The series' thirteen arguments at T, and the Moon's mean longitude W1.
std::array<double, 13> elpArguments(double t, double& w1Out) {
    static const NodePerigeeRates fit = fittedRates();
    const double w1 = polynomialRad(218, 18, 59.95571 + kDw1_0, 1732559343.73604 + kDw1_1, -6.8084 + kDw1_2,
                                    0.006604 + kDw1_3, -0.00003169 + kDw1_4, t);
    const double w2 = polynomialRad(83, 21, 11.67475 + kDw2_0, 14643420.3171 + kDw2_1 + fit.w2, -38.2631 + kDw2_2,
                                    -0.045047 + kDw2_3, 0.00021301, t);
    const double w3 = polynomialRad(125, 2, 40.39816 + kDw3_0, -6967919.5383 + kDw3_1 + fit.w3, 6.359 + kDw3_2,
                                    0.007625 + kDw3_3, -0.00003586, t);
    const double ea = polynomialRad(100, 27, 59.13885 + kDeart_0, 129597742.293 + kDeart_1, -0.0202, 9e-6, 1.5e-7, t);
    const double pomp = polynomialRad(102, 56, 14.45766 + kDperi, 1161.24342, 0.529265, -1.1814e-4, 1.1379e-5, t);
    w1Out = w1;
    return {w1 - ea + kPi,
            w1 - w3,
            w1 - w2,
            ea - pomp,
            polynomialRad(252, 15, 3.216919, 538101628.66888, 0, 0, 0, t),
            polynomialRad(181, 58, 44.758419, 210664136.45777, 0, 0, 0, t),
            polynomialRad(100, 27, 59.13885, 129597742.293, 0, 0, 0, t),
            polynomialRad(355, 26, 3.642778, 68905077.65936, 0, 0, 0, t),
            polynomialRad(34, 21, 5.379392, 10925660.57335, 0, 0, 0, t),
            polynomialRad(50, 4, 38.902495, 4399609.33632, 0, 0, 0, t),
            polynomialRad(314, 3, 4.354234, 1542482.57845, 0, 0, 0, t),
            polynomialRad(304, 20, 56.808371, 786547.897, 0, 0, 0, t),
            w1 + std::fmod(5028.79695 * t, 1296000.0) * kArcsec};
}

// Relativistic annual aberration of a unit direction p for an observer
// moving at v (in units of c), as ERFA's ab without light deflection.
Vec3 aberrate(const Vec3& p, const Vec3& v) {
    const double v2 = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    const double bm1 = std::sqrt(1.0 - v2);
    const double pdv = p[0] * v[0] + p[1] * v[1] + p[2] * v[2];
    const double w1 = 1.0 + pdv / (1.0 + bm1);
    Vec3 q{};
    for (int i = 0; i < 3; ++i) q[i] = (bm1 * p[i] + w1 * v[i]) / (1.0 + pdv);
    const double n = norm(q);
    return {q[0] / n, q[1] / n, q[2] / n};
}

}  // namespace

void setUsedArguments(ElpTerm& term) {
    term.used = 0;
    for (std::size_t k = 0; k < term.multipliers.size(); ++k)
        if (term.multipliers[k] != 0) term.order[term.used++] = static_cast<std::uint8_t>(k);
}

StateVector planetState(const EphemerisTables& tables, Planet planet, double jdTt) {
    detail::cleanVectorState();
    const double t = (jdTt - 2451545.0) / kDaysPerMillennium;
    StateVector s;
    // t^k and k t^(k-1) for the series' powers 0..5.
    std::array<double, 6> powers{1.0, t, t * t, t * t * t, t * t * t * t, t * t * t * t * t};
    std::array<double, 6> slopes{0.0, 1.0, 2.0 * t, 3.0 * powers[2], 4.0 * powers[3], 5.0 * powers[4]};
    for (const VsopTerm& term : tables.planets[static_cast<std::size_t>(planet)]) {
        const double arg = term.phase + term.frequency * t;
        const double c = std::cos(arg), sn = std::sin(arg);
        const auto k = static_cast<std::size_t>(std::clamp(term.power, 0, 5));
        const double tp = powers[k];
        const double tp1 = slopes[k];
        s.positionAu[static_cast<std::size_t>(term.coord)] += term.amplitude * tp * c;
        s.velocityAuPerDay[static_cast<std::size_t>(term.coord)] +=
            term.amplitude * (tp1 * c - tp * term.frequency * sn) / kDaysPerMillennium;
    }
    return s;
}

Vec3 moonGeocentricKm(const EphemerisTables& tables, double jdTt) {
    detail::cleanVectorState();
    const double t = (jdTt - 2451545.0) / 36525.0;
    double meanLongitude = 0.0;
    const std::array<double, 13> args = elpArguments(t, meanLongitude);
    double sum[3] = {0.0, 0.0, 0.0};
    for (const ElpTerm& term : tables.moon) {
        double a = term.phase;
        for (std::size_t k = 0; k < term.used; ++k) a += term.multipliers[term.order[k]] * args[term.order[k]];
        double v = term.amplitude * std::sin(a);
        for (int p = 0; p < term.power; ++p) v *= t;
        sum[term.coord] += v;
    }
    const double lon = meanLongitude + sum[0];
    const double lat = sum[1];
    const double r = sum[2] * (384747.961370173 / 384747.980674318);
    const double x = r * std::cos(lon) * std::cos(lat), y = r * std::sin(lon) * std::cos(lat), z = r * std::sin(lat);
    // From the mean ecliptic of date to that of J2000 (Laskar's P, Q).
    const double p = t * (0.10180391e-4 + t * (0.47020439e-6 + t * (-0.5417367e-9 + t * (-0.2507948e-11 + t * 0.463486e-14))));
    const double q = t * (-0.113469002e-3 + t * (0.12372674e-6 + t * (0.1265417e-8 + t * (-0.1371808e-11 + t * -0.320334e-14))));
    const double sq = std::sqrt(1.0 - p * p - q * q);
    return {(1.0 - 2.0 * p * p) * x + 2.0 * p * q * y + 2.0 * p * sq * z,
            2.0 * p * q * x + (1.0 - 2.0 * q * q) * y - 2.0 * q * sq * z,
            -2.0 * p * sq * x + 2.0 * q * sq * y + (1.0 - 2.0 * p * p - 2.0 * q * q) * z};
}

EarthFrame earthFrame(const EphemerisTables& tables, double jdTt) {
    EarthFrame f;
    f.jdTt = jdTt;
    const StateVector earth = planetState(tables, Planet::Earth, jdTt);
    f.earthAu = eclipticJ2000ToGcrs(earth.positionAu);
    f.earthVelocityAuPerDay = eclipticJ2000ToGcrs(earth.velocityAuPerDay);
    f.nutation = nutation2000b(tables.nutation, jdTt);
    f.toTrueOfDate = trueOfDateMatrix(precessionAngles2006(jdTt), f.nutation);
    return f;
}

ApparentPlace apparentPlace(const EphemerisTables& tables, SkyBody body, double jdTt) {
    return apparentPlace(tables, body, earthFrame(tables, jdTt));
}

ApparentPlace apparentPlace(const EphemerisTables& tables, SkyBody body, const EarthFrame& frame) {
    const double jdTt = frame.jdTt;
    const Vec3& earthAu = frame.earthAu;
    Vec3 geo{}, helio{};
    if (body == SkyBody::Sun) {
        geo = {-earthAu[0], -earthAu[1], -earthAu[2]};
    } else if (body == SkyBody::Moon) {
        // The Moon's light takes 1.28 s at its mean distance, within 0.07 s
        // (0.04" of its motion) at its nearest and farthest.
        constexpr double kMoonLightDays = 384400.0 / kAuKm / kLightAuPerDay;
        const Vec3 km = eclipticJ2000ToGcrs(moonGeocentricKm(tables, jdTt - kMoonLightDays));
        geo = {km[0] / kAuKm, km[1] / kAuKm, km[2] / kAuKm};
        helio = {earthAu[0] + geo[0], earthAu[1] + geo[1], earthAu[2] + geo[2]};
    } else {
        static constexpr Planet kPlanets[] = {Planet::Mercury, Planet::Venus, Planet::Mars, Planet::Jupiter,
                                              Planet::Saturn,  Planet::Uranus, Planet::Neptune};
        const Planet planet = kPlanets[static_cast<int>(body) - static_cast<int>(SkyBody::Mercury)];
        // Where the light left: the place at jdTt moved back along the
        // velocity by the light time, found in two passes. The curvature
        // of the path in that time moves Mercury by under 0.02" and the
        // outer planets by far less.
        const StateVector now = planetState(tables, planet, jdTt);
        const Vec3 position = eclipticJ2000ToGcrs(now.positionAu);
        const Vec3 velocity = eclipticJ2000ToGcrs(now.velocityAuPerDay);
        double lightDays = norm(minus(position, earthAu)) / kLightAuPerDay;
        for (int i = 0; i < 2; ++i) {
            helio = {position[0] - velocity[0] * lightDays, position[1] - velocity[1] * lightDays,
                     position[2] - velocity[2] * lightDays};
            geo = minus(helio, earthAu);
            lightDays = norm(geo) / kLightAuPerDay;
        }
    }
    ApparentPlace out;
    out.distanceAu = norm(geo);
    out.geocentricAu = geo;
    out.heliocentricAu = helio;
    // Annual aberration, except for the Moon: it moves with the Earth about
    // the Sun, and the Earth's motion while its light travels cancels it.
    const double d = out.distanceAu > 0.0 ? out.distanceAu : 1.0;
    Vec3 seen = {geo[0] / d, geo[1] / d, geo[2] / d};
    if (body != SkyBody::Moon) {
        const Vec3& v = frame.earthVelocityAuPerDay;
        seen = aberrate(seen, {v[0] / kLightAuPerDay, v[1] / kLightAuPerDay, v[2] / kLightAuPerDay});
    }
    const Vec3 ofDate = multiply(frame.toTrueOfDate, seen);
    double ra = std::atan2(ofDate[1], ofDate[0]) * 12.0 / kPi;
    if (ra < 0.0) ra += 24.0;
    if (ra >= 24.0) ra -= 24.0;
    out.raHours = ra;
    out.decDeg = std::asin(std::fmax(-1.0, std::fmin(1.0, ofDate[2]))) * 180.0 / kPi;
    return out;
}

}  // namespace astro
