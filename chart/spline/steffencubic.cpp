#include "chart/spline/steffencubic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace qrv {

namespace {

double sign(double v)
{
    return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0;
}

// An end knot's slope: that of the parabola through the three end knots, turned to zero when
// it points against the end interval's secant and held to twice that secant, so the end
// interval can neither turn back nor overshoot.
double endSlope(double parabolaSlope, double secant)
{
    if (parabolaSlope * secant <= 0)
        return 0;
    if (std::fabs(parabolaSlope) > 2 * std::fabs(secant))
        return 2 * secant;
    return parabolaSlope;
}

// The rise of each interval over its width.
std::vector<double> secants(const std::vector<PlotPoint>& knots)
{
    std::vector<double> secant(knots.size() - 1);
    for (std::size_t i = 0; i < secant.size(); ++i)
        secant[i] = (knots[i + 1].y - knots[i].y) / (knots[i + 1].x - knots[i].x);
    return secant;
}

// Steffen's slope at every knot.
std::vector<double> slopes(const std::vector<PlotPoint>& knots, const std::vector<double>& secant)
{
    const std::size_t n = knots.size();
    std::vector<double> width(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i)
        width[i] = knots[i + 1].x - knots[i].x;
    std::vector<double> slope(n);
    if (n == 2) {
        slope[0] = slope[1] = secant[0];
        return slope;
    }
    for (std::size_t i = 1; i + 1 < n; ++i) {
        // The slope of the parabola through knots i-1, i, i+1, held to the smaller secant
        // (twice it) and zero where the secants differ in sign: the knot is a turn.
        const double parabola = (secant[i - 1] * width[i] + secant[i] * width[i - 1]) / (width[i - 1] + width[i]);
        slope[i] = (sign(secant[i - 1]) + sign(secant[i]))
            * std::min({std::fabs(secant[i - 1]), std::fabs(secant[i]), 0.5 * std::fabs(parabola)});
    }
    const auto endParabola = [&](std::size_t end, std::size_t next) {
        const double share = width[end] / (width[end] + width[next]);
        return secant[end] * (1 + share) - secant[next] * share;
    };
    slope[0] = endSlope(endParabola(0, 1), secant[0]);
    slope[n - 1] = endSlope(endParabola(n - 2, n - 3), secant[n - 2]);
    return slope;
}

} // namespace

SteffenCubic::SteffenCubic(std::vector<PlotPoint> knots)
    : m_knots(std::move(knots))
{
    if (m_knots.size() < 2)
        throw std::invalid_argument("A cubic needs two knots or more");
    for (std::size_t i = 0; i < m_knots.size(); ++i) {
        const bool finite = std::isfinite(m_knots[i].x) && std::isfinite(m_knots[i].y);
        if (!finite || (i > 0 && !(m_knots[i].x > m_knots[i - 1].x)))
            throw std::invalid_argument("Knots need finite values and ascending abscissas");
    }

    // A cubic on one interval with end slopes m0 and m1 is the Bezier curve whose inner
    // control values lie a third of m0 * h and of m1 * h from its ends. Written as fractions
    // of the interval's rise, those values lie between the two knots' values whenever the
    // slopes are at most three times the secant, and Steffen's slopes are at most twice it.
    // Curves built from lerp stay between their control values in floating point as well.
    const std::vector<double> secant = secants(m_knots);
    const std::vector<double> slope = slopes(m_knots, secant);
    m_controls.resize(intervalCount());
    for (std::size_t i = 0; i < intervalCount(); ++i) {
        const double leftRatio = secant[i] == 0 ? 0 : slope[i] / secant[i];
        const double rightRatio = secant[i] == 0 ? 0 : slope[i + 1] / secant[i];
        const double leftY = m_knots[i].y;
        const double rightY = m_knots[i + 1].y;
        m_controls[i] = {std::lerp(leftY, rightY, leftRatio / 3), std::lerp(rightY, leftY, rightRatio / 3)};
    }
}

double SteffenCubic::valueOnInterval(std::size_t interval, double t) const
{
    const double b0 = m_knots.at(interval).y;
    const double b1 = m_controls.at(interval).nearLeft;
    const double b2 = m_controls.at(interval).nearRight;
    const double b3 = m_knots.at(interval + 1).y;
    const double c0 = std::lerp(b0, b1, t);
    const double c1 = std::lerp(b1, b2, t);
    const double c2 = std::lerp(b2, b3, t);
    return std::lerp(std::lerp(c0, c1, t), std::lerp(c1, c2, t), t);
}

double SteffenCubic::value(double x) const
{
    if (!(x >= m_knots.front().x && x <= m_knots.back().x))
        return std::numeric_limits<double>::quiet_NaN();
    const auto after = std::upper_bound(m_knots.begin(), m_knots.end(), x,
                                        [](double v, const PlotPoint& knot) { return v < knot.x; });
    const std::size_t interval = std::min(std::size_t(after - m_knots.begin()) - 1, intervalCount() - 1);
    const PlotPoint& left = m_knots[interval];
    // Rounding may put x a hair beyond the interval's width; the curve is not extended.
    const double t = std::min((x - left.x) / (m_knots[interval + 1].x - left.x), 1.0);
    return valueOnInterval(interval, t);
}

} // namespace qrv
