// The equilibrium of water and magma before any expansion.
#pragma once

namespace qrv {

struct CalcState;
class EngineHost;

// Energy balance, heated-water state and the equilibrium window's captions. False when a
// routine failed on the way (it has said so) or the equilibrium pressure is below zero: then
// there is no equilibrium to expand.
bool Calculate1(CalcState& s, EngineHost& host);

} // namespace qrv
