// The one drawing of a chart: the titles on top, the plot in the middle (Qt Charts, in a
// graphics scene of its own), the legend below. Texts take pixel sizes, so that a painter
// scaled to a printer or a large picture scales them with everything else.
#include "chart/renderchart.h"

#include "chart/charttext.h"
#include "chart/peaklabels.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QPainterPath>
#include <QScatterSeries>

#include <algorithm>
#include <functional>

namespace qrv {

namespace {

constexpr double kLineWidth = 2;
constexpr double kMarkerSize = 8;
constexpr double kLegendSample = 40;
constexpr double kLegendGap = 20;
// A band lets its curve, the grid and another band show through.
constexpr double kBandOpacity = 0.22;

QColor bandFill(QColor colour)
{
    colour.setAlphaF(kBandOpacity);
    return colour;
}

QPen linePen(LineStyle style, const QColor& colour)
{
    QPen pen(colour, kLineWidth);
    pen.setCapStyle(Qt::FlatCap);
    switch (style) {
    case LineStyle::None: pen.setStyle(Qt::NoPen); break;
    case LineStyle::Solid: break;
    case LineStyle::Dotted: pen.setDashPattern({1.5, 2}); break;
    case LineStyle::Dashed: pen.setDashPattern({5, 3}); break;
    case LineStyle::DashDot: pen.setDashPattern({5, 2.5, 1.5, 2.5}); break;
    }
    return pen;
}

// As Qt Charts draws the markers of a scatter series: filled, with a dark outline.
void drawMarker(QPainter& painter, MarkerShape shape, QPointF centre, const QColor& colour)
{
    const QRectF box(centre.x() - kMarkerSize / 2, centre.y() - kMarkerSize / 2, kMarkerSize, kMarkerSize);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    if (shape == MarkerShape::Circle)
        painter.drawEllipse(box);
    else if (shape == MarkerShape::Square)
        painter.drawRect(box);
}

struct LegendRow {
    std::vector<const LegendEntry*> entries;
    double width = 0;
};

std::vector<LegendRow> legendRows(const Chart& chart, const QFontMetricsF& metrics, double width)
{
    std::vector<LegendRow> rows;
    for (const LegendEntry& entry : chart.legend) {
        const double entryWidth = kLegendSample + 6 + metrics.horizontalAdvance(entry.text);
        if (rows.empty() || (!rows.back().entries.empty() && rows.back().width + kLegendGap + entryWidth > width))
            rows.emplace_back();
        LegendRow& row = rows.back();
        row.width += (row.entries.empty() ? 0 : kLegendGap) + entryWidth;
        row.entries.push_back(&entry);
    }
    return rows;
}

double legendRowHeight(const QFontMetricsF& metrics)
{
    return std::max(metrics.height(), kMarkerSize) + 6;
}

double legendHeight(const Chart& chart, double width)
{
    const QFontMetricsF metrics(chartFont(12));
    return double(legendRows(chart, metrics, width).size()) * legendRowHeight(metrics);
}

// Every entry with a piece of its line and its marker, rows centred, from the top of area.
void drawLegend(QPainter& painter, const Chart& chart, const QRectF& area)
{
    const QFont f = chartFont(12);
    const QFontMetricsF metrics(f);
    double y = area.top();
    for (const LegendRow& row : legendRows(chart, metrics, area.width())) {
        double x = area.left() + (area.width() - row.width) / 2;
        const double middle = y + legendRowHeight(metrics) / 2;
        for (const LegendEntry* entry : row.entries) {
            if (entry->area)
                painter.fillRect(QRectF(x, middle - kMarkerSize, kLegendSample, 2 * kMarkerSize), bandFill(entry->colour));
            if (entry->line != LineStyle::None) {
                painter.setPen(linePen(entry->line, entry->colour));
                painter.drawLine(QPointF(x, middle), QPointF(x + kLegendSample, middle));
            }
            drawMarker(painter, entry->marker, QPointF(x + kLegendSample / 2, middle), entry->colour);
            const double textWidth = metrics.horizontalAdvance(entry->text);
            painter.setFont(f);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(x + kLegendSample + 6, y, textWidth + 2, legendRowHeight(metrics)),
                             Qt::AlignLeft | Qt::AlignVCenter, entry->text);
            x += kLegendSample + 6 + textWidth + kLegendGap;
        }
        y += legendRowHeight(metrics);
    }
}

// An axis whose ticks carry exactly the chart's labels ("0.05", "0.10", the origin "0").
QCategoryAxis* makeAxis(const ChartAxis& axis)
{
    auto* made = new QCategoryAxis;
    made->setRange(axis.low, axis.high);
    made->setStartValue(axis.low);
    made->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (std::size_t i = 0; i < axis.ticks.size() && i < std::size_t(axis.labels.size()); ++i)
        made->append(axis.labels[qsizetype(i)], axis.ticks[i]);
    made->setLabelsFont(chartFont(12));
    made->setLabelsColor(Qt::black);
    made->setTitleText(axis.title);
    made->setTitleFont(chartFont(13));
    made->setTitleBrush(Qt::black);
    made->setLinePenColor(Qt::black);
    made->setGridLineColor(QColor(215, 215, 215));
    return made;
}

// An axis end with a marker, line or peak on it moves out by half a marker, so that what lies at
// the end (R at the last ratio, a steam fraction of 1) is drawn whole, not cut by the plot's
// edge; an end with nothing on it stays where the chart put it.
void leaveRoomForMarkers(const Chart& chart, QCategoryAxis& x, QCategoryAxis& y, const QRectF& plotArea)
{
    constexpr double kRoom = kMarkerSize / 2 + kLineWidth;
    const auto widen = [&chart](QCategoryAxis& axis, const ChartAxis& range, double pixels, auto coordinate) {
        if (pixels <= 2 * kRoom || !(range.high > range.low))
            return;
        const double room = (range.high - range.low) * kRoom / (pixels - 2 * kRoom);
        bool atLow = false;
        bool atHigh = false;
        const auto see = [&](const QPointF& p) {
            atLow = atLow || coordinate(p) < range.low + room;
            atHigh = atHigh || coordinate(p) > range.high - room;
        };
        for (const ChartSeries& s : chart.series)
            for (const std::vector<QPointF>* points : {&s.markers, &s.curve})
                std::for_each(points->begin(), points->end(), see);
        for (const ChartPeak& peak : chart.peaks)
            see(peak.at);
        axis.setRange(range.low - (atLow ? room : 0), range.high + (atHigh ? room : 0));
    };
    widen(x, chart.x, plotArea.width(), [](const QPointF& p) { return p.x(); });
    widen(y, chart.y, plotArea.height(), [](const QPointF& p) { return p.y(); });
}

constexpr double kPeakSize = 14;

// Each peak's diamond (hollow for a reference's), then its label where placePeakLabels puts
// it, with a line to its peak when it stands away from it. The diamonds come first, so that
// the labels, which keep clear of them, never cover one.
void drawPeaks(QPainter& painter, const std::vector<ChartPeak>& peaks, const QRectF& plotArea,
               const std::function<QPointF(QPointF)>& toPixels)
{
    std::vector<QPointF> centres;
    std::vector<QSizeF> sizes;
    const QFont plain = chartFont(12);
    const QFont italic = chartFont(12, false, true);
    for (const ChartPeak& peak : peaks) {
        const QPointF c = toPixels(peak.at);
        centres.push_back(c);
        sizes.push_back(QFontMetricsF(peak.reference ? italic : plain).size(0, peak.label) + QSizeF(8, 4));
        const double r = kPeakSize / 2;
        const QPointF diamond[] = {{c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}};
        painter.setPen(QPen(peak.reference ? peak.colour : QColor(Qt::black), peak.reference ? 2 : 1));
        painter.setBrush(peak.reference ? QColor(Qt::white) : peak.colour);
        painter.drawPolygon(diamond, 4);
    }

    const std::vector<QRectF> labels = placePeakLabels(centres, sizes, plotArea, kPeakSize);
    for (std::size_t k = 0; k < peaks.size(); ++k) {
        const ChartPeak& peak = peaks[k];
        const QRectF& box = labels[k];
        const QPointF c = centres[k];
        const QPointF nearest(std::clamp(c.x(), box.left(), box.right()), std::clamp(c.y(), box.top(), box.bottom()));
        painter.setPen(QPen(peak.colour, 1));
        if (QLineF(c, nearest).length() > kPeakSize)
            painter.drawLine(c, nearest);
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawRoundedRect(box, 3, 3);
        painter.setFont(peak.reference ? italic : plain);
        painter.setPen(peak.colour.darker(140));
        painter.drawText(box, Qt::AlignCenter, peak.label);
    }
}

void drawPlot(QPainter& painter, const Chart& chart, const QRectF& area)
{
    QGraphicsScene scene;
    auto* plot = new QChart;
    scene.addItem(plot);
    plot->setBackgroundVisible(false);
    plot->setDropShadowEnabled(false);
    plot->legend()->hide();
    plot->layout()->setContentsMargins(0, 0, 0, 0);
    plot->setMargins(QMargins(4, 12, 16, 4));

    QCategoryAxis* x = makeAxis(chart.x);
    QCategoryAxis* y = makeAxis(chart.y);
    plot->addAxis(x, Qt::AlignBottom);
    plot->addAxis(y, Qt::AlignLeft);
    const auto add = [&](QXYSeries* series, const std::vector<QPointF>& points) {
        series->replace(QList<QPointF>(points.begin(), points.end()));
        plot->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    };
    // Bands behind everything, then lines, so that every marker lies on top of them.
    for (const ChartBand& b : chart.bands) {
        auto* band = new QAreaSeries;
        const auto edge = [band](const std::vector<QPointF>& points) {
            auto* line = new QLineSeries(band);
            line->replace(QList<QPointF>(points.begin(), points.end()));
            return line;
        };
        band->setUpperSeries(edge(b.high));
        band->setLowerSeries(edge(b.low));
        band->setPen(Qt::NoPen);
        band->setBrush(bandFill(b.colour));
        plot->addSeries(band);
        band->attachAxis(x);
        band->attachAxis(y);
    }
    for (const ChartSeries& s : chart.series) {
        if (s.line == LineStyle::None || s.curve.empty())
            continue;
        auto* line = new QLineSeries;
        line->setName(s.name);
        line->setPen(linePen(s.line, s.colour));
        add(line, s.curve);
    }
    for (const ChartSeries& s : chart.series) {
        if (s.marker == MarkerShape::None || s.markers.empty())
            continue;
        auto* markers = new QScatterSeries;
        markers->setName(s.name);
        markers->setMarkerShape(s.marker == MarkerShape::Circle ? QScatterSeries::MarkerShapeCircle
                                                                : QScatterSeries::MarkerShapeRectangle);
        markers->setMarkerSize(kMarkerSize);
        markers->setColor(s.colour);
        markers->setBorderColor(Qt::black);
        add(markers, s.markers);
    }

    const QRectF layout(QPointF(0, 0), area.size());
    plot->setGeometry(layout);
    leaveRoomForMarkers(chart, *x, *y, plot->plotArea());
    scene.setSceneRect(layout);
    scene.render(&painter, area, layout);

    // The scene is drawn at its own size, moved to the area: a point's place is the plot
    // area's, from the axes' ranges.
    const QRectF plotArea = plot->plotArea().translated(area.topLeft());
    const auto toPixels = [&](QPointF value) {
        return QPointF(plotArea.left() + (value.x() - x->min()) / (x->max() - x->min()) * plotArea.width(),
                       plotArea.bottom() - (value.y() - y->min()) / (y->max() - y->min()) * plotArea.height());
    };
    drawPeaks(painter, chart.peaks, plotArea, toPixels);
}

} // namespace

void renderChart(const Chart& chart, QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF inner = pictureArea(target);
    const double titles = drawTitles(painter, chart.title, chart.conditions, chart.notes, inner);
    const double legend = legendHeight(chart, inner.width());
    const QRectF plot(inner.left(), inner.top() + titles + (titles > 0 ? 6 : 0), inner.width(),
                      std::max(1.0, inner.height() - titles - legend - (titles > 0 ? 6 : 0)));
    drawPlot(painter, chart, plot);
    drawLegend(painter, chart, QRectF(inner.left(), plot.bottom(), inner.width(), legend));
    painter.restore();
}

} // namespace qrv
