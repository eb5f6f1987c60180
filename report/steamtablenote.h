// How qrv-cli tells where the initial water's S and Cv came from when IAPWS-95 answered, and
// why a run stopped when it did not.
#pragma once

#include "runs/steamtable.h"

#include <string>

namespace qrv {

// "Initial water S and Cv from IAPWS-95 at 5.00 MPa, 400.0 K: ..." with both values.
std::string steamTableNote(const SteamTableAnswer& answer);

// "the initial water at 5.00 MPa, 1300.0 K (Pa,K = ...) needs steam-table values and IAPWS-95
// has none: ...; give its entropy with --s and its Cv with --cv, in J/(kg K)"
std::string noSteamTableValuesText(const SteamTableAnswer& asked);

} // namespace qrv
