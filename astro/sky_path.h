// The machinery behind rise_set.h and almanac.h: the bodies' apparent places
// over a stretch of time, sampled from the precise ephemeris and
// interpolated, and the scan that finds culminations and altitude crossings
// in a time window.
// Internal to astro/ (the tests use it too); callers use rise_set.h and
// almanac.h.
#pragma once

#include <array>
#include <vector>

#include "astro/precise_ephemeris.h"
#include "astro/rise_set.h"
#include "astro/transforms.h"

namespace astro::detail {

// Which bodies a track samples: a bit for each Body.
using BodyMask = unsigned;
constexpr BodyMask maskOf(Body b) { return 1u << static_cast<unsigned>(b); }
inline constexpr BodyMask kEveryBody = (1u << kAllBodyCount) - 1u;

// Apparent places from the precise ephemeris (precise_ephemeris.h),
// interpolated with four-point Lagrange polynomials: the Sun, the Moon and
// the nutation every kFastStepDays, the planets every kSlowStepDays. The
// Moon's largest terms have periods of a week and more, so the
// interpolation error stays under 0.2" for the Moon and 0.1" for Mercury
// near the Earth (tests/astro/almanac_test.cpp measures it; 0.2" moves a
// rise by hundredths of a second), while a month of positions costs a few
// hundred evaluations of the series instead of tens of thousands.
class PositionTrack {
public:
    static constexpr double kFastStepDays = 0.25;
    static constexpr double kSlowStepDays = 1.0;

    // Covers [fromJdUt, toJdUt] (and a little beyond) for the bodies in
    // `bodies` (the Sun is always there). An empty or reversed range covers
    // the single instant fromJdUt. Asking for a body not sampled gives NaN.
    PositionTrack(const EphemerisTables& tables, double fromJdUt, double toJdUt, BodyMask bodies = kEveryBody);

    struct Position {
        double raHours = 0.0;  // continuous in time: may lie outside [0, 24)
        double decDeg = 0.0;
    };
    // Body position at an instant; instants outside the range are
    // extrapolated from the nearest samples (finite, less accurate).
    Position position(Body body, double jdUt) const;
    // Greenwich apparent sidereal time (hours, IAU 2006), from the exact
    // time and the interpolated equation of the equinoxes.
    double siderealHours(double jdUt) const;
    // Both at once.
    struct Sky {
        Position position;
        double siderealHours = 0.0;
    };
    Sky sky(Body body, double jdUt) const;
    // Sine of the Moon's true horizontal parallax (Earth's equatorial radius
    // over its distance) and the Sun's distance in au.
    double moonSinParallax(double jdUt) const;
    double sunDistAu(double jdUt) const;

private:
    struct Sample {
        std::array<double, kAllBodyCount> raDeg{};  // unwrapped against the previous sample
        std::array<double, kAllBodyCount> decDeg{};
        double nutLonRad = 0.0;
        double moonSinParallax = 0.0;
        double sunDistAu = 1.0;
    };
    // Samples evenly spaced in time.
    struct Grid {
        double firstJd = 0.0;
        double stepDays = 1.0;
        std::vector<Sample> samples;
        // Index of the first of the four samples around an instant and
        // their Lagrange weights.
        void weights(double jdUt, int& first, std::array<double, 4>& w) const;
        double interpolated(double Sample::*m, double jdUt) const;
        Position position(Body body, double jdUt) const;
    };
    // Fills a grid over [fromJdUt, toJdUt] with the bodies of `bodies`.
    static Grid sampled(const EphemerisTables& tables, double fromJdUt, double toJdUt, double stepDays,
                        BodyMask bodies);
    const Grid& gridOf(Body body) const { return body == Sun || body == Moon ? fast_ : slow_; }
    Grid fast_;  // the Sun, the Moon, the nutation
    Grid slow_;  // the planets
};

// One target seen from one place, moving in time.
class TargetPath {
public:
    // `topocentricMoon`: the Moon's altitude seen from the surface (the
    // almanac's) or from the centre of the Earth (the sky picture's).
    TargetPath(const PositionTrack& track, const SkyTarget& target, double latDeg, double lonDeg,
               bool topocentricMoon = true);

    // Hour angle, degrees, not reduced (any real value).
    double hourAngleDeg(double jdUt) const;
    // Altitude and azimuth of the centre; for the Moon the topocentric
    // altitude (true parallax) unless the path was made geocentric, for
    // everything else geometric.
    // hourAngleDeg, when given, receives the hour angle as hourAngleDeg() does.
    Horizontal horizontal(double jdUt, double* hourAngleDeg = nullptr) const;
    struct State {
        double hourAngleDeg = 0.0;
        Horizontal horizontal;
    };
    State state(double jdUt) const;
    double altDeg(double jdUt) const { return horizontal(jdUt).altDeg; }

private:
    const PositionTrack* track_;
    SkyTarget target_;
    double latDeg_;
    double lonDeg_;
    bool topocentricMoon_;
};

struct Crossing {
    double jdUt = 0.0;
    bool rising = false;  // from below the altitude to at or above it
};

struct WindowScan {
    std::vector<double> upperCulminations;  // in [from, to), in time order
    // One list per altitude asked for, in time order, each in [from, to).
    std::vector<std::vector<Crossing>> crossings;
    double altAtStartDeg = 0.0;  // altitude at `from`
};

// scanWindow: the upper culminations (hour angle 0) and every crossing of each
// altitude in horizonsDeg within [fromJdUt, toJdUt).
// The window is sampled at most an hour apart with the culminations (hour
// angle 0 and 180) added as samples, so the altitude is close to monotonic
// between neighbouring samples; a sample that is a local extremum near one of
// the altitudes has its true extremum located (golden section) and added, so
// grazing passes that rise and set between two samples are found too.
// Each crossing is bisected to under 0.2 s. The track must cover the window
// plus two hours on each side.
WindowScan scanWindow(const TargetPath& path, double fromJdUt, double toJdUt,
                      const std::vector<double>& horizonsDeg);

}  // namespace astro::detail
