#include "engine/equilibrium.h"

#include "engine/calcstate.h"
#include "engine/enginehost.h"
#include "engine/equilibriumwindow.h"
#include "engine/numberformat.h"
#include "engine/real.h"
#include "engine/waterstates.h"

#include <string>

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
// range; otherwise the user is told and the entropy extrapolation takes over.
void heatAtConstantVolume(CalcState& s, EngineHost& host)
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
        host.message("Out of useful range for Redlich-Kwong EOS.", Icon::Critical);
        State0(s, host);
    } else if (s.PEq < 0.0f) {
        host.message("Redlich-Kwong extrapolation failed!\nUsing entropy extrapolation.", Icon::Critical);
        State0(s, host);
    }
}

std::string ratioCaption(const CalcState& s)
{
    if (s.XWater == 1.0f)
        return "R = " + formatFixed(s.RInput, 3);
    return "Rs = " + formatFixed(s.RInput, 3) + "  --  R = " + formatFixed(s.RWater, 3);
}

void showEquilibrium(const CalcState& s, EngineHost& host)
{
    using namespace equilibriumwindow;
    showText(host, kRatio, ratioCaption(s));
    showText(host, kMagmaTemperature, "Tmagma = " + formatFixed(s.TMagma, 0));
    showNumber(host, kTemperature, s.TEq);
    showNumber(host, kEntropy, s.SEq / 1000.0);
    showNumber(host, kPressure, s.PEq / 1e6);
    showNumber(host, kDensity, s.RhoEq);
    showNumber(host, kInternalEnergy, s.UEq / 1000.0);
    showNumber(host, kHeatCapacity, s.CpEq / 1000.0);
    showNumber(host, kGamma, s.GammaEq);
    showNumber(host, kSteamFraction, s.XEq);
}

} // namespace

bool Calculate1(CalcState& s, EngineHost& host)
{
    const int faultsBefore = host.faultsReported();
    try {
        s.CMix = single((1.0 - Real(s.XWater)) * s.CRock + Real(s.CvInit) * s.XWater);
        s.TEq = kelvin(equilibriumTemperature(s));
        if (s.ConstVolume)
            heatAtConstantVolume(s, host);
        else
            State0(s, host);
        showEquilibrium(s, host);
    } catch (const EngineFault& f) {
        reportFault(host, "Calculate1", f.description());
    }
    return host.faultsReported() == faultsBefore && s.PEq >= 0.0f;
}

} // namespace qrv
