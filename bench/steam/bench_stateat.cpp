// One water state at a given pressure and temperature, density solve included.
#include "bench/steam/points.h"
#include "steam/densitysolver.h"

#include <benchmark/benchmark.h>

namespace {

void stateAtOnePoint(benchmark::State& state)
{
    const auto [pressurePa, temperatureK] = qrv::bench::kStatePoints[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(qrv::steam::stateAt(pressurePa, temperatureK));
}

void stateAtAllPoints(benchmark::State& state)
{
    for (auto _ : state)
        for (const auto& [pressurePa, temperatureK] : qrv::bench::kStatePoints)
            benchmark::DoNotOptimize(qrv::steam::stateAt(pressurePa, temperatureK));
    state.SetItemsProcessed(state.iterations() * qrv::bench::kStatePoints.size());
}

} // namespace

BENCHMARK(stateAtOnePoint)->DenseRange(0, qrv::bench::kStatePoints.size() - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(stateAtAllPoints)->Unit(benchmark::kMicrosecond);
