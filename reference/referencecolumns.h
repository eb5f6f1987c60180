// The IAPWS-95 reference of a run as columns beside its stored fields, the one form in which
// Export Data and qrv-cli's sweep table give it: the reference's value of each stored
// quantity it has, in the store's units, each path's final phase, and a note (the validity
// flag, or why there is no reference).
#pragma once

#include "runs/runstore.h"
#include "reference/reference.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::reference {

// "IAPWS-95 PEq [MPa]", "IAPWS-95 TEq [K]", ..., "IAPWS-95 Note".
const std::vector<std::string>& referenceColumnNames();

// The column of one stored quantity's reference: "IAPWS-95 CRAdiabatic [%]" for "cra".
std::string referenceColumnName(std::string_view seriesKey);

// Whether the column of this index holds texts (the phases and the note) rather than numbers.
bool referenceColumnHoldsText(std::size_t column);

// How a cell's number is written.
enum class CellPrecision {
    Full,   // the shortest text that reads back as the same double: files (CSV)
    Single, // the shortest plain decimal of its single-precision value: tables to read
};

// One text per column; without a reference only the note, which then says why.
std::vector<std::string> referenceCells(const ReferenceOutcome& outcome, CellPrecision precision);

// Export Data's file: every stored run with the reference of its inputs at full precision;
// false when the stream failed.
bool writeRunStoreCsvWithReference(const RunStore& store, std::ostream& out);

} // namespace qrv::reference
