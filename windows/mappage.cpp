#include "windows/mappage.h"

#include "windows/rangebox.h"
#include "windows/settingsfile.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace qrv {

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// What the page remembers, under "Map/" and the axis: "Map/XInput" (the input's qrv-cli key), "Map/XFrom".
QString settingsKey(const QString& axis, const char* what)
{
    return QStringLiteral("Map/%1%2").arg(axis, QLatin1String(what));
}

} // namespace

MapPage::MapPage(const QString& ratioName, QWidget* parent)
    : QWidget(parent)
    , m_ratioName(ratioName)
{
    auto* intro = new QLabel(QStringLiteral("One run per point of a grid over two inputs, with the other inputs of the "
                                            "input window. The map is shown in the plot window; it is not added to "
                                            "the stored runs."),
                             this);
    intro->setWordWrap(true);
    m_x.name = QStringLiteral("X axis");
    m_x.key = QStringLiteral("X");
    m_y.name = QStringLiteral("Y axis");
    m_y.key = QStringLiteral("Y");
    auto* axes = new QHBoxLayout;
    axes->addWidget(axisGroup(m_x, StudyInput::R, "0.05", "2", "0.05"));
    axes->addWidget(axisGroup(m_y, StudyInput::TMagma, "1073", "1473", "50"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intro);
    layout->addLayout(axes);

    restoreTyped();
    for (const Axis* axis : {&m_x, &m_y}) {
        for (QLineEdit* edit : {axis->from, axis->to, axis->step})
            connect(edit, &QLineEdit::textChanged, this, &MapPage::update);
        connect(axis->input, &QComboBox::currentIndexChanged, this, &MapPage::update);
    }
    update();
}

QWidget* MapPage::axisGroup(Axis& axis, StudyInput input, const char* from, const char* to, const char* step)
{
    auto* group = new QGroupBox(axis.name, this);
    axis.input = new QComboBox(group);
    axis.input->setObjectName(QStringLiteral("cbo%1Input").arg(axis.key));
    for (const StudyInputName& name : kStudyInputs) {
        const QString shown = name.input == StudyInput::R ? m_ratioName : text(name.name);
        axis.input->addItem(name.unit.empty() ? shown : QStringLiteral("%1 (%2)").arg(shown, text(name.unit)),
                            int(name.input));
    }
    // Water has no water fraction to vary.
    if (m_ratioName != QLatin1String("Rs"))
        qobject_cast<QStandardItemModel*>(axis.input->model())
            ->item(axis.input->findData(int(StudyInput::X)))
            ->setEnabled(false);
    axis.input->setCurrentIndex(axis.input->findData(int(input)));
    const QByteArray boxName = QStringLiteral("txt%1").arg(axis.key).toLatin1();
    axis.from = rangeBox((boxName + "From").constData(), QLatin1String(from), group);
    axis.to = rangeBox((boxName + "To").constData(), QLatin1String(to), group);
    axis.step = rangeBox((boxName + "Step").constData(), QLatin1String(step), group);

    auto* grid = new QGridLayout(group);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Input:", axis.input}, {"From:", axis.from}, {"To:", axis.to}, {"Step:", axis.step}};
    int row = 0;
    for (const auto& [caption, box] : rows) {
        auto* label = new QLabel(QLatin1String(caption), group);
        label->setBuddy(box);
        // A screen reader names the box as refusals do: "X axis From".
        box->setAccessibleName(axis.name + QLatin1Char(' ') + QString(QLatin1String(caption)).chopped(1));
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    }
    return group;
}

MapAxisTexts MapPage::texts(const Axis& axis) const
{
    return {axis.name, StudyInput(axis.input->currentData().toInt()), axis.from->text(), axis.to->text(),
            axis.step->text()};
}

void MapPage::update()
{
    m_ranges = mapRanges(texts(m_x), texts(m_y));
    emit changed();
}

void MapPage::restoreTyped()
{
    const QSettings settings = programSettings();
    for (const Axis* axis : {&m_x, &m_y}) {
        const std::pair<QLineEdit*, const char*> boxes[] = {{axis->from, "From"}, {axis->to, "To"}, {axis->step, "Step"}};
        for (const auto& [edit, what] : boxes)
            edit->setText(settings.value(settingsKey(axis->key, what), edit->text()).toString());
        const QString key = settings.value(settingsKey(axis->key, "Input")).toString();
        for (const StudyInputName& name : kStudyInputs) {
            const int index = axis->input->findData(int(name.input));
            const auto* item = qobject_cast<QStandardItemModel*>(axis->input->model())->item(index);
            // A water-fraction axis waits for the next sediment map.
            if (key == text(name.key) && item->isEnabled())
                axis->input->setCurrentIndex(index);
        }
    }
}

void MapPage::saveTyped() const
{
    QSettings settings = programSettings();
    for (const Axis* axis : {&m_x, &m_y}) {
        settings.setValue(settingsKey(axis->key, "Input"),
                          text(studyInputName(StudyInput(axis->input->currentData().toInt())).key));
        settings.setValue(settingsKey(axis->key, "From"), axis->from->text());
        settings.setValue(settingsKey(axis->key, "To"), axis->to->text());
        settings.setValue(settingsKey(axis->key, "Step"), axis->step->text());
    }
}

} // namespace qrv
