// The program's start: the calculation state's start-up values, written into the input
// window's boxes as it shows them.
#pragma once

namespace qrv {

struct CalcState;
class EngineHost;

void SetDefaults(CalcState& s, EngineHost& host);

} // namespace qrv
