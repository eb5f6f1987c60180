// Entropy isobars of superheated steam, used for the final entropy of the isothermal path.
#pragma once

#include "model/real.h"

namespace qrv {

// Entropy in J/(kg K) at the temperature, interpolated linearly in pressure between the
// isobars that bound the pressure. At 80 MPa and above the 80 and 120 MPa isobars are
// extrapolated. Below 0.1 MPa steam is close to an ideal gas, so the 0.1 MPa isobar is
// shifted by -R ln(p / 0.1 MPa) with R the gas constant of water vapour.
Real superheatedEntropy(Real temperatureK, float pressurePa, Real gasConstant);

} // namespace qrv
