#include "windows/settingsfile.h"

#include "base/appidentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv {

namespace {

// The folder the settings are kept in for this run instead: empty (defaults) or holding
// copies of read-only files. Lives until the program ends.
QTemporaryDir& runSettingsFolder()
{
    static QTemporaryDir folder;
    return folder;
}

} // namespace

SettingsFileKind settingsFileKind(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return errno == ENOENT ? SettingsFileKind::Missing : SettingsFileKind::NotAFile;
    if (!S_ISREG(status.st_mode))
        return SettingsFileKind::NotAFile;
    // The mode bits first: root may write any file, but one made read-only stays so.
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0
        || ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0)
        return SettingsFileKind::ReadOnly;
    return SettingsFileKind::Writable;
}

QStringList settingsFilePaths()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/');
    const QString organisation = QString::fromUtf8(kOrganisationName);
    return {folder + organisation + QLatin1Char('/') + QString::fromUtf8(kApplicationName) + QStringLiteral(".conf"),
            folder + organisation + QStringLiteral(".conf")};
}

QSettings programSettings()
{
    return QSettings(QString::fromUtf8(kOrganisationName), QString::fromUtf8(kApplicationName));
}

SettingsGuard guardSettingsFiles()
{
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QStringList paths = settingsFilePaths();
    // Each file, and the lock file that guards its writes (opened and read when it is there).
    for (const QString& path : paths) {
        for (const QString& file : {path, path + QStringLiteral(".lock")}) {
            if (settingsFileKind(file) != SettingsFileKind::NotAFile)
                continue;
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, runSettingsFolder().path());
            return {QStringLiteral("The settings file %1 is not a regular file. QRV starts with its default "
                                   "settings and keeps no settings this time.")
                        .arg(QDir::toNativeSeparators(file)),
                    {}};
        }
    }
    QStringList present;
    QString readOnly;
    for (const QString& path : paths) {
        const SettingsFileKind kind = settingsFileKind(path);
        if (kind == SettingsFileKind::ReadOnly)
            readOnly = path;
        if (kind != SettingsFileKind::Missing)
            present << path;
    }
    if (readOnly.isEmpty())
        return {};
    // The same settings, read from copies that this run may change.
    const QDir copies(runSettingsFolder().path());
    for (const QString& path : present) {
        const QString copy = copies.filePath(QDir(userFolder).relativeFilePath(path));
        QDir().mkpath(QFileInfo(copy).path());
        QFile::remove(copy);
        QFile::copy(path, copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, copies.path());
    return {{}, QStringLiteral("The settings file %1 is read-only: it is read, and changes last until QRV ends.")
                    .arg(QDir::toNativeSeparators(readOnly))};
}

} // namespace qrv
