#include "windows/resultsroad.h"

#include "runs/runner.h"
#include "display/ratioline.h"
#include "files/resultsfile.h"
#include "model/real.h"
#include "plot/plotview.h"
#include "reference/referencepanel.h"
#include "reference/runreference.h"
#include "windows/filedialogs.h"
#include "windows/frmcalc.h"
#include "windows/frmmain.h"
#include "windows/frmresults.h"
#include "windows/inputroad.h"
#include "windows/messagepresenter.h"
#include "windows/session.h"
#include "windows/settingsfile.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QSettings>

namespace qrv {

namespace {

const QString kShowReferenceKey = QStringLiteral("ShowReference");

} // namespace

ResultsRoad::ResultsRoad(Session& session, InputRoad& input)
    : m_session(session)
    , m_input(input)
{
}

void ResultsRoad::attach(FrmCalc& calc)
{
    connect(&calc, &FrmCalc::closeRequested, this, [this] {
        if (!m_session.running())
            backToInputs();
    });
    connect(calc.continueButton(), &QPushButton::clicked, this, &ResultsRoad::continueToResults);
    connect(calc.backButton(), &QPushButton::clicked, this, &ResultsRoad::backToInputs);
    connect(calc.helpButton(), &QPushButton::clicked, this, [this] { m_session.showHelp(HelpTopic::Equilibrium); });
}

void ResultsRoad::attach(FrmResults& results)
{
    connect(&results, &FrmResults::closeRequested, this, [this] {
        if (!m_session.running())
            newCalculation();
    });
    connect(results.recalculateButton(), &QPushButton::clicked, this, [this] {
        m_session.shownRun().again();
        expand();
    });
    connect(results.newButton(), &QPushButton::clicked, this, &ResultsRoad::newCalculation);
    connect(results.finishedButton(), &QPushButton::clicked, this, &ResultsRoad::finish);
    connect(results.saveButton(), &QPushButton::clicked, this, &ResultsRoad::saveResults);
    connect(results.copyAllButton(), &QPushButton::clicked, this, &ResultsRoad::copyAll);
    connect(results.plotButton(), &QPushButton::clicked, this, &ResultsRoad::plot);
    connect(results.helpButton(), &QPushButton::clicked, this, [this] { m_session.showHelp(HelpTopic::Results); });
    // Whether the IAPWS-95 reference is shown is the user's choice, kept for the next start.
    QCheckBox* showReference = results.referenceCheckBox();
    showReference->setChecked(programSettings().value(kShowReferenceKey, true).toBool());
    connect(showReference, &QCheckBox::toggled, this,
            [](bool shown) { programSettings().setValue(kShowReferenceKey, shown); });
}

void ResultsRoad::continueToResults()
{
    FrmResults* results = m_session.loadResults();
    if (!m_session.showFollowing(*results, *m_session.loadCalc()))
        return;
    results->raise();
    QCoreApplication::processEvents();
    // The equilibrium window stays up during the run; its buttons must not start another.
    if (FrmCalc* calc = m_session.calcWindow())
        calc->setEnabled(false);
    expand();
    if (FrmCalc* calc = m_session.calcWindow())
        calc->unload();
}

// The reference is worked from the run's inputs once its results are shown; a failed run has
// neither. The run's result is what Save and Copy All read.
void ResultsRoad::expand()
{
    m_session.shownRun().forget();
    m_session.runEngine([this] {
        CalcState& state = m_session.state();
        RunStore& store = m_session.store();
        WidgetHost& host = m_session.host();
        const RunOutcome outcome = expandEquilibrium(state, store, host);
        reference::ReferenceOutcome reference{{}, std::string(reference::kIncompleteRunReason)};
        if (outcome.completed)
            reference = reference::showReference(host, reference::referenceInputOf(state));
        else
            reference::clearReference(host);
        std::optional<SeriesRecord> stored;
        if (outcome.stored)
            stored = store.record(store.count());
        m_session.shownRun().expanded(state, outcome, std::move(stored), std::move(reference));
    });
}

void ResultsRoad::backToInputs()
{
    if (FrmCalc* calc = m_session.calcWindow())
        calc->unload();
    m_input.restore();
}

void ResultsRoad::newCalculation()
{
    m_input.restore();
    if (FrmResults* results = m_session.resultsWindow())
        results->unload();
}

void ResultsRoad::finish()
{
    if (FrmResults* results = m_session.resultsWindow())
        results->unload();
    if (FrmCalc* calc = m_session.calcWindow())
        calc->unload();
    m_session.unloadProgram();
}

void ResultsRoad::plot()
{
    if (PlotView* view = m_session.plotView())
        view->showAndPlot();
}

void ResultsRoad::plotDataCleared()
{
    if (FrmResults* results = m_session.resultsWindow())
        results->plotButton()->setEnabled(false);
}

void ResultsRoad::saveResults()
{
    // Save is usable only once a run has been shown to the end.
    const std::optional<RunResult>& shown = m_session.shownRun().result();
    if (!shown)
        return;
    const QString path = m_session.dialogs().saveResultsPath(m_session.resultsWindow(), m_session.dataPath());
    if (path.isEmpty())
        return;
    const std::string error = writeResultsFile(QFile::encodeName(path).toStdString(), shown->resultsFile());
    if (!error.empty())
        m_session.presenter().show(QStringLiteral("Save error: ") + QString::fromStdString(error), Icon::Information);
}

// While a run is under way, the window as shown so far.
void ResultsRoad::copyAll()
{
    if (FrmResults* results = m_session.resultsWindow())
        results->copyAll(m_session.shownRun().shown());
}

void ResultsRoad::openResultsFile(const QString& path)
{
    const ResultsFileRead read = readResultsFile(QFile::encodeName(path).toStdString());
    if (!read.texts) {
        m_session.presenter().show(QStringLiteral("Open error: ") + QString::fromStdString(read.error),
                                   Icon::Information);
        return;
    }
    const ResultTexts& lines = *read.texts;
    const auto line = [&lines](int number) { return lines[std::size_t(number - 1)]; };

    FrmMain& main = *m_session.mainWindow();
    WidgetHost& host = m_session.host();
    m_session.shownRun().forget();
    try {
        // Both windows are filled before the results window is shown and the input window
        // minimised: a window that its new texts resize after that is placed anew by the window
        // manager, the input window over the results, the results window's title bar off screen.
        using namespace resultswindow;
        const TypedRatio typed = typedRatio(line(kRatioCaption.fileLine), line(kRatio.fileLine));
        main.showInputs({line(kMagmaTemperature.fileLine), line(kWaterTemperature.fileLine),
                         line(kWaterPressure.fileLine), line(kAmbientPressureLine), typed.ratio,
                         typed.waterFraction, typed.sedimentMode});

        FrmResults* results = m_session.loadResults();
        // As a completed run leaves them: the path caption says nothing once both paths are done.
        host.setText(kStatus, "Calculation Complete");
        host.setText(kPathCaption, "");
        for (int i = 0; i < kResultLineCount; ++i) {
            if (const Control* control = kResultLineControls[std::size_t(i)])
                host.setText(*control, lines[std::size_t(i)]);
        }
        const SeriesRecord record = recordFromResultTexts(lines);
        m_session.store().append(record);
        reference::ReferenceOutcome reference = reference::showReference(host, reference::referenceInputOf(record));
        m_session.shownRun().opened(lines, record, std::move(reference));

        for (QPushButton* button : {results->newButton(), results->finishedButton(), results->plotButton()})
            button->setEnabled(true);
        // ReCalculate expands the state of the last calculation, which the file does not hold.
        results->recalculateButton()->setEnabled(m_input.equilibriumStands());
        // Where the equilibrium window stands, or would stand: at the input window.
        FrmCalc* calc = m_session.calcWindow();
        if (!m_session.showFollowing(*results, calc && calc->isVisible() ? static_cast<QWidget&>(*calc) : main))
            return;
        main.setEnabled(false);
        main.minimise();
        host.runStored();
    } catch (const EngineFault& fault) {
        m_session.presenter().show(QStringLiteral("File open error: ") + QString::fromUtf8(fault.description()),
                                   Icon::Information);
    }
}

} // namespace qrv
