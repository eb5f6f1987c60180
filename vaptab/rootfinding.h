// Roots of increasing functions of one variable, for the solvers built on the formulation.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

namespace qrv::steam {

struct ValueAndSlope {
    double value;
    double slope;
};

// The root of `f`, increasing on [low, high] with f(low) <= 0 <= f(high), where `f` returns
// its value and slope. Newton's method kept inside the shrinking bracket; a step that leaves
// it or meets a non-positive slope is replaced by bisection. Done when a step moves x by no
// more than `relativeTolerance` |x|; empty when `f` is not finite or the steps do not settle.
template <class Function>
std::optional<double> increasingRoot(Function&& f, double low, double high, double guess,
                                     double relativeTolerance = 1e-12)
{
    constexpr int kMaxIterations = 200;
    double x = std::clamp(guess, low, high);
    for (int i = 0; i < kMaxIterations; ++i) {
        const ValueAndSlope fx = f(x);
        if (!std::isfinite(fx.value))
            return std::nullopt;
        if (fx.value == 0)
            return x;
        if (fx.value < 0)
            low = x;
        else
            high = x;
        double next = x - fx.value / fx.slope;
        if (!(fx.slope > 0) || !(next > low && next < high))
            next = 0.5 * (low + high);
        if (std::abs(next - x) <= relativeTolerance * std::abs(x))
            return next;
        x = next;
    }
    return std::nullopt;
}

} // namespace qrv::steam
