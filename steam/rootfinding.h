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
// its value and slope. Newton's method kept inside the shrinking bracket; a step that would
// leave it, meets a non-positive slope, or is not half the step before last (Newton's
// method bouncing, or crawling) is replaced by bisection. Done when a step moves x by no
// more than `relativeTolerance` |x|; empty when `f` is not finite or the steps do not settle.
template <class Function>
std::optional<double> increasingRoot(Function&& f, double low, double high, double guess,
                                     double relativeTolerance = 1e-12)
{
    constexpr int kMaxIterations = 200;
    double x = std::clamp(guess, low, high);
    double lastStep = high - low, stepBeforeLast = lastStep;
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
        double step = fx.value / fx.slope;
        if (!(fx.slope > 0) || !(x - step > low && x - step < high)
            || !(std::abs(step) <= 0.5 * std::abs(stepBeforeLast)))
            step = x - 0.5 * (low + high);
        stepBeforeLast = lastStep;
        lastStep = step;
        if (std::abs(step) <= relativeTolerance * std::abs(x))
            return x - step;
        x -= step;
    }
    return std::nullopt;
}

} // namespace qrv::steam
