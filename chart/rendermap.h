// The one function that draws a map onto any paint device: screen, clipboard, page, file.
#pragma once

#include <QPointF>
#include <QRectF>

class QPainter;

namespace qrv {

struct MapGrid;

// Where the parts of a map lie for a target, in the painter's coordinates: the plot of the
// cells, the colour bar beside it and the "no result" key under the bar (empty when every
// point has a result).
struct MapLayout {
    QRectF plot;
    QRectF colourBar;
    QRectF missingKey;
    // The value range each side of the plot spans: the cells, half a step beyond the first
    // and the last grid values.
    double xLow = 0;
    double xHigh = 1;
    double yLow = 0;
    double yHigh = 1;

    // Where a point of the grid's inputs lies on the plot.
    QPointF pointOf(double x, double y) const;
};

MapLayout layOutMap(const MapGrid& map, const QRectF& target);

// Draws the map laid out for target's size, with texts sized for a unit of 1/96 inch, as
// renderChart draws a chart: the titles, the cells coloured by value (missing ones hatched
// grey), labelled contour lines, the axes and the colour bar. The grid must be drawable
// (mapGridError empty).
void renderMap(const MapGrid& map, QPainter& painter, const QRectF& target);

} // namespace qrv
