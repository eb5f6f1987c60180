// The run store as comma-separated text: a header of the field names with units, then one
// line per run. Numbers always use "." and the shortest digits that read back to the same
// float, whatever the locale, so a spreadsheet and a later read see exactly the stored values.
#pragma once

#include "runs/runstore.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// Columns written after the stored fields of every run, such as its IAPWS-95 reference.
struct ExtraCsvColumns {
    std::vector<std::string> names;
    // One text per name; a text holding a comma, a quote or a line break is quoted.
    std::function<std::vector<std::string>(const SeriesRecord& run)> cells;
};

// A field as CSV keeps it: quoted, with its quotes doubled, when it holds a comma, a quote or
// a line break; otherwise as it is.
std::string csvField(std::string_view text);
// The fields joined by commas, each as csvField keeps it.
std::string csvLine(const std::vector<std::string>& fields);
// The header's names: the stored fields with their units, then `extraNames`.
std::vector<std::string> csvHeaderNames(const std::vector<std::string>& extraNames = {});

// Writes every stored run, followed by the extra columns; false when the stream failed.
bool writeRunStoreCsv(const RunStore& store, std::ostream& out, const ExtraCsvColumns& extra = {});

struct RunStoreCsv {
    std::vector<SeriesRecord> records;
    // Why the text was refused, with its line number; empty when it was read.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Reads text written by writeRunStoreCsv: the same header (with the names of the extra columns
// it was written with), at most RunStore::kCapacity runs of SeriesRecord::kFieldCount numbers
// each, then one field per extra column, which is passed over. Blank lines and "\r\n" line
// ends are accepted.
RunStoreCsv readRunStoreCsv(std::istream& in, const std::vector<std::string>& extraNames = {});

} // namespace qrv
