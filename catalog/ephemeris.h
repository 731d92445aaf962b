// The precise ephemeris's series (VSOP87A, ELP/MPP02, IAU 2000B nutation),
// read once from the embedded tables vsop87a.csv, elpmpp02.csv and
// nutation_2000b.csv (made by tools/ephemeris).
#pragma once

#include "astro/precise_ephemeris.h"

namespace catalog {

// ephemerisTables: the series, parsed on first use and kept. A table that
// does not parse is a build fault: the program stops with a message.
const astro::EphemerisTables& ephemerisTables();

}  // namespace catalog
