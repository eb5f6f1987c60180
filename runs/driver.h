// The driver of the expansion: runs both paths, shows their progress and results on the
// results window and stores the run.
#pragma once

#include "model/energycheck.h"

#include <string_view>

namespace qrv {

struct CalcState;
class EngineHost;
class RunStore;

// Where one expansion path ended, as its panel of the results window shows it. The state's
// fields hold only the last path's final state; this keeps each path's own.
struct PathEnd {
    bool completed = false;
    float conversionRatio = 0; // %, clamped to 0..100
    bool clamped = false;      // the work was outside 0..EMagma: the error mark is shown
    float steamFraction = 0;
    double waterFraction = 0;  // 1 - steam fraction, as shown
    float PFinal = 0;          // Pa
    float VFinal = 0;          // m3/kg
    float TFinal = 0;          // K
    float SFinal = 0;          // J/(kg K)
    std::string_view phase;    // "Superheated Steam", ...
};

struct Expansion {
    bool completed = false; // both paths' results are shown (even if the store refused the run)
    PathEnd adiabatic;
    PathEnd isothermal;
    // Of a completed run.
    EnergyCheck energy;
};

Expansion Calculate2(CalcState& s, RunStore& store, EngineHost& host);

} // namespace qrv
