// The ratio line of a run on the results window and in its results file: the caption and
// the ratio, in sediment/magma mode the sediment ratio with the water ratio it carries. The
// driver writes it; opening a file reads the input window's ratio boxes back from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrv {

inline constexpr std::string_view kWaterRatioCaption = "Water/Magma Ratio R:";
inline constexpr std::string_view kSedimentRatioCaption = "Sediment/Magma Ratio Rs:";

struct RatioLine {
    std::string caption;
    std::string ratio;
};

// R with three decimals; in sediment mode Rs and R with two: "0.60 (R = 0.30)".
RatioLine ratioLine(bool sedimentMode, float typedRatio, float waterRatio);

// The two numbers' texts of a sediment ratio "0.60 (R = 0.30)", Rs and R, untrimmed; none
// when the text is not of that form.
struct SedimentRatioParts {
    std::string_view sediment;
    std::string_view water;
};
std::optional<SedimentRatioParts> sedimentRatioParts(std::string_view ratio);

// What the input window's boxes held for such a line.
struct TypedRatio {
    bool sedimentMode = false;
    std::string ratio;         // R, or Rs
    std::string waterFraction; // X = R / Rs with two decimals; "--" in water/magma mode, empty when unknown
};

TypedRatio typedRatio(std::string_view caption, std::string_view ratio);

// The water fraction X of such a line: 1 in water/magma mode, R / Rs as the input window
// would take it in sediment mode, 0 when the line does not tell.
float ratioWaterFraction(std::string_view caption, std::string_view ratio);

} // namespace qrv
