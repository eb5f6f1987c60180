// Draws the stored runs into the chart: the chosen quantity against the ratio or another
// record field, as markers or as spline curves, one series per expansion path.
#pragma once

#include "plot/spline/splinecurve.h"

namespace qrv {

class ChartAdapter;
class EngineHost;
class RunStore;

enum class YChoice {
    ConversionRatio, SteamFraction, WaterFraction, FinalTemperature,
    EquilibriumTemperature, EquilibriumPressure, EquilibriumDensity, EquilibriumEntropy,
};

struct PlotChoices {
    YChoice y = YChoice::ConversionRatio;
    int xIndex = 0; // 0: the ratio; 1..7: magma T, water T, hydrostatic P, equilibrium P, T, rho, S
    bool curve = false;
};

class PlotRoutine {
public:
    PlotRoutine(const RunStore& store, ChartAdapter& chart, EngineHost& host);

    void plot(const PlotChoices& choices);
    // The empty chart after "Clear Data".
    void drawPlaceholder(bool curve);

    // The record field of an X choice.
    static int xField(int xIndex);

    // What one Y choice draws: titles, range and the series keys, isothermal first.
    struct Quantity;

private:
    void plotAgainstRatio(const Quantity& quantity, bool curve);
    void plotAgainstField(const Quantity& quantity, int field, bool curve);
    void reportSplineError(const std::string& description);

    const RunStore& m_store;
    ChartAdapter& m_chart;
    EngineHost& m_host;
    SplineCurve m_curve;
};

} // namespace qrv
