// 今夜の見どころ: one night's report (the night in 10-minute steps, two almanac
// days, the planets, the Moon, the showers, the stars high in the south), as
// the window's dialog and --tonight compute it.
#include <benchmark/benchmark.h>

#include "bench/counting_painter.h"
#include "catalog/catalog.h"
#include "catalog/ephemeris.h"
#include "view/moon_card.h"
#include "view/orbit_view.h"
#include "view/phase_strip.h"
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

using benchsupport::CountingPainter;

// 透明半球 with the year's solstices and equinoxes: three days of the Sun's
// path from the precise ephemeris (each with its almanac rise, transit and
// set) and the page drawn into a painter that only counts. The target is
// 5 ms of the core's time.
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

// 金星の満ち欠け with 20 discs (each at its twilight from the precise
// ephemeris), the 月の観察カード with eight Moons, and 宇宙から見た図 (nine
// bodies, eight osculating orbits, the place and the inset): each computed
// and drawn, the target 5 ms apiece.
void BM_PhaseStrip20(benchmark::State& state) {
    const auto jst = astro::fixedUtcOffset(9 * 3600);
    for (auto _ : state) {
        const view::PhaseStrip strip =
            view::phaseStrip(catalog::ephemerisTables(), astro::Venus, {2026, 5, 1}, 14, 20, 35.65, 139.75, jst);
        CountingPainter painter;
        view::drawPhaseStrip(strip, painter);
        benchmark::DoNotOptimize(painter.calls);
    }
}
BENCHMARK(BM_PhaseStrip20)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MoonCard8(benchmark::State& state) {
    const auto jst = astro::fixedUtcOffset(9 * 3600);
    std::vector<double> moments;
    for (int i = 0; i < 8; ++i) moments.push_back(astro::localToJdUt({2026, 12, 13}, 17 * 3600.0 + i * 1800.0, jst));
    for (auto _ : state) {
        const view::MoonCard card = view::moonCard(catalog::ephemerisTables(), 225.0, moments, 35.65, 139.75, jst);
        CountingPainter painter;
        view::drawMoonCard(card, painter);
        benchmark::DoNotOptimize(painter.calls);
    }
}
BENCHMARK(BM_MoonCard8)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OrbitView(benchmark::State& state) {
    const auto jst = astro::fixedUtcOffset(9 * 3600);
    double jd = astro::localToJdUt({2026, 8, 15}, 19 * 3600.0, jst);
    for (auto _ : state) {
        const view::OrbitScene scene =
            view::orbitScene(catalog::ephemerisTables(), jd, 35.65, 139.75, 180.0, astro::Planet::Venus, jst);
        CountingPainter painter;
        view::drawOrbitView(scene, view::OrbitExtent::Saturn, painter);
        benchmark::DoNotOptimize(painter.calls);
        jd += 1.0;
    }
}
BENCHMARK(BM_OrbitView)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
