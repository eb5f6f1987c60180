// The reference panel of the results window, filled through the engine's host so that the
// desktop program and qrv-cli show, copy and print the same texts. The routines never call
// it: the caller fills it once a run has completed, or a results file has been opened.
#pragma once

#include "reference/reference.h"

namespace qrv {
class EngineHost;
}

namespace qrv::reference {

// Works the reference of a run's inputs and shows it: the equilibrium and both paths, with
// the validity flag when it is set, or empty values and why there is no reference. Returns it
// for the reports that give it in other forms.
ReferenceOutcome showReference(EngineHost& host, const ReferenceInput& run);

// A run that failed has no results, so its reference panel shows no values either, and says why.
void clearReference(EngineHost& host);

} // namespace qrv::reference
