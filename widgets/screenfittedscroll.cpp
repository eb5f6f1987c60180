#include "widgets/screenfittedscroll.h"

#include <QEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace qrv {

namespace {

// Below this the values could not be read anyway; the window then leaves the screen instead.
constexpr int kLeastHeight = 200;

} // namespace

ScreenFittedScroll::ScreenFittedScroll(QWidget* contents, QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes from value to value, each scrolled into view; the area is no stop of its own.
    setFocusPolicy(Qt::NoFocus);
    setWidget(contents);
}

QSize ScreenFittedScroll::sizeHint() const
{
    QSize hint = widget()->sizeHint();
    // The title bar and frame, as the window manager drew them, or as tall as the style's.
    const QWidget* frame = window();
    const int frameHeight = frame->isVisible() && frame->frameGeometry().height() > frame->height()
                                ? frame->frameGeometry().height() - frame->height()
                                : style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    const int room = screen()->availableGeometry().height() - frameHeight - m_reservedHeight;
    if (hint.height() > room) {
        hint.setHeight(std::max(room, kLeastHeight));
        hint.rwidth() += verticalScrollBar()->sizeHint().width();
    }
    return hint;
}

bool ScreenFittedScroll::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

} // namespace qrv
