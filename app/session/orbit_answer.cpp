#include "app/session/orbit_answer.h"

#include <cmath>

#include "app/session/almanac_text.h"
#include "app/session/json_writer.h"
#include "app/session/request_fields.h"
#include "astro/astro.h"
#include "catalog/ephemeris.h"
#include "catalog/name_search.h"

namespace app {

namespace {
constexpr double kTwipsPerPixel = 15.0;  // 96 dpi
}  // namespace

OrbitAnswer answerOrbits(const OrbitQuery& q, const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now) {
    return answerOrbits(skyRequest(q.sky, cat, now), q.faceAzDeg, q.target, q.extent, zone);
}

OrbitAnswer answerOrbits(const SkyRequest& req, double faceAzDeg, std::optional<astro::Planet> target,
                         view::OrbitExtent extent, const LocalZone& zone) {
    const astro::SkyState sky = astro::computeSky(req.input);
    OrbitAnswer a;
    a.extent = extent;
    a.scene = view::orbitScene(catalog::ephemerisTables(), sky.jdUt, req.input.latDeg, req.input.lonDeg, faceAzDeg, target,
                               zone.offset);
    a.scene.placeName = req.placeName;
    return a;
}

std::optional<astro::Planet> orbitPlanetNamed(const std::string& name) {
    static const char* const kNames[astro::kPlanetCount][3] = {
        {"水星", "すいせい", "mercury"}, {"金星", "きんせい", "venus"},  {"地球", "ちきゅう", "earth"},
        {"火星", "かせい", "mars"},      {"木星", "もくせい", "jupiter"}, {"土星", "どせい", "saturn"},
        {"天王星", "てんのうせい", "uranus"}, {"海王星", "かいおうせい", "neptune"}};
    const std::string folded = catalog::foldName(name);
    for (int i = 0; i < astro::kPlanetCount; ++i)
        for (const char* n : kNames[i])
            if (folded == catalog::foldName(n)) return static_cast<astro::Planet>(i);
    return std::nullopt;
}

std::optional<view::OrbitExtent> orbitExtentNamed(const std::string& name) {
    if (name == "mars" || name == "火星") return view::OrbitExtent::Mars;
    if (name == "saturn" || name == "土星") return view::OrbitExtent::Saturn;
    if (name == "neptune" || name == "海王星") return view::OrbitExtent::Neptune;
    return std::nullopt;
}

OrbitPixel orbitPixel(const OrbitAnswer& a, astro::Planet planet) {
    const view::OrbitPlanet& p = a.scene.planets[static_cast<int>(planet)];
    const view::OrbitFrame f = view::orbitFrame(a.extent);
    const view::Vertex v = view::orbitPoint(f, p.xAu, p.yAu);
    const bool beyond = a.extent == view::OrbitExtent::Mars && static_cast<int>(planet) > static_cast<int>(astro::Planet::Mars);
    return {v.x / kTwipsPerPixel, v.y / kTwipsPerPixel, view::orbitShows(a.extent, planet) && !beyond};
}

namespace {

JsonObject frameObject(const OrbitAnswer& a) {
    const view::OrbitFrame f = view::orbitFrame(a.extent);
    JsonObject o;
    o.number("sunX", f.sunX / kTwipsPerPixel, 2);
    o.number("sunY", f.sunY / kTwipsPerPixel, 2);
    o.number("pxPerAu", f.twipsPerAu / kTwipsPerPixel, 4);
    o.number("toScaleAu", view::kToScaleAu, 2);
    o.integer("width", std::lround(view::kOrbitPageWidthTwips / kTwipsPerPixel));
    o.integer("height", std::lround(view::kOrbitPageHeightTwips / kTwipsPerPixel));
    return o;
}

const char* extentName(view::OrbitExtent e) {
    return e == view::OrbitExtent::Mars ? "mars" : e == view::OrbitExtent::Saturn ? "saturn" : "neptune";
}

}  // namespace

std::optional<std::string> orbitFindJson(const OrbitAnswer& a, const std::string& name) {
    JsonObject j;
    const view::OrbitFrame f = view::orbitFrame(a.extent);
    if (catalog::foldName(name) == catalog::foldName("太陽") || catalog::foldName(name) == catalog::foldName("たいよう") ||
        catalog::foldName(name) == "sun") {
        j.text("name", "太陽");
        j.number("x", f.sunX / kTwipsPerPixel, 2);
        j.number("y", f.sunY / kTwipsPerPixel, 2);
        j.boolean("inside", true);
    } else if (const std::optional<astro::Planet> planet = orbitPlanetNamed(name)) {
        const view::OrbitPlanet& p = a.scene.planets[static_cast<int>(*planet)];
        const OrbitPixel px = orbitPixel(a, *planet);
        j.text("name", view::kPlanetNames[static_cast<int>(*planet)]);
        j.number("x", px.x, 2);
        j.number("y", px.y, 2);
        j.boolean("inside", px.inside);
        j.number("lonDeg", p.lonDeg, 4);
        j.number("distanceAu", p.distanceAu, 6);
    } else {
        return std::nullopt;
    }
    j.object("frame", frameObject(a));
    return j.done();
}

std::string orbitNotFoundText(const std::string& name) {
    return quotedArgument(name) + " is not on the view from above (太陽, 水星 … 海王星, 地球)";
}

std::string orbitBodyAt(const OrbitAnswer& a, double xPx, double yPx, double radiusPx) {
    const view::OrbitFrame f = view::orbitFrame(a.extent);
    std::string best;
    double bestDistance = radiusPx;
    const auto consider = [&](const std::string& name, double x, double y) {
        const double d = std::hypot(x - xPx, y - yPx);
        if (d <= bestDistance) bestDistance = d, best = name;
    };
    consider("太陽", f.sunX / kTwipsPerPixel, f.sunY / kTwipsPerPixel);
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        const OrbitPixel px = orbitPixel(a, static_cast<astro::Planet>(i));
        if (px.inside) consider(view::kPlanetNames[i], px.x, px.y);
    }
    return best;
}

std::string orbitJson(const OrbitAnswer& a, const LocalZone& zone) {
    const view::OrbitScene& s = a.scene;
    JsonObject j;
    j.text("view", "orbits");
    j.text("time", isoLocalTime(s.jdUt, zone.offset));
    JsonObject place;
    if (!s.placeName.empty()) place.text("name", s.placeName);
    place.number("lat", s.latDeg, 4);
    place.number("lon", s.lonDeg, 4);
    j.object("place", place);
    j.text("extent", extentName(a.extent));
    j.object("frame", frameObject(a));
    std::vector<JsonObject> bodies;
    for (int i = 0; i < astro::kPlanetCount; ++i) {
        const view::OrbitPlanet& p = s.planets[i];
        const OrbitPixel px = orbitPixel(a, static_cast<astro::Planet>(i));
        JsonObject o;
        o.text("name", view::kPlanetNames[i]);
        o.number("lonDeg", p.lonDeg, 4);
        o.number("latDeg", p.latDeg, 4);
        o.number("distanceAu", p.distanceAu, 6);
        o.number("x", px.x, 2);
        o.number("y", px.y, 2);
        o.boolean("inside", px.inside);
        bodies.push_back(o);
    }
    j.array("bodies", bodies);
    j.number("sunLonDeg", s.sunLonDeg, 4);
    JsonObject moon;
    moon.number("lonDeg", s.moonLonDeg, 4);
    moon.number("elongationDeg", s.moonElongationDeg, 4);
    moon.number("illum", s.moonIllum, 4);
    j.object("moon", moon);
    JsonObject observer;
    observer.number("x", s.observerX, 4);
    observer.number("y", s.observerY, 4);
    observer.boolean("near", s.observerNear);
    observer.boolean("daytime", s.daytime);
    j.object("observer", observer);
    if (s.facing) {
        JsonObject f;
        f.text("label", s.facingLabel);
        f.number("x", (*s.facing)[0], 4);
        f.number("y", (*s.facing)[1], 4);
        j.object("facing", f);
    } else {
        j.null("facing");
    }
    if (s.target) j.text("target", view::kPlanetNames[static_cast<int>(*s.target)]);
    else j.null("target");
    if (s.eclipse != view::EclipseHint::None) {
        JsonObject e;
        e.text("kind", s.eclipse == view::EclipseHint::Solar ? "solar" : "lunar");
        e.text("greatest", isoLocalTime(s.eclipseJdUt, zone.offset));
        j.object("eclipse", e);
    } else {
        j.null("eclipse");
    }
    return j.done();
}

}  // namespace app
