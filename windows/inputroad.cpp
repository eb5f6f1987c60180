#include "windows/inputroad.h"

#include "base/numberformat.h"
#include "model/equilibrium.h"
#include "windows/filedialogs.h"
#include "windows/frmcalc.h"
#include "windows/frmmain.h"
#include "windows/link/linkvaptab.h"
#include "windows/session.h"

#include <QPushButton>

namespace qrv {

InputRoad::InputRoad(Session& session)
    : m_session(session)
{
    connect(&session.link(), &LinkVaptab::outputChanged, this, &InputRoad::showSteamTableOutput);
    connect(&session.link(), &LinkVaptab::valuesArrived, this, &InputRoad::fillSteamTableValues);
}

void InputRoad::attach(FrmMain& main)
{
    connect(&main, &FrmMain::continueRequested, this, &InputRoad::continueInputs);
    connect(&main, &FrmMain::calculateRequested, this, &InputRoad::calculate);
    connect(&main, &FrmMain::cancelRequested, this, &InputRoad::cancelSteamTableRequest);
    connect(&main, &FrmMain::openRequested, this, &InputRoad::openResults);
    connect(&main, &FrmMain::interactionChosen, this, [this, &main](bool sediment) {
        const CalcState& state = m_session.state();
        main.showInteraction(sediment, formatFixed(sediment ? state.XWater : state.RInput, 2));
    });
}

void InputRoad::restore()
{
    // A file opened during a steam-table request ends the request: with the lower pane gone
    // the upper pane must take input again, and nothing is asked for any more.
    m_askedWater.reset();
    m_session.mainWindow()->takeInput();
}

void InputRoad::continueInputs()
{
    FrmMain& main = *m_session.mainWindow();
    const InputTexts texts = main.inputs();
    m_askedWater.reset();
    m_session.shownRun().begin(texts);
    const ContinueResult result = applyContinue(m_session.state(), texts, m_session.host());
    main.showContinued(result);

    switch (result.outcome) {
    case ContinueOutcome::Refused:
        return;
    case ContinueOutcome::SteamTableRequest:
        // The pane still opens: values read elsewhere (ice, say) may be typed by hand.
        if (const std::string refusal = steamTableRefusal(result, texts); !refusal.empty())
            m_session.host().message(refusal, Icon::Exclamation);
        m_askedWater = result.askedWater;
        beginSteamTableRequest();
        return;
    case ContinueOutcome::Calculate:
        main.showInitialWater(result.entropyText, result.cvText);
        main.focusCalculate();
        calculate();
        return;
    }
}

// The user reads S and Cv off the steam-table program; its answer fills the boxes, which
// stay editable.
void InputRoad::beginSteamTableRequest()
{
    LinkVaptab& link = m_session.link();
    m_session.mainWindow()->showSteamTableRequest();
    m_transcriptStart = link.transcript().size();
    link.open(true);
    if (link.taskId() != 0)
        link.query(m_askedWater->pressurePa, m_askedWater->temperatureK);
}

void InputRoad::showSteamTableOutput()
{
    m_session.mainWindow()->showSteamTableOutput(m_session.link().transcript().mid(m_transcriptStart));
}

void InputRoad::fillSteamTableValues(double entropy, double cv)
{
    if (m_session.mainWindow()->asksForInitialWater())
        m_session.mainWindow()->showSteamTableAnswer(formatFixed(entropy, 3), formatFixed(cv, 3));
}

void InputRoad::calculate()
{
    FrmMain& main = *m_session.mainWindow();
    const RunRequest& request =
        m_session.shownRun().takeInitialWater(main.entropyText(), main.cvText(), main.constantVolume());
    if (!applyCalculate(m_session.state(), *request.entropyText, *request.cvText, request.constantVolume,
                        m_askedWater, m_session.host()))
        return;
    m_askedWater.reset();
    m_session.link().open(false);
    m_session.runEngine([this] { m_equilibriumStands = Calculate1(m_session.state(), m_session.host()); });
    if (m_session.unloaded() || !m_equilibriumStands)
        return;
    main.setSteamTableRequest(false);

    FrmCalc* calc = m_session.loadCalc();
    if (!m_session.showFollowing(*calc, main))
        return;
    calc->raise();
    calc->activateWindow();
    calc->continueButton()->setFocus();
    main.setEnabled(false);
    main.minimise();
}

void InputRoad::cancelSteamTableRequest()
{
    m_session.link().open(false);
    m_askedWater.reset();
    m_session.mainWindow()->endSteamTableRequest();
}

void InputRoad::openResults()
{
    const QString path = m_session.dialogs().openResultsPath(m_session.mainWindow(), m_session.dataPath());
    if (!path.isEmpty())
        m_session.openResultsFile(path);
}

} // namespace qrv
