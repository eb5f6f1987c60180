// Least-squares fits of T(s) = a + b s^1.5 + c s^2.5 + d / s^2 (T in K, s in kJ/(kg K)) to
// IAPWS-95 superheated steam at 1 MPa and 5 MPa, from saturated vapour to s = 9 kJ/(kg K);
// and a check of the low-pressure isothermal entropy, the 0.1 MPa isobar fit shifted by
// -R ln(p / 0.1 MPa), against IAPWS-95 at 0.05 and 0.01 MPa.
// Above 1273 K (s = 9 at these pressures lies beyond it) IAPWS-95 is used as extrapolated.
#include "steam/densitysolver.h"
#include "steam/iapws95.h"
#include "steam/iapws95coefficients.h"
#include "steam/saturation.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace qrv::steam;

namespace {

constexpr double kMaxEntropyKJ = 9.0;
constexpr int kSamples = 400;

double saturationTemperature(double pressurePa)
{
    double low = iapws95::kTriplePointTemperatureK, high = iapws95::kCriticalTemperatureK - 1e-6;
    for (int i = 0; i < 200 && high - low > 1e-12; ++i) {
        const double mid = 0.5 * (low + high);
        (saturationAt(mid).pressurePa < pressurePa ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

Properties vapourAt(double pressurePa, double temperatureK)
{
    if (temperatureK <= kMaxTemperatureK)
        return stateAt(pressurePa, temperatureK).properties;
    const double guess = pressurePa / (iapws95::kGasConstant * temperatureK);
    return propertiesAt(temperatureK, solveDensity(pressurePa, temperatureK, 0, 1500, guess));
}

// The temperature of superheated steam at `pressurePa` with entropy `entropy` (J/(kg K)),
// by Newton's method on s(T) with ds/dT = cp / T.
double temperatureAtEntropy(double pressurePa, double entropy, double startK)
{
    double t = startK;
    for (int i = 0; i < 100; ++i) {
        const Properties p = vapourAt(pressurePa, t);
        const double step = (p.entropy - entropy) / (p.cp / t);
        t -= step;
        if (std::abs(step) < 1e-10 * t)
            break;
    }
    return t;
}

std::array<double, 4> basis(double s)
{
    return {1.0, std::pow(s, 1.5), std::pow(s, 2.5), 1 / (s * s)};
}

// Least squares by Householder QR of the sample matrix.
std::array<double, 4> leastSquares(std::vector<std::array<double, 4>> rows, std::vector<double> y)
{
    const std::size_t m = rows.size();
    for (std::size_t k = 0; k < 4; ++k) {
        double norm = 0;
        for (std::size_t i = k; i < m; ++i)
            norm += rows[i][k] * rows[i][k];
        norm = std::sqrt(norm);
        const double alpha = rows[k][k] > 0 ? -norm : norm;
        std::vector<double> v(m, 0.0);
        for (std::size_t i = k; i < m; ++i)
            v[i] = rows[i][k];
        v[k] -= alpha;
        double vv = 0;
        for (std::size_t i = k; i < m; ++i)
            vv += v[i] * v[i];
        for (std::size_t j = k; j < 4; ++j) {
            double dot = 0;
            for (std::size_t i = k; i < m; ++i)
                dot += v[i] * rows[i][j];
            for (std::size_t i = k; i < m; ++i)
                rows[i][j] -= 2 * dot / vv * v[i];
        }
        double dot = 0;
        for (std::size_t i = k; i < m; ++i)
            dot += v[i] * y[i];
        for (std::size_t i = k; i < m; ++i)
            y[i] -= 2 * dot / vv * v[i];
    }
    std::array<double, 4> x{};
    for (int k = 3; k >= 0; --k) {
        double sum = y[k];
        for (int j = k + 1; j < 4; ++j)
            sum -= rows[k][j] * x[j];
        x[k] = sum / rows[k][k];
    }
    return x;
}

void fitLevel(double pressurePa)
{
    const double tSat = saturationTemperature(pressurePa);
    const double sSatKJ = propertiesAt(tSat, saturationAt(tSat).vapourDensity).entropy / 1000;
    std::vector<std::array<double, 4>> rows;
    std::vector<double> temperatures, entropies;
    double t = tSat;
    for (int i = 0; i < kSamples; ++i) {
        const double sKJ = sSatKJ + (kMaxEntropyKJ - sSatKJ) * i / (kSamples - 1);
        t = i == 0 ? tSat : temperatureAtEntropy(pressurePa, sKJ * 1000, t);
        rows.push_back(basis(sKJ));
        temperatures.push_back(t);
        entropies.push_back(sKJ);
    }
    const std::array<double, 4> c = leastSquares(rows, temperatures);
    double worst = 0, worstS = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto b = basis(entropies[i]);
        const double fit = c[0] * b[0] + c[1] * b[1] + c[2] * b[2] + c[3] * b[3];
        if (std::abs(fit - temperatures[i]) > std::abs(worst)) {
            worst = fit - temperatures[i];
            worstS = entropies[i];
        }
    }
    std::printf("%g MPa: a = %.10g, b = %.10g, c = %.10g, d = %.10g\n", pressurePa / 1e6, c[0], c[1],
                c[2], c[3]);
    std::printf("  fit range s = %.5f .. %.1f kJ/(kg K) (T = %.3f .. %.1f K)\n", sSatKJ,
                kMaxEntropyKJ, tSat, temperatures.back());
    std::printf("  largest deviation %.3f K at s = %.4f kJ/(kg K)\n", worst, worstS);
}

// The engine's 0.1 MPa isobar fit, s in J/(kg K).
double isobarEntropy(double temperatureK)
{
    constexpr double a = 4.9319226, b = -0.00027699524, c = 0.15327526, d = -3086.2421;
    return 1000 * (a + b * temperatureK + c * std::sqrt(temperatureK) + d * std::pow(temperatureK, -1.5));
}

void checkLowPressureEntropy(double pressurePa)
{
    constexpr double gasConstant = 461.51;
    const double tSat = saturationTemperature(pressurePa);
    double worst = 0, worstT = 0, worstShift = 0, worstShiftT = 0;
    for (double t = tSat; t <= 1200.0 + 1e-9; t += (1200.0 - tSat) / 400) {
        const double exact = t == tSat ? propertiesAt(t, saturationAt(t).vapourDensity).entropy
                                       : vapourAt(pressurePa, t).entropy;
        const double model = isobarEntropy(t) - gasConstant * std::log(pressurePa / 1e5);
        if (std::abs(model - exact) > std::abs(worst)) {
            worst = model - exact;
            worstT = t;
        }
        // The shift alone: IAPWS-95 at 0.1 MPa moved by -R ln(p / 0.1 MPa).
        if (t >= saturationTemperature(1e5)) {
            const double shifted = vapourAt(1e5, t).entropy - gasConstant * std::log(pressurePa / 1e5);
            if (std::abs(shifted - exact) > std::abs(worstShift)) {
                worstShift = shifted - exact;
                worstShiftT = t;
            }
        }
    }
    std::printf("%g MPa, T = %.3f .. 1200 K: largest deviation of the shifted isobar fit %.2f J/(kg K)"
                " at %.1f K; of the shift alone (above 372.8 K) %.3f J/(kg K) at %.1f K\n",
                pressurePa / 1e6, tSat, worst, worstT, worstShift, worstShiftT);
}

} // namespace

int main()
{
    fitLevel(1e6);
    fitLevel(5e6);
    checkLowPressureEntropy(5e4);
    checkLowPressureEntropy(1e4);
    return 0;
}
