// The windows under a real window manager: each placed by its frame wholly on the screen,
// following the input window, after a failed run too; the remembered position kept without
// creeping; the input window minimised under the results of an opened file; the about window
// taking the keyboard at start-up.
#include "tests/windows/guitestsupport.h"

#include "display/ratioline.h"
#include "files/resultsfile.h"
#include "windows/aboutwindow.h"
#include "windows/frmcalc.h"
#include "windows/frmresults.h"
#include "windows/messagepresenter.h"
#include "windows/windowplacement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

using namespace qrv;
using namespace qrv::test;

namespace {

constexpr int kWaitMs = 10000;

QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Where the display shows a window's frame, as the X server and the window manager report it
// (Qt keeps only a copy, which may lag behind): the client area's position on the screen less
// the frame extents that the window manager published. None while the window is not framed.
std::optional<QRect> frameOnDisplay(const QWidget* window)
{
    if (!window->isVisible())
        return std::nullopt;
    const QString id = QString::number(window->winId());
    const QString info = output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    const QRegularExpression absolute(QStringLiteral("Absolute upper-left (X|Y):\\s+(-?\\d+)"));
    QPoint client;
    for (auto match = absolute.globalMatch(info); match.hasNext();) {
        const auto m = match.next();
        (m.captured(1) == QLatin1String("X") ? client.rx() : client.ry()) = m.captured(2).toInt();
    }
    const QString property = output(QStringLiteral("xprop"),
                                    {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
    const QRegularExpression extents(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
    const auto m = extents.match(property);
    if (!m.hasMatch() || m.captured(3).toInt() == 0)
        return std::nullopt;
    const int left = m.captured(1).toInt(), right = m.captured(2).toInt();
    const int top = m.captured(3).toInt(), bottom = m.captured(4).toInt();
    return QRect(client - QPoint(left, top), window->size() + QSize(left + right, top + bottom));
}

// Shown and framed by the window manager.
bool managed(const QWidget* window)
{
    return frameOnDisplay(window).has_value();
}

// Framed, and the program knows its frame as the display shows it: a user can act on it now.
bool framed(const QWidget* window)
{
    const std::optional<QRect> frame = frameOnDisplay(window);
    return frame && window->frameGeometry() == *frame;
}

QPoint frameTopLeft(const QWidget* window)
{
    return frameOnDisplay(window).value_or(QRect(-9999, -9999, 0, 0)).topLeft();
}

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// A real key press, sent to whichever window has the keyboard focus of the display.
void pressKey(const char* key)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QLatin1String(key)}), 0);
}

// The program's windows from the bottom of the display's stack to its top.
QStringList stackingOrder()
{
    const QString list = output(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QStringList ids;
    const QRegularExpression id(QStringLiteral("0x[0-9a-f]+"));
    for (auto match = id.globalMatch(list); match.hasNext();)
        ids << QString::number(match.next().captured(0).toULongLong(nullptr, 16));
    return ids;
}

// Clicks a widget with the display's mouse, as a user would.
void click(const QWidget* widget)
{
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(centre.x()),
                                                           QString::number(centre.y()), QStringLiteral("click"),
                                                           QStringLiteral("1")}),
             0);
}

// A session as the program starts it, about window included.
struct Program {
    RecordingPresenter presenter;
    ScriptedDialogs dialogs;
    Session session{presenter, dialogs, QStringLiteral("/nonexistent/vaptab")};
    Program()
    {
        session.host().setPauseScale(0);
        session.start();
    }
    FrmMain& main() { return *session.mainWindow(); }
    // The about window closed and the input window framed.
    void closeAboutAndWaitForTheInputWindow()
    {
        session.aboutWindow()->close();
        QTRY_VERIFY_WITH_TIMEOUT(framed(&main()), kWaitMs);
    }
};

QSettings programSettings()
{
    return QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV"));
}

// Framed, and the whole frame, title bar to bottom border, on the screen.
bool whollyOnScreen(const QWidget* window)
{
    const std::optional<QRect> frame = frameOnDisplay(window);
    return frame && screenArea().contains(*frame);
}

// Shown by the display: mapped, not minimised away.
bool mappedOnDisplay(const QWidget* window)
{
    return output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window->winId())})
        .contains(QStringLiteral("IsViewable"));
}

// Types the inputs with this ratio, then Continue in the input and the equilibrium window.
FrmResults* runToResults(Program& p, const QString& ratio)
{
    InputWidgets(p.main()).txtR->setText(ratio);
    InputWidgets(p.main()).Command1->click();
    FrmCalc* calc = p.session.calcWindow();
    if (calc == nullptr || !QTest::qWaitFor([calc] { return framed(calc); }, kWaitMs))
        return nullptr;
    calc->continueButton()->click();
    return p.session.resultsWindow();
}

} // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QWidget probe;
        probe.resize(100, 50);
        probe.show();
        QTRY_VERIFY_WITH_TIMEOUT(framed(&probe), kWaitMs);
    }

    void firstStart_continueToResults_everyTitleBarOnScreenFollowingTheInputWindow()
    {
        // Nothing remembered
        programSettings().remove(QStringLiteral("MainLeft"));
        programSettings().remove(QStringLiteral("MainTop"));
        Program p;
        p.closeAboutAndWaitForTheInputWindow();
        // The input window's frame at the top left, its title bar on the screen
        QTRY_COMPARE_WITH_TIMEOUT(frameTopLeft(&p.main()), screenArea().topLeft(), kWaitMs);
        const QPoint inputFrame = frameTopLeft(&p.main());

        // On to the equilibrium window, then the results window: each where the one before
        // stood, frame to frame, the whole status line shown
        InputWidgets(p.main()).Command1->click();
        FrmCalc* calc = p.session.calcWindow();
        QVERIFY(calc != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(framed(calc), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(frameTopLeft(calc), inputFrame, kWaitMs);
        calc->continueButton()->click();
        FrmResults* results = p.session.resultsWindow();
        QVERIFY(results != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(framed(results), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(frameTopLeft(results), inputFrame, kWaitMs);
        const QLabel* status = results->findChild<QLabel*>(QStringLiteral("Label1"));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Calculation Complete"), kWaitMs);
        QVERIFY(screenArea().contains(QRect(status->mapToGlobal(QPoint(0, 0)), status->size())));
        QVERIFY(screenArea().contains(*frameOnDisplay(results)));

        // Finished ends the program: the position remembered is the input window's frame
        results->finishedButton()->click();
        QCOMPARE(programSettings().value(QStringLiteral("MainLeft")).toInt(),
                 pixelsToTwips(inputFrame.x(), p.main().logicalDpiX()));
        QCOMPARE(programSettings().value(QStringLiteral("MainTop")).toInt(),
                 pixelsToTwips(inputFrame.y(), p.main().logicalDpiY()));
    }

    void movedWindow_quitAndStartAgain_sameFramePositionWithoutCreeping()
    {
        const QPoint where(screenArea().left() + 240, screenArea().top() + 130);
        for (int start = 0; start < 3; ++start) {
            Program p;
            p.closeAboutAndWaitForTheInputWindow();
            if (start == 0)
                p.main().move(where);
            // The frame where it was left, start after start
            QTRY_COMPARE_WITH_TIMEOUT(frameTopLeft(&p.main()), where, kWaitMs);
            InputWidgets(p.main()).Command3->click();
        }
    }

    void titleBarAboveTheScreen_start_notRestored()
    {
        // A position remembered with the title bar above the screen (-1, -20 pixels)
        programSettings().setValue(QStringLiteral("MainLeft"), -15);
        programSettings().setValue(QStringLiteral("MainTop"), -300);
        Program p;
        p.closeAboutAndWaitForTheInputWindow();
        QTRY_VERIFY_WITH_TIMEOUT(frameTopLeft(&p.main()).y() >= screenArea().top(), kWaitMs);
        // Quit: what is remembered now puts the title bar on the screen
        InputWidgets(p.main()).Command3->click();
        QVERIFY(programSettings().value(QStringLiteral("MainTop")).toInt() >= 0);
    }

    void rememberedNearTheCorner_start_everyWindowWhollyOnScreen()
    {
        // The input window left at (1000, 900) of a 1280 x 1024 screen
        const double dpi = QWidget().logicalDpiX();
        programSettings().setValue(QStringLiteral("MainLeft"), pixelsToTwips(screenArea().left() + 1000, dpi));
        programSettings().setValue(QStringLiteral("MainTop"), pixelsToTwips(screenArea().top() + 900, dpi));
        Program p;
        p.closeAboutAndWaitForTheInputWindow();
        // Moved in, not shrunk: Continue and Quit on the screen
        QTRY_VERIFY_WITH_TIMEOUT(whollyOnScreen(&p.main()), kWaitMs);
        QVERIFY(frameTopLeft(&p.main()).x() > screenArea().left() + 400);
        const QPushButton* quit = InputWidgets(p.main()).Command3;
        QVERIFY(screenArea().contains(QRect(quit->mapToGlobal(QPoint(0, 0)), quit->size())));

        // The results window, larger, follows onto the screen too
        FrmResults* results = runToResults(p, QStringLiteral("0.30"));
        QVERIFY(results != nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(results->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                                  QStringLiteral("Calculation Complete"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(whollyOnScreen(results), kWaitMs);
        results->finishedButton()->click();
    }

    void failedRun_resultsWindow_placedAsACompletedRunsWithItsReason()
    {
        programSettings().remove(QStringLiteral("MainLeft"));
        programSettings().remove(QStringLiteral("MainTop"));
        Program p;
        p.closeAboutAndWaitForTheInputWindow();
        const QPoint inputFrame = frameTopLeft(&p.main());
        // A ratio whose long value widens the window while the run fails
        FrmResults* results = runToResults(p, QStringLiteral("1e38"));
        QVERIFY(results != nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(results->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                                  QStringLiteral("Calculation Failed"), kWaitMs);
        QVERIFY(!p.presenter.shown.isEmpty());
        // Frame to frame with the input window, title bar and all on the screen
        QTRY_VERIFY_WITH_TIMEOUT(framed(results) && frameTopLeft(results) == inputFrame, kWaitMs);
        QVERIFY(whollyOnScreen(results));
        QCOMPARE(results->findChild<QLabel*>(QStringLiteral("labRefNote"))->text(),
                 QStringLiteral("No reference: the run did not complete"));
        results->finishedButton()->click();
    }

    void sedimentFile_open_inputWindowStaysMinimisedUnderTheResults()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sediment.qrv"));
        QVERIFY(writeWaterRun(path, QStringLiteral("1473"), QStringLiteral("298")));
        ResultTexts texts = *readResultsFile(QFile::encodeName(path).toStdString()).texts;
        texts[0] = kSedimentRatioCaption;
        texts[1] = "0.60 (R = 0.30)";
        QVERIFY(writeResultsFile(QFile::encodeName(path).toStdString(), texts).empty());

        Program p;
        p.closeAboutAndWaitForTheInputWindow();
        // Opened as Open opens it: the input window turns to sediment mode, and widens
        p.session.openResultsFile(path);
        FrmResults* results = p.session.resultsWindow();
        QVERIFY(results != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(framed(results) && whollyOnScreen(results), kWaitMs);
        QVERIFY(InputWidgets(p.main()).optSM->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!mappedOnDisplay(&p.main()), kWaitMs);
        // and stays so once the window manager has handled what came before a later window
        QWidget later;
        later.resize(100, 50);
        later.show();
        QTRY_VERIFY_WITH_TIMEOUT(framed(&later), kWaitMs);
        QVERIFY(!mappedOnDisplay(&p.main()));
        QVERIFY(p.presenter.shown.isEmpty());
        results->finishedButton()->click();
    }

    void start_keys_reachTheAboutWindowFirst()
    {
        // Just started; the about window on top
        Program first;
        AboutWindow* about = first.session.aboutWindow();
        QVERIFY(about != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(managed(about) && managed(&first.main()), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::focusWindow(), about->windowHandle(), kWaitMs);
        // Escape closes the about window; the input window did not take the key
        pressKey("Escape");
        QTRY_VERIFY_WITH_TIMEOUT(first.session.aboutWindow() == nullptr || !about->isVisible(), kWaitMs);
        QCOMPARE(InputWidgets(first.main()).txtTMagma->text(), QStringLiteral("1473"));
        InputWidgets(first.main()).Command3->click();

        // Enter, at the next start, did not press Continue in the input window
        Program second;
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::focusWindow(), second.session.aboutWindow()->windowHandle(),
                                  kWaitMs);
        pressKey("Return");
        QTRY_VERIFY_WITH_TIMEOUT(second.session.aboutWindow() == nullptr, kWaitMs);
        QVERIFY(second.session.calcWindow() == nullptr);
        QVERIFY(second.presenter.shown.isEmpty());
    }

    void badFileGivenAtStartUp_start_errorAboveTheAboutWindowWhichClosesAfter()
    {
        // State: a file that holds no run, given at start-up; the program's real message boxes
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("bad.qrv"));
        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a run\r\n");
        bad.close();
        MessageBoxPresenter presenter;
        ScriptedDialogs dialogs;
        Session session(presenter, dialogs, QStringLiteral("/nonexistent/vaptab"));
        session.start();
        AboutWindow* about = session.aboutWindow();
        QTRY_VERIFY_WITH_TIMEOUT(managed(about), kWaitMs);

        // Action: the file opened as the program opens it after its start; while its error box
        // is up, where it stands is looked at and it is answered with the keyboard
        QString text;
        bool aboveAbout = false;
        bool focused = false;
        QTimer look;
        QElapsedTimer waited;
        waited.start();
        connect(&look, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !managed(box))
                return;
            const QStringList order = stackingOrder();
            const qsizetype boxAt = order.indexOf(QString::number(box->winId()));
            aboveAbout = boxAt > order.indexOf(QString::number(about->winId()));
            focused = QGuiApplication::focusWindow() == box->windowHandle();
            if (!focused && waited.elapsed() < kWaitMs)
                return;
            look.stop();
            text = box->text();
            if (focused)
                pressKey("Return");
            else
                box->reject();
        });
        look.start(50);
        session.openResultsFile(path);

        // Expected: the error was on top of the about window and had the keyboard; afterwards the
        // about window's OK, clicked, closes it
        QVERIFY2(text.startsWith(QStringLiteral("Open error: ")), qPrintable(text));
        QVERIFY(aboveAbout);
        QVERIFY(focused);
        QVERIFY(session.aboutWindow() != nullptr && about->isVisible());
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QTRY_VERIFY_WITH_TIMEOUT(framed(about), kWaitMs);
        click(ok);
        QTRY_VERIFY_WITH_TIMEOUT(session.aboutWindow() == nullptr, kWaitMs);
        InputWidgets(*session.mainWindow()).Command3->click();
    }
};

QRV_GUI_TEST_MAIN(WindowManagerTest)
#include "test_windowmanager.moc"
