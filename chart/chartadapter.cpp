#include "chart/chartadapter.h"

#include "chart/renderchart.h"
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
    emit drawn();
}

void ChartAdapter::render(QPainter& painter, const QRectF& target) const
{
    renderChart(m_chart, painter, target);
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
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(m_chart.title);
    generator.setDescription(QString::fromStdString(madeByText()));
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
