// 宇宙から見た図: the solar system from the north of the ecliptic at the
// request's moment, the Earth with the place and the way it faces, as a page
// to draw and as JSON; and where a body stands on it (find).
#pragma once

#include <optional>
#include <string>

#include "app/session/answers.h"
#include "view/orbit_view.h"

namespace app {

struct OrbitQuery {
    SkyQuery sky;
    double faceAzDeg = 180.0;                 // the sky view's direction
    std::optional<astro::Planet> target;      // a planet faced instead, with the line of sight
    view::OrbitExtent extent = view::OrbitExtent::Saturn;
};
struct OrbitAnswer {
    view::OrbitScene scene;
    view::OrbitExtent extent = view::OrbitExtent::Saturn;
};
OrbitAnswer answerOrbits(const OrbitQuery& q, const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now);
// The same for a request already read (the window's).
OrbitAnswer answerOrbits(const SkyRequest& req, double faceAzDeg, std::optional<astro::Planet> target,
                         view::OrbitExtent extent, const LocalZone& zone);

// The planet a name gives (水星 … 海王星 and 地球, in kanji, kana or English).
std::optional<astro::Planet> orbitPlanetNamed(const std::string& name);
// "mars" | "saturn" | "neptune" (or 火星, 土星, 海王星).
std::optional<view::OrbitExtent> orbitExtentNamed(const std::string& name);

// A body's pixel on the page's PNG at scale 1 (1123 by 794), with the
// frame a script needs to check it: the Sun's pixel and pixels per au (to
// scale out to view::kToScaleAu). `inside` false for a planet the extent
// leaves out.
struct OrbitPixel {
    double x = 0.0, y = 0.0;
    bool inside = true;
};
OrbitPixel orbitPixel(const OrbitAnswer& a, astro::Planet planet);

// {"view": "orbits", "time", "place", "extent", "frame": {"sunX", "sunY",
// "pxPerAu", "toScaleAu", "width", "height"}, "bodies": [{"name", "lonDeg",
// "latDeg", "distanceAu", "x", "y", "inside"}] (地球 included), "sunLonDeg",
// "moon": {"lonDeg", "elongationDeg", "illum"}, "observer": {"x", "y",
// "near", "daytime"}, "facing": {"label", "x", "y"} | null, "target",
// "eclipse": null | {"kind", "greatest"}}.
std::string orbitJson(const OrbitAnswer& a, const LocalZone& zone);
// --find NAME --view orbits: {"name", "x", "y", "inside", "lonDeg",
// "distanceAu", "frame": {...}} for a planet (地球 included) or 太陽; nothing
// for a name that is neither.
std::optional<std::string> orbitFindJson(const OrbitAnswer& a, const std::string& name);
// What is said when it gives nothing.
std::string orbitNotFoundText(const std::string& name);

// What a pixel of the page (PNG at scale 1) shows: the planet or the Sun
// within `radiusPx`, nearest first; "" for none.
std::string orbitBodyAt(const OrbitAnswer& a, double xPx, double yPx, double radiusPx = 12.0);

}  // namespace app
