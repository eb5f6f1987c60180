#include "print/pagepreview.h"

#include <QPainter>

namespace qrv {

void PagePreview::setPictureRect(const QRect& rect, const QSizeF& printedSize)
{
    m_pictureRect = rect;
    m_printedSize = printedSize;
    update();
}

void PagePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_picture && !m_pictureRect.isEmpty() && !m_printedSize.isEmpty()) {
        painter.setClipRect(m_pictureRect);
        painter.translate(m_pictureRect.topLeft());
        painter.scale(m_pictureRect.width() / m_printedSize.width(), m_pictureRect.height() / m_printedSize.height());
        m_picture(painter, QRectF(QPointF(0, 0), m_printedSize));
    }
}

} // namespace qrv
