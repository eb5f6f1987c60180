#include "calculation/runresult.h"

#include "display/phasenames.h"

#include <utility>

namespace qrv {

namespace {

EquilibriumState equilibriumOf(const CalcState& s)
{
    return {s.PEq, s.VEq, s.TEq, s.SEq, s.RhoEq, s.XEq, equilibriumPhaseName(s.TEq, s.TCrit, s.XEq)};
}

} // namespace

RunResult runResultOf(const RunRequest& inputs, const CalcState& state, const RunOutcome& outcome,
                      std::optional<SeriesRecord> record, int faults, WindowRecord shown,
                      std::optional<reference::ReferenceOutcome> reference)
{
    RunResult result;
    result.inputs = inputs;
    result.stage = outcome.stage;
    result.completed = outcome.completed;
    result.stored = outcome.stored;
    result.faults = faults;
    result.record = std::move(record);
    if (result.stage == RunStage::Expanded) {
        result.equilibrium = equilibriumOf(state);
        result.adiabatic = outcome.adiabatic;
        result.isothermal = outcome.isothermal;
        result.energy = outcome.energy;
    }
    result.reference = std::move(reference);
    result.state = state;
    result.shown = std::move(shown);
    return result;
}

RunResult openedRunResult(const ResultTexts& file, const SeriesRecord& record, WindowRecord shown,
                          reference::ReferenceOutcome reference)
{
    RunResult result;
    result.stage = RunStage::Expanded;
    result.completed = true;
    result.stored = true;
    result.record = record;
    result.reference = std::move(reference);
    result.shown = std::move(shown);
    result.ambientPressureText = file[std::size_t(kAmbientPressureLine - 1)];
    return result;
}

ResultTexts RunResult::resultsFile() const
{
    ResultTexts texts = resultTextsFrom(
        [this](std::string_view control) { return shown.text(Window::Results, control); }, state.PFinal);
    if (ambientPressureText)
        texts[std::size_t(kAmbientPressureLine - 1)] = *ambientPressureText;
    return texts;
}

} // namespace qrv
