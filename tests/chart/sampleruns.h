// A handful of runs as the expansion driver stores them, ratios in no particular order.
#pragma once

#include "runs/runstore.h"

namespace qrv::test {

inline SeriesRecord sampleRun(float ratio, float crIsothermal, float crAdiabatic, float sfIsothermal,
                              float sfAdiabatic)
{
    SeriesRecord r;
    r.R = ratio;
    r.TMagma = 1473;
    r.TWater = 298;
    r.PHydroMPa = 10;
    r.PFinalMPa = 0.1f;
    r.PEqMPa = 40 * ratio;
    r.TEq = 1400 - 300 * ratio;
    r.RhoEq = 200 + 150 * ratio;
    r.SEq = 6000 - 800 * ratio;
    r.CRAdiabatic = crAdiabatic;
    r.SFAdiabatic = sfAdiabatic;
    r.WFAdiabatic = 1 - sfAdiabatic;
    r.TFAdiabatic = 373;
    r.CRIsothermal = crIsothermal;
    r.SFIsothermal = sfIsothermal;
    r.WFIsothermal = 1 - sfIsothermal;
    r.TFIsothermal = 900 - 150 * ratio;
    return r;
}

inline void fillSampleRuns(RunStore& store)
{
    store.append(sampleRun(0.3f, 31.5f, 12.0f, 1.0f, 0.62f));
    store.append(sampleRun(0.1f, 18.2f, 7.5f, 1.0f, 0.81f));
    store.append(sampleRun(1.0f, 20.4f, 8.1f, 0.71f, 0.35f));
    store.append(sampleRun(0.6f, 27.9f, 10.6f, 0.93f, 0.48f));
    store.append(sampleRun(2.5f, 6.3f, 3.2f, 0.22f, 0.12f));
}

} // namespace qrv::test
