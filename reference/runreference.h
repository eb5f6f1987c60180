// The IAPWS-95 reference beside the runs: what the reference model takes from a run's record
// or from the calculation state, the reference of each stored run worked once, and its value
// for a quantity of the store.
#pragma once

#include "runs/runstore.h"
#include "model/calcstate.h"
#include "reference/reference.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qrv::reference {

// The run's ratio (R, or Rs with its water fraction X), temperatures and pressures.
ReferenceInput referenceInputOf(const SeriesRecord& run);
// The same of the run just calculated, with the heat capacities of its state.
ReferenceInput referenceInputOf(const CalcState& s);

// The references of stored runs, each worked once for its inputs: charts redraw often and a
// sweep repeats inputs seldom, so the cache only grows with distinct runs.
class RunReferences {
public:
    const ReferenceOutcome& of(const SeriesRecord& run);

private:
    std::map<ReferenceInput, ReferenceOutcome> m_outcomes;
};

// What is said beside a reference wherever it is shown: "No reference: " and the reason when
// there is none; else the validity flag when it is set and the note of a conversion ratio
// above 100 %, joined by "; "; otherwise nothing.
std::string referenceNote(const ReferenceOutcome& outcome);

// Why a run that failed has no reference.
inline constexpr std::string_view kIncompleteRunReason = "the run did not complete";

// The reference's value of a series key of the store ("cra", "sfi", "fta", "et", "ep", ...),
// in the store's units (MPa for "ep", J/(kg K) for "ee"); none for an unknown key.
std::optional<double> referenceValue(const Reference& reference, std::string_view seriesKey);

} // namespace qrv::reference
