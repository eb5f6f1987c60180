// Final states that both expansion paths reach the same way.
#pragma once

namespace qrv {

struct CalcState;
class ModelEvents;

// Saturation properties at the final pressure (StateSat in its pressure-given form).
void saturateAtFinalPressure(CalcState& s, ModelEvents& events);

// A final pressure at or above the critical one: StateSuper sets the state at TFinal (found
// when TFinal is 0); at or below 473 K the water counts as compressed liquid, with the
// equilibrium internal energy and the saturated-liquid volume. The steam fraction is 0.
void endAtSupercriticalPressure(CalcState& s, ModelEvents& events);

// The end at TFinal and PFinal counts as compressed liquid: a supercritical final pressure
// and at most 473 K.
bool endsAsCompressedLiquid(const CalcState& s);

} // namespace qrv
