#include "reference/reference.h"

#include "reference/expansion.h"
#include "steam/densitysolver.h"
#include "steam/iapws95.h"
#include "steam/iapws95coefficients.h"
#include "steam/rootfinding.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace qrv::reference {

namespace {

// EMagma, the denominator of the conversion ratios, is the magma's heat down to this.
constexpr double kMagmaReferenceK = 298;

struct Masses {
    double water;  // kg per kg of magma
    double rock;
};

void require(bool condition, const char* reason)
{
    if (!condition)
        throw ReferenceFailure(reason);
}

bool positive(double value)
{
    return std::isfinite(value) && value > 0;
}

Masses checkedMasses(const ReferenceInput& in)
{
    if (in.mixture == Mixture::WaterMagma) {
        require(positive(in.ratio), "the water/magma ratio R must be above 0");
        return {in.ratio, 0};
    }
    require(positive(in.ratio), "the sediment/magma ratio Rs must be above 0");
    require(positive(in.XWater) && in.XWater <= 1,
            "the water fraction X of the sediment must be above 0 and at most 1");
    return {in.ratio * in.XWater, in.ratio * (1 - in.XWater)};
}

void checkConditions(const ReferenceInput& in)
{
    require(std::isfinite(in.TMagma) && in.TMagma > kMagmaReferenceK,
            "the magma temperature must be above 298 K, where the magma's heat is counted from");
    require(positive(in.CMagma), "the heat capacity of the magma must be above 0");
    require(std::isfinite(in.CRock) && in.CRock >= 0,
            "the heat capacity of the rock must not be negative");
    require(std::isfinite(in.TInit), "the initial temperature is not a number");
    require(in.TInit >= steam::kMinTemperatureK,
            "the initial water is below the triple point (273.16 K): ice has no IAPWS-95 "
            "reference");
    require(positive(in.PInit), "the initial pressure must be above 0");
    require(std::isfinite(in.PFinal) && in.PFinal >= steam::iapws95::kTriplePointPressurePa,
            "the final pressure must be at least the triple-point pressure (611.657 Pa)");
}

// Runs one step of the reference; whatever stops it becomes a reason naming the step.
template <class Step>
auto inStep(const char* name, Step&& step)
{
    try {
        return step();
    } catch (const std::exception& e) {
        throw ReferenceFailure(std::string(name) + ": " + e.what());
    }
}

// Constant-volume heating: the temperature where the water's energy gain plus the rock's
// equals the magma's loss, m_w (u(T, rho0) - u0) + m_r CRock (T - TInit) = CMagma (TMagma - T).
double equilibriumTemperature(const ReferenceInput& in, const Masses& masses,
                              const steam::Properties& initial)
{
    const double rockHeatCapacity = masses.rock * in.CRock;
    const auto balance = [&](double temperatureK) -> steam::ValueAndSlope {
        const steam::Properties water = steam::propertiesAt(temperatureK, initial.density);
        return {masses.water * (water.internalEnergy - initial.internalEnergy)
                    + rockHeatCapacity * (temperatureK - in.TInit)
                    - in.CMagma * (in.TMagma - temperatureK),
                masses.water * water.cv + rockHeatCapacity + in.CMagma};
    };
    // The mix temperature with the water's heat capacity held at its initial value.
    const double waterHeatCapacity = masses.water * initial.cv + rockHeatCapacity;
    const double guess = (in.CMagma * in.TMagma + waterHeatCapacity * in.TInit)
        / (in.CMagma + waterHeatCapacity);
    const std::optional<double> temperatureK = steam::increasingRoot(
        balance, std::min(in.TInit, in.TMagma), std::max(in.TInit, in.TMagma), guess);
    if (!temperatureK)
        throw ReferenceFailure("the energy balance did not converge");
    return *temperatureK;
}

bool withinValidity(double pressurePa, double temperatureK)
{
    return temperatureK >= steam::kMinTemperatureK && temperatureK <= steam::kMaxTemperatureK
        && pressurePa > 0 && pressurePa <= steam::kMaxPressurePa;
}

// W = m_w (UEq - u_end) + C (TEq - T_end): the water's energy plus the heat the companions
// of heat capacity C (per kg of magma) gave up on the way.
PathResult path(const Reference& eq, const ReferenceInput& in, double waterMass,
                double companionHeatCapacity)
{
    const EndState end = expandReversibly(in.PFinal, eq.TEq, eq.SEq,
                                          companionHeatCapacity / waterMass);
    PathResult result;
    result.W = waterMass * (eq.UEq - end.internalEnergy)
        + companionHeatCapacity * (eq.TEq - end.temperatureK);
    result.CR = 100 * result.W / (in.CMagma * (in.TMagma - kMagmaReferenceK));
    result.X = end.steamFraction;
    result.TFinal = end.temperatureK;
    result.phase = end.phase;
    return result;
}

Reference compute(const ReferenceInput& in)
{
    const Masses masses = checkedMasses(in);
    checkConditions(in);
    const steam::Properties initial = inStep("initial water", [&] {
        return steam::extrapolatedStateAt(in.PInit, in.TInit).properties;
    });

    Reference r;
    r.TEq = inStep("equilibrium", [&] { return equilibriumTemperature(in, masses, initial); });
    const steam::Properties eq = steam::propertiesAt(r.TEq, initial.density);
    r.PEq = eq.pressurePa;
    r.SEq = eq.entropy;
    r.UEq = eq.internalEnergy;
    r.RhoEq = initial.density;

    r.adiabatic = inStep("adiabatic path", [&] { return path(r, in, masses.water, 0); });
    r.isothermal = inStep("isothermal path", [&] {
        return path(r, in, masses.water, in.CMagma + masses.rock * in.CRock);
    });
    r.outsideValidity = !withinValidity(in.PInit, in.TInit) || !withinValidity(r.PEq, r.TEq)
        || !withinValidity(in.PFinal, r.adiabatic.TFinal)
        || !withinValidity(in.PFinal, r.isothermal.TFinal);

    for (double value : {r.PEq, r.SEq, r.UEq, r.adiabatic.W, r.isothermal.W})
        require(std::isfinite(value), "IAPWS-95 gave no finite value for this run");
    return r;
}

} // namespace

std::string_view phaseName(Phase phase)
{
    switch (phase) {
    case Phase::Liquid:
        return "liquid";
    case Phase::TwoPhase:
        return "two-phase";
    case Phase::Vapour:
        return "vapour";
    case Phase::Supercritical:
        return "supercritical";
    }
    return {};
}

ReferenceOutcome computeReference(const ReferenceInput& input) noexcept
{
    try {
        return {compute(input), {}};
    } catch (const std::exception& e) {
        return {std::nullopt, e.what()};
    }
}

} // namespace qrv::reference
