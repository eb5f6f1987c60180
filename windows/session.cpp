#include "windows/session.h"

#include "runs/startupvalues.h"
#include "windows/datafolder.h"
#include "windows/frmcalc.h"
#include "windows/frmmain.h"
#include "windows/frmresults.h"
#include "windows/link/linkvaptab.h"
#include "windows/messagepresenter.h"
#include "windows/settingsfile.h"
#include "windows/windowplacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <utility>

namespace qrv {

Session::Session(MessagePresenter& presenter, FileDialogs& dialogs, const QString& vaptabPath, QObject* parent)
    : QObject(parent)
    , m_presenter(presenter)
    , m_dialogs(dialogs)
    , m_host([this](Window which) { return window(which); }, presenter)
    , m_shownRun(m_host)
    , m_link(new LinkVaptab(m_host, m_tools, vaptabPath, this))
    , m_inputRoad(*this)
    , m_resultsRoad(*this, m_inputRoad)
    , m_sweepRoad(*this)
{
}

Session::~Session()
{
    delete m_calc;
    delete m_results;
    delete m_about;
    delete m_help;
    delete m_main;
}

QWidget* Session::window(Window which)
{
    switch (which) {
    case Window::Main: return m_main;
    case Window::Calc: return m_unloaded ? m_calc.data() : loadCalc();
    case Window::Results: return m_unloaded ? m_results.data() : loadResults();
    }
    return nullptr;
}

// The equilibrium window loads hidden; it is shown where the input window stands.
FrmCalc* Session::loadCalc()
{
    if (m_calc && !m_calc->unloading())
        return m_calc;
    m_calc = new FrmCalc;
    m_host.windowLoaded(Window::Calc);
    m_resultsRoad.attach(*m_calc);
    return m_calc;
}

// The results window loads hidden; it is shown where the equilibrium window stands.
FrmResults* Session::loadResults()
{
    if (m_results && !m_results->unloading())
        return m_results;
    m_results = new FrmResults;
    m_host.windowLoaded(Window::Results);
    m_resultsRoad.attach(*m_results);
    return m_results;
}

void Session::start()
{
    m_main = new FrmMain;
    connect(m_main, &FrmMain::closeRequested, this, &Session::unloadProgram);
    connect(m_main, &FrmMain::quitRequested, this, &Session::unloadProgram);
    connect(m_main, &FrmMain::aboutRequested, this, &Session::showAbout);
    connect(m_main, &FrmMain::helpRequested, this, [this] { showHelp(HelpTopic::Input); });
    connect(m_main, &FrmMain::helpContentsRequested, this, [this] { showHelp(HelpTopic::Contents); });
    m_inputRoad.attach(*m_main);
    m_sweepRoad.attach(*m_main);

    QSettings settings = programSettings();
    m_dataPath = settleDataPath(settings, m_tools, m_tools.specialFolder(DesktopTools::kDocumentsFolder),
                                QCoreApplication::applicationDirPath());
    showFrameAt(*m_main, restoredPosition());
    SetDefaults(m_state, m_host);

    // Shown after the input window, so that it is on top and takes the keyboard: Enter and
    // Escape close it before anything reaches the input window.
    m_about = new AboutWindow(m_presenter);
    m_about->setAttribute(Qt::WA_DeleteOnClose);
    m_tools.keepOnTop(m_about);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Session::setPlotView(PlotView* view)
{
    m_plotView = view;
    m_host.setPlotView(view);
}

// The remembered frame position, unless it would put the title bar off every screen; then
// the top left corner of the screen.
QPoint Session::restoredPosition() const
{
    QSettings settings = programSettings();
    const double dpi = m_main->logicalDpiX();
    const QPoint saved(twipsToPixels(settings.value(QStringLiteral("MainLeft"), 0).toInt(), dpi),
                       twipsToPixels(settings.value(QStringLiteral("MainTop"), 0).toInt(), dpi));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    return placementOnScreens(saved, m_main->sizeHint()).value_or(screen.topLeft());
}

// Only a position from which the window can be placed again is remembered.
void Session::savePosition()
{
    const QRect frame = m_main->frameGeometry();
    if (!placementOnScreens(frame.topLeft(), frame.size()))
        return;
    QSettings settings = programSettings();
    const double dpi = m_main->logicalDpiX();
    settings.setValue(QStringLiteral("MainLeft"), pixelsToTwips(frame.left(), dpi));
    settings.setValue(QStringLiteral("MainTop"), pixelsToTwips(frame.top(), dpi));
}

bool Session::showFollowing(QWidget& window, const QWidget& leader)
{
    if (!window.isVisible())
        showFrameAt(window, leader.frameGeometry().topLeft());
    return !m_unloaded;
}

void Session::runEngine(const std::function<void()>& routine)
{
    m_running = true;
    routine();
    m_running = false;
    if (m_unloadPending)
        unloadProgram();
    else if (!m_handedOver.isEmpty())
        takeHandOver(std::exchange(m_handedOver, {}));
}

void Session::bringToFront()
{
    // While the equilibrium or results window is up, that window is the one taking input.
    QWidget* front = m_main->isEnabled() ? static_cast<QWidget*>(m_main)
                     : m_results        ? static_cast<QWidget*>(m_results)
                     : m_calc           ? static_cast<QWidget*>(m_calc)
                                        : static_cast<QWidget*>(m_main);
    front->showNormal();
    front->raise();
    front->activateWindow();
}

void Session::takeHandOver(const QStringList& files)
{
    if (m_unloaded || m_unloadPending)
        return;
    if (m_running) {
        m_handedOver += files;
        return;
    }
    for (const QString& file : files) {
        // The file replaces whatever the chain of windows showed, as if opened from the inputs.
        if (m_calc)
            m_calc->unload();
        m_resultsRoad.openResultsFile(file);
    }
    bringToFront();
}

void Session::showHelp(HelpTopic topic)
{
    if (!m_help)
        m_help = new HelpWindow;
    m_help->showTopic(topic);
}

void Session::showAbout()
{
    AboutWindow about(m_presenter, m_main);
    about.exec();
}

void Session::unloadProgram()
{
    if (m_unloaded)
        return;
    if (m_running) {
        // The routine on the stack still writes to these windows: hide them now and unload
        // once it has returned.
        m_unloadPending = true;
        m_host.cancelPauses();
        for (QWidget* top : QApplication::topLevelWidgets())
            top->hide();
        return;
    }
    m_unloaded = true;
    savePosition();
    if (m_help)
        m_help->close();
    m_link->open(false);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* chain = qobject_cast<ChainWindow*>(top))
            chain->unload();
        else
            top->close();
    }
    emit finished();
}

} // namespace qrv
