// One calculation from a fresh program start, as qrv-cli makes it: the initial water's S and
// Cv come from --s/--cv, from the input rules, or, where the rules would ask the steam-table
// program, from IAPWS-95 exactly as that program answers.
#pragma once

#include "cli/steamtable.h"
#include "engine/calcstate.h"
#include "engine/recordinghost.h"
#include "engine/runner.h"
#include "engine/runstore.h"

#include <memory>
#include <optional>
#include <string_view>

namespace qrv::cli {

enum class InitialValuesSource { InputRules, Options, Iapws95 };

// "input rules", "options", "IAPWS-95"
std::string_view sourceName(InitialValuesSource source);

struct FreshRun {
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
    // The answer is kept between runs: a sweep asks about the same water every time.
    std::unique_ptr<FreshRun> run(const RunRequest& request);

private:
    std::unique_ptr<FreshRun> attempt(const RunRequest& request) const;

    std::optional<SteamTableAnswer> m_answer;
};

} // namespace qrv::cli
