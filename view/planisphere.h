// 星座早見盤: a planisphere for one place, as two A4 pages to print on card,
// cut out and pin together: the star disc (星図盤), which turns, and the
// horizon mask (地平盤) with the window onto the sky.
//
// Star disc: the sky around the celestial pole of the place's hemisphere,
// equidistant in declination (radius proportional to the distance from the
// pole), out to the declination that rises at the place's latitude plus a
// margin, with the date ring on its rim. It is the sky as seen from below,
// like the all-sky chart: held overhead facing south (north in the southern
// hemisphere), east is on the left.
//
// Setting it: the date on the disc is turned to the time on the mask. The
// disc's date ring is drawn for the zone's meridian (135 E for Japan) and a
// reference year; the mask's hour ring for the place's longitude, so that a
// place east of the meridian sees each star come round earlier (東京:
// 19 minutes). The approximations of every planisphere remain: the ring
// turns 15 deg an hour where the sky turns 15.04, the date ring is that of
// one year (leap years shift it by up to a quarter of a day); set anywhere
// between 2020 and 2035 the window is within about 1 deg of turning.
//
// Page coordinates are millimetres on an A4 portrait page, x right and y
// down; the drawing goes through the painter in twips (1 mm = 1440 / 25.4).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "view/page_units.h"
#include "view/painter.h"

namespace view {


// Latitudes where a planisphere is made: within 10 deg of the equator the
// window spreads over almost the whole disc and the pole sits on the
// horizon; within 10 deg of a pole nothing rises or sets.
inline constexpr double kPlanisphereMinAbsLatDeg = 10.0;
inline constexpr double kPlanisphereMaxAbsLatDeg = 80.0;

struct MmPoint {
    double x = 0.0;
    double y = 0.0;
};

struct Planisphere {
    double latDeg = 0.0;         // the place; its sign chooses the hemisphere
    double lonDeg = 0.0;         // east positive
    double zoneMeridianDeg = 0.0;  // 15 * the zone's standard offset in hours
    bool south = false;          // the disc is centred on the south pole
    double mmPerDeg = 0.0;       // radius per degree from the pole
    MmPoint centre;              // the pin, on both pages
    double discRadiusMm = 0.0;   // the disc's rim (outside the date ring)
    double maskRadiusMm = 0.0;   // the mask's rim: the date ring shows beyond it
    double starLimitDeg = 0.0;   // declination the disc's stars reach (signed)
};

// planisphereFor: the planisphere of a place, or nothing (with a one-line
// Japanese reason in `why`) for a latitude outside 10..80 deg either side
// or a non-finite coordinate.
//   zoneOffsetHours  the place's standard time, hours east of UTC (9 for
//                    Japan); the hour ring is in that time
std::optional<Planisphere> planisphereFor(double latDeg, double lonDeg, double zoneOffsetHours, std::string& why);

// Where a star of right ascension raHours and declination decDeg is printed
// on the disc before it is turned (disc turned by 0).
MmPoint discPoint(const Planisphere& p, double raHours, double decDeg);

// discTurnDeg: how far the disc is turned when the date month/day on the
// disc stands against the time hour:minute (the place's standard time) on
// the mask, degrees counter-clockwise on the page. The sky then shown has
// the local sidereal time of that moment to within the planisphere's
// approximations (the header).
double discTurnDeg(const Planisphere& p, int month, int day, int hour, int minute);

// The point under the mask of a star of RA/Dec when the disc is turned by
// turnDeg, on the page.
MmPoint windowPoint(const Planisphere& p, double raHours, double decDeg, double turnDeg);

// What the mask says of a point of the page: the altitude and azimuth
// (from north through east) the window shows there. Nothing at the pin.
struct MaskSky {
    double altDeg = 0.0;
    double azDeg = 0.0;
};
std::optional<MaskSky> maskSkyAt(const Planisphere& p, MmPoint at);

// The window's edge, the horizon at the place's latitude, as a closed run
// of points (one per degree of azimuth).
std::vector<MmPoint> windowOutline(const Planisphere& p);

// The two pages, drawn in the print style. The star disc needs the
// catalogue (stars, names, figures); the mask prints the place's name (may
// be empty) and the instructions.
void drawStarDisc(const Planisphere& p, const catalog::Catalogue& cat, const std::string& placeName, Painter& painter);
void drawHorizonMask(const Planisphere& p, const std::string& placeName, Painter& painter);

// The longitude correction printed on the mask: minutes by which the place's
// sky runs ahead of the zone's meridian (19 for Tokyo: 139.74 E against 135 E).
int longitudeCorrectionMinutes(const Planisphere& p);

}  // namespace view
