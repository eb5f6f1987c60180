// The isothermal expansion path: the magma gives up heat to the water on the way down.
#pragma once

namespace qrv {

struct CalcState;
class ModelEvents;

// Expansion to PFinal starting from the adiabatic final temperature; sets the final state
// and WIsothermal.
void Isotherm(CalcState& s, ModelEvents& events);

} // namespace qrv
