// The JSON reports of qrv-cli, laid out as docs/qrv.schema.json describes them. Each is one
// object that begins with "schema", the number of that layout (raised only when a key goes
// or changes its meaning), and "version", the program's release.
#pragma once

#include "files/resultsfile.h"
#include "reference/reference.h"

#include <string>

namespace qrv {

struct RunResult;
struct SweepFamily;

// A run whose expansion paths ran: how far it got ("completed", "stage", "error" when it did
// not complete), the state's fields by name in SI units, where the initial water's S and Cv
// came from, the windows' texts by control name ("windowTexts"), the results-file texts, the
// stored record (null when the run was not stored), the IAPWS-95 reference ({"error": reason}
// when there is none), the messages and the progress captions. A run that stopped before its
// paths: how far it got and why, its messages and captions.
std::string runJson(const RunResult& run);

// One line of a sweep: how far the run got, its ratio, its family member, its stored record
// (null when it has none), its reference and its messages.
std::string sweepRunJson(const RunResult& run, double ratio, const SweepFamily& family, std::size_t member);

struct OpenJson {
    std::string text;
    std::size_t replacedBytes = 0; // bytes of the file's texts that were not UTF-8 (now U+FFFD)
};

// An opened results file: its texts, the run it adds to the store and the reference of that
// run's inputs.
OpenJson openJson(const ResultTexts& texts, const SeriesRecord& record, const reference::ReferenceOutcome& reference);

} // namespace qrv
