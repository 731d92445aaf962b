// The almanac (こよみ): for a place and a local calendar day, the rise,
// transit and set of the Sun, the Moon and the seven planets, the three
// twilights, the Moon's age and the next four principal phases; and the
// same for every day of a month. Computed from the precise ephemeris
// (precise_ephemeris.h), with the horizon conventions of rise_set.h.
//
// Instants are Julian days, Universal Time. The local time zone comes in as a
// function (this library has no time-zone database; the window and the
// command line pass one built on the system's zone data, the browser Intl's).
//
// Accuracy, against Astronomy Engine (tests/astro/almanac_reference_test.cpp,
// tables in tests/astro/data): at latitudes up to 60 degrees, rise, set and
// transit times within a few seconds for every body (the reference's own
// refraction and horizon are matched to the almanac's), principal phases
// within a few seconds, the Moon's age within 0.0001 d; the test prints the
// largest differences. Beyond 60 degrees, where bodies graze the horizon, a
// rise or set may move by minutes for a small change of the horizon.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "astro/rise_set.h"

namespace astro {

// Seconds east of UTC in force at an instant (Julian day, UT). Results
// outside +-18 h are held to that range.
using UtcOffsetFn = std::function<int(double jdUt)>;

// A zone with one fixed offset (Japan Standard Time is 9 * 3600).
UtcOffsetFn fixedUtcOffset(int secondsEast);

// Seconds since 1970-01-01 00:00 UTC of a Julian day (UT).
double unixSecondsFromJd(double jdUt);

// A calendar date (Gregorian from November 1582, Julian before, as ymdYD).
struct LocalDate {
    int year = 2000;
    int month = 1;
    int day = 1;
    friend bool operator==(const LocalDate&, const LocalDate&) = default;
};

// Wall-clock time in a zone, to the second.
struct LocalDateTime {
    LocalDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utcOffsetSeconds = 0;  // offset in force at that instant
};

// localDateTime: the wall-clock time of an instant, rounded to the nearest
// second.
LocalDateTime localDateTime(double jdUt, const UtcOffsetFn& zone);

// localMinute: the wall-clock time of an instant as every time shown to the
// minute gives it: rounded once to the nearest minute, half a minute going
// up (16:30:30 is 16:31, 16:30:29.9 is 16:30), as the national almanac
// rounds; seconds 0. An instant in a day's last half minute is the next
// day's 00:00.
LocalDateTime localMinute(double jdUt, const UtcOffsetFn& zone);

// localToJdUt: the instant a wall clock in the zone shows this date and
// second of the day. In a gap (clocks put forward) the instant the gap ends;
// in an overlap (clocks put back) the earlier of the two.
double localToJdUt(const LocalDate& date, double secondOfDay, const UtcOffsetFn& zone);

// Days in a month of the calendar above (28..31; 0 for a month outside 1..12).
int daysInMonth(int year, int month);

enum class UpState { Sometimes, Always, Never };

struct BodyDay {
    std::optional<SkyEvent> rise;     // azimuth of the rise point in azDeg
    std::optional<SkyEvent> transit;  // upper culmination; its altitude in altDeg
    std::optional<SkyEvent> set;
    // Always / Never when the body neither rises nor sets that day and is
    // above / below its horizon all day.
    UpState up = UpState::Sometimes;
};

// Morning begin (the Sun's centre rising through the depression) and evening
// end (setting through it); none when the Sun does not cross it that day.
struct Twilight {
    std::optional<double> beginJdUt;
    std::optional<double> endJdUt;
};

// The four principal phases: the Moon's apparent ecliptic longitude minus the
// Sun's is 0, 90, 180 or 270 degrees.
enum class PhaseKind { New = 0, FirstQuarter = 1, Full = 2, LastQuarter = 3 };

struct PhaseEvent {
    PhaseKind kind = PhaseKind::New;
    double jdUt = 0.0;
};

struct AlmanacDay {
    LocalDate date;
    double startJdUt = 0.0;  // local 00:00
    double endJdUt = 0.0;    // next day's local 00:00; events lie in [start, end)
    std::array<BodyDay, kAllBodyCount> bodies{};  // indexed by Body
    Twilight civil;
    Twilight nautical;
    Twilight astronomical;
    double moonAgeDays = 0.0;  // at local 12:00, since the most recent new moon
    std::array<PhaseEvent, 4> nextPhases{};  // the first four from local 00:00, in time order
};

// almanacDay: everything above for one local day.
//   tables          the precise ephemeris's series
//   date            local calendar date; a day past the month's end or below 1
//                   is carried into the neighbouring month
//   latDeg, lonDeg  degrees north and east (latitude held to [-90, 90]);
//                   non-finite values count as 0
//   zone            the place's zone
AlmanacDay almanacDay(const EphemerisTables& tables, const LocalDate& date, double latDeg, double lonDeg, const UtcOffsetFn& zone);

// Every rise, set and upper transit of a body in [fromJdUt, toJdUt) (at
// most 3 days), under the almanac's conventions: the same instants
// almanacDay gives, and also a second rise or set of one day (a planet
// rising at 00:03 and again at 23:59), which a day's row has no room for.
struct BodyEvents {
    std::vector<SkyEvent> rises, sets, transits;  // each in time order
    UpState up = UpState::Sometimes;  // Always / Never when it neither rises nor sets
};
BodyEvents bodyEventsIn(const EphemerisTables& tables, Body body, double latDeg, double lonDeg, double fromJdUt, double toJdUt);

// almanacMonth: almanacDay for every day of a month, sharing one track of
// positions and one list of phases. Empty for a month outside 1..12.
std::vector<AlmanacDay> almanacMonth(const EphemerisTables& tables, int year, int month, double latDeg, double lonDeg,
                                     const UtcOffsetFn& zone);

// principalPhases: every principal phase in [fromJdUt, toJdUt), in time
// order, each refined to better than a second.
// Spans above 800 days are cut to 800.
std::vector<PhaseEvent> principalPhases(const EphemerisTables& tables, double fromJdUt, double toJdUt);

// solarLongitudeDeg: the Sun's apparent ecliptic longitude (true equinox and
// ecliptic of date), degrees in [0, 360).
double solarLongitudeDeg(const EphemerisTables& tables, double jdUt);

// solarTermJdUt: the instant of the year (Gregorian, UT) at which the Sun's
// apparent longitude reaches lonDeg: 0 春分 (March equinox), 90 夏至, 180
// 秋分, 270 冬至, every 15 degrees one of the 24 solar terms (二十四節気).
// Refined to under a second; NaN for a non-finite longitude.
double solarTermJdUt(const EphemerisTables& tables, int year, double lonDeg);

// moonElongationDeg: the Moon's apparent ecliptic longitude minus the Sun's
// (true equinox and ecliptic of date), in [0, 360).
double moonElongationDeg(const EphemerisTables& tables, double jdUt);

}  // namespace astro
