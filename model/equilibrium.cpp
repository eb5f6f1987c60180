#include "model/equilibrium.h"

#include "model/calcstate.h"
#include "model/modelevents.h"
#include "model/real.h"
#include "model/state0.h"

namespace qrv {

namespace {

constexpr double kFreezingK = 273.0;
constexpr double kIceCpAtFreezing = 2050.0;  // J/(kg K)
constexpr double kIceCpSlope = 0.66;         // J/(kg K2), below the freezing point

// Redlich-Kwong constants of water: a = 0.42748 R^2 Tc^2.5 / Pc, b = 0.08662 R Tc / Pc.
constexpr double kRedlichKwongA = 0.42748;
constexpr double kRedlichKwongB = 0.08662;

Real equilibriumTemperature(const CalcState& s)
{
    const Real r = s.RInput;
    const Real cMix = s.CMix;
    const Real tInit = s.TInit;
    const Real heat = Real(s.TMagma) * s.CMagma;
    const Real capacity = r * cMix + s.CMagma;
    if (s.TInit < kFreezingK) {
        const Real below = kFreezingK - tInit;
        const Real iceCp = ((kIceCpAtFreezing - kIceCpSlope * below) + kIceCpAtFreezing) / 2.0;
        return (r * cMix * tInit + heat - Real(s.LIce) * r - r * iceCp * below) / capacity;
    }
    return (r * cMix * tInit + heat) / capacity;
}

// Heats at the fixed initial volume. The Redlich-Kwong result is kept only while it is in
// range; otherwise the listener is warned and the entropy extrapolation takes over.
void heatAtConstantVolume(CalcState& s, ModelEvents& events)
{
    s.VEq = s.VInit;
    s.RhoEq = single(1.0 / Real(s.VInit));
    const Real rGas = s.RGas;
    const Real tCrit = s.TCrit;
    const Real pCrit = s.PCrit;
    const Real a = kRedlichKwongA * pow(rGas, 2.0) * pow(tCrit, 2.5) / pCrit;
    const Real b = kRedlichKwongB * rGas * tCrit / pCrit;

    const Real t = s.TEq;
    const Real v = s.VEq;
    const Real rt = single(rGas * t);
    s.PEq = single(rt / (v - b) - a / (pow(t, 0.5) * v * (v + b)));

    const float reducedPressure = single(Real(s.PEq) / pCrit);
    const float halfReducedTemperature = single(t / tCrit / 2.0);
    if (reducedPressure > halfReducedTemperature) {
        events.warning(ModelWarning::RedlichKwongOutOfRange);
        State0(s, events);
    } else if (s.PEq < 0.0f) {
        events.warning(ModelWarning::RedlichKwongExtrapolation);
        State0(s, events);
    }
}

} // namespace

bool Calculate1(CalcState& s, ModelEvents& events)
{
    const int faultsBefore = events.faultsReported();
    try {
        s.CMix = single((1.0 - Real(s.XWater)) * s.CRock + Real(s.CvInit) * s.XWater);
        s.TEq = kelvin(equilibriumTemperature(s));
        if (s.ConstVolume)
            heatAtConstantVolume(s, events);
        else
            State0(s, events);
        events.equilibriumFound(s);
    } catch (const EngineFault& f) {
        events.fault("Calculate1", f);
    }
    return events.faultsReported() == faultsBefore && s.PEq >= 0.0f;
}

} // namespace qrv
