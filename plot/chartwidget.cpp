#include "plot/chartwidget.h"

#include "chart/chartadapter.h"

#include <QPainter>

namespace qrv {

ChartWidget::ChartWidget(const ChartAdapter& chart, QWidget* parent)
    : QWidget(parent), m_chart(chart)
{
    setMinimumSize(320, 240);
    connect(&chart, &ChartAdapter::drawn, this, qOverload<>(&QWidget::update));
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_chart.render(painter, QRectF(rect()));
}

} // namespace qrv
