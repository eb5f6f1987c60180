// A sweep's uncertainty bands on a chart of conversion ratios against the ratio: for each
// curve of the chart that holds a band's runs, the area between its 5 and 95 % percentiles,
// a Steffen curve through the ratios as the curves through the runs are.
#pragma once

#include "calculation/sweepbands.h"
#include "chart/chartadapter.h"
#include "chart/spline/rungroups.h"

#include <functional>

namespace qrv {

inline const QString kBandLegend = QStringLiteral("5-95 % band");

// `colour(group, isothermal)`: the colour of that group's curve of the path.
std::vector<ChartBand> chartBands(const SweepBands& bands, const RunGroups& groups, int curveSamples,
                                  const std::function<QColor(std::size_t group, bool isothermal)>& colour);

// What the chart's notes say of the bands: the distributions, the samples, and the failures.
QString bandNote(const SweepBands& bands);

} // namespace qrv
