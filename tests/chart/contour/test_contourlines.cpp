#include "chart/contour/contourlines.h"
#include "chart/contour/mapgrid.h"
#include "tests/chart/contour/samplegrids.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qrv;

namespace {

double plane(double x, double y)
{
    return x + y;
}

// The cell (i, j) that holds a point strictly inside it, on ascending axes.
std::pair<std::size_t, std::size_t> cellOf(const MapGrid& grid, ContourPoint p)
{
    std::size_t i = 0;
    while (grid.x.values[i + 1] < p.x)
        ++i;
    std::size_t j = 0;
    while (grid.y.values[j + 1] < p.y)
        ++j;
    return {i, j};
}

bool cellIsComplete(const MapGrid& grid, std::pair<std::size_t, std::size_t> cell)
{
    const auto [i, j] = cell;
    for (const double z : {grid.at(i, j), grid.at(i + 1, j), grid.at(i, j + 1), grid.at(i + 1, j + 1)})
        if (std::isnan(z))
            return false;
    return true;
}

} // namespace

// On the plane z = x + y, linear interpolation is exact: the contour at c is the straight
// line x + y = c, from one side of the grid to another, whatever the spacing of the grid.
TEST(ContourLines, PlaneGivesTheLineWhereXPlusYIsTheLevel)
{
    const MapGrid grid = test::gridOf({0, 0.5, 1.5, 3, 4}, {0, 1, 2, 2.5, 4}, plane);
    for (const double level : {0.3, 2.3, 4.0, 5.75, 7.9}) {
        const std::vector<ContourLine> lines = contourLines(grid, level);
        ASSERT_EQ(lines.size(), 1u) << level;
        const ContourLine& line = lines.front();
        ASSERT_GE(line.size(), 2u);
        for (const ContourPoint& p : line)
            EXPECT_NEAR(p.x + p.y, level, 1e-12) << level;
        const auto onBorder = [](ContourPoint p) { return p.x == 0 || p.x == 4 || p.y == 0 || p.y == 4; };
        EXPECT_TRUE(onBorder(line.front()) && onBorder(line.back())) << level;
        // Joined in order along the line: x only ever moves one way.
        const double direction = line.back().x - line.front().x;
        for (std::size_t k = 1; k < line.size(); ++k)
            EXPECT_GE((line[k].x - line[k - 1].x) * direction, 0) << level;
    }
    EXPECT_TRUE(contourLines(grid, -0.1).empty());
    EXPECT_TRUE(contourLines(grid, 8.1).empty());
}

TEST(ContourLines, HillGivesOneClosedLineAroundItsTop)
{
    std::vector<double> axis;
    for (int k = -10; k <= 10; ++k)
        axis.push_back(k * 0.2);
    const MapGrid grid = test::gridOf(axis, axis, [](double x, double y) { return 4 - x * x - y * y; });
    const std::vector<ContourLine> lines = contourLines(grid, 3); // the circle of radius 1
    ASSERT_EQ(lines.size(), 1u);
    const ContourLine& circle = lines.front();
    EXPECT_EQ(circle.front().x, circle.back().x);
    EXPECT_EQ(circle.front().y, circle.back().y);
    EXPECT_GE(circle.size(), 20u);
    for (const ContourPoint& p : circle)
        EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, 0.02);
}

// A missing point takes the four cells around it out: the line stops at the gap's edge and
// goes on beyond it, never crossing a cell with a missing corner.
TEST(ContourLines, NoLinePassesThroughACellWithAMissingCorner)
{
    MapGrid grid = test::gridOf({0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, plane);
    grid.z[2 * 5 + 2] = NAN; // (2, 2), on the line x + y = 4.1's way
    const std::vector<ContourLine> lines = contourLines(grid, 4.1);
    ASSERT_EQ(lines.size(), 2u);
    for (const ContourLine& line : lines)
        for (std::size_t k = 1; k < line.size(); ++k) {
            const ContourPoint middle{(line[k - 1].x + line[k].x) / 2, (line[k - 1].y + line[k].y) / 2};
            EXPECT_TRUE(cellIsComplete(grid, cellOf(grid, middle))) << middle.x << ", " << middle.y;
            EXPECT_NEAR(middle.x + middle.y, 4.1, 1e-12);
        }

    // A grid with nothing but missing points has no line at all.
    MapGrid empty = grid;
    empty.z.assign(empty.z.size(), NAN);
    EXPECT_TRUE(contourLines(empty, 4.1).empty());
}

// z = x y on one cell: corners alternate +1, -1. The centre's value, 0, decides which two
// corners the lines cut off: the two below the level when the centre is above it.
TEST(ContourLines, SaddleIsSplitByTheCentreValue)
{
    const MapGrid grid = test::gridOf({-1, 1}, {-1, 1}, [](double x, double y) { return x * y; });
    const auto cutOffCorners = [&](double level) {
        std::vector<int> signs; // sign of x y at the corner each line is nearer to than the centre
        for (const ContourLine& line : contourLines(grid, level)) {
            EXPECT_EQ(line.size(), 2u);
            const ContourPoint middle{(line[0].x + line[1].x) / 2, (line[0].y + line[1].y) / 2};
            EXPECT_GT(std::fabs(middle.x), 0.2);
            signs.push_back(middle.x * middle.y > 0 ? 1 : -1);
        }
        return signs;
    };
    EXPECT_EQ(cutOffCorners(0.5), (std::vector<int>{1, 1})); // centre below: the +1 corners stand apart
    EXPECT_EQ(cutOffCorners(-0.5), (std::vector<int>{-1, -1})); // centre above: the -1 corners do
}
