#include "engine/expansion.h"

#include "engine/calcstate.h"
#include "engine/enginehost.h"
#include "engine/finalstates.h"
#include "engine/progress.h"
#include "engine/real.h"
#include "engine/waterstates.h"

namespace qrv {

namespace {

void expandSubcritical(CalcState& s, EngineHost& host)
{
    saturateAtFinalPressure(s, host);
    s.TFinal = s.TEq < s.TSat ? s.TEq : s.TSat;

    if (s.SfSat < s.SFinal && s.SFinal < s.SgSat) {
        showPathCaption(host, "Two-phase final state");
        s.XFinal = single((Real(s.SEq) - s.SfSat) / (Real(s.SgSat) - s.SfSat));
        s.UFinal = single((Real(s.UgSat) - s.UfSat) * s.XFinal + s.UfSat);
        s.VFinal = single(Real(s.VfgSat) * s.XFinal + s.VfSat);
    } else if (s.SFinal > s.SfSat) {
        showPathCaption(host, "Superheated final state");
        s.XFinal = 1.0f;
        s.TFinal = 0.0f;
        StateSuper(s, host);
    } else {
        showPathCaption(host, "Supercooled final state");
        s.XFinal = 0.0f;
        s.UFinal = s.UfSat;
        s.VFinal = s.VfSat;
    }
}

void expandSupercritical(CalcState& s, EngineHost& host)
{
    s.XFinal = 1.0f;
    s.TFinal = 0.0f;
    endAtSupercriticalPressure(s, host);
}

} // namespace

void Adiabat(CalcState& s, EngineHost& host)
{
    try {
        s.WAdiabatic = 0.0f;
        s.UFinal = s.UEq;
        s.XFinal = 0.0f;
        s.SFinal = s.SEq;
        s.AdiError = false;

        if (s.PFinal < s.PCrit)
            expandSubcritical(s, host);
        else
            expandSupercritical(s, host);

        s.WAdiabatic = single((Real(s.UEq) - s.UFinal) * s.RWater);
        pauseForCaption(host);
    } catch (const EngineFault& f) {
        reportFault(host, "Adiabat", f.description());
    }
}

} // namespace qrv
