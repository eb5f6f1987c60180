#include "chart/contour/colourscale.h"

#include "chart/contour/mapgrid.h"

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

struct Extent {
    double low = NAN;
    double high = NAN;
};

Extent extentOf(const std::vector<double>& values)
{
    Extent e;
    for (const double v : values) {
        if (!std::isfinite(v))
            continue;
        e.low = std::isnan(e.low) ? v : std::min(e.low, v);
        e.high = std::isnan(e.high) ? v : std::max(e.high, v);
    }
    return e;
}

// A difference's bar runs from -m to m, so that white, its middle, is 0.
AxisScale scaleOf(const Extent& e, bool diverging)
{
    if (!diverging)
        return AxisScale::fit(e.low, e.high, false);
    const double reach = std::isnan(e.low) ? NAN : std::max(std::fabs(e.low), std::fabs(e.high));
    return AxisScale::fit(-reach, reach, true);
}

} // namespace

ColourScale::ColourScale(const MapGrid& grid)
    : m_axis(scaleOf(extentOf(grid.z), grid.diverging))
    , m_diverging(grid.diverging)
{
    const Extent e = extentOf(grid.z);
    for (const double tick : m_axis.ticks())
        if (tick > e.low && tick < e.high)
            m_levels.push_back(tick);
}

double ColourScale::position(double value) const
{
    return std::clamp((value - low()) / (high() - low()), 0.0, 1.0);
}

Rgb ColourScale::colour(double value) const
{
    return m_diverging ? blueWhiteRed(position(value)) : viridis(position(value));
}

} // namespace qrv
