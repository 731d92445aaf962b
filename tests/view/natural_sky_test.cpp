// The natural sky against the almanac: at each of the almanac's evening
// times (sunset, the ends of civil, nautical and astronomical twilight) the
// sky changes its light and the limiting magnitude stands at the rule's
// value, so the stars come out as the almanac says; the colours keep their
// order (dark night, blue day; blue-white Rigel, orange Betelgeuse).
#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <vector>

#include "astro/almanac.h"
#include "astro/astro.h"
#include "recording_painter.h"
#include "sky_fixture.h"
#include "view/free_projector.h"
#include "view/eclipse_picture.h"
#include "view/natural_sky.h"
#include "view/sky_view.h"
#include "catalog/ephemeris.h"

namespace {

// Tokyo, the evening of 2026-12-10, two days after new moon (its thin
// crescent sets before astronomical twilight ends).
constexpr double kLat = 35.65, kLon = 139.75;

astro::SkyState skyAt(const astro::AlmanacDay& day, double jdUt) {
    const double minutes = (jdUt - day.startJdUt) * 1440.0;
    return astro::computeSky({.year = day.date.year, .month = day.date.month, .day = static_cast<double>(day.date.day), .hour = 0.0,
                              .minute = minutes, .latDeg = kLat, .lonDeg = kLon});
}

TEST(NaturalSky, TheTwilightsAndTheLimitingMagnitudeFollowTheAlmanac) {
    const astro::AlmanacDay day =
        astro::almanacDay(catalog::ephemerisTables(), {2026, 12, 10}, kLat, kLon, astro::fixedUtcOffset(9 * 3600));
    struct Boundary {
        const char* name;
        std::optional<double> jdUt;
        view::SkyLight before, after;
        double limit;  // the rule's limiting magnitude there, Moon aside
    };
    const Boundary boundaries[] = {
        {"sunset", day.bodies[astro::Sun].set ? std::optional(day.bodies[astro::Sun].set->jdUt) : std::nullopt,
         view::SkyLight::Day, view::SkyLight::CivilTwilight, 0.0},
        {"civil", day.civil.endJdUt, view::SkyLight::CivilTwilight, view::SkyLight::NauticalTwilight, 1.5},
        {"nautical", day.nautical.endJdUt, view::SkyLight::NauticalTwilight, view::SkyLight::AstronomicalTwilight, 4.0},
        {"astronomical", day.astronomical.endJdUt, view::SkyLight::AstronomicalTwilight, view::SkyLight::Night, 6.0},
    };
    const double minute = 1.0 / 1440.0;
    for (const Boundary& b : boundaries) {
        ASSERT_TRUE(b.jdUt) << b.name;
        const astro::SkyState before = skyAt(day, *b.jdUt - minute), after = skyAt(day, *b.jdUt + minute);
        EXPECT_EQ(view::skyLight(before.bodyAltDeg[astro::Sun]), b.before) << b.name;
        EXPECT_EQ(view::skyLight(after.bodyAltDeg[astro::Sun]), b.after) << b.name;
        if (b.name == std::string("sunset")) continue;
        // The Moon is down or a thin crescent: the limit is the rule's.
        const astro::SkyState at = skyAt(day, *b.jdUt);
        EXPECT_NEAR(view::limitingMagnitude(at), b.limit, 0.1) << b.name;
    }
    // The limit only grows through the evening, and the sky only darkens.
    double lastLimit = -10.0;
    int lastBrightness = 1000;
    for (double jd = *boundaries[0].jdUt - 30 * minute; jd < *boundaries[3].jdUt + 30 * minute; jd += 5 * minute) {
        const astro::SkyState s = skyAt(day, jd);
        const double limit = view::limitingMagnitude(s);
        const view::Rgb c = view::naturalSkyColour(s.bodyAltDeg[astro::Sun]);
        EXPECT_GE(limit, lastLimit - 1e-9);
        EXPECT_LE(c.r + c.g + c.b, lastBrightness);
        lastLimit = limit;
        lastBrightness = c.r + c.g + c.b;
    }
}

TEST(NaturalSky, TheMoonBrightensTheSkyAndColoursKeepTheirOrder) {
    // A high full Moon costs two magnitudes, a low one less, a set one nothing.
    EXPECT_NEAR(view::limitingMagnitude(-30.0, 60.0, 1.0), 4.0, 1e-9);
    EXPECT_LT(view::limitingMagnitude(-30.0, 10.0, 1.0), 6.0);
    EXPECT_GT(view::limitingMagnitude(-30.0, 10.0, 1.0), 4.0);
    EXPECT_EQ(view::limitingMagnitude(-30.0, -5.0, 1.0), 6.0);
    EXPECT_EQ(view::limitingMagnitude(10.0, 60.0, 1.0), -4.0);
    EXPECT_EQ(view::limitingMagnitude(NAN, NAN, NAN), 6.0);
    // Rigel (B-V -0.03) bluer than Betelgeuse (1.85), which is redder than it.
    const view::Rgb rigel = view::starColourForBv(-0.03, true), betelgeuse = view::starColourForBv(1.85, true);
    EXPECT_GT(rigel.b, rigel.r);
    EXPECT_GT(betelgeuse.r, betelgeuse.b + 100);
    // Venus white and the largest; Mars red; Saturn gold.
    const view::Rgb mars = view::naturalBodyColour(astro::Mars), saturn = view::naturalBodyColour(astro::Saturn);
    EXPECT_GT(mars.r, mars.g + 100);
    EXPECT_GT(saturn.r, saturn.b + 60);
    EXPECT_GT(view::naturalStarRadiusTwips(-4.4), view::naturalStarRadiusTwips(-2.5));
    EXPECT_GT(view::naturalStarRadiusTwips(-1.46), view::naturalStarRadiusTwips(0.5));
    // Night is dark, day is blue.
    const view::Rgb night = view::naturalSkyColour(-30.0), noon = view::naturalSkyColour(50.0);
    EXPECT_LT(night.r + night.g + night.b, 40);
    EXPECT_GT(noon.b, noon.r + 100);
}

// At 16:40, ten minutes after sunset, the free view toward the south-west
// draws only what the twilight shows: no star fainter than the limit, the
// sky in twilight blue, the crescent Moon at its readable size.
TEST(NaturalSky, DuskShowsOnlyTheBrightest) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 12, .day = 11, .hour = 16.0, .minute = 40.0, .latDeg = kLat, .lonDeg = kLon});
    const double limit = view::limitingMagnitude(sky);
    EXPECT_LT(limit, 0.5);
    view::ViewOptions opt;
    opt.style = view::ChartStyle::Natural;
    opt.starNames = true;
    const auto projector = view::freeProjector({240.0, 20.0, 90.0});
    viewtest::RecordingPainter rec;
    view::MeteorRng rng(1);
    view::DrawRecord record;
    view::drawView(*projector, sky, cat, opt, rng, rec, nullptr, &record);
    for (const view::DrawnObject& o : record.objects)
        if (o.kind == view::DrawnKind::Star) {
            EXPECT_LE(o.mag, limit) << o.id;
        }
    // The first fill after clearing is the whole picture in the sky's or the
    // ground's colour, then the other side of the horizon.
    const auto polygons = rec.of(viewtest::Op::Polygon);
    ASSERT_GE(polygons.size(), 2u);
    EXPECT_TRUE(polygons[0].colour == view::naturalSkyColour(sky.bodyAltDeg[astro::Sun]) ||
                polygons[1].colour == view::naturalSkyColour(sky.bodyAltDeg[astro::Sun]));
    bool moon = false;
    for (const view::DrawnObject& o : record.objects)
        if (o.kind == view::DrawnKind::Moon) moon = o.radiusPx >= view::kReadableMoonRadiusTwips / 15.0f - 0.01f;
    EXPECT_TRUE(moon);
}

}  // namespace

// An eclipse's picture: the overlap of two discs is the lens between them
// (its area against the formula), and the Moon in the umbra is drawn
// darker the deeper it lies.
TEST(EclipsePicture, LensOfTwoDiscsAndTheUmbraDarkeningWithDepth) {
    const auto disc = [](double x, double y, double r) {
        std::vector<view::Vertex> v;
        for (int k = 0; k < 720; ++k)
            v.push_back({static_cast<float>(x + r * std::cos(k * M_PI / 360.0)), static_cast<float>(y + r * std::sin(k * M_PI / 360.0))});
        return v;
    };
    const auto area = [](const std::vector<view::Vertex>& v) {
        double a = 0.0;
        for (std::size_t i = 0; i < v.size(); ++i)
            a += double(v[i].x) * v[(i + 1) % v.size()].y - double(v[(i + 1) % v.size()].x) * v[i].y;
        return std::fabs(a) / 2.0;
    };
    // Two unit discs one radius apart: the lens is 2π/3 − √3/2.
    EXPECT_NEAR(area(view::convexIntersection(disc(0, 0, 1000), disc(1000, 0, 1000))) / 1e6, 2.0 * M_PI / 3.0 - std::sqrt(3.0) / 2.0, 1e-3);
    // Inside: the smaller whole; apart: nothing.
    EXPECT_NEAR(area(view::convexIntersection(disc(0, 0, 100), disc(10, 0, 1000))), M_PI * 1e4, 1.0);
    EXPECT_TRUE(view::convexIntersection(disc(0, 0, 100), disc(500, 0, 100)).empty());

    struct Fills final : view::Painter {
        std::vector<view::Rgb> fills;
        view::Rgb fill{};
        void clear() override {}
        void line(float, float, float, float, view::Rgb) override {}
        void disc(float, float, float, view::Rgb) override {}
        void point(float, float, view::Rgb) override {}
        void setTextPosition(float, float) override {}
        void text(std::string_view) override {}
        void setFillColour(view::Rgb c) override { fill = c; }
        void setFillStyleSolid() override {}
        void polygon(std::span<const view::Vertex>, view::Rgb) override { fills.push_back(fill); }
    };
    const auto umbraColour = [](double magnitude) {
        view::EclipseScene s;
        s.view.solar = false;
        s.view.bodyRadiusDeg = 0.26;
        s.view.umbraRadiusDeg = 0.70;
        s.view.penumbraRadiusDeg = 1.25;
        s.view.magnitude = magnitude;
        s.view.altDeg = 40.0;
        Fills f;
        view::drawEclipse(s, f);
        return f.fills.back();  // the lens of the Moon in the umbra, drawn last
    };
    const view::Rgb shallow = umbraColour(1.05), deep = umbraColour(1.8);
    EXPECT_GT(shallow.r + shallow.g + shallow.b, deep.r + deep.g + deep.b);
}
