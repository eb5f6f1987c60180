#include "plot/spline/splinecurve.h"

#include "engine/real.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qrv {

namespace {

constexpr int kRatioField = 0; // SeriesRecord::R

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

// The chart point of an abscissa: nearest integer, halves to the even one.
int chartIndex(double x)
{
    const double index = std::nearbyint(x);
    if (!(index >= 0 && index <= SplineCurve::kMaxChartPoints))
        fail(FaultKind::SubscriptOutOfRange);
    return int(index);
}

double cubicTerm(double s) { return (Real(s) * s * s - s).value(); }

struct EndValues {
    float left = 0;
    float right = 0;
};

// The pinned ends of a ratio curve; those that depend on a run take the newest one.
EndValues endValues(std::string_view key, const SeriesRecord& newest)
{
    if (key == "sfa" || key == "sfi")
        return {1, 0};
    if (key == "wfa" || key == "wfi")
        return {0, 1};
    if (key == "fta" || key == "fti")
        return {newest.TMagma, 0};
    if (key == "et")
        return {newest.TMagma, newest.TWater};
    if (key == "ep")
        return {newest.PHydroMPa, newest.PHydroMPa};
    if (key == "ed")
        return {100, 1000};
    if (key == "ee")
        return {0.367f, 0.367f};
    return {0, 0};
}

} // namespace

std::string splineErrorText(std::string_view description)
{
    return "Spline error:\r\n\r\n" + std::string(description);
}

void SplineCurve::clearKnots()
{
    m_xKnot.fill(0);
    m_yKnot.fill(0);
    m_hStep.fill(0);
    m_sigma.fill(0);
}

void SplineCurve::clearCurve()
{
    m_curveX.fill(kNoValue);
    m_curveY.fill(kNoValue);
    m_sampleCount = 0;
}

float SplineCurve::value(int point) const
{
    return point >= 0 && point <= kMaxChartPoints ? m_curveY[std::size_t(point)] : kNoValue;
}

float SplineCurve::clamped(double y, CurveClamp clamp) const
{
    if (y < 0)
        y = 0;
    if (clamp == CurveClamp::Percent && y > 100)
        y = 100;
    if (clamp == CurveClamp::Fraction && y > 1)
        y = 1;
    return single(y);
}

void SplineCurve::setup(int knotCount)
{
    const int n = knotCount;
    std::array<float, kMaxKnots + 1> d{};
    std::array<float, kMaxKnots + 1> u{};
    const auto at = [](auto& a, int i) -> float& { return a.at(std::size_t(i)); };

    for (int i = 2; i <= n - 1; ++i)
        at(d, i) = single(Real(2) * (Real(m_xKnot[i + 1]) - m_xKnot[i - 1]));
    for (int i = 1; i <= n - 1; ++i) {
        const float h = single(Real(m_xKnot[i + 1]) - m_xKnot[i]);
        m_hStep[i] = h == 0 ? 1.0f : h;
    }
    for (int i = 2; i <= n - 1; ++i)
        at(u, i) = single(Real(6) * ((Real(m_yKnot[i + 1]) - m_yKnot[i]) / m_hStep[i]
                                     - (Real(m_yKnot[i]) - m_yKnot[i - 1]) / m_hStep[i - 1]));
    for (int i = 2; i <= n - 2; ++i) {
        at(u, i + 1) = single(Real(at(u, i + 1)) - Real(m_hStep[i]) * at(u, i) / at(d, i));
        at(d, i + 1) = single(Real(at(d, i + 1)) - Real(m_hStep[i]) * m_hStep[i] / at(d, i));
    }
    m_sigma[1] = 0;
    m_sigma[n] = 0;
    for (int i = n - 1; i >= 2; --i)
        m_sigma[i] = single((Real(at(u, i)) - Real(m_hStep[i]) * m_sigma[i + 1]) / at(d, i));
}

double SplineCurve::valueOnInterval(int j, double x) const
{
    const Real h = m_hStep[j];
    const Real t = (Real(x) - m_xKnot[j]) / h;
    const Real one = 1;
    return ((one - t) * m_yKnot[j] + t * m_yKnot[j + 1]
            + h * h * (Real(cubicTerm((one - t).value())) * m_sigma[j]
                       + Real(cubicTerm(t.value())) * m_sigma[j + 1]) / 6)
        .value();
}

// Runs 1..count in ascending order of the field; stable, so that of runs with equal
// values the later one comes last and its value stands.
void SplineCurve::orderRunsBy(const RunStore& store, int field)
{
    const int runs = store.count();
    for (int i = 1; i <= runs; ++i)
        m_order[std::size_t(i)] = i;
    std::stable_sort(m_order.begin() + 1, m_order.begin() + runs + 1, [&](int a, int b) {
        return store.record(a).field(field) < store.record(b).field(field);
    });
}

std::string SplineCurve::buildRatioCurve(const RunStore& store, std::string_view key,
                                         int pointCount, CurveClamp clamp)
{
    const auto field = seriesKeyField(key);
    if (!field)
        return {};
    clearKnots();
    clearCurve();
    const int runs = store.count();
    if (runs > kMaxRuns)
        return "A curve can join at most " + std::to_string(kMaxRuns)
            + " runs; plot the runs as points or clear the data";
    if (store.greatestRatio() >= 10.0f || pointCount > kMaxChartPoints)
        return "A curve can show ratios below 10 only; plot the runs as points";

    try {
        // Store order is append order, not ratio order: the knots must run left to right.
        orderRunsBy(store, kRatioField);

        const int n = runs + 2;
        m_xKnot[1] = 1.0f;
        m_xKnot[std::size_t(n)] = float(pointCount);
        for (int k = 1; k <= runs; ++k) {
            const SeriesRecord& run = store.record(m_order[std::size_t(k)]);
            m_xKnot[std::size_t(k + 1)] = single(Real(run.R) * 100);
            m_yKnot[std::size_t(k + 1)] = run.field(*field);
        }
        if (runs > 0) {
            const EndValues ends = endValues(key, store.record(runs));
            m_yKnot[1] = ends.left;
            m_yKnot[std::size_t(n)] = ends.right;
        }
        setup(n);

        for (int j = 1; j <= n - 1; ++j) {
            const float end = m_xKnot[std::size_t(j + 1)];
            for (float x = m_xKnot[std::size_t(j)]; x <= end; x += 1.0f)
                m_curveY[std::size_t(chartIndex(x))] = clamped(valueOnInterval(j, x), clamp);
        }
    } catch (const EngineFault& fault) {
        return std::string(fault.description());
    }
    return {};
}

std::string SplineCurve::buildFieldCurve(const RunStore& store, int xField, std::string_view key,
                                         CurveClamp clamp)
{
    const auto field = seriesKeyField(key);
    if (!field)
        return {};
    clearKnots();
    clearCurve();
    const int runs = store.count();
    orderRunsBy(store, xField);

    int n = 0;
    for (int k = 1; k <= runs; ++k) {
        const SeriesRecord& run = store.record(m_order[std::size_t(k)]);
        const float x = run.field(xField);
        if (n == 0 || x != m_xKnot[std::size_t(n)])
            ++n;
        m_xKnot[std::size_t(n)] = x;
        m_yKnot[std::size_t(n)] = run.field(*field);
    }
    if (n == 0)
        return {};

    try {
        if (n == 1) {
            m_sampleCount = 1;
            m_curveX[1] = m_xKnot[1];
            m_curveY[1] = clamped(m_yKnot[1], clamp);
            return {};
        }
        setup(n);
        const int steps = (kMaxChartPoints - 1) / (n - 1);
        for (int j = 1; j <= n - 1; ++j) {
            const double width = double(m_xKnot[std::size_t(j + 1)]) - m_xKnot[std::size_t(j)];
            const int last = j == n - 1 ? steps : steps - 1;
            for (int s = 0; s <= last; ++s) {
                const double x = m_xKnot[std::size_t(j)] + width * s / steps;
                ++m_sampleCount;
                m_curveX[std::size_t(m_sampleCount)] = float(x);
                m_curveY[std::size_t(m_sampleCount)] = clamped(valueOnInterval(j, x), clamp);
            }
        }
    } catch (const EngineFault& fault) {
        return std::string(fault.description());
    }
    return {};
}

} // namespace qrv
