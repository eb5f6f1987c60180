#include "windows/frmresults.h"

#include "engine/ratioline.h"
#include "windows/resultstext.h"
#include "windows/valuelabel.h"
#include "windows/widgethost.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qrv {

namespace {

const QString kClickToCopy = QStringLiteral("Click to copy");

// One pale colour per kind of value.
const QColor kEquilibriumColour(255, 255, 210);
const QColor kAdiabaticStateColour(220, 240, 255);
const QColor kIsothermalStateColour(225, 255, 225);
const QColor kRatioAColour(255, 228, 225), kSteamAColour(235, 230, 255), kWaterAColour(215, 250, 250);
const QColor kRatioIColour(255, 240, 215), kSteamIColour(245, 225, 245), kWaterIColour(235, 245, 215);

QLabel* label(const QString& name, const QString& text, QWidget* parent, bool bold = false)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
    }
    return l;
}

QString indexed(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

QPushButton* button(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setEnabled(false);
    return b;
}

} // namespace

FrmResults::FrmResults(QWidget* parent)
    : ChainWindow(QStringLiteral("frmResults"), parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buildHeader(layout);
    buildStates(layout);
    buildPaths(layout);
    buildButtons(layout);
}

ValueLabel* FrmResults::addValue(const QString& name, const QColor& background, const QString& tip, bool marks)
{
    auto* value = new ValueLabel(name, background, this);
    value->setToolTip(tip);
    connect(value, &ValueLabel::clicked, this, [this, value] { copyValue(value); });
    if (marks)
        m_markable.append(value);
    return value;
}

void FrmResults::buildHeader(QVBoxLayout* layout)
{
    auto* status = new QHBoxLayout;
    status->addWidget(label(QStringLiteral("Label1"), QStringLiteral("Calculating"), this, true));
    status->addStretch();
    status->addWidget(label(QStringLiteral("labPath"), QStringLiteral("Path"), this));
    layout->addLayout(status);

    auto* grid = new QGridLayout;
    const std::pair<const char*, const char*> rows[][2] = {
        {{"Label3", kWaterRatioCaption.data()}, {"LabR", ""}},
        {{"Label12", "Initial Magma Temperature (K):"}, {"labTmag", ""}},
        {{"Label5", "Initial Water Temperature (K):"}, {"labT", ""}},
        {{"Label4", "Initial Water Pressure (MPa):"}, {"labP", ""}},
    };
    int row = 0;
    for (const auto& pair : rows) {
        grid->addWidget(label(QLatin1String(pair[0].first), QLatin1String(pair[0].second), this), row, 0);
        grid->addWidget(label(QLatin1String(pair[1].first), QString(), this, true), row, 1);
        ++row;
    }
    QLabel* source = label(QStringLiteral("labEx"), QStringLiteral("Equilibrium extrapolation"), this);
    source->setToolTip(QStringLiteral("Source of thermodynamic data"));
    source->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QLabel* method = label(QStringLiteral("labPe"), QStringLiteral("Pressure source"), this);
    method->setToolTip(QStringLiteral("Method of finding equilibrium state"));
    method->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    grid->addWidget(source, 0, 3, 2, 1);
    grid->addWidget(method, 2, 3, 2, 1);
    layout->addLayout(grid);
}

void FrmResults::buildStates(QVBoxLayout* layout)
{
    auto* frame = new QGroupBox(QStringLiteral("Equilibrium and Final States:"), this);
    frame->setObjectName(QStringLiteral("Frame3"));
    auto* grid = new QGridLayout(frame);
    QLabel* header = label(QStringLiteral("Label13"),
                           QStringLiteral("Equilibrium     Final (Adiab)        Final (Iso)"), frame);
    header->setAlignment(Qt::AlignCenter);
    grid->addWidget(header, 0, 1, 1, 3);

    const std::pair<const char*, const char*> rows[] = {
        {"Label2", "Pressure (MPa):"},
        {"Label6", "Volume (m3/kg):"},
        {"Label7", "Temperature (K):"},
        {"Label8", "Entropy (kJ/kg-K):"},
    };
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(label(QLatin1String(rows[i].first), QLatin1String(rows[i].second), frame), i + 1, 0);
        grid->addWidget(addValue(indexed("labES", i), kEquilibriumColour, kClickToCopy, true), i + 1, 1);
        grid->addWidget(addValue(indexed("labFSA", i), kAdiabaticStateColour, kClickToCopy, true), i + 1, 2);
        grid->addWidget(addValue(indexed("labFSI", i), kIsothermalStateColour, kClickToCopy, true), i + 1, 3);
    }
    grid->addWidget(label(QStringLiteral("Label9"), QStringLiteral("Equilibrium Phase:"), frame), 5, 0);
    ValueLabel* phase = addValue(indexed("labES", 4), kEquilibriumColour, QStringLiteral("Phase field"), false);
    phase->setText(QStringLiteral("Saturated Liquid"));
    QFont bold = phase->font();
    bold.setBold(true);
    phase->setFont(bold);
    grid->addWidget(phase, 5, 1);
    layout->addWidget(frame);
}

void FrmResults::buildPaths(QVBoxLayout* layout)
{
    struct PathControls {
        const char* frame;
        const char* title;
        int resultIndex;
        const char* rowCaptions;
        const char* ratio;
        const char* steam;
        const char* water;
        const char* error;
        QColor colours[3];
    };
    const PathControls paths[] = {
        {"Frame1", "Adiabatic Results", 1, "Label10", "labEffa", "labXa", "labXaw", "labErr2",
         {kRatioAColour, kSteamAColour, kWaterAColour}},
        {"Frame2", "Isothermal Results", 2, "Label11", "labEffi", "labXi", "labXiw", "labErr1",
         {kRatioIColour, kSteamIColour, kWaterIColour}},
    };
    const QString tips[] = {
        QStringLiteral("Percentage of initial heat energy converted to thermodynamic work (Click to copy)"),
        QStringLiteral("Fraction of water remaining as steam after expansion to atmospheric pressure (Click to copy)"),
        QStringLiteral("Fraction of water that condense or remains liquid after interaction (Click to copy)"),
    };
    const QString rowTexts[] = {QStringLiteral("Conversion Ratio (%):"), QStringLiteral("Steam Fraction:"),
                                QStringLiteral("Water Fraction:")};

    auto* row = new QHBoxLayout;
    for (const PathControls& p : paths) {
        auto* frame = new QGroupBox(QLatin1String(p.title), this);
        frame->setObjectName(QLatin1String(p.frame));
        if (p.resultIndex == 2)
            frame->setToolTip(QStringLiteral("Fraction of water remaining as steam after expansion to atmospheric pressure"));
        auto* grid = new QGridLayout(frame);
        QLabel* phase = label(indexed("labRes", p.resultIndex), QStringLiteral("State"), frame, true);
        phase->setAlignment(Qt::AlignCenter);
        grid->addWidget(phase, 0, 0, 1, 2);
        const char* values[] = {p.ratio, p.steam, p.water};
        for (int i = 0; i < 3; ++i) {
            grid->addWidget(label(indexed(p.rowCaptions, i), rowTexts[i], frame), i + 1, 0);
            grid->addWidget(addValue(QLatin1String(values[i]), p.colours[i], tips[i], true), i + 1, 1);
        }
        QLabel* error = label(QLatin1String(p.error), QStringLiteral("Error"), frame, true);
        error->setToolTip(QStringLiteral("Problems with calculation"));
        error->setAlignment(Qt::AlignCenter);
        QPalette red = error->palette();
        red.setColor(QPalette::WindowText, QColor(255, 0, 0));
        error->setPalette(red);
        error->setVisible(false);
        // Keeps the frame's height whether or not the error mark is shown.
        QSizePolicy keep = error->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        error->setSizePolicy(keep);
        grid->addWidget(error, 4, 0, 1, 2);
        row->addWidget(frame);
    }
    layout->addLayout(row);
}

void FrmResults::buildButtons(QVBoxLayout* layout)
{
    m_recalculate = button("Command3", QStringLiteral("ReCalculate"), QStringLiteral("Show calculation progress again"), this);
    m_help = makeHelpButton(QStringLiteral("cmdHelp"), this);
    m_plot = button("cmdPlot", QStringLiteral("Plot"), QString(), this);
    m_new = button("Command1", QStringLiteral("New"), QStringLiteral("Start a new calculation"), this);
    m_save = button("cmdSave", QStringLiteral("Save"), QStringLiteral("Save these results to open later"), this);
    m_finished = button("Command2", QStringLiteral("Finished"), QStringLiteral("Close ") + QString::fromUtf8(kAppTitle),
                        this);
    m_copyAll = button("cmdCopyAll", QStringLiteral("Copy All"),
                       QStringLiteral("Copy every value of this window, one caption and value a line"), this);
    m_copyAll->setEnabled(true);
    connect(m_copyAll, &QPushButton::clicked, this, &FrmResults::copyAll);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_recalculate, m_help, m_plot, m_new, m_save, m_copyAll, m_finished})
        buttons->addWidget(b);
    layout->addLayout(buttons);
}

void FrmResults::copyValue(ValueLabel* value)
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(value->text());
    for (ValueLabel* other : std::as_const(m_markable)) {
        QFont font = other->font();
        font.setBold(false);
        other->setFont(font);
    }
    QFont font = value->font();
    font.setBold(true);
    value->setFont(font);
}

void FrmResults::copyAll()
{
    const QString text = resultsWindowText([this](const QString& name) -> std::optional<QString> {
        const QWidget* control = findChild<QWidget*>(name);
        if (control == nullptr || !control->isVisibleTo(this))
            return std::nullopt;
        return controlText(control);
    });
    QApplication::clipboard()->setText(text);
}

} // namespace qrv
