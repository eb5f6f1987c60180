// The equilibrium of water and magma before any expansion.
#pragma once

namespace qrv {

struct CalcState;
class ModelEvents;

// Energy balance and heated-water state, told to the listener when found. False when a
// routine failed on the way (it has said so) or the equilibrium pressure is below zero: then
// there is no equilibrium to expand.
bool Calculate1(CalcState& s, ModelEvents& events);

} // namespace qrv
