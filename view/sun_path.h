// 透明半球: the Sun's path across the sky of one day drawn on a transparent
// hemisphere over the horizon disc, as the class experiment records it and
// the textbook draws it: the dome seen obliquely from the side the Sun
// passes (from the south in the northern hemisphere, from the north in the
// southern), 東西南北 on the rim, a dot for every whole hour with its time,
// the sunrise and sunset points on the rim. Several days at once (the
// solstices and equinoxes) in their own colours; the pupils' worksheet has
// the hemisphere and its rim only.
//
// Positions: the Sun's apparent place of date from the precise ephemeris
// (precise_ephemeris.h), its geometric altitude (no refraction: where the
// dome's pen mark goes, to the 0.6 degree refraction lifts it at the
// horizon) and azimuth from north through east. Rise, transit and set are
// the almanac's (almanac.h: the upper limb on the refracted horizon).
//
// Page: A4 landscape (kA4 sizes of planisphere.h), in twips, drawn through
// the painter.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/almanac.h"
#include "view/painter.h"
#include "view/picture.h"

namespace view {

struct SunPathPoint {
    double jdUt = 0.0;
    int hour = 0;  // the whole hour of the zone's clock (for the hourly dots)
    double altDeg = 0.0;
    double azDeg = 0.0;
};

struct SunPathDay {
    astro::LocalDate date;
    std::string label;  // 夏至, 春分・秋分, 冬至, or the date ("12月11日")
    Rgb colour;
    std::optional<astro::SkyEvent> rise, transit, set;
    astro::UpState up = astro::UpState::Sometimes;
    std::vector<SunPathPoint> hourly;  // every whole hour with the Sun above the horizon
    std::vector<SunPathPoint> curve;   // every 5 minutes while it is up (with the rise and set ends)
};

// sunPathDay: one local day's path at a place.
//   date            local calendar date in the zone
//   latDeg, lonDeg  degrees north and east (latitude held to [-90, 90])
//   zone            the place's zone (the hours of the dots are its clock's)
// The Sun's right ascension and declination are interpolated through the
// day from three places of the ephemeris (under 0.001 degree), the
// altitude and azimuth then computed exactly every 5 minutes.
SunPathDay sunPathDay(const astro::EphemerisTables& tables, const astro::LocalDate& date, double latDeg,
                      double lonDeg, const astro::UtcOffsetFn& zone);

// seasonPathDays: the days of the year's March equinox (春分・秋分: the
// September path is the same to a fraction of a degree), June solstice (夏至)
// and December solstice (冬至) in the zone, each in its colour.
std::vector<SunPathDay> seasonPathDays(const astro::EphemerisTables& tables, int year, double latDeg,
                                       double lonDeg, const astro::UtcOffsetFn& zone);

struct SunPathScene {
    std::string placeName;  // "東京", or empty for typed coordinates
    double latDeg = 35.65;
    double lonDeg = 139.75;
    std::vector<SunPathDay> days;
    bool worksheet = false;  // the pupils' sheet: the hemisphere and its rim only
    astro::UtcOffsetFn zone;  // the clock of the times written (JST when unset)
    std::string zoneNote;     // "日本時間", or the place's own zone name
};

// The dome on the page: where a direction of the sky is drawn, and whether
// it is on the near side of the dome (the far side is drawn dashed).
struct DomeProjection {
    double centreXTwips = 0.0;
    double centreYTwips = 0.0;
    double radiusTwips = 0.0;
    double elevationDeg = 15.0;  // the eye above the horizon plane
    double eyeAzDeg = 180.0;     // from the centre toward the eye
    PicturePoint place(double altDeg, double azDeg) const;
    bool nearSide(double altDeg, double azDeg) const;
};
// sunPathDome: the dome of a scene's page (the eye south of it in the
// northern hemisphere, north of it in the southern).
DomeProjection sunPathDome(double latDeg);

// The page's size in twips (A4 landscape).
inline constexpr float kSunPathPageWidthTwips = 16838.0f;
inline constexpr float kSunPathPageHeightTwips = 11906.0f;

// drawSunPath: the page, on a white background.
void drawSunPath(const SunPathScene& scene, Painter& painter);

}  // namespace view
