// One point of a chart: a run's value of the X quantity and of the plotted quantity.
#pragma once

namespace qrv {

struct PlotPoint {
    double x = 0;
    double y = 0;
};

} // namespace qrv
