// The one function that draws an uncertainty study's histograms onto any paint device.
#pragma once

class QPainter;
class QRectF;

namespace qrv {

struct HistogramSet;

// Draws the set laid out for target's size, with texts sized for a unit of 1/96 inch, as
// renderChart draws a chart: the titles and how many samples failed on top, then one panel
// per output in a grid, each titled with its quantity and unit, its bars, the 5, 50 and 95 %
// percentiles as lines, and its axes. The set must be drawable (histogramSetError empty).
void renderHistograms(const HistogramSet& set, QPainter& painter, const QRectF& target);

} // namespace qrv
