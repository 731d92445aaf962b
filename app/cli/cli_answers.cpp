#include "app/cli/cli_answers.h"

#include "app/cli/cli_identify.h"
#include "app/cli/cli_json.h"
#include "app/session/sky_picture.h"
#include "app/tonight/tonight_text.h"
#include "astro/astro.h"
#include "catalog/name_search.h"
#include "view/finder.h"
#include "view/zenith_projector.h"

namespace app {

std::optional<LocalZone> requestZoneWith(const CliOptions& opt, const catalog::Catalogue& cat, const ZoneLookup& lookup,
                                         std::string& error) {
    std::string name = kJapanZone;
    if (opt.latDeg && !opt.timeZone.empty()) {
        name = opt.timeZone;
    } else if (opt.placeIndex >= 1 && static_cast<std::size_t>(opt.placeIndex) < cat.places.size()) {
        name = placeZoneName(cat.places[static_cast<std::size_t>(opt.placeIndex)]);
    }
    const auto zone = resolveZone(name, lookup);
    if (!zone) {
        error = opt.timeZone.empty() ? "the time zone " + quotedArgument(name) + " is not in the system's zone data"
                                     : "--tz: unknown time zone " + quotedArgument(name);
    }
    return zone;
}

CliAnswer findAnswer(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone,
                     std::chrono::system_clock::time_point now) {
    const SkyRequest req = skyRequest(opt, cat, now);
    const astro::SkyState sky = astro::computeSky(req.input);
    const catalog::NameIndex names(cat);
    view::FoundObject found = view::findObject(cat, names, sky, opt.findName);
    // Asked for the all-sky picture: everything above the horizon is in it.
    if (opt.direction == view::Direction::Zenith && found.aboveHorizon)
        found.picture = view::PictureChoice{view::Direction::Zenith,
                                            view::zenithProjector().place(found.info.altDeg, found.info.azDeg).at};
    if (found.status == view::FoundObject::Status::Unknown) {
        // A part of a name answers nothing by itself; the names it begins
        // are offered instead.
        std::string offer;
        for (const std::string& c : names.candidates(opt.findName)) offer += (offer.empty() ? "" : ", ") + c;
        return {2, {},
                "--find: no object is called " + quotedArgument(opt.findName) +
                    (offer.empty() ? "" : " (names that begin so: " + escapedText(offer) + ")")};
    }
    if (found.status == view::FoundObject::Status::NoStarInTable)
        return {2, {}, "--find: " + quotedArgument(found.constellationName) + " has no star in the star table to find it by"};
    std::optional<RiseText> rise;
    if (!found.aboveHorizon) {
        if (const std::optional<astro::SkyEvent> e = view::nextRiseOf(found, sky)) rise = riseText(*e, zone.offset);
    }
    // Today's rise by the almanac, and whether it is past: one answer tells
    // both the picture's and the almanac's view of the horizon.
    std::optional<RiseText> almanacRise;
    bool risen = false;
    if (const std::optional<astro::SkyEvent> e = view::dayEventsOf(found.info, sky, zone.offset).rise) {
        almanacRise = riseText(*e, zone.offset);
        risen = e->jdUt <= sky.jdUt;
    }
    return {0, findJson(found, opt.scale, rise, almanacRise, risen), {}};
}

std::string tonightAnswer(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone,
                          std::chrono::system_clock::time_point now) {
    return tonightFor(cat, skyRequest(opt, cat, now), zone, opt.tonightJson);
}

std::string identifyAnswer(const CliOptions& opt, const catalog::Catalogue& cat,
                           std::chrono::system_clock::time_point now, std::uint64_t seed) {
    const SkyRequest req = skyRequest(opt, cat, now);
    const PictureRequest pic = pictureRequest(opt, req, seed);
    // The same picture as --render draws, recorded instead of painted.
    const PictureSky shown = pictureSky(pic, cat);
    const view::DrawRecord record = recordPicture(pic, shown, cat);
    return identifyJson(view::answerAt(cat, shown.sky, record, opt.direction, opt.identifyXPx, opt.identifyYPx));
}

ChartScene optionsChart(const CliOptions& opt, const catalog::Catalogue& cat, view::ChartStyle style,
                        std::uint64_t seed, const LocalZone& zone, std::chrono::system_clock::time_point now) {
    const SkyRequest req = skyRequest(opt, cat, now);
    const PictureRequest pic = pictureRequest(opt, req, seed);
    const PictureSky shown = pictureSky(pic, cat);
    return chartScene(pic, shown, style, req.placeName, zone, schemeForSunAltitude(shown.sky.bodyAltDeg[astro::Sun]));
}

}  // namespace app
