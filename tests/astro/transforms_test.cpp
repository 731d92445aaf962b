#include <gtest/gtest.h>

#include <cmath>

#include "astro/angles.h"
#include "astro/star_place.h"
#include "astro/transforms.h"

namespace astro {
namespace {

const double kSinObl = std::sin(23.43929 * kDegToRad);
const double kCosObl = std::cos(23.43929 * kDegToRad);

// Each transform runs a handful of double operations; 1e-9 deg is exact.
constexpr double kExact = 1e-9;

TEST(Angles, Reduce360CoversNegativeAndLargeAngles) {
    EXPECT_NEAR(reduce360(-30.0) - 330.0, 0.0, kExact);
    EXPECT_NEAR(reduce360(725.0) - 5.0, 0.0, kExact);
    EXPECT_EQ(reduce360(0.0), 0.0);
    EXPECT_EQ(reduce360(360.0), 0.0);
    EXPECT_LT(reduce360(-1e-300), 360.0);
    EXPECT_LT(reduce360(-1e-14), 360.0);
    EXPECT_EQ(reduce360(std::nan("")), 0.0);
}

TEST(Angles, ZeroDenominatorFollowsTheQuadrantLimit) {
    EXPECT_EQ(atanQuadrantDeg(1.0, 0.0), 90.0);
    EXPECT_EQ(atanQuadrantDeg(-1.0, 0.0), -90.0);
    EXPECT_EQ(atanQuadrantDeg(0.0, 0.0), 0.0);
    // Either side of the zero denominator tends to the same value.
    EXPECT_NEAR(atanQuadrantDeg(1.0, 1e-12) - 90.0, 0.0, 1e-9);
    EXPECT_NEAR(atanQuadrantDeg(1.0, -1e-12) - 90.0, 0.0, 1e-9);
    EXPECT_NEAR(atanQuadrantDeg(-1.0, -1.0) - 225.0, 0.0, kExact);
}

TEST(EclipticToEquatorial, EquinoxAndSolstice) {
    const Equatorial e0 = eclipticToEquatorial(0.0, 0.0, kSinObl, kCosObl);
    EXPECT_NEAR(e0.raHours, 0.0, kExact);
    EXPECT_NEAR(e0.decDeg, 0.0, kExact);
    const Equatorial e90 = eclipticToEquatorial(90.0, 0.0, kSinObl, kCosObl);
    EXPECT_NEAR(e90.raHours - 6.0, 0.0, 1e-9);
    EXPECT_NEAR(e90.decDeg - 23.43929, 0.0, 1e-9);
}

TEST(EclipticToEquatorial, RightAscensionNeverReaches24) {
    for (const double lon : {-1e-13, -1e-9, 359.9999999999, 360.0 - 1e-13, 719.999999999999}) {
        const Equatorial e = eclipticToEquatorial(lon, 0.0, kSinObl, kCosObl);
        EXPECT_GE(e.raHours, 0.0) << lon;
        EXPECT_LT(e.raHours, 24.0) << lon;
    }
}

TEST(EclipticToEquatorial, EclipticPoleIsFinite) {
    const Equatorial e = eclipticToEquatorial(0.0, 90.0, 0.0, 1.0);  // zero obliquity: X = Y ~ 0
    EXPECT_TRUE(std::isfinite(e.raHours));
    EXPECT_NEAR(e.decDeg - 90.0, 0.0, 1e-6);
}

TEST(RectangularToSpherical, AxesAndOrigin) {
    EXPECT_NEAR(rectangularToSpherical(0.0, 1.0, 0.0).lonDeg - 90.0, 0.0, kExact);
    EXPECT_NEAR(rectangularToSpherical(0.0, -1.0, 0.0).lonDeg - 270.0, 0.0, kExact);
    EXPECT_NEAR(rectangularToSpherical(-1.0, 0.0, 0.0).lonDeg - 180.0, 0.0, kExact);
    EXPECT_NEAR(rectangularToSpherical(-1.0, -1.0, 0.0).lonDeg - 225.0, 0.0, kExact);
    const Ecliptic pole = rectangularToSpherical(0.0, 0.0, 2.0);
    EXPECT_EQ(pole.latDeg, 90.0);
    EXPECT_EQ(pole.lonDeg, 0.0);
    const Ecliptic origin = rectangularToSpherical(0.0, 0.0, 0.0);
    EXPECT_EQ(origin.latDeg, 0.0);
}

TEST(HeliocentricToGeocentric, SumsThePlanetAndSunVectors) {
    const Rectangular g = heliocentricToGeocentric(90.0, 0.0, 1.5, 0.0, 1.0);
    EXPECT_NEAR(g.x - 1.0, 0.0, 1e-12);
    EXPECT_NEAR(g.y - 1.5, 0.0, 1e-12);
    EXPECT_NEAR(g.z, 0.0, 1e-12);
}

TEST(EquatorialToHorizontal, MeridianSouthOfZenith) {
    // H = 0 and dec < lat: due south at altitude 90 - lat + dec.
    const Horizontal h = equatorialToHorizontal(5.0, 10.0, 5.0, 35.0, 0.0);
    EXPECT_NEAR(h.azDeg - 180.0, 0.0, kExact);
    EXPECT_NEAR(h.altDeg - 65.0, 0.0, 1e-9);
}

TEST(EquatorialToHorizontal, SixHoursWest) {
    const Horizontal h = equatorialToHorizontal(0.0, 10.0, 6.0, 35.0, 0.0);
    EXPECT_NEAR(h.azDeg - 278.2, 0.0, 0.05);
    EXPECT_NEAR(h.altDeg - 5.7, 0.0, 0.05);
}

TEST(EquatorialToHorizontal, LongitudeShiftsTheHourAngle) {
    const Horizontal a = equatorialToHorizontal(3.0, 20.0, 7.0, 40.0, 30.0);
    const Horizontal b = equatorialToHorizontal(3.0, 20.0, 9.0, 40.0, 0.0);
    EXPECT_NEAR(a.azDeg - b.azDeg, 0.0, 1e-9);
    EXPECT_NEAR(a.altDeg - b.altDeg, 0.0, 1e-9);
}

TEST(EquatorialToHorizontal, ZenithGivesAltitude90) {
    const Horizontal h = equatorialToHorizontal(4.0, 35.0, 4.0, 35.0, 0.0);
    EXPECT_NEAR(h.altDeg - 90.0, 0.0, 1e-6);
    EXPECT_GE(h.azDeg, 0.0);
    EXPECT_LT(h.azDeg, 360.0);
    const Horizontal pole = equatorialToHorizontal(0.0, 90.0, 0.0, 90.0, 0.0);
    EXPECT_EQ(pole.altDeg, 90.0);
    EXPECT_TRUE(std::isfinite(pole.azDeg));
}

TEST(EquatorialToHorizontal, AtThePolesAltitudeIsDeclination) {
    for (double ra = 0.0; ra < 24.0; ra += 1.5) {
        const Horizontal n = equatorialToHorizontal(ra, 40.0, 3.3, 90.0, 0.0);
        EXPECT_NEAR(n.altDeg - 40.0, 0.0, 1e-9);
        const Horizontal s = equatorialToHorizontal(ra, -40.0, 3.3, -90.0, 0.0);
        EXPECT_NEAR(s.altDeg - 40.0, 0.0, 1e-9);
        EXPECT_GE(n.azDeg, 0.0);
        EXPECT_LT(n.azDeg, 360.0);
    }
}

TEST(EquatorialToHorizontal, SweepStaysInRange) {
    double worst = 0.0;
    for (double lat = -90.0; lat <= 90.0; lat += 7.5) {
        for (double dec = -90.0; dec <= 90.0; dec += 7.5) {
            for (double ha = -12.0; ha <= 12.0; ha += 0.75) {
                const Horizontal h = equatorialToHorizontal(0.0, dec, ha, lat, 0.0);
                ASSERT_TRUE(std::isfinite(h.altDeg) && std::isfinite(h.azDeg));
                ASSERT_GE(h.altDeg, -90.0);
                ASSERT_LE(h.altDeg, 90.0);
                ASSERT_GE(h.azDeg, 0.0);
                ASSERT_LT(h.azDeg, 360.0);
                // Altitude against the arcsine formula away from the zenith.
                const double s = std::sin(dec * kDegToRad) * std::sin(lat * kDegToRad) +
                                 std::cos(ha * 15 * kDegToRad) * std::cos(dec * kDegToRad) * std::cos(lat * kDegToRad);
                if (std::fabs(s) < 0.999) worst = std::max(worst, std::fabs(h.altDeg - std::asin(s) * kRadToDeg));
            }
        }
    }
    std::printf("largest altitude difference from asin: %.3g deg\n", worst);
    EXPECT_LT(worst, 1e-9);
}

// Meeus, Astronomical Algorithms, examples 21.b and 23.a: theta Persei on
// 2028 November 13.19 (JDE 2462088.69). Its J2000 place with its proper
// motion to that date, 2h44m12.975s +49deg13'39.90", has the apparent place
// 2h46m14.390s +49deg21'07.45". A star at a celestial pole stays finite.
TEST(StarPlace, PrecessionNutationAndAberrationAsPublished) {
    const double ra0 = 2.0 + 44.0 / 60.0 + 12.975 / 3600.0;
    const double dec0 = 49.0 + 13.0 / 60.0 + 39.90 / 3600.0;
    const Equatorial e = starPlaceOfDate(ra0, dec0, 2451545.0, 2462088.69);
    EXPECT_NEAR((e.raHours - (2.0 + 46.0 / 60.0 + 14.390 / 3600.0)) * 3600.0, 0.0, 0.1) << "seconds of time";
    EXPECT_NEAR((e.decDeg - (49.0 + 21.0 / 60.0 + 7.45 / 3600.0)) * 3600.0, 0.0, 1.0) << "arcseconds";
    // From the table's equinox 2003.5 and back to it: the same place.
    const Equatorial back = starPlaceOfDate(ra0, dec0, kEquinox2003_5Jd, kEquinox2003_5Jd);
    EXPECT_NEAR(back.decDeg, dec0, 30.0 / 3600.0);  // aberration and nutation only
    for (const double pole : {90.0, -90.0}) {
        const Equatorial p = starPlaceOfDate(6.0, pole, kEquinox2003_5Jd, 2415020.5);
        EXPECT_TRUE(std::isfinite(p.raHours) && std::isfinite(p.decDeg));
        EXPECT_GT(std::fabs(p.decDeg), 89.0);
    }
}

}  // namespace
}  // namespace astro
