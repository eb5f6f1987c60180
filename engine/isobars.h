// Entropy isobars of superheated steam, used for the final entropy of the isothermal path.
#pragma once

#include "real.h"

namespace qrv {

// Entropy in J/(kg K) at the temperature, interpolated linearly in pressure between the
// isobars that bound the pressure. At 80 MPa and above the 80 and 120 MPa isobars are
// extrapolated; pressures below 0.1 MPa take that same extrapolation, as the program
// always has, which gives no physical value there.
Real superheatedEntropy(Real temperatureK, float pressurePa);

} // namespace qrv
