// The numbers a study reports of each run: the conversion ratio of both paths, their IAPWS-95
// references, and the equilibrium temperature and pressure, named by their sweep CSV headers.
#pragma once

#include "calculation/runresult.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct StudyOutput {
    std::string_view seriesKey; // the stored quantity: "cra", "cri", "et", "ep"
    bool reference = false;     // its IAPWS-95 reference instead of the model's value
};

inline constexpr StudyOutput kAdiabaticCR{"cra"};
inline constexpr StudyOutput kIsothermalCR{"cri"};
inline constexpr StudyOutput kReferenceAdiabaticCR{"cra", true};
inline constexpr StudyOutput kReferenceIsothermalCR{"cri", true};
inline constexpr StudyOutput kEquilibriumT{"et"};
inline constexpr StudyOutput kEquilibriumP{"ep"};

// What an uncertainty study summarises, in this order.
inline constexpr std::array<StudyOutput, 6> kStudyOutputs = {
    kAdiabaticCR, kIsothermalCR, kReferenceAdiabaticCR, kReferenceIsothermalCR, kEquilibriumT, kEquilibriumP,
};

// "CRAdiabatic [%]", "IAPWS-95 CRAdiabatic [%]": as sweep --csv heads the column.
std::string studyOutputHeader(const StudyOutput& output);

// The run's value in the store's units (MPa for pressures), as sweep --csv writes it; NaN
// when the run was not stored, or has no reference for a reference's value.
double studyOutputValue(const RunResult& run, const StudyOutput& output);

// A value as sweep --csv writes it: the model's shortest single-precision text, the reference's
// shortest double; empty for NaN.
std::string studyOutputText(double value, const StudyOutput& output);

// Each run's value, in the runs' order.
std::vector<double> studyOutputValues(const std::vector<RunResult>& runs, const StudyOutput& output);

} // namespace qrv
