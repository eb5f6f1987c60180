// Where the labels of a chart's peaks go: each beside its peak, clear of every other label and
// every peak's mark, inside the plot. Apart from the drawing, so that it can be checked alone.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <vector>

namespace qrv {

// The box of each label (sizes[k] for the peak at centres[k], whose mark is markSize wide),
// in the order given: the free place nearest its peak, above or below it by whole rows and
// right or left of it by half label widths, anywhere in the plot. A label with no free place
// stands above and right of its peak, moved into the plot.
std::vector<QRectF> placePeakLabels(const std::vector<QPointF>& centres, const std::vector<QSizeF>& sizes,
                                    const QRectF& plotArea, double markSize);

} // namespace qrv
