#include "plot/mappanel.h"

#include "report/mapvalues.h"
#include "report/sweeptable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace qrv {

namespace {

// The figure's list: the runs' chart first, then the map by each quantity it colours.
constexpr int kRunsChart = 0;

} // namespace

MapPanel::MapPanel(QWidget* parent)
    : QWidget(parent)
    , m_figure(new QComboBox(this))
{
    setObjectName(QStringLiteral("FrameFigure"));
    m_figure->setObjectName(QStringLiteral("cboFigure"));
    m_figure->addItem(QStringLiteral("Chart of the stored runs"));
    for (const MapZKey& z : kMapZKeys)
        m_figure->addItem(QStringLiteral("Map: ") + QString::fromUtf8(z.quantity.data(), qsizetype(z.quantity.size())));
    m_figure->setToolTip(QStringLiteral("The stored runs' chart, or the last map coloured by one of its quantities"));
    auto* caption = new QLabel(QStringLiteral("Figure:"), this);
    caption->setBuddy(m_figure);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_figure);
    layout->addStretch();
    // Nothing to choose until the first map.
    hide();

    connect(m_figure, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index != kRunsChart)
            m_lastQuantity = index - 1;
        emit changed();
    });
}

void MapPanel::hold(MapStudy map, MapResult result)
{
    m_map = std::move(map);
    m_result = std::move(result);
    show();
    const QSignalBlocker quiet(m_figure);
    m_figure->setCurrentIndex(m_lastQuantity + 1);
}

bool MapPanel::showsMap() const
{
    return m_map && m_figure->currentIndex() != kRunsChart;
}

void MapPanel::chooseRuns()
{
    const QSignalBlocker quiet(m_figure);
    m_figure->setCurrentIndex(kRunsChart);
}

MapGrid MapPanel::grid() const
{
    return mapGrid(*m_map, m_result, kMapZKeys.at(std::size_t(m_figure->currentIndex() - 1)));
}

std::string MapPanel::csv() const
{
    return mapCsv(*m_map, m_result);
}

} // namespace qrv
