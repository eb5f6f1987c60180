#include "model/adiabat.h"

#include "model/calcstate.h"
#include "model/finalstates.h"
#include "model/modelevents.h"
#include "model/real.h"
#include "model/statesat.h"
#include "model/statesuper.h"

namespace qrv {

namespace {

void expandSubcritical(CalcState& s, ModelEvents& events)
{
    saturateAtFinalPressure(s, events);
    s.TFinal = s.TEq < s.TSat ? s.TEq : s.TSat;

    if (s.SfSat < s.SFinal && s.SFinal < s.SgSat) {
        events.pathStage(PathStage::TwoPhase);
        s.XFinal = single((Real(s.SEq) - s.SfSat) / (Real(s.SgSat) - s.SfSat));
        s.UFinal = single((Real(s.UgSat) - s.UfSat) * s.XFinal + s.UfSat);
        s.VFinal = single(Real(s.VfgSat) * s.XFinal + s.VfSat);
    } else if (s.SFinal > s.SfSat) {
        events.pathStage(PathStage::Superheated);
        s.XFinal = 1.0f;
        s.TFinal = 0.0f;
        StateSuper(s, events);
    } else {
        events.pathStage(PathStage::Supercooled);
        s.XFinal = 0.0f;
        s.UFinal = s.UfSat;
        s.VFinal = s.VfSat;
    }
}

void expandSupercritical(CalcState& s, ModelEvents& events)
{
    s.XFinal = 1.0f;
    s.TFinal = 0.0f;
    endAtSupercriticalPressure(s, events);
}

} // namespace

void Adiabat(CalcState& s, ModelEvents& events)
{
    try {
        s.WAdiabatic = 0.0f;
        s.UFinal = s.UEq;
        s.XFinal = 0.0f;
        s.SFinal = s.SEq;
        s.AdiError = false;

        if (s.PFinal < s.PCrit)
            expandSubcritical(s, events);
        else
            expandSupercritical(s, events);

        s.WAdiabatic = single((Real(s.UEq) - s.UFinal) * s.RWater);
        events.holdProgress();
    } catch (const EngineFault& f) {
        events.fault("Adiabat", f);
    }
}

} // namespace qrv
