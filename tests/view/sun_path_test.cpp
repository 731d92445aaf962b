// 透明半球: the Sun's hourly places against an independent ephemeris, the
// path against the almanac's rise, transit and set, the seasons' dates, and
// the page (the near and far sides of the dome, the worksheet).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "astro/angles.h"
#include "astro/calendar.h"
#include "catalog/ephemeris.h"
#include "recording_painter.h"
#include "view/sun_path.h"

namespace {

const astro::EphemerisTables& tables() { return catalog::ephemerisTables(); }

// Every whole hour of five days at four places (Tokyo, Sapporo, Naha,
// Sydney), from Astronomy Engine (tools/almanac_reference/
// make_sun_path_reference.mjs): each dot within 0.05 degree, and a dot for
// every hour the Sun is up and none for the others.
TEST(SunPath, HourlyPlacesAgreeWithTheReference) {
    std::ifstream in(SUN_PATH_REFERENCE_CSV);
    ASSERT_TRUE(in) << SUN_PATH_REFERENCE_CSV;
    std::string line;
    std::getline(in, line);
    double worst = 0.0;
    int compared = 0;
    std::string lastKey;
    view::SunPathDay day;
    while (std::getline(in, line)) {
        std::istringstream row(line);
        std::string place, cell;
        std::getline(row, place, ',');
        double v[3];
        for (double& x : v) {
            std::getline(row, cell, ',');
            x = std::stod(cell);
        }
        std::string date;
        std::getline(row, date, ',');
        double h[3];
        for (double& x : h) {
            std::getline(row, cell, ',');
            x = std::stod(cell);
        }
        const std::string key = place + date;
        if (key != lastKey) {
            const astro::LocalDate d{std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)), std::stoi(date.substr(8, 2))};
            day = view::sunPathDay(tables(), d, v[0], v[1], astro::fixedUtcOffset(static_cast<int>(v[2]) * 3600));
            lastKey = key;
        }
        const int hour = static_cast<int>(h[0]);
        const view::SunPathPoint* dot = nullptr;
        for (const view::SunPathPoint& p : day.hourly)
            if (p.hour == hour) dot = &p;
        if (std::fabs(h[1]) < 0.01) continue;  // on the horizon: either side
        ASSERT_EQ(dot != nullptr, h[1] > 0.0) << key << " " << hour;
        if (!dot) continue;
        const double dAz = std::remainder(dot->azDeg - h[2], 360.0) * std::cos(h[1] * astro::kDegToRad);
        worst = std::max(worst, std::hypot(dot->altDeg - h[1], dAz));
        ++compared;
    }
    std::printf("透明半球: %d hourly places, largest difference %.4f deg\n", compared, worst);
    EXPECT_GT(compared, 200);
    EXPECT_LE(worst, 0.05);
}

// The path against the almanac: it leaves the rim a few minutes after the
// almanac's sunrise (the almanac's Sun is the upper limb on the refracted
// horizon, 50' lower), peaks at the transit altitude and ends before sunset;
// the seasons fall on the published dates of 2026 (JST).
TEST(SunPath, PathAgreesWithTheAlmanacAndTheSeasons) {
    const auto jst = astro::fixedUtcOffset(9 * 3600);
    const std::vector<view::SunPathDay> days = view::seasonPathDays(tables(), 2026, 43.0642, 141.3469, jst);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].date, (astro::LocalDate{2026, 6, 21}));
    EXPECT_EQ(days[1].date, (astro::LocalDate{2026, 3, 20}));
    EXPECT_EQ(days[2].date, (astro::LocalDate{2026, 12, 22}));
    // Astronomy Engine: 2026-03-20 14:45:36, 06-21 08:25:00, 12-21 20:50:22 UT.
    const std::pair<double, double> terms[] = {{0.0, astro::ymdYD(2026, 3, 20.0) + (14 * 60 + 45.6) / 1440.0},
                                               {90.0, astro::ymdYD(2026, 6, 21.0) + (8 * 60 + 25.0) / 1440.0},
                                               {270.0, astro::ymdYD(2026, 12, 21.0) + (20 * 60 + 50.4) / 1440.0}};
    for (const auto& [lon, jd] : terms) EXPECT_NEAR((astro::solarTermJdUt(tables(), 2026, lon) - jd) * 1440.0, 0.0, 1.5) << lon;
    for (const view::SunPathDay& d : days) {
        ASSERT_TRUE(d.rise && d.set && d.transit) << d.label;
        ASSERT_GT(d.curve.size(), 50u);
        const double afterRise = (d.curve.front().jdUt - d.rise->jdUt) * 1440.0;
        const double beforeSet = (d.set->jdUt - d.curve.back().jdUt) * 1440.0;
        EXPECT_GT(afterRise, 2.0) << d.label;
        EXPECT_LT(afterRise, 10.0) << d.label;
        EXPECT_GT(beforeSet, 2.0) << d.label;
        EXPECT_LT(beforeSet, 10.0) << d.label;
        double highest = -90.0;
        for (const view::SunPathPoint& p : d.curve) highest = std::max(highest, p.altDeg);
        EXPECT_NEAR(highest, d.transit->altDeg, 0.05) << d.label;  // 5-minute steps near the top
        EXPECT_NEAR(d.curve.front().altDeg, 0.0, 1e-9);
    }
    // Midsummer at 78 N: the Sun never sets; no rise, no set, a closed day of path.
    const view::SunPathDay polar = view::sunPathDay(tables(), {2026, 6, 21}, 78.22, 15.63, astro::fixedUtcOffset(3600));
    EXPECT_EQ(polar.up, astro::UpState::Always);
    EXPECT_EQ(polar.hourly.size(), 24u);
}

// The page: the eye is on the side the Sun passes (south of the dome in the
// north, north of it in the south), so noon is on the near side; the
// worksheet draws no path.
TEST(SunPath, NoonOnTheNearSideAndTheWorksheetEmpty) {
    const view::DomeProjection north = view::sunPathDome(35.0), south = view::sunPathDome(-33.0);
    EXPECT_TRUE(north.nearSide(40.0, 180.0));
    EXPECT_FALSE(north.nearSide(10.0, 0.0));
    EXPECT_TRUE(south.nearSide(40.0, 0.0));
    // East is on the right seen from the south, on the left seen from the north.
    EXPECT_GT(north.place(0.0, 90.0).x, north.place(0.0, 270.0).x);
    EXPECT_LT(south.place(0.0, 90.0).x, south.place(0.0, 270.0).x);
    EXPECT_LT(north.place(90.0, 0.0).y, north.place(0.0, 180.0).y);  // the zenith above the rim

    view::SunPathScene scene;
    scene.days = view::seasonPathDays(tables(), 2026, 35.65, 139.75, astro::fixedUtcOffset(9 * 3600));
    viewtest::RecordingPainter page;
    view::drawSunPath(scene, page);
    std::string text;
    for (const auto& l : page.labels()) text += l.text + "|";
    for (const char* must : {"東", "西", "南", "北", "夏至（6月21日）", "12時", "日の出 04:25"})
        EXPECT_NE(text.find(must), std::string::npos) << must;
    scene.worksheet = true;
    viewtest::RecordingPainter sheet;
    view::drawSunPath(scene, sheet);
    std::string sheetText;
    for (const auto& l : sheet.labels()) sheetText += l.text + "|";
    EXPECT_EQ(sheetText.find("時|"), std::string::npos) << sheetText;
    EXPECT_NE(sheetText.find("名前"), std::string::npos);
}

}  // namespace
