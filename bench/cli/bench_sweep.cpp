// A 1,000-ratio sweep, each run a fresh start as `qrv-cli sweep` makes it; target under 50 ms.
#include "ratiosweep.h"

#include <benchmark/benchmark.h>

namespace {

void sweepThousandRatios(benchmark::State& state)
{
    qrv::RunRequest request;
    request.inputs = {"1473", "298", "0.1", "0.1", "", "--", false};
    const qrv::SweepRatios sweep = qrv::sweepRatios(0.01, 10.0, 0.01);
    int stored = 0;
    for (auto _ : state) {
        stored = 0;
        qrv::runSweep(request, sweep.ratios, [&stored](const qrv::SweepRun& run) {
            stored += run.record.has_value();
            return true;
        });
        benchmark::DoNotOptimize(stored);
    }
    if (stored != 1000)
        state.SkipWithError("not every ratio reached the store");
    state.counters["runs"] = double(sweep.ratios.size());
}

} // namespace

BENCHMARK(sweepThousandRatios)->Unit(benchmark::kMillisecond);
