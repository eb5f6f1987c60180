// Phase names shown on the results window for the equilibrium and the final states.
#pragma once

#include <string_view>

namespace qrv {

// Empty for a supercritical temperature with a fractional steam fraction.
std::string_view equilibriumPhaseName(float tEq, float tCrit, float xEq);

struct FinalPhase {
    std::string_view name;
    // Caption of the row under the steam fraction: "Water Fraction" or "Ice Fraction".
    std::string_view waterRowCaption;
};

FinalPhase finalPhase(float xFinal, float tFinal);

} // namespace qrv
