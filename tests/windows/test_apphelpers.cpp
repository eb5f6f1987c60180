// The program's helpers: the engine host's mapping onto widgets, pauses, the remembered
// position on screens, and the single-instance hand-over and where its socket lives.
#include "tests/windows/guitestsupport.h"

#include "display/inputwindow.h"
#include "display/resultswindow.h"

#include "widgets/screenfittedscroll.h"
#include "windows/singleinstance.h"
#include "windows/windowplacement.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTimer>

#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qrv;
using namespace qrv::test;

class AppHelpersTest : public QObject {
    Q_OBJECT
private slots:
    void widgetHost_engineCalls_reachTheNamedWidgets();
    void widgetHost_pause_waitsScaledAndEndsWhenCancelled();
    void savedPosition_placement_onlyWhereTheTitleBarIsOnAScreen();
    void screenFittedScroll_contentsTallerThanTheScreen_buttonsInReachAndTheContentsScroll();
    void runningInstance_secondStart_handsOverAndTheFirstComesForward();
    void silentInstance_secondStart_goesOn();
    void runningInstance_secondStartWithAFile_theFirstOpensIt();
    void socketFolder_sharedOrNotOwned_neverUsed();
    void listenerOfAnotherUser_secondStartWithAFile_handsNothingOver();
};

void AppHelpersTest::widgetHost_engineCalls_reachTheNamedWidgets()
{
    QWidget window;
    auto* label = new QLabel(&window);
    label->setObjectName("labES(0)");
    auto* box = new QLineEdit(&window);
    box->setObjectName("txtR");
    RecordingPresenter presenter;
    WidgetHost host([&window](Window) { return &window; }, presenter);

    const Control& value = resultswindow::kEquilibriumState[0];
    host.setText(value, "148.9");
    host.setText(inputwindow::kRatio, "0.30");
    host.setBold(value, true);
    host.setColour(value, TextColour::Red);
    host.setEnabled(inputwindow::kRatio, false);
    host.setVisible(value, false);
    host.message("Rmix error", Icon::Critical);

    QCOMPARE(label->text(), QString("148.9"));
    QCOMPARE(box->text(), QString("0.30"));
    // What it wrote is kept, as the routines left it
    QCOMPARE(host.record().text(Window::Main, "txtR"), std::string("0.30"));
    QVERIFY(!host.record().control(Window::Results, "labES(0)").visible);
    QCOMPARE(host.record().messages.size(), std::size_t(1));
    QVERIFY(label->font().bold());
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(!box->isEnabled());
    QVERIFY(label->isHidden());
    QCOMPARE(presenter.shown.size(), 1);
    QCOMPARE(presenter.shown[0].text, QString("Rmix error"));

    host.setColour(value, TextColour::ButtonText);
    QCOMPARE(label->palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::ButtonText));
}

void AppHelpersTest::widgetHost_pause_waitsScaledAndEndsWhenCancelled()
{
    RecordingPresenter presenter;
    WidgetHost host([](Window) { return nullptr; }, presenter);
    host.setPauseScale(0.05);
    QElapsedTimer clock;
    clock.start();
    host.pause(1000);
    QVERIFY(clock.elapsed() >= 45 && clock.elapsed() < 500);

    host.setPauseScale(1.0);
    QTimer::singleShot(20, [&host] { host.cancelPauses(); });
    clock.restart();
    host.pause(1000);
    QVERIFY(clock.elapsed() < 500);
    clock.restart();
    host.pause(1000);
    QVERIFY(clock.elapsed() < 100);
}

void AppHelpersTest::savedPosition_placement_onlyWhereTheTitleBarIsOnAScreen()
{
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QSize size(600, 200);
    QCOMPARE(placementOnScreens({100, 100}, size, screens), std::optional<QPoint>(QPoint(100, 100)));
    QCOMPARE(placementOnScreens({2500, 500}, size, screens), std::optional<QPoint>(QPoint(2500, 500)));
    QCOMPARE(placementOnScreens({-500, 10}, size, screens), std::optional<QPoint>(QPoint(-500, 10)));
    QCOMPARE(placementOnScreens({-590, 10}, size, screens), std::nullopt);
    QCOMPARE(placementOnScreens({100, 1070}, size, screens), std::nullopt);
    QCOMPARE(placementOnScreens({3300, 100}, size, screens), std::nullopt);
    QCOMPARE(pixelsToTwips(100, 96.0), 1500);
    QCOMPARE(twipsToPixels(1500, 144.0), 150);

    // A placed window lies wholly on the screen that holds most of it: moved in, not shrunk
    const QRect frame(QPoint(0, 0), size);
    QCOMPARE(fittedOnScreens(frame.translated(1000, 900), screens), frame.translated(1000, 880));
    QCOMPARE(fittedOnScreens(frame.translated(1400, 300), screens), frame.translated(1320, 300));
    QCOMPARE(fittedOnScreens(frame.translated(1800, 300), screens), frame.translated(1920, 300));
    QCOMPARE(fittedOnScreens(frame.translated(-300, -50), screens), frame);
    QCOMPARE(fittedOnScreens(frame.translated(3000, 900), screens), frame.translated(2600, 824));
    QCOMPARE(fittedOnScreens(frame.translated(100, 100), screens), frame.translated(100, 100));
    // off every screen: onto the nearest; larger than its screen: shrunk to it
    QCOMPARE(fittedOnScreens(frame.translated(5000, 200), screens), frame.translated(2600, 200));
    QCOMPARE(fittedOnScreens(QRect(2000, 100, 1400, 1200), screens), QRect(1920, 0, 1280, 1024));
}

// A fixed-size window of values above a row of buttons, as the results window is.
void AppHelpersTest::screenFittedScroll_contentsTallerThanTheScreen_buttonsInReachAndTheContentsScroll()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* values = new QWidget;
    auto* valuesLayout = new QVBoxLayout(values);
    auto* tall = new QLabel(QStringLiteral("values"));
    valuesLayout->addWidget(tall);
    auto* scroll = new ScreenFittedScroll(values, &window);
    auto* button = new QPushButton(QStringLiteral("Save"));
    layout->addWidget(scroll);
    layout->addWidget(button);
    scroll->setReservedHeight(button->sizeHint().height() + layout->spacing() + 2 * layout->contentsMargins().top());
    const int screenHeight = window.screen()->availableGeometry().height();

    tall->setFixedHeight(screenHeight + 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    QVERIFY(window.height() < screenHeight);
    QVERIFY(window.rect().contains(button->geometry()));
    QVERIFY(scroll->width() >= values->sizeHint().width() + scroll->verticalScrollBar()->width());

    // Contents that fit: the window takes their size, with nothing to scroll
    tall->setFixedHeight(100);
    QTRY_VERIFY(window.height() < 200);
    QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible());
}

void AppHelpersTest::runningInstance_secondStart_handsOverAndTheFirstComesForward()
{
    TestSession t;
    t.main().setEnabled(true);
    t.main().showMinimized();
    SingleInstance running(QStringLiteral("handover-test"));
    QVERIFY(running.listen());
    QObject::connect(&running, &SingleInstance::activationRequested, t.session.get(), &Session::takeHandOver);
    QSignalSpy asked(&running, &SingleInstance::activationRequested);

    SingleInstance second(QStringLiteral("handover-test"));
    QVERIFY(second.handOver({}));
    QCOMPARE(asked.count(), 1);
    QVERIFY(!t.main().isMinimized());
}

void AppHelpersTest::silentInstance_secondStart_goesOn()
{
    SingleInstance nobody(QStringLiteral("nobody-test"));
    QVERIFY(!nobody.handOver({}, 200));

    // A program that takes the connection but never answers.
    QLocalServer silent;
    QVERIFY(silent.listen(SingleInstance(QStringLiteral("silent-test")).serverName()));
    SingleInstance second(QStringLiteral("silent-test"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!second.handOver({}, 300));
    QVERIFY(clock.elapsed() >= 250);
}

void AppHelpersTest::runningInstance_secondStartWithAFile_theFirstOpensIt()
{
    // State: a saved run; the program runs, its equilibrium window up
    QTemporaryDir folder;
    const QString path = folder.filePath("a run, with \"odd\" name\n.qrv");
    QVERIFY(writeWaterRun(path, "1400", "298"));
    TestSession t;
    InputWidgets(t.main()).Command1->click();
    QVERIFY(t.session->calcWindow() != nullptr);
    SingleInstance running(QStringLiteral("open-test"));
    QVERIFY(running.listen());
    QObject::connect(&running, &SingleInstance::activationRequested, t.session.get(), &Session::takeHandOver);
    // Action: a later start for the file, as a file manager starts it
    SingleInstance second(QStringLiteral("open-test"));
    QVERIFY(second.handOver({path}));
    // Expected: the running program shows the file's run, as Open would
    QVERIFY(t.session->resultsWindow() != nullptr);
    QVERIFY(t.session->resultsWindow()->isVisible());
    QCOMPARE(t.session->resultsWindow()->findChild<QLabel*>("labTmag")->text(), QString("1400"));
    QCOMPARE(t.session->store().count(), 1);
    QTRY_VERIFY(t.session->calcWindow() == nullptr);
    QVERIFY(t.presenter.shown.isEmpty());
}

namespace {

mode_t modeOf(const QString& path)
{
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

// Environment variables set for one scope.
class ScopedEnvironment {
public:
    ~ScopedEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            qputenv(name, value);
    }
    void set(const char* name, const QString& value)
    {
        m_saved.emplace_back(name, qgetenv(name));
        qputenv(name, QFile::encodeName(value));
    }

private:
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

} // namespace

void AppHelpersTest::socketFolder_sharedOrNotOwned_neverUsed()
{
    QTemporaryDir scratch;
    ScopedEnvironment environment;
    const QString runtime = scratch.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(runtime));
    environment.set("TMPDIR", scratch.path());
    environment.set("XDG_RUNTIME_DIR", runtime);
    const QString own = scratch.filePath(QStringLiteral("qrv-") + QString::number(::getuid()));

    // The user's runtime folder, when nobody else may enter it
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    QCOMPARE(privateSocketFolder(), std::optional<QString>(runtime));
    QCOMPARE(SingleInstance().serverName(), runtime + QStringLiteral("/tarvel-qrv"));

    // Open to the group, or given as a relative path: a folder of the user's own, made private
    ::chmod(QFile::encodeName(runtime).constData(), 0750);
    QCOMPARE(privateSocketFolder(), std::optional<QString>(own));
    QCOMPARE(modeOf(own), mode_t(0700));
    environment.set("XDG_RUNTIME_DIR", QStringLiteral("runtime"));
    QCOMPARE(privateSocketFolder(), std::optional<QString>(own));

    // That folder found open to others, or as a link to a private folder: no socket at all
    ::chmod(QFile::encodeName(own).constData(), 0777);
    QCOMPARE(privateSocketFolder(), std::nullopt);
    QVERIFY(SingleInstance().serverName().isEmpty());
    QVERIFY(!SingleInstance().handOver({}, 100));
    QVERIFY(!SingleInstance().listen());
    QVERIFY(QDir(own).removeRecursively());
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    QVERIFY(QFile::link(runtime, own));
    QCOMPARE(privateSocketFolder(), std::nullopt);
    QVERIFY(QFile::remove(own));

    // Made by another user before this one started
    if (::geteuid() != 0)
        QSKIP("needs root to give the folder to another user");
    QVERIFY(QDir().mkdir(own));
    ::chmod(QFile::encodeName(own).constData(), 0700);
    QCOMPARE(::chown(QFile::encodeName(own).constData(), 4242, 4242), 0);
    QCOMPARE(privateSocketFolder(), std::nullopt);
}

// Another user who listens at the socket's name and answers is never handed a file.
void AppHelpersTest::listenerOfAnotherUser_secondStartWithAFile_handsNothingOver()
{
    if (::geteuid() != 0)
        QSKIP("needs root to listen as a second user");
    QTemporaryDir shared;
    ::chmod(QFile::encodeName(shared.path()).constData(), 0777);
    const QString name = SingleInstance(QStringLiteral("intruder"), shared.path()).serverName();
    const QByteArray heard = QFile::encodeName(shared.filePath(QStringLiteral("heard")));
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    const pid_t intruder = ::fork();
    if (intruder == 0) {
        // As user 4242: listen, answer "done" at once, and keep whatever is sent.
        ::close(ready[0]);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(name);
        std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
        const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::setgid(4242) != 0 || ::setuid(4242) != 0
            || ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::chmod(path.constData(), 0777) != 0 || ::listen(server, 1) != 0)
            ::_exit(1);
        if (::write(ready[1], "r", 1) != 1)
            ::_exit(1);
        const int client = ::accept(server, nullptr, nullptr);
        // The program may have hung up already.
        static_cast<void>(::send(client, "done\n", 5, MSG_NOSIGNAL));
        const int keep = ::open(heard.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        char buffer[512];
        pollfd wait{client, POLLIN, 0};
        for (ssize_t got; ::poll(&wait, 1, 1000) > 0 && (got = ::read(client, buffer, sizeof buffer)) > 0;)
            if (::write(keep, buffer, std::size_t(got)) != got)
                ::_exit(1);
        ::_exit(0);
    }
    ::close(ready[1]);
    char signal = 0;
    QCOMPARE(::read(ready[0], &signal, 1), ssize_t(1));
    ::close(ready[0]);

    SingleInstance second(QStringLiteral("intruder"), shared.path());
    const bool handedOver = second.handOver({QStringLiteral("/home/someone/secret.qrv")});
    int status = 0;
    ::waitpid(intruder, &status, 0);
    QVERIFY(!handedOver);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QFile kept(QFile::decodeName(heard));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray());
}

QRV_GUI_TEST_MAIN(AppHelpersTest)
#include "test_apphelpers.moc"
