// Placeholder until the sky view lands.
#include "view/sky_view.h"

namespace view {
void drawView(Direction, const astro::SkyState&, const catalog::Catalogue&, const ViewOptions&, MeteorRng&,
              Painter& p) {
    p.clear();
}
void drawSouthView(const astro::SkyState& s, const catalog::Catalogue& c, const ViewOptions& o, MeteorRng& r,
                   Painter& p) {
    drawView(Direction::South, s, c, o, r, p);
}
void drawEastView(const astro::SkyState& s, const catalog::Catalogue& c, const ViewOptions& o, MeteorRng& r,
                  Painter& p) {
    drawView(Direction::East, s, c, o, r, p);
}
void drawWestView(const astro::SkyState& s, const catalog::Catalogue& c, const ViewOptions& o, MeteorRng& r,
                  Painter& p) {
    drawView(Direction::West, s, c, o, r, p);
}
void drawNorthView(const astro::SkyState& s, const catalog::Catalogue& c, const ViewOptions& o, MeteorRng& r,
                   Painter& p) {
    drawView(Direction::North, s, c, o, r, p);
}
}  // namespace view
