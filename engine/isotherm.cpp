#include "engine/expansion.h"

#include "engine/calcstate.h"
#include "engine/enginehost.h"
#include "engine/finalstates.h"
#include "engine/isobars.h"
#include "engine/progress.h"
#include "engine/real.h"
#include "engine/waterstates.h"

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

    void saturate(CalcState& s, EngineHost& host) const
    {
        s.TSat = stepTemperature;
        s.PSat = 0.0f;
        StateSat(s, host);
    }
};

// Sensible cooling of single-phase water plus what the expansion itself took from it.
Real singlePhaseWaterWork(const CalcState& s)
{
    return ((Real(s.TEq) - s.TFinal) * s.CvEqB + s.UEq - s.UFinal) * s.RWater;
}

Real expandSupercritical(CalcState& s, EngineHost& host)
{
    endAtSupercriticalPressure(s, host);
    return singlePhaseWaterWork(s);
}

// Returns true when the path enters the two-phase region before it reaches TFinal.
bool walkToDome(CalcState& s, EngineHost& host, DomeWalk& walk)
{
    walk.entropySlope = (Real(s.SFinal) - s.SEq) / (Real(s.TEq) - s.TFinal);
    walk.stepTemperature = int16(s.TEq);
    walk.pathEntropy = s.SEq;
    for (;;) {
        walk.advance();
        if (walk.stepTemperature <= s.TCrit) {
            walk.saturate(s, host);
            if (Real(s.SfSat) <= walk.pathEntropy && walk.pathEntropy <= Real(s.SgSat)) {
                showPathCaption(host, "Expansion into steam dome");
                pauseForCaption(host);
                return true;
            }
        }
        if (walk.stepTemperature <= s.TFinal)
            return false;
    }
}

Real finishOutsideDome(CalcState& s, EngineHost& host)
{
    bool supercooled = false;
    if (s.TFinal < s.TCrit) {
        saturateAtFinalPressure(s, host);
        supercooled = s.SFinal < s.SfSat;
    }
    if (supercooled) {
        showPathCaption(host, "Supercooled final state");
        pauseForCaption(host);
        s.XFinal = 0.0f;
        s.UFinal = s.UEq;
        return (Real(s.TEq) - s.TFinal) * s.CvEqB * s.RWater;
    }
    showPathCaption(host, "Superheated final state");
    pauseForCaption(host);
    s.XFinal = 1.0f;
    StateSuper(s, host);
    return singlePhaseWaterWork(s);
}

Real finishInsideDome(CalcState& s, EngineHost& host, DomeWalk& walk)
{
    for (;;) {
        walk.advance();
        walk.saturate(s, host);
        if (walk.pathEntropy >= Real(s.SgSat))
            break;
        if (walk.stepTemperature <= s.TFinal) {
            showPathCaption(host, "Two-phase final state");
            pauseForCaption(host);
            const Real sf = s.SfSat;
            const Real sfg = Real(s.SgSat) - sf;
            const Real domeQuality = (Real(s.SEq) - sf) / sfg;
            s.XFinal = single((walk.pathEntropy - sf) / sfg);
            const Real evaporation = Real(s.UfgSat) - Real(s.VfgSat) * s.PSat;
            return ((Real(s.TEq) - s.TFinal) * s.CvEq + evaporation * domeQuality - evaporation * s.XFinal) * s.RWater;
        }
    }
    // Left the dome on the vapour side: two-phase cooling down to the exit, then vapour.
    showPathCaption(host, "Superheated final state");
    pauseForCaption(host);
    s.XFinal = 1.0f;
    StateSuper(s, host);
    const Real exit = walk.stepTemperature;
    return ((Real(s.TEq) - exit) * s.CvEq + s.UEq - s.UFinal) * s.RWater
        + (exit - s.TFinal) * s.CvEqB * s.RWater;
}

} // namespace

void Isotherm(CalcState& s, EngineHost& host)
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
            saturateAtFinalPressure(s, host);
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
            waterWork = expandSupercritical(s, host);
        } else {
            DomeWalk walk;
            const bool entered = s.TEq > s.TFinal && walkToDome(s, host, walk);
            waterWork = entered ? finishInsideDome(s, host, walk) : finishOutsideDome(s, host);
        }
        s.WIsothermal = single(waterWork + (Real(s.TEq) - s.TFinal) * s.CMagma);
    } catch (const EngineFault& f) {
        reportFault(host, "Isotherm", f.description());
    }
}

} // namespace qrv
