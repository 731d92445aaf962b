// Eclipses against the national almanac's published times
// (data/published_eclipses.csv: 74 contact times of 8 eclipses, solar at
// the prefectural offices, lunar for everywhere), and the search over years
// against the known list.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/eclipses.h"
#include "catalog/ephemeris.h"

namespace {

const astro::EphemerisTables& tables() { return catalog::ephemerisTables(); }

// Julian day of 0h UT of a Gregorian date.
double jdOf(int y, int m, int d) {
    if (m <= 2) y -= 1, m += 12;
    const int a = y / 100, b = 2 - a + a / 4;
    return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + d + b - 1524.5;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> f;
    std::stringstream s(line);
    for (std::string x; std::getline(s, x, ',');) f.push_back(x);
    return f;
}

TEST(Eclipses, ContactTimesAgreeWithTheNationalAlmanac) {
    std::ifstream in(PUBLISHED_ECLIPSES_CSV);
    ASSERT_TRUE(in) << PUBLISHED_ECLIPSES_CSV;
    std::string line;
    std::getline(in, line);
    int count = 0, withinTenth = 0, magnitudes = 0;
    double worst = 0.0, worstMagnitude = 0.0;
    std::vector<std::string> dates;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = fields(line);
        ASSERT_GE(f.size(), 8u) << line;
        const double midnightUt = jdOf(std::stoi(f[0].substr(0, 4)), std::stoi(f[0].substr(5, 2)), std::stoi(f[0].substr(8, 2))) - 9.0 / 24.0;
        const bool solar = f[1] == "solar";
        const std::vector<astro::GlobalEclipse> found = astro::eclipsesBetween(tables(), midnightUt - 0.5, midnightUt + 1.5);
        const astro::GlobalEclipse* g = nullptr;
        for (const astro::GlobalEclipse& e : found)
            if ((e.kind == astro::EclipseKind::Solar) == solar) g = &e;
        ASSERT_NE(g, nullptr) << line;
        const astro::LocalEclipse local =
            astro::localEclipse(tables(), *g, f[3].empty() ? 35.6895 : std::stod(f[3]), f[4].empty() ? 139.6917 : std::stod(f[4]));
        // "HH:MM:SS" (solar) or "HH:MM.m" (lunar), JST, hours past 24 on the next day.
        const std::string& t = f[6];
        const double published = std::stoi(t.substr(0, 2)) * 3600.0 +
                                 (t.size() == 8 ? std::stoi(t.substr(3, 2)) * 60.0 + std::stoi(t.substr(6, 2)) : std::stod(t.substr(3)) * 60.0);
        bool seen = false;
        for (const astro::EclipseMoment& m : local.events) {
            if (m.event != f[5]) continue;
            seen = true;
            const double off = (m.jdUt - midnightUt) * 86400.0 - published;
            ++count;
            withinTenth += std::fabs(off) <= 6.0;
            worst = std::max(worst, std::fabs(off));
            EXPECT_LE(std::fabs(off), 30.0) << line;
            if (!f[7].empty()) {
                const double mag = solar ? local.magnitude : local.umbralMagnitude;
                worstMagnitude = std::max(worstMagnitude, std::fabs(mag - std::stod(f[7])));
                ++magnitudes;
            }
        }
        EXPECT_TRUE(seen) << line;
        if (dates.empty() || dates.back() != f[0]) dates.push_back(f[0]);
    }
    std::printf("%d contact times of %zu eclipses: %d within 0.1 min, largest %.1f s; %d magnitudes within %.4f\n", count,
                dates.size(), withinTenth, worst, magnitudes, worstMagnitude);
    EXPECT_GE(count, 40);
    EXPECT_GE(dates.size(), 8u);
    EXPECT_GE(withinTenth, count * 9 / 10);
    EXPECT_LE(worstMagnitude, 0.003);
}

// 2026-2039 against the eclipse canon's list (NASA's five-millennium
// catalogue): the kinds, types and greatest times to the minute.
TEST(Eclipses, SearchFindsEveryEclipseAndNoOther) {
    struct Known {
        const char* utc;  // greatest eclipse, "YYYY-MM-DD HH:MM"
        astro::EclipseKind kind;
        astro::EclipseType type;
    };
    using K = astro::EclipseKind;
    using T = astro::EclipseType;
    static const Known kKnown[] = {
        {"2026-02-17 12:12", K::Solar, T::Annular}, {"2026-03-03 11:34", K::Lunar, T::Total},
        {"2026-08-12 17:46", K::Solar, T::Total},   {"2026-08-28 04:13", K::Lunar, T::Partial},
        {"2027-02-06 16:00", K::Solar, T::Annular}, {"2027-02-20 23:13", K::Lunar, T::Penumbral},
        {"2027-07-18 16:03", K::Lunar, T::Penumbral}, {"2027-08-02 10:07", K::Solar, T::Total},
        {"2027-08-17 07:14", K::Lunar, T::Penumbral}, {"2028-01-12 04:13", K::Lunar, T::Partial},
        {"2028-01-26 15:08", K::Solar, T::Annular}, {"2028-07-06 18:20", K::Lunar, T::Partial},
        {"2028-07-22 02:56", K::Solar, T::Total},   {"2028-12-31 16:52", K::Lunar, T::Total},
    };
    const std::vector<astro::GlobalEclipse> found = astro::eclipsesBetween(tables(), jdOf(2026, 1, 1), jdOf(2029, 1, 1));
    ASSERT_EQ(found.size(), std::size(kKnown));
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Known& k = kKnown[i];
        const std::string s = k.utc;
        const double jd = jdOf(std::stoi(s.substr(0, 4)), std::stoi(s.substr(5, 2)), std::stoi(s.substr(8, 2))) +
                          (std::stoi(s.substr(11, 2)) * 60 + std::stoi(s.substr(14, 2))) / 1440.0;
        EXPECT_EQ(found[i].kind, k.kind) << s;
        EXPECT_EQ(found[i].type, k.type) << s;
        EXPECT_NEAR(found[i].greatestJdUt, jd, 1.5 / 1440.0) << s;
    }
}

// Rising and setting during an eclipse, by the upper limb with 35'08" of
// refraction, and an eclipse the place does not see.
TEST(Eclipses, SunsetMoonriseAndAnEclipseNotSeen) {
    const auto at = [](int y, int m, int d, astro::EclipseKind kind, double lat, double lon) {
        const double midnight = jdOf(y, m, d) - 9.0 / 24.0;
        for (const astro::GlobalEclipse& e : astro::eclipsesBetween(tables(), midnight, midnight + 1.0))
            if (e.kind == kind) return astro::localEclipse(tables(), e, lat, lon);
        return astro::LocalEclipse{};
    };
    // 2019-12-26 at Tokyo: the Sun sets still eclipsed (日入帯食).
    const astro::LocalEclipse sunset = at(2019, 12, 26, astro::EclipseKind::Solar, 35.65, 139.75);
    ASSERT_TRUE(sunset.set.has_value());
    EXPECT_FALSE(sunset.rise.has_value());
    EXPECT_GT(sunset.set->jdUt, sunset.events.front().jdUt);
    EXPECT_LT(sunset.set->jdUt, sunset.events.back().jdUt);
    EXPECT_NEAR(sunset.set->altDeg, -(35.0 / 60.0 + 8.0 / 3600.0) - 16.3 / 60.0, 0.02);  // the upper limb on the horizon
    EXPECT_GT(sunset.set->magnitude, 0.0);
    EXPECT_TRUE(sunset.seen);
    // 2026-03-03 at Naha: the Moon rises in the penumbra (月出帯食).
    const astro::LocalEclipse moonrise = at(2026, 3, 3, astro::EclipseKind::Lunar, 26.217, 127.667);
    ASSERT_TRUE(moonrise.rise.has_value());
    EXPECT_GT(moonrise.rise->jdUt, moonrise.events.front().jdUt);  // after P1
    EXPECT_TRUE(moonrise.seen);
    // 2026-08-13's total solar eclipse comes to Sapporo at night: nothing seen.
    const astro::LocalEclipse night = at(2026, 8, 13, astro::EclipseKind::Solar, 43.067, 141.35);
    EXPECT_FALSE(night.seen);
}

// Over the 21st century the canon (Espenak & Meeus) counts 224 solar and
// 228 lunar eclipses. The solar ones must all be there; the lunar count
// differs at the margin because the canon enlarges the shadow by Danjon's
// rule and the national almanac by the Astronomical Almanac's 1/50, which
// makes a few grazing penumbral and partial eclipses more.
TEST(Eclipses, TwoCenturiesHoldTheCanonsCount) {
    int solar = 0, lunar = 0;
    for (const astro::GlobalEclipse& e : astro::eclipsesBetween(tables(), jdOf(2001, 1, 1), jdOf(2101, 1, 1)))
        ++(e.kind == astro::EclipseKind::Solar ? solar : lunar);
    EXPECT_EQ(solar, 224);
    EXPECT_GE(lunar, 228);
    EXPECT_LE(lunar, 231);
}

}  // namespace
