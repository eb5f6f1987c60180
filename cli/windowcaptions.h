// The row captions of the equilibrium and results windows, for the plain-text report.
#pragma once

#include <array>
#include <string_view>

namespace qrv::cli {

struct CaptionedValue {
    std::string_view caption; // empty: the value is a whole line of its own
    std::string_view control;
};

// The equilibrium window (frmCalc), top to bottom.
inline constexpr std::array<CaptionedValue, 10> kEquilibriumRows = {{
    {"", "labInitR"},
    {"", "labinitT"},
    {"Temperature (K):", "labT0"},
    {"Entropy (kJ/kg-K):", "labS0"},
    {"Pressure (MPa):", "labP0"},
    {"Density (kg/m3):", "labRh0"},
    {"Internal Energy (kJ/kg):", "labU0"},
    {"Heat Cap-Cp (kJ/kg K):", "labCpl0"},
    {"Gamma (Cp/Cv):", "labGam0"},
    {"Steam fraction (X):", "labX0"},
}};

// The run's inputs on the results window; the ratio caption is itself a label (Label3).
inline constexpr std::array<CaptionedValue, 3> kResultInputRows = {{
    {"Initial Magma Temperature (K):", "labTmag"},
    {"Initial Water Temperature (K):", "labT"},
    {"Initial Water Pressure (MPa):", "labP"},
}};

// The four rows of the state grid; the columns are labES, labFSA and labFSI.
inline constexpr std::array<std::string_view, 4> kStateGridRows = {
    "Pressure (MPa):", "Volume (m3/kg):", "Temperature (K):", "Entropy (kJ/kg-K):"};

} // namespace qrv::cli
