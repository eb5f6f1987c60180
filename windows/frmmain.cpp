#include "windows/frmmain.h"

#include "display/inputcaptions.h"
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
#include <QVBoxLayout>

#include <string_view>

namespace qrv {

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* captionLabel(const char* name, std::string_view text, QWidget* parent)
{
    return named(new QLabel(QString::fromUtf8(text), parent), name);
}

QLineEdit* box(const char* name, const QString& tip, QWidget* parent)
{
    auto* edit = named(new QLineEdit(parent), name);
    edit->setToolTip(tip);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) + 16);
    return edit;
}

QPushButton* button(const char* name, const QString& text, QWidget* parent)
{
    return named(new QPushButton(text, parent), name);
}

QRadioButton* option(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* radio = named(new QRadioButton(text, parent), name);
    radio->setToolTip(tip);
    return radio;
}

} // namespace

FrmMain::FrmMain(QWidget* parent)
    : ChainWindow(QStringLiteral("frmMain"), parent)
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
    showLowerPane(false);
}

void FrmMain::buildUpperPane()
{
    auto& u = m_ui;
    u.frInit = named(new QGroupBox(QStringLiteral("Initial Conditions (SI)"), this), "frInit");
    QWidget* f = u.frInit;
    u.Label3 = captionLabel("Label3", caption::kMagmaTemperature, f);
    u.txtTMagma = box("txtTMagma", QStringLiteral("Enter the magma temperature (K)"), f);
    u.Label1 = captionLabel("Label1", caption::kWaterTemperature, f);
    u.txtTInit = box("txtTInit", QStringLiteral("Enter the water temperature (k)"), f);
    u.Label2 = captionLabel("Label2", caption::kInitialPressure, f);
    u.txtPInit = box("txtPInit", QStringLiteral("Enter confining pressure (MPa)"), f);
    u.Label10 = captionLabel("Label10", caption::kAmbientPressure, f);
    u.txtPfin = box("txtPfin", QStringLiteral("Enter atmospheric pressure (MPa)"), f);
    u.optWM = option("optWM", QStringLiteral("Water/Magma Interaction"),
                     QStringLiteral("Select for water/magma interactions"), f);
    u.optSM = option("optSM", QStringLiteral("Sediment/Magma Interaction"),
                     QStringLiteral("Select for interactions of water-saturated sediments with magma"), f);
    u.optWM->setChecked(true);
    u.Label7 = captionLabel("Label7", caption::kWaterRatio, f);
    u.txtR = box("txtR", QStringLiteral("Enter the water/magma mass ratio"), f);
    u.Label9 = captionLabel("Label9", caption::kWaterFraction, f);
    u.txtXmix = box("txtXmix", QStringLiteral("Enter the mass ratio of water/rock in sediments"), f);

    u.Command1 = button("Command1", QStringLiteral("Continue"), f);
    u.Command1->setDefault(true);
    u.cmdSweep = button("cmdSweep", QStringLiteral("Sweep..."), f);
    u.cmdSweep->setToolTip(QStringLiteral("Run these inputs over a range of ratios and plot the runs"));
    u.cmdOpen = button("cmdOpen", QStringLiteral("Open"), f);
    u.cmdAbout = button("cmdAbout", QStringLiteral("About"), f);
    u.cmdHelpContents = makeHelpButton(QStringLiteral("cmdHelpContents"), f);
    u.Command3 = button("Command3", QStringLiteral("Quit"), f);
    u.Command3->setToolTip(QStringLiteral("Quit"));

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
    u.Frame1 = named(new QGroupBox(QStringLiteral("VAPTAB Data (Initial)"), this), "Frame1");
    QWidget* f = u.Frame1;
    u.Label5 = captionLabel("Label5", caption::kEntropy, f);
    u.txtSInit = box("txtSInit", QStringLiteral("Enter the value 'S' from VAPTAB"), f);
    u.Label6 = captionLabel("Label6", caption::kCv, f);
    u.txtCvInit = box("txtCvInit", QStringLiteral("Enter the value 'CV' from VAPTAB"), f);
    u.Label8 = captionLabel("Label8", "Initial Heating:", f);
    u.optCV = option("optCV", QStringLiteral("Constant Volume"),
                     QStringLiteral("Select for constant volume heating"), f);
    u.optCV->setEnabled(false);
    u.optSext = option("optSext", QStringLiteral("Entropy Extrapolation"),
                       QStringLiteral("Select for constant entropy heating"), f);
    u.txtVaptab = named(new QPlainTextEdit(f), "txtVaptab");
    u.txtVaptab->setReadOnly(true);
    u.txtVaptab->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    u.txtVaptab->setPlaceholderText(QStringLiteral("The steam-table program's answer appears here."));
    u.txtVaptab->setFocusPolicy(Qt::ClickFocus);
    u.txtVaptab->setMinimumHeight(u.txtVaptab->fontMetrics().lineSpacing() * 8);
    u.cmdCalc = button("cmdCalc", QStringLiteral("Calculate"), f);
    u.Command2 = button("Command2", QStringLiteral("Cancel"), f);
    u.Command2->setToolTip(QStringLiteral("Go back to the previous window"));
    u.cmdHelp = makeHelpButton(QStringLiteral("cmdHelp"), f);

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
