// A small map over R and TMagma at the start-up inputs, run for the plot and print tests.
#pragma once

#include "calculation/runmap.h"

namespace qrv::test {

inline MapStudy smallMap()
{
    MapStudy map;
    map.base.inputs = {"1473", "298", "0.1", "0.1", "0.3", "--", false};
    map.x = {StudyInput::R, {0.1, 0.2, 0.3}};
    map.y = {StudyInput::TMagma, {1073, 1173, 1273}};
    return map;
}

} // namespace qrv::test
