// The Qt painter and the renderer checked on real pixels.
#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <cmath>
#include <utility>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "app/output/qt_painter_gui.h"
#include "astro/astro.h"
#include "view/moon.h"
#include "view/picture.h"
#include "view/sky_view.h"
#include "view/sky_fixture.h"  // tests/view

namespace {

const QColor kNightBackground(32, 96, 192);
const QColor kNightText(197, 197, 197);
const QColor kDayBackground(0, 144, 255);

QColor toQ(view::Rgb c) { return QColor(c.r, c.g, c.b); }

QImage surface(double scale) {
    return QImage(static_cast<int>(std::ceil(977 * scale)), static_cast<int>(std::ceil(625 * scale)),
                  QImage::Format_RGB32);
}

QImage render(const astro::SkyState& sky, const catalog::Catalogue& cat, const view::ViewOptions& opt, double scale,
              QColor background) {
    QImage img = surface(scale);
    app::QtPainter painter(img, scale, background, kNightText);
    view::MeteorRng rng(1);
    view::drawView(view::Direction::South, sky, cat, opt, rng, painter);
    return img;
}

int countColour(const QImage& img, int row, QColor c) {
    int n = 0;
    for (int x = 0; x < img.width(); ++x) n += QColor(img.pixel(x, row)) == c ? 1 : 0;
    return n;
}

TEST(Render, HorizonLineRunsAlongItsRowAtEveryScale) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    astro::SkyState sky = viewtest::poleSky(-20.0);
    sky.obsLatDeg = 35.65;
    sky.obsLonDeg = 139.75;
    for (double scale : {1.0, 2.0}) {
        const QImage img = render(sky, cat, {}, scale, kNightBackground);
        const int row = static_cast<int>(9000 * scale / 15.0);
        const int onRow = countColour(img, row, toQ(view::kHorizonColour));
        EXPECT_GT(onRow, img.width() * 9 / 10) << "scale " << scale;
        EXPECT_EQ(countColour(img, row - 3, toQ(view::kHorizonColour)), 0);
    }
}

// Marks of one design pixel grow with the picture: the equator, ecliptic and
// grid dots cover about four times the pixels at scale 2, so the circles stay
// visible; and every mark follows one rounding rule, so a dot, a disc too
// small to be round and the ends of a line at the same twips share a pixel.
TEST(Render, ThinMarksScaleAndShareOneRoundingRule) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    astro::SkyState sky = astro::computeSky({.year = 2026, .month = 1, .day = 15, .hour = 22, .minute = 0,
                                             .latDeg = 35.65, .lonDeg = 139.75});
    view::ViewOptions lines;
    lines.equator = lines.ecliptic = lines.altAzLines = true;
    std::array<long, 2> marked{};
    for (int i = 0; i < 2; ++i) {
        const double scale = i + 1.0;
        const QImage with = render(sky, cat, lines, scale, kNightBackground);
        const QImage without = render(sky, cat, {}, scale, kNightBackground);
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x) marked[i] += with.pixel(x, y) != without.pixel(x, y);
    }
    EXPECT_GT(marked[0], 1000);
    EXPECT_NEAR(static_cast<double>(marked[1]) / static_cast<double>(marked[0]), 4.0, 0.4);

    for (double scale : {1.0, 1.5, 3.0}) {
        QImage img = surface(scale);
        img.fill(Qt::black);
        {
            app::QtPainter p(img, scale, Qt::black, Qt::white);
            p.point(1007.0f, 1507.0f, {255, 0, 0});
            p.disc(3007.0f, 1507.0f, 3.0f, {0, 255, 0});
            p.line(5007.0f, 1507.0f, 6007.0f, 1507.0f, {0, 0, 255});
        }
        const int n = std::max(1, static_cast<int>(std::lround(scale)));
        const int py = static_cast<int>(std::floor(1507.0 * scale / 15.0));
        for (auto [x, colour] : {std::pair{1007.0, QColor(255, 0, 0)}, std::pair{3007.0, QColor(0, 255, 0)},
                                 std::pair{5007.0, QColor(0, 0, 255)}}) {
            const int px = static_cast<int>(std::floor(x * scale / 15.0));
            for (int dy = 0; dy < n; ++dy)
                for (int dx = 0; dx < n; ++dx)
                    EXPECT_EQ(QColor(img.pixel(px + dx, py + dy)), colour) << scale << " at " << x;
            EXPECT_NE(QColor(img.pixel(px, py - 1)), colour) << scale << " at " << x;
            EXPECT_NE(QColor(img.pixel(px, py + n)), colour) << scale << " at " << x;
        }
    }
}

TEST(Render, SunDiscSitsAtItsProjectedPosition) {
    astro::SkyState sky = viewtest::poleSky(30.0);
    sky.bodyAzDeg[astro::Sun] = 200.0;
    const QImage img = render(sky, viewtest::emptyCatalogue(), {}, 1.0, kDayBackground);
    const view::PicturePoint at = view::toPicture(view::project(view::Direction::South, 30.0, 200.0));
    const int px = static_cast<int>(at.x / 15.0), py = static_cast<int>(at.y / 15.0);
    EXPECT_EQ(QColor(img.pixel(px, py)), toQ(view::kBodyColour));
    // Radius 150 twips = 10 pixels: 6 pixels away still inside, 14 outside.
    EXPECT_EQ(QColor(img.pixel(px + 6, py)), toQ(view::kBodyColour));
    EXPECT_EQ(QColor(img.pixel(px + 14, py)), kDayBackground);
    EXPECT_EQ(QColor(img.pixel(5, 5)), kDayBackground);
}

TEST(Render, MoonLitPartFollowsThePhase) {
    for (double k : {0.0, 0.5, 1.0}) {
        QImage img = surface(1.0);
        {
            app::QtPainter painter(img, 1.0, kNightBackground, kNightText);
            painter.clear();
            view::drawMoon(3000.0f, 3000.0f, k, 0.0, painter);
        }
        const QColor centreAbove(img.pixel(200, 196));  // 4 px above the centre
        const QColor centreBelow(img.pixel(200, 204));
        if (k == 0.0) {
            EXPECT_EQ(centreAbove, kNightBackground);
            EXPECT_EQ(centreBelow, kNightBackground);
        } else if (k == 0.5) {
            EXPECT_EQ(centreAbove, toQ(view::kMoonLitColour));
            EXPECT_EQ(centreBelow, kNightBackground);
        } else {
            EXPECT_EQ(centreAbove, toQ(view::kMoonLitColour));
            EXPECT_EQ(centreBelow, toQ(view::kMoonLitColour));
        }
    }
}

TEST(Render, LabelsAreDrawnInTheTextColourBelowTheHorizon) {
    const QImage img = render(viewtest::poleSky(-20.0), viewtest::emptyCatalogue(), {}, 1.0, kNightBackground);
    int textPixels = 0;
    for (int y = 606; y < 625; ++y)
        for (int x = 463; x < 480; ++x) {
            // Glyph edges are smoothed: count pixels lit well toward the text colour.
            const QColor c(img.pixel(x, y));
            textPixels += (c.red() > 150 && c.green() > 150) ? 1 : 0;
        }
    EXPECT_GT(textPixels, 5) << "the middle label 南";
}

TEST(Render, PainterDropsWhatCannotBeDrawn) {
    QImage img = surface(1.0);
    {
        app::QtPainter p(img, 1.0, kNightBackground, kNightText);
        p.clear();
        p.line(NAN, 0, 100, 100, {255, 0, 0});
        p.line(0, 0, INFINITY, 100, {255, 0, 0});
        p.line(0, 0, 1e30f, 1e30f, {255, 0, 0});
        p.disc(NAN, 100, 50, {255, 0, 0});
        p.disc(100, 100, NAN, {255, 0, 0});
        p.point(-1e20f, 5, {255, 0, 0});
        p.point(100000, 100000, {255, 0, 0});
        p.setTextPosition(NAN, 0);
        p.text("南");
        p.point(15, 15, {255, 0, 0});
    }
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) red += QColor(img.pixel(x, y)) == QColor(255, 0, 0) ? 1 : 0;
    EXPECT_EQ(red, 1);
    EXPECT_EQ(QColor(img.pixel(1, 1)), QColor(255, 0, 0));
}

TEST(Render, ClearRepaintsTheWholeSurface) {
    QImage img = surface(1.0);
    app::QtPainter p(img, 1.0, kNightBackground, kNightText);
    p.clear();
    p.line(0, 0, 14000, 9000, {255, 255, 255});
    p.clear();
    EXPECT_EQ(QColor(img.pixel(500, 321)), kNightBackground);
    EXPECT_EQ(QColor(img.pixel(976, 624)), kNightBackground);
}

// Each test runs in its own process and ctest runs them side by side, so
// the files carry the process id and the test name.
std::string tempFile(const std::string& stem) {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + stem + "_" + std::to_string(::getpid()) + "_" +
           (info ? info->name() : "none") + ".tmp";
}

int run(const std::string& args, std::string* err = nullptr) {
    const std::string errFile = tempFile("render_err");
    const std::string cmd = std::string(PLANETARIUM_PROGRAM) + " " + args + " 2>" + errFile;
    const int status = std::system(cmd.c_str());
    if (err) {
        *err = {};
        if (FILE* f = std::fopen(errFile.c_str(), "r")) {
            char buf[512];
            while (std::fgets(buf, sizeof buf, f)) *err += buf;
            std::fclose(f);
        }
    }
    std::remove(errFile.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The program itself: the PNG has the drawing surface's size and the night
// colours at night; a file that cannot be written is one line and status 1
// (status 2 is for a command line that is refused before any work).
TEST(RenderProgram, WritesThePictureOfTheWindowSurface) {
    const std::string png = tempFile("orion") + ".png";
    ASSERT_EQ(run("--render " + png +
                  " --at '2026-01-15 22:00' --place 東京 --show constellations --constellations オリオン座"
                  " --seed 3"),
              0);
    QImage img(QString::fromStdString(png));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 977);
    EXPECT_EQ(img.height(), 625);
    EXPECT_EQ(QColor(img.pixel(3, 3)), kNightBackground);
    EXPECT_GT(countColour(img, 600, toQ(view::kHorizonColour)), 800);

    ASSERT_EQ(run("--render " + png + " --at '2026-01-15 12:00' --place 東京 --scale 2"), 0);
    img = QImage(QString::fromStdString(png));
    EXPECT_EQ(img.width(), 1954);
    EXPECT_EQ(QColor(img.pixel(3, 3)), kDayBackground);
    std::remove(png.c_str());
}

TEST(RenderProgram, UnwritableFileIsOneLineAndStatusOne) {
    std::string err;
    EXPECT_EQ(run("--render /nonexistent-dir/sky.png --at '2026-01-15 22:00' --place 東京", &err), 1);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("/nonexistent-dir/sky.png"), std::string::npos);
}

}  // namespace
