#include "chart/histogram/histogram.h"

#include <algorithm>
#include <numeric>

namespace qrv {

namespace {

// The smallest step of 1, 2 or 5 times a power of ten that is at least `width`.
double roundStepUp(double width)
{
    const double power = std::pow(10.0, std::floor(std::log10(width)));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0})
        if (mantissa * power >= width * (1 - 1e-12))
            return mantissa * power;
    return 10 * power;
}

// The next larger 1-2-5 step.
double nextStep(double step)
{
    return roundStepUp(step * 1.5);
}

} // namespace

std::size_t HistogramBins::total() const
{
    return std::accumulate(counts.begin(), counts.end(), std::size_t(0));
}

HistogramBins binsOf(std::vector<double> values, double interquartileRange)
{
    std::erase_if(values, [](double v) { return !std::isfinite(v); });
    HistogramBins bins;
    if (values.empty())
        return bins;
    std::sort(values.begin(), values.end());
    const double first = values.front(), last = values.back();
    const double n = double(values.size());
    double width = 2 * interquartileRange / std::cbrt(n);
    if (!(width > 0))
        width = (last - first) / std::ceil(std::sqrt(n));
    if (!(width > 0)) // one value, however often: a bin around it, a thousandth of its size wide
        width = std::max(std::fabs(first), 1.0) * 1e-3;
    width = roundStepUp(width);
    const auto binCount = [&] { return std::size_t(std::floor(last / width) - std::floor(first / width)) + 1; };
    while (binCount() > kMostBins)
        width = nextStep(width);

    bins.width = width;
    bins.low = std::floor(first / width) * width;
    bins.counts.assign(binCount(), 0);
    for (const double v : values) {
        const double at = std::floor((v - bins.low) / width);
        ++bins.counts[std::min(std::size_t(std::max(at, 0.0)), bins.counts.size() - 1)];
    }
    return bins;
}

std::string histogramSetError(const HistogramSet& set)
{
    if (set.panels.empty())
        return "there are no outputs to draw";
    for (const HistogramPanel& panel : set.panels) {
        const HistogramBins& bins = panel.bins;
        if (!bins.counts.empty() && (!(bins.width > 0) || !std::isfinite(bins.low) || !std::isfinite(bins.width)))
            return panel.quantity + ": the bins have no finite width";
    }
    return {};
}

} // namespace qrv
