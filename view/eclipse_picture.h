// An eclipse as seen at a place at one moment, facing the eclipsed body with
// the zenith up: the Sun with the Moon before it, or the Moon in the Earth's
// shadow (its colour in the umbra darker the deeper it is), on the picture's
// surface, through the painter.
#pragma once

#include <string>
#include <vector>

#include "astro/eclipses.h"
#include "view/painter.h"

namespace view {

struct EclipseScene {
    astro::EclipseView view;
    std::string title;  // the moment and the place
    std::string facts;  // the magnitude and the body's altitude and azimuth
};

// drawEclipse: the scene on the picture surface (kSurfaceWidthTwips by
// kSurfaceHeightTwips). The Sun is drawn 150 pixels across the radius, the
// Moon of a lunar eclipse 90 (the Earth's shadow about 2.7 times that); the
// horizon where it falls within the picture.
void drawEclipse(const EclipseScene& scene, Painter& painter);

// convexIntersection: the part of convex polygon `a` inside convex polygon
// `b` (Sutherland-Hodgman), counter-clockwise or clockwise as `a` runs.
std::vector<Vertex> convexIntersection(const std::vector<Vertex>& a, const std::vector<Vertex>& b);

}  // namespace view
