#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/calendar.h"

namespace astro {
namespace {

// Julian days near 2.4e6 carry about 5e-10 d of rounding: 1e-9 d is exact.
constexpr double kJdTol = 1e-9;

TEST(YmdYD, KnownDates) {
    struct Case {
        int y, m;
        double d, jd;
    };
    const Case cases[] = {
        {2000, 1, 1.5, 2451545.0},
        {1582, 10, 15.0, 2299160.5},  // the first Gregorian day, after the Julian 4th
        {1582, 10, 4.0, 2299159.5},
        {1957, 10, 4.81, 2436116.31},
        {-1000, 7, 12.5, 1356001.0},  // year < 1 uses trunc(365.25 y - 0.75)
        {1600, 1, 1.0, 2305447.5},
        {1, 1, 1.0, 1721423.5},
        {0, 12, 31.0, 1721422.5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ymdYD(c.y, c.m, c.d) - c.jd, 0.0, kJdTol) << c.y << "-" << c.m << "-" << c.d;
}

TEST(YmdYD, GregorianCalendarStartsOn15October1582) {
    // 1582-10-15 (Gregorian, B = 2 - 15 + 3 = -10) is the day after the
    // Julian 1582-10-04: the count runs on without a step, through the end
    // of October into November. (October 1582 was once counted Julian to
    // its end, which put the 25th on the Gregorian 4 November.)
    EXPECT_NEAR(ymdYD(1582, 10, 15.0) - ymdYD(1582, 10, 4.0), 1.0, kJdTol);
    EXPECT_NEAR(ymdYD(1582, 11, 1.0) - 2299177.5, 0.0, kJdTol);
    EXPECT_NEAR(ymdYD(1582, 10, 31.0) - 2299176.5, 0.0, kJdTol);
    EXPECT_NEAR(ymdYD(1583, 1, 1.0) - 2299238.5, 0.0, kJdTol);
    for (double jd = 2299150.5; jd < 2299200.5; jd += 1.0) {
        const CalendarDate d = ydYMD(jd);
        EXPECT_NEAR(ymdYD(d.year, d.month, d.utDay) - jd, 0.0, kJdTol) << d.month << "-" << d.day;
    }
    // JST 1582-10-15 05:00 is still the 14th in UT, and Gregorian all the same.
    const UtMoment early = jstToUt(1582, 10, 15.0, 5.0, 0.0);
    EXPECT_NEAR(early.jd - (2299160.5 - 4.0 / 24.0), 0.0, kJdTol);
    EXPECT_NEAR(jstToUt(1582, 10, 25.0, 12.0, 0.0).jd - (2299170.5 + 3.0 / 24.0), 0.0, kJdTol);
}

// Before JD 0 (4713 BC) the conversion back once truncated toward zero and
// gave dates like -4997-0-5; every date of the year range reads back now.
TEST(YdYMD, ReadsBackEveryDateOfTheYearRangeBeforeJdZeroToo) {
    for (const int year : {-32768, -20000, -5000, -4713, -4712, -1, 0, 1, 1582, 2026, 32767}) {
        for (const int month : {1, 2, 3, 7, 12}) {
            for (const double day : {1.0, 15.25, 28.75}) {
                const CalendarDate d = ydYMD(ymdYD(year, month, day));
                ASSERT_EQ(d.year, year) << year << "-" << month << "-" << day;
                ASSERT_EQ(d.month, month) << year << "-" << month << "-" << day;
                ASSERT_NEAR(d.utDay - day, 0.0, 1e-6) << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(YmdYD, MonthZeroIsDecemberOfYearBefore) {
    EXPECT_DOUBLE_EQ(ymdYD(2005, 0, 15.0), ymdYD(2004, 12, 15.0));
    // A day past the month's end carries into the next month.
    EXPECT_DOUBLE_EQ(ymdYD(2005, 1, 32.0), ymdYD(2005, 2, 1.0));
}

TEST(YdYMD, InverseOf1957Sputnik) {
    const CalendarDate c = ydYMD(2436116.31);
    EXPECT_EQ(c.year, 1957);
    EXPECT_EQ(c.month, 10);
    EXPECT_EQ(c.day, 4);
    EXPECT_NEAR(c.utDay - 4.81, 0.0, 1e-9);
    EXPECT_EQ(c.hour, 19);
    EXPECT_EQ(c.minute, 26);
    EXPECT_EQ(c.second, 24);
}

TEST(YdYMD, RoundTripOverFourThousandYears) {
    for (int y = -1000; y <= 3000; y += 37) {
        for (int m = 1; m <= 12; m += 5) {
            const double jd = ymdYD(y, m, 10.25);
            const CalendarDate c = ydYMD(jd);
            ASSERT_EQ(c.year, y);
            ASSERT_EQ(c.month, m);
            ASSERT_NEAR(c.utDay - 10.25, 0.0, 1e-8) << y << "-" << m;
        }
    }
}

TEST(YdYMD, AbsurdJulianDaysSaturateInsteadOfOverflowing) {
    const CalendarDate big = ydYMD(1e300);
    EXPECT_EQ(big.year, std::numeric_limits<int>::max());
    const CalendarDate nan = ydYMD(std::nan(""));
    EXPECT_EQ(nan.year, 0);
    EXPECT_EQ(nan.utDay, 0.0);
}

TEST(JstToUt, MidnightOfNewYearIsFifteenHoursUtTheDayBefore) {
    const UtMoment m = jstToUt(2000, 1, 1.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(m.dayUt, 0.625);
    EXPECT_NEAR(m.jd - 2451544.125, 0.0, kJdTol);
    const CalendarDate c = ydYMD(m.jd);
    EXPECT_EQ(c.year, 1999);
    EXPECT_EQ(c.month, 12);
    EXPECT_EQ(c.day, 31);
    EXPECT_EQ(c.hour, 15);
    EXPECT_NEAR(m.utHours - 15.0, 0.0, 1e-12);
}

TEST(JstToUt, SmallHoursGiveNegativeDayButTheRightJulianDay) {
    // 2000-01-01 03:00 JST = 1999-12-31 18:00 UT: D = 1 + 3/24 - 9/24 = 0.75.
    const UtMoment m = jstToUt(2000, 1, 1.0, 3.0, 0.0);
    EXPECT_NEAR(m.dayUt - 0.75, 0.0, 1e-15);
    const UtMoment n = jstToUt(2000, 1, 0.0, 3.0, 0.0);  // D = -0.25
    EXPECT_NEAR(n.jd - (m.jd - 1.0), 0.0, kJdTol);
    EXPECT_NEAR(n.utHours - (-6.0), 0.0, 1e-12);
}

TEST(Jcent, ZeroAtJ2000) {
    EXPECT_EQ(jcent(2451545.0), 0.0);
    EXPECT_DOUBLE_EQ(jcent(2451545.0 + 36525.0), 1.0);
}

TEST(GreenwichSiderealTime, AtJ2000NoonMatchesTheMeanValue) {
    // Without nutation, GMST at 2000-01-01 12:00 UT is 18.697374558 h.
    EXPECT_NEAR(greenwichSiderealTime(0.0, 12.0, 0.0, 23.43929) - 18.697374558, 0.0, 1e-12);
}

TEST(GreenwichSiderealTime, PublishedMeanSiderealTime1987Apr10) {
    // 1987-04-10 19:21:00 UT: GMST 8h34m57.0896s. 1e-6 h is 4 ms of time.
    const double st = greenwichSiderealTime(jcent(2446896.30625), 19.35, 0.0, 23.44);
    EXPECT_NEAR(st - (8.0 + 34.0 / 60.0 + 57.0896 / 3600.0), 0.0, 1e-6);
}

TEST(GreenwichSiderealTime, EquationOfTheEquinoxesIsAddedUnreduced) {
    const double mean = greenwichSiderealTime(0.0, 12.0, 0.0, 23.4);
    const double apparent = greenwichSiderealTime(0.0, 12.0, -0.004, 23.4);
    EXPECT_NEAR(apparent - mean - (-0.004 * std::cos(23.4 * 0.017453292519943) / 15.0), 0.0, 1e-15);
}

TEST(GreenwichSiderealTime, NegativeUtHoursLandInRange) {
    for (double ut = -23.9; ut < 24.0; ut += 0.7) {
        const double st = greenwichSiderealTime(0.3, ut, 0.0, 23.4);
        EXPECT_GE(st, 0.0);
        EXPECT_LT(st, 24.0);
    }
}

}  // namespace
}  // namespace astro
