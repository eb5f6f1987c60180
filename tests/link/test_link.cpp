// The desktop tools and the steam-table link, driving the real vaptab program.
#include "display/recordinghost.h"
#include "windows/link/desktoptools.h"
#include "windows/link/linkvaptab.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

using namespace qrv;

class TestLink : public QObject {
    Q_OBJECT

private slots:
    void sendKeysTurnsCarriageReturnsIntoNewlines()
    {
        DesktopTools tools;
        QVERIFY(!tools.sendKeys(QStringLiteral("nobody\r")));

        QProcess cat;
        cat.start(QStringLiteral("/bin/cat"), {});
        QVERIFY(cat.waitForStarted());
        QVERIFY(tools.activate(&cat));
        QVERIFY(tools.sendKeys(QStringLiteral("si in\r")));
        QVERIFY(tools.sendKeys(QStringLiteral("2000000,300.0\r")));
        cat.closeWriteChannel();
        QVERIFY(cat.waitForFinished());
        QCOMPARE(cat.readAllStandardOutput(), QByteArray("si in\n2000000,300.0\n"));
        QVERIFY(!tools.activate(&cat));
        QVERIFY(!tools.sendKeys(QStringLiteral("s\r")));
    }

    void foldersAndKeepOnTop()
    {
        DesktopTools tools;
        const QString documents = tools.specialFolder(DesktopTools::kDocumentsFolder);
        QVERIFY(documents.isEmpty() || documents.endsWith(QLatin1Char('/')));
        QVERIFY(tools.specialFolder(0).isEmpty());

        QTemporaryDir dir;
        QVERIFY(tools.pathExists(dir.path()));
        QVERIFY(!tools.pathExists(dir.path() + QStringLiteral("/missing")));
        QVERIFY(!tools.pathExists(QString()));

        QWidget window;
        window.show();
        tools.keepOnTop(&window);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        tools.keepOnTop(&window, false);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void startQueryParseAndStop()
    {
        RecordingHost host;
        DesktopTools tools;
        LinkVaptab link(host, tools, QStringLiteral(VAPTAB_PROGRAM));
        QSignalSpy values(&link, &LinkVaptab::valuesArrived);

        QElapsedTimer started;
        started.start();
        link.open(true);
        QVERIFY(started.elapsed() >= LinkVaptab::kStartWaitMs);
        const qint64 firstTask = link.taskId();
        QVERIFY(firstTask != 0);

        link.query(2e6, 300.0);
        QTRY_COMPARE(values.count(), 1);
        for (const char* answer : {"inputs in Pa and K", "p = 2000000 Pa", "T = 300 K"})
            QVERIFY2(link.transcript().contains(QLatin1String(answer)), answer);
        QVERIFY(link.latestValues().has_value());
        QCOMPARE(qRound(link.latestValues()->entropy * 1000), 392537);
        QCOMPARE(qRound(link.latestValues()->cv * 1000), 4123944);
        QCOMPARE(values.at(0).at(0).toDouble(), link.latestValues()->entropy);

        // Opening again reuses the running program.
        link.open(true);
        QCOMPARE(link.taskId(), firstTask);
        link.query(1e5, 400.0);
        QTRY_COMPARE(values.count(), 2);
        QVERIFY(link.latestValues()->entropy > 7000);

        link.open(false);
        QCOMPARE(link.taskId(), 0);
        QTRY_VERIFY(!QDir(QStringLiteral("/proc/%1").arg(firstTask)).exists());
        link.open(false);
        QCOMPARE(link.taskId(), 0);

        link.setStartWaitMs(0);
        link.open(true);
        QVERIFY(link.taskId() != 0);
        QVERIFY(link.taskId() != firstTask);
        QVERIFY(host.messages().empty());
    }

    void restartsWhenTheProgramWasKilled()
    {
        RecordingHost host;
        DesktopTools tools;
        LinkVaptab link(host, tools, QStringLiteral(VAPTAB_PROGRAM));
        link.setStartWaitMs(0);
        link.open(true);
        const qint64 killed = link.taskId();
        QVERIFY(killed != 0);
        QCOMPARE(::kill(static_cast<pid_t>(killed), SIGKILL), 0);
        QTRY_VERIFY(!QDir(QStringLiteral("/proc/%1").arg(killed)).exists());

        // Closing a program that has gone away fails silently and keeps the task.
        link.open(false);
        QCOMPARE(link.taskId(), killed);

        link.open(true);
        QVERIFY(link.taskId() != 0);
        QVERIFY(link.taskId() != killed);
        QSignalSpy values(&link, &LinkVaptab::valuesArrived);
        link.query(2e6, 300.0);
        QTRY_COMPARE(values.count(), 1);
        QVERIFY(host.messages().empty());
    }

    void missingProgramReportsAndSendsNothing()
    {
        RecordingHost host;
        DesktopTools tools;
        QTemporaryDir dir;
        LinkVaptab link(host, tools, dir.path() + QStringLiteral("/vaptab"));
        link.setStartWaitMs(0);
        link.open(true);
        QCOMPARE(link.taskId(), 0);
        QCOMPARE(host.messages().size(), std::size_t{1});
        QCOMPARE(host.messages().front().text, std::string("Error opening/closing vaptab!"));
        QCOMPARE(host.messages().front().icon, Icon::Exclamation);

        link.query(2e6, 300.0);
        link.open(false);
        QCOMPARE(host.messages().size(), std::size_t{1});
        QVERIFY(link.transcript().isEmpty());
        QVERIFY(!link.latestValues().has_value());
    }
};

QTEST_MAIN(TestLink)
#include "test_link.moc"
