// The page drawn to scale in the print window, with the picture where it will print.
#pragma once

#include <QImage>
#include <QWidget>

namespace qrv {

class PagePreview : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void setPicture(const QImage& picture) { m_picture = picture; }
    // The picture's place on this widget, in its pixels.
    void setPictureRect(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QRect m_pictureRect;
};

} // namespace qrv
