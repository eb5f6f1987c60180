// Water property states from closed-form fits of steam-table data.
#pragma once

namespace qrv {

struct CalcState;
class ModelEvents;

// Saturation properties: at TSat when it is non-zero, else at the pressure PSat.
void StateSat(CalcState& s, ModelEvents& events);

} // namespace qrv
