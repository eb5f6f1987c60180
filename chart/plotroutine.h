// Draws the stored runs into a chart: the chosen quantity against the ratio or another record
// field, as markers or as curves through the runs, one curve per path for each set of
// conditions, and beside them, when asked, the runs' IAPWS-95 reference.
#pragma once

#include "chart/chartadapter.h"
#include "reference/runreference.h"

#include <string>

namespace qrv {

class RunStore;
struct SweepBands;

enum class YChoice {
    ConversionRatio,
    SteamFraction,
    WaterFraction,
    FinalTemperature,
    EquilibriumTemperature,
    EquilibriumPressure,
    EquilibriumDensity,
    EquilibriumEntropy,
};

struct PlotChoices {
    YChoice y = YChoice::ConversionRatio;
    int xIndex = 0; // 0: the ratio; 1..7: magma T, water T, hydrostatic P, equilibrium P, T, rho, S
    bool curve = false;
    bool markers = true; // curves: a marker at every run as well
    bool fullScale = false; // the Y axis over the quantity's whole range instead of the data's
    bool reference = false; // the IAPWS-95 reference beside the runs
};

class PlotRoutine {
public:
    // Points a curve takes across the runs' span, beside the runs themselves.
    static constexpr int kCurveSamples = 400;

    explicit PlotRoutine(const RunStore& store);

    Chart plot(const PlotChoices& choices);
    // A sweep's uncertainty bands, drawn around their curves on conversion ratios against the
    // ratio; none: null. They must outlive the routine or be unset.
    void setBands(const SweepBands* bands) { m_bands = bands; }
    // The empty chart after "Clear Data".
    static Chart placeholder();

private:
    void noteReferences(Chart& chart);

    const RunStore& m_store;
    const SweepBands* m_bands = nullptr;
    // Worked once per run, as charts are redrawn after every option click.
    reference::RunReferences m_references;
};

} // namespace qrv
