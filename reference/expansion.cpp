#include "reference/expansion.h"

#include "steam/densitysolver.h"
#include "steam/iapws95.h"
#include "steam/iapws95coefficients.h"
#include "steam/rootfinding.h"
#include "steam/saturation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace qrv::reference {

using steam::Properties;
using steam::ValueAndSlope;

namespace {

// Far above any magma; an end state is not looked for beyond.
constexpr double kHottestEndK = 20000;

class EntropyBalance {
public:
    EntropyBalance(double pressurePa, double startTemperatureK, double startEntropy,
                   double companionHeatCapacity)
        : m_pressurePa(pressurePa), m_startTemperatureK(startTemperatureK),
          m_startEntropy(startEntropy), m_companionHeatCapacity(companionHeatCapacity)
    {
    }

    double pressurePa() const { return m_pressurePa; }

    // The entropy the water must have at `temperatureK` to close the balance.
    double waterEntropyNeeded(double temperatureK) const
    {
        return m_startEntropy
            - m_companionHeatCapacity * std::log(temperatureK / m_startTemperatureK);
    }

    // How far the single-phase water at `temperatureK` has more entropy than needed; rises
    // with temperature as (cp + c) / T.
    ValueAndSlope excessEntropy(double temperatureK) const
    {
        const Properties water = steam::extrapolatedStateAt(m_pressurePa, temperatureK).properties;
        return {water.entropy - waterEntropyNeeded(temperatureK),
                (water.cp + m_companionHeatCapacity) / temperatureK};
    }

private:
    double m_pressurePa;
    double m_startTemperatureK;
    double m_startEntropy;
    double m_companionHeatCapacity;
};

struct BracketEnd {
    double temperatureK;
    double excessEntropy;
};

BracketEnd coldestEnd(const EntropyBalance& balance)
{
    const double temperatureK = steam::kMinTemperatureK;
    const double excess = balance.excessEntropy(temperatureK).value;
    if (excess > 0)
        throw ReferenceFailure("the water would end below the triple point (273.16 K), as ice");
    return {temperatureK, excess};
}

// Doubles the temperature from `fromK` until the water has at least the entropy needed.
BracketEnd hotEnoughEnd(const EntropyBalance& balance, double fromK)
{
    for (double temperatureK = fromK; temperatureK <= kHottestEndK; temperatureK *= 2) {
        const double excess = balance.excessEntropy(temperatureK).value;
        if (excess >= 0)
            return {temperatureK, excess};
    }
    throw ReferenceFailure("no final state below 20000 K");
}

struct SinglePhaseEnd {
    double temperatureK;
    double internalEnergy;
};

SinglePhaseEnd solveSinglePhase(const EntropyBalance& balance, BracketEnd low, BracketEnd high)
{
    const double span = high.excessEntropy - low.excessEntropy;
    const double falsePosition = span > 0
        ? low.temperatureK - low.excessEntropy * (high.temperatureK - low.temperatureK) / span
        : 0.5 * (low.temperatureK + high.temperatureK);
    const std::optional<double> temperatureK = steam::increasingRoot(
        [&balance](double t) { return balance.excessEntropy(t); }, low.temperatureK,
        high.temperatureK, falsePosition);
    if (!temperatureK)
        throw ReferenceFailure("the final temperature did not converge");
    const steam::State water = steam::extrapolatedStateAt(balance.pressurePa(), *temperatureK);
    return {*temperatureK, water.properties.internalEnergy};
}

// The two ends of the saturation line at a pressure.
struct SaturatedEnds {
    double temperatureK;
    Properties liquid;
    Properties vapour;
};

// Both paths of a run end at the same ambient pressure, and so does every run of a sweep:
// the saturation state there, the costliest solve of a reference, is solved once for the
// last pressure asked (per thread) and kept.
const SaturatedEnds& saturatedEndsAt(double pressurePa)
{
    thread_local std::optional<std::pair<double, SaturatedEnds>> last;
    if (!last || last->first != pressurePa) {
        const steam::SaturationPoint sat = steam::saturationAtPressure(pressurePa);
        last.emplace(pressurePa, SaturatedEnds{sat.temperatureK,
                                               steam::propertiesAt(sat.temperatureK, sat.saturation.liquidDensity),
                                               steam::propertiesAt(sat.temperatureK, sat.saturation.vapourDensity)});
    }
    return last->second;
}

EndState singlePhaseState(const SinglePhaseEnd& end, Phase phase)
{
    return {end.temperatureK, phase == Phase::Vapour ? 1.0 : 0.0, end.internalEnergy, phase};
}

} // namespace

EndState expandReversibly(double pressurePa, double startTemperatureK, double startEntropy,
                          double companionHeatCapacity)
{
    const EntropyBalance balance(pressurePa, startTemperatureK, startEntropy,
                                 companionHeatCapacity);
    if (pressurePa >= steam::iapws95::kCriticalPressurePa) {
        const SinglePhaseEnd end = solveSinglePhase(balance, coldestEnd(balance),
                                                    hotEnoughEnd(balance, startTemperatureK));
        return singlePhaseState(end, end.temperatureK < steam::iapws95::kCriticalTemperatureK
                                         ? Phase::Liquid
                                         : Phase::Supercritical);
    }

    const SaturatedEnds& ends = saturatedEndsAt(pressurePa);
    const double saturationK = ends.temperatureK;
    const Properties& liquid = ends.liquid;
    const Properties& vapour = ends.vapour;
    const double needed = balance.waterEntropyNeeded(saturationK);
    if (needed < liquid.entropy)
        return singlePhaseState(solveSinglePhase(balance, coldestEnd(balance),
                                                 {saturationK, liquid.entropy - needed}),
                                Phase::Liquid);
    if (needed > vapour.entropy)
        return singlePhaseState(
            solveSinglePhase(balance, {saturationK, vapour.entropy - needed},
                             hotEnoughEnd(balance, std::max(startTemperatureK, saturationK))),
            Phase::Vapour);
    const double steamFraction = (needed - liquid.entropy) / (vapour.entropy - liquid.entropy);
    return {saturationK, steamFraction,
            liquid.internalEnergy + steamFraction * (vapour.internalEnergy - liquid.internalEnergy),
            Phase::TwoPhase};
}

} // namespace qrv::reference
