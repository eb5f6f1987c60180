#include "windows/chainwindow.h"

#include "windows/appinfo.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

namespace qrv {

ChainWindow::ChainWindow(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setWindowTitle(versionCaption());
    setWindowIcon(QIcon(QStringLiteral(":/qrv/qrv.svg")));
}

void ChainWindow::unload()
{
    m_unloading = true;
    close();
}

void ChainWindow::minimise()
{
    if (QLayout* contents = layout())
        contents->activate();
    showMinimized();
}

void ChainWindow::closeEvent(QCloseEvent* event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    event->ignore();
    // After this close has finished: the answer may be to unload this very window.
    QTimer::singleShot(0, this, [this] { emit closeRequested(); });
}

QPushButton* makeHelpButton(const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setToolTip(QStringLiteral("Help"));
    button->setAccessibleName(QStringLiteral("Help"));
    const QIcon icon = QIcon::fromTheme(QStringLiteral("help-browser"));
    if (icon.isNull())
        button->setText(QStringLiteral("?"));
    else
        button->setIcon(icon);
    button->setMaximumWidth(button->sizeHint().height() * 2);
    return button;
}

} // namespace qrv
