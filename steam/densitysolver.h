// Density of water at a given pressure and temperature, on the stable branch: liquid above
// the saturation pressure, vapour below it, one fluid above the critical temperature.
#pragma once

#include "steam/iapws95.h"

#include <stdexcept>
#include <string>

namespace qrv::steam {

enum class Phase { Liquid, Vapour, Supercritical };

std::string phaseName(Phase phase);

// A state outside the range the formulation is used for here.
class OutOfRange : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr double kMinTemperatureK = 273.16;
inline constexpr double kMaxTemperatureK = 1273.0;
inline constexpr double kMaxPressurePa = 1000e6;

struct State {
    Properties properties;
    Phase phase;
};

// Throws OutOfRange outside 273.16..1273 K, 0..1000 MPa, and where the properties are not
// finite numbers.
State stateAt(double pressurePa, double temperatureK);

// As stateAt, but above 1273 K and 1000 MPa the formulation is extrapolated instead of
// refused (it stays smooth there). Throws OutOfRange below 273.16 K, at a pressure not above
// 0, or where no density reproduces the pressure.
State extrapolatedStateAt(double pressurePa, double temperatureK);

// The density on the given branch, between `lowDensity` (pressure below `pressurePa`) and
// `highDensity` (pressure above it), starting from `guess`.
double solveDensity(double pressurePa, double temperatureK, double lowDensity, double highDensity,
                    double guess);

} // namespace qrv::steam
