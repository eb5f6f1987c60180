#include "windows/link/desktoptools.h"

#include <QDir>
#include <QStandardPaths>
#include <QWidget>

namespace qrv {

bool DesktopTools::activate(QProcess* process)
{
    m_active = process;
    return process != nullptr && process->state() == QProcess::Running;
}

bool DesktopTools::sendKeys(const QString& text)
{
    if (m_active.isNull() || m_active->state() != QProcess::Running)
        return false;
    QString keys = text;
    keys.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QByteArray bytes = keys.toUtf8();
    return m_active->write(bytes) == bytes.size();
}

QString DesktopTools::specialFolder(int code) const
{
    if (code != kDocumentsFolder)
        return {};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        return {};
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool DesktopTools::pathExists(const QString& folder) const
{
    return !folder.isEmpty() && QDir(folder).exists();
}

void DesktopTools::keepOnTop(QWidget* window, bool onTop) const
{
    if (window == nullptr)
        return;
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window flag hides the window; show it again as it was.
    if (wasVisible)
        window->show();
}

} // namespace qrv
