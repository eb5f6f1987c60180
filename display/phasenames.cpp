#include "display/phasenames.h"

namespace qrv {

namespace {

// A steam/water mixture at or below this temperature is taken to hold ice.
constexpr float kFreezingK = 273.0f;
constexpr std::string_view kWaterRow = "Water Fraction";

} // namespace

std::string_view equilibriumPhaseName(float tEq, float tCrit, float xEq)
{
    if (tEq >= tCrit) {
        // "Supercritcal" is spelt so on purpose: results files and their readers hold these names.
        if (xEq == 0.0f)
            return "Supercritcal Liquid";
        if (xEq == 1.0f)
            return "Supercritcal Vapor";
        return {};
    }
    if (xEq == 0.0f)
        return "Saturated Liquid";
    if (xEq == 1.0f)
        return "Superheated Vapor";
    if (xEq > 0.0f && xEq < 1.0f)
        return tEq <= kFreezingK ? "Steam/Ice Mix" : "Steam/Water Mix";
    return {};
}

FinalPhase finalPhase(float xFinal, float tFinal)
{
    if (xFinal == 0.0f)
        return {"Supercooled Liquid", kWaterRow};
    if (xFinal == 1.0f)
        return {"Superheated Vapor", kWaterRow};
    if (tFinal <= kFreezingK)
        return {"Steam/Ice Mix", "Ice Fraction"};
    return {"Steam/Water Mix", kWaterRow};
}

} // namespace qrv
