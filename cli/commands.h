// The commands of qrv-cli. Each returns its exit status.
#pragma once

#include "cli/options.h"

#include <ostream>

namespace qrv::cli {

// When several apply, the lowest one that is not kDone is returned.
enum ExitStatus : int {
    kDone = 0,             // every run completed and no routine reported an error
    kFileError = 1,        // a file could not be read or written, or the output was lost
    kRefused = 2,          // the command line or an input was refused
    kCalculationError = 3, // a routine reported an error, or the calculation did not complete
};

int runCommand(const RunCommand& command, std::ostream& out, std::ostream& err);
int sweepCommand(const SweepCommand& command, std::ostream& out, std::ostream& err);
// sweep --peaks: each curve's largest conversion ratio over the sweep's ratios.
int peaksCommand(const SweepCommand& command, const std::vector<double>& ratios, std::ostream& out, std::ostream& err);
int mapCommand(const MapCommand& command, std::ostream& out, std::ostream& err);
int uncertaintyCommand(const UncertaintyCommand& command, std::ostream& out, std::ostream& err);
int openCommand(const OpenCommand& command, std::ostream& out, std::ostream& err);

} // namespace qrv::cli
