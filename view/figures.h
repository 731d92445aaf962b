// The stick figures of the constellations selected in the list, with their
// labels.
#pragma once

#include <array>
#include <vector>

#include "astro/sky_state.h"
#include "astro/transforms.h"
#include "catalog/catalog.h"
#include "view/projector.h"
#include "view/direction.h"
#include "view/painter.h"
#include "view/picture.h"

namespace view {

inline constexpr Rgb kFigureColour{243, 243, 243};
inline constexpr float kFigureLabelDx = 80.0f;
// The two constellations drawn as a single star, labelled at their first node.
inline constexpr int kSingleStarAries = 12;
inline constexpr int kSingleStarPsA = 37;

// Altitude of a catalogue star row and, when it is above the horizon, its
// picture position; `known`, when given, holds every row's altitude and
// azimuth for this sky (index = row).
struct StarPlace {
    double altDeg = -1.0;
    PicturePoint at;
};
StarPlace placeStar(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat, int row,
                    const std::vector<astro::Horizontal>* known = nullptr);
inline StarPlace placeStar(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat, int row,
                           const std::vector<astro::Horizontal>* known = nullptr) {
    return placeStar(projectorFor(dir), sky, cat, row, known);
}

// A line of a figure or star pattern is drawn only when both ends lie left
// of the frame's cut; that also drops ends the projection rejected, which
// map far to the right.
bool insidePicture(const Projector& projector, float xTwips);
inline bool insidePicture(Direction dir, float xTwips) { return insidePicture(projectorFor(dir), xTwips); }

// drawFigures: for each constellation c (1..41) with selected[c], the
// segments between consecutive positive nodes whose stars are both above the
// horizon and inside the picture, then its label. The label goes beside the
// second star of the figure's last segment, and only when both of that
// segment's stars are above the horizon; constellations 12 and 37 are
// labelled at their first node's star when it is above the horizon.
// `colour` is the lines' colour (the paper chart draws them darker).
// `starPlaces`, when given, holds every star row's altitude and azimuth for
// this sky (index = row), as the sky view has already computed them.
void drawFigures(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat,
                 const std::array<bool, 42>& selected, Painter& painter, Rgb colour = kFigureColour,
                 const std::vector<astro::Horizontal>* starPlaces = nullptr);
inline void drawFigures(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat,
                        const std::array<bool, 42>& selected, Painter& painter, Rgb colour = kFigureColour,
                        const std::vector<astro::Horizontal>* starPlaces = nullptr) {
    drawFigures(projectorFor(dir), sky, cat, selected, painter, colour, starPlaces);
}

}  // namespace view
