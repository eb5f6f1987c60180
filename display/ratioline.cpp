#include "display/ratioline.h"

#include "display/inputcaptions.h"
#include "base/numberformat.h"
#include "base/parsenumber.h"
#include "base/trimmed.h"

namespace qrv {

namespace {

constexpr std::string_view kWaterRatioOpens = " (R = ";
constexpr std::string_view kWaterRatioCloses = ")";

} // namespace

RatioLine ratioLine(bool sedimentMode, float typedRatio, float waterRatio)
{
    if (!sedimentMode)
        return {std::string(kWaterRatioCaption), formatFixed(typedRatio, 3)};
    return {std::string(kSedimentRatioCaption), formatFixed(typedRatio, 2) + std::string(kWaterRatioOpens)
                                                    + formatFixed(waterRatio, 2) + std::string(kWaterRatioCloses)};
}

std::optional<SedimentRatioParts> sedimentRatioParts(std::string_view ratio)
{
    const auto opens = ratio.find(kWaterRatioOpens);
    const auto closes = ratio.rfind(kWaterRatioCloses);
    if (opens == std::string_view::npos || closes == std::string_view::npos || closes < opens)
        return std::nullopt;
    const auto water = opens + kWaterRatioOpens.size();
    return SedimentRatioParts{ratio.substr(0, opens), ratio.substr(water, closes - water)};
}

TypedRatio typedRatio(std::string_view caption, std::string_view ratio)
{
    if (caption != kSedimentRatioCaption)
        return {false, std::string(ratio), std::string(caption::kUnusedWaterFraction)};
    TypedRatio typed{true, std::string(trimmed(ratio.substr(0, ratio.find(kWaterRatioOpens)))), {}};
    const auto parts = sedimentRatioParts(ratio);
    if (!parts)
        return typed;
    const PlainNumber sediment = readPlainNumber(typed.ratio);
    const PlainNumber carried = readPlainNumber(parts->water);
    if (sediment.valid && carried.valid && sediment.value > 0)
        typed.waterFraction = formatFixed(carried.value / sediment.value, 2);
    return typed;
}

float ratioWaterFraction(std::string_view caption, std::string_view ratio)
{
    const TypedRatio typed = typedRatio(caption, ratio);
    if (!typed.sedimentMode)
        return 1.0f;
    const PlainNumber fraction = readPlainNumber(typed.waterFraction);
    return fraction.valid ? float(fraction.value) : 0.0f;
}

} // namespace qrv
