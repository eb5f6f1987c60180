#include "report/steamtablenote.h"

#include "base/numberformat.h"

namespace qrv {

namespace {

// "5.00 MPa, 400.0 K"
std::string steamTableStateText(const SteamTableAnswer& answer)
{
    return formatFixed(answer.pressurePa / 1e6, 2) + " MPa, " + formatFixed(answer.temperatureK, 1) + " K";
}

} // namespace

std::string steamTableNote(const SteamTableAnswer& answer)
{
    return "Initial water S and Cv from IAPWS-95 at " + steamTableStateText(answer) + ": S = "
        + formatFixed(answer.entropy, 3) + ", Cv = " + formatFixed(answer.cv, 3) + " J/(kg K)";
}

std::string noSteamTableValuesText(const SteamTableAnswer& asked)
{
    return "the initial water at " + steamTableStateText(asked) + " (Pa,K = " + asked.query
        + ") needs steam-table values and IAPWS-95 has none: " + asked.error
        + "; give its entropy with --s and its Cv with --cv, in J/(kg K)";
}

} // namespace qrv
