// A 1,000-ratio sweep, each run a fresh start as `qrv-cli sweep` makes it; target under 50 ms.
// Water held by the input rules, and water whose S and Cv IAPWS-95 answers once per sweep.
#include "calculation/ratiosweep.h"

#include <benchmark/benchmark.h>

namespace {

void sweepThousandRatios(benchmark::State& state, const qrv::InputTexts& inputs)
{
    qrv::RunRequest request;
    request.inputs = inputs;
    const qrv::SweepRatios sweep = qrv::sweepRatios(0.01, 10.0, 0.01);
    int stored = 0;
    for (auto _ : state) {
        stored = 0;
        qrv::runSweep(request, sweep.ratios, [&stored](const qrv::SweepRun& step) {
            stored += step.run.stored;
            return true;
        });
        benchmark::DoNotOptimize(stored);
    }
    if (stored != 1000)
        state.SkipWithError("not every ratio reached the store");
    state.counters["runs"] = double(sweep.ratios.size());
}

} // namespace

BENCHMARK_CAPTURE(sweepThousandRatios, heldWater, qrv::InputTexts{"1473", "298", "0.1", "0.1", "", "--", false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sweepThousandRatios, iapwsWater, qrv::InputTexts{"1473", "400", "5", "0.1", "", "--", false})
    ->Unit(benchmark::kMillisecond);
