// The conversion ratio: how much of the magma's heat a path turned into work.
#pragma once

namespace qrv {

struct ConversionRatio {
    float percent = 0;
    bool clamped = false; // the ratio fell outside 0..100 and was held to the nearer end
};

// Percentage of the magma's heat (J/kg of magma) that became work, held to 0..100.
ConversionRatio conversionRatio(float work, float magmaHeat);

} // namespace qrv
