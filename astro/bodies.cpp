#include "astro/bodies.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/transforms.h"

namespace astro {

namespace {

using K = TermKind;

constexpr SeriesTerm c(double a) { return {K::Constant, a, 0.0, 0.0}; }
constexpr SeriesTerm t(double a) { return {K::TimesT, a, 0.0, 0.0}; }
constexpr SeriesTerm t2(double a) { return {K::TimesT2, a, 0.0, 0.0}; }
constexpr SeriesTerm p(double a, double f, double ph) { return {K::Cos, a, f, ph}; }
constexpr SeriesTerm tp(double a, double f, double ph) { return {K::TimesTCos, a, f, ph}; }
constexpr SeriesTerm reduce() { return {K::Reduce, 0.0, 0.0, 0.0}; }

// The tables below keep the published order of their terms: the sums are
// rounded in that order, and reordering would change the last digits.

constexpr std::array kSunLon{
    c(280.4659), t(36000.7695),
    p(1.9147, 35999.05, 267.52),
    tp(-0.0048, 35999.05, 267.52),
    reduce(),
};

constexpr std::array kSunDist{
    c(1.00014),
    p(0.016706, 35999.05, 177.53),
    tp(-0.000042, 35999.05, 177.53),
    p(0.000139, 71998, 175),
};

// Nutation in longitude is added in the correction step, not here.
constexpr std::array kMoonLon{
    c(218.316), t(481267.8809), t2(-0.00133),
    reduce(),
    p(6.2888, 477198.868, 44.963),
    p(1.274, 413335.35, 10.74),
    p(0.6583, 890534.22, 145.7),
    p(0.2136, 954397.74, 179.93),
    p(0.1851, 35999.05, 87.53),
    p(0.1144, 966404, 276.5),
    p(0.0588, 63863.5, 124.2),
    p(0.0571, 377336.3, 13.2),
    p(0.0533, 1367733.1, 280.7),
    p(0.0458, 854535.2, 148.2),
    p(0.0409, 441199.8, 47.4),
    p(0.0347, 445267.1, 27.9),
    p(0.0304, 513197.9, 222.5),
    p(0.0154, 75870, 41),
    p(0.0125, 1443603, 52),
    p(0.011, 489205, 142),
    p(0.0107, 1303870, 246),
    p(0.01, 1431597, 315),
    reduce(),
};

constexpr std::array kMoonLat{
    p(5.1281, 483202.019, 3.273),
    p(0.2806, 960400.89, 138.24),
    p(0.2777, 6003.15, 48.31),
    p(0.1733, 407332.2, 52.43),
    p(0.0554, 896537.4, 104),
    p(0.0463, 69866.7, 82.5),
    p(0.0326, 1373736.2, 239),
    p(0.0172, 1437599.8, 273.2),
};

constexpr std::array kVenusLon{
    c(181.9793), t(58519.2125),
    p(0.7761, 58517.8, 320.41),
    tp(-0.0054, 58517.8, 320.41),
    p(0.0503, 117036.6, 300.6),
    reduce(),
};
constexpr std::array kVenusLat{
    p(3.3939, 58518.312, 15.299),
    tp(0.001, 58518.312, 15.299),
    p(0.023, 0.5, 144.9),
    p(0.023, 117036.1, 65.7),
};
constexpr std::array kVenusDist{
    c(0.723348),
    p(0.004899, 58517.8, 230.41),
    tp(-0.000034, 58517.8, 230.41),
};

constexpr std::array kMarsLon{
    c(355.4472), t(19141.6999),
    p(10.6919, 19139.859, 289.388),
    tp(0.0105, 19139.859, 289.388),
    p(0.6227, 38279.71, 308.78),
    tp(0.0012, 38279.71, 308.78),
    p(0.0504, 57419.6, 328.2),
    p(0.0147, 19, 336),
    p(0.0144, 38282, 342),
    c(-0.014),
    t(-0.0037),
    p(0.007, 16105, 48),
    reduce(),
};
constexpr std::array kMarsLat{
    p(1.8334, 19140.925, 215.876),
    tp(-0.0007, 19140.925, 215.876),
    p(0.1727, 1.07, 16.5),
    p(0.1709, 38280.8, 235.28),
    p(0.0179, 57420.6, 254.7),
};
constexpr std::array kMarsDist{
    c(1.530339),
    t(0.000013),
    p(0.14185, 19139.859, 199.388),
    tp(0.000139, 19139.859, 199.388),
    p(0.006606, 38279.72, 218.78),
    tp(0.000013, 38279.7, 218.78),
    p(0.000455, 57419.6, 238.2),
};

constexpr std::array kJupiterLon{
    t(3036.08406),
    c(34.39356),
    p(5.54603, 3034.53346, 289.68429),
    p(0.17575, 6083.2578, 309.5012),
    p(0.05532, 3624.312, 237.453),
    tp(0.0437, 6071.843, 218.916),
    p(0.03557, 596.267, 191.685),
    p(0.02274, 2405.806, 135.412),
    p(0.0212, 1822.117, 73.665),
    p(0.00757, 9107.13, 327.94),
    p(0.00699, 2920.69, 198.68),
    p(0.00607, 4759.11, 88.37),
    p(0.00501, 5449.93, 206.94),
    p(0.00482, 4730.71, 273.36),
    p(0.00397, 4206.81, 294.77),
    p(0.00343, 6666.05, 259.11),
    p(0.00335, 1284.47, 244.1),
    p(0.00224, 1466.26, 54.64),
    reduce(),
};
constexpr std::array kJupiterLat{
    p(1.30086, 3034.12633, 203.91874),
    c(0.06299),
    p(0.06295, 6068.687, 223.544),
    tp(0.02141, 3034.269, 309.356),
};
constexpr std::array kJupiterDist{
    c(5.209105),
    p(0.251681, 3034.534, 199.614),
    p(0.006134, 6066.1, 219),
    p(0.002802, 3624.5, 147.7),
    p(0.00088, 2406, 46),
    p(0.000635, 1818, 344),
    tp(0.000612, 2968, 19),
    tp(0.000309, 6090, 312),
    p(0.000306, 601, 97),
    p(0.000299, 5444, 124),
    p(0.000224, 4215, 205),
    p(0.000212, 9113, 233),
    p(0.000129, 6671, 171),
};

constexpr std::array kSaturnLon{
    t(1224.04687),
    c(49.97937),
    p(6.19608, 1178.39096, 227.52458),
    tp(4.81254, 1200.7657, 317.4395),
    tp(0.44141, 2380.375, 279.0711),
    p(0.1972, 2310.5997, 187.9907),
    p(0.11441, 597.506, 9.0137),
    tp(0.0322, 3731.729, 8.114),
    p(0.01138, 3816.622, 105.909),
    p(0.00857, 1884.95, 334.19),
    p(0.00215, 3151.76, 22.82),
    p(0.00184, 5435.18, 44.09),
    p(0.00094, 4198.7, 97.3),
    reduce(),
};
constexpr std::array kSaturnLat{
    p(2.47972, 1224.56984, 206.33867),
    p(0.13425, 2445.2128, 163.772),
    tp(0.05938, 1223.005, 113.635),
    c(0.04858),
    tp(0.00978, 514.08, 27.67),
    p(0.00812, 3673.28, 121.34),
};
constexpr std::array kSaturnDist{
    c(9.554001),
    p(0.515185, 1188.045, 137.576),
    tp(0.314172, 1205.098, 227.317),
    p(0.01478, 2442.07, 92.09),
    p(0.008245, 1814.6, 341.2),
    p(0.0054, 586.3, 277.3),
    p(0.001556, 3612.4, 347.2),
    tp(0.001238, 2600, 225.3),
    t(-0.000555),
    p(0.000314, 5440, 313),
    p(0.000215, 3941, 32),
    p(0.000166, 3228, 160),
    p(0.000136, 4900, 358),
    p(0.000119, 4379, 22),
    p(0.000096, 7245, 298),
};

// The aberration-like planet term of the correction step, per planet.
constexpr std::array<double, 4> kPlanetK{0.00484, 0.007, 0.01298, 0.01756};

// The correction terms divide by a radius vector. Far from 2000 a series can
// pass through zero (Saturn's T-term grows fastest); a divisor within 1e-6 au
// of zero drops the term rather than blowing it up toward infinity. Real
// radius vectors are never that small, so present-day results are untouched.
double overDistance(double x, double distAu) {
    return std::fabs(distAu) > 1e-6 ? x / distAu : 0.0;
}

template <std::size_t L, std::size_t B, std::size_t R>
Heliocentric planet(const std::array<SeriesTerm, L>& lon, const std::array<SeriesTerm, B>& lat,
                    const std::array<SeriesTerm, R>& dist, double jcentT) {
    return {sumSeries(lon, jcentT), sumSeries(lat, jcentT), sumSeries(dist, jcentT)};
}

// The Moon's distance: the largest terms of the ELP-2000/82 distance series
// as Meeus gives them (Astronomical Algorithms, 2nd ed., table 47.A), each a
// cosine of a multiple of the mean elongation D, the Sun's mean anomaly M,
// the Moon's mean anomaly M' and its argument of latitude F. The terms left
// out are below 1 km each; the sum stays within 50 km of a full lunar theory
// over 1900-2100 (0.0001 deg of parallax, a hundredth of a second of the
// Moon's rising).
struct DistanceTerm {
    signed char d, m, mp, f;
    double km;
};
constexpr std::array<DistanceTerm, 30> kMoonDistTerms{{
    {0, 0, 1, 0, -20905.355}, {2, 0, -1, 0, -3699.111}, {2, 0, 0, 0, -2955.968}, {0, 0, 2, 0, -569.925},
    {0, 1, 0, 0, 48.888},     {0, 0, 0, 2, -3.149},     {2, 0, -2, 0, 246.158},  {2, -1, -1, 0, -152.138},
    {2, 0, 1, 0, -170.733},   {2, -1, 0, 0, -204.586},  {0, 1, -1, 0, -129.620}, {1, 0, 0, 0, 108.743},
    {0, 1, 1, 0, 104.755},    {2, 0, 0, -2, 10.321},    {0, 0, 1, -2, 79.661},   {4, 0, -1, 0, -34.782},
    {0, 0, 3, 0, -23.210},    {4, 0, -2, 0, -21.636},   {2, 1, -1, 0, 24.208},   {2, 1, 0, 0, 30.824},
    {1, 0, -1, 0, -8.379},    {1, 1, 0, 0, -16.675},    {2, -1, 1, 0, -12.831},  {2, 0, 2, 0, -10.445},
    {4, 0, 0, 0, -11.650},    {2, 0, -3, 0, 14.403},    {0, 1, -2, 0, -7.003},   {2, -1, -2, 0, 10.056},
    {1, 0, 1, 0, 6.322},      {2, -2, 0, 0, -9.884},
}};

double moonDistance(double T) {
    const double D = (297.8501921 + 445267.1114034 * T) * kDegToRad;
    const double M = (357.5291092 + 35999.0502909 * T) * kDegToRad;
    const double Mp = (134.9633964 + 477198.8675055 * T) * kDegToRad;
    const double F = (93.2720950 + 483202.0175233 * T) * kDegToRad;
    double km = 385000.56;
    for (const DistanceTerm& k : kMoonDistTerms) km += k.km * std::cos(k.d * D + k.m * M + k.mp * Mp + k.f * F);
    return km;
}

}  // namespace

double sumSeries(const SeriesTerm* terms, int count, double jcentT) {
    double acc = 0.0;
    for (int i = 0; i < count; ++i) {
        const SeriesTerm& s = terms[i];
        switch (s.kind) {
        case K::Constant:
            acc += s.a;
            break;
        case K::TimesT:
            acc += s.a * jcentT;
            break;
        case K::TimesT2:
            acc += s.a * jcentT * jcentT;
            break;
        case K::Cos:
            acc += s.a * std::cos((s.f * jcentT + s.p) * kDegToRad);
            break;
        case K::TimesTCos:
            acc += s.a * jcentT * std::cos((s.f * jcentT + s.p) * kDegToRad);
            break;
        case K::Reduce:
            acc = reduce360(acc);
            break;
        }
    }
    return acc;
}

BodyPositions bodyPositions(double jcentT) {
    const double T = jcentT;
    BodyPositions out;

    out.jcentT = T;
    out.sunLonMean = sumSeries(kSunLon, T);
    out.sunDistAu = sumSeries(kSunDist, T);
    double moonLon = sumSeries(kMoonLon, T);
    out.moonLat = sumSeries(kMoonLat, T);
    out.moonDistKm = moonDistance(T);

    out.helio[0] = planet(kVenusLon, kVenusLat, kVenusDist, T);
    out.helio[1] = planet(kMarsLon, kMarsLat, kMarsDist, T);
    out.helio[2] = planet(kJupiterLon, kJupiterLat, kJupiterDist, T);
    out.helio[3] = planet(kSaturnLon, kSaturnLat, kSaturnDist, T);

    out.obliquityDeg = 23.43929 - 0.01300417 * T;
    out.sinObl = std::sin(out.obliquityDeg * kDegToRad);
    out.cosObl = std::cos(out.obliquityDeg * kDegToRad);

    for (int k = 0; k < 4; ++k) {
        const Heliocentric& h = out.helio[k];
        const Rectangular g =
            heliocentricToGeocentric(h.lonDeg, h.latDeg, h.distAu, out.sunLonMean, out.sunDistAu);
        const Ecliptic e = rectangularToSpherical(g.x, g.y, g.z);
        out.planetLon[k] = e.lonDeg;
        out.planetLat[k] = e.latDeg;
        out.planetDistAu[k] = std::sqrt(g.x * g.x + g.y * g.y + g.z * g.z);
    }

    out.nutLonDeg = -0.00478 * std::sin((125.04 - 1934.1361 * T) * kDegToRad) -
                 0.00037 * std::sin((200.93 + 72001.539 * T) * kDegToRad);

    const double sunMean = out.sunLonMean;
    for (int k = 0; k < 4; ++k) {
        const double lam = out.planetLon[k];
        const Heliocentric& h = out.helio[k];
        out.planetLon[k] = lam - 0.005693 * std::cos((lam - sunMean) * kDegToRad) -
                           overDistance(kPlanetK[k] * std::cos((lam - h.lonDeg) * kDegToRad), h.distAu) +
                           out.nutLonDeg;
    }
    out.sunLonDeg = sunMean - overDistance(0.005693, out.sunDistAu) + out.nutLonDeg;
    out.moonLon = moonLon + out.nutLonDeg;

    const auto put = [&](int body, double lonDeg, double latDeg) {
        const Equatorial q = eclipticToEquatorial(lonDeg, latDeg, out.sinObl, out.cosObl);
        out.ra[body] = q.raHours;
        out.dec[body] = q.decDeg;
    };
    put(Sun, out.sunLonDeg, 0.0);
    put(Moon, out.moonLon, out.moonLat);
    for (int k = 0; k < 4; ++k) put(Venus + k, out.planetLon[k], out.planetLat[k]);
    return out;
}

double planetMagnitude(const BodyPositions& p, int planet) {
    if (planet < 0 || planet > 3) return NAN;
    const double r = p.helio[static_cast<std::size_t>(planet)].distAu;
    const double delta = p.planetDistAu[static_cast<std::size_t>(planet)];
    const double earth = p.sunDistAu;
    if (!(r > 0.0) || !(delta > 0.0)) return NAN;
    const double cosI = std::clamp((r * r + delta * delta - earth * earth) / (2.0 * r * delta), -1.0, 1.0);
    const double i = std::acos(cosI) * kRadToDeg;  // phase angle, degrees
    const double distance = 5.0 * std::log10(r * delta);
    switch (planet) {
    case 0: {
        // Venus near inferior conjunction, where forward scattering
        // brightens it again: Hilton (2005), in two ranges of the phase angle.
        const double x = i / 100.0;
        if (i < 163.6) return -4.47 + x * (1.03 + x * (0.57 + x * 0.13)) + distance;
        return 0.98 - 1.02 * x + distance;
    }
    case 1: return -1.52 + distance + 0.016 * i;
    case 2: return -9.40 + distance + 0.005 * i;
    default: {
        // The rings, by their tilt B to the line of sight (Meeus 45.3).
        const double T = p.jcentT;
        const double incl = (28.075216 - 0.012998 * T + 0.000004 * T * T) * kDegToRad;
        const double node = (169.508470 + 1.394681 * T + 0.000412 * T * T) * kDegToRad;
        const double lon = p.planetLon[3] * kDegToRad, lat = p.planetLat[3] * kDegToRad;
        const double sinB = std::sin(incl) * std::cos(lat) * std::sin(lon - node) - std::cos(incl) * std::sin(lat);
        return -8.88 + distance - 2.60 * std::fabs(sinB) + 1.25 * sinB * sinB;
    }
    }
}

}  // namespace astro
