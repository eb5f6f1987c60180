// The page drawn to scale in the print window, with the picture where it will print.
#pragma once

#include "print/printpicture.h"

#include <QWidget>

namespace qrv {

class PagePreview : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void setPicture(DrawPicture picture) { m_picture = std::move(picture); }
    // The picture's place on this widget, in its pixels, and its size on paper in units of
    // 1/96 inch: it is drawn at that size and scaled down, as it will print.
    void setPictureRect(const QRect& rect, const QSizeF& printedSize);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawPicture m_picture;
    QRect m_pictureRect;
    QSizeF m_printedSize;
};

} // namespace qrv
