#include "view/figures.h"

#include <cstddef>

#include "view/horizontal.h"
#include "view/picture.h"
#include "view/projector.h"

namespace view {

namespace {

bool validStar(const catalog::Catalogue& cat, int k) {
    return k > 0 && static_cast<std::size_t>(k) < cat.stars.size();
}

}  // namespace

StarPlace placeStar(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat, int k,
                    const std::vector<astro::Horizontal>* known) {
    const std::size_t row = static_cast<std::size_t>(k);
    const catalog::Star& star = cat.stars[row];
    const astro::Horizontal hz =
        known != nullptr && row < known->size() ? (*known)[row] : horizontal(sky, star.raHours, star.decDeg);
    StarPlace out;
    out.altDeg = hz.altDeg;
    if (hz.altDeg >= 0.0) out.at = projector.place(hz.altDeg, hz.azDeg).at;
    return out;
}

bool insidePicture(const Projector& projector, float x) { return x >= 0.0f && x < projector.frame().figureMaxX; }

void drawFigures(const Projector& dir, const astro::SkyState& sky, const catalog::Catalogue& cat,
                 const std::array<bool, 42>& selected, Painter& painter, Rgb colour,
                 const std::vector<astro::Horizontal>* starPlaces) {
    const std::size_t count = cat.constellations.size();
    for (int i = 1; i <= catalog::kConstellationCount && static_cast<std::size_t>(i) < count; ++i) {
        if (!selected[static_cast<std::size_t>(i)]) continue;
        const catalog::Constellation& con = cat.constellations[static_cast<std::size_t>(i)];
        const auto node = [&](std::size_t j) -> int { return j < con.nodes.size() ? con.nodes[j] : 0; };

        // The last segment with two positive nodes decides the label; a
        // figure without one gets no label.
        bool lastPairUp = false;
        PicturePoint lastEnd;
        for (std::size_t j = 0; node(j) != 0; ++j) {
            const int s = node(j);
            const int t = node(j + 1);
            if (s <= 0 || t <= 0 || !validStar(cat, s) || !validStar(cat, t)) continue;
            const StarPlace a = placeStar(dir, sky, cat, s, starPlaces);
            const StarPlace b = placeStar(dir, sky, cat, t, starPlaces);
            lastPairUp = a.altDeg >= 0.0 && b.altDeg >= 0.0;
            if (!lastPairUp) continue;
            lastEnd = b.at;
            if (insidePicture(dir, a.at.x) && insidePicture(dir, b.at.x)) {
                painter.line(a.at.x, a.at.y, b.at.x, b.at.y, colour);
            }
        }

        const float dy = static_cast<float>(con.labelOffsetTwips);
        if (i == kSingleStarAries || i == kSingleStarPsA) {
            const int r = node(0);
            if (!validStar(cat, r)) continue;
            const StarPlace p = placeStar(dir, sky, cat, r, starPlaces);
            if (p.altDeg < 0.0) continue;
            painter.setTextPosition(p.at.x + kFigureLabelDx, p.at.y + dy);
            painter.text(con.label);
        } else if (lastPairUp) {
            painter.setTextPosition(lastEnd.x + kFigureLabelDx, lastEnd.y + dy);
            painter.text(con.label);
        }
    }
}

}  // namespace view
