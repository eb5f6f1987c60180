#include "windows/uncertaintybox.h"

#include "windows/settingsfile.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QVBoxLayout>

namespace qrv {

namespace {

constexpr std::size_t kMostSamples = 100000;

const QString kOnKey = QStringLiteral("Sweep/Bands");
const QString kSpreadKey = QStringLiteral("Sweep/Spread/%1"); // with the input's qrv-cli key
const QString kSamplesKey = QStringLiteral("Sweep/BandSamples");
const QString kSeedKey = QStringLiteral("Sweep/BandSeed");

QString spreadKey(StudyInput input)
{
    return kSpreadKey.arg(QString::fromUtf8(studyInputName(input).key));
}

} // namespace

UncertaintyBox::UncertaintyBox(bool sediment, QWidget* parent)
    : QGroupBox(QStringLiteral("Uncertainty bands"), parent)
    , m_samples(new QLineEdit(QStringLiteral("200"), this))
    , m_seed(new QLineEdit(QStringLiteral("1"), this))
{
    setObjectName(QStringLiteral("fraUncertainty"));
    setCheckable(true);
    setChecked(false);
    auto* intro = new QLabel(QStringLiteral("Every ratio is run again with the inputs below drawn at random, and the "
                                            "band from the 5th to the 95th percentile of each conversion ratio is "
                                            "drawn around its curve. A spread is MEAN~SD (normal), FROM..TO "
                                            "(uniform) or ~SD (normal about the input window's value); an empty box "
                                            "keeps the input window's value."),
                             this);
    intro->setWordWrap(true);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [this, grid, &row](const QString& caption, QLineEdit* edit, const QString& name) {
        edit->setObjectName(name);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000.0..00000.0")) + 16);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    };
    for (const StudyInputName& input : kStudyInputs) {
        if (input.input == StudyInput::R || (input.input == StudyInput::X && !sediment))
            continue;
        const QString name = QString::fromUtf8(input.name);
        const QString unit = input.unit.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromUtf8(input.unit));
        auto* edit = new QLineEdit(this);
        edit->setPlaceholderText(QStringLiteral("fixed"));
        addRow(name + unit + QStringLiteral(":"), edit, QStringLiteral("txtSpread") + name);
        m_spreads.emplace_back(input.input, edit);
    }
    addRow(QStringLiteral("Samples per ratio:"), m_samples, QStringLiteral("txtSamples"));
    addRow(QStringLiteral("Seed:"), m_seed, QStringLiteral("txtSeed"));
    // The boxes stand by their captions, as the range's boxes do.
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);

    connect(this, &QGroupBox::toggled, this, &UncertaintyBox::changed);
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &UncertaintyBox::changed);
}

BandReading UncertaintyBox::reading(const SweepFamily& family) const
{
    if (!isChecked())
        return {};
    BandRequest request;
    for (const auto& [input, edit] : m_spreads) {
        const std::string text = edit->text().trimmed().toStdString();
        if (text.empty())
            continue;
        const QString name = QString::fromUtf8(studyInputName(input).name);
        const SpreadText spread = readSpread(text);
        if (!spread.error.empty())
            return {{}, QStringLiteral("%1 spread: %2.").arg(name, QString::fromStdString(spread.error))};
        // A member's own value would be replaced by the same draws for every member.
        if (!spread.aroundCurve && family.input != FamilyInput::None && studyInputOf(family.input) == input)
            return {{}, QStringLiteral("%1 spread: the family varies %1; give ~SD to spread each member's value.")
                            .arg(name)};
        request.spreads.push_back({input, text});
    }
    if (request.spreads.empty())
        return {{}, QStringLiteral("Uncertainty bands: give at least one input a spread, or switch the bands off.")};
    bool read = false;
    const qulonglong samples = m_samples->text().trimmed().toULongLong(&read);
    if (!read || samples < 2 || samples > kMostSamples)
        return {{}, QStringLiteral("Samples per ratio: \"%1\" is not a whole number from 2 to %2.")
                        .arg(m_samples->text())
                        .arg(kMostSamples)};
    request.samples = std::size_t(samples);
    request.seed = m_seed->text().trimmed().toULongLong(&read);
    if (!read)
        return {{}, QStringLiteral("Seed: \"%1\" is not a whole number from 0 up.").arg(m_seed->text())};
    return {request, {}};
}

void UncertaintyBox::restoreTyped()
{
    const QSettings settings = programSettings();
    for (const auto& [input, edit] : m_spreads)
        edit->setText(settings.value(spreadKey(input), edit->text()).toString());
    m_samples->setText(settings.value(kSamplesKey, m_samples->text()).toString());
    m_seed->setText(settings.value(kSeedKey, m_seed->text()).toString());
    setChecked(settings.value(kOnKey, false).toBool());
}

void UncertaintyBox::saveTyped() const
{
    QSettings settings = programSettings();
    settings.setValue(kOnKey, isChecked());
    for (const auto& [input, edit] : m_spreads)
        settings.setValue(spreadKey(input), edit->text());
    settings.setValue(kSamplesKey, m_samples->text());
    settings.setValue(kSeedKey, m_seed->text());
}

} // namespace qrv
