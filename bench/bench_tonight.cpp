// 今夜の見どころ: one night's report (the night in 10-minute steps, two almanac
// days, the planets, the Moon, the showers, the stars high in the south), as
// the window's dialog and --tonight compute it.
#include <benchmark/benchmark.h>

#include "catalog/catalog.h"
#include "catalog/ephemeris.h"
#include "view/sun_path.h"
#include "view/tonight.h"

namespace {

void BM_TonightTokyo(benchmark::State& state) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const astro::UtcOffsetFn jst = astro::fixedUtcOffset(9 * 3600);
    int day = 1;
    for (auto _ : state) {
        auto report = view::tonight(cat, {2026, 12, day}, 35.65, 139.75, jst);
        benchmark::DoNotOptimize(report);
        day = day % 28 + 1;
    }
}
BENCHMARK(BM_TonightTokyo)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

// 透明半球 with the year's solstices and equinoxes: three days of the Sun's
// path from the precise ephemeris (each with its almanac rise, transit and
// set) and the page drawn into a painter that only counts. The target is
// 5 ms of the core's time.
class CountingPainter final : public view::Painter {
public:
    long calls = 0;
    void clear() override { ++calls; }
    void line(float, float, float, float, view::Rgb) override { ++calls; }
    void disc(float, float, float, view::Rgb) override { ++calls; }
    void point(float, float, view::Rgb) override { ++calls; }
    void setTextPosition(float, float) override { ++calls; }
    void text(std::string_view) override { ++calls; }
    void setFillColour(view::Rgb) override { ++calls; }
    void setFillStyleSolid() override { ++calls; }
};

void BM_SunPathSeasons(benchmark::State& state) {
    const auto jst = astro::fixedUtcOffset(9 * 3600);
    long calls = 0;
    for (auto _ : state) {
        view::SunPathScene scene;
        scene.days = view::seasonPathDays(catalog::ephemerisTables(), 2026, 43.0642, 141.3469, jst);
        CountingPainter painter;
        view::drawSunPath(scene, painter);
        calls = painter.calls;
        benchmark::DoNotOptimize(calls);
    }
    state.counters["drawCalls"] = static_cast<double>(calls);
}
BENCHMARK(BM_SunPathSeasons)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
