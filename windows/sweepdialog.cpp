#include "windows/sweepdialog.h"

#include "base/appidentity.h"
#include "windows/mappage.h"
#include "windows/rangebox.h"
#include "windows/settingsfile.h"
#include "windows/uncertaintybox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace qrv {

namespace {

// "1 run", "4 runs".
QString counted(std::size_t count, const QString& noun)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(noun, count == 1 ? QString() : QStringLiteral("s"));
}

// What the dialog remembers between openings, and between starts of the program.
const QString kFromKey = QStringLiteral("Sweep/From");
const QString kToKey = QStringLiteral("Sweep/To");
const QString kByCountKey = QStringLiteral("Sweep/ByCount");
const QString kStepKey = QStringLiteral("Sweep/Step");
const QString kCountKey = QStringLiteral("Sweep/Count");
const QString kFamilyKey = QStringLiteral("Sweep/Family"); // the input's qrv-cli key, "tmagma"
const QString kValuesKey = QStringLiteral("Sweep/Values");
const QString kMapModeKey = QStringLiteral("Sweep/Map");

} // namespace

SweepDialog::SweepDialog(const QString& ratioName, CapacityRefusal capacityRefusal, QWidget* parent)
    : QDialog(parent)
    , m_ratioName(ratioName)
    , m_capacityRefusal(std::move(capacityRefusal))
    , m_sweepMode(new QRadioButton(QStringLiteral("Ratio sweep"), this))
    , m_mapMode(new QRadioButton(QStringLiteral("Map"), this))
    , m_from(rangeBox("txtFrom", QStringLiteral("0.05"), this))
    , m_to(rangeBox("txtTo", QStringLiteral("3"), this))
    , m_byStep(new QRadioButton(QStringLiteral("Step:"), this))
    , m_step(rangeBox("txtStep", QStringLiteral("0.05"), this))
    , m_byCount(new QRadioButton(QStringLiteral("Number of ratios:"), this))
    , m_count(rangeBox("txtCount", QStringLiteral("60"), this))
    , m_familyInput(new QComboBox(this))
    , m_familyValues(new QLineEdit(this))
    , m_uncertainty(new UncertaintyBox(ratioName == QLatin1String("Rs"), this))
    , m_mapPage(new MapPage(ratioName, this))
    , m_summary(new QLabel(this))
    , m_run(new QPushButton(QStringLiteral("Run Sweep"), this))
{
    setObjectName(QStringLiteral("frmSweep"));
    setWindowTitle(QStringLiteral("%1 - Ratio Sweep").arg(QString::fromUtf8(kAppTitle)));
    m_byStep->setObjectName(QStringLiteral("optStep"));
    m_byCount->setObjectName(QStringLiteral("optCount"));
    m_byStep->setChecked(true);
    m_sweepMode->setObjectName(QStringLiteral("optSweepMode"));
    m_mapMode->setObjectName(QStringLiteral("optMapMode"));
    m_sweepMode->setChecked(true);
    m_summary->setObjectName(QStringLiteral("labSummary"));
    m_run->setObjectName(QStringLiteral("cmdRun"));
    m_run->setDefault(true);

    auto* intro = new QLabel(QStringLiteral("One run per ratio %1, with the other inputs of the input window. "
                                            "A family runs every ratio once for each value of one more input. "
                                            "The runs are added to the plot.").arg(ratioName), this);
    intro->setWordWrap(true);

    auto* grid = new QGridLayout;
    auto* fromCaption = new QLabel(QStringLiteral("From %1:").arg(ratioName), this);
    fromCaption->setBuddy(m_from);
    auto* toCaption = new QLabel(QStringLiteral("To %1:").arg(ratioName), this);
    toCaption->setBuddy(m_to);
    // The options stand as the captions of their boxes.
    m_step->setAccessibleName(m_byStep->text());
    m_count->setAccessibleName(m_byCount->text());
    grid->addWidget(fromCaption, 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(toCaption, 1, 0);
    grid->addWidget(m_to, 1, 1);
    grid->addWidget(m_byStep, 2, 0);
    grid->addWidget(m_step, 2, 1);
    grid->addWidget(m_byCount, 3, 0);
    grid->addWidget(m_count, 3, 1);

    // The family: none, or an input with its values, each as the input window takes it.
    m_familyInput->setObjectName(QStringLiteral("cboFamily"));
    m_familyInput->addItem(QStringLiteral("None"), int(FamilyInput::None));
    for (const FamilyInputName& input : kFamilyInputs) {
        const QString unit = input.unit.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromUtf8(input.unit));
        m_familyInput->addItem(QString::fromUtf8(input.name) + unit, int(input.input));
    }
    // Water has no water fraction to vary.
    if (ratioName != QLatin1String("Rs"))
        qobject_cast<QStandardItemModel*>(m_familyInput->model())
            ->item(m_familyInput->findData(int(FamilyInput::X)))
            ->setEnabled(false);
    m_familyValues->setObjectName(QStringLiteral("txtFamily"));
    m_familyValues->setPlaceholderText(QStringLiteral("1073, 1273, 1473"));
    auto* familyCaption = new QLabel(QStringLiteral("Family:"), this);
    familyCaption->setBuddy(m_familyInput);
    auto* valuesCaption = new QLabel(QStringLiteral("Values:"), this);
    valuesCaption->setBuddy(m_familyValues);
    grid->addWidget(familyCaption, 4, 0);
    grid->addWidget(m_familyInput, 4, 1);
    grid->addWidget(valuesCaption, 5, 0);
    grid->addWidget(m_familyValues, 5, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_run, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SweepDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The ratio sweep's part, hidden while the dialog makes a map.
    m_sweepPage = new QWidget(this);
    auto* sweepLayout = new QVBoxLayout(m_sweepPage);
    sweepLayout->setContentsMargins(0, 0, 0, 0);
    sweepLayout->addWidget(intro);
    sweepLayout->addLayout(grid);
    sweepLayout->addWidget(m_uncertainty);
    auto* modes = new QHBoxLayout;
    modes->addWidget(m_sweepMode);
    modes->addWidget(m_mapMode);
    modes->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modes);
    layout->addWidget(m_sweepPage);
    layout->addWidget(m_mapPage);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The window takes its contents' size: they are made wide enough for the whole title in a
    // bold title bar, with the window's icon and buttons beside it.
    QFont titleFont = font();
    titleFont.setBold(true);
    intro->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 160);

    for (QLineEdit* edit : {m_from, m_to, m_step, m_count, m_familyValues})
        connect(edit, &QLineEdit::textChanged, this, &SweepDialog::update);
    connect(m_familyInput, &QComboBox::currentIndexChanged, this, &SweepDialog::update);
    connect(m_byStep, &QRadioButton::toggled, this, &SweepDialog::update);
    connect(m_uncertainty, &UncertaintyBox::changed, this, &SweepDialog::update);
    connect(m_mapMode, &QRadioButton::toggled, this, &SweepDialog::update);
    connect(m_mapPage, &MapPage::changed, this, &SweepDialog::update);
    restoreTyped();
    update();
}

void SweepDialog::restoreTyped()
{
    const QSettings settings = programSettings();
    const std::pair<QLineEdit*, const QString*> boxes[] = {
        {m_from, &kFromKey}, {m_to, &kToKey}, {m_step, &kStepKey}, {m_count, &kCountKey}, {m_familyValues, &kValuesKey}};
    for (const auto& [edit, key] : boxes)
        edit->setText(settings.value(*key, edit->text()).toString());
    (settings.value(kByCountKey, false).toBool() ? m_byCount : m_byStep)->setChecked(true);
    (settings.value(kMapModeKey, false).toBool() ? m_mapMode : m_sweepMode)->setChecked(true);
    m_uncertainty->restoreTyped();
    const QString family = settings.value(kFamilyKey).toString();
    for (const FamilyInputName& input : kFamilyInputs) {
        const int index = m_familyInput->findData(int(input.input));
        const auto* item = qobject_cast<QStandardItemModel*>(m_familyInput->model())->item(index);
        // A water-fraction family waits for the next sediment sweep.
        if (family == QString::fromUtf8(input.key) && item->isEnabled())
            m_familyInput->setCurrentIndex(index);
    }
}

void SweepDialog::saveTyped() const
{
    QSettings settings = programSettings();
    settings.setValue(kFromKey, m_from->text());
    settings.setValue(kToKey, m_to->text());
    settings.setValue(kByCountKey, m_byCount->isChecked());
    settings.setValue(kStepKey, m_step->text());
    settings.setValue(kCountKey, m_count->text());
    const auto input = FamilyInput(m_familyInput->currentData().toInt());
    settings.setValue(kFamilyKey,
                      input == FamilyInput::None ? QString() : QString::fromUtf8(familyInputName(input).key));
    settings.setValue(kValuesKey, m_familyValues->text());
    m_uncertainty->saveTyped();
    settings.setValue(kMapModeKey, mapMode());
    m_mapPage->saveTyped();
}

bool SweepDialog::mapMode() const
{
    return m_mapMode->isChecked();
}

const MapRanges& SweepDialog::mapRanges() const
{
    return m_mapPage->ranges();
}

void SweepDialog::accept()
{
    if (mapMode() ? !mapRanges().error.isEmpty() || (m_mapCheck && !m_mapCheck(mapRanges()))
                  : m_memberCheck && !m_memberCheck(m_range.ratios, m_family))
        return;
    QDialog::accept();
}

void SweepDialog::done(int result)
{
    saveTyped();
    QDialog::done(result);
}

bool SweepDialog::showMode()
{
    const bool map = mapMode();
    m_sweepPage->setVisible(!map);
    m_mapPage->setVisible(map);
    m_run->setText(map ? QStringLiteral("Run Map") : QStringLiteral("Run Sweep"));
    setWindowTitle(QStringLiteral("%1 - %2").arg(QString::fromUtf8(kAppTitle), map ? QStringLiteral("Map") : QStringLiteral("Ratio Sweep")));
    if (map) {
        const MapRanges& ranges = mapRanges();
        showSummary(ranges.error.isEmpty() ? QStringLiteral("%1 points: %2 x %3")
                                                 .arg(ranges.x.values.size() * ranges.y.values.size())
                                                 .arg(ranges.x.values.size())
                                                 .arg(ranges.y.values.size())
                                           : ranges.error,
                    ranges.error.isEmpty());
    }
    return map;
}

void SweepDialog::showSummary(const QString& text, bool valid)
{
    QPalette colours = m_summary->palette();
    colours.setColor(QPalette::WindowText, valid ? palette().color(QPalette::WindowText) : Qt::red);
    m_summary->setPalette(colours);
    m_summary->setText(text);
    m_run->setEnabled(valid);
}

// The summary says what Run Sweep (Run Map) would do, or why it cannot; the button waits for
// valid ranges.
void SweepDialog::update()
{
    if (showMode())
        return;
    m_step->setEnabled(m_byStep->isChecked());
    m_count->setEnabled(m_byCount->isChecked());
    m_range = sweepRange(
        {m_from->text(), m_to->text(), m_step->text(), m_count->text(), m_byCount->isChecked(), m_ratioName});
    m_family = {FamilyInput(m_familyInput->currentData().toInt()), {}};
    m_familyValues->setEnabled(m_family.input != FamilyInput::None);
    if (m_range.error.isEmpty() && m_family.input != FamilyInput::None) {
        FamilyValues values = readFamilyValues(m_familyValues->text().toStdString());
        if (values.error.empty())
            m_family.values = std::move(values.values);
        else
            m_range = {{}, QStringLiteral("Family values: %1.").arg(QString::fromStdString(values.error))};
    }
    const std::size_t runs = m_range.ratios.size() * m_family.memberCount();
    const BandReading bands = m_uncertainty->reading(m_family);
    m_bands = bands.request;
    if (m_range.error.isEmpty() && !bands.error.isEmpty())
        m_range = {{}, bands.error};
    if (m_range.error.isEmpty() && m_capacityRefusal) {
        if (const std::string refusal = m_capacityRefusal(runs); !refusal.empty())
            m_range = {{}, QString::fromStdString(refusal)};
    }
    QString summary = counted(runs, QStringLiteral("run"));
    if (m_family.input != FamilyInput::None)
        summary += QStringLiteral(": %1 x %2")
                       .arg(counted(m_family.memberCount(), QStringLiteral("value")),
                            counted(m_range.ratios.size(), QStringLiteral("ratio")));
    if (m_bands)
        summary += QStringLiteral(", with 5-95 % bands from %1 per ratio")
                       .arg(counted(m_bands->samples, QStringLiteral("sample")));
    showSummary(m_range.error.isEmpty() ? summary : m_range.error, m_range.error.isEmpty());
}

} // namespace qrv
