#include "chart/chartadapter.h"

#include "chart/chartexport.h"
#include "chart/renderchart.h"
#include "chart/rendermap.h"
#include "base/appidentity.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

namespace qrv {

ChartAdapter::ChartAdapter(QObject* parent)
    : QObject(parent)
{
}

void ChartAdapter::show(Chart chart)
{
    m_chart = std::move(chart);
    m_map.reset();
    emit drawn();
}

void ChartAdapter::show(MapGrid map)
{
    m_map = std::move(map);
    emit drawn();
}

QString ChartAdapter::title() const
{
    return m_map ? QString::fromStdString(m_map->title) : m_chart.title;
}

void ChartAdapter::render(QPainter& painter, const QRectF& target) const
{
    if (m_map)
        renderMap(*m_map, painter, target);
    else
        renderChart(m_chart, painter, target);
}

FigureDrawing ChartAdapter::drawing() const
{
    if (m_map)
        return [map = *m_map](QPainter& painter, const QRectF& target) { renderMap(map, painter, target); };
    return [chart = m_chart](QPainter& painter, const QRectF& target) { renderChart(chart, painter, target); };
}

bool ChartAdapter::save(const QString& path, QSize pixels, QString* error) const
{
    return m_map ? exportMap(*m_map, path, pixels, error) : exportChart(m_chart, path, pixels, error);
}

QImage ChartAdapter::picture(QSize size, qreal devicePixelRatio) const
{
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void ChartAdapter::copyToClipboard(QSize size) const
{
    auto* data = new QMimeData;
    data->setImageData(picture(size));
    // A map's SVG holds a shape per point: megabytes, and seconds to make, for a large grid.
    if (!m_map) {
        QByteArray svg;
        QBuffer buffer(&svg);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(title());
        generator.setDescription(QString::fromStdString(madeByText()));
        {
            QPainter painter(&generator);
            render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        data->setData(QStringLiteral("image/svg+xml"), svg);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace qrv
