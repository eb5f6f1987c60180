// The one drawing of an uncertainty study's histograms, with the painter alone, so that PDF
// and SVG stay vector: the titles on top, then a grid of panels, each a histogram of one
// output with its percentiles marked.
#include "chart/renderhistograms.h"

#include "chart/charttext.h"
#include "chart/contour/mapgrid.h"
#include "chart/histogram/histogram.h"
#include "chart/spline/axisscale.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

constexpr double kGap = 12;
constexpr double kTickLength = 4;
constexpr double kLabelRow = 14; // a row of the percentiles' labels
const QColor kBarFill(86, 180, 233);
const QColor kBarEdge(0, 114, 178);
const QColor kPercentile(213, 94, 0);

struct Percentile {
    const char* label;
    double value;
    Qt::PenStyle style;
};

// The ticks of a scale every `stride`-th, so that labels of the given extent do not crowd
// the given length.
std::vector<double> spacedTicks(const AxisScale& scale, double labelExtent, double length)
{
    const std::vector<double> all = scale.ticks();
    std::size_t stride = 1;
    while (stride < all.size() && double(all.size() / stride) * labelExtent > length)
        ++stride;
    std::vector<double> kept;
    for (std::size_t k = 0; k < all.size(); k += stride)
        kept.push_back(all[k]);
    return kept;
}

QString number(double value)
{
    return QString::number(value, 'g', 5);
}

void drawPanel(QPainter& painter, const HistogramPanel& panel, const QRectF& cell)
{
    // The title in the largest of its fonts that fits the panel's width.
    const QString titleText = QString::fromStdString(quantityTitle(panel.quantity, panel.unit));
    QFont titleFont = chartFont(13, true);
    for (const QFont& smaller : {chartFont(12, true), chartFont(11, true), chartFont(11)})
        if (QFontMetricsF(titleFont).horizontalAdvance(titleText) > cell.width())
            titleFont = smaller;
    const QFont smallFont = chartFont(11);
    const QFontMetricsF title(titleFont), small(smallFont);
    painter.setPen(Qt::black);
    painter.setFont(titleFont);
    painter.drawText(QRectF(cell.left(), cell.top(), cell.width(), title.height()), Qt::AlignCenter,
                     title.elidedText(titleText, Qt::ElideRight, cell.width()));
    const HistogramBins& bins = panel.bins;
    painter.setFont(smallFont);
    const double subtitleTop = cell.top() + title.height();
    if (bins.counts.empty()) {
        painter.drawText(cell.adjusted(0, title.height(), 0, 0), Qt::AlignCenter, QStringLiteral("no values"));
        return;
    }
    painter.drawText(QRectF(cell.left(), subtitleTop, cell.width(), small.height()), Qt::AlignCenter,
                     QStringLiteral("n %1; 5, 50, 95 %: %2, %3, %4")
                         .arg(bins.total())
                         .arg(number(panel.p5), number(panel.p50), number(panel.p95)));

    const std::size_t most = *std::max_element(bins.counts.begin(), bins.counts.end());
    const AxisScale yScale = AxisScale::fit(0, double(most), true);
    const AxisScale xScale = AxisScale::fit(bins.low, bins.edge(bins.counts.size()), false);
    const double yLabelWidth = small.horizontalAdvance(QString::fromStdString(yScale.label(yScale.high())));
    // Rows from the top: title, subtitle, two of the percentiles' labels; the x labels under
    // the plot.
    const QRectF plot(QPointF(cell.left() + small.height() + 4 + yLabelWidth + kTickLength + 3,
                              subtitleTop + small.height() + 2 * kLabelRow + 4),
                      QPointF(cell.right() - 4, cell.bottom() - small.height() - kTickLength - 2));
    if (plot.width() < 4 || plot.height() < 4)
        return;
    const auto xOf = [&](double v) {
        return plot.left() + (v - xScale.low()) / (xScale.high() - xScale.low()) * plot.width();
    };
    const auto yOf = [&](double v) { return plot.bottom() - v / yScale.high() * plot.height(); };

    painter.setPen(QPen(kBarEdge, 0.8));
    painter.setBrush(kBarFill);
    for (std::size_t k = 0; k < bins.counts.size(); ++k) {
        if (bins.counts[k] == 0)
            continue;
        painter.drawRect(QRectF(QPointF(xOf(bins.edge(k)), yOf(double(bins.counts[k]))),
                                QPointF(xOf(bins.edge(k + 1)), plot.bottom())));
    }

    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    double widestX = 0;
    for (const double tick : xScale.ticks())
        widestX = std::max(widestX, small.horizontalAdvance(QString::fromStdString(xScale.label(tick))));
    for (const double tick : spacedTicks(xScale, widestX + 10, plot.width())) {
        const double x = xOf(tick);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        painter.drawText(QRectF(x - 60, plot.bottom() + kTickLength + 1, 120, small.height()), Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromStdString(xScale.label(tick)));
    }
    for (const double tick : spacedTicks(yScale, small.height() + 4, plot.height())) {
        const double y = yOf(tick);
        painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
        painter.drawText(QRectF(plot.left() - kTickLength - 3 - 100, y - small.height() / 2, 100, small.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(yScale.label(tick)));
    }
    drawUpwards(painter, QStringLiteral("Samples"), QPointF(cell.left() + small.height() / 2, plot.center().y()),
                plot.height());

    // The percentiles' lines, each labelled above the plot; a label that would touch the one
    // before it takes the row above.
    const Percentile percentiles[] = {{"5 %", panel.p5, Qt::DashLine}, {"50 %", panel.p50, Qt::SolidLine},
                                      {"95 %", panel.p95, Qt::DashLine}};
    double lastRight[2] = {-1e300, -1e300};
    for (const Percentile& p : percentiles) {
        if (!std::isfinite(p.value))
            continue;
        const double x = xOf(p.value);
        painter.setPen(QPen(kPercentile, 1.5, p.style));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const QString label = QString::fromLatin1(p.label);
        const double width = small.horizontalAdvance(label) + 4;
        const int row = x - width / 2 > lastRight[0] ? 0 : 1;
        lastRight[row] = x + width / 2;
        painter.setPen(kPercentile.darker(130));
        painter.drawText(QRectF(x - width / 2, plot.top() - 2 - (row + 1) * kLabelRow, width, kLabelRow),
                         Qt::AlignCenter, label);
    }
}

} // namespace

void renderHistograms(const HistogramSet& set, QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF inner = pictureArea(target);
    const double titles = drawTitles(painter, QString::fromStdString(set.title), QString::fromStdString(set.conditions),
                                      {QString::fromStdString(set.failed)}, inner);
    const std::size_t count = set.panels.size();
    const std::size_t columns = count <= 1 ? 1 : count <= 4 ? 2 : 3;
    const std::size_t rows = (count + columns - 1) / columns;
    const QRectF grid = inner.adjusted(0, titles + kGap, 0, 0);
    const double width = (grid.width() - double(columns - 1) * kGap) / double(columns);
    const double height = (grid.height() - double(rows - 1) * kGap) / double(rows);
    for (std::size_t k = 0; k < count; ++k) {
        const double left = grid.left() + double(k % columns) * (width + kGap);
        const double top = grid.top() + double(k / columns) * (height + kGap);
        drawPanel(painter, set.panels[k], QRectF(left, top, width, height));
    }
    painter.restore();
}

} // namespace qrv
