// Smooth curves through the stored runs: a natural cubic spline per series, evaluated on
// the chart's grid. Against the ratio, chart point p stands for the ratio p/100 and the
// curve is pinned at both ends of the axis to the limit values of its quantity; against
// any other record field the runs are simply joined, without pinned ends.
#pragma once

#include "engine/runstore.h"

#include <array>
#include <string>
#include <string_view>

namespace qrv {

// Upper limits that keep a curve inside the physical range of its quantity (never below 0).
enum class CurveClamp { None, Percent, Fraction };

class SplineCurve {
public:
    static constexpr int kMaxRuns = 99;
    static constexpr int kMaxChartPoints = 1000;
    static constexpr int kMaxKnots = kMaxRuns + 2;

    // Builds the curve of a series key against the ratio for chart points 1..pointCount.
    // Returns the failure's description, empty on success; a key that names no series
    // leaves the curve as it was.
    std::string buildRatioCurve(const RunStore& store, std::string_view key, int pointCount,
                                CurveClamp clamp);

    // Builds the curve of a series key against record field xField through the runs sorted
    // by that field (of runs with equal X the later one counts), sampled densely between
    // neighbouring runs and passing through each of them.
    std::string buildFieldCurve(const RunStore& store, int xField, std::string_view key,
                                CurveClamp clamp);

    // Ratio curve: the value at chart point p, NaN where the curve has none.
    float value(int point) const;
    // Field curve: sample i (1..sampleCount()) at abscissa sampleX(i).
    int sampleCount() const { return m_sampleCount; }
    float sampleX(int sample) const { return m_curveX.at(std::size_t(sample)); }
    float sampleY(int sample) const { return m_curveY.at(std::size_t(sample)); }

private:
    void orderRunsBy(const RunStore& store, int field);
    void clearKnots();
    void clearCurve();
    // Second derivatives at the knots 1..knotCount, natural at both ends.
    void setup(int knotCount);
    // The spline on interval j (knots j and j+1) at abscissa x.
    double valueOnInterval(int j, double x) const;
    float clamped(double y, CurveClamp clamp) const;

    std::array<float, kMaxChartPoints + 1> m_xKnot{};
    std::array<float, kMaxChartPoints + 1> m_yKnot{};
    std::array<float, kMaxChartPoints + 1> m_hStep{};
    std::array<float, kMaxChartPoints + 1> m_sigma{};
    std::array<float, kMaxChartPoints + 1> m_curveX{};
    std::array<float, kMaxChartPoints + 1> m_curveY{};
    std::array<int, RunStore::kCapacity + 1> m_order{};
    int m_sampleCount = 0;
};

// The message text of a failed curve.
std::string splineErrorText(std::string_view description);

} // namespace qrv
