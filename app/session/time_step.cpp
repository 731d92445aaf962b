#include "app/session/time_step.h"

#include <cmath>

namespace app {

namespace {

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b) { return a - floorDiv(a, b) * b; }

constexpr std::int64_t kFirstGregorianJdn = 2299161;  // 1582-10-15
constexpr std::int64_t kMinutesPerDay = 1440;

// Day numbers of (year, month 1..12, day) in the two calendars; months are
// counted from March so the leap day ends the year.
std::int64_t gregorianJdn(std::int64_t y, std::int64_t m, std::int64_t d) {
    const std::int64_t a = (14 - m) / 12;
    const std::int64_t yy = y + 4800 - a;
    const std::int64_t mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + floorDiv(yy, 4) - floorDiv(yy, 100) + floorDiv(yy, 400) - 32045;
}
std::int64_t julianJdn(std::int64_t y, std::int64_t m, std::int64_t d) {
    const std::int64_t a = (14 - m) / 12;
    const std::int64_t yy = y + 4800 - a;
    const std::int64_t mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + floorDiv(yy, 4) - 32083;
}

}  // namespace

std::int64_t dayNumber(std::int64_t year, std::int64_t month, std::int64_t day) {
    const std::int64_t y = year + floorDiv(month - 1, 12);
    const std::int64_t m = floorMod(month - 1, 12) + 1;
    // October 1582 switches on the 15th: the days before it are Julian (the
    // 5th..14th never existed and fall on the 15th..24th), the days from it
    // on Gregorian; the day carries from there, so day 32 is 1 November.
    const bool gregorian = y > 1582 || (y == 1582 && (m > 10 || (m == 10 && day >= 15)));
    return gregorian ? gregorianJdn(y, m, 1) + (day - 1) : julianJdn(y, m, 1) + (day - 1);
}

CivilMinute civilFromDayNumber(std::int64_t jdn) {
    // Richards' algorithm with floor division, valid for every integer day.
    std::int64_t f = jdn + 1401;
    if (jdn >= kFirstGregorianJdn) f += floorDiv(floorDiv(4 * jdn + 274277, 146097) * 3, 4) - 38;
    const std::int64_t e = 4 * f + 3;
    const std::int64_t g = floorDiv(floorMod(e, 1461), 4);
    const std::int64_t h = 5 * g + 2;
    CivilMinute t;
    t.day = static_cast<int>(floorDiv(floorMod(h, 153), 5) + 1);
    t.month = static_cast<int>(floorMod(floorDiv(h, 153) + 2, 12) + 1);
    t.year = static_cast<int>(floorDiv(e, 1461) - 4716 + (12 + 2 - t.month) / 12);
    return t;
}

std::int64_t minuteCount(const CivilMinute& t) {
    return dayNumber(t.year, t.month, t.day) * kMinutesPerDay + t.hour * 60 + t.minute;
}

CivilMinute civilFromMinuteCount(std::int64_t minutes) {
    const std::int64_t jdn = floorDiv(minutes, kMinutesPerDay);
    const std::int64_t inDay = floorMod(minutes, kMinutesPerDay);
    CivilMinute t = civilFromDayNumber(jdn);
    t.hour = static_cast<int>(inDay / 60);
    t.minute = static_cast<int>(inDay % 60);
    return t;
}

std::optional<CivilMinute> advanceMinutes(int year, int month, double day, double hour, double minute,
                                          int stepMinutes) {
    if (!std::isfinite(day) || !std::isfinite(hour) || !std::isfinite(minute)) return std::nullopt;
    // Far beyond the 65536 years the fields can hold, and well inside int64.
    constexpr double kDayLimit = 1e8;
    constexpr double kMinuteLimit = kDayLimit * kMinutesPerDay;
    if (std::fabs(day) > kDayLimit || std::fabs(hour) * 60.0 > kMinuteLimit || std::fabs(minute) > kMinuteLimit) {
        return std::nullopt;
    }
    const double wholeDay = std::floor(day);
    const double offset = std::round((day - wholeDay) * kMinutesPerDay + hour * 60.0 + minute);
    const std::int64_t total = dayNumber(year, month, static_cast<std::int64_t>(wholeDay)) * kMinutesPerDay +
                               static_cast<std::int64_t>(offset) + stepMinutes;
    // The year of the result, checked on the day number so an int cannot wrap.
    const std::int64_t jdn = floorDiv(total, kMinutesPerDay);
    if (jdn < dayNumber(kMinYear, 1, 1) || jdn > dayNumber(kMaxYear, 12, 31)) return std::nullopt;
    return civilFromMinuteCount(total);
}

}  // namespace app
