// The almanac: a month table (every day: six bodies' rise, transit and set,
// three twilights, the Moon's age and phases) and a whole year, for Tokyo.
// The window builds the month table whenever the date or place changes.
#include <benchmark/benchmark.h>

#include "astro/almanac.h"
#include "catalog/ephemeris.h"

namespace {

void BM_AlmanacMonth(benchmark::State& state) {
    const astro::UtcOffsetFn jst = astro::fixedUtcOffset(9 * 3600);
    int month = 1;
    for (auto _ : state) {
        auto days = astro::almanacMonth(catalog::ephemerisTables(), 2026, month, 35.6894, 139.6917, jst);
        benchmark::DoNotOptimize(days);
        month = month % 12 + 1;
    }
}
BENCHMARK(BM_AlmanacMonth)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_AlmanacYear(benchmark::State& state) {
    const astro::UtcOffsetFn jst = astro::fixedUtcOffset(9 * 3600);
    for (auto _ : state) {
        for (int month = 1; month <= 12; ++month) {
            auto days = astro::almanacMonth(catalog::ephemerisTables(), 2026, month, 35.6894, 139.6917, jst);
            benchmark::DoNotOptimize(days);
        }
    }
}
BENCHMARK(BM_AlmanacYear)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A polar month: the hardest searches (grazing Sun, Moon driven by its own
// motion) at Tromso around the winter solstice.
void BM_AlmanacMonthPolar(benchmark::State& state) {
    const astro::UtcOffsetFn cet = astro::fixedUtcOffset(3600);
    for (auto _ : state) {
        auto days = astro::almanacMonth(catalog::ephemerisTables(), 2026, 12, 69.65, 18.96, cet);
        benchmark::DoNotOptimize(days);
    }
}
BENCHMARK(BM_AlmanacMonthPolar)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
