// A map: every point of a grid over two inputs run once, the other inputs fixed. The grid's
// runs are spread over every core; a map is not kept in the run store.
#pragma once

#include "calculation/parallelruns.h"
#include "calculation/studyinput.h"

#include <vector>

namespace qrv {

// Every point's run is kept until the map ends: larger grids are refused before they start.
inline constexpr std::size_t kMaxMapPoints = 100000;

struct MapRange {
    StudyInput input = StudyInput::R;
    std::vector<double> values; // as sweepRatios gives a FROM:TO:STEP range
};

struct MapStudy {
    RunRequest base; // the fixed inputs; the two ranges' boxes are filled per point
    MapRange x;      // varies fastest
    MapRange y;
};

struct MapResult {
    // Row by row: the run at (x.values[i], y.values[j]) is runs[j * x.values.size() + i]. A run
    // of a stopped map that never ran has stage Refused and no inputs.
    std::vector<RunResult> runs;
    bool finished = true; // false when the progress stopped it
};

// The inputs of the point (i, j): the ranges' values as their shortest texts.
RunRequest mapPointRequest(const MapStudy& map, std::size_t i, std::size_t j);

// Every point's run with its IAPWS-95 reference, window texts skipped. `threads` 0: one per core.
MapResult runMap(const MapStudy& map, const StudyProgress& progress = {}, unsigned threads = 0);

} // namespace qrv
