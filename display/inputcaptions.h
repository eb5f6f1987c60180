// Captions of the input window's boxes. The window shows them; the input rules name a box by
// its caption when they refuse what was typed in it.
#pragma once

#include <string_view>

namespace qrv::caption {

inline constexpr std::string_view kMagmaTemperature = "Magma Temperature (K):";
inline constexpr std::string_view kWaterTemperature = "Water/Rock Temperature (K):";
inline constexpr std::string_view kInitialPressure = "Initial Pressure (MPa):";
inline constexpr std::string_view kAmbientPressure = "Ambient Pressure (MPa):";
inline constexpr std::string_view kWaterRatio = "Water/Magma Ratio (R):";
inline constexpr std::string_view kSedimentRatio = "Sediment/Magma Ratio (Rs):";
inline constexpr std::string_view kWaterFraction = "Water Fraction (X):";
// "Iniitial" is the window's caption as users and its screen-reader name know it; kept as spelt.
// The unit is the one the steam-table program answers in.
inline constexpr std::string_view kEntropy = "Iniitial Water Entropy (J/kg-K):";
inline constexpr std::string_view kCv = "Initial Water Cv (J/kg-K):";

// What the disabled water-fraction box shows in water/magma mode.
inline constexpr std::string_view kUnusedWaterFraction = "--";

} // namespace qrv::caption
