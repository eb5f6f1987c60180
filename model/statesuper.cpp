#include "model/statesuper.h"

#include "model/calcstate.h"
#include "model/fitterms.h"
#include "model/modelevents.h"

#include <array>
#include <cstddef>

namespace qrv {

// Superheated-steam fits of NIST steam-table data at eight pressure levels, s in kJ/(kg K).
namespace {

struct TemperatureFit { double a, b, c, d; };  // T = a + b s^1.5 + c s^2.5 + d / s^2 (K)
struct EnergyFit { double e, f, g, h; };       // U = e + f s^2 + g s^2.5 + h s^3 (kJ/kg)
struct VolumeFit { double i, j; };             // v = i + j s^3 (m3/kg)

constexpr std::array<double, 8> kLevelPa = {1e5, 1e6, 5e6, 1e7, 2e7, 4e7, 8e7, 1.2e8};

// The 1 and 5 MPa temperature rows are refitted to IAPWS-95 superheated steam at exactly
// those pressures, from saturated vapour to s = 9 kJ/(kg K), by least squares (rerun with
// the fit-superheated tool). The rows carried before gave 1e7 K at 1 MPa, which capped
// every final temperature between 0.1 and 10 MPa at TEq.
//   1 MPa: s = 6.58502 .. 9 (453.03 .. 1317 K), largest deviation 1.105 K at saturated vapour
//   5 MPa: s = 5.97367 .. 9 (537.09 .. 1749 K), largest deviation 2.044 K at s = 9
// Above 1273 K the fits follow IAPWS-95 as extrapolated beyond its range.
constexpr TemperatureFit kRefittedTemperature1MPa = {-804.0796337, -23.65514674, 10.2102487, 22530.96382};
constexpr TemperatureFit kRefittedTemperature5MPa = {-1389.540672, 22.80334862, 8.895594333, 29114.95595};

constexpr std::array<TemperatureFit, 8> kTemperature = {{
    {2565.1034, -228.19458, 19.66958, -28565.0},
    kRefittedTemperature1MPa,
    kRefittedTemperature5MPa,
    {-1788.4942, 58.563848, 7.1863747, 33318.048},
    {514.47209, -130.99152, 21.27548, 9975.1225},
    {436.33361, -1.6528942, 5.7807142, -20.082598},
    {372.85974, 22.097302, 3.8271371, -10.714271},
    {350.41073, 30.378553, 3.4981544, -7.2378636},
}};

constexpr std::array<EnergyFit, 8> kEnergy = {{
    {365.59311, 521.65, -325.58077, 54.502658},
    {499.68331, 546.3348, -354.23575, 62.372397},
    {-70.802874, 738.35253, -476.74895, 83.975566},
    {-544.91864, 898.77668, -577.77697, 101.21781},
    {-1205.4369, 1132.6568, -726.12067, 126.48858},
    {71.804257, 379.38852, -204.79386, 34.061713},
    {82.61863, 351.41577, -184.71873, 31.254894},
    {84.222284, 355.54187, -191.75636, 33.919484},
}};

constexpr std::array<VolumeFit, 8> kVolume = {{
    {-1.165874, 0.006955651},
    {-0.075031727, 0.00092494596},
    {-0.010979455, 0.00023480429},
    {-0.0055186739, 0.00013316601},
    {-0.0032527117, 7.7305573e-05},
    {-0.00032063148, 3.704412e-05},
    {0.00068333349, 1.9619264e-05},
    {0.00082047663, 1.3388194e-05},
}};

Real temperatureAt(std::size_t level, Real s)
{
    const auto& c = kTemperature[level];
    return sumOf({c.a, c.b * pow(s, 1.5), c.c * pow(s, 2.5), c.d / pow(s, 2.0)});
}

Real energyAt(std::size_t level, Real s)
{
    const auto& c = kEnergy[level];
    return sumOf({c.e, c.f * pow(s, 2.0), c.g * pow(s, 2.5), c.h * pow(s, 3.0)});
}

Real volumeAt(std::size_t level, Real s)
{
    const auto& c = kVolume[level];
    return c.i + c.j * pow(s, 3.0);
}

// The lower level of the pair that brackets the pressure; the 80/120 MPa pair also
// extrapolates above 120 MPa.
std::size_t lowerLevel(float pressurePa)
{
    std::size_t level = 0;
    while (level + 2 < kLevelPa.size() && pressurePa >= kLevelPa[level + 1])
        ++level;
    return level;
}

// A fitted quantity at the pressure: the 0.1 MPa level alone at and below 0.1 MPa,
// else linear in pressure between the bracketing levels.
template <typename Fit>
Real atPressure(Fit fit, float pressurePa, Real s)
{
    if (pressurePa <= kLevelPa[0])
        return fit(0, s);
    const std::size_t lo = lowerLevel(pressurePa);
    const Real low = fit(lo, s);
    const Real high = fit(lo + 1, s);
    return low + (high - low) * (Real(pressurePa) - kLevelPa[lo]) / (kLevelPa[lo + 1] - kLevelPa[lo]);
}

} // namespace

void StateSuper(CalcState& s, ModelEvents& events)
{
    try {
        const Real entropy = Real(s.SFinal) / 1000.0;
        if (s.TFinal == 0.0f) {
            s.TFinal = kelvin(atPressure(temperatureAt, s.PFinal, entropy));
            if (s.TFinal > s.TEq)
                s.TFinal = s.TEq;
        }
        const Real energy = atPressure(energyAt, s.PFinal, entropy);
        const Real volume = atPressure(volumeAt, s.PFinal, entropy);
        s.SFinal = single(1000.0 * entropy);
        s.UFinal = single(1000.0 * energy);
        s.VFinal = single(volume);
        if (s.VFinal < s.VEq)
            s.VFinal = s.VEq;
    } catch (const EngineFault& f) {
        events.fault("StateSuper", f);
    }
}

} // namespace qrv
