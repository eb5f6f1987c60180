// The (p, T) points timed here and in time_python_iapws.py: liquid, vapour, supercritical,
// one near saturation and one near the critical point.
#pragma once

#include <array>
#include <utility>

namespace qrv::bench {

// Pressure in Pa, temperature in K.
inline constexpr std::array<std::pair<double, double>, 8> kStatePoints{{
    {2e6, 300.0},
    {1e5, 373.0},
    {1e5, 373.2},
    {1e4, 500.0},
    {10e6, 600.0},
    {22.1e6, 647.5},
    {50e6, 900.0},
    {500e6, 1200.0},
}};

} // namespace qrv::bench
