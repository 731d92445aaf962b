#include "astro/calendar.h"

#include <cmath>
#include <limits>

#include "astro/angles.h"

namespace astro {

namespace {

// Whole-number fields of a date, saturated so that Julian days far outside
// any calendar never make the conversion to int undefined.
int saturatingInt(double x) {
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (!(x >= lo)) return std::numeric_limits<int>::min();
    if (x > hi) return std::numeric_limits<int>::max();
    return static_cast<int>(x);
}

}  // namespace

double ymdYD(int year, int month, double day) {
    double y = year;
    double m = month;
    if (month <= 2) {
        y = static_cast<double>(year) - 1.0;
        m = static_cast<double>(month) + 12.0;
    }
    double b = 0.0;
    // The Gregorian calendar starts on 1582-10-15, the day after the Julian
    // 1582-10-04.
    const bool gregorian = year >= 1583 || (year == 1582 && (month >= 11 || (month == 10 && day >= 15.0)));
    if (gregorian) {
        const double a = std::trunc(y / 100.0);
        b = 2.0 - a + std::trunc(a / 4.0);
    }
    const double c = year < 1 ? std::trunc(365.25 * y - 0.75) : std::trunc(365.25 * y);
    const double e = std::trunc((m + 1.0) * 30.6);
    return day + c + b + e + 1720994.5;
}

CalendarDate ydYMD(double jd) {
    CalendarDate out;
    if (!std::isfinite(jd)) return out;
    // Floors, not truncations: before JD 0 (4713 BC) truncating toward zero
    // split the day and the year the wrong way ("-4997-0-5"). For JD >= 0
    // they are the same numbers.
    const double x = jd + 0.5;
    const double z = std::floor(x);
    const double f = x - z;
    double a = z;
    if (z >= 2299161.0) {
        const double alpha = std::trunc((z - 1867216.25) / 36524.25);
        a = z + 1.0 + alpha - std::trunc(alpha / 4.0);
    }
    const double b = a + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::trunc((b - d) / 30.6001);
    out.utDay = b - d - std::trunc(30.6001 * e) + f;
    const double month = e < 13.5 ? e - 1.0 : e - 13.0;
    const double year = month < 2.5 ? c - 4715.0 : c - 4716.0;
    out.month = saturatingInt(month);
    out.year = saturatingInt(year);
    const double dayWhole = std::trunc(out.utDay);
    const double h = (out.utDay - dayWhole) * 24.0;
    const double hourWhole = std::trunc(h);
    const double mi = (h - hourWhole) * 60.0;
    const double minuteWhole = std::trunc(mi);
    const double s = (mi - minuteWhole) * 60.0;
    out.day = saturatingInt(dayWhole);
    out.hour = saturatingInt(hourWhole);
    out.minute = saturatingInt(minuteWhole);
    out.second = saturatingInt(std::trunc(s));
    return out;
}

UtMoment jstToUt(int year, int month, double day, double hour, double minute) {
    UtMoment m;
    m.dayUt = day + hour / 24.0 + minute / 1440.0 - 0.375;
    m.jd = ymdYD(year, month, m.dayUt);
    // In the month of the calendar change the calendar is the entered day's
    // (1582-10-15 05:00 JST is Gregorian, though it is still the 14th in UT).
    if (year == 1582 && month == 10) {
        const double dayStart = std::floor(day);
        m.jd = ymdYD(year, month, dayStart) + (m.dayUt - dayStart);
    }
    m.utHours = fracToward0(m.dayUt) * 24.0;
    return m;
}

double jcent(double jd) { return (jd - 2451545.0) / 36525.0; }

double greenwichSiderealTime(double jcentT, double utHours, double nutLonDeg, double oblDeg) {
    double g = jcentT * 8640184.812866 / 3600.0 / 24.0;
    g = fracToward0(g) + 1.0;
    double theta = fracToward0(g) * 24.0 + 6.697374558 + 0.00002586 * jcentT * jcentT + utHours;
    const double v = (theta + 48.0) / 24.0;
    theta = fracToward0(v) * 24.0;
    return theta + nutLonDeg * std::cos(oblDeg * kDegToRad) / 15.0;
}

}  // namespace astro
