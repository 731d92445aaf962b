// Calendar conversions and time scales. The Julian day counts Universal Time;
// no dynamical-time correction is made anywhere in the program.
#pragma once

namespace astro {

// ymdYD: calendar date to Julian day.
//   year   astronomical numbering (0 is the year before 1)
//   month  1..12; 0 and below, or above 12, are carried by the arithmetic
//          (month 0 is December of the year before)
//   day    day of the month with its fraction of day; may be below 1 or past
//          the month's end
//   returns  Julian day (UT)
// Julian calendar up to 1582-10-04, Gregorian from 1582-10-15 on (the 15th
// follows the 4th; the days between do not exist and read as Julian). Any int year and month are accepted: the arithmetic is
// done in double precision, so there is no 16-bit overflow.
double ymdYD(int year, int month, double day);

// A civil date and time to the minute: the moment the date fields hold, a
// clock abroad, a title line's moment. The zone is the user's to know.
struct CivilMinute {
    int year = 2000;
    int month = 1;   // 1..12
    int day = 1;     // 1..length of the month
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    friend constexpr bool operator==(const CivilMinute&, const CivilMinute&) = default;
};

// The calendar date of a Julian day, as ydYMD returns it.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    double utDay = 0.0;  // day of the month with fraction (UT)
};

// ydYMD: Julian day to calendar date (UT), the inverse of ymdYD.
//   jd  Julian day; finite
//   returns  year, month, day, hour, minute, second (whole numbers, cut toward
//   zero) and utDay. The whole-number fields saturate at the int range for
//   Julian days far beyond any calendar; utDay is always the exact fraction.
// A non-finite jd gives the zero date (all fields 0).
CalendarDate ydYMD(double jd);

// Japan Standard Time (UT + 9 h, whatever the place) to Universal Time.
struct UtMoment {
    double dayUt = 0.0;    // D: day of the month (UT) with fraction, may be < 1
    double jd = 0.0;       // Julian day of D in the entered month
    double utHours = 0.0;  // (D - trunc(D)) * 24, hours in (-24, 24)
};

// jstToUt: D = day + hour/24 + minute/1440 - 0.375, JD = ymdYD(year, month, D).
//   year, month  as for ymdYD; day, hour, minute  JST, fractions allowed
UtMoment jstToUt(int year, int month, double day, double hour, double minute);

// jcent: T = (JD - 2451545.0) / 36525.0, Julian centuries (UT) from J2000.
double jcent(double jd);

// greenwichSiderealTime: Greenwich apparent sidereal time.
//   jcentT      T, Julian centuries (UT)
//   utHours     Universal Time of day, hours (may be negative, see UtMoment)
//   nutLonDeg   nutation in longitude, degrees
//   oblDeg      obliquity of the ecliptic, degrees
//   returns  hours: the mean sidereal time reduced to [0, 24) plus the
//   equation of the equinoxes (not reduced again, so it may stray a few
//   thousandths of a second outside [0, 24)).
// The observer's longitude is not included: equatorialToHorizontal adds it.
double greenwichSiderealTime(double jcentT, double utHours, double nutLonDeg, double oblDeg);

}  // namespace astro
