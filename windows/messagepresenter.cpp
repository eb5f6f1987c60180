#include "windows/messagepresenter.h"

#include "engine/appidentity.h"

#include <QApplication>
#include <QMessageBox>

namespace qrv {

namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Information: return QMessageBox::Information;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxPresenter::show(const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kAppTitle), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace qrv
