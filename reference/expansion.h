// The water's end state after a reversible expansion from equilibrium to the final pressure.
#pragma once

#include "reference/reference.h"

#include <stdexcept>

namespace qrv::reference {

// A reference step that has no answer; its text is the reason shown.
class ReferenceFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct EndState {
    double temperatureK;
    double steamFraction;
    double internalEnergy;  // J/kg
    Phase phase;
};

// The state at `pressurePa` where the water and companions that keep its temperature have
// the entropy they had at the start (TEq, SEq):
//     s(T) + c ln(T / TEq) = SEq,
// with c the companions' heat capacity per kilogram of water (0: the water alone, an
// isentropic expansion). Throws ReferenceFailure or steam::OutOfRange when there is none.
EndState expandReversibly(double pressurePa, double startTemperatureK, double startEntropy,
                          double companionHeatCapacity);

} // namespace qrv::reference
