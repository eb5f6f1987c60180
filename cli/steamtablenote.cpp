#include "cli/steamtablenote.h"

#include "engine/numberformat.h"

namespace qrv::cli {

std::string steamTableStateText(const SteamTableAnswer& answer)
{
    return formatFixed(answer.pressurePa / 1e6, 2) + " MPa, " + formatFixed(answer.temperatureK, 1) + " K";
}

std::string steamTableNote(const SteamTableAnswer& answer)
{
    return "Initial water S and Cv from IAPWS-95 at " + steamTableStateText(answer) + ": S = "
        + formatFixed(answer.entropy, 3) + ", Cv = " + formatFixed(answer.cv, 3) + " J/(kg K)";
}

} // namespace qrv::cli
