// What the front ends write about the moment and place they show: the
// status line, the picture's file name and the notes on fields that could
// not be used as typed. Japanese, UTF-8; no Qt.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/session/zone.h"
#include "astro/field_text.h"
#include "astro/sky_state.h"
#include "view/direction.h"

namespace app {

// shownMinute: the fields' moment as they would show it after a step of 0
// minutes (carried, rounded to the minute); nothing when it cannot be read.
std::optional<astro::CivilMinute> shownMinute(const astro::SkyInput& input);

// "2026年1月15日 22:00" (JST as entered, or any clock).
std::string civilMinuteText(const astro::CivilMinute& m);

// statusText: "2026年1月15日 22:00（日本時間）　東京（北緯 35.65°、東経 139.75°）",
// "入力した場所" for an empty place name; with trails the span, "22:00〜
// 2026年1月16日 02:00", and "　軌跡 4 時間"; and,
// for a zone other than Japan's, "　現地時刻 2026年1月15日 13:00" by the one
// local-time rule. "日時を読めません" when the moment cannot be read.
std::string statusText(const astro::SkyInput& input, const std::string& placeName, int trailMinutes,
                       const LocalZone& zone);

// pictureFileName: "sky-2026-01-15-2200-south" + extension (".png"); with
// trails the span's end too: "sky-2026-01-15-1500-1800-south",
// "sky-2026-01-15-2200-20260116-0200-west".
std::string pictureFileName(const astro::SkyInput& input, view::Direction dir, std::string_view extension,
                            int trailMinutes = 0);

// A date the calendar does not have (Julian to 1582-10-04, Gregorian from
// 1582-10-15): past its month's end (2026-02-31: lastDay 28), or one of the
// ten days the calendar change left out (1582-10-05..14).
struct MissingDay {
    bool pastMonthEnd = true;
    int lastDay = 0;  // the month's last day
};
// missingDay: nothing when year-month-day exists, or when month and day are
// outside 1..12 and 1..31 (those carry, as the fields do).
std::optional<MissingDay> missingDay(int year, int month, int day);

// fieldNotes: for each of the seven fields, what was used instead of the
// typed text (astro's note), or for a month, day, hour or minute outside its
// calendar range the moment it was carried to, for a day the month does not
// have (2月31日) that there is no such day; empty where the field was used as
// typed.
std::array<std::string, astro::kSkyFieldCount> fieldNotes(const astro::SkyFieldsReading& reading);

// missingDayOf: missingDay of the input's whole-numbered date.
std::optional<MissingDay> missingDayOf(const astro::SkyInput& input);

// The note on the year field when the clock cannot be stepped further.
std::string yearRangeEndNote();

}  // namespace app
