// Water property states from closed-form fits of steam-table data.
#pragma once

#include "model/real.h"

namespace qrv {

struct CalcState;
class ModelEvents;

// Heated water at TEq by entropy extrapolation, classified by steam fraction.
void State0(CalcState& s, ModelEvents& events);

// Internal energy of heated water on the extrapolated liquid branch at t K, J/kg: State0's
// UEq is this at TEq.
Real heatedWaterEnergy(Real t);

} // namespace qrv
