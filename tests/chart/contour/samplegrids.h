// Grids of known fields for the map tests.
#pragma once

#include "chart/contour/mapgrid.h"

#include <vector>

namespace qrv::test {

// z = f(x, y) at every point of the grid.
template <typename Field>
MapGrid gridOf(std::vector<double> xs, std::vector<double> ys, Field f)
{
    MapGrid grid;
    grid.x = {"Water/magma ratio R", "", std::move(xs)};
    grid.y = {"Magma temperature", "K", std::move(ys)};
    grid.zQuantity = "Isothermal conversion ratio";
    grid.zUnit = "%";
    for (const double y : grid.y.values)
        for (const double x : grid.x.values)
            grid.z.push_back(f(x, y));
    return grid;
}

} // namespace qrv::test
