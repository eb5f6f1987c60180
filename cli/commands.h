// The three commands of qrv-cli. Each returns the exit status: 0 done, 1 the calculation
// or the file operation failed, 2 the inputs were refused.
#pragma once

#include "options.h"

#include <ostream>

namespace qrv::cli {

int runCommand(const RunCommand& command, std::ostream& out, std::ostream& err);
int sweepCommand(const SweepCommand& command, std::ostream& out, std::ostream& err);
int openCommand(const OpenCommand& command, std::ostream& out, std::ostream& err);

} // namespace qrv::cli
