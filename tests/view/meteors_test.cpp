#include <gtest/gtest.h>

#include <cmath>

#include "recording_painter.h"
#include "sky_fixture.h"
#include "view/meteors.h"
#include "view/picture.h"

namespace {

using namespace viewtest;

TEST(MeteorCalendar, DaysFromMaximumTakeTheNearestYear) {
    EXPECT_DOUBLE_EQ(view::daysFromMaximum(2026, 8, 12, 8, 12), 0.0);
    EXPECT_DOUBLE_EQ(view::daysFromMaximum(2026, 8, 10, 8, 12), -2.0);
    EXPECT_DOUBLE_EQ(view::daysFromMaximum(2026, 12, 31, 1, 4), -4.0);  // next year's maximum
    EXPECT_DOUBLE_EQ(view::daysFromMaximum(2027, 1, 2, 12, 30), 3.0);   // last year's maximum
    EXPECT_DOUBLE_EQ(view::daysFromMaximum(2024, 3, 1, 2, 27), 3.0);    // across a leap day
    EXPECT_DOUBLE_EQ(view::daysFromMaximum(2026, 8, 12.9, 8, 12), 0.0); // the hour does not count
}

TEST(MeteorCalendar, ActivityFallsOffWithinTheWindowAndStopsOutsideIt) {
    EXPECT_DOUBLE_EQ(view::activityProfile(0.0), 1.0);
    EXPECT_DOUBLE_EQ(view::activityProfile(-2.0), view::activityProfile(2.0));
    EXPECT_GT(view::activityProfile(3.0), 0.0);
    EXPECT_LT(view::activityProfile(3.0), view::activityProfile(1.0));
    EXPECT_EQ(view::activityProfile(3.5), 0.0);
    EXPECT_EQ(view::activityProfile(NAN), 0.0);
}

TEST(MeteorCount, GrowsWithRateStepAndRadiantAltitudeAndIsZeroBelowTheHorizon) {
    const double base = view::expectedMeteors(100, 1.0, 30, 15);
    EXPECT_GT(base, 0.0);
    EXPECT_GT(view::expectedMeteors(200, 1.0, 30, 15), base);
    EXPECT_GT(view::expectedMeteors(100, 1.0, 30, 60), base);
    EXPECT_GT(view::expectedMeteors(100, 1.0, 60, 15), base);
    EXPECT_GT(base, view::expectedMeteors(100, 0.5, 30, 15));
    EXPECT_EQ(view::expectedMeteors(100, 1.0, 0.0, 15), 0.0);
    EXPECT_EQ(view::expectedMeteors(100, 1.0, -10, 15), 0.0);
    EXPECT_EQ(view::expectedMeteors(100, 1.0, NAN, 15), 0.0);
    EXPECT_EQ(view::expectedMeteors(100, 1.0, 30, 0), 0.0);
    EXPECT_NEAR(view::expectedMeteors(120, 1.0, 90, 30), 60.0, 1e-9);
}

struct ShowerScene {
    astro::SkyState sky = poleSky(-20.0);
    catalog::Catalogue cat = emptyCatalogue();
    view::ViewOptions opt;
    ShowerScene(double radiantAlt, int rate) {
        cat.showers.push_back({"test", 8, 12, starAt(radiantAlt, 180.0).raHours, radiantAlt, rate});
        opt.meteors = true;
        opt.year = 2026;
        opt.month = 8;
        opt.day = 12;
        opt.stepMinutes = 60;
    }
    std::vector<view::MeteorStreak> streaks(unsigned long long seed) {
        view::MeteorRng rng(seed);
        return view::meteorStreaks(view::Direction::South, sky, cat, opt, rng);
    }
};

TEST(Meteors, StreaksRunAwayFromTheRadiant) {
    ShowerScene s(45.0, 600);
    const view::PicturePoint radiant = view::toPicture(view::project(view::Direction::South, 45.0, 180.0));
    const auto streaks = s.streaks(7);
    ASSERT_GT(streaks.size(), 20u);
    for (const view::MeteorStreak& m : streaks) {
        double last = -1.0;
        for (const view::PicturePoint& p : m.points) {
            const double r = std::hypot(p.x - radiant.x, p.y - radiant.y);
            EXPECT_GT(r, last);
            last = r;
            EXPECT_LE(p.y, 9000.0f);
            EXPECT_GE(p.x, 0.0f);
            EXPECT_LT(p.x, 15400.0f);
        }
    }
}

TEST(Meteors, SameSeedSamePictureOtherSeedOtherPicture) {
    ShowerScene s(45.0, 300);
    auto calls = [&](unsigned long long seed) {
        RecordingPainter p;
        view::MeteorRng rng(seed);
        view::drawMeteors(view::Direction::South, s.sky, s.cat, s.opt, rng, p);
        std::vector<float> xs;
        for (const Call& c : p.calls) xs.insert(xs.end(), {c.x1, c.y1, c.x2, c.y2});
        return xs;
    };
    const auto a = calls(42);
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a, calls(42));
    EXPECT_NE(a, calls(43));
}

TEST(Meteors, NoneWhileTheRadiantIsDownOrNoShowerIsActive) {
    ShowerScene down(-5.0, 10000);
    EXPECT_TRUE(down.streaks(1).empty());
    ShowerScene early(45.0, 10000);
    early.opt.month = 7;  // a month before the maximum
    EXPECT_TRUE(early.streaks(1).empty());
    ShowerScene edge(45.0, 10000);
    edge.opt.day = 15;  // three days after: still active
    EXPECT_FALSE(edge.streaks(1).empty());
}

TEST(Meteors, MoreOfThemForAHigherRateOrALongerStep) {
    auto total = [](int rate, int step) {
        ShowerScene s(45.0, rate);
        s.opt.stepMinutes = step;
        std::size_t n = 0;
        for (unsigned long long seed = 1; seed <= 40; ++seed) n += s.streaks(seed).size();
        return n;
    };
    EXPECT_GT(total(100, 15), total(20, 15));
    EXPECT_GT(total(100, 60), total(100, 15));
    EXPECT_GT(total(20, 15), 0u);
}

TEST(Meteors, CountIsCappedForAbsurdRates) {
    ShowerScene s(89.0, 1000000);
    s.opt.stepMinutes = 100000;
    EXPECT_LE(s.streaks(3).size(), static_cast<std::size_t>(view::kMaxMeteorsPerShower));
}

TEST(Meteors, RealShowerTableOnAugustNightGivesPerseids) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    ASSERT_EQ(cat.showers.size(), 27u);
    // An observer at 36 N with the Perseid radiant (3.1 h, +58) well up in the
    // north-east.
    astro::SkyState sky = poleSky(-30.0);
    sky.obsLatDeg = 36.0;
    sky.obsLonDeg = 0.0;
    sky.siderealTimeHours = 1.0;
    view::ViewOptions opt;
    opt.meteors = true;
    opt.year = 2026;
    opt.month = 8;
    opt.day = 12;
    opt.stepMinutes = 30;
    int perseids = 0;
    for (unsigned long long seed = 1; seed <= 10; ++seed) {
        view::MeteorRng rng(seed);
        for (const auto& m : view::meteorStreaks(view::Direction::East, sky, cat, opt, rng))
            if (cat.showers[static_cast<std::size_t>(m.shower)].name == "ペルセウス") ++perseids;
    }
    EXPECT_GT(perseids, 10);
}

}  // namespace
