#include "windows/valuelabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace qrv {

ValueLabel::ValueLabel(const QString& name, const QColor& background, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    // Wide enough for the longest phase name in bold, the clipboard marker.
    QFont bold = font();
    bold.setBold(true);
    setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("Supercritcal Liquid")) + 16);
}

void ValueLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ValueLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

} // namespace qrv
