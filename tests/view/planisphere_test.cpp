// The planisphere against the sky it stands for. Set as a user sets it (the
// date on the disc against the time on the mask), every catalogue star lies
// inside the cut-out window exactly when the sky has it above the horizon
// (stars within 1 mm of the window's edge on the page aside), and where the
// mask shows it (the altitude and azimuth of its point in the window) lands
// on the printed all-sky chart within 2 mm of where that chart draws it.
// Sampled every 41 days from 2024 to 2030, every 2 h 50 min, for
// places from 14 to 64 degrees north and 33 to 37 degrees south.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/astro.h"
#include "astro/calendar.h"
#include "catalog/catalog.h"
#include "view/chart_style.h"
#include "view/horizontal.h"
#include "view/planisphere.h"
#include "view/zenith_projector.h"
#include "recording_painter.h"

namespace {

bool insidePolygon(const std::vector<view::MmPoint>& poly, view::MmPoint p) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i].y > p.y) != (poly[j].y > p.y) &&
            p.x < (poly[j].x - poly[i].x) * (p.y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
            in = !in;
    }
    return in;
}

double distanceToEdge(const std::vector<view::MmPoint>& poly, view::MmPoint p) {
    double best = INFINITY;
    for (std::size_t i = 1; i < poly.size(); ++i) {
        const view::MmPoint a = poly[i - 1], b = poly[i];
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        const double t = len2 > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    return best;
}

// Millimetres per twip of the all-sky chart on its A4 landscape page (277 x
// 190 mm inside the margins, the paper frame fitted into it).
double chartMmPerTwip() {
    return std::min(277.0 / view::kPaperFrame.widthTwips, 190.0 / view::kPaperFrame.heightTwips);
}

struct Place {
    const char* name;
    double lat, lon, zoneHours;
};

TEST(Planisphere, WindowShowsExactlyTheStarsAboveTheHorizonWhereTheAllSkyChartHasThem) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const Place places[] = {{"東京", 35.6581, 139.7414, 9},      {"札幌", 43.0642, 141.3469, 9},
                            {"那覇", 26.2124, 127.6809, 9},      {"マニラ", 14.5995, 120.9842, 8},
                            {"レイキャビク", 64.1466, -21.9426, 0}, {"シドニー", -33.8688, 151.2093, 10},
                            {"オークランド", -36.8485, 174.7633, 12}};
    const view::Projector& chart = view::zenithProjector();
    const double mmPerTwip = chartMmPerTwip();
    long checked = 0, nearEdge = 0, wrongSide = 0;
    double worstMm = 0.0;
    for (const Place& pl : places) {
        std::string why;
        const auto p = view::planisphereFor(pl.lat, pl.lon, pl.zoneHours, why);
        ASSERT_TRUE(p) << pl.name << ": " << why;
        EXPECT_EQ(p->south, pl.lat < 0.0);
        const std::vector<view::MmPoint> window = view::windowOutline(*p);
        for (double jd0 = astro::ymdYD(2024, 1, 1.0); jd0 < astro::ymdYD(2031, 1, 1.0); jd0 += 41.0) {
            for (int minutes = 0; minutes < 24 * 60; minutes += 170) {
                // The local (zone) date and time the user sets, and the same instant in JST.
                const double jdUt = jd0 + (minutes / 60.0 - pl.zoneHours) / 24.0;
                const astro::CalendarDate local = astro::ydYMD(jd0 + minutes / 1440.0);
                const astro::CalendarDate jst = astro::ydYMD(jdUt + 9.0 / 24.0);
                const astro::SkyState sky = astro::computeSky(
                    {jst.year, jst.month, static_cast<double>(jst.day), static_cast<double>(jst.hour),
                     jst.minute + jst.second / 60.0, pl.lat, pl.lon});
                const double turn = view::discTurnDeg(*p, local.month, local.day, local.hour, local.minute);
                for (std::size_t k = 1; k < cat.stars.size() && k <= static_cast<std::size_t>(catalog::kStarCount); ++k) {
                    const catalog::Star& s = cat.stars[k];
                    const astro::Horizontal hz = view::horizontal(sky, s.raHours, s.decDeg);
                    const view::MmPoint at = view::windowPoint(*p, s.raHours, s.decDeg, turn);
                    // Stars the disc does not carry stay under the mask.
                    const bool onDisc = p->south ? s.decDeg <= p->starLimitDeg : s.decDeg >= p->starLimitDeg;
                    if (!onDisc) {
                        EXPECT_LE(hz.altDeg, 0.5) << pl.name << " HR " << s.hr << " is up but not on the disc";
                        continue;
                    }
                    // (6 degrees from the horizon is several millimetres from the edge.)
                    if (std::fabs(hz.altDeg) < 6.0 && distanceToEdge(window, at) < 1.0) {
                        ++nearEdge;
                        continue;
                    }
                    ++checked;
                    const bool inWindow = insidePolygon(window, at);
                    if (inWindow != (hz.altDeg > 0.0)) {
                        ++wrongSide;
                        ADD_FAILURE() << pl.name << " " << local.year << "-" << local.month << "-" << local.day << " "
                                      << local.hour << ":" << local.minute << " HR " << s.hr << " alt " << hz.altDeg;
                        continue;
                    }
                    if (!inWindow) continue;
                    const auto shown = view::maskSkyAt(*p, at);
                    ASSERT_TRUE(shown);
                    const view::PicturePoint a = chart.place(shown->altDeg, shown->azDeg).at;
                    const view::PicturePoint b = chart.place(hz.altDeg, hz.azDeg).at;
                    worstMm = std::max(worstMm, std::hypot(a.x - b.x, a.y - b.y) * mmPerTwip);
                }
            }
        }
    }
    std::printf("planisphere: %ld star placements checked (%ld within 1 mm of the edge left out), %ld on the wrong "
                "side, largest distance on the all-sky chart %.2f mm\n",
                checked, nearEdge, wrongSide, worstMm);
    EXPECT_GT(checked, 500000) << "the sample";
    EXPECT_EQ(wrongSide, 0);
    EXPECT_LE(worstMm, 2.0);
}

// The mask's geometry: the pin is the pole, the zenith lies toward the
// bottom (south in the north, north in the south), east is on the left in
// the north and on the right in the south, and the longitude correction is
// four minutes a degree (東京 19 minutes ahead of 135 E).
TEST(Planisphere, MaskOrientationAndLongitudeCorrection) {
    std::string why;
    const auto tokyo = view::planisphereFor(35.6581, 139.7414, 9.0, why);
    const auto sydney = view::planisphereFor(-33.8688, 151.2093, 10.0, why);
    ASSERT_TRUE(tokyo && sydney);
    EXPECT_EQ(view::longitudeCorrectionMinutes(*tokyo), 19);
    EXPECT_EQ(view::longitudeCorrectionMinutes(*sydney), 5);
    for (const auto* p : {&*tokyo, &*sydney}) {
        const std::vector<view::MmPoint> edge = view::windowOutline(*p);
        const view::MmPoint east = edge[90], west = edge[270];
        const view::MmPoint towardEquator = edge[p->south ? 0 : 180];
        EXPECT_GT(towardEquator.y, p->centre.y + 40.0) << "the horizon beyond the zenith is at the bottom";
        if (p->south) {
            EXPECT_GT(east.x, west.x);
        } else {
            EXPECT_LT(east.x, west.x);
        }
        const auto pole = view::maskSkyAt(*p, {p->centre.x, p->centre.y + 1e-6});
        ASSERT_TRUE(pole);
        EXPECT_NEAR(pole->altDeg, std::fabs(p->latDeg), 0.01);
        // Each edge point is on the horizon, at its own azimuth.
        for (int az = 0; az < 360; az += 30) {
            const auto sky = view::maskSkyAt(*p, edge[static_cast<std::size_t>(az)]);
            ASSERT_TRUE(sky);
            EXPECT_NEAR(sky->altDeg, 0.0, 1e-6) << az;
            EXPECT_NEAR(std::remainder(sky->azDeg - az, 360.0), 0.0, 1e-6) << az;
        }
    }
}

// The mask as a pupil cuts it: its rim is a dashed cut line that no hour
// tick touches, and the pin's mark (a ring round a cross) is the only cross
// on the page; the zenith is a dot.
TEST(Planisphere, TheMaskHasACutLineAndOnePinMark) {
    std::string why;
    const auto tokyo = view::planisphereFor(35.6581, 139.7414, 9.0, why);
    ASSERT_TRUE(tokyo);
    viewtest::RecordingPainter rec;
    view::drawHorizonMask(*tokyo, "東京", rec);
    constexpr double kMm = view::kTwipsPerMm;
    const double cx = tokyo->centre.x * kMm, cy = tokyo->centre.y * kMm, rim = tokyo->maskRadiusMm * kMm;
    const auto radius = [&](double x, double y) { return std::hypot(x - cx, y - cy); };
    bool dashedRim = false;
    int pinRings = 0;
    for (const viewtest::Call& c : rec.calls) {
        if (c.op != viewtest::Op::Polyline || c.points.empty()) continue;
        const double r = radius(c.points.front().x, c.points.front().y);
        if (std::fabs(r - rim) < 1.0 && c.lineStyle == view::LineStyle::Dashed) dashedRim = true;
        if (std::fabs(r - 2.0 * kMm) < 1.0) ++pinRings;
    }
    EXPECT_TRUE(dashedRim);
    EXPECT_EQ(pinRings, 1);
    // Crosses: a horizontal and a vertical line of the same length meeting
    // at their middles.
    std::vector<std::pair<double, double>> crossAt;
    for (const viewtest::Call& h : rec.calls) {
        if (h.op != viewtest::Op::Line) continue;
        EXPECT_LT(std::max(radius(h.x1, h.y1), radius(h.x2, h.y2)), rim - 1.0 * kMm) << "a line reaches the cut line";
        if (h.y1 != h.y2) continue;
        for (const viewtest::Call& v : rec.calls)
            if (v.op == viewtest::Op::Line && v.x1 == v.x2 && std::fabs(v.x1 - (h.x1 + h.x2) / 2) < 1 &&
                std::fabs((v.y1 + v.y2) / 2 - h.y1) < 1)
                crossAt.emplace_back((h.x1 + h.x2) / 2, h.y1);
    }
    ASSERT_EQ(crossAt.size(), 1u);
    EXPECT_NEAR(crossAt[0].first, cx, 1.0);
    EXPECT_NEAR(crossAt[0].second, cy, 1.0);
    std::string text;
    for (const viewtest::Call& c : rec.calls)
        if (c.op == viewtest::Op::Text) text += c.text + "\n";
    for (const char* part : {"切り取り線", "ピン", "天頂", "東京（東経139.74°）で使うように合わせてあります"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.find("分点"), std::string::npos);
}

TEST(Planisphere, LatitudesNearTheEquatorOrAPoleAreRefusedWithAReason) {
    for (const double lat : {0.0, 9.9, -9.9, 80.1, -85.0, 90.0, std::nan("")}) {
        std::string why;
        EXPECT_FALSE(view::planisphereFor(lat, 135.0, 9.0, why)) << lat;
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(why.find('\n'), std::string::npos);
    }
    std::string why;
    EXPECT_TRUE(view::planisphereFor(10.0, 0.0, 0.0, why));
    EXPECT_TRUE(view::planisphereFor(-80.0, 0.0, 0.0, why));
    view::planisphereFor(3.0, 0.0, 0.0, why);
    EXPECT_NE(why.find("赤道"), std::string::npos);
    view::planisphereFor(85.0, 0.0, 0.0, why);
    EXPECT_NE(why.find("極"), std::string::npos);
}

}  // namespace
