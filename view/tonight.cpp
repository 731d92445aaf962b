#include "view/tonight.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/angles.h"
#include "astro/astro.h"
#include "astro/calendar.h"
#include "astro/precise_sky.h"
#include "catalog/ephemeris.h"
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

// A figure's or a star pattern's rows: each star once.
std::vector<int> uniqueRows(const std::vector<int>& rows) {
    std::vector<int> out;
    for (const int r : rows)
        if (std::find(out.begin(), out.end(), r) == out.end()) out.push_back(r);
    return out;
}

// A pick for a set of stars at 20:00: every star up, the middle high
// enough; the mean direction and the brightest star's magnitude.
std::optional<TonightPick> figurePick(const catalog::Catalogue& cat, const astro::SkyState& sky,
                                      const std::vector<int>& rows) {
    if (rows.empty()) return std::nullopt;
    std::array<double, 3> sum{};
    double brightest = 99.0;
    for (const int row : rows) {
        if (row <= 0 || static_cast<std::size_t>(row) >= cat.stars.size()) return std::nullopt;
        const catalog::Star& s = cat.stars[static_cast<std::size_t>(row)];
        if (pointAt(sky, s.raHours, s.decDeg).altDeg < kPickStarsUpAltDeg) return std::nullopt;
        brightest = std::min(brightest, s.mag);
        const double ra = s.raHours * 15.0 * astro::kDegToRad, dec = s.decDeg * astro::kDegToRad;
        sum[0] += std::cos(dec) * std::cos(ra);
        sum[1] += std::cos(dec) * std::sin(ra);
        sum[2] += std::sin(dec);
    }
    const double len = std::hypot(sum[0], sum[1], sum[2]);
    if (!(len > 0.0)) return std::nullopt;
    double ra = std::atan2(sum[1], sum[0]) * astro::kRadToDeg / 15.0;
    if (ra < 0.0) ra += 24.0;
    const SkyAt middle = pointAt(sky, ra, std::asin(sum[2] / len) * astro::kRadToDeg);
    if (middle.altDeg < kPickMinAltDeg) return std::nullopt;
    TonightPick p;
    p.mag = brightest;
    p.at = middle;
    return p;
}

void keepBrightest(std::vector<TonightPick>& picks) {
    std::stable_sort(picks.begin(), picks.end(), [](const TonightPick& a, const TonightPick& b) { return a.mag < b.mag; });
    if (picks.size() > kPickMax) picks.resize(kPickMax);
}

}  // namespace

double hourlyRate(double zhr, double profile, double radiantAltDeg, double limitingMag) {
    if (!(radiantAltDeg > 0.0) || !(zhr > 0.0) || !(profile > 0.0)) return 0.0;
    return zhr * profile * std::sin(radiantAltDeg * astro::kDegToRad) *
           std::pow(kPopulationIndex, -(kDarkLimitingMag - limitingMag));
}

const char* moonPhaseName(double ageDays, bool seen) {
    if (!std::isfinite(ageDays) || ageDays < 2.5 || ageDays >= 27.0) return seen ? "細い月" : "新月";
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
    // A day past the month's end is carried (the 32nd of January is 1 February).
    r.date = astro::localDateTime(astro::localToJdUt(date, 12.0 * 3600.0, zone), zone).date;
    const double midnightUt = astro::ymdYD(r.date.year, r.date.month, static_cast<double>(r.date.day));
    const double toMeanTime = std::remainder(r.lonDeg, 360.0) / 360.0;  // days the place's mean time runs ahead of UT
    r.noonJdUt = midnightUt + 0.5 - toMeanTime;
    r.nextNoonJdUt = r.noonJdUt + 1.0;
    const double noon = r.noonJdUt, noonNext = r.nextNoonJdUt;
    const double clockAheadHours =
        std::remainder(zone(noon) / 3600.0 - toMeanTime * 24.0, 24.0);
    r.eveningInLocalMeanTime = std::fabs(clockAheadHours) > kEveningClockSlackHours;
    const auto evening = [&](double hour) {
        return r.eveningInLocalMeanTime ? midnightUt + hour / 24.0 - toMeanTime
                                        : astro::localToJdUt(r.date, hour * 3600.0, zone);
    };

    const astro::BodyEvents sun = astro::bodyEventsIn(catalog::ephemerisTables(), astro::Sun, r.latDeg, r.lonDeg, noon, noonNext);
    if (!sun.sets.empty()) r.sunsetJdUt = sun.sets.front().jdUt;
    for (const astro::SkyEvent& e : sun.rises) {
        if (e.jdUt >= r.sunsetJdUt.value_or(noon)) {
            r.sunriseJdUt = e.jdUt;
            break;
        }
    }

    // The hours the report names: the bodies from the precise ephemeris
    // (magnitudes, constellations, the Moon's lit fraction).
    const auto preciseAt = [&](double hour) {
        astro::SkyState s = skyAt(evening(hour), r.latDeg, r.lonDeg);
        astro::applyPreciseEphemeris(catalog::ephemerisTables(), s);
        return s;
    };
    const astro::SkyState at20 = preciseAt(20.0);
    const astro::SkyState at21 = preciseAt(21.0);
    const astro::SkyState at22 = preciseAt(22.0);
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
        const astro::BodyEvents events = astro::bodyEventsIn(catalog::ephemerisTables(), static_cast<astro::Body>(body), r.latDeg, r.lonDeg, noon, noonNext);
        p.rises = events.rises;
        p.sets = events.sets;
        if (!events.transits.empty()) p.transit = events.transits.front();
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
    const astro::BodyEvents moon = astro::bodyEventsIn(catalog::ephemerisTables(), astro::Moon, r.latDeg, r.lonDeg, noon, noonNext);
    m.rises = moon.rises;
    m.sets = moon.sets;
    if (r.sunsetJdUt) m.atSunset = bodyAt(skyAt(*r.sunsetJdUt, r.latDeg, r.lonDeg), astro::Moon);
    m.ageDays = moonAgeDays(at21).value_or(0.0);
    m.illum = at21.moonIllum;
    for (const astro::SkyState& s : night) {
        if (s.bodyAltDeg[astro::Sun] < kMoonSkyDarkDeg && s.bodyAltDeg[astro::Moon] >= kMoonSeenAltDeg) m.seen = true;
        if (!(s.bodyAltDeg[astro::Sun] < kShowerSkyDarkDeg)) continue;
        m.darkHours += kStepDays * 24.0;
        if (s.bodyAltDeg[astro::Moon] > 0.0) m.upDarkHours += kStepDays * 24.0;
    }
    m.phaseName = moonPhaseName(m.ageDays, m.seen);
    m.brightensSky = m.illum >= 0.5 && m.darkHours > 0.0 && m.upDarkHours >= m.darkHours / 3.0;

    // The showers, by the activity rule of the picture's shooting stars, at
    // local midnight of the night.
    const astro::CalendarDate nextDay = astro::ydYMD(midnightUt + 1.5);
    const astro::LocalDate next{nextDay.year, nextDay.month, nextDay.day};
    for (std::size_t k = 1; k < cat.showers.size(); ++k) {
        const catalog::Shower& sh = cat.showers[k];
        const double days = daysFromMaximum(next.year, next.month, next.day, sh.month, sh.day);
        const double profile = activityProfile(days);
        if (!(profile > 0.0)) continue;
        TonightShower s;
        s.row = static_cast<int>(k);
        s.name = sh.name + "座流星群";
        s.daysFromPeak = -days;
        const double peakMidnight = astro::ymdYD(next.year, next.month, next.day) - std::round(days);
        const astro::CalendarDate peak = astro::ydYMD(peakMidnight + 0.5);
        const astro::CalendarDate peakEvening = astro::ydYMD(peakMidnight - 0.5);
        s.peak = {peak.year, peak.month, peak.day};
        s.peakEvening = {peakEvening.year, peakEvening.month, peakEvening.day};
        s.nightsToPeak = static_cast<int>(std::lround(peakMidnight - 1.0 - midnightUt));
        s.zhr = sh.ratePerHour;
        const astro::SkyTarget radiant = astro::SkyTarget::ofFixed(sh.raHours, sh.decDeg);
        s.radiantRise = astro::nextSkyEvent(catalog::ephemerisTables(), radiant, astro::SkyEventKind::Rise, r.latDeg, r.lonDeg, noon, noonNext - noon);
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

    // What a family would look for at 20:00, anywhere in the sky.
    for (const catalog::StarName& n : cat.starNames) {
        const catalog::Star& s = cat.stars[static_cast<std::size_t>(n.row)];
        if (s.mag > kPickStarMag) continue;
        if (!r.stars.empty() && r.stars.back().id == n.row) continue;  // a star's other names
        const SkyAt here = pointAt(at20, s.raHours, s.decDeg);
        if (here.altDeg < kPickMinAltDeg) continue;
        const int c = catalog::findIauConstellation(cat, s.constellation);
        r.stars.push_back({n.row, n.name, c > 0 ? cat.iauConstellations[static_cast<std::size_t>(c)].name : "", s.mag, here});
    }
    for (std::size_t a = 1; a < cat.asterisms.size(); ++a) {
        const std::vector<int> rows = uniqueRows(cat.asterisms[a].rows);
        std::optional<TonightPick> pick = figurePick(cat, at20, rows);
        if (!pick && at22.bodyAltDeg[astro::Sun] < kPlanetSkyDarkDeg) {
            pick = figurePick(cat, at22, rows);
            if (pick) pick->later = true;
        }
        if (pick) {
            pick->id = static_cast<int>(a);
            pick->name = cat.asterisms[a].name;
            r.asterisms.push_back(*pick);
        }
    }
    for (std::size_t c = 1; c < cat.constellations.size(); ++c) {
        std::vector<int> rows;
        for (const std::int16_t node : cat.constellations[c].nodes)
            if (node > 0) rows.push_back(node);
        if (auto pick = figurePick(cat, at20, uniqueRows(rows))) {
            pick->id = static_cast<int>(c);
            pick->name = cat.constellations[c].name;
            r.constellations.push_back(*pick);
        }
    }
    for (std::size_t d = 1; d < cat.deepSky.size(); ++d) {
        const catalog::DeepSkyObject& o = cat.deepSky[d];
        if (o.mag > kPickDeepSkyMag) continue;
        const SkyAt here = pointAt(at20, o.raHours, o.decDeg);
        if (here.altDeg < kPickMinAltDeg) continue;
        r.deepSky.push_back({static_cast<int>(d), o.name, o.kind, o.mag, here});
    }
    for (auto* list : {&r.stars, &r.asterisms, &r.constellations, &r.deepSky}) keepBrightest(*list);
    // What is up now before what is still to come.
    std::stable_partition(r.asterisms.begin(), r.asterisms.end(), [](const TonightPick& p) { return !p.later; });
    return r;
}

}  // namespace view
