#include "chart/contour/mapgrid.h"
#include "tests/chart/contour/samplegrids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qrv;

TEST(MapGrid, DrawableGridsAndWhyOthersAreNot)
{
    const MapGrid good = test::gridOf({0.1, 0.2, 0.3}, {1473, 1273}, [](double x, double) { return x; });
    EXPECT_EQ(mapGridError(good), "");
    EXPECT_EQ(good.at(2, 1), 0.3);

    MapGrid grid = good;
    grid.y.values = {1273};
    grid.z.resize(3);
    EXPECT_EQ(mapGridError(grid), "the y axis (Magma temperature) needs at least two values, not 1");

    grid = good;
    grid.x.values = {0.1, 0.3, 0.2};
    EXPECT_EQ(mapGridError(grid),
              "the x axis (Water/magma ratio R) values are neither strictly ascending nor strictly descending");
    grid.x.values = {0.1, NAN, 0.2};
    EXPECT_EQ(mapGridError(grid), "the x axis (Water/magma ratio R) has a value that is not a finite number");

    grid = good;
    grid.z.pop_back();
    EXPECT_EQ(mapGridError(grid), "the map has 5 values for 3 x 2 points");

    grid = good;
    grid.z[4] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(mapGridError(grid), "the map has an infinite value; a point without a result is NaN");
    grid.z[4] = NAN;
    EXPECT_EQ(mapGridError(grid), "");
    EXPECT_EQ(missingPoints(grid), 1u);
}
