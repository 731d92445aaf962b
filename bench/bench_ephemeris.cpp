// The precise ephemeris and the eclipses: one apparent place of each body,
// a sky with all nine, 200 years of a place's eclipses and one eclipse's
// circumstances there.
#include <benchmark/benchmark.h>

#include "astro/eclipses.h"
#include "astro/precise_sky.h"
#include "catalog/ephemeris.h"

namespace {

const astro::EphemerisTables& tables() { return catalog::ephemerisTables(); }

static void BM_ApparentPlace(benchmark::State& state) {
    const auto body = static_cast<astro::SkyBody>(state.range(0));
    double jd = 2461000.5;
    for (auto _ : state) benchmark::DoNotOptimize(astro::apparentPlace(tables(), body, jd += 0.01));
}
BENCHMARK(BM_ApparentPlace)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

static void BM_PreciseSky(benchmark::State& state) {
    astro::SkyState sky;
    sky.obsLatDeg = 35.65;
    sky.obsLonDeg = 139.75;
    sky.jdUt = 2461020.5;
    for (auto _ : state) {
        astro::SkyState s = sky;
        astro::applyPreciseEphemeris(tables(), s);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_PreciseSky)->Unit(benchmark::kMillisecond);

static void BM_EclipsesTwoCenturiesAtAPlace(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(astro::eclipsesAt(tables(), 2415020.5, 2488069.5, 26.217, 127.667));
}
BENCHMARK(BM_EclipsesTwoCenturiesAtAPlace)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_EclipseAtAPlace(benchmark::State& state) {
    const std::vector<astro::GlobalEclipse> e = astro::eclipsesBetween(tables(), 2464571.5, 2464573.5);  // 2035-09-02
    for (auto _ : state) benchmark::DoNotOptimize(astro::localEclipse(tables(), e.front(), 35.65, 139.75));
}
BENCHMARK(BM_EclipseAtAPlace)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
