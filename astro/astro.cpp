#include "astro/astro.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/bodies.h"
#include "astro/calendar.h"
#include "astro/transforms.h"

namespace astro {

namespace {

double clampField(double x, double limit) {
    if (std::isnan(x)) return 0.0;
    return std::clamp(x, -limit, limit);
}

double finiteOrZero(double x) { return std::isfinite(x) ? x : 0.0; }

}  // namespace

SkyInput clampSkyInput(const SkyInput& in) {
    SkyInput out = in;
    out.year = std::clamp(in.year, kMinYear, kMaxYear);
    out.month = std::clamp(in.month, kMinMonth, kMaxMonth);
    out.day = clampField(in.day, kMaxAbsDay);
    out.hour = clampField(in.hour, kMaxAbsHour);
    out.minute = clampField(in.minute, kMaxAbsMinute);
    out.latDeg = finiteOrZero(in.latDeg);
    out.lonDeg = finiteOrZero(in.lonDeg);
    return out;
}

SkyState computationPass(const SkyInput& raw) {
    const SkyInput in = clampSkyInput(raw);
    SkyState s;
    s.obsLatDeg = in.latDeg;
    s.obsLonDeg = in.lonDeg;

    const UtMoment ut = jstToUt(in.year, in.month, in.day, in.hour, in.minute);
    s.jdUt = ut.jd;
    s.utDay = ydYMD(ut.jd).utDay;
    s.jcent = jcent(ut.jd);
    s.utHours = ut.utHours;

    const BodyPositions pos = bodyPositions(s.jcent);
    s.sunLonDeg = pos.sunLonDeg;
    s.sunDistAu = pos.sunDistAu;
    s.nutLonDeg = pos.nutLonDeg;
    s.obliquityDeg = pos.obliquityDeg;
    s.sinObl = pos.sinObl;
    s.cosObl = pos.cosObl;
    std::copy(pos.ra.begin(), pos.ra.end(), s.bodyRaHours.begin());
    std::copy(pos.dec.begin(), pos.dec.end(), s.bodyDecDeg.begin());
    for (int k = 0; k < 4; ++k) s.bodyMag[static_cast<std::size_t>(Venus + k)] = planetMagnitude(pos, k);

    s.siderealTimeHours = greenwichSiderealTime(s.jcent, s.utHours, s.nutLonDeg, s.obliquityDeg);

    for (int b = 0; b < kBodyCount; ++b) {
        const Horizontal h =
            equatorialToHorizontal(s.bodyRaHours[b], s.bodyDecDeg[b], s.siderealTimeHours, s.obsLatDeg, s.obsLonDeg);
        s.bodyAltDeg[b] = h.altDeg;
        s.bodyAzDeg[b] = h.azDeg;
    }
    return s;
}

MoonPhase moonPhase(const SkyState& sky) {
    const double T = sky.jcent;
    MoonPhase out;

    double u = 445267.1114034 * T / 360.0;
    u = fracToward0(u) * 360.0;
    const double d = 297.8501921 + u - 0.0018819 * T * T;
    u = 35999.0502909 * T / 360.0;
    u = fracToward0(u) * 360.0;
    const double m = 357.5291092 + u - 0.0001536 * T * T;
    u = 477198.8675055 * T / 360.0;
    u = fracToward0(u) * 360.0;
    const double mp = 134.9633964 + u + 0.0087414 * T * T;

    const double i = 180.0 - d - 6.289 * std::sin(mp * kDegToRad) + 3.1 * std::sin(m * kDegToRad) -
                     1.274 * std::sin(d * kDoubleDegToRad - mp * kDegToRad) -
                     0.658 * std::sin(d * kDoubleDegToRad) - 0.214 * std::sin(mp * kDoubleDegToRad) -
                     0.11 * std::sin(d * kDegToRad);
    out.illum = (1.0 + std::cos(i * kDegToRad)) / 2.0;

    const double raSun = sky.bodyRaHours[Sun];
    const double decSun = sky.bodyDecDeg[Sun] * kDegToRad;
    const double ra = sky.bodyRaHours[Moon];
    const double dec = sky.bodyDecDeg[Moon] * kDegToRad;
    const double dRa = (raSun - ra) * 15.0 * kDegToRad;
    const double n = std::cos(decSun) * std::sin(dRa);
    const double q = std::sin(decSun) * std::cos(dec) - std::cos(decSun) * std::sin(dec) * std::cos(dRa);
    const double chi = atanQuadrantDeg(n, q);

    const double h = ((sky.siderealTimeHours - ra) * 15.0 + sky.obsLonDeg) * kDegToRad;
    const double lat = sky.obsLatDeg * kDegToRad;
    const double pp = std::sin(h) * std::cos(lat);
    const double r = std::sin(lat) * std::cos(dec) - std::cos(lat) * std::sin(dec) * std::cos(h);
    double par = atanQuadrantDeg(pp, r);
    if (par < 0.0) par += 360.0;

    double v = (chi - par) / 360.0;
    v = fracToward0(v) * 360.0;
    if (v < 0.0) v += 360.0;
    // A difference a hair below zero rounds to exactly 360 above; that is 0.
    if (v >= 360.0) v = 0.0;
    out.limbAngleDeg = v;
    return out;
}

SkyState computeSky(const SkyInput& in) {
    SkyState s = computationPass(in);
    const MoonPhase p = moonPhase(s);
    s.moonIllum = p.illum;
    s.moonLimbAngleDeg = p.limbAngleDeg;
    return s;
}

}  // namespace astro
