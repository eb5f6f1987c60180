#include "windows/rangebox.h"

#include <QLineEdit>

namespace qrv {

QLineEdit* rangeBox(const char* name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) + 16);
    return edit;
}

} // namespace qrv
