#include "report/runend.h"

#include "report/steamtablenote.h"
#include "calculation/runresult.h"

namespace qrv {

RunEnd runEnd(const RunResult& run)
{
    switch (run.stage) {
    case RunStage::Refused:
        return {false, "refused", "an input was refused"};
    case RunStage::SteamTableNeeded:
        return {false, "steamTableNeeded", noSteamTableValuesText(run.steamTable)};
    case RunStage::NoEquilibrium:
        return {false, "noEquilibrium", "no equilibrium state; the calculation stops here"};
    case RunStage::Expanded:
        break;
    }
    if (!run.completed)
        return {false, "expanded", std::string(kDidNotComplete)};
    return {true, "expanded", {}};
}

} // namespace qrv
