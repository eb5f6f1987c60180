// Runs as the store keeps them, with the start-up temperatures and pressures, for the tests of
// the reference beside stored runs.
#pragma once

#include "runs/runstore.h"

namespace qrv::test {

inline SeriesRecord storedRun(float ratio, float waterFraction)
{
    SeriesRecord run;
    run.R = ratio;
    run.XWater = waterFraction;
    run.TMagma = 1473;
    run.TWater = 298;
    run.PHydroMPa = 0.1f;
    run.PFinalMPa = 0.1f;
    return run;
}

} // namespace qrv::test
