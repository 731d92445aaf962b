// 宇宙から見た図: the planets' heliocentric places and the Moon's phase
// against Astronomy Engine over two centuries, the planets on their drawn
// orbits at the pixel the frame gives, the place and the way it faces, and
// the eclipse days.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "catalog/ephemeris.h"
#include "recording_painter.h"
#include "view/orbit_view.h"

namespace {

const auto kUtc = astro::fixedUtcOffset(0);
const auto kJst = astro::fixedUtcOffset(9 * 3600);

double wrap180(double d) { return d - 360.0 * std::floor((d + 180.0) / 360.0); }

// Every row of tools/almanac_reference/make_orbit_reference.mjs: within
// 0.01 degree in longitude and latitude (the lesson needs 0.1), 1e-4 of the
// distance (the reference's own series are shorter for the outer planets),
// the Moon's elongation within 0.02 degree and its lit fraction 0.001.
TEST(OrbitView, PlacesAndTheMoonAgainstTheReference) {
    std::ifstream in(ORBIT_REFERENCE_CSV);
    ASSERT_TRUE(in) << ORBIT_REFERENCE_CSV;
    std::string line;
    std::getline(in, line);
    static const char* const kNames[] = {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};
    double worstLon = 0.0, worstLat = 0.0, worstDist = 0.0, worstElong = 0.0, worstIllum = 0.0;
    int rows = 0;
    std::string lastUtc;
    view::OrbitScene scene;
    while (std::getline(in, line)) {
        std::stringstream ss(line);
        std::string utc, body, lon, lat, dist;
        std::getline(ss, utc, ',');
        std::getline(ss, body, ',');
        std::getline(ss, lon, ',');
        std::getline(ss, lat, ',');
        std::getline(ss, dist, ',');
        if (utc != lastUtc) {
            const astro::LocalDate d{std::stoi(utc.substr(0, 4)), std::stoi(utc.substr(5, 2)), std::stoi(utc.substr(8, 2))};
            const double seconds = std::stoi(utc.substr(11, 2)) * 3600.0 + std::stoi(utc.substr(14, 2)) * 60.0;
            scene = view::orbitScene(catalog::ephemerisTables(), astro::localToJdUt(d, seconds, kUtc), 35.65, 139.75, 180.0,
                                     std::nullopt, kJst);
            lastUtc = utc;
        }
        ++rows;
        if (body == "Moon") {
            worstElong = std::max(worstElong, std::fabs(wrap180(scene.moonElongationDeg - std::stod(lon))));
            worstIllum = std::max(worstIllum, std::fabs(scene.moonIllum - std::stod(dist)));
            continue;
        }
        const int i = static_cast<int>(std::find(std::begin(kNames), std::end(kNames), body) - std::begin(kNames));
        ASSERT_LT(i, 8) << body;
        const view::OrbitPlanet& p = scene.planets[i];
        worstLon = std::max(worstLon, std::fabs(wrap180(p.lonDeg - std::stod(lon))));
        worstLat = std::max(worstLat, std::fabs(p.latDeg - std::stod(lat)));
        worstDist = std::max(worstDist, std::fabs(p.distanceAu - std::stod(dist)) / std::stod(dist));
    }
    EXPECT_EQ(rows, 378);
    std::printf("largest differences: longitude %.5f°, latitude %.5f°, distance %.1e of itself, Moon elongation %.5f°, lit %.5f\n",
                worstLon, worstLat, worstDist, worstElong, worstIllum);
    EXPECT_LT(worstLon, 0.01);
    EXPECT_LT(worstLat, 0.01);
    EXPECT_LT(worstDist, 1e-4);
    EXPECT_LT(worstElong, 0.02);
    EXPECT_LT(worstIllum, 0.001);
}

// Each planet is drawn where the frame's scale puts it (to scale out to
// Mars), on its own drawn orbit, and the shrunk outer planets keep their
// direction from the Sun.
TEST(OrbitView, PlanetsSitOnTheirOrbitsAtTheFramesPixel) {
    const double jd = astro::localToJdUt({2026, 8, 15}, 19 * 3600.0, kJst);
    const view::OrbitScene s = view::orbitScene(catalog::ephemerisTables(), jd, 35.65, 139.75, 180.0, astro::Planet::Venus, kJst);
    for (const view::OrbitExtent extent : {view::OrbitExtent::Mars, view::OrbitExtent::Saturn, view::OrbitExtent::Neptune}) {
        const view::OrbitFrame f = view::orbitFrame(extent);
        for (int i = 0; i < astro::kPlanetCount; ++i) {
            if (extent == view::OrbitExtent::Mars && i > static_cast<int>(astro::Planet::Mars)) continue;  // drawn at the rim
            const view::OrbitPlanet& p = s.planets[i];
            const view::Vertex v = view::orbitPoint(f, p.xAu, p.yAu);
            const double planarAu = std::hypot(p.xAu, p.yAu);
            if (planarAu <= view::kToScaleAu || extent == view::OrbitExtent::Mars) {
                EXPECT_NEAR(v.x, f.sunX + f.twipsPerAu * p.xAu, 0.5);
                EXPECT_NEAR(v.y, f.sunY - f.twipsPerAu * p.yAu, 0.5);
            } else {
                EXPECT_NEAR(std::atan2(f.sunY - v.y, v.x - f.sunX), std::atan2(p.yAu, p.xAu), 1e-6) << i;
                EXPECT_LT(std::hypot(v.x - f.sunX, v.y - f.sunY), f.twipsPerAu * planarAu);
            }
            if (extent == view::OrbitExtent::Neptune) {
                EXPECT_LE(std::hypot(v.x - f.sunX, v.y - f.sunY), f.radius * 1.001f);
            }
            // On its orbit: within 0.2 mm of the drawn polyline's vertices' path.
            double nearest = 1e9;
            for (std::size_t k = 1; k < p.orbitAu.size(); ++k) {
                const view::Vertex a = view::orbitPoint(f, p.orbitAu[k - 1][0], p.orbitAu[k - 1][1]);
                const view::Vertex b = view::orbitPoint(f, p.orbitAu[k][0], p.orbitAu[k][1]);
                const double t = std::clamp(((v.x - a.x) * (b.x - a.x) + (v.y - a.y) * (b.y - a.y)) /
                                                std::max(1e-9, double((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y))),
                                            0.0, 1.0);
                nearest = std::min(nearest, std::hypot(a.x + t * (b.x - a.x) - v.x, a.y + t * (b.y - a.y) - v.y));
            }
            EXPECT_LT(nearest, 0.2 * 1440 / 25.4 + f.twipsPerAu * 0.002) << view::kPlanetNames[i];
        }
    }
    // The evening Venus: east of the Sun, and the line of sight drawn to it.
    const view::OrbitPlanet& e = s.planets[static_cast<int>(astro::Planet::Earth)];
    const view::OrbitPlanet& v = s.planets[static_cast<int>(astro::Planet::Venus)];
    EXPECT_GT(wrap180(std::atan2(v.yAu - e.yAu, v.xAu - e.xAu) * 180 / M_PI - s.sunLonDeg), 15.0);
    ASSERT_TRUE(s.facing.has_value());
    EXPECT_NEAR(std::atan2((*s.facing)[1], (*s.facing)[0]), std::atan2(v.yAu - e.yAu, v.xAu - e.xAu), 1e-9);
    viewtest::RecordingPainter page;
    view::drawOrbitView(s, view::OrbitExtent::Saturn, page);
    std::string text;
    for (const auto& l : page.labels()) text += l.text + "|";
    for (const char* must : {"宇宙から見た図", "2026年8月15日 19:00", "視線", "金星　0.73 au　0.68 au　宵の明星", "土星|", "上弦"})
        EXPECT_NE(text.find(must), std::string::npos) << must << "\n" << text;
    EXPECT_EQ(text.find("天王星|"), std::string::npos);  // not on the orbits to Saturn
}

// The place turns with the day: toward the Sun at noon, away at midnight,
// and facing south at midnight looks away from the Sun. On the eclipse days
// of 2026 the inset says so, not on the days between.
TEST(OrbitView, ThePlaceTheWayItFacesAndTheEclipseDays) {
    for (const double hour : {12.0, 0.0}) {
        const double jd = astro::localToJdUt({2026, 3, 20}, hour * 3600.0, kJst);
        const view::OrbitScene s = view::orbitScene(catalog::ephemerisTables(), jd, 35.65, 135.0, 180.0, std::nullopt, kJst);
        const double sx = std::cos(s.sunLonDeg * M_PI / 180), sy = std::sin(s.sunLonDeg * M_PI / 180);
        const double towardSun = (s.observerX * sx + s.observerY * sy) / std::hypot(s.observerX, s.observerY);
        EXPECT_EQ(s.daytime, hour == 12.0);
        // Not quite 1: the place at 35 degrees north leans out of the ecliptic.
        EXPECT_GT(hour == 12.0 ? towardSun : -towardSun, 0.93) << hour;
        EXPECT_TRUE(s.observerNear);
        ASSERT_TRUE(s.facing.has_value());
        EXPECT_EQ(s.facingLabel, "南");
        const double faceSun = (*s.facing)[0] * sx + (*s.facing)[1] * sy;
        EXPECT_TRUE(hour == 12.0 ? faceSun > 0.5 : faceSun < -0.5) << faceSun;
    }
    const auto at = [](int m, int d, int h) {
        return view::orbitScene(catalog::ephemerisTables(), astro::localToJdUt({2026, m, d}, h * 3600.0, kJst), 35.65, 139.75,
                                180.0, std::nullopt, kJst);
    };
    EXPECT_EQ(at(3, 3, 20).eclipse, view::EclipseHint::Lunar);
    EXPECT_EQ(at(8, 13, 3).eclipse, view::EclipseHint::Solar);
    EXPECT_EQ(at(8, 15, 19).eclipse, view::EclipseHint::None);
    EXPECT_EQ(at(3, 19, 12).eclipse, view::EclipseHint::None);  // new Moon, no eclipse
    const view::OrbitScene lunar = at(3, 3, 20);
    EXPECT_NEAR(lunar.moonElongationDeg, 180.0, 1.0);
    EXPECT_GT(lunar.moonIllum, 0.99);
    // A moment that is no number draws a page all the same.
    viewtest::RecordingPainter page;
    view::drawOrbitView(view::orbitScene(catalog::ephemerisTables(), NAN, NAN, NAN, NAN, astro::Planet::Earth, kJst),
                        view::OrbitExtent::Neptune, page);
    for (const auto& c : page.calls) EXPECT_TRUE(std::isfinite(c.x1) && std::isfinite(c.y1) && std::isfinite(c.radius));
}

}  // namespace
