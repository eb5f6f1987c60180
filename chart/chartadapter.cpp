#include "chart/chartadapter.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QClipboard>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QLineSeries>
#include <QMimeData>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <cmath>
#include <limits>

namespace qrv {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

QFont scaledFont(int percent, bool bold = false)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(8.0 * percent / 100.0);
    font.setBold(bold);
    return font;
}

// Whole-number X ranges of a few units get one tick per unit, as the ratio axis needs.
void setTicks(QValueAxis& axis)
{
    const double span = axis.max() - axis.min();
    if (span == std::floor(span) && span >= 1 && span <= 12)
        axis.setTickCount(int(span) + 1);
    else
        axis.applyNiceNumbers();
}

} // namespace

ChartAdapter::ChartAdapter(QObject* parent) : QObject(parent) {}

void ChartAdapter::reset()
{
    m_pointCount = 0;
    m_series.clear();
    m_xLabels.clear();
}

void ChartAdapter::setPointCount(int points)
{
    m_pointCount = points;
    for (auto& series : m_series)
        series.points.resize(std::size_t(points), Point{kNoValue, kNoValue, Qt::black});
    m_xLabels.resize(points);
}

void ChartAdapter::setSeriesCount(int series)
{
    m_series.resize(std::size_t(series));
    setPointCount(m_pointCount);
}

ChartAdapter::Point& ChartAdapter::point(int series, int point)
{
    return m_series.at(std::size_t(series - 1)).points.at(std::size_t(point - 1));
}

const ChartAdapter::Point* ChartAdapter::findPoint(int series, int point) const
{
    if (series < 1 || series > seriesCount() || point < 1 || point > m_pointCount)
        return nullptr;
    return &m_series[std::size_t(series - 1)].points[std::size_t(point - 1)];
}

void ChartAdapter::setValue(int series, int p, double value) { point(series, p).value = value; }
void ChartAdapter::setXPosition(int series, int p, double x) { point(series, p).x = x; }
void ChartAdapter::setColour(int series, int p, QColor colour) { point(series, p).colour = colour; }

double ChartAdapter::value(int series, int p) const
{
    const Point* found = findPoint(series, p);
    return found ? found->value : kNoValue;
}

double ChartAdapter::xPosition(int series, int p) const
{
    const Point* found = findPoint(series, p);
    return found ? found->x : kNoValue;
}

QColor ChartAdapter::colour(int series, int p) const
{
    const Point* found = findPoint(series, p);
    return found ? found->colour : QColor();
}

void ChartAdapter::setXLabel(int p, const QString& label) { m_xLabels[p - 1] = label; }
QString ChartAdapter::xLabel(int p) const { return m_xLabels.value(p - 1); }

void ChartAdapter::setLegend(int series, const QString& text)
{
    m_series.at(std::size_t(series - 1)).legend = text;
}

QString ChartAdapter::legend(int series) const
{
    return series >= 1 && series <= seriesCount() ? m_series[std::size_t(series - 1)].legend
                                                   : QString();
}

void ChartAdapter::setYRange(double minimum, double maximum)
{
    m_yMin = minimum;
    m_yMax = maximum;
}

void ChartAdapter::setXRange(double minimum, double maximum)
{
    m_xMin = minimum;
    m_xMax = maximum;
}

void ChartAdapter::draw() { emit drawn(); }

void ChartAdapter::render(QPainter& painter, const QRectF& target) const
{
    QGraphicsScene scene;
    auto* chart = new QChart;
    scene.addItem(chart);
    chart->setBackgroundRoundness(0);
    chart->setTitle(m_title);
    chart->setTitleFont(scaledFont(150, true));
    chart->legend()->setFont(scaledFont(100));
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* yAxis = new QValueAxis;
    yAxis->setRange(m_yMin, m_yMax);
    yAxis->setTickCount(6);
    yAxis->setLabelFormat(QStringLiteral("%g"));
    yAxis->setTitleText(m_yTitle);
    yAxis->setTitleFont(scaledFont(130));
    chart->addAxis(yAxis, Qt::AlignLeft);

    QAbstractAxis* xAxis = nullptr;
    if (m_kind == Kind::Line) {
        auto* labelled = new QCategoryAxis;
        labelled->setRange(0, m_pointCount);
        labelled->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        for (int p = m_labelSpacing; m_labelSpacing > 0 && p <= m_pointCount; p += m_labelSpacing)
            labelled->append(xLabel(p), p);
        xAxis = labelled;
    } else {
        auto* valued = new QValueAxis;
        valued->setRange(m_xMin, m_xMax);
        valued->setLabelFormat(QStringLiteral("%g"));
        setTicks(*valued);
        xAxis = valued;
    }
    xAxis->setTitleText(m_xTitle);
    xAxis->setTitleFont(scaledFont(130));
    chart->addAxis(xAxis, Qt::AlignBottom);

    bool anyLegend = false;
    for (int s = 1; s <= seriesCount(); ++s) {
        QXYSeries* series = nullptr;
        if (m_kind == Kind::Points) {
            auto* markers = new QScatterSeries;
            markers->setMarkerSize(9);
            markers->setBorderColor(Qt::black);
            series = markers;
        } else {
            series = new QLineSeries;
        }
        QColor colour;
        for (int p = 1; p <= m_pointCount; ++p) {
            const Point& point = m_series[std::size_t(s - 1)].points[std::size_t(p - 1)];
            if (std::isnan(point.value))
                continue;
            series->append(m_kind == Kind::Line ? double(p) : point.x, point.value);
            if (!colour.isValid())
                colour = point.colour;
        }
        QPen pen = series->pen();
        pen.setWidthF(2);
        pen.setColor(colour.isValid() ? colour : Qt::black);
        series->setPen(pen);
        series->setColor(pen.color());
        series->setName(legend(s));
        anyLegend = anyLegend || !legend(s).isEmpty();
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    chart->legend()->setVisible(anyLegend);

    const QRectF layout(0, 0, target.width(), target.height());
    chart->setGeometry(layout);
    scene.setSceneRect(layout);
    scene.render(&painter, target, layout);
}

QImage ChartAdapter::picture(QSize size, qreal devicePixelRatio) const
{
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void ChartAdapter::copyToClipboard(QSize size) const
{
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(m_title);
    {
        QPainter painter(&generator);
        render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    auto* data = new QMimeData;
    data->setImageData(picture(size));
    data->setData(QStringLiteral("image/svg+xml"), svg);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace qrv
