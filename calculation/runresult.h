// One run as data: its inputs, how far it got, the equilibrium, where each expansion path
// ended, the stored record, the IAPWS-95 reference, every routine's message, and the windows'
// texts as the run left them. The windows, Copy All, results files, qrv-cli's text, JSON and
// CSV, the run store, the plot, the sweeps and Python all read a run from here.
#pragma once

#include "display/windowrecord.h"
#include "files/resultsfile.h"
#include "model/calcstate.h"
#include "reference/reference.h"
#include "runs/freshrunner.h"

#include <optional>
#include <string_view>

namespace qrv {

struct EquilibriumState {
    float PEq = 0;   // Pa
    float VEq = 0;   // m3/kg
    float TEq = 0;   // K
    float SEq = 0;   // J/(kg K)
    float RhoEq = 0; // kg/m3
    float XEq = 0;   // steam fraction
    std::string_view phase; // empty for a supercritical state with a fractional steam fraction
};

struct RunResult {
    RunRequest inputs;
    RunStage stage = RunStage::Refused;
    bool completed = false; // both paths came to results
    bool stored = false;    // the run reached the store
    int faults = 0;         // routine failures reported, by a message each
    InitialValuesSource source = InitialValuesSource::InputRules;
    // Iapws95: the answer used; stage SteamTableNeeded: the state asked about and why there is
    // no answer.
    SteamTableAnswer steamTable;
    // Every field of the calculation as the run left it.
    CalcState state;
    // When the equilibrium was found (stage Expanded).
    std::optional<EquilibriumState> equilibrium;
    PathEnd adiabatic;
    PathEnd isothermal;
    std::optional<SeriesRecord> record;
    // When asked for: the reference of a completed run, or why there is none.
    std::optional<reference::ReferenceOutcome> reference;
    // Messages and progress captions always; the controls' texts when they were kept.
    WindowRecord shown;

    const std::vector<HostMessage>& messages() const { return shown.messages; }
    // The run's results file, as Save writes it.
    ResultTexts resultsFile() const;
};

} // namespace qrv
