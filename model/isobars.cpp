#include "model/isobars.h"

#include "model/fitterms.h"

#include <array>
#include <cstddef>

namespace qrv {

namespace {

// Fits of NIST steam-table entropies: s = 1000 (A + B T + C T^0.5 + D T^-1.5) in J/(kg K).
struct Isobar {
    double pressurePa;
    double a, b, c, d;
};

constexpr std::array<Isobar, 11> kIsobars = {{
    {1e5, 4.9319226, -0.00027699524, 0.15327526, -3086.2421},
    {1e6, 5.7218592, 0.00092274512, 0.061843199, -8351.6734},
    {5e6, 12.304273, 0.0053864611, -0.28851119, -31409.332},
    {1e7, 24.427684, 0.012824499, -0.87800934, -71350.92},
    {1.5e7, 44.983952, 0.025257425, -1.8624345, -136810.55},
    {2e7, 81.495669, 0.047176743, -3.6001871, -251744.99},
    {3e7, -45.750473, -0.040738266, 2.9065425, 41964.043},
    {4e7, -36.436799, -0.031198927, 2.3116459, 32248.0},
    {6e7, -25.628963, -0.020744924, 1.6404462, 20094.128},
    {8e7, -19.005851, -0.01456189, 1.2355435, 12370.985},
    {1.2e8, -12.496609, -0.0087545422, 0.84381611, 4583.8587},
}};

constexpr std::size_t k80MPa = 9;
constexpr std::size_t k120MPa = 10;

Real entropyOn(const Isobar& isobar, Real t)
{
    return 1000.0 * sumOf({isobar.a, isobar.b * t, isobar.c * sqrt(t), isobar.d * pow(t, -1.5)});
}

} // namespace

Real superheatedEntropy(Real temperatureK, float pressurePa, Real gasConstant)
{
    // Extrapolating the 80 and 120 MPa isobars down here gave entropies thousands of
    // J/(kg K) off; the ideal-gas shift stays within 50 J/(kg K) of IAPWS-95 at 0.01 MPa.
    if (pressurePa < kIsobars[0].pressurePa) {
        const Real p = pressurePa;
        return entropyOn(kIsobars[0], temperatureK) - gasConstant * log(p / kIsobars[0].pressurePa);
    }

    std::array<Real, kIsobars.size()> s;
    for (std::size_t i = 0; i < kIsobars.size(); ++i)
        s[i] = entropyOn(kIsobars[i], temperatureK);

    const Real p = pressurePa;
    for (std::size_t i = 0; i < k80MPa; ++i) {
        const double low = kIsobars[i].pressurePa;
        const double high = kIsobars[i + 1].pressurePa;
        if (pressurePa >= low && pressurePa < high)
            return s[i] + (s[i + 1] - s[i]) * (p - low) / (high - low);
    }
    return s[k80MPa] + (s[k120MPa] - s[k80MPa]) * (p - 8e7) / 4e7;
}

} // namespace qrv
