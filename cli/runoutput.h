// How qrv-cli's commands report runs: messages on the terminal, a run's exit status, and the
// lines of a table.
#pragma once

#include "calculation/runresult.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cli {

// A message box on the terminal; every line of a multi-line text gets the prefix.
void printMessage(std::ostream& err, std::string_view prefix, std::string_view text);

// The status of two outcomes together: the lowest that is not kDone.
int combined(int status, int other);

// What a run earns: refused inputs, a calculation that reported an error or stopped, or done.
int runStatus(const RunResult& run);

// One line of a table: CSV, or columns as wide as their headings.
void printTableLine(std::ostream& out, bool csv, const std::vector<std::string>& headings,
                    const std::vector<std::string>& cells);

} // namespace qrv::cli
