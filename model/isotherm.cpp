#include "model/isotherm.h"

#include "model/calcstate.h"
#include "model/finalstates.h"
#include "model/isobars.h"
#include "model/modelevents.h"
#include "model/real.h"
#include "model/statesat.h"
#include "model/statesuper.h"

#include <cstdint>

namespace qrv {

namespace {

// The straight path in temperature and entropy from the equilibrium state towards the
// final state, walked down in whole kelvins to find where it meets the steam dome.
struct DomeWalk {
    std::int16_t stepTemperature = 0;
    Real pathEntropy;
    Real entropySlope;

    // One kelvin down; the 16-bit temperature overflows rather than wrapping.
    void advance()
    {
        stepTemperature = int16(Real(stepTemperature) - 1.0);
        pathEntropy += entropySlope;
    }

    void saturate(CalcState& s, ModelEvents& events) const
    {
        s.TSat = stepTemperature;
        s.PSat = 0.0f;
        StateSat(s, events);
    }
};

// Sensible cooling of single-phase water plus what the expansion itself took from it.
Real singlePhaseWaterWork(const CalcState& s)
{
    return ((Real(s.TEq) - s.TFinal) * s.CvEqB + s.UEq - s.UFinal) * s.RWater;
}

Real expandSupercritical(CalcState& s, ModelEvents& events)
{
    endAtSupercriticalPressure(s, events);
    return singlePhaseWaterWork(s);
}

// Returns true when the path enters the two-phase region before it reaches TFinal.
bool walkToDome(CalcState& s, ModelEvents& events, DomeWalk& walk)
{
    walk.entropySlope = (Real(s.SFinal) - s.SEq) / (Real(s.TEq) - s.TFinal);
    walk.stepTemperature = int16(s.TEq);
    walk.pathEntropy = s.SEq;
    for (;;) {
        walk.advance();
        if (walk.stepTemperature <= s.TCrit) {
            walk.saturate(s, events);
            if (Real(s.SfSat) <= walk.pathEntropy && walk.pathEntropy <= Real(s.SgSat)) {
                events.pathStage(PathStage::IntoSteamDome);
                events.holdProgress();
                return true;
            }
        }
        if (walk.stepTemperature <= s.TFinal)
            return false;
    }
}

Real finishOutsideDome(CalcState& s, ModelEvents& events)
{
    bool supercooled = false;
    if (s.TFinal < s.TCrit) {
        saturateAtFinalPressure(s, events);
        supercooled = s.SFinal < s.SfSat;
    }
    if (supercooled) {
        events.pathStage(PathStage::Supercooled);
        events.holdProgress();
        s.XFinal = 0.0f;
        s.UFinal = s.UEq;
        return (Real(s.TEq) - s.TFinal) * s.CvEqB * s.RWater;
    }
    events.pathStage(PathStage::Superheated);
    events.holdProgress();
    s.XFinal = 1.0f;
    StateSuper(s, events);
    return singlePhaseWaterWork(s);
}

Real finishInsideDome(CalcState& s, ModelEvents& events, DomeWalk& walk)
{
    for (;;) {
        walk.advance();
        walk.saturate(s, events);
        if (walk.pathEntropy >= Real(s.SgSat))
            break;
        if (walk.stepTemperature <= s.TFinal) {
            events.pathStage(PathStage::TwoPhase);
            events.holdProgress();
            const Real sf = s.SfSat;
            const Real sfg = Real(s.SgSat) - sf;
            const Real domeQuality = (Real(s.SEq) - sf) / sfg;
            s.XFinal = single((walk.pathEntropy - sf) / sfg);
            const Real evaporation = Real(s.UfgSat) - Real(s.VfgSat) * s.PSat;
            return ((Real(s.TEq) - s.TFinal) * s.CvEq + evaporation * domeQuality - evaporation * s.XFinal) * s.RWater;
        }
    }
    // Left the dome on the vapour side: two-phase cooling down to the exit, then vapour.
    events.pathStage(PathStage::Superheated);
    events.holdProgress();
    s.XFinal = 1.0f;
    StateSuper(s, events);
    const Real exit = walk.stepTemperature;
    return ((Real(s.TEq) - exit) * s.CvEq + s.UEq - s.UFinal) * s.RWater
        + (exit - s.TFinal) * s.CvEqB * s.RWater;
}

} // namespace

void Isotherm(CalcState& s, ModelEvents& events)
{
    try {
        s.IsoError = false;
        s.WIsothermal = 0.0f;
        s.UFinal = s.UEq;
        s.XFinal = 0.0f;
        s.TFinal = 0.0f;

        const Real k = (Real(s.RGas) * s.RWater) / (Real(s.CvEqA) * s.RWater + s.CMagma);
        s.TFinal = kelvin(Real(s.TEq) * pow(Real(s.PFinal) / s.PEq, k));
        if (s.TFinal < s.TAdiabatic)
            s.TFinal = s.TAdiabatic;

        // Liquid that ends at or below boiling follows the heating law; anything hotter
        // takes the superheated-steam isobars, never below the equilibrium entropy.
        bool heatingLaw = false;
        if (s.PFinal < s.PCrit) {
            saturateAtFinalPressure(s, events);
            if (s.TFinal <= s.TSat) {
                s.SFinal = single(Real(s.CvInit) * log(Real(s.TEq) / s.TFinal) + s.SEq);
                heatingLaw = true;
            }
        }
        if (!heatingLaw) {
            s.SFinal = single(superheatedEntropy(s.TFinal, s.PFinal, s.RGas));
            if (s.SFinal < s.SEq)
                s.SFinal = s.SEq;
        }

        Real waterWork;
        if (s.PFinal >= s.PCrit) {
            waterWork = expandSupercritical(s, events);
        } else {
            DomeWalk walk;
            const bool entered = s.TEq > s.TFinal && walkToDome(s, events, walk);
            waterWork = entered ? finishInsideDome(s, events, walk) : finishOutsideDome(s, events);
        }
        s.WIsothermal = single(waterWork + (Real(s.TEq) - s.TFinal) * s.CMagma);
    } catch (const EngineFault& f) {
        events.fault("Isotherm", f);
    }
}

} // namespace qrv
