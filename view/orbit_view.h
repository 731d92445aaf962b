// 宇宙から見た図: the solar system seen from the north of the ecliptic, the
// textbook's partner to the sky seen from the ground.
//
// The Sun in the middle, the orbits and places of the planets (水星 to 土星,
// and 天王星 and 海王星 when zoomed out), the Earth enlarged with its day and
// night halves, the observer's place on it, the direction the observer faces
// and the line of sight to a chosen planet; beside it the Earth and the Moon
// with the sunlight from one side, the Moon where it is and the eight phases
// as seen from the Earth around its orbit. On the days of an eclipse the
// inset says which, the Sun, the Moon and the Earth in one line.
//
// Places: heliocentric, geometric (no light time), ecliptic and equinox of
// date, from the precise ephemeris (VSOP87A; the Moon ELP/MPP02). The
// equinox points to the right, longitudes grow counter-clockwise. An orbit
// is the osculating ellipse of the planet's place and motion at the moment,
// so the planet always sits on it.
//
// Scale: distances out to kToScaleAu are to scale (pxPerAu); beyond, in the
// views reaching 土星 or 海王星, they are drawn shrunk logarithmically
// (continuous in distance and in slope) so the outer orbits fit.
//
// Page: A4 landscape in twips (the size of sun_path.h's page).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "astro/almanac.h"
#include "astro/precise_ephemeris.h"
#include "view/painter.h"

namespace view {

// How far the view reaches: 火星まで is all to scale.
enum class OrbitExtent { Mars, Saturn, Neptune };

inline constexpr double kToScaleAu = 1.75;  // beyond Mars's aphelion

struct OrbitPlanet {
    double lonDeg = 0.0;  // heliocentric ecliptic longitude of date, [0, 360)
    double latDeg = 0.0;
    double distanceAu = 0.0;
    double xAu = 0.0, yAu = 0.0;              // on the ecliptic: x to the equinox, y to longitude 90
    std::vector<std::array<double, 2>> orbitAu;  // the osculating orbit, projected, closed
};

enum class EclipseHint { None, Solar, Lunar };

struct OrbitScene {
    double jdUt = 0.0;
    std::string placeName;
    double latDeg = 35.65, lonDeg = 139.75;
    astro::UtcOffsetFn zone;
    std::array<OrbitPlanet, astro::kPlanetCount> planets;  // by astro::Planet, the Earth's included
    double sunLonDeg = 0.0;        // geocentric, apparent
    double moonLonDeg = 0.0;       // geocentric, apparent
    double moonElongationDeg = 0.0;  // east of the Sun along the ecliptic, [0, 360)
    double moonIllum = 0.0;
    // The observer on the Earth seen from the north: the place's unit vector
    // projected on the ecliptic (x, y) and whether it is on the near (north)
    // side; daytime there.
    double observerX = 0.0, observerY = 0.0;
    bool observerNear = true;
    bool daytime = false;
    // The direction faced (the sky view's, or the chosen planet's), projected
    // and scaled to a unit vector; none when it points almost straight out of
    // the ecliptic.
    std::optional<std::array<double, 2>> facing;
    std::string facingLabel;  // "南" or the planet's name
    std::optional<astro::Planet> target;  // the line of sight's planet
    EclipseHint eclipse = EclipseHint::None;
    double eclipseJdUt = 0.0;
};

// orbitScene: everything at a UT moment for a place; `faceAzDeg` the
// direction the observer faces (0 north, 90 east), `target` a planet to
// face instead (the Earth is no target).
OrbitScene orbitScene(const astro::EphemerisTables& tables, double jdUt, double latDeg, double lonDeg,
                      double faceAzDeg, std::optional<astro::Planet> target, const astro::UtcOffsetFn& zone);

// Where the main diagram puts a point in the ecliptic plane, in twips on the
// page, with the shrinking beyond kToScaleAu.
struct OrbitFrame {
    OrbitExtent extent = OrbitExtent::Saturn;
    float sunX = 0.0f, sunY = 0.0f;  // twips
    float radius = 0.0f;             // the diagram's radius, twips
    double twipsPerAu = 0.0;         // to scale out to kToScaleAu
};
OrbitFrame orbitFrame(OrbitExtent extent);
Vertex orbitPoint(const OrbitFrame& frame, double xAu, double yAu);
// The planets an extent shows (宇宙から見た図 to 土星 leaves out the outer two).
bool orbitShows(OrbitExtent extent, astro::Planet planet);
// Japanese names by astro::Planet.
inline constexpr const char* kPlanetNames[astro::kPlanetCount] = {"水星", "金星", "地球", "火星",
                                                                  "木星", "土星", "天王星", "海王星"};

// The page's size in twips (A4 landscape).
inline constexpr float kOrbitPageWidthTwips = 16838.0f;
inline constexpr float kOrbitPageHeightTwips = 11906.0f;

// drawOrbitView: the page, on white.
void drawOrbitView(const OrbitScene& scene, OrbitExtent extent, Painter& painter);

// The view from above beside a phase strip: the Earth's and an inner
// planet's orbits and their places at a series of moments (ecliptic of date
// of the first), projected, au.
struct OrbitMarks {
    std::vector<std::array<double, 2>> earthOrbitAu, planetOrbitAu;
    std::vector<std::array<double, 2>> earthAu, planetAu;  // one per moment
};
OrbitMarks orbitMarks(const astro::EphemerisTables& tables, astro::Planet planet, const std::vector<double>& momentsJdUt);
// drawOrbitMarks: the Sun, both orbits and the numbered places (1, 2 …)
// joined by the lines of sight, within `radius` of the centre (painter
// units), the Earth's orbit filling 0.95 of it.
void drawOrbitMarks(const OrbitMarks& marks, float centreX, float centreY, float radius, Painter& painter);

// Heliocentric ecliptic of date for a planet at a TT Julian day: longitude,
// latitude (degrees), distance (AU), and the state for the orbit.
OrbitPlanet orbitPlanet(const astro::EphemerisTables& tables, astro::Planet planet, double jdTt);

}  // namespace view
