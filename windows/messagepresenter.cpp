#include "windows/messagepresenter.h"

#include "base/appidentity.h"

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

// A window kept above the others (the about window at start-up), if one is up.
QWidget* windowKeptOnTop()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return top;
    return nullptr;
}

} // namespace

void MessageBoxPresenter::show(const QString& text, Icon icon)
{
    // A message belongs above the window that asked for it; one kept on top would hide it (a
    // file given at start-up is opened under the about window), so the box then stands above
    // that window instead, and is kept on top as well. A minimised window (the input window
    // while the results are up) is no parent: the window manager would show it again, on top
    // of the window in use.
    QWidget* onTop = QApplication::activeModalWidget() ? nullptr : windowKeptOnTop();
    QWidget* parent = onTop != nullptr ? onTop : QApplication::activeWindow();
    if (parent != nullptr && parent->isMinimized())
        parent = nullptr;
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kAppTitle), text, QMessageBox::Ok, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, onTop != nullptr);
    box.exec();
}

} // namespace qrv
