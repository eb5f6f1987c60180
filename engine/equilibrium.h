// The equilibrium of water and magma before any expansion.
#pragma once

namespace qrv {

struct CalcState;
class EngineHost;

// Energy balance, heated-water state and the equilibrium window's captions.
void Calculate1(CalcState& s, EngineHost& host);

} // namespace qrv
