// 金星の満ち欠け (and the Moon's and Mercury's): the body's disc as through a
// small telescope, its lit part, its tilt as seen in the sky and its
// apparent size all to one scale, for a series of dates, each labelled
// with its date, elongation, magnitude and 宵の明星 / 明けの明星.
//
// Each disc is taken at the end of civil twilight (the Sun 6 degrees down)
// on the side of the day the body is seen: after sunset while it stands
// east of the Sun (宵), before sunrise while west (明け). Places, phase and
// size from the precise ephemeris (precise_sky.h); the tilt is the bright
// limb's angle from the vertical there and then.
//
// Page: A4 landscape in twips (the size of sun_path.h's page).
#pragma once

#include <string>
#include <vector>

#include "astro/almanac.h"
#include "astro/sky_state.h"
#include "view/orbit_view.h"
#include "view/painter.h"

namespace view {

struct PhaseDisc {
    double jdUt = 0.0;  // the moment it shows
    astro::LocalDate date;
    bool evening = true;  // 宵 (east of the Sun) or 明け
    double illum = 0.0;
    double phaseAngleDeg = 0.0;
    double diameterArcsec = 0.0;
    double elongationDeg = 0.0;
    double mag = 0.0;
    double limbAngleDeg = 0.0;  // bright limb from the vertical, counter-clockwise as seen
    double altDeg = 0.0;        // the body's altitude then
};

struct PhaseStrip {
    astro::Body body = astro::Venus;
    std::string placeName;
    double latDeg = 35.65;
    double lonDeg = 139.75;
    int everyDays = 14;
    std::vector<PhaseDisc> discs;
    // Mercury's or Venus's places and the Earth's at the discs' moments, seen
    // from above (drawn beside a strip of up to 14 discs).
    OrbitMarks marks;
};

// phaseStrip: `count` discs (1..40) from the local date `first`, one every
// `everyDays` (1..400) days. Mercury, Venus or the Moon.
PhaseStrip phaseStrip(const astro::EphemerisTables& tables, astro::Body body, const astro::LocalDate& first,
                      int everyDays, int count, double latDeg, double lonDeg, const astro::UtcOffsetFn& zone);

// The scale the discs share: twips per arcsecond, so the largest disc of
// the strip fills its cell.
double phaseStripTwipsPerArcsec(const PhaseStrip& strip);

// drawPhaseStrip: the page, on white.
void drawPhaseStrip(const PhaseStrip& strip, Painter& painter);

}  // namespace view
