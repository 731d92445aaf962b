#include "view/tonight.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/astro.h"
#include "astro/calendar.h"
#include "astro/rise_set.h"
#include "catalog/name_search.h"
#include "view/finder.h"
#include "view/horizontal.h"
#include "view/meteors.h"

namespace view {

namespace {

constexpr double kStepDays = 10.0 / 1440.0;

// The sky of an instant: the fields are Japan Standard Time, which the
// computation carries from UT + 9 h.
astro::SkyState skyAt(double jdUt, double latDeg, double lonDeg) {
    const astro::CalendarDate d = astro::ydYMD(jdUt);
    astro::SkyInput in;
    in.year = d.year;
    in.month = d.month;
    in.day = d.utDay;
    in.hour = 9.0;
    in.latDeg = latDeg;
    in.lonDeg = lonDeg;
    return astro::computeSky(in);
}

SkyAt bodyAt(const astro::SkyState& sky, int body) {
    const auto b = static_cast<std::size_t>(body);
    return {sky.jdUt, sky.bodyAltDeg[b], sky.bodyAzDeg[b]};
}

SkyAt pointAt(const astro::SkyState& sky, double raHours, double decDeg) {
    const astro::Horizontal hz = horizontal(sky, raHours, decDeg);
    return {sky.jdUt, hz.altDeg, hz.azDeg};
}

// The first event of a kind in [from, to) from the two almanac days that
// cover it.
std::optional<astro::SkyEvent> firstIn(const std::optional<astro::SkyEvent>& a, const std::optional<astro::SkyEvent>& b,
                                       double from, double to) {
    for (const auto* e : {&a, &b}) {
        if (*e && (*e)->jdUt >= from && (*e)->jdUt < to) return *e;
    }
    return std::nullopt;
}

// Within kHighAzHalfWidthDeg of the azimuth the equator culminates at.
bool towardEquator(double azDeg, bool facesSouth) {
    const double centre = facesSouth ? 180.0 : 0.0;
    double d = std::fmod(std::fabs(azDeg - centre), 360.0);
    if (d > 180.0) d = 360.0 - d;
    return d <= kHighAzHalfWidthDeg;
}

}  // namespace

double hourlyRate(double zhr, double profile, double radiantAltDeg, double limitingMag) {
    if (!(radiantAltDeg > 0.0) || !(zhr > 0.0) || !(profile > 0.0)) return 0.0;
    return zhr * profile * std::sin(radiantAltDeg * astro::kDegToRad) *
           std::pow(kPopulationIndex, -(kDarkLimitingMag - limitingMag));
}

const char* moonPhaseName(double ageDays) {
    if (!std::isfinite(ageDays) || ageDays < 1.5 || ageDays >= 28.0) return "新月";
    if (ageDays < 5.5) return "三日月";
    if (ageDays < 9.5) return "上弦の月";
    if (ageDays < 13.5) return "十三夜の月";
    if (ageDays < 16.5) return "満月";
    if (ageDays < 20.5) return "満月過ぎの月";
    if (ageDays < 24.5) return "下弦の月";
    return "有明の月";
}

TonightReport tonight(const catalog::Catalogue& cat, const astro::LocalDate& date, double latDeg, double lonDeg,
                      const astro::UtcOffsetFn& zone) {
    TonightReport r;
    r.latDeg = std::isfinite(latDeg) ? std::clamp(latDeg, -90.0, 90.0) : 0.0;
    r.lonDeg = std::isfinite(lonDeg) ? lonDeg : 0.0;
    const double noon = astro::localToJdUt(date, 12.0 * 3600.0, zone);
    r.date = astro::localDateTime(noon, zone).date;  // a day past the month's end is carried
    const astro::LocalDate next = astro::localDateTime(noon + 1.0, zone).date;
    const double noonNext = astro::localToJdUt(next, 12.0 * 3600.0, zone);
    const astro::AlmanacDay today = astro::almanacDay(r.date, r.latDeg, r.lonDeg, zone);
    const astro::AlmanacDay tomorrow = astro::almanacDay(next, r.latDeg, r.lonDeg, zone);
    const auto& sunToday = today.bodies[astro::Sun];
    const auto& sunTomorrow = tomorrow.bodies[astro::Sun];
    if (const auto set = firstIn(sunToday.set, sunTomorrow.set, noon, noonNext)) r.sunsetJdUt = set->jdUt;
    if (const auto rise = firstIn(sunToday.rise, sunTomorrow.rise, r.sunsetJdUt.value_or(noon), noonNext))
        r.sunriseJdUt = rise->jdUt;
    r.facesSouth = r.latDeg >= 0.0;

    const astro::SkyState at20 = skyAt(astro::localToJdUt(r.date, 20.0 * 3600.0, zone), r.latDeg, r.lonDeg);
    const astro::SkyState at21 = skyAt(astro::localToJdUt(r.date, 21.0 * 3600.0, zone), r.latDeg, r.lonDeg);
    const astro::SkyState at22 = skyAt(astro::localToJdUt(r.date, 22.0 * 3600.0, zone), r.latDeg, r.lonDeg);
    r.sunUp20 = at20.bodyAltDeg[astro::Sun] > 0.0;

    // The night in 10-minute steps, noon to noon.
    std::vector<astro::SkyState> night;
    for (double jd = noon; jd < noonNext; jd += kStepDays) night.push_back(skyAt(jd, r.latDeg, r.lonDeg));

    for (int body = astro::Venus; body <= astro::Saturn; ++body) {
        TonightPlanet p;
        p.body = body;
        p.name = catalog::kBodyNames[body];
        const ObjectInfo info = describeBody(cat, at20, body);
        p.mag = info.mag;
        p.constellation = info.constellation;
        p.at20 = bodyAt(at20, body);
        p.at22 = bodyAt(at22, body);
        const auto& a = today.bodies[static_cast<std::size_t>(body)];
        const auto& b = tomorrow.bodies[static_cast<std::size_t>(body)];
        p.rise = firstIn(a.rise, b.rise, noon, noonNext);
        p.transit = firstIn(a.transit, b.transit, noon, noonNext);
        p.set = firstIn(a.set, b.set, noon, noonNext);
        for (const astro::SkyState& s : night) {
            if (!(s.bodyAltDeg[astro::Sun] < kPlanetSkyDarkDeg)) continue;
            const SkyAt here = bodyAt(s, body);
            if (here.altDeg < kPlanetSeenAltDeg) continue;
            p.seen = true;
            if (!p.best || here.altDeg > p.best->altDeg) p.best = here;
        }
        r.planets.push_back(std::move(p));
    }

    TonightMoon& m = r.moon;
    m.rise = firstIn(today.bodies[astro::Moon].rise, tomorrow.bodies[astro::Moon].rise, noon, noonNext);
    m.set = firstIn(today.bodies[astro::Moon].set, tomorrow.bodies[astro::Moon].set, noon, noonNext);
    if (r.sunsetJdUt) m.atSunset = bodyAt(skyAt(*r.sunsetJdUt, r.latDeg, r.lonDeg), astro::Moon);
    m.ageDays = moonAgeDays(at21).value_or(0.0);
    m.phaseName = moonPhaseName(m.ageDays);
    m.illum = at21.moonIllum;
    for (const astro::SkyState& s : night) {
        if (!(s.bodyAltDeg[astro::Sun] < kShowerSkyDarkDeg)) continue;
        m.darkHours += kStepDays * 24.0;
        if (s.bodyAltDeg[astro::Moon] > 0.0) m.upDarkHours += kStepDays * 24.0;
    }
    m.brightensSky = m.illum >= 0.5 && m.darkHours > 0.0 && m.upDarkHours >= m.darkHours / 3.0;

    // The showers, by the activity rule of the picture's shooting stars, at
    // local midnight of the night.
    for (std::size_t k = 1; k < cat.showers.size(); ++k) {
        const catalog::Shower& sh = cat.showers[k];
        const double days = daysFromMaximum(next.year, next.month, next.day, sh.month, sh.day);
        const double profile = activityProfile(days);
        if (!(profile > 0.0)) continue;
        TonightShower s;
        s.row = static_cast<int>(k);
        s.name = sh.name + "座流星群";
        s.daysFromPeak = -days;
        const astro::CalendarDate peak = astro::ydYMD(astro::ymdYD(next.year, next.month, next.day) - days + 0.5);
        s.peak = {peak.year, peak.month, peak.day};
        s.zhr = sh.ratePerHour;
        const astro::SkyTarget radiant = astro::SkyTarget::ofFixed(sh.raHours, sh.decDeg);
        s.radiantRise = astro::nextSkyEvent(radiant, astro::SkyEventKind::Rise, r.latDeg, r.lonDeg, noon, noonNext - noon);
        bool everBelow = false;
        for (const astro::SkyState& st : night) {
            const SkyAt here = pointAt(st, sh.raHours, sh.decDeg);
            everBelow = everBelow || here.altDeg <= 0.0;
            if (!(st.bodyAltDeg[astro::Sun] < kShowerSkyDarkDeg)) continue;
            if (!s.best || here.altDeg > s.best->altDeg) s.best = here;
        }
        s.radiantAlwaysUp = !everBelow;
        if (s.best) {
            s.rateCity = hourlyRate(s.zhr, profile, s.best->altDeg, kCityLimitingMag);
            s.rateDark = hourlyRate(s.zhr, profile, s.best->altDeg, kDarkLimitingMag);
        }
        r.showers.push_back(std::move(s));
    }
    std::sort(r.showers.begin(), r.showers.end(), [](const TonightShower& a, const TonightShower& b) {
        return std::fabs(a.daysFromPeak) < std::fabs(b.daysFromPeak);
    });

    // Toward the equator at 20:00: the bright named stars, and the figured
    // constellations by the mean direction of their stars.
    for (const catalog::StarName& n : cat.starNames) {
        const catalog::Star& s = cat.stars[static_cast<std::size_t>(n.row)];
        if (s.mag > kHighStarMag) continue;
        if (!r.stars.empty() && r.stars.back().row == n.row) continue;  // a star's other names
        const SkyAt here = pointAt(at20, s.raHours, s.decDeg);
        if (here.altDeg < kHighAltDeg || !towardEquator(here.azDeg, r.facesSouth)) continue;
        const int c = catalog::findIauConstellation(cat, s.constellation);
        r.stars.push_back({n.row, n.name, c > 0 ? cat.iauConstellations[static_cast<std::size_t>(c)].name : "",
                           s.mag, here});
    }
    std::stable_sort(r.stars.begin(), r.stars.end(),
                     [](const TonightStar& a, const TonightStar& b) { return a.mag < b.mag; });
    for (std::size_t c = 1; c < cat.constellations.size(); ++c) {
        const catalog::Constellation& con = cat.constellations[c];
        std::array<double, 3> sum{};
        for (const std::int16_t node : con.nodes) {
            if (node <= 0 || static_cast<std::size_t>(node) >= cat.stars.size()) continue;
            const catalog::Star& s = cat.stars[static_cast<std::size_t>(node)];
            const double ra = s.raHours * 15.0 * astro::kDegToRad, dec = s.decDeg * astro::kDegToRad;
            sum[0] += std::cos(dec) * std::cos(ra);
            sum[1] += std::cos(dec) * std::sin(ra);
            sum[2] += std::sin(dec);
        }
        const double len = std::hypot(sum[0], sum[1], sum[2]);
        if (!(len > 0.0)) continue;
        double ra = std::atan2(sum[1], sum[0]) * astro::kRadToDeg / 15.0;
        if (ra < 0.0) ra += 24.0;
        const double dec = std::asin(sum[2] / len) * astro::kRadToDeg;
        const SkyAt here = pointAt(at20, ra, dec);
        if (here.altDeg < kHighAltDeg || !towardEquator(here.azDeg, r.facesSouth)) continue;
        const int iau = catalog::findIauConstellation(cat, con.abbrev);
        if (iau == 0) continue;
        r.constellations.push_back({iau, cat.iauConstellations[static_cast<std::size_t>(iau)].name, here});
    }
    std::stable_sort(r.constellations.begin(), r.constellations.end(),
                     [](const TonightConstellation& a, const TonightConstellation& b) { return a.at20.altDeg > b.at20.altDeg; });
    return r;
}

}  // namespace view
