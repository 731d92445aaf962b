// Placeholder until the embedded tables land.
#include "catalog/catalog.h"

namespace catalog {
Catalogue loadCatalogue() {
    Catalogue c;
    c.stars.resize(kStarCount + 1);
    c.starLabel.resize(kStarCount + 1);
    c.namedStars.resize(kNamedStarCount + 1);
    c.constellations.resize(kConstellationCount + 1);
    c.showers.resize(kShowerCount + 1);
    c.places.resize(kPlaceCount + 1);
    return c;
}
int findPlace(const Catalogue&, const std::string&) { return 0; }
int findConstellation(const Catalogue&, const std::string&) { return 0; }
}  // namespace catalog
