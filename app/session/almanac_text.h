// The almanac in words: the `almanac` member of --json and the month table
// of --almanac YYYY-MM (the same CSV the こよみ window exports).
// Pure text building, no Qt: the zone comes in as a name and an offset
// function (the session layer's zone rule).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/session/zone.h"
#include "astro/almanac.h"
#include "catalog/catalog.h"

namespace app {

// "2026-03-20": a date as ISO 8601 (at least four digits of year, "-0044").
std::string dateText(const astro::LocalDate& d);

// "2026-03-20T05:45:12+09:00": the instant's wall-clock time in the zone,
// to the second, with the offset in force then ("+02:30:17" when the offset
// has seconds).
std::string isoLocalTime(double jdUt, const astro::UtcOffsetFn& zone);

// "05:45": hour and minute of an event of the day (rounded to the minute,
// never past 23:59 of the day it belongs to); "--:--" for none.
std::string hourMinute(const std::optional<double>& jdUt, const astro::AlmanacDay& day,
                       const astro::UtcOffsetFn& zone);

// 新月, 上弦, 満月, 下弦.
const char* phaseNameJa(astro::PhaseKind kind);
// new, firstQuarter, full, lastQuarter.
const char* phaseNameJson(astro::PhaseKind kind);

// The bodies of the almanac in the order its tables list them: the Sun,
// the Moon, then the planets outward from the Sun.
inline constexpr std::array<astro::Body, astro::kAllBodyCount> kAlmanacOrder = {
    astro::Sun,    astro::Moon,    astro::Mercury, astro::Venus,  astro::Mars,
    astro::Jupiter, astro::Saturn, astro::Uranus,  astro::Neptune};
// "sun", "moon", "mercury" ... "neptune": a body's key in the JSON.
const char* almanacBodyKey(astro::Body body);

// The value of the `almanac` member: date, timeZone, the nine bodies'
// rise/transit/set with up ("always"/"never"/"sometimes"), twilights,
// moonAge and moonPhases, indented as a member of the top-level object.
std::string almanacJson(const astro::AlmanacDay& day, const LocalZone& zone);

// The month table, UTF-8 with a header row:
// 日付,日の出,日の入り,月の出,月の入り,月齢,月相, then the rise and set of
// each planet (水星の出,水星の入り … 海王星の入り) — times HH:MM in the zone,
// an empty cell where there is no such event, the age to one decimal, the
// phase name on the day it happens.
std::string almanacCsv(const std::vector<astro::AlmanacDay>& days, const LocalZone& zone);

// The local date that contains the entered moment (JST) in the zone.
astro::LocalDate localDateOfRequest(const astro::SkyInput& jstInput, const LocalZone& zone);

}  // namespace app
