// The time step run by the timer: advances the entered date and time (Japan
// Standard Time) by a whole number of minutes with exact integer calendar
// arithmetic, so any number of steps lands on the same minute as one step of
// the summed length.
//
// The calendar is the one of the Julian-day conversions: Julian before
// 1582-10-15, Gregorian from that day on, astronomical year numbering (0 is
// the year before 1).
#pragma once

#include <cstdint>
#include <optional>

#include "astro/astro.h"
#include "astro/calendar.h"

namespace app {

// Date and time as the five fields show them after a step, and the years
// the date fields hold (what a 16-bit year allows).
using astro::CivilMinute;
using astro::kMaxYear;
using astro::kMinYear;

// Julian Day Number (the Julian day at noon) of a calendar date. The month
// and day may lie outside their ranges; they carry (month 13 is January of
// the next year, day 0 the last day of the month before).
std::int64_t dayNumber(std::int64_t year, std::int64_t month, std::int64_t day);

// Calendar date of a Julian Day Number; hour and minute are 0.
CivilMinute civilFromDayNumber(std::int64_t jdn);

// Minutes since the start of Julian Day Number 0's civil day.
std::int64_t minuteCount(const CivilMinute& t);
CivilMinute civilFromMinuteCount(std::int64_t minutes);

// One step. The entered values are normalised first: the month carries into
// the year, fractions of day and hour count as hours and minutes, values
// beyond their usual range carry (hour 25 is 1 o'clock the next day), and
// the moment is rounded to the nearest whole minute. Returns nothing, and
// the fields stay as they are, when the values are not finite or the result
// leaves the years kMinYear..kMaxYear.
std::optional<CivilMinute> advanceMinutes(int year, int month, double day, double hour, double minute,
                                          int stepMinutes);

}  // namespace app
