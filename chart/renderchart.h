// The one function that draws a chart onto any paint device: screen, clipboard, page, file.
#pragma once

#include "chart/chartadapter.h"

class QPainter;
class QRectF;

namespace qrv {

// Draws the chart laid out for target's size, in the painter's coordinates, with texts
// sized for a unit of 1/96 inch: a device of another resolution is drawn on through a
// painter scaled to it, and stays vector wherever the device is.
void renderChart(const Chart& chart, QPainter& painter, const QRectF& target);

} // namespace qrv
