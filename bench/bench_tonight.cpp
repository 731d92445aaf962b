// 今夜の見どころ: one night's report (the night in 10-minute steps, two almanac
// days, the planets, the Moon, the showers, the stars high in the south), as
// the window's dialog and --tonight compute it.
#include <benchmark/benchmark.h>

#include "catalog/catalog.h"
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

BENCHMARK_MAIN();
