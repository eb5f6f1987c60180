// Water property states from closed-form fits of steam-table data.
#pragma once

namespace qrv {

struct CalcState;
class EngineHost;

// Heated water at TEq by entropy extrapolation, classified by steam fraction.
void State0(CalcState& s, EngineHost& host);
// Saturation properties: at TSat when it is non-zero, else at the pressure PSat.
void StateSat(CalcState& s, EngineHost& host);
// Superheated steam at PFinal for the entropy SFinal; finds TFinal when it is 0.
void StateSuper(CalcState& s, EngineHost& host);

} // namespace qrv
