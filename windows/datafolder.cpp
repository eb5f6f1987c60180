#include "windows/datafolder.h"

#include "base/appidentity.h"
#include "windows/link/desktoptools.h"

#include <QDir>
#include <QSettings>

namespace qrv {

QString settleDataPath(QSettings& settings, const DesktopTools& tools, const QString& documents,
                       const QString& programFolder)
{
    const QString programPath = programFolder + QLatin1Char('/');
    const QString docsPath = documents.isEmpty() ? programPath : documents;

    QString dataPath = settings.value(QStringLiteral("DataPath")).toString();
    if (!dataPath.isEmpty() && tools.pathExists(dataPath))
        return dataPath;

    if (docsPath == programPath)
        dataPath = docsPath + QStringLiteral("Files/");
    else
        dataPath = docsPath + QString::fromUtf8(kOrganisationName) + QLatin1Char('/') + QString::fromUtf8(kApplicationName)
                   + QLatin1Char('/');
    QDir().mkpath(dataPath);
    settings.setValue(QStringLiteral("DataPath"), dataPath);
    return dataPath;
}

} // namespace qrv
