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
    // Over the window in use; a minimised one (the input window while the results are up) would
    // be shown again by the window manager, on top of the window in use.
    QWidget* over = QApplication::activeWindow();
    if (over != nullptr && over->isMinimized())
        over = nullptr;
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kAppTitle), text, QMessageBox::Ok, over);
    box.exec();
}

} // namespace qrv
