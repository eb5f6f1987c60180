#include "calculation/ratiosweep.h"

#include "base/numberformat.h"

#include <algorithm>
#include <cmath>

namespace qrv {

SweepRatios sweepRatios(double from, double to, double step)
{
    if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step))
        return {{}, "the range must be finite numbers"};
    if (step <= 0.0)
        return {{}, "the step must be greater than 0"};
    if (to < from)
        return {{}, "the range must not end below its start"};
    // A last ratio that misses `to` only by rounding still belongs to the range.
    const double intervals = (to - from) / step;
    const double whole = std::floor(intervals + 1e-9 * std::max(1.0, intervals));
    if (!(whole < double(kMaxSweepRatios)))
        return {{}, "more than " + std::to_string(kMaxSweepRatios) + " ratios"};

    SweepRatios sweep;
    const auto count = std::size_t(whole) + 1;
    sweep.ratios.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        sweep.ratios.push_back(from + double(i) * step);
    return sweep;
}

std::string ratioText(double ratio)
{
    return formatShortest(ratio);
}

bool runSweep(const RunRequest& base, const std::vector<double>& ratios,
              const std::function<bool(const SweepRun&)>& onRun, CalculateOptions options)
{
    Calculator calculator(options);
    RunRequest request = base;
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        request.inputs.ratio = ratioText(ratios[i]);
        const RunResult run = calculator.run(request);
        if (!onRun(SweepRun{i, ratios[i], request.inputs.ratio, run}))
            return false;
    }
    return true;
}

} // namespace qrv
