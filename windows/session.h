// One run of the desktop program, from the input window's load to its unload: what the
// windows share (the calculation state, the store of runs, the host, the run on show, the
// windows themselves) and the guard that keeps a close from unloading windows under a running
// routine. What each window's buttons do is a road of its own: the input window's, the
// equilibrium and results windows', the sweep's; the session wires them to the windows.
#pragma once

#include "runs/runstore.h"
#include "calculation/sweepfamily.h"
#include "model/calcstate.h"
#include "windows/aboutwindow.h"
#include "windows/frmcalc.h"
#include "windows/frmmain.h"
#include "windows/frmresults.h"
#include "windows/helpwindow.h"
#include "windows/inputroad.h"
#include "windows/link/desktoptools.h"
#include "windows/resultsroad.h"
#include "windows/shownrun.h"
#include "windows/sweeproad.h"
#include "windows/widgethost.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

namespace qrv {

class FileDialogs;
class LinkVaptab;
class MessagePresenter;
class PlotView;

class Session : public QObject {
    Q_OBJECT
public:
    // `vaptabPath` empty: the steam-table program next to this one.
    Session(MessagePresenter& presenter, FileDialogs& dialogs, const QString& vaptabPath = {},
            QObject* parent = nullptr);
    ~Session() override;

    // Loads the input window: about window on top, data folder, position, defaults.
    void start();
    // What "Open" does after its dialog: the results window from a results file.
    void openResultsFile(const QString& path) { m_resultsRoad.openResultsFile(path); }
    // A later start of the program handed over to this one: the window taking input comes to
    // the front, and the files it was started with are opened as "Open" opens them.
    void takeHandOver(const QStringList& files);

    void setPlotView(PlotView* view);
    // The plot window's store was emptied: nothing to plot until the next run or file.
    void plotDataCleared()
    {
        m_resultsRoad.plotDataCleared();
        m_sweepRoad.clearBands();
    }

    // The input window's inputs run once per ratio, for every member of the family, into the
    // store, then the plot window; with `bands`, each ratio's uncertainty band after the runs.
    void sweep(const std::vector<double>& ratios, const SweepFamily& family = {},
               const std::optional<BandRequest>& bands = {})
    {
        m_sweepRoad.sweep(ratios, family, bands);
    }
    // The last sweep's uncertainty bands, beside the store's runs until Clear Data or the next sweep.
    const SweepBands& bands() const { return m_sweepRoad.bands(); }

    FrmMain* mainWindow() const { return m_main; }
    FrmCalc* calcWindow() const { return m_calc; }
    FrmResults* resultsWindow() const { return m_results; }
    AboutWindow* aboutWindow() const { return m_about; }
    HelpWindow* helpWindow() const { return m_help; }
    WidgetHost& host() { return m_host; }
    CalcState& state() { return m_state; }
    RunStore& store() { return m_store; }
    LinkVaptab& link() { return *m_link; }
    QString dataPath() const { return m_dataPath; }

    // What the roads share.
    MessagePresenter& presenter() { return m_presenter; }
    FileDialogs& dialogs() { return m_dialogs; }
    ShownRun& shownRun() { return m_shownRun; }
    PlotView* plotView() const { return m_plotView; }
    // The equilibrium and results windows, loaded hidden when not loaded yet.
    FrmCalc* loadCalc();
    FrmResults* loadResults();
    // Runs an engine routine; a close of the program meanwhile waits until it returns.
    void runEngine(const std::function<void()>& routine);
    bool running() const { return m_running; }
    // The program was closed while a routine runs: it unloads when the routine returns.
    bool unloadPending() const { return m_unloadPending; }
    // The program has unloaded its windows: nothing may touch them any more.
    bool unloaded() const { return m_unloaded; }
    // Shows a window of the chain where the one before it stands. Placing it waits for the
    // window manager with events running, so the program may be closed meanwhile: false then,
    // and the caller touches no window.
    [[nodiscard]] bool showFollowing(QWidget& window, const QWidget& leader);
    void showHelp(HelpTopic topic);
    void unloadProgram();

signals:
    // The input window has unloaded: the program ends.
    void finished();

private:
    QWidget* window(Window which);
    void showAbout();
    void bringToFront();
    QPoint restoredPosition() const;
    void savePosition();

    MessagePresenter& m_presenter;
    FileDialogs& m_dialogs;
    CalcState m_state;
    RunStore m_store;
    WidgetHost m_host;
    ShownRun m_shownRun;
    DesktopTools m_tools;
    LinkVaptab* m_link;
    PlotView* m_plotView = nullptr;

    FrmMain* m_main = nullptr;
    QPointer<FrmCalc> m_calc;
    QPointer<FrmResults> m_results;
    QPointer<AboutWindow> m_about;
    QPointer<HelpWindow> m_help;

    QString m_dataPath;
    bool m_running = false;
    bool m_unloadPending = false;
    bool m_unloaded = false;
    // Files handed over while a routine runs, opened when it has returned.
    QStringList m_handedOver;

    InputRoad m_inputRoad;
    ResultsRoad m_resultsRoad;
    SweepRoad m_sweepRoad;
};

} // namespace qrv
