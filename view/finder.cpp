#include "view/finder.h"

#include "astro/star_place.h"
#include "catalog/ephemeris.h"
#include "view/figure_sky.h"

#include <cmath>

namespace view {

PointAnswer answerAt(const catalog::Catalogue& cat, const astro::SkyState& sky, const DrawRecord& record,
                     const Projector& projector, double xPx, double yPx) {
    PointAnswer a;
    a.drawn = objectAt(record, xPx, yPx);
    if (a.drawn) a.object = describe(cat, sky, *a.drawn);
    if (record.viewport.pixelsPerTwip > 0.0) {
        const TwipsPoint t = record.viewport.twipsOf(xPx, yPx);
        a.sky = projector.skyAt(t.x, t.y);
    }
    return a;
}

namespace {

// The star a figure is found by: its brightest star above the horizon, or,
// with none up, the one that rises first (the brightest when none rises).
int figureStar(const catalog::Catalogue& cat, const std::vector<int>& rows, const FigureSky& fs) {
    if (fs.brightestUpRow > 0) return fs.brightestUpRow;
    if (fs.firstRiseRow > 0) return fs.firstRiseRow;
    int row = rows.front();
    for (const int r : rows) {
        if (cat.stars[static_cast<std::size_t>(r)].mag < cat.stars[static_cast<std::size_t>(row)].mag) row = r;
    }
    return row;
}

}  // namespace

FoundObject findObject(const catalog::Catalogue& cat, const catalog::NameIndex& names, const astro::SkyState& sky,
                       std::string_view name) {
    FoundObject f;
    const std::vector<catalog::NameTarget> targets = names.find(name);
    if (targets.empty()) return f;
    f.target = targets.front();
    switch (f.target.kind) {
    case catalog::NameKind::Body:
        // Mercury, Uranus and Neptune are only in a precise sky.
        if (f.target.id >= astro::kBodyCount && !sky.precise) return f;
        f.info = describeBody(cat, sky, f.target.id);
        break;
    case catalog::NameKind::Star:
        f.info = describeStar(cat, sky, f.target.id);
        break;
    case catalog::NameKind::Constellation: {
        const catalog::ConstellationName& c = cat.iauConstellations[static_cast<std::size_t>(f.target.id)];
        f.constellationName = c.name;
        f.figure = catalog::findConstellation(cat, c.name);
        f.rows = constellationRows(cat, c.abbrev);
        if (f.rows.empty()) {
            f.status = FoundObject::Status::NoStarInTable;
            return f;
        }
        f.stands = figureSky(cat, f.rows, sky);
        f.info = describeStar(cat, sky, figureStar(cat, f.rows, *f.stands));
        break;
    }
    case catalog::NameKind::Asterism: {
        const catalog::Asterism& a = cat.asterisms[static_cast<std::size_t>(f.target.id)];
        f.asterismName = a.name;
        f.asterism = f.target.id;
        f.rows = asterismRows(cat, f.target.id);
        f.stands = figureSky(cat, f.rows, sky);
        f.info = describeStar(cat, sky, figureStar(cat, f.rows, *f.stands));
        break;
    }
    case catalog::NameKind::DeepSky:
        f.info = describeDeepSky(cat, sky, f.target.id);
        break;
    }
    f.status = FoundObject::Status::Found;
    f.aboveHorizon = f.info.altDeg >= 0.0;
    const bool day = sky.bodyAltDeg[astro::Sun] > 0.0;
    const bool hiddenByDay = day && (f.info.kind == DrawnKind::Star || f.info.kind == DrawnKind::DeepSky ||
                                     (f.info.kind == DrawnKind::Planet && f.info.id != astro::Venus));
    f.drawn = f.aboveHorizon && !hiddenByDay;
    if (f.aboveHorizon) f.picture = pictureShowing(f.info.altDeg, f.info.azDeg);
    return f;
}

std::optional<astro::SkyEvent> nextRiseOf(const FoundObject& found, const astro::SkyState& sky) {
    if (found.status != FoundObject::Status::Found) return std::nullopt;
    const ObjectInfo& o = found.info;
    if (o.kind == DrawnKind::Star || o.kind == DrawnKind::DeepSky) {
        return astro::nextPictureRise(catalog::ephemerisTables(), astro::SkyTarget::ofFixed(o.raHours, o.decDeg),
                                      sky.obsLatDeg, sky.obsLonDeg, sky.jdUt, 2.0);
    }
    if (o.kind == DrawnKind::Meteor || o.id < 0 || o.id >= astro::kAllBodyCount) return std::nullopt;
    return astro::nextPictureRise(catalog::ephemerisTables(), astro::SkyTarget::ofBody(static_cast<astro::Body>(o.id)),
                                  sky.obsLatDeg, sky.obsLonDeg, sky.jdUt, 400.0);
}

namespace {

std::optional<astro::SkyTarget> targetOf(const ObjectInfo& o) {
    if (o.kind == DrawnKind::Star || o.kind == DrawnKind::DeepSky) return astro::SkyTarget::ofFixed(o.raHours, o.decDeg);
    if (o.kind == DrawnKind::Meteor || o.id < 0 || o.id >= astro::kAllBodyCount) return std::nullopt;
    return astro::SkyTarget::ofBody(static_cast<astro::Body>(o.id));
}

}  // namespace

DayEvents dayEventsOf(const ObjectInfo& info, const astro::SkyState& sky, const astro::UtcOffsetFn& zone) {
    DayEvents out;
    std::optional<astro::SkyTarget> target = targetOf(info);
    if (!target || !std::isfinite(sky.jdUt)) return out;
    const astro::LocalDate today = astro::localDateTime(sky.jdUt, zone).date;
    const double start = astro::localToJdUt(today, 0.0, zone);
    const double end = astro::localToJdUt(today, 86400.0, zone);
    if (!target->isBody) {
        // The almanac's times of a star come from its place of that day (the
        // picture draws the table's places of 2003.5): a century away that
        // moves its rising by minutes. A day's own change is under 0.2".
        const astro::Equatorial ofDate =
            astro::starPlaceOfDate(target->raHours, target->decDeg, astro::kEquinox2003_5Jd, 0.5 * (start + end));
        target = astro::SkyTarget::ofFixed(ofDate.raHours, ofDate.decDeg);
    }
    const auto within = [&](astro::SkyEventKind kind) -> std::optional<astro::SkyEvent> {
        // Just before midnight, so an event exactly at 00:00 counts.
        auto e = astro::nextSkyEvent(catalog::ephemerisTables(), *target, kind, sky.obsLatDeg, sky.obsLonDeg, start - 1.0e-8, end - start + 1.0e-8);
        if (e && e->jdUt >= end) e.reset();
        return e;
    };
    out.rise = within(astro::SkyEventKind::Rise);
    out.transit = within(astro::SkyEventKind::Transit);
    out.set = within(astro::SkyEventKind::Set);
    return out;
}

std::optional<double> moonAgeDays(const astro::SkyState& sky) {
    if (!std::isfinite(sky.jdUt)) return std::nullopt;
    const std::vector<astro::PhaseEvent> phases = astro::principalPhases(catalog::ephemerisTables(), sky.jdUt - 31.0, sky.jdUt);
    for (auto it = phases.rbegin(); it != phases.rend(); ++it) {
        if (it->kind == astro::PhaseKind::New) return sky.jdUt - it->jdUt;
    }
    return std::nullopt;
}

}  // namespace view
