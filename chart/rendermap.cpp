// The one drawing of a map: the titles on top, the grid's cells coloured by value with
// labelled contour lines in the plot, the axes titled as charts title them, and the colour bar
// with its title on the right. Drawn with the painter alone (cells and bar bands are filled
// rectangles, lines and texts are vector), so a PDF or SVG stays vector.
#include "chart/rendermap.h"

#include "chart/charttext.h"
#include "chart/contour/colourscale.h"
#include "chart/contour/contourlines.h"
#include "chart/contour/mapgrid.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace qrv {

namespace {

constexpr double kGap = 8;
constexpr double kTickLength = 5;
constexpr double kBarWidth = 18;
constexpr double kKeyHeight = 14;
constexpr double kHatchSpacing = 6;
constexpr double kContourWidth = 1.2;
// A contour line gets a label every this many layout pixels of its length, and none when it
// is shorter than this many label widths.
constexpr double kLabelEvery = 260;
constexpr double kShortestLabelled = 2.5;
const QColor kMissingFill(214, 214, 214);
const QColor kMissingHatch(140, 140, 140);

QFont tickFont()
{
    return chartFont(12);
}
QFont titleFont()
{
    return chartFont(13);
}
QFont contourFont()
{
    return chartFont(11);
}

QString noResultText()
{
    return QStringLiteral("no result");
}

QColor toQColor(Rgb c)
{
    return QColor(c.red, c.green, c.blue);
}

// Black or white, whichever stands out more on the colour.
QColor inkOn(Rgb background)
{
    // Equal contrast with black and with white at a luminance of 0.179.
    return luminance(background) < 0.179 ? Qt::white : Qt::black;
}

// The cell edges of an axis: halfway between neighbouring values, half a step beyond the ends.
std::vector<double> cellEdges(const std::vector<double>& v)
{
    const std::size_t n = v.size();
    std::vector<double> edges{v[0] - (v[1] - v[0]) / 2};
    for (std::size_t k = 1; k < n; ++k)
        edges.push_back((v[k - 1] + v[k]) / 2);
    edges.push_back(v[n - 1] + (v[n - 1] - v[n - 2]) / 2);
    return edges;
}

// The round ticks of an axis that lie on it, with their labels.
std::vector<std::pair<double, QString>> axisTicks(const std::vector<double>& values, double low, double high)
{
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    const AxisScale scale = AxisScale::fit(*least, *most, false);
    const double slack = (high - low) * 1e-9;
    std::vector<std::pair<double, QString>> inside;
    for (const double tick : scale.ticks())
        if (tick >= low - slack && tick <= high + slack)
            inside.emplace_back(tick, QString::fromStdString(scale.label(tick)));
    return inside;
}

double widestLabel(const QFontMetricsF& metrics, const std::vector<QString>& labels)
{
    double widest = 0;
    for (const QString& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    return widest;
}

std::vector<QString> barLabels(const ColourScale& scale)
{
    std::vector<QString> labels;
    for (const double tick : scale.ticks())
        labels.push_back(QString::fromStdString(scale.label(tick)));
    return labels;
}

QString titleOf(const std::string& quantity, const std::string& unit)
{
    return QString::fromStdString(quantityTitle(quantity, unit));
}

// Diagonal lines across a rectangle, on a pattern fixed to the page so that neighbouring
// hatched rectangles join up.
void hatch(QPainter& painter, const QRectF& r)
{
    painter.setPen(QPen(kMissingHatch, 0.8));
    const double first = std::ceil((r.left() + r.top()) / kHatchSpacing) * kHatchSpacing;
    for (double c = first; c < r.right() + r.bottom(); c += kHatchSpacing) {
        const double x0 = std::max(r.left(), c - r.bottom());
        const double x1 = std::min(r.right(), c - r.top());
        if (x1 > x0)
            painter.drawLine(QPointF(x0, c - x0), QPointF(x1, c - x1));
    }
}

void drawMissing(QPainter& painter, const QRectF& r)
{
    painter.fillRect(r, kMissingFill);
    hatch(painter, r);
}

// A line on the page with its length so far at each point.
class PagePath {
public:
    explicit PagePath(std::vector<QPointF> points)
        : m_points(std::move(points))
    {
        m_at.push_back(0);
        for (std::size_t k = 1; k < m_points.size(); ++k)
            m_at.push_back(m_at.back() + QLineF(m_points[k - 1], m_points[k]).length());
    }

    double length() const { return m_at.back(); }

    QPointF pointAt(double s) const
    {
        const std::size_t k = segmentAt(s);
        const double span = m_at[k + 1] - m_at[k];
        const double f = span > 0 ? (s - m_at[k]) / span : 0;
        return m_points[k] + f * (m_points[k + 1] - m_points[k]);
    }

    // The piece from length a to length b.
    QPolygonF piece(double a, double b) const
    {
        QPolygonF line{pointAt(a)};
        for (std::size_t k = 0; k < m_points.size(); ++k)
            if (m_at[k] > a && m_at[k] < b)
                line.append(m_points[k]);
        line.append(pointAt(b));
        return line;
    }

private:
    std::size_t segmentAt(double s) const
    {
        const auto after = std::upper_bound(m_at.begin(), m_at.end(), s);
        const std::size_t k = after == m_at.begin() ? 0 : std::size_t(after - m_at.begin()) - 1;
        return std::min(k, m_points.size() - 2);
    }

    std::vector<QPointF> m_points;
    std::vector<double> m_at;
};

struct ContourLabel {
    QPointF centre;
    double angle; // degrees, upright
    double gapFrom; // the length along its line where the line leaves room for it
    double gapTo;
    QRectF box; // what it covers
};

// Where along a stretch of line a label is tried: its middle first, then nearer its ends, so
// that labels of neighbouring lines, which all start in their middles, can step aside.
constexpr double kLabelTries[] = {0.5, 0.3, 0.7, 0.15, 0.85};

// A label turned with the line and centred on it at length s, when it fits in the plot
// without touching a label already placed and the line is straight enough to read it along.
std::optional<ContourLabel> labelAt(const PagePath& path, double s, double width, double height, const QRectF& plot,
                                    const std::vector<QRectF>& taken)
{
    if (s - width / 2 < 0 || s + width / 2 > path.length())
        return std::nullopt;
    const QPointF from = path.pointAt(s - width / 2);
    const QPointF to = path.pointAt(s + width / 2);
    if (QLineF(from, to).length() < 0.85 * width)
        return std::nullopt;
    double angle = std::atan2(to.y() - from.y(), to.x() - from.x()) * 180 / M_PI;
    if (angle > 90)
        angle -= 180;
    else if (angle < -90)
        angle += 180;
    const QPointF centre = path.pointAt(s);
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(angle);
    const QRectF box = turn.mapRect(QRectF(-width / 2, -height / 2, width, height));
    if (!plot.adjusted(2, 2, -2, -2).contains(box))
        return std::nullopt;
    const auto clash = [&box](const QRectF& other) { return other.adjusted(-3, -3, 3, 3).intersects(box); };
    if (std::any_of(taken.begin(), taken.end(), clash))
        return std::nullopt;
    return ContourLabel{centre, angle, s - width / 2, s + width / 2, box};
}

// One label per stretch of kLabelEvery along the line, none on a short line.
std::vector<ContourLabel> placeLabels(const PagePath& path, double width, double height, const QRectF& plot,
                                      std::vector<QRectF>& taken)
{
    std::vector<ContourLabel> labels;
    const double length = path.length();
    if (length < kShortestLabelled * width)
        return labels;
    const int stretches = std::max(1, int(length / kLabelEvery));
    for (int k = 0; k < stretches; ++k)
        for (const double along : kLabelTries) {
            const std::optional<ContourLabel> label = labelAt(path, length * (k + along) / stretches, width, height,
                                                              plot, taken);
            if (label) {
                taken.push_back(label->box);
                labels.push_back(*label);
                break;
            }
        }
    return labels;
}

void drawContours(QPainter& painter, const MapGrid& map, const MapLayout& layout, const ColourScale& scale)
{
    const QFont font = contourFont();
    const QFontMetricsF metrics(font);
    std::vector<QRectF> taken;
    for (const double level : scale.contourLevels()) {
        const QColor ink = inkOn(scale.colour(level));
        const QString text = QString::fromStdString(scale.label(level));
        const double width = metrics.horizontalAdvance(text) + 8;
        QColor lineColour = ink;
        lineColour.setAlpha(210);
        for (const ContourLine& line : contourLines(map, level)) {
            std::vector<QPointF> points;
            for (const ContourPoint& p : line)
                points.push_back(layout.pointOf(p.x, p.y));
            if (points.size() < 2)
                continue;
            const PagePath path(std::move(points));
            const std::vector<ContourLabel> labels = placeLabels(path, width, metrics.height(), layout.plot, taken);
            painter.setPen(QPen(lineColour, kContourWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            double from = 0;
            for (const ContourLabel& label : labels) {
                painter.drawPolyline(path.piece(from, label.gapFrom));
                from = label.gapTo;
            }
            painter.drawPolyline(path.piece(from, path.length()));
            painter.setFont(font);
            painter.setPen(ink);
            for (const ContourLabel& label : labels) {
                painter.save();
                painter.translate(label.centre);
                painter.rotate(label.angle);
                painter.drawText(QRectF(-width / 2, -metrics.height() / 2, width, metrics.height()), Qt::AlignCenter,
                                 text);
                painter.restore();
            }
        }
    }
}

// Each cell a filled rectangle around its grid point, a hair larger than its share so that
// no seam shows between neighbours in a viewer that smooths edges.
void drawCells(QPainter& painter, const MapGrid& map, const MapLayout& layout, const ColourScale& scale)
{
    const std::vector<double> xEdges = cellEdges(map.x.values);
    const std::vector<double> yEdges = cellEdges(map.y.values);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    std::vector<QRectF> missing;
    for (std::size_t j = 0; j < map.y.values.size(); ++j)
        for (std::size_t i = 0; i < map.x.values.size(); ++i) {
            const QRectF cell = QRectF(layout.pointOf(xEdges[i], yEdges[j]),
                                       layout.pointOf(xEdges[i + 1], yEdges[j + 1]))
                                    .normalized();
            const double z = map.at(i, j);
            if (std::isnan(z))
                missing.push_back(cell);
            else
                painter.fillRect(cell.adjusted(-0.3, -0.3, 0.3, 0.3) & layout.plot, toQColor(scale.colour(z)));
        }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const QRectF& cell : missing)
        drawMissing(painter, cell);
    painter.restore();
}

void drawAxes(QPainter& painter, const MapGrid& map, const MapLayout& layout)
{
    const QRectF& plot = layout.plot;
    const QFontMetricsF ticks(tickFont());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    painter.setFont(tickFont());
    for (const auto& [tick, label] : axisTicks(map.x.values, layout.xLow, layout.xHigh)) {
        const double x = layout.pointOf(tick, layout.yLow).x();
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        painter.drawText(QRectF(x - 50, plot.bottom() + kTickLength + 2, 100, ticks.height()),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
    double widest = 0;
    for (const auto& [tick, label] : axisTicks(map.y.values, layout.yLow, layout.yHigh)) {
        const double y = layout.pointOf(layout.xLow, tick).y();
        widest = std::max(widest, ticks.horizontalAdvance(label));
        painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
        painter.drawText(QRectF(plot.left() - kTickLength - 3 - 200, y - ticks.height() / 2, 200, ticks.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.setFont(titleFont());
    const QFontMetricsF titles(titleFont());
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + kTickLength + 2 + ticks.height() + 4, plot.width(), titles.height()),
        Qt::AlignHCenter | Qt::AlignTop, titleOf(map.x.quantity, map.x.unit));
    drawUpwards(painter, titleOf(map.y.quantity, map.y.unit),
                QPointF(plot.left() - kTickLength - 3 - widest - kGap - titles.height() / 2, plot.center().y()),
                plot.height());
}

void drawColourBar(QPainter& painter, const MapGrid& map, const MapLayout& layout, const ColourScale& scale)
{
    const QRectF& bar = layout.colourBar;
    const int bands = std::max(1, int(std::ceil(bar.height())));
    const double band = bar.height() / bands;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0; k < bands; ++k) {
        const double value = scale.low() + (k + 0.5) / bands * (scale.high() - scale.low());
        const QRectF r(bar.left(), bar.bottom() - (k + 1) * band, bar.width(), band);
        painter.fillRect(r.adjusted(0, -0.3, 0, 0.3) & bar, toQColor(scale.colour(value)));
    }
    painter.restore();

    const auto yOf = [&](double value) { return bar.bottom() - scale.position(value) * bar.height(); };
    for (const double level : scale.contourLevels()) {
        painter.setPen(QPen(inkOn(scale.colour(level)), kContourWidth));
        painter.drawLine(QPointF(bar.left(), yOf(level)), QPointF(bar.right(), yOf(level)));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar);
    painter.setFont(tickFont());
    const QFontMetricsF ticks(tickFont());
    const std::vector<QString> labels = barLabels(scale);
    const std::vector<double> values = scale.ticks();
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double y = yOf(values[k]);
        painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + kTickLength, y));
        painter.drawText(QRectF(bar.right() + kTickLength + 3, y - ticks.height() / 2, 200, ticks.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, labels[k]);
    }
    painter.setFont(titleFont());
    const double titleX = bar.right() + kTickLength + 3 + widestLabel(ticks, labels) + kGap
        + QFontMetricsF(titleFont()).height() / 2;
    drawUpwards(painter, titleOf(map.zQuantity, map.zUnit), QPointF(titleX, bar.center().y()), bar.height());

    if (layout.missingKey.isEmpty())
        return;
    const QRectF swatch(layout.missingKey.left(), layout.missingKey.top(), kBarWidth, kKeyHeight);
    drawMissing(painter, swatch);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(swatch);
    painter.setFont(tickFont());
    painter.drawText(QRectF(swatch.right() + 6, swatch.top() - 4, layout.missingKey.width(), kKeyHeight + 8),
                     Qt::AlignLeft | Qt::AlignVCenter, noResultText());
}

} // namespace

QPointF MapLayout::pointOf(double x, double y) const
{
    return {plot.left() + (x - xLow) / (xHigh - xLow) * plot.width(),
            plot.bottom() - (y - yLow) / (yHigh - yLow) * plot.height()};
}

MapLayout layOutMap(const MapGrid& map, const QRectF& target)
{
    MapLayout layout;
    const std::vector<double> xEdges = cellEdges(map.x.values);
    const std::vector<double> yEdges = cellEdges(map.y.values);
    std::tie(layout.xLow, layout.xHigh) = std::minmax(xEdges.front(), xEdges.back());
    std::tie(layout.yLow, layout.yHigh) = std::minmax(yEdges.front(), yEdges.back());

    const QFontMetricsF ticks(tickFont());
    const QFontMetricsF titles(titleFont());
    const QRectF inner = pictureArea(target);
    const double top = inner.top()
        + titlesHeight(QString::fromStdString(map.title), QString::fromStdString(map.conditions), {}, inner)
        + ticks.height();
    std::vector<QString> yLabels;
    for (const auto& tick : axisTicks(map.y.values, layout.yLow, layout.yHigh))
        yLabels.push_back(tick.second);
    const double left = titles.height() + kGap + widestLabel(ticks, yLabels) + 3 + kTickLength;
    const double bottom = kTickLength + 2 + ticks.height() + 4 + titles.height();
    const double barBlock = std::max(kTickLength + 3 + widestLabel(ticks, barLabels(ColourScale(map))) + kGap
                                         + titles.height(),
                                     6 + ticks.horizontalAdvance(noResultText()));
    const double right = 2 * kGap + kBarWidth + barBlock;
    layout.plot = QRectF(QPointF(inner.left() + left, top), QPointF(inner.right() - right, inner.bottom() - bottom));
    if (layout.plot.width() < 1 || layout.plot.height() < 1)
        layout.plot.setSize(QSizeF(std::max(1.0, layout.plot.width()), std::max(1.0, layout.plot.height())));

    const double barLeft = layout.plot.right() + 2 * kGap;
    const bool anyMissing = missingPoints(map) > 0;
    const double keyRoom = anyMissing ? kKeyHeight + 2 * kGap : 0;
    layout.colourBar = QRectF(barLeft, layout.plot.top(), kBarWidth, std::max(1.0, layout.plot.height() - keyRoom));
    if (anyMissing)
        layout.missingKey = QRectF(barLeft, layout.plot.bottom() - kKeyHeight, inner.right() - barLeft, kKeyHeight);
    return layout;
}

void renderMap(const MapGrid& map, QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF inner = pictureArea(target);
    drawTitles(painter, QString::fromStdString(map.title), QString::fromStdString(map.conditions), {}, inner);
    const MapLayout layout = layOutMap(map, target);
    const ColourScale scale(map);
    drawCells(painter, map, layout, scale);
    drawContours(painter, map, layout, scale);
    drawAxes(painter, map, layout);
    drawColourBar(painter, map, layout, scale);
    painter.restore();
}

} // namespace qrv
