// How qrv-cli tells where the initial water's S and Cv came from when IAPWS-95 answered.
#pragma once

#include "engine/steamtable.h"

#include <string>

namespace qrv::cli {

// "5.00 MPa, 400.0 K"
std::string steamTableStateText(const SteamTableAnswer& answer);

// "Initial water S and Cv from IAPWS-95 at 5.00 MPa, 400.0 K: ..." with both values.
std::string steamTableNote(const SteamTableAnswer& answer);

} // namespace qrv::cli
