#include "steam/densitysolver.h"

#include "steam/iapws95coefficients.h"
#include "steam/saturation.h"

#include <algorithm>
#include <cmath>

namespace qrv::steam {

using namespace iapws95;

namespace {

// Above every density the formulation reaches within its range (about 1250 kg/m3 at 1000 MPa).
constexpr double kMaxDensity = 1500.0;
constexpr int kMaxIterations = 200;
// A Newton step this small leaves an error far below it.
constexpr double kTolerance = 1e-12;
// The auxiliary saturation pressure agrees with IAPWS-95 to better than 0.1 %; closer than
// this the saturation state is computed exactly before the branch is chosen.
constexpr double kAuxiliaryMargin = 0.01;
// A solved density reproduces the pressure far closer than this (the stiff liquid to about
// 1e-4 Pa); a larger miss means the root lies outside the density bracket.
constexpr double kPressureMissRelative = 1e-6;
constexpr double kPressureMissPa = 1e-2;

double pressureResidual(double pressurePa, double temperatureK, double density)
{
    return pressureAt(temperatureK, density).pressurePa - pressurePa;
}

// Where the density underflows, at pressures below about 1e-150 Pa, the terms of the
// formulation stop being finite numbers: such a state has no answer.
State finiteState(const Properties& p, Phase phase)
{
    for (const double value : {p.pressurePa, p.temperatureK, p.density, p.specificVolume, p.internalEnergy,
                               p.enthalpy, p.entropy, p.cv, p.cp, p.speedOfSound, p.gibbsEnergy})
        if (!std::isfinite(value))
            throw OutOfRange("the properties at this state are not finite numbers (pressure too close to 0)");
    return {p, phase};
}

} // namespace

std::string phaseName(Phase phase)
{
    switch (phase) {
    case Phase::Liquid:
        return "liquid";
    case Phase::Vapour:
        return "vapour";
    case Phase::Supercritical:
        return "supercritical";
    }
    return {};
}

// Newton's method kept inside a shrinking bracket; a step that leaves the bracket or meets a
// non-positive slope is replaced by bisection.
double solveDensity(double pressurePa, double temperatureK, double lowDensity, double highDensity,
                    double guess)
{
    double low = lowDensity, high = highDensity;
    double density = std::clamp(guess, low, high);
    for (int i = 0; i < kMaxIterations; ++i) {
        const PressureTerms terms = pressureAt(temperatureK, density);
        const double residual = terms.pressurePa - pressurePa;
        if (residual < 0)
            low = density;
        else
            high = density;
        double next = density - residual / terms.dPdRho;
        if (!(terms.dPdRho > 0) || !(next > low && next < high))
            next = 0.5 * (low + high);
        if (std::abs(next - density) <= kTolerance * density)
            return next;
        density = next;
    }
    return density;
}

namespace {

void requireAboveTriplePoint(double temperatureK)
{
    if (!(temperatureK >= kMinTemperatureK)) {
        if (temperatureK > 0)
            throw OutOfRange("temperature below 273.16 K: ice is not covered");
        throw OutOfRange("temperature must be above 0 K");
    }
}

void requirePositive(double pressurePa)
{
    if (!(pressurePa > 0))
        throw OutOfRange("pressure must be above 0");
}

State stableState(double pressurePa, double temperatureK)
{
    const double idealGasDensity = pressurePa / (kGasConstant * temperatureK);
    if (temperatureK >= kCriticalTemperatureK) {
        const double density
            = solveDensity(pressurePa, temperatureK, 0, kMaxDensity, idealGasDensity);
        return finiteState(propertiesAt(temperatureK, density), Phase::Supercritical);
    }

    const SaturationAuxiliary aux = auxiliarySaturation(temperatureK);
    double liquidBound = aux.liquidDensity * (1 - kAuxiliaryMargin);
    double vapourBound = aux.vapourDensity * (1 + kAuxiliaryMargin);
    bool liquid = pressurePa > aux.pressurePa;
    // Close to saturation, or where the loose bounds could fall outside the metastable
    // branches (near the critical point), the exact saturation state decides.
    if (std::abs(pressurePa / aux.pressurePa - 1) < kAuxiliaryMargin
        || (liquid && pressureResidual(pressurePa, temperatureK, liquidBound) >= 0)
        || (!liquid && pressureResidual(pressurePa, temperatureK, vapourBound) <= 0)) {
        const Saturation sat = saturationAt(temperatureK);
        liquid = pressurePa >= sat.pressurePa;
        liquidBound = sat.liquidDensity;
        vapourBound = sat.vapourDensity;
    }
    if (liquid) {
        const double density
            = solveDensity(pressurePa, temperatureK, liquidBound, kMaxDensity, liquidBound);
        return finiteState(propertiesAt(temperatureK, density), Phase::Liquid);
    }
    const double density = solveDensity(pressurePa, temperatureK, 0, vapourBound,
                                        std::min(idealGasDensity, vapourBound));
    return finiteState(propertiesAt(temperatureK, density), Phase::Vapour);
}

} // namespace

State stateAt(double pressurePa, double temperatureK)
{
    requireAboveTriplePoint(temperatureK);
    if (!(temperatureK <= kMaxTemperatureK))
        throw OutOfRange("temperature above 1273 K is outside the range");
    requirePositive(pressurePa);
    if (!(pressurePa <= kMaxPressurePa))
        throw OutOfRange("pressure above 1000 MPa is outside the range");
    return stableState(pressurePa, temperatureK);
}

State extrapolatedStateAt(double pressurePa, double temperatureK)
{
    requireAboveTriplePoint(temperatureK);
    requirePositive(pressurePa);
    const State state = stableState(pressurePa, temperatureK);
    // Far beyond the range the density bracket may not hold the root any more.
    if (!(std::abs(state.properties.pressurePa - pressurePa)
          <= kPressureMissRelative * pressurePa + kPressureMissPa))
        throw OutOfRange("no fluid state found at this pressure and temperature");
    return state;
}

} // namespace qrv::steam
