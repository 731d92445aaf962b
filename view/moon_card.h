// 月の観察カード: a printable A4 card for recording the Moon toward one of
// the eight directions: the horizon with its 方位, the altitude in fists up
// the side (にぎりこぶし one about 10 degrees at arm's length), and the Moon
// drawn enlarged with its true lit part and tilt (zenith up) at each of a
// few moments (times of one day, or one time on several days), each with
// its time; the pupils' card leaves the Moons out and keeps the boxes.
//
// The sky panel is a plain grid of azimuth and altitude (the directions
// 60 degrees either side of the one faced, 0 to 80 degrees up), as pupils
// draw it; places from the precise ephemeris (the Moon's topocentric
// altitude, no refraction).
//
// Page: A4 portrait in twips.
#pragma once

#include <string>
#include <vector>

#include "astro/almanac.h"
#include "view/painter.h"

namespace view {

struct MoonCardEntry {
    double jdUt = 0.0;
    double altDeg = 0.0;
    double azDeg = 0.0;
    double illum = 0.0;
    double limbAngleDeg = 0.0;  // bright limb from the vertical, counter-clockwise as seen
    double ageDays = 0.0;
};

struct MoonCard {
    std::string placeName;
    double latDeg = 35.65;
    double lonDeg = 139.75;
    double faceAzDeg = 180.0;  // the direction faced (0 north, 45 northeast …)
    bool blank = false;        // the pupils' card
    bool sameTime = false;     // one time on several days (dates are written)
    astro::UtcOffsetFn zone;
    std::vector<MoonCardEntry> entries;
};

// moonCard: the Moon at each moment (at most 8) seen from the place.
MoonCard moonCard(const astro::EphemerisTables& tables, double faceAzDeg, const std::vector<double>& momentsJdUt,
                  double latDeg, double lonDeg, const astro::UtcOffsetFn& zone);

// Where a direction and altitude fall on the card's sky panel, in twips;
// `inside` false when it is outside the panel.
struct CardPoint {
    float x = 0.0f;
    float y = 0.0f;
    bool inside = false;
};
CardPoint moonCardPoint(const MoonCard& card, double altDeg, double azDeg);

// The page's size in twips (A4 portrait).
inline constexpr float kMoonCardWidthTwips = 11906.0f;
inline constexpr float kMoonCardHeightTwips = 16838.0f;

// drawMoonCard: the card, on white.
void drawMoonCard(const MoonCard& card, Painter& painter);

}  // namespace view
