#include "windows/frmcalc.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

namespace {

struct Row {
    const char* caption;
    const char* captionText;
    const char* value;
};

// Top to bottom as on screen.
constexpr Row kRows[] = {
    {"Label11", "Temperature (K): ", "labT0"},
    {"Label13", "Entropy (kJ/kg-K):", "labS0"},
    {"Label10", "Pressure (MPa):", "labP0"},
    {"Label12", "Density (kg/m3):", "labRh0"},
    {"Label4", "Internal Energy (kJ/kg):", "labU0"},
    {"Label5", "Heat Cap-Cp (kJ/kg K):", "labCpl0"},
    {"Label6", "Gamma (Cp/Cv):", "labGam0"},
    {"Label8", "Steam fraction (X):", "labX0"},
};

QLabel* label(const char* name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* valueLabel(const char* name, QWidget* parent)
{
    QLabel* l = label(name, QString(), parent);
    l->setAlignment(Qt::AlignCenter);
    l->setToolTip(QStringLiteral("Initial equilibrium state of water"));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette colours = l->palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 192));
    colours.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(colours);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("Rs = 00.000  --  R = 00.000")) + 12);
    return l;
}

} // namespace

FrmCalc::FrmCalc(QWidget* parent)
    : ChainWindow(QStringLiteral("frmCalc"), parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* frame = new QGroupBox(QStringLiteral("Equilibrium Conditions (SI)"), this);
    frame->setObjectName(QStringLiteral("Frame1"));

    auto* grid = new QGridLayout(frame);
    QLabel* ratio = valueLabel("labInitR", frame);
    ratio->setText(QStringLiteral("R = 1.00"));
    QFont bold = ratio->font();
    bold.setBold(true);
    ratio->setFont(bold);
    QLabel* magma = valueLabel("labinitT", frame);
    magma->setText(QStringLiteral("Tmagma"));
    grid->addWidget(ratio, 0, 0, 1, 2);
    grid->addWidget(magma, 1, 0, 1, 2);
    int row = 2;
    for (const Row& r : kRows) {
        grid->addWidget(label(r.caption, QLatin1String(r.captionText), frame), row, 0);
        grid->addWidget(valueLabel(r.value, frame), row, 1);
        ++row;
    }

    m_back = new QPushButton(QStringLiteral("<Back"), this);
    m_back->setObjectName(QStringLiteral("Command2"));
    m_back->setToolTip(QStringLiteral("Go back to the previous window"));
    m_help = makeHelpButton(QStringLiteral("cmdHelp"), this);
    m_continue = new QPushButton(QStringLiteral("Continue"), this);
    m_continue->setObjectName(QStringLiteral("Command1"));
    m_continue->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addStretch();
    buttons->addWidget(m_help);
    buttons->addStretch();
    buttons->addWidget(m_continue);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

} // namespace qrv
