#include "print/pagepreview.h"

#include <QPainter>

namespace qrv {

void PagePreview::setPictureRect(const QRect& rect)
{
    m_pictureRect = rect;
    update();
}

void PagePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_picture.isNull() && !m_pictureRect.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(m_pictureRect, m_picture);
    }
}

} // namespace qrv
