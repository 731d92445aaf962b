// Time-lapse films: 24 frames of the full south view with everything on (all
// lines, names, all 41 figures, shooting stars) as PNG files, as a GIF and as
// an MP4; and one picture with four hours of star trails.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>

#include <sys/resource.h>

#include "app/output/film_export_gui.h"
#include "app/output/sky_picture_gui.h"
#include "catalog/catalog.h"

namespace {

const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

double processCpuSeconds() {
    double total = 0.0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        total += static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
                 static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
    }
    return total;
}

// 2026-01-03 23:00 JST over Tokyo (the full Moon, the Quadrantids), then
// every 15 minutes.
app::PictureRequest everythingOn() {
    app::PictureRequest pic;
    pic.input = {.year = 2026, .month = 1, .day = 3, .hour = 23, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75};
    pic.direction = view::Direction::South;
    pic.view.equator = pic.view.ecliptic = pic.view.altAzLines = pic.view.starNames = true;
    pic.view.constellations = pic.view.meteors = true;
    pic.view.selected.fill(true);
    pic.seed = 12345;
    return pic;
}

void BM_Film24Frames(benchmark::State& state, const char* name) {
    QTemporaryDir dir;
    app::FilmRequest film;
    film.first = everythingOn();
    film.frames = 24;
    film.everyMinutes = 15;
    film.path = dir.filePath(QString::fromUtf8(name));
    if (app::filmFormat(film.path) != app::FilmFormat::PngFrames && app::findFfmpeg().isEmpty()) {
        state.SkipWithError("ffmpeg is not installed");
        return;
    }
    // The PNG frames are compressed on several threads and films by ffmpeg:
    // the CPU time of this process's threads and of its finished children
    // shows the work when the machine is shared.
    const double before = processCpuSeconds();
    for (auto _ : state) {
        const app::FilmResult r = app::exportFilm(film, cat());
        if (!r.ok()) state.SkipWithError(r.error.toStdString().c_str());
    }
    state.counters["cpu_ms_all"] = benchmark::Counter((processCpuSeconds() - before) * 1000.0,
                                                      benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_Film24Frames, png, "film.png")->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK_CAPTURE(BM_Film24Frames, gif, "film.gif")->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK_CAPTURE(BM_Film24Frames, mp4, "film.mp4")->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true)->UseRealTime();

// One picture with trails, by the span in hours.
void BM_TrailPicture(benchmark::State& state) {
    app::PictureRequest pic = everythingOn();
    pic.trailMinutes = static_cast<int>(state.range(0)) * 60;
    for (auto _ : state) {
        const QImage image = app::renderPicture(pic, cat());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_TrailPicture)->Arg(4)->Arg(24)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
