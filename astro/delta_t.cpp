#include "astro/delta_t.h"

#include <array>
#include <cmath>
#include <limits>

namespace astro {

namespace {

// ΔT at the start of each year 1900..2023, seconds.
constexpr double kTableStart = 1900.0;
constexpr double kTableStep = 1.0;
constexpr std::array<double, 124> kTable = {
    -2.72, -1.54, -0.02, 1.24, 2.64, 3.86, 5.37, 6.14, 7.75, 9.13,  // 1900
    10.46, 11.53, 13.36, 14.65, 16.01, 17.2, 18.24, 19.06, 20.25, 20.95,  // 1910
    21.16, 22.25, 22.41, 23.03, 23.49, 23.62, 23.86, 24.49, 24.34, 24.08,  // 1920
    24.02, 24, 23.87, 23.95, 23.86, 23.93, 23.73, 23.92, 23.96, 24.02,  // 1930
    24.33, 24.83, 25.3, 25.7, 26.24, 26.77, 27.28, 27.78, 28.25, 28.71,  // 1940
    29.15, 29.57, 29.97, 30.36, 30.72, 31.07, 31.35, 31.68, 32.18, 32.68,  // 1950
    33.15, 33.59, 34, 34.47, 35.03, 35.73, 36.54, 37.43, 38.29, 39.2,  // 1960
    40.18, 41.17, 42.23, 43.37, 44.4841, 45.4761, 46.4567, 47.5214, 48.5344, 49.5862,  // 1970
    50.5387, 51.3808, 52.1668, 52.9565, 53.7882, 54.3427, 54.8713, 55.3222, 55.8197, 56.3,  // 1980
    56.8553, 57.5653, 58.3092, 59.1218, 59.9845, 60.7854, 61.6287, 62.2951, 62.9659, 63.4673,  // 1990
    63.8285, 64.0908, 64.2998, 64.4734, 64.5736, 64.6876, 64.8452, 65.1464, 65.4574, 65.7768,  // 2000
    66.0699, 66.3246, 66.603, 66.9069, 67.281, 67.6439, 68.1024, 68.5927, 68.9676, 69.2202,  // 2010
    69.3612, 69.3593, 69.2945, 69.1833,  // 2020
};
constexpr double kTableEnd = kTableStart + kTableStep * (kTable.size() - 1);

double parabola(double year) {
    const double u = (year - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}

// Espenak and Meeus (2006), -500..1900.
double espenakMeeus(double y) {
    if (y < 500.0) {
        const double u = y / 100.0;
        return 10583.6 + u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600.0) {
        const double u = (y - 1000.0) / 100.0;
        return 1574.2 + u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700.0) {
        const double t = y - 1600.0;
        return 120.0 + t * (-0.9808 + t * (-0.01532 + t / 7129.0));
    }
    if (y < 1800.0) {
        const double t = y - 1700.0;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000.0)));
    }
    if (y < 1860.0) {
        const double t = y - 1800.0;
        return 13.72 + t * (-0.332447 + t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 + t * (0.0000121272 + t * (-0.0000001699 + t * 0.000000000875))))));
    }
    const double t = y - 1860.0;
    return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174.0))));
}

}  // namespace

double deltaTSeconds(double y) {
    if (!std::isfinite(y)) return std::numeric_limits<double>::quiet_NaN();
    if (y < -500.0) return parabola(y);
    if (y < kTableStart) return espenakMeeus(y);
    if (y <= kTableEnd) {
        const double k = (y - kTableStart) / kTableStep;
        const auto i = std::min(static_cast<std::size_t>(k), kTable.size() - 2);
        const double f = k - static_cast<double>(i);
        return kTable[i] + f * (kTable[i + 1] - kTable[i]);
    }
    constexpr double kRuleEnd = 2050.0, kRate = 0.1;
    if (y <= kRuleEnd) return kTable.back() + kRate * (y - kTableEnd);
    const double atRuleEnd = kTable.back() + kRate * (kRuleEnd - kTableEnd);
    if (y < 2150.0) return atRuleEnd + (parabola(2150.0) - atRuleEnd) * (y - kRuleEnd) / (2150.0 - kRuleEnd);
    return parabola(y);
}

double decimalYearFromJd(double jd) { return 2000.0 + (jd - 2451545.0) / 365.25; }

double jdTtFromUt(double jdUt) { return jdUt + deltaTSeconds(decimalYearFromJd(jdUt)) / 86400.0; }

}  // namespace astro
