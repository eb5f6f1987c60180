// The input window's part of the road: Continue, the steam-table request, Calculate, Cancel.
#include "windows/session.h"

#include "runs/inputrules.h"
#include "base/numberformat.h"
#include "model/equilibrium.h"
#include "windows/filedialogs.h"
#include "windows/frmcalc.h"
#include "windows/frmmain.h"
#include "windows/frmresults.h"
#include "windows/link/linkvaptab.h"

#include <QPushButton>

namespace qrv {

void Session::connectMain()
{
    connect(m_main, &FrmMain::closeRequested, this, &Session::unloadProgram);
    connect(m_main, &FrmMain::continueRequested, this, &Session::continueInputs);
    connect(m_main, &FrmMain::sweepRequested, this, &Session::openSweepDialog);
    connect(m_main, &FrmMain::calculateRequested, this, &Session::calculate);
    connect(m_main, &FrmMain::cancelRequested, this, &Session::cancelSteamTableRequest);
    connect(m_main, &FrmMain::quitRequested, this, &Session::unloadProgram);
    connect(m_main, &FrmMain::openRequested, this, &Session::openResults);
    connect(m_main, &FrmMain::aboutRequested, this, &Session::showAbout);
    connect(m_main, &FrmMain::helpRequested, this, [this] { showHelp(HelpTopic::Input); });
    connect(m_main, &FrmMain::helpContentsRequested, this, [this] { showHelp(HelpTopic::Contents); });
    connect(m_main, &FrmMain::interactionChosen, this, [this](bool sediment) {
        m_main->showInteraction(sediment, formatFixed(sediment ? m_state.XWater : m_state.RInput, 2));
    });
}

void Session::continueInputs()
{
    const InputTexts texts = m_main->inputs();
    m_askedWater.reset();
    m_shownRun.begin(texts);
    const ContinueResult result = applyContinue(m_state, texts, m_host);
    m_main->showContinued(result);

    switch (result.outcome) {
    case ContinueOutcome::Refused:
        return;
    case ContinueOutcome::SteamTableRequest:
        // The pane still opens: values read elsewhere (ice, say) may be typed by hand.
        if (const std::string refusal = steamTableRefusal(result, texts); !refusal.empty())
            m_host.message(refusal, Icon::Exclamation);
        m_askedWater = result.askedWater;
        beginSteamTableRequest();
        return;
    case ContinueOutcome::Calculate:
        m_main->showInitialWater(result.entropyText, result.cvText);
        m_main->focusCalculate();
        calculate();
        return;
    }
}

// The user reads S and Cv off the steam-table program; its answer fills the boxes, which
// stay editable.
void Session::beginSteamTableRequest()
{
    m_main->showSteamTableRequest();
    m_transcriptStart = m_link->transcript().size();
    m_link->open(true);
    if (m_link->taskId() != 0)
        m_link->query(m_askedWater->pressurePa, m_askedWater->temperatureK);
}

void Session::showSteamTableOutput()
{
    m_main->showSteamTableOutput(m_link->transcript().mid(m_transcriptStart));
}

void Session::fillSteamTableValues(double entropy, double cv)
{
    if (m_main->asksForInitialWater())
        m_main->showSteamTableAnswer(formatFixed(entropy, 3), formatFixed(cv, 3));
}

void Session::calculate()
{
    const RunRequest& request =
        m_shownRun.takeInitialWater(m_main->entropyText(), m_main->cvText(), m_main->constantVolume());
    if (!applyCalculate(m_state, *request.entropyText, *request.cvText, request.constantVolume, m_askedWater,
                        m_host))
        return;
    m_askedWater.reset();
    m_link->open(false);
    runEngine([this] { m_equilibriumStands = Calculate1(m_state, m_host); });
    if (m_unloaded || !m_equilibriumStands)
        return;
    m_main->setSteamTableRequest(false);

    FrmCalc* calc = loadCalc();
    if (!showFollowing(*calc, *m_main))
        return;
    calc->raise();
    calc->activateWindow();
    calc->continueButton()->setFocus();
    m_main->setEnabled(false);
    m_main->minimise();
}

void Session::cancelSteamTableRequest()
{
    m_link->open(false);
    m_askedWater.reset();
    m_main->endSteamTableRequest();
}

void Session::openResults()
{
    const QString path = m_dialogs.openResultsPath(m_main, m_dataPath);
    if (!path.isEmpty())
        openResultsFile(path);
}

} // namespace qrv
