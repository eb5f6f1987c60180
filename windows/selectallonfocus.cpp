#include "windows/selectallonfocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace qrv {

void SelectAllOnFocus::watch(QLineEdit* box)
{
    box->installEventFilter(this);
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // After the event: a mouse click would otherwise place the cursor over the selection.
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qrv
