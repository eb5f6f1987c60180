// What the calculation windows need of the plot window, so that they build without it.
#pragma once

namespace qrv {

class PlotView {
public:
    virtual ~PlotView() = default;
    // The results window's "Plot": show the window without waiting, then draw it.
    virtual void showAndPlot() = 0;
    // After each stored run or opened file: redraw only while the window is visible.
    virtual void plotIfVisible() = 0;
};

} // namespace qrv
