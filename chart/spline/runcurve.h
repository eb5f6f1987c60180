// The curve of one series through the stored runs, for the plot window's curve mode: from
// the smallest to the largest X of the runs and no further, through every run, and between
// two neighbouring runs never outside their two values (Steffen's cubic). Of runs with the
// same X the later one counts; a run whose X or value is not a finite number is left out.
#pragma once

#include "chart/spline/plotpoint.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct RunCurve {
    // The runs the curve passes through: one per X, ascending.
    std::vector<PlotPoint> knots;
    // The curve, ascending in X from the first knot to the last, every knot among them;
    // empty when there is no curve.
    std::vector<PlotPoint> samples;
    // Runs left out because their X or value is not a finite number.
    int skippedRuns = 0;
    // Why no curve is drawn, in words for the plot window; empty when there is a curve or
    // there are no runs at all.
    std::string reason;
};

// The curve through runs given in store order, sampled about sampleCount times evenly
// across the runs' span (a chart's width in pixels, say; at least 2), plus every run's own X.
// xQuantity names the X axis in the reason for a missing curve ("magma temperature").
RunCurve curveThroughRuns(std::span<const PlotPoint> runs, int sampleCount, std::string_view xQuantity);

} // namespace qrv
