// Every place of the place table x the four directions x every hour of one
// day of each month, with every display option on: the computation pass,
// the Moon step and the whole picture run, every number of the state stays
// finite and in range, and no drawing call gets a non-finite coordinate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "astro/astro.h"
#include "catalog/catalog.h"
#include "tests/support/checking_painter.h"
#include "sweep_support.h"
#include "view/sky_view.h"

namespace {

// One test per month, so a failure names its month and ctest can run them side by side.
class SkySweep : public ::testing::TestWithParam<int> {};

TEST_P(SkySweep, EveryPlaceDirectionAndHourWithEverythingOn) {
    const int month = GetParam();
    // Under the sanitizers every fourth hour of every third month.
    if (sweep::kReduced && month % 3 != 1) GTEST_SKIP() << "thinned grid under the sanitizers";
    const int hourStep = sweep::kReduced ? 4 : 1;
    const int day = 13;  // mid-month: several meteor showers are active in some months
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    ASSERT_EQ(cat.places.size(), static_cast<std::size_t>(catalog::kPlaceCount + 1));

    long views = 0;
    long calls = 0;
    double largest = 0.0;
    {
        const view::ViewOptions opt = sweep::everythingOn(2026, month, day, 120);
        for (int hour = 0; hour < 24; hour += hourStep) {
            for (int place = 1; place <= catalog::kPlaceCount; ++place) {
                astro::SkyInput in;
                in.year = 2026;
                in.month = month;
                in.day = day;
                in.hour = hour;
                in.minute = 0;
                in.latDeg = cat.places[place].latDeg;
                in.lonDeg = cat.places[place].lonDeg;
                const astro::SkyState sky = astro::computeSky(in);
                const std::string problem = sweep::skyProblem(sky);
                ASSERT_TRUE(problem.empty()) << cat.places[place].name << " 2026-" << month << "-" << day << " "
                                             << hour << ":00: " << problem;
                const astro::MoonPhase phase = astro::moonPhase(sky);
                ASSERT_EQ(phase.illum, sky.moonIllum);
                ASSERT_EQ(phase.limbAngleDeg, sky.moonLimbAngleDeg);

                for (int dir = 0; dir < 4; ++dir) {
                    testsupport::CheckingPainter p;
                    view::MeteorRng rng(static_cast<unsigned long long>(views));
                    view::drawView(static_cast<view::Direction>(dir), sky, cat, opt, rng, p);
                    ASSERT_EQ(p.nonFinite, 0) << cat.places[place].name << " month " << month << " hour " << hour
                                              << " direction " << dir;
                    ASSERT_EQ(p.negativeRadius, 0) << cat.places[place].name << " direction " << dir;
                    ASSERT_EQ(p.clears, 1);
                    calls += p.calls;
                    largest = std::max(largest, p.largestMagnitude);
                    ++views;
                }
            }
        }
    }
    std::printf("sweep of month %d: %ld views, %ld drawing calls, largest coordinate %.1f twips\n", month, views,
                calls, largest);
    // The picture mapping keeps every visible point within a few pictures'
    // widths of the frame; anything near float's range would stall the painter.
    EXPECT_LT(largest, 1.0e6);
}

INSTANTIATE_TEST_SUITE_P(EveryMonth, SkySweep, ::testing::Range(1, 13));

}  // namespace
