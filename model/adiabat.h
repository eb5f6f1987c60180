// The adiabatic expansion path from the equilibrium state to the ambient pressure.
#pragma once

namespace qrv {

struct CalcState;
class ModelEvents;

// Isentropic expansion to PFinal; sets the final state and WAdiabatic.
void Adiabat(CalcState& s, ModelEvents& events);

} // namespace qrv
