// Star trails: the paths a long exposure records while the sky turns, placed
// by the picture's own arithmetic (equatorial-to-horizontal transform, the
// direction's projection, the picture mapping) at a series of moments.
#pragma once

#include <span>
#include <vector>

#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/projector.h"
#include "view/direction.h"
#include "view/painter.h"
#include "view/picture.h"

namespace view {

// Minutes between two samples of a trail. The sky turns half a degree in two
// minutes, so even the tight circles near the pole become polygons whose
// corners turn by half a degree: smooth at every picture scale.
inline constexpr int kTrailStepMinutes = 2;
// The longest span a trail may cover: one day.
inline constexpr int kMaxTrailMinutes = 24 * 60;

// trailSampleOffsets: the minute offsets from the start moment at which a
// trail of spanMinutes is sampled: 0, 2, 4, ... and spanMinutes itself (the
// last step may be shorter). spanMinutes is held to 1..kMaxTrailMinutes.
std::vector<int> trailSampleOffsets(int spanMinutes);

enum class TrailObject { Star, Body };

// One unbroken piece of an object's path, in picture twips. A path that sets
// and rises again, or leaves the view and comes back, gives several pieces.
struct TrailPath {
    TrailObject object = TrailObject::Star;
    int index = 0;  // catalogue row 1..508 for a star, astro::Body for a body
    Rgb colour{};
    std::vector<PicturePoint> points;  // at least two
};

struct Trails {
    std::vector<TrailPath> paths;
};

// computeTrails: the paths of the stars, the Sun, the Moon and the planets
// over the sampled moments.
//   dir         viewing direction
//   skies       computation passes of one place at the sampled moments, in
//               time order; the last one is the end moment, the picture on
//               which the trails are drawn
//   cat         star catalogue
//   background  the picture's sky colour; trails are mixed toward it so they
//               are dimmer than their objects (bright stars less so)
// Every sampled moment contributes the position the picture of that moment
// draws the object at; the pieces are cut exactly where an object crosses
// the horizon or leaves the direction's projection (found by bisection
// between two samples, with the sidereal time and the body's right ascension
// and declination taken linearly between them). The Sun and the Moon leave
// their trails while they are up; a planet or a star only while it can be
// seen, brighter than the limiting magnitude of that moment
// (natural_sky.h), so no star trails through daylight and the stars come
// out one by one at dusk. The seen part is cut by bisection too, with the
// Sun's and the Moon's altitudes taken linearly between samples.
Trails computeTrails(const Projector& projector, std::span<const astro::SkyState> skies, const catalog::Catalogue& cat,
                     Rgb background);
inline Trails computeTrails(Direction dir, std::span<const astro::SkyState> skies, const catalog::Catalogue& cat,
                            Rgb background) {
    return computeTrails(projectorFor(dir), skies, cat, background);
}

// drawTrails: every path as one-pixel lines in its colour.
void drawTrails(const Trails& trails, Painter& painter);

}  // namespace view
