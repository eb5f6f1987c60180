// The largest conversion ratio of each path over a sweep's range of R, and where it lies,
// found by running the calculation between the sweep's ratios rather than reading a drawn
// curve. The curves jump where a path enters the steam dome, so the search narrows around the
// best run it has made rather than trusting the curve's shape, and keeps the best run it made.
#pragma once

#include "calculation/studyoutput.h"
#include "calculation/sweepfamily.h"

#include <array>
#include <string_view>
#include <vector>

namespace qrv {

struct PeakPath {
    std::string_view name; // "Adiabatic", "IAPWS-95 Isothermal"
    StudyOutput output;
};

inline constexpr std::array<PeakPath, 4> kPeakPaths = {{
    {"Adiabatic", kAdiabaticCR},
    {"Isothermal", kIsothermalCR},
    {"IAPWS-95 Adiabatic", kReferenceAdiabaticCR},
    {"IAPWS-95 Isothermal", kReferenceIsothermalCR},
}};

// How close in R a peak is found.
inline constexpr double kPeakTolerance = 1e-4;

struct Peak {
    std::size_t member = 0; // of the family; 0 without one
    std::size_t path = 0;   // into kPeakPaths
    bool found = false;     // false when no ratio of the range gave that path a value
    double ratio = 0;
    double crPercent = 0;
};

// One peak per member and path, member by member, each member's paths in kPeakPaths' order.
// `ratios` are the sweep's, ascending; each member's runs are made once, the search between
// them adds about a hundred.
std::vector<Peak> findPeaks(const RunRequest& base, const SweepFamily& family, const std::vector<double>& ratios);

} // namespace qrv
