// The driver of the expansion: runs both paths, shows their progress and results on the
// results window and stores the run.
#pragma once

namespace qrv {

struct CalcState;
class EngineHost;
class RunStore;

// True when the run completed: both paths' results are shown (even if the store refused the run).
bool Calculate2(CalcState& s, RunStore& store, EngineHost& host);

} // namespace qrv
