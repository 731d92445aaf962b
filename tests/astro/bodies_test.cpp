#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/bodies.h"
#include "astro/calendar.h"

namespace astro {
namespace {

TEST(SumSeries, EachKindOfTermInOrder) {
    constexpr std::array terms{
        SeriesTerm{TermKind::Constant, 370.0},
        SeriesTerm{TermKind::Reduce},
        SeriesTerm{TermKind::TimesT, 2.0},
        SeriesTerm{TermKind::TimesT2, -0.5},
        SeriesTerm{TermKind::Cos, 3.0, 90.0, 0.0},
        SeriesTerm{TermKind::TimesTCos, 4.0, 0.0, 60.0},
    };
    const double T = 2.0;
    const double expected = 10.0 + 2.0 * T - 0.5 * T * T + 3.0 * std::cos(180.0 * kDegToRad) +
                            4.0 * T * std::cos(60.0 * kDegToRad);
    EXPECT_NEAR(sumSeries(terms, T) - expected, 0.0, 1e-12);
}

TEST(BodyPositions, SunMeanTermAtJ2000) {
    const BodyPositions p = bodyPositions(0.0);
    const double mean = 280.4659 + 1.9147 * std::cos(267.52 * kDegToRad);
    EXPECT_NEAR(p.sunLonMean - mean, 0.0, 1e-12);
    const double dist = 1.00014 + 0.016706 * std::cos(177.53 * kDegToRad) + 0.000139 * std::cos(175 * kDegToRad);
    EXPECT_NEAR(p.sunDistAu - dist, 0.0, 1e-15);
    EXPECT_NEAR(p.obliquityDeg - 23.43929, 0.0, 1e-12);
    const double nut = -0.00478 * std::sin(125.04 * kDegToRad) - 0.00037 * std::sin(200.93 * kDegToRad);
    EXPECT_NEAR(p.nutLonDeg - nut, 0.0, 1e-15);
    EXPECT_NEAR(p.sunLonDeg - (mean - 0.005693 / dist + nut), 0.0, 1e-12);
}

// Published positions (apparent, of date) against the series. The series are
// short: the tolerances are a few times the error they reach near 2000, and
// a single wrong coefficient in a large term shows as a miss far beyond them.
TEST(BodyPositions, SunApparentLongitude1992Oct13) {
    const BodyPositions p = bodyPositions(jcent(2448908.5));
    EXPECT_NEAR(p.sunLonDeg - 199.90988, 0.0, 0.01);
}

TEST(BodyPositions, MoonEclipticPosition1992Apr12) {
    const BodyPositions p = bodyPositions(jcent(2448724.5));
    EXPECT_NEAR(p.moonLon - 133.162655, 0.0, 0.03);
    EXPECT_NEAR(p.moonLat - (-3.229126), 0.0, 0.01);
}

TEST(BodyPositions, VenusEquatorialPosition1992Dec20) {
    const BodyPositions p = bodyPositions(jcent(2448976.5));
    EXPECT_NEAR(p.ra[Venus] - 21.078182, 0.0, 0.002);
    EXPECT_NEAR(p.dec[Venus] - (-18.88801), 0.0, 0.01);
}

TEST(BodyPositions, JupiterSaturnGreatConjunction2020) {
    // 2020-12-21 18:00 UT: equal longitudes, Jupiter 0.1 deg south of Saturn.
    const BodyPositions p = bodyPositions(jcent(ymdYD(2020, 12, 21.75)));
    EXPECT_NEAR(p.planetLon[2] - p.planetLon[3], 0.0, 0.02);
    EXPECT_NEAR(p.planetLat[3] - p.planetLat[2], 0.1, 0.05);
}

TEST(BodyPositions, MarsOpposition2003) {
    const BodyPositions p = bodyPositions(jcent(ymdYD(2003, 8, 28.75)));
    EXPECT_NEAR(p.planetLon[1] - p.sunLonDeg - 180.0, 0.0, 0.2);
}

TEST(BodyPositions, SunDeclinationWithinObliquityAndRangesHold) {
    for (double T = -30.0; T <= 10.0; T += 0.0137) {
        const BodyPositions p = bodyPositions(T);
        ASSERT_LE(std::fabs(p.dec[Sun]), p.obliquityDeg + 1e-9) << T;
        ASSERT_GE(p.sunLonMean, 0.0);
        ASSERT_LT(p.sunLonMean, 360.0);
        for (const Heliocentric& h : p.helio) {
            ASSERT_GE(h.lonDeg, 0.0);
            ASSERT_LT(h.lonDeg, 360.0);
        }
        for (int b = 0; b < kBodyCount; ++b) {
            ASSERT_GE(p.ra[b], 0.0) << T;
            ASSERT_LT(p.ra[b], 24.0) << T;
            ASSERT_LE(std::fabs(p.dec[b]), 90.0);
        }
    }
}

TEST(BodyPositions, FiniteFarFromTwoThousand) {
    for (const double T : {-1e6, -3000.0, -1300.0, 1300.0, 3000.0, 1e6}) {
        const BodyPositions p = bodyPositions(T);
        for (int b = 0; b < kBodyCount; ++b) {
            EXPECT_TRUE(std::isfinite(p.ra[b]) && std::isfinite(p.dec[b])) << T << " body " << b;
            EXPECT_LT(p.ra[b], 24.0);
        }
        EXPECT_TRUE(std::isfinite(p.sunLonDeg) && std::isfinite(p.nutLonDeg)) << T;
    }
}

}  // namespace
}  // namespace astro
