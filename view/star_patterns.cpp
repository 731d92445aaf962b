#include "view/star_patterns.h"

#include <cstddef>
#include <optional>

#include "view/figures.h"

namespace view {

void drawAsterisms(const Projector& dir, const astro::SkyState& sky, const catalog::Catalogue& cat,
                   const std::vector<astro::Horizontal>& starPlaces, Rgb colour, Painter& painter) {
    painter.setLineStyle(kAsterismLine);
    for (std::size_t a = 1; a < cat.asterisms.size(); ++a) {
        const catalog::Asterism& pattern = cat.asterisms[a];
        std::vector<std::optional<PicturePoint>> at;
        for (const int row : pattern.rows) {
            const StarPlace p = placeStar(dir, sky, cat, row, &starPlaces);
            at.push_back(p.altDeg >= 0.0 && insidePicture(dir, p.at.x) ? std::optional(p.at) : std::nullopt);
        }
        for (std::size_t i = 1; i < at.size(); ++i) {
            if (at[i - 1] && at[i]) painter.line(at[i - 1]->x, at[i - 1]->y, at[i]->x, at[i]->y, colour);
        }
        // A closed shape lists its first star again at the end; count it once.
        const std::size_t n = pattern.rows.front() == pattern.rows.back() ? at.size() - 1 : at.size();
        double x = 0.0, y = 0.0;
        std::size_t shown = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!at[i]) continue;
            x += at[i]->x;
            y += at[i]->y;
            ++shown;
        }
        // Named when at most one of its stars is out of the picture.
        if (shown < 2 || shown + 1 < n) continue;
        painter.setTextPosition(static_cast<float>(x / shown), static_cast<float>(y / shown));
        painter.text(pattern.name);
    }
    painter.setLineStyle(LineStyle::Solid);
}

}  // namespace view
