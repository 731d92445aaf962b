// 20,000 time steps of every step size of the step list, done the way the
// window's timer does them: the five fields are read from their text, the
// moment is advanced, and the fields are written back as decimal text. The
// date after every step equals the start plus the exact number of minutes,
// computed independently with the standard library's calendar.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "app/session/fields.h"
#include "app/session/time_step.h"

namespace {

namespace chr = std::chrono;

struct Fields {
    std::string year, month, day, hour, minute;
};

// One tick of the timer on the field texts.
bool step(Fields& f, int stepMinutes) {
    app::FieldTexts texts;
    texts.text[astro::FieldYear] = f.year;
    texts.text[astro::FieldMonth] = f.month;
    texts.text[astro::FieldDay] = f.day;
    texts.text[astro::FieldHour] = f.hour;
    texts.text[astro::FieldMinute] = f.minute;
    texts.text[astro::FieldLat] = "35.65";
    texts.text[astro::FieldLon] = "139.75";
    const astro::SkyFieldsReading r = app::readFields(texts);
    const std::optional<app::CivilMinute> next =
        app::advanceMinutes(r.input.year, r.input.month, r.input.day, r.input.hour, r.input.minute, stepMinutes);
    if (!next) return false;
    f = {std::to_string(next->year), std::to_string(next->month), std::to_string(next->day),
         std::to_string(next->hour), std::to_string(next->minute)};
    return true;
}

// The fields as the window shows the moment t (proleptic Gregorian).
Fields fieldsOf(chr::sys_time<chr::minutes> t) {
    const chr::sys_days d = chr::floor<chr::days>(t);
    const chr::year_month_day ymd(d);
    const chr::hh_mm_ss<chr::minutes> hm(t - d);
    return {std::to_string(static_cast<int>(ymd.year())), std::to_string(static_cast<unsigned>(ymd.month())),
            std::to_string(static_cast<unsigned>(ymd.day())), std::to_string(hm.hours().count()),
            std::to_string(hm.minutes().count())};
}

bool operator==(const Fields& a, const Fields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

std::string show(const Fields& f) { return f.year + "-" + f.month + "-" + f.day + " " + f.hour + ":" + f.minute; }

TEST(TimeStepSoak, TwentyThousandStepsOfEveryStepSizeNeverDrift) {
    const int kSteps = 20000;
    const int stepSizes[] = {2, 5, 10, 15, 30, 60, 90, 120};  // the items of the step list
    // Starts just before a year's end, at a leap day and at a minute that is
    // no multiple of any step.
    const chr::sys_time<chr::minutes> starts[] = {
        chr::sys_days{chr::year{2026} / 12 / 31} + chr::hours{22} + chr::minutes{10},
        chr::sys_days{chr::year{2028} / 2 / 28} + chr::hours{23} + chr::minutes{59},
        chr::sys_days{chr::year{1999} / 12 / 31} + chr::hours{23} + chr::minutes{7},
    };
    long ticks = 0;
    for (int stepMinutes : stepSizes) {
        for (const auto start : starts) {
            Fields f = fieldsOf(start);
            for (int k = 1; k <= kSteps; ++k) {
                ASSERT_TRUE(step(f, stepMinutes)) << "step " << k << " of " << stepMinutes << " min";
                const Fields expected = fieldsOf(start + chr::minutes{static_cast<std::int64_t>(k) * stepMinutes});
                ASSERT_EQ(f, expected) << "after " << k << " steps of " << stepMinutes << " min: " << show(f)
                                       << ", exact " << show(expected);
                ++ticks;
            }
        }
    }
    EXPECT_EQ(ticks, 8L * 3 * kSteps);
}

TEST(TimeStepSoak, StepsThatLeaveTheYearRangeStopInsteadOfWrapping) {
    Fields f{"32767", "12", "31", "23", "50"};
    EXPECT_TRUE(step(f, 5));
    EXPECT_EQ(show(f), "32767-12-31 23:55");
    EXPECT_FALSE(step(f, 5)) << show(f);
    EXPECT_EQ(show(f), "32767-12-31 23:55");  // the fields stay as they are
}

}  // namespace
