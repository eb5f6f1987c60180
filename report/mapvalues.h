// What a map colours: one quantity of every grid point's run as the map's grid (NaN where the
// point has none), its axes titled as charts title those inputs, the quantity's title and
// unit, and the inputs held fixed. The chart plug-in draws it; Python returns its values.
#pragma once

#include "calculation/runmap.h"
#include "calculation/studyoutput.h"
#include "chart/contour/mapgrid.h"
#include "chart/contour/mapkeys.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace qrv {

// The quantity of that --z key; null when there is none.
const MapZKey* findMapZKey(std::string_view key);

// The --z key of each output a study reports, which titles it with its unit.
inline constexpr std::array<std::pair<std::string_view, StudyOutput>, 6> kOutputZKeys = {{
    {"cr-adiabatic", kAdiabaticCR},
    {"cr-isothermal", kIsothermalCR},
    {"ref-cr-adiabatic", kReferenceAdiabaticCR},
    {"ref-cr-isothermal", kReferenceIsothermalCR},
    {"teq", kEquilibriumT},
    {"peq", kEquilibriumP},
}};

// The map of one quantity; `result` is runMap's for `map`.
MapGrid mapGrid(const MapStudy& map, const MapResult& result, const MapZKey& z);

// The inputs that are neither axis, as the map's subtitle gives them: "TMagma 1473 K, TInit
// 298 K, PInit 0.1 MPa, PFinal 0.1 MPa", then "X 0.8" for a wet sediment and "constant volume"
// for that heating.
std::string fixedConditions(const MapStudy& map);

// The same of a request's inputs but those a study varies.
std::string fixedConditions(const RunRequest& base, const std::vector<StudyInput>& varied);

} // namespace qrv
