// The sweep dialog's map: every point run on every core behind a progress window with Cancel,
// then the plot window, and one box for what the runs reported.
#pragma once

#include "calculation/runmap.h"

namespace qrv {

class Session;

// Runs the prepared map (prepareMap) and shows it in the plot window. A cancelled map, or one
// stopped by a close of the program, is not shown: its points that never ran would look like
// points without a result.
void runMapOnDesktop(Session& session, MapStudy map);

} // namespace qrv
