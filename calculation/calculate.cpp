#include "calculation/calculate.h"

#include "reference/referencepanel.h"
#include "reference/runreference.h"

#include <utility>

namespace qrv {

namespace {

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
    // Worked before the record is taken: a kept window shows it.
    std::optional<reference::ReferenceOutcome> reference;
    if (m_options.reference)
        reference = referenceOf(*run);
    RunResult result = runResultOf(request, run->state, run->outcome, run->record(), run->host.faultsReported(),
                                   run->host.takeRecord(), std::move(reference));
    result.source = run->source;
    result.steamTable = run->steamTable;
    return result;
}

RunResult calculate(const RunRequest& request, CalculateOptions options)
{
    return Calculator(options).run(request);
}

} // namespace qrv
