// The two expansion paths from the equilibrium state to the ambient pressure, and the
// driver that runs them, shows their results and stores the run.
#pragma once

namespace qrv {

struct CalcState;
class EngineHost;
class RunStore;

// Isentropic expansion to PFinal; sets the final state and WAdiabatic.
void Adiabat(CalcState& s, EngineHost& host);
// Expansion with the magma giving up heat on the way; sets the final state and WIsothermal.
void Isotherm(CalcState& s, EngineHost& host);
// Runs both paths, fills the results window and appends the run to the store. True when the
// run completed: both paths' results are shown (even if the store refused the run).
bool Calculate2(CalcState& s, RunStore& store, EngineHost& host);

} // namespace qrv
