// Water property states from closed-form fits of steam-table data.
#pragma once

namespace qrv {

struct CalcState;
class ModelEvents;

// Heated water at TEq by entropy extrapolation, classified by steam fraction.
void State0(CalcState& s, ModelEvents& events);

} // namespace qrv
