// An uncertainty study as histograms: one panel per output it summarises, titled with the
// quantity and unit a map gives it, its percentiles those of the summary (spreadOf), and under
// the title the drawn inputs with their distributions, the fixed inputs, the seed and how many
// samples failed. The chart plug-in draws it (chart/renderhistograms.h).
#pragma once

#include "calculation/montecarlo.h"
#include "chart/histogram/histogram.h"

#include <string>

namespace qrv {

HistogramSet uncertaintyHistograms(const UncertaintyRequest& request, const UncertaintyResult& result);

// "TMagma 1473~50 K (normal), R 0.2..0.4 (uniform)": the drawn inputs as typed, in words.
std::string drawnInputsText(const UncertaintyRequest& request);

} // namespace qrv
