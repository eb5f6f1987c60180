#include "cli/runend.h"

#include "cli/steamtablenote.h"
#include "runs/freshrunner.h"

namespace qrv::cli {

RunEnd runEnd(const FreshRun& run)
{
    switch (run.outcome.stage) {
    case RunStage::Refused:
        return {false, "refused", "an input was refused"};
    case RunStage::SteamTableNeeded:
        return {false, "steamTableNeeded", noSteamTableValuesText(run.steamTable)};
    case RunStage::NoEquilibrium:
        return {false, "noEquilibrium", "no equilibrium state; the calculation stops here"};
    case RunStage::Expanded:
        break;
    }
    if (!run.outcome.completed)
        return {false, "expanded", std::string(kDidNotComplete)};
    return {true, "expanded", {}};
}

} // namespace qrv::cli
