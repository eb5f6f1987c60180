// Water property states from closed-form fits of steam-table data.
#pragma once

namespace qrv {

struct CalcState;
class ModelEvents;

// Superheated steam at PFinal for the entropy SFinal; finds TFinal when it is 0.
void StateSuper(CalcState& s, ModelEvents& events);

} // namespace qrv
