#include "model/finalstates.h"

#include "model/calcstate.h"
#include "model/modelevents.h"
#include "model/statesat.h"
#include "model/statesuper.h"

namespace qrv {

namespace {

// Below this final temperature a supercritical end state counts as compressed liquid.
constexpr float kSupercriticalLiquidK = 473.0f;

} // namespace

bool endsAsCompressedLiquid(const CalcState& s)
{
    return s.PFinal >= s.PCrit && s.TFinal <= kSupercriticalLiquidK;
}

void saturateAtFinalPressure(CalcState& s, ModelEvents& events)
{
    s.TSat = 0.0f;
    s.PSat = s.PFinal;
    StateSat(s, events);
}

void endAtSupercriticalPressure(CalcState& s, ModelEvents& events)
{
    StateSuper(s, events);
    s.XFinal = 0.0f;
    if (!endsAsCompressedLiquid(s)) {
        events.pathStage(PathStage::Supercritical);
        return;
    }
    events.pathStage(PathStage::Supercooled);
    s.TSat = s.TFinal;
    s.PSat = s.PFinal;
    StateSat(s, events);
    s.UFinal = s.UEq;
    s.VFinal = s.VfSat;
}

} // namespace qrv
