// The run store as comma-separated text: a header of the field names with units, then one
// line per run. Numbers always use "." and the shortest digits that read back to the same
// float, whatever the locale, so a spreadsheet and a later read see exactly the stored values.
#pragma once

#include "engine/runstore.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace qrv {

// Writes every stored run; false when the stream failed.
bool writeRunStoreCsv(const RunStore& store, std::ostream& out);

struct RunStoreCsv {
    std::vector<SeriesRecord> records;
    // Why the text was refused, with its line number; empty when it was read.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Reads text written by writeRunStoreCsv: the same header, at most RunStore::kCapacity runs
// of SeriesRecord::kFieldCount numbers each. Blank lines and "\r\n" line ends are accepted.
RunStoreCsv readRunStoreCsv(std::istream& in);

} // namespace qrv
