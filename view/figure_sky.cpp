#include "view/figure_sky.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/calendar.h"
#include "astro/rise_set.h"
#include "astro/transforms.h"
#include "catalog/ephemeris.h"

namespace view {

namespace {

constexpr double kSiderealPerSolar = 1.00273790935;
constexpr double kStepDays = 10.0 / 1440.0;

// Where a fixed point stands `days` after the moment of `sky`: the sidereal
// time runs on, the observer stays.
astro::Horizontal standsAt(const astro::SkyState& sky, double days, double raHours, double decDeg) {
    const double sidereal = sky.siderealTimeHours + days * 24.0 * kSiderealPerSolar;
    return astro::equatorialToHorizontal(raHours, decDeg, sidereal, sky.obsLatDeg, sky.obsLonDeg);
}

struct Direction3 {
    double raHours = 0.0, decDeg = 0.0;
};

Direction3 meanDirection(const catalog::Catalogue& cat, const std::vector<int>& rows) {
    std::array<double, 3> sum{};
    for (const int row : rows) {
        const catalog::Star& s = cat.stars[static_cast<std::size_t>(row)];
        const double ra = s.raHours * 15.0 * astro::kDegToRad, dec = s.decDeg * astro::kDegToRad;
        sum[0] += std::cos(dec) * std::cos(ra);
        sum[1] += std::cos(dec) * std::sin(ra);
        sum[2] += std::sin(dec);
    }
    const double len = std::hypot(sum[0], sum[1], sum[2]);
    if (!(len > 0.0)) return {};
    double ra = std::atan2(sum[1], sum[0]) * astro::kRadToDeg / 15.0;
    if (ra < 0.0) ra += 24.0;
    return {ra, std::asin(std::clamp(sum[2] / len, -1.0, 1.0)) * astro::kRadToDeg};
}

// The month in which a right ascension stands on the meridian at 20:00
// local mean time, counted from the moment of `sky`.
int seasonMonthOf(const astro::SkyState& sky, double raHours) {
    const double toLocal = sky.obsLonDeg / 360.0;  // days of local mean time ahead of UT
    const double localNow = sky.jdUt + toLocal;
    const double eveningLocal = std::floor(localNow - 0.5) + 0.5 + 20.0 / 24.0;  // 20:00 of the local date
    double bestOff = 1e9;
    double bestJd = eveningLocal;
    for (int d = 0; d < 366; ++d) {
        const double jd = eveningLocal + d - toLocal;
        const double ha = std::remainder(sky.siderealTimeHours + (jd - sky.jdUt) * 24.0 * kSiderealPerSolar +
                                             sky.obsLonDeg / 15.0 - raHours,
                                         24.0);
        if (std::fabs(ha) < bestOff) {
            bestOff = std::fabs(ha);
            bestJd = jd;
        }
    }
    return astro::ydYMD(bestJd + toLocal).month;
}

}  // namespace

std::vector<int> constellationRows(const catalog::Catalogue& cat, const std::string& iauAbbrev) {
    std::vector<int> rows;
    for (std::size_t r = 1; r < cat.stars.size(); ++r) {
        if (cat.stars[r].constellation == iauAbbrev) rows.push_back(static_cast<int>(r));
    }
    return rows;
}

std::vector<int> asterismRows(const catalog::Catalogue& cat, int asterism) {
    std::vector<int> rows;
    if (asterism <= 0 || static_cast<std::size_t>(asterism) >= cat.asterisms.size()) return rows;
    for (const int r : cat.asterisms[static_cast<std::size_t>(asterism)].rows) {
        if (r > 0 && static_cast<std::size_t>(r) < cat.stars.size() && std::find(rows.begin(), rows.end(), r) == rows.end())
            rows.push_back(r);
    }
    return rows;
}

FigureSky figureSky(const catalog::Catalogue& cat, const std::vector<int>& rows, const astro::SkyState& sky) {
    FigureSky f;
    f.stars = static_cast<int>(rows.size());
    if (rows.empty() || !std::isfinite(sky.jdUt)) return f;
    const double lat = sky.obsLatDeg, lon = sky.obsLonDeg;

    double brightest = 1e9;
    bool anyEverUp = false;
    for (const int row : rows) {
        const catalog::Star& s = cat.stars[static_cast<std::size_t>(row)];
        if (90.0 - std::fabs(lat - s.decDeg) > 0.0) anyEverUp = true;
        if (standsAt(sky, 0.0, s.raHours, s.decDeg).altDeg < 0.0) continue;
        ++f.starsUp;
        if (s.mag < brightest) {
            brightest = s.mag;
            f.brightestUpRow = row;
        }
    }
    f.neverRises = !anyEverUp;

    const Direction3 mid = meanDirection(cat, rows);
    const astro::Horizontal now = standsAt(sky, 0.0, mid.raHours, mid.decDeg);
    f.middle = {sky.jdUt, now.altDeg, now.azDeg};
    if (f.neverRises) return f;

    // The rises of the stars below: all up at the last of them, if by then
    // none of the others has set; none up yet: the first.
    double lastRise = sky.jdUt;
    bool everyRise = true;
    for (const int row : rows) {
        const catalog::Star& s = cat.stars[static_cast<std::size_t>(row)];
        if (standsAt(sky, 0.0, s.raHours, s.decDeg).altDeg >= 0.0) continue;
        const auto rise = astro::nextPictureRise(catalog::ephemerisTables(), astro::SkyTarget::ofFixed(s.raHours, s.decDeg), lat, lon,
                                                 sky.jdUt, 1.0);
        if (!rise) {
            everyRise = false;
            continue;
        }
        lastRise = std::max(lastRise, rise->jdUt);
        if (f.starsUp == 0 && (!f.firstRise || rise->jdUt < f.firstRise->jdUt)) {
            f.firstRise = SkyMoment{rise->jdUt, 0.0, rise->azDeg};
            f.firstRiseRow = row;
        }
    }
    if (f.starsUp < f.stars && everyRise) {
        // Just after the last rise every star must stand above the horizon.
        const double days = lastRise - sky.jdUt + 1.0 / 86400.0;
        const bool allUp = std::all_of(rows.begin(), rows.end(), [&](int row) {
            const catalog::Star& s = cat.stars[static_cast<std::size_t>(row)];
            return standsAt(sky, days, s.raHours, s.decDeg).altDeg >= 0.0;
        });
        if (allUp) f.allUpJdUt = lastRise;
    }

    // The best dark moment of the next day, by the Sun's place of now
    // (it moves a degree a day: minutes at the twilight's edge).
    const double sunRa = sky.bodyRaHours[astro::Sun], sunDec = sky.bodyDecDeg[astro::Sun];
    for (double d = 0.0; d <= 1.0; d += kStepDays) {
        if (!(standsAt(sky, d, sunRa, sunDec).altDeg < kFigureDarkSunDeg)) continue;
        const astro::Horizontal h = standsAt(sky, d, mid.raHours, mid.decDeg);
        if (h.altDeg <= 0.0) continue;
        if (!f.best || h.altDeg > f.best->altDeg) f.best = SkyMoment{sky.jdUt + d, h.altDeg, h.azDeg};
    }
    if (!f.best) f.seasonMonth = seasonMonthOf(sky, mid.raHours);
    return f;
}

}  // namespace view
