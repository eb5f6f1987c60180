// A map: one quantity (z) over a grid of two inputs (x, y), as a sweep over two ranges gives
// it, with what is needed to title it. Points without a result are NaN and stay missing:
// never drawn as 0.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct MapAxis {
    std::string quantity; // "Magma temperature", "Water/magma ratio R"
    std::string unit; // "K"; empty for a ratio or a fraction
    std::vector<double> values; // the grid's values, strictly ascending or descending
};

struct MapGrid {
    std::string title; // "QRV Isothermal Conversion Ratio"
    std::string conditions; // the inputs held fixed, under the title
    MapAxis x;
    MapAxis y;
    std::string zQuantity; // "Isothermal conversion ratio"
    std::string zUnit; // "%"
    // Row by row: the value at (x.values[i], y.values[j]) is z[j * x.values.size() + i]; NaN
    // where the point has no result.
    std::vector<double> z;
    // A difference (model minus reference): a colour map from blue through white at 0 to red,
    // centred on 0, instead of the sequential one.
    bool diverging = false;

    double at(std::size_t i, std::size_t j) const { return z[j * x.values.size() + i]; }
};

// Why the grid cannot be drawn (too few or unordered axis values, a z of the wrong size, a
// value that is neither finite nor NaN), in words that name the axis; empty when it can.
std::string mapGridError(const MapGrid& grid);

// A quantity with its unit as charts title their axes: "Magma temperature (K)", or the
// quantity alone when it has no unit.
std::string quantityTitle(std::string_view quantity, std::string_view unit);

// How many points have no result.
std::size_t missingPoints(const MapGrid& grid);

} // namespace qrv
