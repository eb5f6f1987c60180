// The settings file as the program finds it at start-up: a pipe or folder in its place is not
// read (the start would wait for ever), a read-only one is read and left exactly as it was.
#include "tests/windows/guitestsupport.h"

#include "windows/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

using namespace qrv;
using namespace qrv::test;

namespace {

struct stat statusOf(const QString& path)
{
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // Each test starts from the private settings folder, with no settings file.
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        QDir(config + QStringLiteral("/Tarvel")).removeRecursively();
        QFile::remove(config + QStringLiteral("/Tarvel.conf"));
        QVERIFY(QDir().mkpath(config + QStringLiteral("/Tarvel")));
        m_file = settingsFilePaths().front();
    }

    void kinds_eachPlaceOfTheFile_toldApart()
    {
        QCOMPARE(settingsFileKind(m_file), SettingsFileKind::Missing);
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(settingsFileKind(m_file), SettingsFileKind::Writable);
        // No write bit: read-only also for root, who could write it.
        QVERIFY(QFile::setPermissions(m_file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QCOMPARE(settingsFileKind(m_file), SettingsFileKind::ReadOnly);
        QVERIFY(QFile::remove(m_file));

        QCOMPARE(::mkfifo(QFile::encodeName(m_file).constData(), 0600), 0);
        QCOMPARE(settingsFileKind(m_file), SettingsFileKind::NotAFile);
        QVERIFY(QFile::remove(m_file));
        QVERIFY(QDir().mkdir(m_file));
        QCOMPARE(settingsFileKind(m_file), SettingsFileKind::NotAFile);
        QVERIFY(QDir().rmdir(m_file));
        // A link is judged by what it leads to.
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), m_file));
        QCOMPARE(settingsFileKind(m_file), SettingsFileKind::NotAFile);
    }

    void pipeAsSettingsFile_start_defaultsAndSaidSo()
    {
        // State: a pipe in the settings file's place, as of the organisation's file
        QCOMPARE(::mkfifo(QFile::encodeName(m_file).constData(), 0600), 0);
        // Action: the program starts, works and quits
        const SettingsGuard guard = guardSettingsFiles();
        {
            TestSession t;
            QCOMPARE(t.ui().txtTMagma->text(), QStringLiteral("1473"));
            t.ui().Command3->click();
        }
        // Expected: the user is told which file was passed over; the pipe is still a pipe
        QCOMPARE(guard.warning, QStringLiteral("The settings file %1 is not a regular file. QRV starts with its "
                                               "default settings and keeps no settings this time.")
                                    .arg(m_file));
        QVERIFY(S_ISFIFO(statusOf(m_file).st_mode));
        QFile::remove(m_file);

        // The organisation's file, and the lock file read before a write, are passed over alike.
        const QString organisation = settingsFilePaths().back();
        QVERIFY(QDir().mkdir(organisation));
        QVERIFY(guardSettingsFiles().warning.contains(organisation));
        QDir().rmdir(organisation);
        const QString lock = m_file + QStringLiteral(".lock");
        QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        QVERIFY(guardSettingsFiles().warning.contains(lock));
        QFile::remove(lock);
    }

    void readOnlySettingsFile_startAndQuit_readAndLeftAsItWas()
    {
        // State: a read-only settings file that moved the window (the run is root's in CI)
        const QByteArray content = "[General]\nMainLeft=1500\nMainTop=1500\nShowReference=false\n";
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QVERIFY(QFile::setPermissions(m_file, QFile::ReadOwner | QFile::ReadGroup));
        const struct stat before = statusOf(m_file);

        // Action: the program starts, is moved, changes a setting and quits
        const SettingsGuard guard = guardSettingsFiles();
        QString dataPath;
        {
            TestSession t;
            // Its settings were read: the data folder had to be chosen anew and is kept for the run
            dataPath = t.session->dataPath();
            QCOMPARE(QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).value(QStringLiteral("MainLeft")).toInt(),
                     1500);
            t.main().move(300, 200);
            t.ui().Command3->click();
        }
        QCOMPARE(QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).value(QStringLiteral("DataPath")).toString(),
                 dataPath);

        // Expected: the file itself untouched, with its mode, inode and content; said on stderr
        const struct stat after = statusOf(m_file);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
        QVERIFY(guard.warning.isEmpty());
        QVERIFY(guard.note.contains(m_file));
    }

private:
    QString m_file;
};

QRV_GUI_TEST_MAIN(SettingsFileTest)
#include "test_settingsfile.moc"
