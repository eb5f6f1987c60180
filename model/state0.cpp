#include "model/state0.h"

#include "model/calcstate.h"
#include "model/fitterms.h"
#include "model/modelevents.h"
#include "model/statesat.h"

namespace qrv {

// Heated-water fits of NIST steam-table data along the extrapolated liquid branch, T in K.
namespace {

constexpr double kLnPressure[] = {6.579631, -1.6683437e-8, -29545.657};                         // a + b T^2.5 + c / T^1.5 (MPa)
constexpr double kDensity[] = {1831.1878, -1.5812397, 8.9659475e-6, -112351.75};                // a + b T + c T^2.5 + d / T (kg/m3)
constexpr double kEnergy[] = {-1022.3462, 2.4525152, 0.11623452, -0.0022658238};                // a + b T + c T^1.5 + d T^2 (kJ/kg)
constexpr double kCp[] = {10.905425, -0.059414091, 0.00027938557, -1.1176455e-5, 1.2674987e-7}; // a + b T + c T^2 + d T^2.5 + e T^3 (kJ/(kg K))
constexpr double kGamma[] = {2.9987786, -0.020256599, 0.00010336904, -4.145614e-6, 4.6790898e-8}; // same form as Cp

Real quartic(const double (&c)[5], Real t)
{
    return sumOf({c[0], c[1] * t, c[2] * pow(t, 2.0), c[3] * pow(t, 2.5), c[4] * pow(t, 3.0)});
}

float steamFraction(CalcState& s, ModelEvents& events)
{
    if (s.PEq >= s.PCrit)
        return s.SEq >= s.SCrit ? 1.0f : 0.0f;
    s.TSat = s.TEq;
    StateSat(s, events);
    if (s.SfSat < s.SEq && s.SEq < s.SgSat)
        return single((Real(s.SEq) - s.SfSat) / (Real(s.SgSat) - s.SfSat));
    return s.SEq > s.SfSat ? 1.0f : 0.0f;
}

} // namespace

void State0(CalcState& s, ModelEvents& events)
{
    try {
        const Real t = s.TEq;
        s.SEq = single(Real(s.SInit) + Real(s.CvInit) * log(t / Real(s.TInit)));

        const auto& lp = kLnPressure;
        s.PEq = single(1e6 * exp(sumOf({lp[0], lp[1] * pow(t, 2.5), lp[2] / pow(t, 1.5)})));
        if (s.PEq < s.PInit)
            s.PEq = s.PInit;

        const auto& d = kDensity;
        s.RhoEq = single(sumOf({d[0], d[1] * t, d[2] * pow(t, 2.5), d[3] / t}));
        s.VEq = single(1.0 / Real(s.RhoEq));

        s.UEq = single(heatedWaterEnergy(t));
        s.CpEq = single(1000.0 * quartic(kCp, t));
        s.GammaEq = single(quartic(kGamma, t));
        s.CvEq = single(Real(s.CpEq) / Real(s.GammaEq));
        s.CvEqA = s.CvEq;
        s.CvEqB = s.CvEq;

        s.XEq = steamFraction(s, events);
    } catch (const EngineFault& f) {
        events.fault("State0", f);
    }
}

Real heatedWaterEnergy(Real t)
{
    const auto& u = kEnergy;
    return 1000.0 * sumOf({u[0], u[1] * t, u[2] * pow(t, 1.5), u[3] * pow(t, 2.0)});
}

} // namespace qrv
