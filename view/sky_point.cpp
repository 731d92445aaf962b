#include "view/sky_point.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace view {

std::optional<PictureChoice> pictureShowing(double altDeg, double azDeg) {
    if (!std::isfinite(altDeg) || !std::isfinite(azDeg) || altDeg < 0.0) return std::nullopt;
    std::array<Direction, 4> dirs{Direction::North, Direction::East, Direction::South, Direction::West};
    const auto offset = [&](Direction d) {
        const double diff = std::fmod(std::fabs(azDeg - directionRule(d).centreAzDeg), 360.0);
        return std::min(diff, 360.0 - diff);
    };
    std::stable_sort(dirs.begin(), dirs.end(), [&](Direction p, Direction q) { return offset(p) < offset(q); });
    for (const Direction d : dirs) {
        const Projector& projector = projectorFor(d);
        const Placed p = projector.place(altDeg, azDeg);
        if (p.visible && projector.inPicture(p.at)) return PictureChoice{d, p.at};
    }
    return std::nullopt;
}

}  // namespace view
