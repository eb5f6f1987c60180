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
#include <string>
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
    // Each path's work minus the energy the run's own states release on it, CR points; empty
    // unless the run completed.
    EnergyCheck energy;
    std::optional<SeriesRecord> record;
    // When asked for: the reference of a completed run, or why there is none.
    std::optional<reference::ReferenceOutcome> reference;
    // Messages and progress captions always; the controls' texts when they were kept.
    WindowRecord shown;
    // A run opened from a results file: the file's ambient pressure line as read. No window
    // shows it, and the calculation state has none of the file's values.
    std::optional<std::string> ambientPressureText;

    const std::vector<HostMessage>& messages() const { return shown.messages; }
    // The run's results file, as Save writes it.
    ResultTexts resultsFile() const;
};

// The result of a run that the routines took as far as `outcome` says, on `state`, with what
// its windows showed and its reference. calculate() and the desktop program's chain of windows
// (whose state lives on between runs) both make a run's result here.
RunResult runResultOf(const RunRequest& inputs, const CalcState& state, const RunOutcome& outcome,
                      std::optional<SeriesRecord> record, int faults, WindowRecord shown,
                      std::optional<reference::ReferenceOutcome> reference);

// A run opened from a results file: the file's texts as its windows show them, the run it adds
// to the store and its reference.
RunResult openedRunResult(const ResultTexts& file, const SeriesRecord& record, WindowRecord shown,
                          reference::ReferenceOutcome reference);

} // namespace qrv
