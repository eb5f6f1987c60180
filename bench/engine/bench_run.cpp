// Cost of whole calculation runs: equilibrium plus both expansion paths, pauses free.
#include "runs/driver.h"
#include "display/enginehost.h"
#include "runs/runstore.h"
#include "runs/startupvalues.h"
#include "model/calcstate.h"
#include "model/equilibrium.h"

#include <benchmark/benchmark.h>

using namespace qrv;

namespace {

class SilentHost : public EngineHost {
public:
    void message(std::string_view, Icon) override {}
    void setText(const Control&, std::string_view) override {}
    void setEnabled(const Control&, bool) override {}
    void setVisible(const Control&, bool) override {}
    void setBold(const Control&, bool) override {}
    void setColour(const Control&, TextColour) override {}
    void setChecked(const Control&, bool) override {}
    void processEvents() override {}
    void pause(int) override {}
    void runStored() override {}
};

struct Inputs {
    float tMagma = 1473.0f, ratio = 0.3f, pFinalPa = 1e5f;
};

CalcState prepared(SilentHost& host, const Inputs& in)
{
    CalcState s;
    SetDefaults(s, host);
    s.TMagma = in.tMagma;
    s.RInput = in.ratio;
    s.RWater = in.ratio;
    s.PFinal = in.pFinalPa;
    s.EMagma = (in.tMagma - 298.0f) * s.CMagma;
    return s;
}

void runOnce(CalcState& s, RunStore& store, SilentHost& host)
{
    if (store.full())
        store.clear();
    Calculate1(s, host);
    Calculate2(s, store, host);
    benchmark::DoNotOptimize(s.WIsothermal);
}

void BM_FullRunAtDefaults(benchmark::State& state)
{
    SilentHost host;
    RunStore store;
    CalcState s = prepared(host, {});
    for (auto _ : state)
        runOnce(s, store, host);
}
BENCHMARK(BM_FullRunAtDefaults)->Unit(benchmark::kMicrosecond);

// R = 1 into 1 kPa: the isothermal path enters the steam dome near 526 K and walks inside
// it, one saturation state per kelvin, down to 280 K.
void BM_FullRunLongDomeWalk(benchmark::State& state)
{
    SilentHost host;
    RunStore store;
    CalcState s = prepared(host, {1473.0f, 1.0f, 1e3f});
    for (auto _ : state)
        runOnce(s, store, host);
}
BENCHMARK(BM_FullRunLongDomeWalk)->Unit(benchmark::kMicrosecond);

void BM_RatioSweep(benchmark::State& state)
{
    SilentHost host;
    RunStore store;
    constexpr int kRatios = 1000;
    for (auto _ : state) {
        for (int i = 0; i < kRatios; ++i) {
            CalcState s = prepared(host, {1473.0f, 0.01f + (10.0f - 0.01f) * float(i) / (kRatios - 1), 1e5f});
            runOnce(s, store, host);
        }
    }
}
BENCHMARK(BM_RatioSweep)->Unit(benchmark::kMillisecond);

} // namespace
