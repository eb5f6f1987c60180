// A scroll area as large as the widget it holds, but never taller than its screen leaves room
// for: the window around it then fits a short screen with its buttons in reach, and only what
// the area holds scrolls.
#pragma once

#include <QScrollArea>

namespace qrv {

class ScreenFittedScroll : public QScrollArea {
    Q_OBJECT
public:
    ScreenFittedScroll(QWidget* contents, QWidget* parent);

    // What the window needs in height besides this area: its other rows and margins.
    void setReservedHeight(int pixels) { m_reservedHeight = pixels; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // The contents grew or shrank (a panel shown or hidden): the window takes the new size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_reservedHeight = 0;
};

} // namespace qrv
