#include "model/statesat.h"

#include "model/calcstate.h"
#include "model/fitterms.h"
#include "model/modelevents.h"

namespace qrv {

// Saturation-line fits of NIST steam-table data. T in K, p in MPa; entropies and energies
// come out in kJ and are scaled to J here.
namespace {

// Temperature-given form.
constexpr double kLnPressureOfT[] = {3.7039648, 3.7824133e-6, -918969.62};                  // a + b T^2 + c / T^2
constexpr double kSfOfT[] = {6.0169266, -0.10303774, 0.00027167719, -9.5076124e-5, 1.2597438e-6}; // a + b T + c T^2 ln T + d T^2.5 + e T^3
constexpr double kSgOfT[] = {10.612052, 0.056543185, -0.00025990405, 9.7399233e-5, -1.3863983e-6};
constexpr double kUfOfT[] = {7815.419, -108.75791, 0.836068644, -0.043976868, 0.00067474895};    // a + b T + c T^2 + d T^2.5 + e T^3
constexpr double kLnUfgNumerator[] = {0.027144803, -0.47584856, 0.00071287737};               // (a + b T + c T^2) / (1 + d T + e T^2)
constexpr double kLnUfgDenominator[] = {1.0, -0.06557591, 9.490539e-5};

// Pressure-given form.
constexpr double kTOfP[] = {409.084818, -2.0534683, 45.716875, 22.102139, 0.70465443};       // a + b p + c p^0.5 + d ln p + e / p^0.5
constexpr double kSfOfP[] = {1.8228993, 8.4402185e-11, 0.30580081, 0.25337473};             // a + b exp(p) + c p^0.5 + d ln p
constexpr double kSgOfP[] = {6.5752332, 0.010654502, -0.0084828016, -1.0444606e-10, -0.34600313}; // a + b p + c p^1.5 + d exp(p) + e ln p
constexpr double kUfOfP[] = {570.41901, 5.4378483, 4.6731253e-8, 185.43419, 81.330588};       // a + b p + c exp(p) + d p^0.5 + e ln p
constexpr double kUgOfP[] = {2449.2126, -42.130067, 163.19341, -6.3147955e-8, -0.0024255726}; // a + b p + c p^0.5 + d exp(p) + e / p^2

// Both forms: liquid volume and the vapour volume term, m3/kg.
constexpr double kLnVfNumerator[] = {0.387487, -0.020909525, -0.00058610231};                // (a T + b + c T^2) / (1 + d T + e T^2)
constexpr double kLnVfDenominator[] = {1.0, -0.060568018, 8.9022127e-5};
constexpr double kLnVfgOfT[] = {37729.792, 1728.1452, -9.3558194};                          // a / T^1.5 + b / T + c

// The saturation point at normal pressure is pinned to 373 K / 0.1 MPa exactly.
constexpr float kNormalBoilingK = 373.0f;
constexpr float kNormalPressureMPa = 0.1f;

Real quadratic(const double (&c)[3], Real x, Real xSquared) { return sumOf({c[0], c[1] * x, c[2] * xSquared}); }

// The walk of the isothermal path asks for one saturation state per kelvin, so the powers
// of T are taken once and shared by the fits.
void atTemperature(CalcState& s)
{
    const Real t = s.TSat;
    const Real t2 = t * t;
    const auto& p = kLnPressureOfT;
    Real pressure = 1e6 * exp(sumOf({p[0], p[1] * t2, p[2] / t2}));
    if (s.TSat == kNormalBoilingK)
        pressure = 1e5;
    s.PSat = pascals(pressure);

    const Real t2LnT = t2 * log(t);
    const Real t25 = pow(t, 2.5);
    const Real t3 = pow(t, 3.0);
    const auto entropy = [&](const double(&c)[5]) {
        return 1000.0 * sumOf({c[0], c[1] * t, c[2] * t2LnT, c[3] * t25, c[4] * t3});
    };
    s.SfSat = single(entropy(kSfOfT));
    s.SgSat = single(entropy(kSgOfT));
    const auto& u = kUfOfT;
    s.UfSat = single(1000.0 * sumOf({u[0], u[1] * t, u[2] * t2, u[3] * t25, u[4] * t3}));
    s.UfgSat = single(1000.0 * exp(quadratic(kLnUfgNumerator, t, t2) / quadratic(kLnUfgDenominator, t, t2)));
}

void atPressure(CalcState& s)
{
    const float pressureMPa = single(Real(s.PSat) / 1e6);
    const Real p = pressureMPa;
    const auto& c = kTOfP;
    Real t = sumOf({c[0], c[1] * p, c[2] * pow(p, 0.5), c[3] * log(p), c[4] / pow(p, 0.5)});
    if (pressureMPa == kNormalPressureMPa)
        t = kNormalBoilingK;
    if (t > Real(s.TCrit))
        t = s.TCrit;
    s.TSat = kelvin(t);

    const auto& sf = kSfOfP;
    s.SfSat = single(1000.0 * sumOf({sf[0], sf[1] * exp(p), sf[2] * pow(p, 0.5), sf[3] * log(p)}));
    const auto& sg = kSgOfP;
    s.SgSat = single(1000.0 * sumOf({sg[0], sg[1] * p, sg[2] * pow(p, 1.5), sg[3] * exp(p), sg[4] * log(p)}));
    const auto& uf = kUfOfP;
    s.UfSat = single(1000.0 * sumOf({uf[0], uf[1] * p, uf[2] * exp(p), uf[3] * pow(p, 0.5), uf[4] * log(p)}));
    const auto& ug = kUgOfP;
    s.UgSat = single(1000.0 * sumOf({ug[0], ug[1] * p, ug[2] * pow(p, 0.5), ug[3] * exp(p), ug[4] / pow(p, 2.0)}));
}

void volumes(CalcState& s)
{
    const Real t = s.TSat;
    const Real t2 = t * t;
    const auto& v = kLnVfNumerator;
    s.VfSat = single(exp(sumOf({v[0] * t, v[1], v[2] * t2}) / quadratic(kLnVfDenominator, t, t2)));
    const auto& g = kLnVfgOfT;
    s.VfgSat = single(exp(sumOf({g[0] / pow(t, 1.5), g[1] / t, g[2]})));
}

} // namespace

void StateSat(CalcState& s, ModelEvents& events)
{
    try {
        if (s.TSat != 0.0f)
            atTemperature(s);
        else
            atPressure(s);
        volumes(s);
    } catch (const EngineFault& f) {
        events.fault("StateSat", f);
    }
}

} // namespace qrv
