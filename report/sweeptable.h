// The table of a sweep, as qrv-cli prints it (text or CSV) and Python gives it (arrays): the
// column headings, and each run's cells.
#pragma once

#include "reference/referencecolumns.h"
#include "runs/runstore.h"

#include <optional>
#include <string>
#include <vector>

namespace qrv {

struct SweepFamily;

// A family's member ("Member TMagma [K]") when there is a family, the stored fields, then the
// IAPWS-95 reference.
std::vector<std::string> sweepTableHeadings(const SweepFamily& family);

// A run's cells after its member's: its stored fields and its reference (none: empty cells),
// at full precision for files and Python, as short as the values allow for a table to read.
void appendRunCells(std::vector<std::string>& cells, reference::CellPrecision precision, const SeriesRecord& record,
                    const std::optional<reference::ReferenceOutcome>& reference);

// Whether a column of the run's cells (after the member's) holds texts rather than numbers.
bool runCellHoldsText(std::size_t column);

} // namespace qrv
