// Extreme inputs straight into the computation pass and the picture:
// latitudes at the poles and just inside them, longitudes at the date line
// and beyond, the first and last years the date fields hold, months 0 and
// 13, days 0 and 40, minutes 1439 and beyond, and numbers that are not
// numbers at all. Every state stays finite and in range, and every view of
// it draws only finite coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "astro/astro.h"
#include "catalog/catalog.h"
#include "tests/support/checking_painter.h"
#include "sweep_support.h"
#include "view/sky_view.h"

namespace {

const catalog::Catalogue& catalogue() {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    return cat;
}

std::string describe(const astro::SkyInput& in) {
    std::ostringstream s;
    s.precision(17);
    s << in.year << "-" << in.month << "-" << in.day << " " << in.hour << ":" << in.minute << " at (" << in.latDeg
      << ", " << in.lonDeg << ")";
    return s.str();
}

// Computes the sky, checks it, and draws it toward every direction.
void expectSound(const astro::SkyInput& in) {
    const astro::SkyState sky = astro::computeSky(in);
    const std::string problem = sweep::skyProblem(sky);
    ASSERT_TRUE(problem.empty()) << describe(in) << ": " << problem;
    const view::ViewOptions opt = sweep::everythingOn(in.year, in.month, std::isfinite(in.day) ? in.day : 1.0, 120);
    for (int dir = 0; dir < 5; ++dir) {  // the four quarters and the whole sky
        testsupport::CheckingPainter p;
        view::MeteorRng rng(7);
        view::drawView(static_cast<view::Direction>(dir), sky, catalogue(), opt, rng, p);
        ASSERT_EQ(p.nonFinite, 0) << describe(in) << " direction " << dir;
        ASSERT_EQ(p.negativeRadius, 0) << describe(in) << " direction " << dir;
        ASSERT_LT(p.largestMagnitude, 1.0e6) << describe(in) << " direction " << dir;
    }
}

astro::SkyInput tokyoAt(int year, int month, double day, double hour, double minute) {
    return {.year = year, .month = month, .day = day, .hour = hour, .minute = minute, .latDeg = 35.65, .lonDeg = 139.75};
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Extremes, LatitudesAtThePolesJustInsideAndBeyond) {
    const double lats[] = {90.0,
                           -90.0,
                           std::nextafter(90.0, 0.0),
                           std::nextafter(-90.0, 0.0),
                           89.9999999,
                           -89.9999999,
                           90.0000001,
                           -90.0000001,
                           180.0,
                           -270.0,
                           1.0e6};
    for (double lat : lats)
        for (int hour = 0; hour < 24; hour += sweep::kReduced ? 6 : 2) {
            astro::SkyInput in = tokyoAt(2026, 3, 20, hour, 0);
            in.latDeg = lat;
            expectSound(in);
        }
}

TEST(Extremes, LongitudesAtTheDateLineAndBeyond) {
    const double lons[] = {180.0, -180.0, std::nextafter(180.0, 0.0), 180.0000001, -180.0000001, 360.0, -360.0,
                           540.0, -725.5, 1.0e6, -1.0e9, 1.0e15};
    for (double lon : lons)
        for (double lat : {-90.0, 0.0, 35.65, 90.0}) {
            astro::SkyInput in = tokyoAt(2026, 6, 21, 12, 0);
            in.latDeg = lat;
            in.lonDeg = lon;
            expectSound(in);
        }
}

TEST(Extremes, CalendarEdgesInEveryCombination) {
    const int years[] = {-32768, -32767, -4713, -1, 0, 1, 1582, 2000, 32766, 32767};
    const int months[] = {0, 1, 12, 13, -32768, 32767};
    const double days[] = {0.0, 1.0, 31.0, 40.0, -1.0};
    const double minutes[] = {0.0, 1439.0, 1440.0, 1.0e6, -1439.0};
    int cases = 0;
    for (int y : years)
        for (int m : months)
            for (double d : days)
                for (double mi : minutes) {
                    if (sweep::kReduced && (++cases % 5) != 0) continue;
                    expectSound(tokyoAt(y, m, d, 0, mi));
                }
}

TEST(Extremes, TheJulianToGregorianSwitch) {
    for (double day = 1.0; day <= 20.0; day += 0.5) expectSound(tokyoAt(1582, 10, day, 12, 0));
}

TEST(Extremes, HoursAndMinutesFarOutsideTheirRanges) {
    const double values[] = {24.0, 25.5, -1.0, -24.0, 1.0e4, -1.0e4, 1.0e9, -1.0e9, 1.0e12, 1.0e300, -1.0e300};
    for (double v : values) {
        expectSound(tokyoAt(2026, 1, 1, v, 0));
        expectSound(tokyoAt(2026, 1, 1, 0, v));
        expectSound(tokyoAt(2026, 1, v, 0, 0));
    }
}

TEST(Extremes, NumbersThatAreNotNumbers) {
    const double bad[] = {kNaN, kInf, -kInf};
    for (double b : bad) {
        expectSound(tokyoAt(2026, 1, b, 0, 0));
        expectSound(tokyoAt(2026, 1, 1, b, 0));
        expectSound(tokyoAt(2026, 1, 1, 0, b));
        astro::SkyInput in = tokyoAt(2026, 1, 1, 0, 0);
        in.latDeg = b;
        expectSound(in);
        in = tokyoAt(2026, 1, 1, 0, 0);
        in.lonDeg = b;
        expectSound(in);
        in = tokyoAt(2026, 1, b, b, b);
        in.latDeg = in.lonDeg = b;
        expectSound(in);
    }
}

}  // namespace
