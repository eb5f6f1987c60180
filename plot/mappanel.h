// The plot window's map: the last map the sweep dialog ran, held here and never in the run
// store, whether the window shows it or the stored runs' chart, and the quantity it colours.
#pragma once

#include "calculation/runmap.h"
#include "chart/contour/mapgrid.h"

#include <QGroupBox>

#include <optional>
#include <string>

class QComboBox;
class QRadioButton;

namespace qrv {

class MapPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit MapPanel(QWidget* parent = nullptr);

    // Holds the map in place of the one before and chooses it; the panel appears with it.
    void hold(MapStudy map, MapResult result);
    bool showsMap() const;
    // Chooses the stored runs' chart, without a signal: the caller draws it.
    void chooseRuns();

    // The held map of the chosen quantity.
    MapGrid grid() const;
    // The held map's rows, as qrv-cli map --csv writes them.
    std::string csv() const;

signals:
    // The map or the runs' chart was chosen, or the map colours another quantity.
    void changed();

private:
    std::optional<MapStudy> m_map;
    MapResult m_result;
    QRadioButton* m_optRuns;
    QRadioButton* m_optMap;
    QComboBox* m_quantity;
};

} // namespace qrv
