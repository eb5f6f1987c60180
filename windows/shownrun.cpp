#include "windows/shownrun.h"

#include "windows/widgethost.h"

#include <utility>

namespace qrv {

void ShownRun::begin(const InputTexts& inputs)
{
    m_request = {inputs, {}, {}, false};
    again();
}

void ShownRun::again()
{
    m_host.clearLog();
    m_faultsBefore = m_host.faultsReported();
}

const RunRequest& ShownRun::takeInitialWater(std::string entropy, std::string cv, bool constantVolume)
{
    m_request.entropyText = std::move(entropy);
    m_request.cvText = std::move(cv);
    m_request.constantVolume = constantVolume;
    return m_request;
}

void ShownRun::expanded(const CalcState& state, const RunOutcome& outcome, std::optional<SeriesRecord> stored,
                        reference::ReferenceOutcome reference)
{
    m_result = runResultOf(m_request, state, outcome, std::move(stored), m_host.faultsReported() - m_faultsBefore,
                           m_host.record(), std::move(reference));
}

void ShownRun::opened(const ResultTexts& file, const SeriesRecord& record, reference::ReferenceOutcome reference)
{
    m_result = openedRunResult(file, record, m_host.record(), std::move(reference));
}

const WindowRecord& ShownRun::shown() const
{
    return m_result ? m_result->shown : m_host.record();
}

} // namespace qrv
