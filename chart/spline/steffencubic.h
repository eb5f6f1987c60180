// Steffen's monotone cubic through knots with ascending abscissas (M. Steffen, "A simple
// method for monotonic interpolation in one dimension", Astron. Astrophys. 239, 443, 1990).
// Each knot's slope is limited by the secants on both sides, so between two neighbouring
// knots the curve is monotone and stays within their two values: a run at a turn is a
// maximum or minimum of the curve, never passed by it. The curve is smooth (its slope is
// continuous) and local: a knot moves the curve on its two neighbouring intervals only.
#pragma once

#include "chart/spline/plotpoint.h"

#include <cstddef>
#include <vector>

namespace qrv {

class SteffenCubic {
public:
    // At least two knots, abscissas finite and strictly ascending; std::invalid_argument else.
    explicit SteffenCubic(std::vector<PlotPoint> knots);

    std::size_t intervalCount() const { return m_knots.size() - 1; }

    // The curve on interval i (knots i and i+1) at the fraction t (0..1) of its width;
    // exactly the knots' values at t = 0 and t = 1.
    double valueOnInterval(std::size_t interval, double t) const;
    // The curve at abscissa x; NaN outside the knots.
    double value(double x) const;

private:
    // Bezier control values of one interval, between its two knots' values.
    struct Controls {
        double nearLeft = 0;
        double nearRight = 0;
    };

    std::vector<PlotPoint> m_knots;
    std::vector<Controls> m_controls;
};

} // namespace qrv
