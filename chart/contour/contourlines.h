// Contour lines of a map by marching squares: where z crosses a level, interpolated linearly
// along the edges of the grid's cells, joined into lines. A cell with a missing corner has no
// line through it, so a line ends at the edge of a gap rather than guess across it.
#pragma once

#include <vector>

namespace qrv {

struct MapGrid;

struct ContourPoint {
    double x = 0;
    double y = 0;
};

// A line through the cells, in the grid's x and y; a closed one ends where it starts.
using ContourLine = std::vector<ContourPoint>;

// Every line of this level. A corner exactly at the level counts as above it; a cell whose
// corners alternate above and below is split by the value at its centre.
std::vector<ContourLine> contourLines(const MapGrid& grid, double level);

} // namespace qrv
