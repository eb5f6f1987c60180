#include "chart/contour/mapgrid.h"

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

std::string axisError(const MapAxis& axis, std::string_view name)
{
    const std::string which = std::string(name) + " axis (" + (axis.quantity.empty() ? "unnamed" : axis.quantity) + ")";
    const std::vector<double>& v = axis.values;
    if (v.size() < 2)
        return "the " + which + " needs at least two values, not " + std::to_string(v.size());
    if (!std::all_of(v.begin(), v.end(), [](double value) { return std::isfinite(value); }))
        return "the " + which + " has a value that is not a finite number";
    const bool ascending = v[1] > v[0];
    for (std::size_t k = 1; k < v.size(); ++k)
        if (ascending ? !(v[k] > v[k - 1]) : !(v[k] < v[k - 1]))
            return "the " + which + " values are neither strictly ascending nor strictly descending";
    return {};
}

} // namespace

std::string mapGridError(const MapGrid& grid)
{
    for (const std::string& error : {axisError(grid.x, "x"), axisError(grid.y, "y")})
        if (!error.empty())
            return error;
    const std::size_t points = grid.x.values.size() * grid.y.values.size();
    if (grid.z.size() != points)
        return "the map has " + std::to_string(grid.z.size()) + " values for " + std::to_string(grid.x.values.size())
            + " x " + std::to_string(grid.y.values.size()) + " points";
    if (std::any_of(grid.z.begin(), grid.z.end(), [](double value) { return std::isinf(value); }))
        return "the map has an infinite value; a point without a result is NaN";
    return {};
}

std::string quantityTitle(std::string_view quantity, std::string_view unit)
{
    std::string title(quantity);
    if (!unit.empty())
        title.append(" (").append(unit).append(")");
    return title;
}

std::size_t missingPoints(const MapGrid& grid)
{
    return std::size_t(std::count_if(grid.z.begin(), grid.z.end(), [](double value) { return std::isnan(value); }));
}

} // namespace qrv
