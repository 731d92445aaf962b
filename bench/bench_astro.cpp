// One computation pass with the Moon phase, as the window runs it on every
// draw and every timer tick.
#include <benchmark/benchmark.h>

#include "astro/astro.h"

namespace {

void BM_ComputeSky(benchmark::State& state) {
    astro::SkyInput in{.year = 2005, .month = 1, .day = 1.0, .hour = 5.0, .minute = 0.0, .latDeg = 35.65, .lonDeg = 139.75};
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        astro::SkyState s = astro::computeSky(in);
        benchmark::DoNotOptimize(s);
        in.minute += 1.0;  // a new moment each time, as the timer steps
        if (in.minute > 1e6) in.minute = 0.0;
    }
}
BENCHMARK(BM_ComputeSky)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
