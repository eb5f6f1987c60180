// What a map colours: one quantity of every grid point's run, NaN where the point has none,
// with its quantity, unit, and the inputs held fixed, ready for the map's drawing.
#pragma once

#include "calculation/runmap.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct MapQuantity {
    std::string_view key;      // as map --z takes it
    std::string_view quantity; // the colour bar's title, before its unit
    std::string_view unit;
    bool difference;           // model minus IAPWS-95 reference, centred on 0 when drawn
};

extern const std::array<MapQuantity, 8> kMapQuantities;

// The quantity of that key; null when there is none.
const MapQuantity* findMapQuantity(std::string_view key);

struct MapValues {
    const MapQuantity* quantity = nullptr;
    MapRange x;
    MapRange y;
    // Row by row: the value at (x.values[i], y.values[j]) is z[j * x.values.size() + i]; NaN
    // where the point's run did not complete or has no reference for a reference's value.
    std::vector<double> z;
    std::string conditions; // "TInit 298 K, PInit 0.1 MPa, PFinal 0.1 MPa"
};

// The map's values of one quantity; `result` is runMap's for `map`.
MapValues mapValues(const MapStudy& map, const MapResult& result, const MapQuantity& quantity);

// The inputs that are neither axis, as the map's subtitle gives them: "TMagma 1473 K, TInit
// 298 K, PInit 0.1 MPa, PFinal 0.1 MPa", then "X 0.8" for a wet sediment and "constant volume"
// for that heating.
std::string fixedConditions(const MapStudy& map);

} // namespace qrv
