#include "chart/plotroutine.h"

#include "chart/chartadapter.h"
#include "engine/enginehost.h"
#include "engine/numberformat.h"
#include "engine/runstore.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qrv {

namespace {

// The 16-colour palette entries of the chart: light red, light blue, white.
const QColor kIsothermal(255, 0, 0);
const QColor kAdiabatic(0, 0, 255);
const QColor kBlank(255, 255, 255);

constexpr std::array<int, 8> kXFields = {0, 1, 2, 3, 5, 6, 7, 8};

} // namespace

struct PlotRoutine::Quantity {
    const char* title;
    const char* yTitle;
    double yMax;
    int seriesCount;
    std::array<const char*, 2> keys;   // isothermal first
    std::array<const char*, 2> legends;
    CurveClamp clamp;
};

namespace {

constexpr std::array<PlotRoutine::Quantity, 8> kQuantities = {{
    {"QRV Conversion Ratios", "%", 100, 2, {"cri", "cra"}, {"Isothermal", "Adiabatic"}, CurveClamp::Percent},
    {"QRV Steam Fractions", "Fract.", 1, 2, {"sfi", "sfa"}, {"Isothermal", "Adiabatic"}, CurveClamp::Fraction},
    {"QRV Water Fractions", "Fract.", 1, 2, {"wfi", "wfa"}, {"Isothermal", "Adiabatic"}, CurveClamp::Fraction},
    {"QRV Final Temperatures", "K", 1500, 2, {"fti", "fta"}, {"Isothermal", "Adiabatic"}, CurveClamp::None},
    {"QRV Equilibrium Temperatures", "K", 1500, 1, {"et", ""}, {"T", ""}, CurveClamp::None},
    {"QRV Equilibrium Pressures", "MPa", 200, 1, {"ep", ""}, {"P", ""}, CurveClamp::None},
    {"QRV Equilibrium Densities", "kg/m^3", 1000, 1, {"ed", ""}, {"Rho", ""}, CurveClamp::None},
    {"QRV Equilibrium Entropies", "J/kg-K", 8000, 1, {"ee", ""}, {"S", ""}, CurveClamp::None},
}};

QColor seriesColour(int series, int seriesCount)
{
    return seriesCount == 2 && series == 1 ? kIsothermal : kAdiabatic;
}

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

PlotRoutine::PlotRoutine(const RunStore& store, ChartAdapter& chart, EngineHost& host)
    : m_store(store), m_chart(chart), m_host(host)
{
}

int PlotRoutine::xField(int xIndex) { return kXFields.at(std::size_t(xIndex)); }

void PlotRoutine::reportSplineError(const std::string& description)
{
    if (!description.empty())
        m_host.message(splineErrorText(description), Icon::Information);
}

void PlotRoutine::plot(const PlotChoices& choices)
{
    const Quantity& quantity = kQuantities.at(std::size_t(choices.y));
    m_chart.reset();
    m_chart.setTitle(qs(quantity.title));
    m_chart.setYTitle(qs(quantity.yTitle));
    m_chart.setYRange(0, quantity.yMax);
    m_chart.setSeriesCount(quantity.seriesCount);
    for (int s = 1; s <= quantity.seriesCount; ++s)
        m_chart.setLegend(s, qs(quantity.legends[std::size_t(s - 1)]));
    if (choices.xIndex == 0)
        plotAgainstRatio(quantity, choices.curve);
    else
        plotAgainstField(quantity, xField(choices.xIndex), choices.curve);
    m_chart.draw();
}

void PlotRoutine::plotAgainstRatio(const Quantity& quantity, bool curve)
{
    const int extent = m_store.xExtent();
    m_chart.setXTitle(QStringLiteral("R"));
    const int series = quantity.seriesCount;
    if (!curve) {
        // The axis itself spans 0 to the extent: no made-up point is needed to stretch it.
        m_chart.setKind(ChartAdapter::Kind::Points);
        m_chart.setPointCount(m_store.count());
        m_chart.setLabelSpacing(1);
        m_chart.setXRange(0, extent);
        for (int s = 1; s <= series; ++s) {
            const int field = *seriesKeyField(quantity.keys[std::size_t(s - 1)]);
            for (int p = 1; p <= m_store.count(); ++p) {
                m_chart.setColour(s, p, seriesColour(s, series));
                m_chart.setXPosition(s, p, m_store.record(p).R);
                m_chart.setValue(s, p, m_store.record(p).field(field));
            }
        }
        return;
    }

    const int points = int(std::min<long long>(100LL * extent, SplineCurve::kMaxChartPoints));
    m_chart.setKind(ChartAdapter::Kind::Line);
    m_chart.setPointCount(points);
    m_chart.setLabelSpacing(10 * extent);
    for (int p = 1; p <= points; ++p)
        m_chart.setXLabel(p, qs(formatFixed(p / 100.0, 1)));
    for (int s = 1; s <= series; ++s) {
        reportSplineError(m_curve.buildRatioCurve(m_store, quantity.keys[std::size_t(s - 1)],
                                                  points, quantity.clamp));
        for (int p = 1; p <= points; ++p) {
            m_chart.setColour(s, p, seriesColour(s, series));
            m_chart.setValue(s, p, m_curve.value(p));
        }
    }
}

void PlotRoutine::plotAgainstField(const Quantity& quantity, int field, bool curve)
{
    m_chart.setXTitle(qs(kSeriesFieldNames.at(std::size_t(field))));
    double low = 0;
    double high = 0;
    for (int p = 1; p <= m_store.count(); ++p) {
        const double x = m_store.record(p).field(field);
        low = p == 1 ? x : std::min(low, x);
        high = p == 1 ? x : std::max(high, x);
    }
    const double margin = high > low ? (high - low) * 0.05 : std::max(1.0, std::fabs(high) * 0.05);
    m_chart.setXRange(low - margin, high + margin);

    const int series = quantity.seriesCount;
    if (!curve) {
        m_chart.setKind(ChartAdapter::Kind::Points);
        m_chart.setPointCount(m_store.count());
        for (int s = 1; s <= series; ++s) {
            const int yField = *seriesKeyField(quantity.keys[std::size_t(s - 1)]);
            for (int p = 1; p <= m_store.count(); ++p) {
                m_chart.setColour(s, p, seriesColour(s, series));
                m_chart.setXPosition(s, p, m_store.record(p).field(field));
                m_chart.setValue(s, p, m_store.record(p).field(yField));
            }
        }
        return;
    }

    m_chart.setKind(ChartAdapter::Kind::Trace);
    for (int s = 1; s <= series; ++s) {
        reportSplineError(m_curve.buildFieldCurve(m_store, field, quantity.keys[std::size_t(s - 1)],
                                                  quantity.clamp));
        m_chart.setPointCount(std::max(m_chart.pointCount(), m_curve.sampleCount()));
        for (int p = 1; p <= m_curve.sampleCount(); ++p) {
            m_chart.setColour(s, p, seriesColour(s, series));
            m_chart.setXPosition(s, p, m_curve.sampleX(p));
            m_chart.setValue(s, p, m_curve.sampleY(p));
        }
    }
}

void PlotRoutine::drawPlaceholder(bool curve)
{
    m_chart.setTitle(QStringLiteral("QRV Results"));
    m_chart.setYTitle(QString());
    m_chart.reset();
    m_chart.setSeriesCount(1);
    if (!curve) {
        m_chart.setKind(ChartAdapter::Kind::Points);
        m_chart.setPointCount(2);
        m_chart.setXRange(0, 1);
        for (int p = 1; p <= 2; ++p) {
            m_chart.setColour(1, p, kBlank);
            m_chart.setXPosition(1, p, p - 1);
            m_chart.setValue(1, p, 0);
        }
    } else {
        m_chart.setKind(ChartAdapter::Kind::Line);
        m_chart.setPointCount(100);
        m_chart.setLabelSpacing(10);
        for (int p = 1; p <= 100; ++p) {
            m_chart.setColour(1, p, kBlank);
            m_chart.setValue(1, p, 0);
            m_chart.setXLabel(p, qs(formatFixed(p / 100.0, 1)));
        }
    }
    m_chart.draw();
}

} // namespace qrv
