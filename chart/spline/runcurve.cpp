#include "chart/spline/runcurve.h"

#include "chart/spline/steffencubic.h"

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

// Ascending in X, one knot per X, the latest run of an X standing for it.
std::vector<PlotPoint> distinctRuns(std::span<const PlotPoint> runs, int& skipped)
{
    std::vector<PlotPoint> knots;
    knots.reserve(runs.size());
    for (const PlotPoint& run : runs) {
        if (std::isfinite(run.x) && std::isfinite(run.y))
            knots.push_back(run);
        else
            ++skipped;
    }
    // A stable sort keeps runs of equal X in store order, so the last of each is the latest.
    std::stable_sort(knots.begin(), knots.end(), [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; });
    std::vector<PlotPoint> distinct;
    distinct.reserve(knots.size());
    for (const PlotPoint& knot : knots) {
        if (!distinct.empty() && distinct.back().x == knot.x)
            distinct.back() = knot;
        else
            distinct.push_back(knot);
    }
    return distinct;
}

} // namespace

RunCurve curveThroughRuns(std::span<const PlotPoint> runs, int sampleCount, std::string_view xQuantity)
{
    RunCurve curve;
    curve.knots = distinctRuns(runs, curve.skippedRuns);
    if (curve.knots.empty()) {
        if (!runs.empty())
            curve.reason = "No run has a finite value to draw; nothing is drawn.";
        return curve;
    }
    if (curve.knots.size() == 1) {
        curve.reason = "A curve needs runs at two or more different values of " + std::string(xQuantity)
            + "; one point is drawn.";
        return curve;
    }

    const SteffenCubic cubic(curve.knots);
    const int intervalsAcross = std::max(sampleCount, 2) - 1;
    const double spacing = (curve.knots.back().x - curve.knots.front().x) / intervalsAcross;
    for (std::size_t i = 0; i < cubic.intervalCount(); ++i) {
        const PlotPoint& left = curve.knots[i];
        const double width = curve.knots[i + 1].x - left.x;
        // Bounded before the conversion: a spacing lost to underflow must not ask for more.
        const int pieces = int(std::clamp(std::ceil(width / spacing), 1.0, double(intervalsAcross)));
        curve.samples.push_back(left);
        for (int k = 1; k < pieces; ++k) {
            const double t = double(k) / pieces;
            curve.samples.push_back({left.x + width * t, cubic.valueOnInterval(i, t)});
        }
    }
    curve.samples.push_back(curve.knots.back());
    return curve;
}

} // namespace qrv
