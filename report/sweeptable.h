// The table of a study's runs, as sweep --csv writes it and Python returns it: a family's
// member, the stored fields, then the IAPWS-95 reference; a map adds its grid point before
// them and each point's status after them, so that a failed point keeps its row.
#pragma once

#include "calculation/runmap.h"
#include "calculation/sweepfamily.h"
#include "reference/referencecolumns.h"

#include <string>
#include <vector>

namespace qrv {

// "TMagma [K]", "R": an input's name with its unit.
std::string inputHeading(std::string_view name, std::string_view unit);

// "Member TMagma [K]" with a family, the stored fields, then the IAPWS-95 reference.
std::vector<std::string> sweepHeadings(const SweepFamily& family);

// The energy check's columns, after the reference's: each path's work minus the energy the
// run's own states release on it, in points of conversion ratio.
inline constexpr std::string_view kEnergyExcessHeadings[] = {"EnergyExcessAdiabatic [%]",
                                                              "EnergyExcessIsothermal [%]"};

// A stored run's cells after its member's: its stored fields, its reference and its energy
// check, at full precision for files and as short as the values allow for a table to read.
void appendRunCells(std::vector<std::string>& cells, reference::CellPrecision precision, const RunResult& run);

// Whether a column of the run's cells (after the member's) holds texts rather than numbers.
bool runCellHoldsText(std::size_t column);

// "completed", or how far the run got and why it stopped there.
std::string runStatusText(const RunResult& run);

// "Map TMagma [K]" and "Map R" (the grid's point), the sweep's headings, then "Status".
std::vector<std::string> mapHeadings(const MapStudy& map);

// The row of the point (i, j): a failed point keeps its grid values and status, its other
// cells empty, never 0. The grid's values are always at full precision.
std::vector<std::string> mapRowCells(const MapStudy& map, std::size_t i, std::size_t j, const RunResult& run,
                                     reference::CellPrecision precision = reference::CellPrecision::Full);

// The whole map as `qrv-cli map --csv` writes it: the headings, then every point's row.
std::string mapCsv(const MapStudy& map, const MapResult& result);

} // namespace qrv
