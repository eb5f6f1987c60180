// The colour bar of a map: round bounds around the map's values (symmetric about 0 for a
// difference), its ticks and their labels, the colour of a value, and the contour levels,
// which are the bar's ticks that the values cross.
#pragma once

#include "chart/contour/colourmap.h"
#include "chart/spline/axisscale.h"

#include <string>
#include <vector>

namespace qrv {

struct MapGrid;

class ColourScale {
public:
    explicit ColourScale(const MapGrid& grid);

    double low() const { return m_axis.low(); }
    double high() const { return m_axis.high(); }
    bool diverging() const { return m_diverging; }
    std::vector<double> ticks() const { return m_axis.ticks(); }
    std::string label(double value) const { return m_axis.label(value); }

    // Where a value lies on the bar: 0 at low(), 1 at high(), clamped.
    double position(double value) const;
    // The colour of a finite value.
    Rgb colour(double value) const;
    // Ticks strictly between the smallest and the largest value of the map, ascending.
    const std::vector<double>& contourLevels() const { return m_levels; }

private:
    AxisScale m_axis;
    bool m_diverging;
    std::vector<double> m_levels;
};

} // namespace qrv
