// One calculation from a fresh program start, as a sweep and qrv-cli make it: the initial
// water's S and Cv come from the request, from the input rules, or, where the rules would ask
// the steam-table program, from IAPWS-95 exactly as that program answers.
#pragma once

#include "display/recordinghost.h"
#include "runs/runner.h"
#include "runs/runstore.h"
#include "runs/steamtable.h"
#include "model/calcstate.h"

#include <memory>
#include <optional>

namespace qrv {

// Typed: S and Cv given with the request.
enum class InitialValuesSource { InputRules, Typed, Iapws95 };

// Whether a run keeps the texts of the windows, for a report or a results file, or only its
// messages and stored record, as a sweep's runs that nobody reads.
enum class WindowTexts { Kept, Skipped };

struct FreshRun {
    explicit FreshRun(WindowTexts texts) : host(texts == WindowTexts::Kept) {}

    CalcState state;
    RecordingHost host;
    RunStore store;
    RunOutcome outcome;
    InitialValuesSource source = InitialValuesSource::InputRules;
    // Iapws95: the answer used; stage SteamTableNeeded: the state asked about and why there
    // is no answer.
    SteamTableAnswer steamTable;

    // The stored run, when the run got that far.
    std::optional<SeriesRecord> record() const;
};

class FreshRunner {
public:
    explicit FreshRunner(WindowTexts texts = WindowTexts::Kept) : m_texts(texts) {}

    // The answer is kept between runs: a sweep asks about the same water every time.
    std::unique_ptr<FreshRun> run(const RunRequest& request);

private:
    std::unique_ptr<FreshRun> attempt(const RunRequest& request) const;

    WindowTexts m_texts;
    std::optional<SteamTableAnswer> m_answer;
};

} // namespace qrv
