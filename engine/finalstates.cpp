#include "engine/finalstates.h"

#include "engine/calcstate.h"
#include "engine/progress.h"
#include "engine/waterstates.h"

namespace qrv {

namespace {

// Below this final temperature a supercritical end state counts as compressed liquid.
constexpr float kSupercriticalLiquidK = 473.0f;

} // namespace

void saturateAtFinalPressure(CalcState& s, EngineHost& host)
{
    s.TSat = 0.0f;
    s.PSat = s.PFinal;
    StateSat(s, host);
}

void endAtSupercriticalPressure(CalcState& s, EngineHost& host)
{
    StateSuper(s, host);
    s.XFinal = 0.0f;
    if (s.TFinal > kSupercriticalLiquidK) {
        showPathCaption(host, "Supercritical final state");
        return;
    }
    showPathCaption(host, "Supercooled final state");
    s.TSat = s.TFinal;
    s.PSat = s.PFinal;
    StateSat(s, host);
    s.UFinal = s.UEq;
    s.VFinal = s.VfSat;
}

} // namespace qrv
