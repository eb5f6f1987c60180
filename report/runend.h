// How far a run got, as qrv-cli reports it on standard error and in its JSON.
#pragma once

#include "reference/runreference.h"

#include <string>
#include <string_view>

namespace qrv {

struct RunResult;

struct RunEnd {
    bool completed = false; // both paths' results are shown
    // "refused", "steamTableNeeded", "noEquilibrium" or "expanded"
    std::string_view stage;
    std::string error; // why the run did not complete; empty when it did
};

// Said of a run whose paths ran but did not both come to results.
inline constexpr std::string_view kDidNotComplete = reference::kIncompleteRunReason;

RunEnd runEnd(const RunResult& run);

} // namespace qrv
