// The JSON reports of a run and of an opened results file.
#pragma once

#include "engine/resultsfile.h"
#include "reference/reference.h"

#include <optional>
#include <string>
#include <string_view>

namespace qrv {
struct CalcState;
class RecordingHost;
}

namespace qrv::cli {

// The state's fields by name, where the initial water's S and Cv came from, the equilibrium
// and results windows' labels by control name, the results-file texts, the stored record
// (null when the run was not stored), the IAPWS-95 reference in SI units ({"error": reason}
// when there is none), the messages and the progress captions.
std::string runJson(const CalcState& state, std::string_view initialValuesSource, const RecordingHost& host,
                    const ResultTexts& texts, const std::optional<SeriesRecord>& record,
                    const reference::ReferenceOutcome& reference);

struct OpenJson {
    std::string text;
    std::size_t replacedBytes = 0; // bytes of the file's texts that were not UTF-8 (now U+FFFD)
};

OpenJson openJson(const ResultTexts& texts, const SeriesRecord& record);

} // namespace qrv::cli
