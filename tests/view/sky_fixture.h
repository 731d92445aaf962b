// Hand-made skies and catalogues for the view tests. The observer stands at
// the north pole with sidereal time 0 and longitude 0: there a star's
// altitude is its declination and its azimuth is 180 - 15 * RA, so any
// (altitude, azimuth) can be placed exactly.
#pragma once

#include <cmath>

#include "astro/sky_state.h"
#include "catalog/catalog.h"

namespace viewtest {

inline astro::SkyState poleSky(double sunAltDeg) {
    astro::SkyState s;
    s.obsLatDeg = 90.0;
    s.obsLonDeg = 0.0;
    s.siderealTimeHours = 0.0;
    for (int b = 0; b < astro::kBodyCount; ++b) {
        s.bodyAltDeg[b] = -30.0;  // everything below the horizon unless a test raises it
        s.bodyAzDeg[b] = 180.0;
    }
    s.bodyAltDeg[astro::Sun] = sunAltDeg;
    s.moonIllum = 0.5;
    return s;
}

inline catalog::Star starAt(double altDeg, double azDeg, double mag = 2.0) {
    double ra = (180.0 - azDeg) / 15.0;
    ra = std::fmod(ra + 48.0, 24.0);
    catalog::Star s;
    s.raHours = ra;
    s.decDeg = altDeg;
    s.mag = mag;
    return s;
}

// An empty catalogue with every table sized, row 0 empty.
inline catalog::Catalogue emptyCatalogue() {
    catalog::Catalogue cat;
    cat.stars.resize(1);
    cat.starLabel.resize(1);
    cat.constellations.resize(catalog::kConstellationCount + 1);
    for (int i = 1; i <= catalog::kConstellationCount; ++i) {
        cat.constellations[i].label = "C" + std::to_string(i);
        cat.constellations[i].nodes = {0};
    }
    cat.showers.resize(1);
    return cat;
}

inline int addStar(catalog::Catalogue& cat, double altDeg, double azDeg, const std::string& label = "",
                   double mag = 2.0) {
    cat.stars.push_back(starAt(altDeg, azDeg, mag));
    cat.starLabel.push_back(label);
    return static_cast<int>(cat.stars.size() - 1);
}

}  // namespace viewtest
