#include "steam/saturation.h"

#include "steam/densitysolver.h"
#include "steam/iapws95.h"
#include "steam/iapws95coefficients.h"
#include "steam/rootfinding.h"

#include <array>
#include <cmath>

namespace qrv::steam {

using namespace iapws95;

namespace {

// Auxiliary equations of the IAPWS revised supplementary release on saturation properties of
// ordinary water substance (1992): exponents and coefficients.
constexpr std::array<double, 6> kPressureExponents{1.0, 1.5, 3.0, 3.5, 4.0, 7.5};
constexpr std::array<double, 6> kPressureCoefficients{-7.85951783, 1.84408259, -11.7866497,
                                                      22.6807411,  -15.9618719, 1.80122502};
constexpr std::array<double, 6> kLiquidExponents{1.0 / 3, 2.0 / 3, 5.0 / 3,
                                                 16.0 / 3, 43.0 / 3, 110.0 / 3};
constexpr std::array<double, 6> kLiquidCoefficients{1.99274064,  1.09965342,  -0.510839303,
                                                    -1.75493479, -45.5170352, -6.74694450e5};
constexpr std::array<double, 6> kVapourExponents{2.0 / 6, 4.0 / 6, 8.0 / 6,
                                                 18.0 / 6, 37.0 / 6, 71.0 / 6};
constexpr std::array<double, 6> kVapourCoefficients{-2.03150240, -2.68302940, -5.38626492,
                                                    -17.2991605, -44.7586581, -63.9201063};

double series(const std::array<double, 6>& coefficients, const std::array<double, 6>& exponents,
              double theta)
{
    double sum = 0;
    for (std::size_t i = 0; i < coefficients.size(); ++i)
        sum += coefficients[i] * std::pow(theta, exponents[i]);
    return sum;
}

constexpr int kMaxIterations = 50;
constexpr double kTolerance = 1e-13;
// The phase-equilibrium solve holds to 10 microkelvin below the critical temperature (and
// fails a few microkelvin closer); pressures above the one there, 2.7 Pa below the critical
// pressure, are not resolved.
constexpr double kHighestSaturationK = kCriticalTemperatureK - 1e-5;
constexpr double kPressureTolerance = 1e-9;

// ln p is nearly linear in 1/T along the saturation line (Clausius-Clapeyron): the line
// through the triple and critical points is a start within a few kelvin.
double clapeyronGuess(double pressurePa)
{
    const double fraction = std::log(pressurePa / kTriplePointPressurePa)
        / std::log(kCriticalPressurePa / kTriplePointPressurePa);
    return 1 / (1 / kTriplePointTemperatureK
                - fraction * (1 / kTriplePointTemperatureK - 1 / kCriticalTemperatureK));
}

} // namespace

SaturationAuxiliary auxiliarySaturation(double temperatureK)
{
    const double theta = 1 - temperatureK / kCriticalTemperatureK;
    return {kCriticalPressurePa
                * std::exp(kCriticalTemperatureK / temperatureK
                           * series(kPressureCoefficients, kPressureExponents, theta)),
            kCriticalDensity * (1 + series(kLiquidCoefficients, kLiquidExponents, theta)),
            kCriticalDensity * std::exp(series(kVapourCoefficients, kVapourExponents, theta))};
}

// Newton's method on the two densities for equal pressure and equal Gibbs energy; since
// dg/drho = (dp/drho) / rho at constant temperature, the Jacobian needs dp/drho only.
Saturation saturationAt(double temperatureK)
{
    const SaturationAuxiliary guess = auxiliarySaturation(temperatureK);
    double liquid = guess.liquidDensity;
    double vapour = guess.vapourDensity;
    PressureTerms l = pressureAt(temperatureK, liquid);
    PressureTerms v = pressureAt(temperatureK, vapour);
    for (int i = 0; i < kMaxIterations; ++i) {
        const double fp = l.pressurePa - v.pressurePa;
        const double fg = l.gibbsEnergy - v.gibbsEnergy;
        const double a = l.dPdRho, b = -v.dPdRho;
        const double c = l.dPdRho / liquid, d = -v.dPdRho / vapour;
        const double det = a * d - b * c;
        const double stepLiquid = (fp * d - b * fg) / det;
        const double stepVapour = (a * fg - c * fp) / det;
        liquid -= stepLiquid;
        vapour -= stepVapour;
        l = pressureAt(temperatureK, liquid);
        v = pressureAt(temperatureK, vapour);
        if (std::abs(stepLiquid) < kTolerance * liquid && std::abs(stepVapour) < kTolerance * vapour)
            break;
    }
    // The liquid pressure is a small difference of large terms at low temperature; the
    // vapour's carries the full precision.
    return {v.pressurePa, liquid, vapour};
}

// Newton's method on ln p(T) with the Clapeyron slope d ln p / dT = (h'' - h') / (T p (v'' - v')).
SaturationPoint saturationAtPressure(double pressurePa)
{
    if (!(pressurePa >= kTriplePointPressurePa))
        throw OutOfRange("pressure below the triple point (611.657 Pa): no saturation");
    if (!(pressurePa < kCriticalPressurePa))
        throw OutOfRange("pressure at or above the critical pressure: no saturation");
    const double logPressure = std::log(pressurePa);
    const auto residual = [logPressure](double temperatureK) -> ValueAndSlope {
        const Saturation sat = saturationAt(temperatureK);
        const Properties liquid = propertiesAt(temperatureK, sat.liquidDensity);
        const Properties vapour = propertiesAt(temperatureK, sat.vapourDensity);
        return {std::log(sat.pressurePa) - logPressure,
                (vapour.enthalpy - liquid.enthalpy)
                    / (temperatureK * sat.pressurePa
                       * (vapour.specificVolume - liquid.specificVolume))};
    };
    const std::optional<double> temperatureK = increasingRoot(
        residual, kTriplePointTemperatureK, kHighestSaturationK, clapeyronGuess(pressurePa));
    if (temperatureK) {
        const Saturation sat = saturationAt(*temperatureK);
        if (std::abs(sat.pressurePa / pressurePa - 1) < kPressureTolerance)
            return {*temperatureK, sat};
    }
    throw OutOfRange("pressure too close to the critical point for a saturation state");
}

} // namespace qrv::steam
