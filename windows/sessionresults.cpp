// The equilibrium and results windows' part of the road, and results files.
#include "windows/session.h"

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
#include "windows/messagepresenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QPushButton>

namespace qrv {

void Session::continueToResults()
{
    FrmResults* results = loadResults();
    if (!showFollowing(*results, *loadCalc()))
        return;
    results->raise();
    QCoreApplication::processEvents();
    // The equilibrium window stays up during the run; its buttons must not start another.
    if (m_calc)
        m_calc->setEnabled(false);
    expand();
    if (m_calc)
        m_calc->unload();
}

// The reference is worked from the run's inputs once its results are shown; a failed run has
// neither. The run's result is what Save and Copy All read.
void Session::expand()
{
    m_shownRun.forget();
    runEngine([this] {
        const RunOutcome outcome = expandEquilibrium(m_state, m_store, m_host);
        reference::ReferenceOutcome reference{{}, std::string(reference::kIncompleteRunReason)};
        if (outcome.completed)
            reference = reference::showReference(m_host, reference::referenceInputOf(m_state));
        else
            reference::clearReference(m_host);
        std::optional<SeriesRecord> stored;
        if (outcome.stored)
            stored = m_store.record(m_store.count());
        m_shownRun.expanded(m_state, outcome, std::move(stored), std::move(reference));
    });
}

void Session::backToInputs()
{
    if (m_calc)
        m_calc->unload();
    restoreMain();
}

void Session::newCalculation()
{
    restoreMain();
    if (m_results)
        m_results->unload();
}

void Session::finish()
{
    if (m_results)
        m_results->unload();
    if (m_calc)
        m_calc->unload();
    unloadProgram();
}

void Session::plot()
{
    if (m_plotView != nullptr)
        m_plotView->showAndPlot();
}

void Session::plotDataCleared()
{
    m_bands = {};
    if (m_results)
        m_results->plotButton()->setEnabled(false);
}

void Session::saveResults()
{
    // Save is usable only once a run has been shown to the end.
    if (!m_shownRun.result())
        return;
    const QString path = m_dialogs.saveResultsPath(m_results, m_dataPath);
    if (path.isEmpty())
        return;
    const std::string error = writeResultsFile(QFile::encodeName(path).toStdString(), m_shownRun.result()->resultsFile());
    if (!error.empty())
        m_presenter.show(QStringLiteral("Save error: ") + QString::fromStdString(error), Icon::Information);
}

// While a run is under way, the window as shown so far.
void Session::copyAll()
{
    if (m_results)
        m_results->copyAll(m_shownRun.shown());
}

void Session::openResultsFile(const QString& path)
{
    const ResultsFileRead read = readResultsFile(QFile::encodeName(path).toStdString());
    if (!read.texts) {
        m_presenter.show(QStringLiteral("Open error: ") + QString::fromStdString(read.error), Icon::Information);
        return;
    }
    const ResultTexts& lines = *read.texts;
    const auto line = [&lines](int number) { return lines[std::size_t(number - 1)]; };

    m_shownRun.forget();
    try {
        // Both windows are filled before the results window is shown and the input window
        // minimised: a window that its new texts resize after that is placed anew by the window
        // manager, the input window over the results, the results window's title bar off screen.
        using namespace resultswindow;
        const TypedRatio typed = typedRatio(line(kRatioCaption.fileLine), line(kRatio.fileLine));
        m_main->showInputs({line(kMagmaTemperature.fileLine), line(kWaterTemperature.fileLine),
                            line(kWaterPressure.fileLine), line(kAmbientPressureLine), typed.ratio,
                            typed.waterFraction, typed.sedimentMode});

        FrmResults* results = loadResults();
        // As a completed run leaves them: the path caption says nothing once both paths are done.
        m_host.setText(kStatus, "Calculation Complete");
        m_host.setText(kPathCaption, "");
        for (int i = 0; i < kResultLineCount; ++i) {
            if (const Control* control = kResultLineControls[std::size_t(i)])
                m_host.setText(*control, lines[std::size_t(i)]);
        }
        const SeriesRecord record = recordFromResultTexts(lines);
        m_store.append(record);
        reference::ReferenceOutcome reference = reference::showReference(m_host, reference::referenceInputOf(record));
        m_shownRun.opened(lines, record, std::move(reference));

        for (QPushButton* button : {results->newButton(), results->finishedButton(), results->plotButton()})
            button->setEnabled(true);
        // ReCalculate expands the state of the last calculation, which the file does not hold.
        results->recalculateButton()->setEnabled(m_equilibriumStands);
        // Where the equilibrium window stands, or would stand: at the input window.
        if (!showFollowing(*results, m_calc && m_calc->isVisible() ? static_cast<QWidget&>(*m_calc) : *m_main))
            return;
        m_main->setEnabled(false);
        m_main->minimise();
        m_host.runStored();
    } catch (const EngineFault& fault) {
        m_presenter.show(QStringLiteral("File open error: ") + QString::fromUtf8(fault.description()),
                         Icon::Information);
    }
}

} // namespace qrv
