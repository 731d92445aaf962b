// The full south view with everything on (lines, names, all 41
// constellations, shooting stars) exported as a PDF page and an SVG drawing
// in the paper style, and as a PNG at scale 8 for posters; the planisphere's
// two pages. Each run reports the file's size as the counter "bytes".
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>

#include "app/output/chart_export_gui.h"
#include "app/output/planisphere_pdf_gui.h"
#include "app/session/chart_heading.h"
#include "astro/astro.h"

namespace {

// 2026-01-03 23:00 JST over Tokyo: the full Moon high in the south-east and
// the Quadrantids active.
struct Scene {
    catalog::Catalogue cat = catalog::loadCatalogue();
    app::ChartScene chart;
    Scene() {
        const astro::SkyInput in{.year = 2026, .month = 1, .day = 3, .hour = 23, .minute = 0, .latDeg = 35.65,
                                 .lonDeg = 139.75};
        chart.sky = astro::computeSky(in);
        view::ViewOptions& o = chart.view;
        o.equator = o.ecliptic = o.altAzLines = o.starNames = o.constellations = o.meteors = true;
        o.selected.fill(true);
        o.year = 2026;
        o.month = 1;
        o.day = 3;
        o.style = view::ChartStyle::Print;
        chart.heading = app::chartHeading(in, "東京", view::Direction::South);
        chart.meteorSeed = 12345;
    }
};

const Scene& scene() {
    static const Scene s;
    return s;
}

void exportChart(benchmark::State& state, app::ChartFormat format, view::ChartStyle style, double scale) {
    const Scene& s = scene();
    app::ChartScene chart = s.chart;
    chart.view.style = style;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray out = app::chartBytes(format, chart, s.cat, scale);
        bytes = static_cast<std::size_t>(out.size());
        benchmark::DoNotOptimize(out.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_PdfPaperSouthEverythingOn(benchmark::State& st) {
    exportChart(st, app::ChartFormat::Pdf, view::ChartStyle::Print, 1.0);
}
void BM_SvgPaperSouthEverythingOn(benchmark::State& st) {
    exportChart(st, app::ChartFormat::Svg, view::ChartStyle::Print, 1.0);
}
void BM_SvgScreenSouthEverythingOn(benchmark::State& st) {
    exportChart(st, app::ChartFormat::Svg, view::ChartStyle::Screen, 1.0);
}
void BM_PngScreenScale8(benchmark::State& st) {
    exportChart(st, app::ChartFormat::Png, view::ChartStyle::Screen, 8.0);
}
// The planisphere of Tokyo: both A4 pages as one PDF.
void BM_PlanispherePdfTokyo(benchmark::State& state) {
    const Scene& s = scene();
    std::string why;
    const auto p = view::planisphereFor(35.6581, 139.7414, 9.0, why);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray out = app::planispherePdf(*p, s.cat, "東京");
        bytes = static_cast<std::size_t>(out.size());
        benchmark::DoNotOptimize(out.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PlanispherePdfTokyo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfPaperSouthEverythingOn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SvgPaperSouthEverythingOn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SvgScreenSouthEverythingOn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngScreenScale8)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
