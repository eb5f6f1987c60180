#include "cli/runoutput.h"

#include "cli/commands.h"
#include "files/runstorecsv.h"

#include <algorithm>
#include <iomanip>

namespace qrv::cli {

void printMessage(std::ostream& err, std::string_view prefix, std::string_view text)
{
    std::size_t start = 0;
    while (true) {
        const auto end = text.find('\n', start);
        err << prefix << text.substr(start, end - start) << '\n';
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
}

int combined(int status, int other)
{
    if (status == kDone || other == kDone)
        return status == kDone ? other : status;
    return std::min(status, other);
}

int runStatus(const RunResult& run)
{
    switch (run.stage) {
    case RunStage::Refused:
    case RunStage::SteamTableNeeded:
        return kRefused;
    case RunStage::NoEquilibrium:
        return kCalculationError;
    case RunStage::Expanded:
        break;
    }
    return run.stored && run.faults == 0 ? kDone : kCalculationError;
}

void printTableLine(std::ostream& out, bool csv, const std::vector<std::string>& headings,
                    const std::vector<std::string>& cells)
{
    if (csv) {
        out << csvLine(cells) << '\n';
        return;
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int width = std::max<int>(int(headings[i].size()), 11) + 2;
        out << std::left << std::setw(width) << cells[i];
        // A cell wider than its column still stands apart from the next one.
        if (int(cells[i].size()) >= width && i + 1 < cells.size())
            out << "  ";
    }
    out << '\n';
}

} // namespace qrv::cli
