// What the picture drew where, and which drawn object lies under a pixel.
// The sky view fills a DrawRecord while it draws (when given one); the
// window, the command line and the tests then ask objectAt() the same
// question and get the same answer.
#pragma once

#include "view/viewport.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace view {

enum class DrawnKind : std::uint8_t { Star, Sun, Moon, Planet, Meteor, DeepSky };

// One drawn object, in device pixels of the surface drawn on.
struct DrawnObject {
    DrawnKind kind = DrawnKind::Star;
    // Star: catalogue row 1..508. Sun, Moon, planet: astro::Body index.
    // Meteor: row of its shower in the shower table. DeepSky: row of the
    // cluster, nebula or galaxy in its table.
    int id = 0;
    float xPx = 0.0f;  // centre; a meteor's head
    float yPx = 0.0f;
    float radiusPx = 0.0f;  // radius of the disc as drawn (a meteor's is 0)
    float tailXPx = 0.0f;   // a meteor's tail; the centre for everything else
    float tailYPx = 0.0f;
    // Brightness that settles overlaps: the star's catalogue magnitude, a
    // typical value for the bodies and meteors (kBodyRankMag).
    float mag = 0.0f;
};

// The record of one picture. Its viewport is set by whoever draws (the
// painter's scale, and where the window centres a scaled-up picture); the
// view converts every position with it.
struct DrawRecord {
    Viewport viewport;
    std::vector<DrawnObject> objects;
};

// How far beyond its drawn disc an object still answers, device pixels.
inline constexpr double kHitMarginPx = 4.0;
// A disc drawn smaller than this is drawn as its centre pixel; it answers
// as a disc of half a pixel.
inline constexpr double kSmallestDrawnRadiusPx = 0.5;

// Magnitudes that rank the bodies against the stars where their discs
// overlap (the picture does not compute planetary magnitudes; these are the
// usual values near opposition or greatest brilliancy).
inline constexpr float kBodyRankMag[9] = {-26.7f, -12.7f, -4.4f, -1.5f, -2.5f, 0.5f, -0.5f, 5.7f, 7.8f};
inline constexpr float kMeteorRankMag = 1.0f;

// objectAt: the drawn object at pixel (xPx, yPx). An object qualifies when
// the point lies within its drawn disc grown by kHitMarginPx (a meteor:
// within kHitMarginPx of its streak). A point inside a cluster's or nebula's
// ring answers that object before any other; otherwise, of the qualifying
// objects the brightest wins; between equally bright ones, the nearer
// centre; then the one drawn later (on top). Nothing that was not drawn can be found. Non-finite
// coordinates find nothing.
std::optional<DrawnObject> objectAt(const DrawRecord& record, double xPx, double yPx);

}  // namespace view
