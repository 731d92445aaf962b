#include "app/session/time_step.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using app::CivilMinute;

struct StepCase {
    CivilMinute from;
    int minutes;
    CivilMinute to;
};

class TimeStepCarries : public ::testing::TestWithParam<StepCase> {};

TEST_P(TimeStepCarries, ByTheCalendar) {
    const StepCase& c = GetParam();
    const auto got = app::advanceMinutes(c.from.year, c.from.month, c.from.day, c.from.hour, c.from.minute, c.minutes);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, c.to) << got->year << "-" << got->month << "-" << got->day << " " << got->hour << ":"
                          << got->minute;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimeStepCarries,
    ::testing::Values(StepCase{{2026, 12, 8, 22, 10}, 15, {2026, 12, 8, 22, 25}},
                      StepCase{{2026, 12, 8, 23, 50}, 15, {2026, 12, 9, 0, 5}},
                      StepCase{{2026, 1, 31, 23, 59}, 2, {2026, 2, 1, 0, 1}},
                      StepCase{{2026, 4, 30, 23, 30}, 30, {2026, 5, 1, 0, 0}},
                      StepCase{{2026, 2, 28, 23, 0}, 60, {2026, 3, 1, 0, 0}},   // common year
                      StepCase{{2024, 2, 28, 23, 0}, 60, {2024, 2, 29, 0, 0}},  // leap year
                      StepCase{{2000, 2, 28, 23, 0}, 60, {2000, 2, 29, 0, 0}},  // 400-year leap
                      StepCase{{1900, 2, 28, 23, 0}, 60, {1900, 3, 1, 0, 0}},   // century, not leap
                      StepCase{{1500, 2, 28, 23, 0}, 60, {1500, 2, 29, 0, 0}},  // Julian calendar
                      StepCase{{1582, 10, 4, 23, 0}, 60, {1582, 10, 15, 0, 0}}, // calendar reform
                      StepCase{{2026, 12, 31, 23, 0}, 120, {2027, 1, 1, 1, 0}},
                      StepCase{{0, 12, 31, 23, 58}, 2, {1, 1, 1, 0, 0}},
                      StepCase{{-1, 12, 31, 23, 58}, 2, {0, 1, 1, 0, 0}},
                      StepCase{{-4713, 1, 1, 0, 0}, 90, {-4713, 1, 1, 1, 30}},
                      StepCase{{-32768, 1, 1, 0, 0}, 5, {-32768, 1, 1, 0, 5}},
                      // Values outside their ranges are normalised before the step.
                      StepCase{{2026, 13, 1, 0, 0}, 2, {2027, 1, 1, 0, 2}},
                      StepCase{{2026, 0, 1, 0, 0}, 2, {2025, 12, 1, 0, 2}},
                      StepCase{{2026, 2, 30, 0, 0}, 2, {2026, 3, 2, 0, 2}},
                      StepCase{{2026, 3, 0, 25, 70}, 0, {2026, 3, 1, 2, 10}},
                      StepCase{{2026, 3, 1, -1, 0}, 0, {2026, 2, 28, 23, 0}}));

TEST(TimeStep, FractionsCountAsHoursAndMinutes) {
    EXPECT_EQ(*app::advanceMinutes(2026, 5, 1.5, 0.0, 0.0, 0), (CivilMinute{2026, 5, 1, 12, 0}));
    EXPECT_EQ(*app::advanceMinutes(2026, 5, 1.0, 1.25, 0.0, 15), (CivilMinute{2026, 5, 1, 1, 30}));
    EXPECT_EQ(*app::advanceMinutes(2026, 5, 1.0, 0.0, 10.6, 0), (CivilMinute{2026, 5, 1, 0, 11}));
}

TEST(TimeStep, ManySmallStepsEqualOneBigStep) {
    CivilMinute t{2026, 12, 31, 22, 10};
    for (int i = 0; i < 96; ++i) t = *app::advanceMinutes(t.year, t.month, t.day, t.hour, t.minute, 15);
    EXPECT_EQ(t, (CivilMinute{2027, 1, 1, 22, 10}));

    const CivilMinute start{2026, 12, 8, 22, 10};
    for (const int step : {2, 5, 10, 15, 30, 60, 90, 120}) {
        CivilMinute s = start;
        for (int i = 0; i < 10000; ++i) s = *app::advanceMinutes(s.year, s.month, s.day, s.hour, s.minute, step);
        EXPECT_EQ(app::minuteCount(s) - app::minuteCount(start), std::int64_t{10000} * step) << "step " << step;
    }
}

TEST(TimeStep, DayNumbersRoundTripOverEveryYearTheFieldsHold) {
    const std::int64_t first = app::dayNumber(app::kMinYear, 1, 1);
    const std::int64_t last = app::dayNumber(app::kMaxYear, 12, 31);
    CivilMinute prev = app::civilFromDayNumber(first);
    EXPECT_EQ(prev, (CivilMinute{app::kMinYear, 1, 1, 0, 0}));
    for (std::int64_t j = first + 1; j <= last; ++j) {
        const CivilMinute c = app::civilFromDayNumber(j);
        ASSERT_EQ(app::dayNumber(c.year, c.month, c.day), j) << c.year << "-" << c.month << "-" << c.day;
        // Consecutive days: either the next day of the month or the first of the next month.
        const bool nextDay = c.year == prev.year && c.month == prev.month && c.day == prev.day + 1;
        const bool nextMonth = c.day == 1 && ((c.year == prev.year && c.month == prev.month + 1) ||
                                              (c.year == prev.year + 1 && c.month == 1 && prev.month == 12));
        const bool reform = prev.year == 1582 && prev.month == 10 && prev.day == 4 && c.day == 15;
        ASSERT_TRUE(nextDay || nextMonth || reform) << c.year << "-" << c.month << "-" << c.day;
        prev = c;
    }
    EXPECT_EQ(prev, (CivilMinute{app::kMaxYear, 12, 31, 0, 0}));
    EXPECT_EQ(app::dayNumber(2000, 1, 1), 2451545);  // J2000.0 is noon of this day
    EXPECT_EQ(app::dayNumber(-4712, 1, 1), 0);
}

TEST(TimeStep, RefusesWhatTheFieldsCannotHold) {
    EXPECT_FALSE(app::advanceMinutes(app::kMaxYear, 12, 31, 23, 50, 15).has_value());
    EXPECT_FALSE(app::advanceMinutes(2026, 1, 1e300, 0, 0, 15).has_value());
    EXPECT_FALSE(app::advanceMinutes(2026, 1, 1, std::numeric_limits<double>::quiet_NaN(), 0, 15).has_value());
    EXPECT_FALSE(app::advanceMinutes(2026, 1, 1, 0, std::numeric_limits<double>::infinity(), 15).has_value());
    EXPECT_TRUE(app::advanceMinutes(2026, 1, 1, 0, 0, 15).has_value());
}

}  // namespace
