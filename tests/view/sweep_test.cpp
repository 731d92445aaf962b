// Every drawing call receives finite coordinates, for any place, direction
// (the all-sky circle included), hour and body position, including the
// degenerate ones (poles, zenith, centre azimuths, the Sun exactly on the
// horizon, broken phase numbers).
#include <gtest/gtest.h>

#include <cmath>

#include "astro/astro.h"
#include "recording_painter.h"
#include "tests/support/checking_painter.h"
#include "view/sky_view.h"

namespace {

using testsupport::CheckingPainter;

view::ViewOptions everything() {
    view::ViewOptions opt;
    opt.equator = opt.ecliptic = opt.altAzLines = opt.starNames = opt.constellations = opt.meteors = true;
    opt.selected.fill(true);
    opt.year = 2026;
    opt.month = 8;
    opt.day = 12;
    opt.stepMinutes = 120;
    return opt;
}

TEST(FiniteSweep, HandMadeSkiesAtEveryPlaceDirectionAndHour) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const view::ViewOptions opt = everything();
    const double lats[] = {-90.0, -66.6, -35.0, 0.0, 35.65, 89.99, 90.0};
    const double bodyPlaces[][2] = {{0, 180}, {90, 0}, {45, 0}, {89.9999, 90}, {30, 270}, {0, 360}, {-90, 0}};
    long calls = 0;
    for (double lat : lats) {
        for (int hour = 0; hour < 24; hour += 3) {
            for (int dir = 0; dir < 5; ++dir) {  // the four quarters and the whole sky
                astro::SkyState sky;
                sky.obsLatDeg = lat;
                sky.obsLonDeg = 139.75;
                sky.siderealTimeHours = hour;
                for (int b = 0; b < astro::kBodyCount; ++b) {
                    const auto& bp = bodyPlaces[(b + hour / 3 + dir) % 7];
                    sky.bodyAltDeg[b] = bp[0];
                    sky.bodyAzDeg[b] = bp[1];
                }
                sky.bodyAltDeg[astro::Sun] = (hour % 2 == 0) ? -10.0 : 0.0;
                sky.moonIllum = (hour % 6) / 5.0;
                sky.moonLimbAngleDeg = hour * 15.0;
                CheckingPainter p;
                view::MeteorRng rng(static_cast<unsigned long long>(hour));
                view::drawView(static_cast<view::Direction>(dir), sky, cat, opt, rng, p);
                ASSERT_EQ(p.nonFinite, 0) << "lat " << lat << " hour " << hour << " dir " << dir;
                calls += p.calls;
            }
        }
    }
    EXPECT_GT(calls, 100000);
}

TEST(FiniteSweep, BrokenSkyNumbersNeverReachThePainter) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const view::ViewOptions opt = everything();
    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY), 1e300}) {
        astro::SkyState sky;
        sky.obsLatDeg = bad;
        sky.obsLonDeg = bad;
        sky.siderealTimeHours = bad;
        sky.bodyAltDeg.fill(bad);
        sky.bodyAzDeg.fill(bad);
        sky.moonIllum = bad;
        sky.moonLimbAngleDeg = bad;
        for (int dir = 0; dir < 5; ++dir) {  // the four quarters and the whole sky
            CheckingPainter p;
            view::MeteorRng rng(1);
            view::drawView(static_cast<view::Direction>(dir), sky, cat, opt, rng, p);
            EXPECT_EQ(p.nonFinite, 0) << bad << " " << dir;
        }
    }
}

TEST(FiniteSweep, ComputedSkiesOverPlacesAndHours) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const view::ViewOptions opt = everything();
    for (std::size_t place = 1; place < cat.places.size(); place += 5) {
        for (int hour = 0; hour < 24; hour += 4) {
            astro::SkyInput in;
            in.year = 2026;
            in.month = 8;
            in.day = 12;
            in.hour = hour;
            in.latDeg = cat.places[place].latDeg;
            in.lonDeg = cat.places[place].lonDeg;
            const astro::SkyState sky = astro::computeSky(in);
            for (int dir = 0; dir < 5; ++dir) {  // the four quarters and the whole sky
                CheckingPainter p;
                view::MeteorRng rng(static_cast<unsigned long long>(hour));
                view::drawView(static_cast<view::Direction>(dir), sky, cat, opt, rng, p);
                ASSERT_EQ(p.nonFinite, 0) << cat.places[place].name << " " << hour << " " << dir;
            }
        }
    }
}

}  // namespace
