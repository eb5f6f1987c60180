// The run the results window shows, as data: the calculation under way on the session's
// state (its inputs, and the faults reported before it began), and its typed result once its
// expansion has ended, or the result of an opened results file. Save and Copy All read it,
// never the widgets.
#pragma once

#include "calculation/runresult.h"

#include <optional>

namespace qrv {

class WidgetHost;

class ShownRun {
public:
    explicit ShownRun(WidgetHost& host) : m_host(host) {}

    // Continue: a new calculation with these inputs; its messages are counted from here.
    void begin(const InputTexts& inputs);
    // Calculate: the initial water's S and Cv as typed, and the heating mode.
    const RunRequest& takeInitialWater(std::string entropy, std::string cv, bool constantVolume);
    // ReCalculate: the same calculation again.
    void again();

    // An expansion or a file's opening begins: until it ends there is no result, only the
    // windows as shown so far.
    void forget() { m_result.reset(); }
    void expanded(const CalcState& state, const RunOutcome& outcome, std::optional<SeriesRecord> stored,
                  reference::ReferenceOutcome reference);
    void opened(const ResultTexts& file, const SeriesRecord& record, reference::ReferenceOutcome reference);

    // The result on show, if a run has been shown to its end or a file opened.
    const std::optional<RunResult>& result() const { return m_result; }
    // What the results window shows: the result's record, or during a run what it shows so far.
    const WindowRecord& shown() const;

private:
    WidgetHost& m_host;
    RunRequest m_request;
    int m_faultsBefore = 0;
    std::optional<RunResult> m_result;
};

} // namespace qrv
