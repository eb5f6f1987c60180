// What the calculation windows need of the plot window, so that they build without it.
#pragma once

#include "calculation/runmap.h"

namespace qrv {

class PlotView {
public:
    virtual ~PlotView() = default;
    // The results window's "Plot": show the window without waiting, then draw it.
    virtual void showAndPlot() = 0;
    // After each stored run or opened file: redraw only while the window is visible.
    virtual void plotIfVisible() = 0;
    // A finished map: the window holds it (the run store never does), shows it and draws it.
    virtual void showMap(MapStudy map, MapResult result) = 0;
};

} // namespace qrv
