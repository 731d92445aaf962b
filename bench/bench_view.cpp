// One complete picture toward the south with everything on (lines, names,
// all 41 constellations, shooting stars, star patterns, clusters and
// nebulae, large names) painted into an image, the same for
// the all-sky circle, and the Moon alone for its share of it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <cstdlib>

#include "bench/counting_painter.h"
#include "app/output/qt_painter_gui.h"
#include "app/session/json_requests.h"
#include "astro/astro.h"
#include "view/free_projector.h"
#include "view/moon.h"
#include "view/sky_view.h"

namespace {

// 2026-01-03 23:00 JST over Tokyo: the full Moon high in the south-east and
// the Quadrantids active.
struct Scene {
    catalog::Catalogue cat = catalog::loadCatalogue();
    astro::SkyState sky;
    view::ViewOptions opt;
    Scene() {
        sky = astro::computeSky(
            {.year = 2026, .month = 1, .day = 3, .hour = 23, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75});
        opt.equator = opt.ecliptic = opt.altAzLines = opt.starNames = opt.constellations = opt.meteors = true;
        opt.asterisms = opt.deepSky = opt.largeNames = true;
        opt.selected.fill(true);
        opt.year = 2026;
        opt.month = 1;
        opt.day = 3;
        opt.stepMinutes = 15;
    }
};

const Scene& scene() {
    static const Scene s;
    return s;
}

void drawEverything(benchmark::State& state, view::Direction dir) {
    const double scale = static_cast<double>(state.range(0));
    const Scene& s = scene();
    QImage image(static_cast<int>(std::ceil(977 * scale)), static_cast<int>(std::ceil(625 * scale)),
                 QImage::Format_RGB32);
    view::MeteorRng rng(12345);
    for (auto _ : state) {
        app::QtPainter painter(image, scale, QColor(32, 96, 192), QColor(197, 197, 197));
        view::drawView(dir, s.sky, s.cat, s.opt, rng, painter);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_SouthViewEverythingOn(benchmark::State& state) { drawEverything(state, view::Direction::South); }
// The whole sky in one circle (--dir zenith), everything on.
void BM_AllSkyEverythingOn(benchmark::State& state) { drawEverything(state, view::Direction::Zenith); }
BENCHMARK(BM_AllSkyEverythingOn)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SouthViewEverythingOn)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

using benchsupport::CountingPainter;

// One step of a drag in the free view: a new look (the projector made
// anew), the picture with names, every figure, the grid and the horizon,
// the sky of the moment already computed (dragging does not move time).
// The target is 4 ms, so a Chromebook at a quarter of this speed holds 60
// frames a second.
void BM_FreeViewDragStep(benchmark::State& state) {
    const Scene& s = scene();
    view::ViewOptions opt = s.opt;
    opt.meteors = false;
    opt.style = view::ChartStyle::Natural;  // as the free view is drawn
    view::MeteorRng rng(12345);
    double az = 90.0;
    long calls = 0;
    for (auto _ : state) {
        az = std::fmod(az + 1.7, 360.0);
        const auto projector = view::freeProjector({az, 40.0, static_cast<double>(state.range(0))});
        CountingPainter painter;
        view::drawView(*projector, s.sky, s.cat, opt, rng, painter);
        calls = painter.calls;
        benchmark::DoNotOptimize(calls);
    }
    state.counters["drawCalls"] = static_cast<double>(calls);
}
BENCHMARK(BM_FreeViewDragStep)->Arg(60)->Arg(120)->Arg(180)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same picture, also recording what it drew where for pointing.
void BM_SouthViewEverythingOnRecorded(benchmark::State& state) {
    const double scale = static_cast<double>(state.range(0));
    const Scene& s = scene();
    QImage image(static_cast<int>(std::ceil(977 * scale)), static_cast<int>(std::ceil(625 * scale)),
                 QImage::Format_RGB32);
    view::MeteorRng rng(12345);
    view::DrawRecord record;
    record.viewport.pixelsPerTwip = scale / 15.0;
    for (auto _ : state) {
        app::QtPainter painter(image, scale, QColor(32, 96, 192), QColor(197, 197, 197));
        view::drawView(view::Direction::South, s.sky, s.cat, s.opt, rng, painter, &record);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["objects"] = static_cast<double>(record.objects.size());
}
BENCHMARK(BM_SouthViewEverythingOnRecorded)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One pointing question on that picture: which object is at a pixel. The
// pixels walk a grid over the whole picture, so hits and misses both count.
void BM_ObjectAtEverythingOn(benchmark::State& state) {
    const Scene& s = scene();
    QImage image(977, 625, QImage::Format_RGB32);
    view::MeteorRng rng(12345);
    view::DrawRecord record;
    {
        app::QtPainter painter(image, 1.0, QColor(32, 96, 192), QColor(197, 197, 197));
        view::drawView(view::Direction::South, s.sky, s.cat, s.opt, rng, painter, &record);
    }
    int i = 0;
    for (auto _ : state) {
        const double x = (i * 37) % 977;
        const double y = (i * 53) % 625;
        ++i;
        benchmark::DoNotOptimize(view::objectAt(record, x, y));
    }
    state.counters["objects"] = static_cast<double>(record.objects.size());
}
BENCHMARK(BM_ObjectAtEverythingOn)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MoonOnly(benchmark::State& state) {
    const double scale = static_cast<double>(state.range(0));
    const Scene& s = scene();
    QImage image(static_cast<int>(std::ceil(977 * scale)), static_cast<int>(std::ceil(625 * scale)),
                 QImage::Format_RGB32);
    for (auto _ : state) {
        app::QtPainter painter(image, scale, QColor(32, 96, 192), QColor(197, 197, 197));
        view::drawMoon(7000.0f, 4000.0f, s.sky.moonIllum, s.sky.moonLimbAngleDeg, painter);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_MoonOnly)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

// The browser's whole question for one drag step, answered natively: the
// request read, the sky of the moment, the free view in the natural style
// with names and every figure, and the draw list written as JSON.
void BM_FreeViewDrawListRequest(benchmark::State& state) {
    const catalog::Catalogue& cat = scene().cat;
    const app::ZoneLookup none = [](const std::string&) { return std::optional<astro::UtcOffsetFn>(); };
    double az = 90.0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        az = std::fmod(az + 1.7, 360.0);
        const std::string request =
            R"({"op": "drawList", "at": "2026-12-11 23:59", "place": "東京", "dir": "free", "look": {"az": )" +
            std::to_string(az) + R"(, "alt": 35}, "fov": 90, "show": ["names", "constellations"], "constellations": "all"})";
        const std::string list = app::answerJsonRequest(request, cat, none, std::chrono::system_clock::now());
        bytes = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["listBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FreeViewDrawListRequest)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
