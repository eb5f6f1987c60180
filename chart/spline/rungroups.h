// The runs of a chart sorted into curves: runs that share every input but the one the X
// axis shows belong to one curve (against the ratio: the runs of one sweep, or one member of
// a family). The inputs that differ between the curves name them in the legend; those they
// share name the chart's conditions under its title.
#pragma once

#include "runs/runstore.h"

#include <string>
#include <vector>

namespace qrv {

struct RunGroup {
    std::vector<int> runs; // store indexes, in store order
    // The inputs in which this curve differs from the others ("TMagma 1073 K"); empty when
    // there is only one curve.
    std::string legend;
};

struct RunGroups {
    std::vector<RunGroup> groups; // in the order of their first runs
    // The conditions of the runs: all of them when every run shares them ("TMagma 1473 K,
    // water 298 K at 0.10 MPa, ambient 0.10 MPa"), otherwise "mixed conditions: " with the
    // inputs that tell the curves apart and those the curves share.
    std::string conditions;
    // Every run is of wet sediment (the ratio is Rs), of water (R), or some of each.
    bool allSediment = false;
    bool anySediment = false;
};

// Groups the stored runs for a chart against record field xField (0 the ratio, 1 magma
// temperature, 2 water temperature, 3 hydrostatic pressure, or an equilibrium quantity).
RunGroups groupRuns(const RunStore& store, int xField);

} // namespace qrv
