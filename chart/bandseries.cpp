#include "chart/bandseries.h"

#include "chart/spline/runcurve.h"

#include <algorithm>

namespace qrv {

namespace {

std::vector<QPointF> curveThrough(const std::vector<double>& ratios, const std::vector<double>& values, int samples)
{
    std::vector<PlotPoint> knots;
    for (std::size_t i = 0; i < ratios.size(); ++i)
        knots.push_back({ratios[i], values[i]});
    std::vector<QPointF> curve;
    for (const PlotPoint& p : curveThroughRuns(knots, samples, "R").samples)
        curve.emplace_back(p.x, p.y);
    return curve;
}

} // namespace

std::vector<ChartBand> chartBands(const SweepBands& bands, const RunGroups& groups, int curveSamples,
                                  const std::function<QColor(std::size_t group, bool isothermal)>& colour)
{
    std::vector<ChartBand> drawn;
    if (!bands.finished)
        return drawn;
    for (const CurveBand& curve : bands.curves) {
        const auto holds = [&curve](const RunGroup& group) {
            return std::find(group.runs.begin(), group.runs.end(), curve.storeRun) != group.runs.end();
        };
        const auto group = std::find_if(groups.groups.begin(), groups.groups.end(), holds);
        if (group == groups.groups.end())
            continue;
        const auto g = std::size_t(group - groups.groups.begin());
        for (const bool isothermal : {false, true}) {
            ChartBand band{colour(g, isothermal),
                           curveThrough(curve.ratios, isothermal ? curve.isothermalP5 : curve.adiabaticP5, curveSamples),
                           curveThrough(curve.ratios, isothermal ? curve.isothermalP95 : curve.adiabaticP95, curveSamples)};
            if (!band.low.empty() && !band.high.empty())
                drawn.push_back(std::move(band));
        }
    }
    return drawn;
}

QString bandNote(const SweepBands& bands)
{
    QString note = QStringLiteral("5-95 % bands: %1").arg(QString::fromStdString(bands.description));
    if (bands.failed > 0)
        note += QStringLiteral("; %1 of %2 samples failed and are left out").arg(bands.failed).arg(bands.samples);
    return note;
}

} // namespace qrv
