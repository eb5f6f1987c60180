// The input window's part of the road: Continue, the steam-table request, Calculate, Cancel.
#include "windows/session.h"

#include "display/inputcaptions.h"
#include "runs/inputrules.h"
#include "base/numberformat.h"
#include "display/ratioline.h"
#include "model/equilibrium.h"
#include "windows/filedialogs.h"
#include "windows/frmcalc.h"
#include "windows/frmmain.h"
#include "windows/frmresults.h"
#include "windows/link/linkvaptab.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace qrv {

namespace {

std::string stdText(const QLineEdit* box)
{
    return box->text().toStdString();
}

} // namespace

void Session::connectMain()
{
    const FrmMainControls& u = m_main->ui();
    connect(m_main, &FrmMain::closeRequested, this, &Session::unloadProgram);
    connect(u.Command1, &QPushButton::clicked, this, &Session::continueInputs);
    connect(u.cmdSweep, &QPushButton::clicked, this, &Session::openSweepDialog);
    connect(u.cmdCalc, &QPushButton::clicked, this, &Session::calculate);
    connect(u.Command2, &QPushButton::clicked, this, &Session::cancelSteamTableRequest);
    connect(u.Command3, &QPushButton::clicked, this, &Session::unloadProgram);
    connect(u.cmdOpen, &QPushButton::clicked, this, &Session::openResults);
    connect(u.cmdAbout, &QPushButton::clicked, this, &Session::showAbout);
    connect(u.cmdHelp, &QPushButton::clicked, this, [this] { showHelp(HelpTopic::Input); });
    connect(u.cmdHelpContents, &QPushButton::clicked, this, [this] { showHelp(HelpTopic::Contents); });
    // Mouse, keyboard and screen readers all toggle; choosing the selected option again is no change.
    for (QRadioButton* option : {u.optWM, u.optSM})
        connect(option, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                chooseInteraction();
        });
}

void Session::chooseInteraction()
{
    const FrmMainControls& u = m_main->ui();
    const bool sediment = u.optSM->isChecked();
    const std::string_view ratio = sediment ? caption::kSedimentRatio : caption::kWaterRatio;
    u.Label7->setText(QString::fromUtf8(ratio));
    u.Label9->setEnabled(sediment);
    u.txtXmix->setEnabled(sediment);
    if (sediment) {
        u.txtXmix->setText(QString::fromStdString(formatFixed(m_state.XWater, 2)));
    } else {
        u.txtR->setText(QString::fromStdString(formatFixed(m_state.RInput, 2)));
        u.txtXmix->setText(QString::fromUtf8(caption::kUnusedWaterFraction));
    }
}

// The interaction type and ratio boxes of a run, as a results file shows it.
void Session::showTypedRatio(const TypedRatio& typed)
{
    const FrmMainControls& u = m_main->ui();
    (typed.sedimentMode ? u.optSM : u.optWM)->setChecked(true);
    u.txtR->setText(QString::fromStdString(typed.ratio));
    u.txtXmix->setText(QString::fromStdString(typed.waterFraction));
}

InputTexts Session::typedInputs() const
{
    const FrmMainControls& u = m_main->ui();
    return {stdText(u.txtTMagma), stdText(u.txtTInit), stdText(u.txtPInit), stdText(u.txtPfin),
            stdText(u.txtR),      stdText(u.txtXmix),  u.optSM->isChecked()};
}

void Session::continueInputs()
{
    const FrmMainControls& u = m_main->ui();
    const InputTexts texts = typedInputs();
    m_askedWater.reset();
    const ContinueResult result = applyContinue(m_state, texts, m_host);
    if (result.waterFractionText)
        u.txtXmix->setText(QString::fromStdString(*result.waterFractionText));
    if (result.initialPressureText)
        u.txtPInit->setText(QString::fromStdString(*result.initialPressureText));

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
        u.txtSInit->setText(QString::fromStdString(result.entropyText));
        u.txtCvInit->setText(QString::fromStdString(result.cvText));
        u.cmdCalc->setFocus();
        calculate();
        return;
    }
}

// The user reads S and Cv off the steam-table program; its answer fills the boxes, which
// stay editable.
void Session::beginSteamTableRequest()
{
    const FrmMainControls& u = m_main->ui();
    m_main->setSteamTableRequest(true);
    m_main->showLowerPane(true);
    u.txtSInit->clear();
    u.txtCvInit->clear();
    m_transcriptStart = m_link->transcript().size();
    u.txtVaptab->clear();
    m_link->open(true);
    if (m_link->taskId() != 0)
        m_link->query(m_askedWater->pressurePa, m_askedWater->temperatureK);
    u.txtSInit->setFocus();
}

void Session::showSteamTableOutput()
{
    QPlainTextEdit* area = m_main->ui().txtVaptab;
    area->setPlainText(m_link->transcript().mid(m_transcriptStart));
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
}

void Session::fillSteamTableValues(double entropy, double cv)
{
    const FrmMainControls& u = m_main->ui();
    if (!u.Frame1->isVisible() || !u.cmdCalc->isEnabled())
        return;
    u.txtSInit->setText(QString::fromStdString(formatFixed(entropy, 3)));
    u.txtCvInit->setText(QString::fromStdString(formatFixed(cv, 3)));
    u.txtSInit->setFocus();
}

void Session::calculate()
{
    const FrmMainControls& u = m_main->ui();
    if (!applyCalculate(m_state, stdText(u.txtSInit), stdText(u.txtCvInit), u.optCV->isChecked(), m_askedWater,
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
    const FrmMainControls& u = m_main->ui();
    m_link->open(false);
    m_askedWater.reset();
    m_main->setSteamTableRequest(false);
    u.txtSInit->clear();
    u.txtCvInit->clear();
    m_main->showLowerPane(false);
}

void Session::openResults()
{
    const QString path = m_dialogs.openResultsPath(m_main, m_dataPath);
    if (!path.isEmpty())
        openResultsFile(path);
}

} // namespace qrv
