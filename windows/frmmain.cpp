#include "windows/frmmain.h"

#include "display/inputwindow.h"
#include "runs/inputrules.h"
#include "windows/describedwindow.h"
#include "windows/selectallonfocus.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <string_view>

namespace qrv {

namespace {

using namespace inputwindow;

// The described control's widget: its object name, and its tooltip when it has one.
template <typename T>
T* described(T* widget, const Control& control)
{
    widget->setObjectName(qtName(control.name));
    if (!control.tooltip.empty())
        widget->setToolTip(qtName(control.tooltip));
    return widget;
}

QLabel* captionLabel(const Control& control, QWidget* parent)
{
    return described(new QLabel(qtName(control.design), parent), control);
}

QLineEdit* box(const Control& control, QWidget* parent)
{
    auto* edit = described(new QLineEdit(parent), control);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) + 16);
    return edit;
}

QPushButton* button(const Control& control, QWidget* parent)
{
    return described(new QPushButton(qtName(control.design), parent), control);
}

QRadioButton* option(const Control& control, QWidget* parent)
{
    return described(new QRadioButton(qtName(control.design), parent), control);
}

} // namespace

FrmMain::FrmMain(QWidget* parent)
    : ChainWindow(qtName(kName), parent)
{
    // Built empty: the program's start writes the start-up values into the boxes, once
    // (SetDefaults, beside the calculation state they come from).
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buildUpperPane();
    buildLowerPane();
    layout->addWidget(m_ui.frInit);
    layout->addWidget(m_ui.Frame1);

    // The eight boxes with their captions, by which screen readers name them.
    const std::pair<QLabel*, QLineEdit*> boxes[] = {
        {m_ui.Label3, m_ui.txtTMagma}, {m_ui.Label1, m_ui.txtTInit}, {m_ui.Label2, m_ui.txtPInit},
        {m_ui.Label10, m_ui.txtPfin},  {m_ui.Label7, m_ui.txtR},     {m_ui.Label9, m_ui.txtXmix},
        {m_ui.Label5, m_ui.txtSInit},  {m_ui.Label6, m_ui.txtCvInit}};
    auto* selectAll = new SelectAllOnFocus(this);
    for (const auto& [label, edit] : boxes) {
        label->setBuddy(edit);
        selectAll->watch(edit);
    }
    connectEnterMoves();
    connectRequests();
    showLowerPane(false);
}

void FrmMain::connectRequests()
{
    const auto& u = m_ui;
    const std::pair<QPushButton*, void (FrmMain::*)()> requests[] = {
        {u.Command1, &FrmMain::continueRequested},  {u.cmdSweep, &FrmMain::sweepRequested},
        {u.cmdCalc, &FrmMain::calculateRequested},  {u.Command2, &FrmMain::cancelRequested},
        {u.Command3, &FrmMain::quitRequested},      {u.cmdOpen, &FrmMain::openRequested},
        {u.cmdAbout, &FrmMain::aboutRequested},     {u.cmdHelp, &FrmMain::helpRequested},
        {u.cmdHelpContents, &FrmMain::helpContentsRequested}};
    for (const auto& [button, request] : requests)
        connect(button, &QPushButton::clicked, this, request);
    for (QRadioButton* option : {u.optWM, u.optSM})
        connect(option, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                emit interactionChosen(m_ui.optSM->isChecked());
        });
}

namespace {

std::string stdText(const QLineEdit* box)
{
    return box->text().toStdString();
}

void setStdText(QLineEdit* box, std::string_view text)
{
    box->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

} // namespace

InputTexts FrmMain::inputs() const
{
    const auto& u = m_ui;
    return {stdText(u.txtTMagma), stdText(u.txtTInit), stdText(u.txtPInit), stdText(u.txtPfin),
            stdText(u.txtR),      stdText(u.txtXmix),  u.optSM->isChecked()};
}

void FrmMain::showInputs(const InputTexts& inputs)
{
    const auto& u = m_ui;
    (inputs.sedimentMode ? u.optSM : u.optWM)->setChecked(true);
    const std::pair<QLineEdit*, const std::string*> boxes[] = {
        {u.txtTMagma, &inputs.tMagma}, {u.txtTInit, &inputs.tInit}, {u.txtPInit, &inputs.pInit},
        {u.txtPfin, &inputs.pFinal},   {u.txtR, &inputs.ratio},     {u.txtXmix, &inputs.waterFraction}};
    for (const auto& [box, text] : boxes)
        setStdText(box, *text);
}

void FrmMain::showContinued(const ContinueResult& continued)
{
    if (continued.waterFractionText)
        setStdText(m_ui.txtXmix, *continued.waterFractionText);
    if (continued.initialPressureText)
        setStdText(m_ui.txtPInit, *continued.initialPressureText);
}

void FrmMain::showInteraction(bool sediment, std::string_view value)
{
    const auto& u = m_ui;
    u.Label7->setText(qtName(sediment ? caption::kSedimentRatio : caption::kWaterRatio));
    u.Label9->setEnabled(sediment);
    u.txtXmix->setEnabled(sediment);
    if (sediment) {
        setStdText(u.txtXmix, value);
    } else {
        setStdText(u.txtR, value);
        setStdText(u.txtXmix, caption::kUnusedWaterFraction);
    }
}

std::string FrmMain::entropyText() const
{
    return stdText(m_ui.txtSInit);
}

std::string FrmMain::cvText() const
{
    return stdText(m_ui.txtCvInit);
}

bool FrmMain::constantVolume() const
{
    return m_ui.optCV->isChecked();
}

void FrmMain::showInitialWater(std::string_view entropy, std::string_view cv)
{
    setStdText(m_ui.txtSInit, entropy);
    setStdText(m_ui.txtCvInit, cv);
}

void FrmMain::showSteamTableAnswer(std::string_view entropy, std::string_view cv)
{
    showInitialWater(entropy, cv);
    m_ui.txtSInit->setFocus();
}

void FrmMain::showSteamTableRequest()
{
    setSteamTableRequest(true);
    showLowerPane(true);
    m_ui.txtSInit->clear();
    m_ui.txtCvInit->clear();
    m_ui.txtVaptab->clear();
    m_ui.txtSInit->setFocus();
}

void FrmMain::showSteamTableOutput(const QString& text)
{
    QPlainTextEdit* area = m_ui.txtVaptab;
    area->setPlainText(text);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
}

bool FrmMain::asksForInitialWater() const
{
    return m_ui.Frame1->isVisible() && m_ui.cmdCalc->isEnabled();
}

void FrmMain::endSteamTableRequest()
{
    setSteamTableRequest(false);
    m_ui.txtSInit->clear();
    m_ui.txtCvInit->clear();
    showLowerPane(false);
}

void FrmMain::takeInput()
{
    setSteamTableRequest(false);
    showLowerPane(false);
    setEnabled(true);
    showNormal();
    raise();
    activateWindow();
    m_ui.txtR->setFocus();
}

void FrmMain::focusCalculate()
{
    m_ui.cmdCalc->setFocus();
}

void FrmMain::buildUpperPane()
{
    auto& u = m_ui;
    u.frInit = described(new QGroupBox(qtName(kInputs.design), this), kInputs);
    QWidget* f = u.frInit;
    u.Label3 = captionLabel(kMagmaTemperatureCaption, f);
    u.txtTMagma = box(kMagmaTemperature, f);
    u.Label1 = captionLabel(kWaterTemperatureCaption, f);
    u.txtTInit = box(kWaterTemperature, f);
    u.Label2 = captionLabel(kInitialPressureCaption, f);
    u.txtPInit = box(kInitialPressure, f);
    u.Label10 = captionLabel(kAmbientPressureCaption, f);
    u.txtPfin = box(kAmbientPressure, f);
    u.optWM = option(kWaterMagma, f);
    u.optSM = option(kSedimentMagma, f);
    u.optWM->setChecked(true);
    u.Label7 = captionLabel(kRatioCaption, f);
    u.txtR = box(kRatio, f);
    u.Label9 = captionLabel(kWaterFractionCaption, f);
    u.txtXmix = box(kWaterFraction, f);

    u.Command1 = button(kContinue, f);
    u.Command1->setDefault(true);
    u.cmdSweep = button(kSweep, f);
    u.cmdOpen = button(kOpen, f);
    u.cmdAbout = button(kAbout, f);
    u.cmdHelpContents = makeHelpButton(qtName(kHelpContents.name), f);
    u.Command3 = button(kQuit, f);

    auto* grid = new QGridLayout;
    const std::pair<QLabel*, QLineEdit*> inputs[] = {
        {u.Label3, u.txtTMagma}, {u.Label1, u.txtTInit}, {u.Label2, u.txtPInit}, {u.Label10, u.txtPfin}};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(inputs[row].first, row, 0);
        grid->addWidget(inputs[row].second, row, 1);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->addWidget(u.optWM, 0, 3, 1, 2);
    grid->addWidget(u.optSM, 1, 3, 1, 2);
    grid->addWidget(u.Label7, 2, 3);
    grid->addWidget(u.txtR, 2, 4);
    grid->addWidget(u.Label9, 3, 3);
    grid->addWidget(u.txtXmix, 3, 4);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {u.Command1, u.cmdSweep, u.cmdOpen, u.cmdAbout})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(u.cmdHelpContents);
    buttons->addWidget(u.Command3);

    auto* pane = new QVBoxLayout(f);
    pane->addLayout(grid);
    pane->addSpacing(6);
    pane->addLayout(buttons);
}

void FrmMain::buildLowerPane()
{
    auto& u = m_ui;
    u.Frame1 = described(new QGroupBox(qtName(kSteamTable.design), this), kSteamTable);
    QWidget* f = u.Frame1;
    u.Label5 = captionLabel(kEntropyCaption, f);
    u.txtSInit = box(kEntropy, f);
    u.Label6 = captionLabel(kCvCaption, f);
    u.txtCvInit = box(kCv, f);
    u.Label8 = captionLabel(kHeatingCaption, f);
    u.optCV = option(kConstantVolume, f);
    u.optCV->setEnabled(false);
    u.optSext = option(kEntropyExtrapolation, f);
    u.txtVaptab = described(new QPlainTextEdit(f), kSteamTableOutput);
    u.txtVaptab->setReadOnly(true);
    u.txtVaptab->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    u.txtVaptab->setPlaceholderText(qtName(kSteamTableOutput.design));
    u.txtVaptab->setFocusPolicy(Qt::ClickFocus);
    u.txtVaptab->setMinimumHeight(u.txtVaptab->fontMetrics().lineSpacing() * 8);
    u.cmdCalc = button(kCalculate, f);
    u.Command2 = button(kCancel, f);
    u.cmdHelp = makeHelpButton(qtName(kHelp.name), f);

    auto* grid = new QGridLayout;
    grid->addWidget(u.Label5, 0, 0);
    grid->addWidget(u.txtSInit, 0, 1);
    grid->addWidget(u.Label6, 1, 0);
    grid->addWidget(u.txtCvInit, 1, 1);
    grid->setColumnMinimumWidth(2, 16);
    grid->addWidget(u.Label8, 0, 3);
    grid->addWidget(u.optSext, 1, 3);
    grid->addWidget(u.optCV, 2, 3);
    grid->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(u.cmdCalc);
    buttons->addWidget(u.Command2);
    buttons->addStretch();
    buttons->addWidget(u.cmdHelp);

    auto* pane = new QVBoxLayout(f);
    pane->addLayout(grid);
    pane->addWidget(u.txtVaptab);
    pane->addLayout(buttons);
}

// Enter is swallowed by the boxes (a line edit inserts nothing) and moves on.
void FrmMain::connectEnterMoves()
{
    auto& u = m_ui;
    const std::pair<QLineEdit*, QWidget*> moves[] = {{u.txtTMagma, u.txtTInit}, {u.txtTInit, u.txtPInit},
                                                     {u.txtPInit, u.txtPfin},   {u.txtPfin, u.txtR},
                                                     {u.txtXmix, u.Command1},   {u.txtSInit, u.txtCvInit}};
    for (const auto& [from, to] : moves)
        connect(from, &QLineEdit::returnPressed, to, [to] { to->setFocus(Qt::TabFocusReason); });
    connect(u.txtR, &QLineEdit::returnPressed, this, [&u] {
        if (u.txtXmix->isEnabled())
            u.txtXmix->setFocus(Qt::TabFocusReason);
        else
            u.Command1->click();
    });
    connect(u.txtCvInit, &QLineEdit::returnPressed, u.cmdCalc, &QPushButton::click);
}

void FrmMain::showLowerPane(bool shown)
{
    m_ui.Frame1->setVisible(shown);
}

void FrmMain::setSteamTableRequest(bool active)
{
    auto& u = m_ui;
    for (QWidget* w : std::initializer_list<QWidget*>{u.Label1, u.txtTInit, u.Label2,
                       u.txtPInit, u.Label3, u.txtTMagma,
                       u.Label7, u.txtR, u.Label10,
                       u.txtPfin, u.optWM, u.optSM,
                       u.Command1, u.cmdSweep, u.Command3})
        w->setEnabled(!active);
    const bool mixture = !active && u.optSM->isChecked();
    u.Label9->setEnabled(mixture);
    u.txtXmix->setEnabled(mixture);
    for (QWidget* w : std::initializer_list<QWidget*>{u.Label5, u.txtSInit, u.Label6,
                       u.txtCvInit, u.Command2, u.cmdCalc})
        w->setEnabled(active);
}

} // namespace qrv
