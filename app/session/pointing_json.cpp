#include "app/session/pointing_json.h"

#include "view/zenith_projector.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/session/almanac_text.h"
#include "app/session/json_writer.h"
#include "astro/almanac.h"

namespace app {

namespace {

const char* kindWord(view::DrawnKind k) {
    switch (k) {
    case view::DrawnKind::Star: return "star";
    case view::DrawnKind::Sun: return "sun";
    case view::DrawnKind::Moon: return "moon";
    case view::DrawnKind::Planet: return "planet";
    case view::DrawnKind::Meteor: return "meteor";
    case view::DrawnKind::DeepSky: return "deepsky";
    }
    return "none";
}

// A cluster's or nebula's catalogue number and kind, and for it and the
// bodies the constellation they stand in and their magnitude.
void otherObjectFields(JsonObject& j, const view::ObjectInfo& info) {
    if (info.kind == view::DrawnKind::DeepSky) {
        j.text("designation", info.designation);
        j.text("type", info.typeJa);
    }
    if (!info.constellation.empty()) j.text("constellation", info.constellation);
    if (info.hasMag) j.number("mag", info.mag, 1);  // a planet's of the moment
}

void objectFields(JsonObject& j, const view::ObjectInfo& info) {
    j.text("kind", kindWord(info.kind));
    if (info.kind == view::DrawnKind::Meteor) {
        j.text("name", info.name);
        if (!info.shower.empty()) j.text("shower", info.shower);
        return;
    }
    j.text("name", info.name);
    if (info.kind == view::DrawnKind::Star) {
        j.text("designation", info.designation);
        if (info.hr > 0) j.integer("hr", info.hr);
        j.text("constellation", info.constellation);
        j.number("mag", info.mag, 2);
        if (info.hasBv) j.number("bv", info.bv, 2);
    } else {
        otherObjectFields(j, info);
    }
    if (info.kind == view::DrawnKind::Moon) j.number("illum", info.moonIllum, 3);
    j.number("alt", info.altDeg, 4);
    j.number("az", info.azDeg, 4);
}

}  // namespace

RiseText riseText(const astro::SkyEvent& rise, const astro::UtcOffsetFn& zone) {
    return {isoLocalTime(rise.jdUt, zone), rise.azDeg};
}

std::string identifyJson(const view::PointAnswer& answer, const std::vector<std::string>& card) {
    JsonObject j;
    if (answer.object && answer.drawn) {
        objectFields(j, *answer.object);
        if (answer.object->kind == view::DrawnKind::Meteor && answer.sky) {
            j.number("alt", answer.sky->altDeg, 4);
            j.number("az", answer.sky->azDeg, 4);
        }
        j.number("x", answer.drawn->xPx, 1);
        j.number("y", answer.drawn->yPx, 1);
        if (!card.empty()) j.texts("card", card);
        return j.done();
    }
    j.text("kind", "none");
    if (answer.sky) {
        j.number("alt", answer.sky->altDeg, 4);
        j.number("az", answer.sky->azDeg, 4);
    }
    return j.done();
}

std::string findJson(const view::FoundObject& found, double scale, const std::optional<RiseText>& nextRise,
                     const std::optional<RiseText>& almanacRise, bool almanacRisen) {
    JsonObject j;
    findFields(j, found, scale, nextRise, almanacRise, almanacRisen);
    return j.done();
}

void findFields(JsonObject& j, const view::FoundObject& found, double scale, const std::optional<RiseText>& nextRise,
                const std::optional<RiseText>& almanacRise, bool almanacRisen) {
    j.text("name", found.info.name);
    j.text("kind", kindWord(found.info.kind));
    if (found.info.kind == view::DrawnKind::Star) {
        j.text("designation", found.info.designation);
        if (found.info.hr > 0) j.integer("hr", found.info.hr);
        j.text("constellation", found.info.constellation);
        j.number("mag", found.info.mag, 2);
    } else {
        otherObjectFields(j, found.info);
    }
    if (!found.constellationName.empty()) j.text("foundBy", found.constellationName);
    if (!found.asterismName.empty()) j.text("foundBy", found.asterismName);
    j.number("alt", found.info.altDeg, 4);
    j.number("az", found.info.azDeg, 4);
    j.boolean("visible", found.aboveHorizon);
    if (found.aboveHorizon) {
        // By day the picture leaves out the stars and the outer planets.
        if (!found.drawn) j.boolean("drawn", false);
        if (found.picture) {
            j.text("direction", view::directionWord(found.picture->dir));
            j.number("x", found.picture->at.x * scale / view::kTwipsPerPixel, 1);
            j.number("y", found.picture->at.y * scale / view::kTwipsPerPixel, 1);
            if (found.picture->dir == view::Direction::Zenith) {
                // Where the all-sky circle is in the --render picture of the same scale.
                const double px = scale / view::kTwipsPerPixel;
                JsonObject frame;
                frame.text("projection", "stereographic");
                frame.number("centreX", view::kZenithCentreX * px, 1);
                frame.number("centreY", view::kZenithCentreY * px, 1);
                frame.number("radiusPx", view::kZenithRadius * px, 1);
                j.object("frame", frame);
            }
        }
    } else if (nextRise) {
        j.text("nextRise", nextRise->iso);
        j.number("riseAz", nextRise->azDeg, 1);
        j.text("riseFrom", view::compassPointJa(nextRise->azDeg));
    } else {
        j.null("nextRise");  // it does not rise within the search window
    }
    if (almanacRise) {
        j.text("almanacRise", almanacRise->iso);
        j.boolean("almanacRisen", almanacRisen);
    }
}

}  // namespace app
