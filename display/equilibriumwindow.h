// The equilibrium window (frmCalc), described once: the state of the heated water before it
// expands, top to bottom, and the buttons on to the expansion paths or back to the inputs.
// showEquilibrium fills it when Calculate1 finds the equilibrium, the desktop program builds
// it and qrv-cli prints it.
#pragma once

#include "display/windowdescription.h"

namespace qrv::equilibriumwindow {

inline constexpr Window kWindow = Window::Calc;

namespace detail {

inline constexpr Rgb kValueColour = {255, 255, 192};

constexpr Control value(std::string_view name, int decimals, std::string_view design = {}, bool bold = false)
{
    return {.window = kWindow, .name = name, .design = design, .look = Look::Shown, .bold = bold,
            .decimals = decimals, .tooltip = "Initial equilibrium state of water", .background = kValueColour};
}

constexpr Control caption(std::string_view name, std::string_view text)
{
    return {.window = kWindow, .name = name, .design = text};
}

} // namespace detail

// The ratio line ("R = 0.300", or "Rs = 0.600  --  R = 0.300") and "Tmagma = 1473".
inline constexpr Control kRatio = detail::value("labInitR", kText, "R = 1.00", true);
inline constexpr Control kMagmaTemperature = detail::value("labinitT", kText, "Tmagma");
inline constexpr Control kTemperature = detail::value("labT0", 0);   // K
inline constexpr Control kEntropy = detail::value("labS0", 4);       // kJ/(kg K)
inline constexpr Control kPressure = detail::value("labP0", 2);      // MPa
inline constexpr Control kDensity = detail::value("labRh0", 3);      // kg/m3
inline constexpr Control kInternalEnergy = detail::value("labU0", 2); // kJ/kg
inline constexpr Control kHeatCapacity = detail::value("labCpl0", 4); // Cp, kJ/(kg K)
inline constexpr Control kGamma = detail::value("labGam0", 4);       // Cp/Cv
inline constexpr Control kSteamFraction = detail::value("labX0", 1);

inline constexpr Control kBack = {.window = kWindow, .name = "Command2", .design = "<Back", .look = Look::Button,
                                  .tooltip = "Go back to the previous window"};
inline constexpr Control kHelp = {.window = kWindow, .name = "cmdHelp", .look = Look::HelpButton, .tooltip = "Help"};
inline constexpr Control kContinue = {.window = kWindow, .name = "Command1", .design = "Continue", .look = Look::Button};

namespace detail {

inline constexpr Control kFrame = {.window = kWindow, .name = "Frame1", .design = "Equilibrium Conditions (SI)",
                                   .look = Look::Frame};
// The first caption ends in a blank, as the window has always shown it.
inline constexpr Control kCaptions[] = {
    caption("Label11", "Temperature (K): "),     caption("Label13", "Entropy (kJ/kg-K):"),
    caption("Label10", "Pressure (MPa):"),       caption("Label12", "Density (kg/m3):"),
    caption("Label4", "Internal Energy (kJ/kg):"), caption("Label5", "Heat Cap-Cp (kJ/kg K):"),
    caption("Label6", "Gamma (Cp/Cv):"),          caption("Label8", "Steam fraction (X):"),
};
inline constexpr Row kRows[] = {
    {nullptr, {&kRatio}},
    {nullptr, {&kMagmaTemperature}},
    {&kCaptions[0], {&kTemperature}},
    {&kCaptions[1], {&kEntropy}},
    {&kCaptions[2], {&kPressure}},
    {&kCaptions[3], {&kDensity}},
    {&kCaptions[4], {&kInternalEnergy}},
    {&kCaptions[5], {&kHeatCapacity}},
    {&kCaptions[6], {&kGamma}},
    {&kCaptions[7], {&kSteamFraction}},
};
inline constexpr Panel kPanels[] = {{.frame = &kFrame, .rows = kRows}};
inline constexpr const Control* kButtons[] = {&kBack, &kHelp, &kContinue};

} // namespace detail

inline constexpr WindowDescription kDescription = {kWindow, "frmCalc", {}, detail::kPanels, detail::kButtons};

} // namespace qrv::equilibriumwindow

namespace qrv {

struct CalcState;

// The equilibrium's values in the window.
void showEquilibrium(const CalcState& s, EngineHost& host);

} // namespace qrv
