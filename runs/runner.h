// One whole calculation from the input window's texts, as the windows run it: Continue,
// Calculate, the equilibrium and the equilibrium window's Continue, without any window.
// FreshRunner (runs/freshrunner.h) runs it from a fresh start for qrv-cli and every sweep.
#pragma once

#include "runs/driver.h"
#include "runs/inputrules.h"

#include <optional>
#include <string>

namespace qrv {

struct CalcState;
class EngineHost;
class RunStore;

struct RunRequest {
    InputTexts inputs;
    // S and Cv typed for the initial water; when given they replace whatever Continue chose.
    std::optional<std::string> entropyText;
    std::optional<std::string> cvText;
    bool constantVolume = false;
};

enum class RunStage {
    Refused,          // Continue or Calculate showed a validation message
    SteamTableNeeded, // the initial water needs S and Cv from the steam table and none were given
    NoEquilibrium,    // the equilibrium failed or its pressure came out negative: the input window stays
    Expanded,         // both expansion paths ran
};

struct RunOutcome {
    RunStage stage = RunStage::Refused;
    ContinueResult continued;
    bool completed = false; // both paths' results are shown
    bool stored = false;    // the run reached the store
    PathEnd adiabatic;      // where each path ended, when it did
    PathEnd isothermal;
    EnergyCheck energy;
};

// The equilibrium window's Continue on a state whose equilibrium was found: both paths, and
// whether the run reached the store. The outcome's `continued` is left empty.
RunOutcome expandEquilibrium(CalcState& s, RunStore& store, EngineHost& host);

// Runs on the given state, which keeps every field between runs as the program does.
RunOutcome runCalculation(CalcState& s, RunStore& store, EngineHost& host, const RunRequest& request);

} // namespace qrv
