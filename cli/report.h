// Plain-text reports: a run as its windows show it, an opened results file line by line.
#pragma once

#include "files/resultsfile.h"

#include <ostream>

namespace qrv {
struct WindowRecord;
}

namespace qrv::cli {

// The equilibrium window, a blank line, then the results window as Copy All puts it on the
// clipboard, as the run left them.
void printRunReport(std::ostream& out, const WindowRecord& shown);

// An opened results file: its 25 texts, then the run it adds to the store.
void printOpenReport(std::ostream& out, const ResultTexts& texts, const SeriesRecord& record);

} // namespace qrv::cli
