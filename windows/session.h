// One run of the desktop program: the calculation state and the store of runs, the windows
// of the calculation chain and the road between them, from the input window's load to its
// unload.
#pragma once

#include "runs/inputrules.h"
#include "runs/runstore.h"
#include "calculation/sweepbands.h"
#include "calculation/sweepfamily.h"
#include "model/calcstate.h"
#include "windows/aboutwindow.h"
#include "windows/frmcalc.h"
#include "windows/frmmain.h"
#include "windows/frmresults.h"
#include "windows/helpwindow.h"
#include "windows/link/desktoptools.h"
#include "windows/shownrun.h"
#include "windows/widgethost.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
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
    void openResultsFile(const QString& path);
    // A later start of the program handed over to this one: the window taking input comes to
    // the front, and the files it was started with are opened as "Open" opens them.
    void takeHandOver(const QStringList& files);

    void setPlotView(PlotView* view);
    // The plot window's store was emptied: nothing to plot until the next run or file.
    void plotDataCleared();

    // The input window's inputs run once per ratio, for every member of the family, into the
    // store, then the plot window; with `bands`, each ratio's uncertainty band after the runs.
    void sweep(const std::vector<double>& ratios, const SweepFamily& family = {},
               const std::optional<BandRequest>& bands = {});
    // The last sweep's uncertainty bands, beside the store's runs until Clear Data or the next sweep.
    const SweepBands& bands() const { return m_bands; }

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

signals:
    // The input window has unloaded: the program ends.
    void finished();

private:
    QWidget* window(Window which);
    FrmCalc* loadCalc();
    FrmResults* loadResults();
    void connectMain();

    // Input window
    void continueInputs();
    void beginSteamTableRequest();
    void showSteamTableOutput();
    void fillSteamTableValues(double entropy, double cv);
    void calculate();
    void cancelSteamTableRequest();
    void openSweepDialog();
    void openResults();
    void showAbout();
    void restoreMain();
    void bringToFront();
    void unloadProgram();

    // Equilibrium and results windows
    void continueToResults();
    void expand();
    void backToInputs();
    void newCalculation();
    void finish();
    void saveResults();
    void copyAll();
    void plot();
    void showHelp(HelpTopic topic);

    // Runs an engine routine; a close of the program meanwhile waits until it returns.
    void runEngine(const std::function<void()>& routine);
    QPoint restoredPosition() const;
    void savePosition();
    // Shows a window of the chain where the one before it stands. Placing it waits for the
    // window manager with events running, so the program may be closed meanwhile: false then,
    // and the caller touches no window.
    [[nodiscard]] bool showFollowing(QWidget& window, const QWidget& leader);

    MessagePresenter& m_presenter;
    FileDialogs& m_dialogs;
    CalcState m_state;
    RunStore m_store;
    SweepBands m_bands;
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

    // The water whose S and Cv the lower pane asks for, while it does.
    std::optional<WaterState> m_askedWater;
    QString m_dataPath;
    qsizetype m_transcriptStart = 0;
    // The last equilibrium calculation succeeded: its state can be expanded (ReCalculate).
    bool m_equilibriumStands = false;
    bool m_running = false;
    bool m_unloadPending = false;
    bool m_unloaded = false;
    // Files handed over while a routine runs, opened when it has returned.
    QStringList m_handedOver;
};

} // namespace qrv
