// The plot window's map: the last map the sweep dialog ran, held here and never in the run
// store, and the figure the window shows: the stored runs' chart, or the map coloured by one
// of its quantities: one list over the figure, so that the window is no taller for it.
#pragma once

#include "calculation/runmap.h"
#include "chart/contour/mapgrid.h"

#include <QWidget>

#include <optional>
#include <string>

class QComboBox;

namespace qrv {

class MapPanel : public QWidget {
    Q_OBJECT
public:
    explicit MapPanel(QWidget* parent = nullptr);

    // Holds the map in place of the one before and chooses it, coloured as the one before
    // was; the panel appears with the first map.
    void hold(MapStudy map, MapResult result);
    bool showsMap() const;
    // Chooses the stored runs' chart, without a signal: the caller draws it.
    void chooseRuns();

    // The held map of the chosen quantity.
    MapGrid grid() const;
    // The held map's rows, as qrv-cli map --csv writes them.
    std::string csv() const;

signals:
    // The runs' chart or the map was chosen, or the map colours another quantity.
    void changed();

private:
    std::optional<MapStudy> m_map;
    MapResult m_result;
    QComboBox* m_figure;
    int m_lastQuantity = 0;
};

} // namespace qrv
