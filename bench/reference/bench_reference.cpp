// Cost of the IAPWS-95 reference of one run (equilibrium and both paths), for the default run
// and for the end states that take the most solving, and of a 60-ratio sweep.
#include "reference/reference.h"

#include <benchmark/benchmark.h>

#include <iterator>

using namespace qrv::reference;

namespace {

ReferenceInput runWith(double ratio, double tInitK, double pFinalPa)
{
    ReferenceInput in;
    in.ratio = ratio;
    in.TInit = tInitK;
    in.PFinal = pFinalPa;
    return in;
}

// 0: the defaults (two-phase ends); 1: liquid ends; 2: steam from the start (vapour ends);
// 3: one fluid above the critical pressure; 4: the saturation line near the critical point;
// 5: the equilibrium near 2000 MPa and vapour at the isothermal end.
const ReferenceInput kRuns[] = {
    runWith(0.3, 298, 1e5),  runWith(10, 298, 1e5),   runWith(0.3, 450, 1e5),
    runWith(0.3, 298, 30e6), runWith(0.3, 298, 22e6), runWith(0.01, 298, 1e5),
};

void oneReferenceRun(benchmark::State& state)
{
    const ReferenceInput& in = kRuns[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(computeReference(in));
}
BENCHMARK(oneReferenceRun)->DenseRange(0, std::size(kRuns) - 1)->Unit(benchmark::kMicrosecond);

// The ratios of a sweep from 0.05 to 3 in steps of 0.05.
void sixtyRatioSweep(benchmark::State& state)
{
    for (auto _ : state)
        for (int i = 1; i <= 60; ++i)
            benchmark::DoNotOptimize(computeReference(runWith(0.05 * i, 298, 1e5)));
}
BENCHMARK(sixtyRatioSweep)->Unit(benchmark::kMillisecond);

} // namespace
