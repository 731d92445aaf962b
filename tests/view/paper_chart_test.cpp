// The paper chart: what changes from the screen picture (colours, outlines,
// dash patterns, the Moon's shape) and what must not (positions, sizes,
// labels), and the title line, legend and name around it.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "recording_painter.h"
#include "sky_fixture.h"
#include "view/chart_style.h"
#include "view/label_placer.h"
#include "view/moon.h"
#include "view/paper_chart.h"
#include "view/sky_view.h"

namespace {

using namespace viewtest;

// Every body up at night, two labelled stars, one figure, every box ticked.
struct Night {
    astro::SkyState sky = poleSky(-20.0);
    catalog::Catalogue cat = emptyCatalogue();
    view::ViewOptions opt;
    Night() {
        const double az[] = {0, 150, 165, 175, 185, 195};
        for (int b = 1; b < astro::kBodyCount; ++b) {
            sky.bodyAltDeg[b] = 20.0 + b;
            sky.bodyAzDeg[b] = az[b];
        }
        const int s1 = addStar(cat, 30.0, 170.0, "Alpha", 0.5);
        const int s2 = addStar(cat, 35.0, 190.0, "Beta", 3.5);
        cat.constellations[13].nodes = {static_cast<std::int16_t>(s1), static_cast<std::int16_t>(s2), 0};
        opt.selected[13] = true;
        opt.equator = opt.ecliptic = opt.altAzLines = opt.starNames = opt.constellations = true;
    }
    RecordingPainter draw(view::ChartStyle style) const {
        view::ViewOptions o = opt;
        o.style = style;
        RecordingPainter p;
        view::MeteorRng rng(1);
        view::drawView(view::Direction::South, sky, cat, o, rng, p);
        return p;
    }
};

bool isGrey(view::Rgb c) { return c.r == c.g && c.g == c.b; }

TEST(PaperChart, SameDiscsAndLabelsAsTheScreenInBlackWhiteAndGrey) {
    const Night n;
    const RecordingPainter screen = n.draw(view::ChartStyle::Screen);
    const RecordingPainter paper = n.draw(view::ChartStyle::Print);

    // Same discs at the same places with the same radii; only colours differ.
    const auto sd = screen.of(Op::Disc), pd = paper.of(Op::Disc);
    ASSERT_EQ(sd.size(), 6u);  // Sun below: Venus, Mars, Jupiter, Saturn, two stars
    ASSERT_EQ(pd.size(), sd.size() + 1);  // + the Moon's dark disc
    std::size_t j = 0;
    for (const Call& c : pd) {
        if (c.radius == float(view::kPaperMoonRadiusTwips)) continue;
        ASSERT_LT(j, sd.size());
        EXPECT_EQ(c.x1, sd[j].x1);
        EXPECT_EQ(c.y1, sd[j].y1);
        EXPECT_EQ(c.radius, sd[j].radius);
        EXPECT_EQ(c.colour, (view::Rgb{0, 0, 0}));  // black outline or black star
        ++j;
    }
    // Every colour on paper is a grey (or black or white); none of the screen's.
    for (const Call& c : paper.calls) {
        if (c.op == Op::Line || c.op == Op::Disc || c.op == Op::Point || c.op == Op::Fill || c.op == Op::Polyline ||
            c.op == Op::Polygon) {
            EXPECT_TRUE(isGrey(c.colour)) << int(c.op) << " " << int(c.colour.r) << "," << int(c.colour.g);
        }
    }
    // The same names, placed on paper so that no two meet.
    std::multiset<std::string> st, pt;
    for (const auto& l : screen.labels()) st.insert(l.text);
    for (const auto& l : paper.labels()) pt.insert(l.text);
    EXPECT_EQ(st, pt);
    const auto pl = paper.labels();
    for (std::size_t i = 0; i < pl.size(); ++i)
        for (std::size_t j = i + 1; j < pl.size(); ++j)
            EXPECT_FALSE(view::overlaps(view::labelBox(pl[i].x, pl[i].y, pl[i].text, view::kLargeNameScale),
                                        view::labelBox(pl[j].x, pl[j].y, pl[j].text, view::kLargeNameScale)))
                << pl[i].text << " / " << pl[j].text;
}

TEST(PaperChart, BodiesCarryTheirNamesEvenWithoutStarNames) {
    Night n;
    n.opt.starNames = false;
    std::set<std::string> paper, screen;
    for (const auto& l : n.draw(view::ChartStyle::Print).labels()) paper.insert(l.text);
    for (const auto& l : n.draw(view::ChartStyle::Screen).labels()) screen.insert(l.text);
    for (const char* body : {"月", "金星", "火星", "木星", "土星"}) {
        EXPECT_TRUE(paper.count(body)) << body;
        EXPECT_FALSE(screen.count(body)) << body;
    }
    EXPECT_FALSE(paper.count("Alpha"));  // star names stay optional
}

TEST(PaperChart, CirclesAndGridAreLinesToldApartByDashPattern) {
    const Night n;
    const RecordingPainter paper = n.draw(view::ChartStyle::Print);
    EXPECT_TRUE(paper.of(Op::Point).empty()) << "no dots on paper";
    std::set<view::LineStyle> styles;
    const RecordingPainter screen = n.draw(view::ChartStyle::Screen);
    std::set<std::pair<float, float>> dots;
    for (const Call& c : screen.of(Op::Point, view::kGridColourNight)) dots.insert({c.x1, c.y1});
    std::size_t gridVertices = 0;
    for (const Call& c : paper.of(Op::Polyline)) {
        styles.insert(c.lineStyle);
        if (c.lineStyle == view::kPaperGridLine) {
            // The dotted grid runs through the screen's grid dots.
            for (const view::Vertex& v : c.points) EXPECT_TRUE(dots.count({v.x, v.y}));
            gridVertices += c.points.size();
        }
        for (const view::Vertex& v : c.points) {
            EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
            EXPECT_LE(v.y, 9000.0f) << "above the horizon";
            EXPECT_GT(std::fabs(v.x), 0.0f);
        }
    }
    EXPECT_EQ(styles, (std::set<view::LineStyle>{view::kPaperGridLine, view::kPaperEquatorLine,
                                                 view::kPaperEclipticLine}));
    EXPECT_GT(gridVertices, dots.size() * 95 / 100);
    // Lines after the circles (figures, the horizon of the next picture) are solid again.
    const auto lastStyle = paper.of(Op::LineStyle).back();
    EXPECT_EQ(lastStyle.lineStyle, view::LineStyle::Solid);
    // The screen picture keeps its dots and never changes the line style.
    EXPECT_TRUE(screen.of(Op::LineStyle).empty());
    EXPECT_TRUE(screen.of(Op::Polyline).empty());
    EXPECT_FALSE(screen.of(Op::Point).empty());
}

double shoelaceArea(const std::vector<view::Vertex>& pts) {
    double a = 0.0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const view::Vertex& p = pts[i];
        const view::Vertex& q = pts[(i + 1) % pts.size()];
        a += double(p.x) * q.y - double(q.x) * p.y;
    }
    return std::fabs(a) / 2.0;
}

// The lit shape covers the illuminated fraction of the disc, lies inside it,
// and its bright limb faces the limb angle.
TEST(PaperChart, MoonLitShapeCoversTheIlluminatedFraction) {
    const double r = view::kPaperMoonRadiusTwips;
    const double disc = 3.14159265358979 * r * r;
    // A two-day crescent (k 0.02) is drawn at the thinnest lit fraction.
    for (double k : {0.02, 0.1, 0.25, 0.5, 0.75, 1.0}) {
        for (double phi : {0.0, 90.0, 233.0}) {
            RecordingPainter p;
            view::drawPaperMoon(5000.0f, 4000.0f, k, phi, p);
            ASSERT_EQ(p.of(Op::Disc).size(), 1u);
            EXPECT_EQ(p.of(Op::Disc)[0].radius, float(r));
            const auto poly = p.of(Op::Polygon);
            ASSERT_EQ(poly.size(), 1u);
            EXPECT_NEAR(shoelaceArea(poly[0].points) / disc, std::max(k, view::kThinnestLitFraction), 0.01)
                << "k " << k << " phi " << phi;
            double cx = 0, cy = 0;
            for (const view::Vertex& v : poly[0].points) {
                EXPECT_LE(std::hypot(v.x - 5000.0, v.y - 4000.0), r + 0.01);
                cx += v.x - 5000.0;
                cy += v.y - 4000.0;
            }
            if (k < 1.0) {
                // The shape's centre of vertices leans toward the bright limb:
                // up for 0, left for 90 (picture y grows downward).
                const double dir = std::atan2(-cy, cx) * 180.0 / 3.14159265358979;
                double diff = std::fmod(dir - (phi + 90.0) + 720.0, 360.0);
                if (diff > 180.0) diff -= 360.0;
                EXPECT_NEAR(diff, 0.0, 1.0) << "k " << k << " phi " << phi;
            }
        }
    }
    RecordingPainter newMoon;
    view::drawPaperMoon(5000.0f, 4000.0f, 0.0, 0.0, newMoon);
    EXPECT_TRUE(newMoon.of(Op::Polygon).empty());
    EXPECT_EQ(newMoon.of(Op::Disc).size(), 1u);
}

TEST(PaperChart, TitleLineNamesMomentPlaceAndDirection) {
    view::ChartHeading h;
    h.moment = {2026, 1, 15, 22, 5};
    h.placeName = "東京";
    h.latDeg = 35.65;
    h.lonDeg = 139.75;
    EXPECT_EQ(view::chartTitle(h), "2026年1月15日 22:05 日本時間　東京　北緯35.65° 東経139.75°　南の空");

    h.placeName = "ニューデリー ";  // the place table keeps a trailing blank
    h.latDeg = -23.5;
    h.lonDeg = -46.6249;
    h.direction = view::Direction::North;
    h.localClock = astro::CivilMinute{2026, 1, 15, 10, 5};
    EXPECT_EQ(view::chartTitle(h),
              "2026年1月15日 22:05 日本時間（現地時間 1月15日 10:05）　ニューデリー　南緯23.5° 西経46.625°　北の空");

    h.placeName.clear();
    h.latDeg = std::nan("");
    h.localClock = astro::CivilMinute{2025, 12, 31, 23, 0};
    const std::string t = view::chartTitle(h);
    EXPECT_NE(t.find("（現地時間 2025年12月31日 23:00）"), std::string::npos) << t;
    EXPECT_NE(t.find("北緯?°"), std::string::npos) << t;
}

TEST(PaperChart, FrameHasTitleLegendAndNameInsideThePaperFrame) {
    view::ChartHeading h;
    RecordingPainter p;
    view::drawPaperFrame(h, p);
    const auto labels = p.labels();
    ASSERT_EQ(labels.size(), 1u + 5u + 1u);
    EXPECT_EQ(labels.front().text, view::chartTitle(h));
    EXPECT_EQ(labels.back().text, "プラネタリウム");
    const auto discs = p.of(Op::Disc);
    ASSERT_EQ(discs.size(), 5u);
    for (int m = 0; m <= 4; ++m) {
        EXPECT_EQ(labels[1 + m].text, std::to_string(m) + "等");
        EXPECT_EQ(discs[m].radius, view::starRadiusTwips(m));
        EXPECT_GT(discs[m].y1, 9300.0f);  // below the direction labels
        EXPECT_LT(discs[m].y1 + discs[m].radius, float(view::kPaperFrame.heightTwips));
    }
    EXPECT_LT(labels.front().y, 1800.0f);  // above the zenith, the sky's top
}

}  // namespace
