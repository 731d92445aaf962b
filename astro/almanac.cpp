#include "astro/almanac.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/sky_path.h"

namespace astro {

namespace {

constexpr double kUnixEpochJd = 2440587.5;
constexpr int kMaxOffsetSeconds = 18 * 3600;
// Mean rate of the Moon's elongation, degrees per day (360 / 29.530589).
constexpr double kElongationRateDegPerDay = 12.190749;
constexpr double kMaxPhaseSpanDays = 800.0;


int offsetAt(const UtcOffsetFn& zone, double jdUt) {
    if (!zone) return 0;
    return std::clamp(zone(jdUt), -kMaxOffsetSeconds, kMaxOffsetSeconds);
}

double finiteOr0(double x) { return std::isfinite(x) ? x : 0.0; }

LocalDate dateOfMidnight(double jdMidnight) {
    const CalendarDate c = ydYMD(jdMidnight);
    return {c.year, c.month, c.day};
}

// The root of elongation - target nearest to the guess, by secant steps
// started at the mean rate.
double solvePhase(const EphemerisTables& tables, double targetDeg, double guessJd) {
    double t = guessJd;
    double e = wrap180Deg(moonElongationDeg(tables, t) - targetDeg);
    double rate = kElongationRateDegPerDay;
    for (int i = 0; i < 40; ++i) {
        const double dt = -e / rate;
        const double t1 = t + dt;
        const double e1 = wrap180Deg(moonElongationDeg(tables, t1) - targetDeg);
        if (std::fabs(dt) < 1e-7) return t1;
        if (e1 != e) {
            const double r = (e1 - e) / (t1 - t);
            // The true rate stays within 9..16 degrees a day; a secant
            // outside that range comes from rounding near convergence.
            if (r > 8.0 && r < 18.0) rate = r;
        }
        t = t1;
        e = e1;
    }
    return t;
}

struct DayBounds {
    LocalDate date;
    double start;
    double end;
};

DayBounds boundsOf(double jdMidnightUtDate, const UtcOffsetFn& zone) {
    DayBounds b;
    b.date = dateOfMidnight(jdMidnightUtDate);
    b.start = localToJdUt(b.date, 0.0, zone);
    b.end = localToJdUt(dateOfMidnight(jdMidnightUtDate + 1.0), 0.0, zone);
    // A zone function that moves backwards by more than a day is not a real
    // zone; keep the day a day long rather than empty.
    if (!(b.end > b.start)) b.end = b.start + 1.0;
    return b;
}

AlmanacDay fillDay(const detail::PositionTrack& track, const std::vector<PhaseEvent>& phases,
                   const DayBounds& day, double latDeg, double lonDeg, const UtcOffsetFn& zone) {
    AlmanacDay out;
    out.date = day.date;
    out.startJdUt = day.start;
    out.endJdUt = day.end;

    for (int b = 0; b < kAllBodyCount; ++b) {
        const SkyTarget target = SkyTarget::ofBody(static_cast<Body>(b));
        const detail::TargetPath path(track, target, latDeg, lonDeg);
        std::vector<double> horizons{b == Sun ? sunHorizonDeg(track.sunDistAu(0.5 * (day.start + day.end)))
                                              : kCentreHorizonDeg};
        if (b == Sun) {
            horizons.push_back(kCivilTwilightDeg);
            horizons.push_back(kNauticalTwilightDeg);
            horizons.push_back(kAstronomicalTwilightDeg);
        }
        const detail::WindowScan scan = detail::scanWindow(path, day.start, day.end, horizons);
        BodyDay& bd = out.bodies[static_cast<std::size_t>(b)];
        const auto event = [&](double t) {
            const Horizontal h = path.horizontal(t);
            return SkyEvent{t, h.azDeg, h.altDeg};
        };
        for (const detail::Crossing& c : scan.crossings[0]) {
            if (c.rising && !bd.rise) bd.rise = event(c.jdUt);
            if (!c.rising && !bd.set) bd.set = event(c.jdUt);
        }
        if (!scan.upperCulminations.empty()) bd.transit = event(scan.upperCulminations.front());
        if (scan.crossings[0].empty())
            bd.up = scan.altAtStartDeg >= horizons[0] ? UpState::Always : UpState::Never;

        if (b == Sun) {
            Twilight* tw[3] = {&out.civil, &out.nautical, &out.astronomical};
            for (int k = 0; k < 3; ++k) {
                for (const detail::Crossing& c : scan.crossings[static_cast<std::size_t>(k + 1)]) {
                    if (c.rising && !tw[k]->beginJdUt) tw[k]->beginJdUt = c.jdUt;
                    if (!c.rising && !tw[k]->endJdUt) tw[k]->endJdUt = c.jdUt;
                }
            }
        }
    }

    const double noon = localToJdUt(day.date, 43200.0, zone);
    const PhaseEvent* lastNew = nullptr;
    for (const PhaseEvent& p : phases)
        if (p.kind == PhaseKind::New && p.jdUt <= noon) lastNew = &p;
    out.moonAgeDays = lastNew ? noon - lastNew->jdUt : 0.0;

    std::size_t n = 0;
    for (const PhaseEvent& p : phases) {
        if (p.jdUt < day.start) continue;
        if (n == out.nextPhases.size()) break;
        out.nextPhases[n++] = p;
    }
    return out;
}

}  // namespace

UtcOffsetFn fixedUtcOffset(int secondsEast) {
    return [secondsEast](double) { return secondsEast; };
}

double unixSecondsFromJd(double jdUt) { return (jdUt - kUnixEpochJd) * 86400.0; }

namespace {

// The wall clock of an instant, rounded once to a whole number of `unit`
// seconds (1 or 60).
LocalDateTime wallClock(double jdUt, const UtcOffsetFn& zone, int unit) {
    LocalDateTime out;
    if (!std::isfinite(jdUt)) return out;
    out.utcOffsetSeconds = offsetAt(zone, jdUt);
    const double x = jdUt + out.utcOffsetSeconds / 86400.0 + 0.5;
    double days = std::floor(x);
    long long secs = std::llround((x - days) * 86400.0 / unit) * unit;
    if (secs >= 86400) {
        secs -= 86400;
        days += 1.0;
    }
    out.date = dateOfMidnight(days - 0.5);
    out.hour = static_cast<int>(secs / 3600);
    out.minute = static_cast<int>(secs / 60 % 60);
    out.second = static_cast<int>(secs % 60);
    return out;
}

}  // namespace

LocalDateTime localDateTime(double jdUt, const UtcOffsetFn& zone) { return wallClock(jdUt, zone, 1); }

LocalDateTime localMinute(double jdUt, const UtcOffsetFn& zone) { return wallClock(jdUt, zone, 60); }

double localToJdUt(const LocalDate& date, double secondOfDay, const UtcOffsetFn& zone) {
    const double wall = ymdYD(date.year, date.month, static_cast<double>(date.day)) + secondOfDay / 86400.0;
    const int candidates[3] = {offsetAt(zone, wall - 1.0), offsetAt(zone, wall), offsetAt(zone, wall + 1.0)};
    std::optional<double> best;
    int smallest = candidates[0];
    for (int o : candidates) {
        smallest = std::min(smallest, o);
        const double t = wall - o / 86400.0;
        if (offsetAt(zone, t) == o && (!best || t < *best)) best = t;
    }
    // No offset fits: the wall time falls in a gap; clocks read it as the
    // same time on the offset before the change, which is after the gap.
    return best ? *best : wall - smallest / 86400.0;
}

int daysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    const double a = ymdYD(year, month, 1.0);
    const double b = month == 12 ? ymdYD(year + 1, 1, 1.0) : ymdYD(year, month + 1, 1.0);
    return static_cast<int>(std::lround(b - a));
}

namespace {

// A body's apparent ecliptic longitude of date at the frame's moment, degrees.
double apparentLongitudeDeg(const EphemerisTables& tables, SkyBody body, const EarthFrame& frame) {
    const double eps = meanObliquity2006Rad(frame.jdTt) + frame.nutation.depsRad;
    const ApparentPlace p = apparentPlace(tables, body, frame);
    const double ra = p.raHours * 15.0 * kDegToRad, dec = p.decDeg * kDegToRad;
    return std::atan2(std::sin(ra) * std::cos(eps) + std::tan(dec) * std::sin(eps), std::cos(ra)) * kRadToDeg;
}

}  // namespace

double moonElongationDeg(const EphemerisTables& tables, double jdUt) {
    const EarthFrame frame = earthFrame(tables, jdTtFromUt(jdUt));
    return reduce360(apparentLongitudeDeg(tables, SkyBody::Moon, frame) - apparentLongitudeDeg(tables, SkyBody::Sun, frame));
}

double solarLongitudeDeg(const EphemerisTables& tables, double jdUt) {
    return reduce360(apparentLongitudeDeg(tables, SkyBody::Sun, earthFrame(tables, jdTtFromUt(jdUt))));
}

double solarTermJdUt(const EphemerisTables& tables, int year, double lonDeg) {
    if (!std::isfinite(lonDeg)) return NAN;
    constexpr double kTropicalYearDays = 365.2422;
    lonDeg = reduce360(lonDeg);
    // From the March equinox at the mean rate, kept inside the year.
    double t = ymdYD(year, 3, 20.5) + lonDeg / 360.0 * kTropicalYearDays;
    if (t >= ymdYD(year + 1, 1, 1.0)) t -= kTropicalYearDays;
    for (int i = 0; i < 20; ++i) {
        // The Sun moves 0.953 to 1.019 degrees a day; 0.9856 is its mean.
        const double dt = wrap180Deg(lonDeg - solarLongitudeDeg(tables, t)) / 0.9856;
        t += dt;
        if (std::fabs(dt) < 1e-6) break;
    }
    return t;
}

std::vector<PhaseEvent> principalPhases(const EphemerisTables& tables, double fromJdUt, double toJdUt) {
    std::vector<PhaseEvent> out;
    if (!std::isfinite(fromJdUt) || !std::isfinite(toJdUt) || !(toJdUt > fromJdUt)) return out;
    toJdUt = std::min(toJdUt, fromJdUt + kMaxPhaseSpanDays);
    const double e0 = moonElongationDeg(tables, fromJdUt);
    int quarter = static_cast<int>(std::floor(e0 / 90.0)) + 1;  // the next one ahead
    double guess = fromJdUt + (quarter * 90.0 - e0) / kElongationRateDegPerDay;
    for (int guard = 0; guard < 200; ++guard) {
        const int kind = quarter % 4;
        const double t = solvePhase(tables, kind * 90.0, guess);
        if (t >= toJdUt) break;
        if (t >= fromJdUt && (out.empty() || t > out.back().jdUt + 1.0))
            out.push_back({static_cast<PhaseKind>(kind), t});
        ++quarter;
        guess = t + 90.0 / kElongationRateDegPerDay;
    }
    return out;
}

AlmanacDay almanacDay(const EphemerisTables& tables, const LocalDate& date, double latDeg, double lonDeg,
                      const UtcOffsetFn& zone) {
    latDeg = std::clamp(finiteOr0(latDeg), -90.0, 90.0);
    lonDeg = finiteOr0(lonDeg);
    const DayBounds day = boundsOf(ymdYD(date.year, date.month, static_cast<double>(date.day)), zone);
    const detail::PositionTrack track(tables, day.start - 0.3, day.end + 0.3);
    const std::vector<PhaseEvent> phases = principalPhases(tables, day.start - 31.0, day.start + 31.0);
    return fillDay(track, phases, day, latDeg, lonDeg, zone);
}

BodyEvents bodyEventsIn(const EphemerisTables& tables, Body body, double latDeg, double lonDeg, double fromJdUt, double toJdUt) {
    BodyEvents out;
    latDeg = std::clamp(finiteOr0(latDeg), -90.0, 90.0);
    lonDeg = finiteOr0(lonDeg);
    if (!std::isfinite(fromJdUt) || !std::isfinite(toJdUt) || !(toJdUt > fromJdUt)) return out;
    toJdUt = std::min(toJdUt, fromJdUt + 3.0);
    const detail::PositionTrack track(tables, fromJdUt - 0.3, toJdUt + 0.3, detail::maskOf(body));
    const SkyTarget target = SkyTarget::ofBody(body);
    const detail::TargetPath path(track, target, latDeg, lonDeg);
    // The horizon fillDay uses, so a sunset is the same instant in both.
    const double horizon = body == Sun ? sunHorizonDeg(track.sunDistAu(0.5 * (fromJdUt + toJdUt))) : kCentreHorizonDeg;
    const detail::WindowScan scan = detail::scanWindow(path, fromJdUt, toJdUt, {horizon});
    const auto event = [&](double t) {
        const Horizontal h = path.horizontal(t);
        return SkyEvent{t, h.azDeg, h.altDeg};
    };
    for (const detail::Crossing& c : scan.crossings[0]) (c.rising ? out.rises : out.sets).push_back(event(c.jdUt));
    for (const double t : scan.upperCulminations) out.transits.push_back(event(t));
    if (scan.crossings[0].empty()) out.up = scan.altAtStartDeg >= horizon ? UpState::Always : UpState::Never;
    return out;
}

std::vector<AlmanacDay> almanacMonth(const EphemerisTables& tables, int year, int month, double latDeg, double lonDeg,
                                     const UtcOffsetFn& zone) {
    std::vector<AlmanacDay> out;
    const int days = daysInMonth(year, month);
    if (days == 0) return out;
    latDeg = std::clamp(finiteOr0(latDeg), -90.0, 90.0);
    lonDeg = finiteOr0(lonDeg);
    const double first = ymdYD(year, month, 1.0);
    std::vector<DayBounds> bounds;
    bounds.reserve(static_cast<std::size_t>(days));
    for (int d = 0; d < days; ++d) bounds.push_back(boundsOf(first + d, zone));
    const detail::PositionTrack track(tables, bounds.front().start - 0.3, bounds.back().end + 0.3);
    const std::vector<PhaseEvent> phases =
        principalPhases(tables, bounds.front().start - 31.0, bounds.back().end + 31.0);
    out.reserve(bounds.size());
    for (const DayBounds& b : bounds) out.push_back(fillDay(track, phases, b, latDeg, lonDeg, zone));
    return out;
}

}  // namespace astro
