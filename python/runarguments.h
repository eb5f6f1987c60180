// The inputs of a run as Python gives them (numbers, in the units of qrv-cli's options) and
// the request they make: each number becomes the text a box would hold, the shortest that
// reads back as the same double, so that Python runs what qrv-cli runs for the same inputs.
#pragma once

#include "runs/runner.h"

#include <optional>

namespace qrv::python {

struct RunArguments {
    double tMagmaK = 0;
    double tInitK = 0;
    double pInitMPa = 0;
    double pFinalMPa = 0;
    double ratio = 0;                // R, or Rs for a wet sediment
    std::optional<double> x;         // water fraction of the wet sediment
    std::optional<double> entropy;   // J/(kg K), with cv
    std::optional<double> cv;        // J/(kg K), with entropy
    bool constantVolume = false;
};

RunRequest requestOf(const RunArguments& arguments);

} // namespace qrv::python
