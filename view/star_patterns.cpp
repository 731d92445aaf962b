#include "view/star_patterns.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "view/projector.h"

namespace view {

void drawAsterisms(Direction dir, const catalog::Catalogue& cat, const std::vector<astro::Horizontal>& starPlaces,
                   Rgb colour, Painter& painter) {
    const Projector& projector = projectorFor(dir);
    const float maxX = projector.frame().figureMaxX;
    painter.setLineStyle(kAsterismLine);
    for (std::size_t a = 1; a < cat.asterisms.size(); ++a) {
        const catalog::Asterism& pattern = cat.asterisms[a];
        std::vector<std::optional<PicturePoint>> at;
        for (const int row : pattern.rows) {
            const auto r = static_cast<std::size_t>(row);
            std::optional<PicturePoint> p;
            if (r < starPlaces.size() && starPlaces[r].altDeg >= 0.0) {
                const Placed placed = projector.place(starPlaces[r].altDeg, starPlaces[r].azDeg);
                if (placed.visible && placed.at.x >= 0.0f && placed.at.x < maxX) p = placed.at;
            }
            at.push_back(p);
        }
        for (std::size_t i = 1; i < at.size(); ++i) {
            if (at[i - 1] && at[i]) painter.line(at[i - 1]->x, at[i - 1]->y, at[i]->x, at[i]->y, colour);
        }
        if (!std::all_of(at.begin(), at.end(), [](const auto& p) { return p.has_value(); })) continue;
        // A closed shape lists its first star again at the end; count it once.
        const std::size_t n = pattern.rows.front() == pattern.rows.back() ? at.size() - 1 : at.size();
        double x = 0.0, y = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            x += at[i]->x;
            y += at[i]->y;
        }
        painter.setTextPosition(static_cast<float>(x / n), static_cast<float>(y / n));
        painter.text(pattern.name);
    }
    painter.setLineStyle(LineStyle::Solid);
}

}  // namespace view
