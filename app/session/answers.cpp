#include "app/session/answers.h"

#include "app/session/card_text.h"

#include <algorithm>
#include <cmath>

#include "app/session/almanac_text.h"
#include "app/session/draw_list.h"
#include "app/session/find_text.h"
#include "app/session/json_writer.h"
#include "app/session/pointing_json.h"
#include "app/session/request_fields.h"
#include "astro/astro.h"
#include "astro/precise_sky.h"
#include "catalog/ephemeris.h"
#include "view/zenith_projector.h"

namespace app {

SkyRequest skyRequest(const SkyQuery& q, const catalog::Catalogue& cat, Clock::time_point now) {
    SkyRequest r;
    astro::SkyInput& in = r.input;
    const astro::CivilMinute m = q.at ? *q.at : jstFromSystemClock(now);
    in.year = m.year;
    in.month = m.month;
    in.day = m.day;
    in.hour = m.hour;
    in.minute = m.minute;
    if (q.latDeg && q.lonDeg) {
        in.latDeg = *q.latDeg;
        in.lonDeg = *q.lonDeg;
    } else if (q.placeIndex >= 1 && static_cast<std::size_t>(q.placeIndex) < cat.places.size()) {
        const catalog::Place& p = cat.places[static_cast<std::size_t>(q.placeIndex)];
        in.latDeg = p.latDeg;
        in.lonDeg = p.lonDeg;
        r.placeName = p.name;
    } else {
        in.latDeg = kDefaultLatDeg;
        in.lonDeg = kDefaultLonDeg;
        r.placeName = kDefaultPlaceName;
    }
    return r;
}

std::optional<LocalZone> zoneFor(const SkyQuery& q, const catalog::Catalogue& cat, const ZoneLookup& lookup,
                                 std::string& error) {
    std::string name = kJapanZone;
    const bool asked = q.latDeg && !q.timeZone.empty();
    if (asked) {
        name = q.timeZone;
    } else if (q.placeIndex >= 1 && static_cast<std::size_t>(q.placeIndex) < cat.places.size()) {
        name = placeZoneName(cat.places[static_cast<std::size_t>(q.placeIndex)]);
    }
    std::optional<LocalZone> zone = resolveZone(name, lookup);
    if (!zone) {
        error = asked ? "unknown time zone " + quotedArgument(name)
                      : "the time zone " + quotedArgument(name) + " is not in the system's zone data";
    }
    return zone;
}

PictureRequest pictureRequest(const PictureQuery& q, const SkyRequest& req) {
    PictureRequest pic;
    pic.input = req.input;
    pic.direction = q.direction;
    if (q.free) pic.free = view::normalisedLook(*q.free);
    pic.view = q.view;
    pic.style = q.style;
    pic.scale = q.scale;
    pic.seed = q.seed;
    if (q.trailsHours) pic.trailMinutes = std::max(1, static_cast<int>(std::lround(*q.trailsHours * 60.0)));
    return pic;
}

SkyAnswer answerSky(const SkyQuery& q, const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now) {
    SkyAnswer a;
    a.request = skyRequest(q, cat, now);
    const astro::SkyInput& in = a.request.input;
    a.sky = astro::computeSky(in);
    a.day = astro::almanacDay(catalog::ephemerisTables(), localDateOfRequest(in, zone), in.latDeg, in.lonDeg, zone.offset);
    return a;
}

std::string skyAnswerJson(const SkyAnswer& a, const LocalZone& zone) {
    std::string text = skyJson(a.sky, a.request);
    // The almanac of the local day containing the moment, as the last member.
    const std::size_t close = text.rfind('}');
    if (close != std::string::npos && close > 0 && text[close - 1] == '\n')
        text = text.substr(0, close - 1) + ",\n  \"almanac\": " + almanacJson(a.day, zone) + "\n}\n";
    return text;
}

FindResult findIn(const astro::SkyState& sky, const catalog::Catalogue& cat, const catalog::NameIndex& names,
                  std::string_view name, bool allSky, const LocalZone& zone) {
    FindResult r;
    r.jdUt = sky.jdUt;
    astro::SkyState preciseSky = sky;
    if (!preciseSky.precise) astro::applyPreciseEphemeris(catalog::ephemerisTables(), preciseSky);
    r.found = view::findObject(cat, names, preciseSky, name);
    if (r.found.status == view::FoundObject::Status::Found && r.found.target.kind == catalog::NameKind::Body &&
        preciseSky.precise) {
        const auto b = static_cast<std::size_t>(r.found.target.id);
        r.body = FindResult::BodyFacts{preciseSky.bodyRaHours[b],       preciseSky.bodyDecDeg[b],
                                       preciseSky.bodyDistanceAu[b],    preciseSky.bodyIllum[b],
                                       preciseSky.bodyPhaseAngleDeg[b], preciseSky.bodyDiameterArcsec[b],
                                       preciseSky.bodyElongationDeg[b]};
    }
    view::FoundObject& found = r.found;
    if (found.status == view::FoundObject::Status::Unknown) {
        // A part of a name answers nothing by itself; the names it begins
        // are offered instead.
        r.candidates = names.candidates(std::string(name));
        return r;
    }
    if (found.status != view::FoundObject::Status::Found) return r;
    // Asked for the all-sky picture: everything above the horizon is in it.
    // Mercury, Uranus and Neptune are drawn only in the natural sky, which
    // the all-sky picture shows: they are found there.
    const bool preciseOnly = found.target.kind == catalog::NameKind::Body && found.target.id >= astro::kBodyCount;
    if ((allSky || preciseOnly) && found.aboveHorizon)
        found.picture = view::PictureChoice{view::Direction::Zenith,
                                            view::zenithProjector().place(found.info.altDeg, found.info.azDeg).at};
    r.figure = found.stands;  // computed once, with the star it is found by
    if (!found.aboveHorizon) r.nextRise = view::nextRiseOf(found, preciseSky);
    if (const std::optional<astro::SkyEvent> e = view::dayEventsOf(found.info, preciseSky, zone.offset).rise) {
        r.almanacRise = e;
        r.almanacRisen = e->jdUt <= sky.jdUt;
    }
    return r;
}

FindResult answerFind(const FindQuery& q, const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now) {
    const astro::SkyState sky = astro::computeSky(skyRequest(q.sky, cat, now).input);
    const catalog::NameIndex names(cat);
    FindResult r = findIn(sky, cat, names, q.name, q.allSky, zone);
    if (q.free && r.found.status == view::FoundObject::Status::Found && r.found.aboveHorizon) {
        FreeViewPlace f;
        f.look = *q.free;
        if (!q.lookGiven) {
            f.look.azDeg = r.found.info.azDeg;
            f.look.altDeg = r.found.info.altDeg;
        }
        f.look = view::normalisedLook(f.look);
        const std::unique_ptr<view::Projector> projector = view::freeProjector(f.look);
        const view::Placed p = projector->place(r.found.info.altDeg, r.found.info.azDeg);
        f.at = p.at;
        f.inPicture = p.visible && projector->inPicture(p.at);
        r.freeView = f;
        r.found.picture.reset();  // the free view's place stands instead of a quarter's
    }
    return r;
}

std::string findResultJson(const FindResult& r, double scale, const LocalZone& zone) {
    std::optional<RiseText> rise, almanacRise;
    if (r.nextRise) rise = riseText(*r.nextRise, zone.offset);
    if (r.almanacRise) almanacRise = riseText(*r.almanacRise, zone.offset);
    JsonObject j;
    findFields(j, r.found, scale, rise, almanacRise, r.almanacRisen);
    // The answer in words, and for a constellation or a star pattern how
    // all of it stands, as the last members.
    JsonObject& more = j;
    if (r.freeView) {
        // Where it is in the free view, and the view's frame: its centre
        // and scale in pixels of the picture of the same scale.
        const FreeViewPlace& f = *r.freeView;
        const double px = scale / view::kTwipsPerPixel;
        more.text("direction", "free");
        more.number("x", f.at.x * px, 1);
        more.number("y", f.at.y * px, 1);
        more.boolean("inView", f.inPicture);
        JsonObject frame, look;
        frame.text("projection", "stereographic");
        look.number("az", f.look.azDeg, 4);
        look.number("alt", f.look.altDeg, 4);
        frame.object("look", look);
        frame.number("fov", f.look.fovDeg, 4);
        frame.number("centreX", 0.5 * view::kSurfaceWidthTwips * px, 1);
        frame.number("centreY", 0.5 * view::kSurfaceHeightTwips * px, 1);
        frame.number("pxPerRadian", view::freeScaleTwipsPerRadian(f.look) * px, 3);
        more.object("frame", frame);
    }
    if (r.body) {
        // Geocentric, true equator and equinox of date, and how it shows.
        JsonObject apparent;
        apparent.number("raHours", r.body->raHours, 7);
        apparent.number("decDeg", r.body->decDeg, 6);
        apparent.number("distanceAu", r.body->distanceAu, 9);
        more.object("apparent", apparent);
        more.number("illum", r.body->illum, 4);
        more.number("phaseAngleDeg", r.body->phaseAngleDeg, 3);
        more.number("diameterArcsec", r.body->diameterArcsec, 2);
        more.number("elongationDeg", r.body->elongationDeg, 3);
    }
    more.text("sentence", findSentence(r, zone));
    if (r.figure) {
        const view::FigureSky& f = *r.figure;
        JsonObject fig;
        fig.integer("stars", f.stars);
        fig.integer("up", f.starsUp);
        fig.boolean("neverRises", f.neverRises);
        if (f.allUpJdUt) fig.text("allUp", isoLocalTime(*f.allUpJdUt, zone.offset));
        if (f.best) {
            JsonObject best;
            best.text("time", isoLocalTime(f.best->jdUt, zone.offset));
            best.number("alt", f.best->altDeg, 1);
            best.number("az", f.best->azDeg, 1);
            fig.object("best", best);
        }
        if (f.seasonMonth > 0) fig.integer("seasonMonth", f.seasonMonth);
        more.object("figure", fig);
    }
    return j.done();
}

std::string findErrorText(const FindResult& r, std::string_view name) {
    if (r.found.status == view::FoundObject::Status::Unknown) {
        std::string offer;
        for (const std::string& c : r.candidates) offer += (offer.empty() ? "" : ", ") + c;
        return "no object is called " + quotedArgument(name) +
               (offer.empty() ? "" : " (names that begin so: " + escapedText(offer) + ")");
    }
    if (r.found.status == view::FoundObject::Status::NoStarInTable)
        return quotedArgument(r.found.constellationName) + " has no star in the star table to find it by";
    return {};
}

IdentifyAnswer answerIdentify(const IdentifyQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                              Clock::time_point now) {
    const PictureRequest pic = pictureRequest(q.picture, skyRequest(q.picture.sky, cat, now));
    // The same picture as --render draws, recorded instead of painted.
    const PictureSky shown = pictureSky(pic, cat);
    const view::DrawRecord record = recordPicture(pic, shown, cat);
    IdentifyAnswer a;
    a.point = pic.free ? view::answerAt(cat, shown.sky, record, *view::freeProjector(*pic.free), q.xPx, q.yPx)
                       : view::answerAt(cat, shown.sky, record, pic.direction, q.xPx, q.yPx);
    if (a.point.object && a.point.drawn) a.card = cardLines(cardFacts(*a.point.object, shown.sky, zone.offset), zone.offset);
    return a;
}

std::vector<astro::AlmanacDay> answerAlmanacMonth(const AlmanacMonthQuery& q, const catalog::Catalogue& cat,
                                                  const LocalZone& zone, Clock::time_point now) {
    const SkyRequest req = skyRequest(q.sky, cat, now);
    return astro::almanacMonth(catalog::ephemerisTables(), q.year, q.month, req.input.latDeg, req.input.lonDeg, zone.offset);
}

astro::AlmanacDay almanacDayAt(const astro::LocalDate& date, double latDeg, double lonDeg, const LocalZone& zone) {
    return astro::almanacDay(catalog::ephemerisTables(), date, latDeg, lonDeg, zone.offset);
}

std::vector<astro::AlmanacDay> almanacMonthAt(const astro::LocalDate& date, double latDeg, double lonDeg,
                                              const LocalZone& zone) {
    return astro::almanacMonth(catalog::ephemerisTables(), date.year, date.month, latDeg, lonDeg, zone.offset);
}

TonightAnswer answerTonight(const SkyQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                            Clock::time_point now) {
    return answerTonight(skyRequest(q, cat, now), cat, zone);
}

TonightAnswer answerTonight(const SkyRequest& req, const catalog::Catalogue& cat, const LocalZone& zone) {
    const astro::LocalDate date = localDateOfRequest(req.input, zone);
    return {view::tonight(cat, date, req.input.latDeg, req.input.lonDeg, zone.offset),
            TonightPlace{req.placeName, req.input.latDeg, req.input.lonDeg}};
}

std::string tonightAnswerText(const TonightAnswer& a, const LocalZone& zone, bool json) {
    return json ? tonightJson(a.report, a.place, zone.offset) : tonightText(a.report, a.place, zone.offset);
}

ChartScene answerChart(const PictureQuery& q, view::ChartStyle style, const catalog::Catalogue& cat,
                       const LocalZone& zone, Clock::time_point now) {
    const SkyRequest req = skyRequest(q.sky, cat, now);
    const PictureRequest pic = pictureRequest(q, req);
    const PictureSky shown = pictureSky(pic, cat);
    return chartScene(pic, shown, style, req.placeName, zone, schemeForSunAltitude(shown.sky.bodyAltDeg[astro::Sun]));
}

std::string answerDrawList(const PictureQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                           Clock::time_point now) {
    const SkyRequest sky = skyRequest(q.sky, cat, now);
    PictureRequest req = pictureRequest(q, sky);
    if (q.stamp) req.stamp = PictureRequest::Stamp{sky.placeName, zone};
    return pictureDrawList(req, cat);
}

std::string minuteJson(const astro::CivilMinute& m) {
    JsonObject j;
    j.text("date", dateText(astro::LocalDate{m.year, m.month, m.day}));
    const auto two = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    j.text("time", two(m.hour) + ":" + two(m.minute));
    return j.done();
}

std::string nowJson(Clock::time_point now) { return minuteJson(jstFromSystemClock(now)); }

}  // namespace app
