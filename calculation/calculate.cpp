#include "calculation/calculate.h"

#include "display/phasenames.h"
#include "reference/referencepanel.h"
#include "reference/runreference.h"

namespace qrv {

namespace {

EquilibriumState equilibriumOf(const CalcState& s)
{
    return {s.PEq, s.VEq, s.TEq, s.SEq, s.RhoEq, s.XEq, equilibriumPhaseName(s.TEq, s.TCrit, s.XEq)};
}

// A completed run's reference is shown on its results window when its texts are kept.
reference::ReferenceOutcome referenceOf(FreshRun& run)
{
    if (!run.outcome.completed)
        return {{}, std::string(reference::kIncompleteRunReason)};
    const reference::ReferenceInput input = reference::referenceInputOf(run.state);
    return run.host.showsTexts() ? reference::showReference(run.host, input) : reference::computeReference(input);
}

} // namespace

RunResult Calculator::run(const RunRequest& request)
{
    const std::unique_ptr<FreshRun> run = m_runner.run(request);
    RunResult result;
    result.inputs = request;
    result.stage = run->outcome.stage;
    result.completed = run->outcome.completed;
    result.stored = run->outcome.stored;
    result.faults = run->host.faultsReported();
    result.source = run->source;
    result.steamTable = run->steamTable;
    result.record = run->record();
    if (result.stage == RunStage::Expanded) {
        result.equilibrium = equilibriumOf(run->state);
        result.adiabatic = run->outcome.adiabatic;
        result.isothermal = run->outcome.isothermal;
    }
    if (m_options.reference)
        result.reference = referenceOf(*run);
    result.state = run->state;
    result.shown = run->host.takeRecord();
    return result;
}

RunResult calculate(const RunRequest& request, CalculateOptions options)
{
    return Calculator(options).run(request);
}

ResultTexts RunResult::resultsFile() const
{
    return resultTextsFrom([this](std::string_view control) { return shown.text(Window::Results, control); },
                           state.PFinal);
}

} // namespace qrv
