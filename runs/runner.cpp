#include "runs/runner.h"

#include "runs/driver.h"
#include "display/enginehost.h"
#include "runs/runstore.h"
#include "model/calcstate.h"
#include "model/equilibrium.h"

#include <utility>

namespace qrv {

RunOutcome expandEquilibrium(CalcState& s, RunStore& store, EngineHost& host)
{
    const int before = store.count();
    const Expansion expansion = Calculate2(s, store, host);
    RunOutcome outcome;
    outcome.stage = RunStage::Expanded;
    outcome.completed = expansion.completed;
    outcome.stored = store.count() > before;
    outcome.adiabatic = expansion.adiabatic;
    outcome.isothermal = expansion.isothermal;
    outcome.energy = expansion.energy;
    return outcome;
}

RunOutcome runCalculation(CalcState& s, RunStore& store, EngineHost& host, const RunRequest& request)
{
    RunOutcome outcome;
    outcome.continued = applyContinue(s, request.inputs, host);
    const ContinueOutcome next = outcome.continued.outcome;
    if (next == ContinueOutcome::Refused)
        return outcome;

    const bool typed = request.entropyText && request.cvText;
    if (next == ContinueOutcome::SteamTableRequest && !typed) {
        outcome.stage = RunStage::SteamTableNeeded;
        return outcome;
    }
    const std::string& entropy = typed ? *request.entropyText : outcome.continued.entropyText;
    const std::string& cv = typed ? *request.cvText : outcome.continued.cvText;
    const std::optional<WaterState> asked =
        next == ContinueOutcome::SteamTableRequest ? std::optional(outcome.continued.askedWater) : std::nullopt;
    if (!applyCalculate(s, entropy, cv, request.constantVolume, asked, host))
        return outcome;

    if (!Calculate1(s, host)) {
        outcome.stage = RunStage::NoEquilibrium;
        return outcome;
    }
    RunOutcome expanded = expandEquilibrium(s, store, host);
    expanded.continued = std::move(outcome.continued);
    return expanded;
}

} // namespace qrv
