#include "plot/mappanel.h"

#include "report/mapvalues.h"
#include "report/sweeptable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qrv {

MapPanel::MapPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Figure"), parent)
    , m_optRuns(new QRadioButton(QStringLiteral("Chart of the stored runs"), this))
    , m_optMap(new QRadioButton(QStringLiteral("Map"), this))
    , m_quantity(new QComboBox(this))
{
    setObjectName(QStringLiteral("FrameMap"));
    m_optRuns->setObjectName(QStringLiteral("optShowRuns"));
    m_optMap->setObjectName(QStringLiteral("optShowMap"));
    m_optRuns->setChecked(true);
    m_quantity->setObjectName(QStringLiteral("cboMapZ"));
    for (const MapZKey& z : kMapZKeys)
        m_quantity->addItem(QString::fromUtf8(z.quantity.data(), qsizetype(z.quantity.size())));
    m_quantity->setToolTip(QStringLiteral("The quantity the map colours"));
    auto* caption = new QLabel(QStringLiteral("Colour by:"), this);
    caption->setBuddy(m_quantity);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(1);
    layout->addWidget(m_optRuns);
    layout->addWidget(m_optMap);
    layout->addWidget(caption);
    layout->addWidget(m_quantity);
    m_quantity->setEnabled(false);
    // Nothing to choose until the first map.
    hide();

    connect(m_optMap, &QRadioButton::toggled, m_quantity, &QWidget::setEnabled);
    connect(m_optMap, &QRadioButton::toggled, this, &MapPanel::changed);
    connect(m_quantity, &QComboBox::currentIndexChanged, this, &MapPanel::changed);
}

void MapPanel::hold(MapStudy map, MapResult result)
{
    m_map = std::move(map);
    m_result = std::move(result);
    show();
    const QSignalBlocker quiet(m_optMap);
    m_optMap->setChecked(true);
    m_quantity->setEnabled(true);
}

bool MapPanel::showsMap() const
{
    return m_map && m_optMap->isChecked();
}

void MapPanel::chooseRuns()
{
    const QSignalBlocker quiet(m_optRuns);
    const QSignalBlocker alsoQuiet(m_optMap);
    m_optRuns->setChecked(true);
    m_quantity->setEnabled(false);
}

MapGrid MapPanel::grid() const
{
    return mapGrid(*m_map, m_result, kMapZKeys.at(std::size_t(m_quantity->currentIndex())));
}

std::string MapPanel::csv() const
{
    return mapCsv(*m_map, m_result);
}

} // namespace qrv
