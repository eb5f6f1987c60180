// The input window (frmMain), described once: the run's inputs in the upper pane, and the
// initial water's entropy and Cv in the lower pane, shown while the user is asked for them.
// The start-up values and the input rules write to it through these controls, and the desktop
// program builds the window from them.
#pragma once

#include "display/inputcaptions.h"
#include "display/windowdescription.h"

namespace qrv::inputwindow {

inline constexpr Window kWindow = Window::Main;
inline constexpr std::string_view kName = "frmMain"; // the window's object name

namespace detail {

constexpr Control caption(std::string_view name, std::string_view text)
{
    return {.window = kWindow, .name = name, .design = text};
}

constexpr Control box(std::string_view name, std::string_view tooltip)
{
    return {.window = kWindow, .name = name, .look = Look::Box, .tooltip = tooltip};
}

constexpr Control option(std::string_view name, std::string_view text, std::string_view tooltip)
{
    return {.window = kWindow, .name = name, .design = text, .look = Look::Option, .tooltip = tooltip};
}

constexpr Control button(std::string_view name, std::string_view text, std::string_view tooltip = {})
{
    return {.window = kWindow, .name = name, .design = text, .look = Look::Button, .tooltip = tooltip};
}

constexpr Control frame(std::string_view name, std::string_view title)
{
    return {.window = kWindow, .name = name, .design = title, .look = Look::Frame};
}

} // namespace detail

// The upper pane: the run's inputs.
inline constexpr Control kInputs = detail::frame("frInit", "Initial Conditions (SI)");
inline constexpr Control kMagmaTemperatureCaption = detail::caption("Label3", caption::kMagmaTemperature);
inline constexpr Control kMagmaTemperature = detail::box("txtTMagma", "Enter the magma temperature (K)");
inline constexpr Control kWaterTemperatureCaption = detail::caption("Label1", caption::kWaterTemperature);
inline constexpr Control kWaterTemperature = detail::box("txtTInit", "Enter the water temperature (k)");
inline constexpr Control kInitialPressureCaption = detail::caption("Label2", caption::kInitialPressure);
inline constexpr Control kInitialPressure = detail::box("txtPInit", "Enter confining pressure (MPa)");
inline constexpr Control kAmbientPressureCaption = detail::caption("Label10", caption::kAmbientPressure);
inline constexpr Control kAmbientPressure = detail::box("txtPfin", "Enter atmospheric pressure (MPa)");
inline constexpr Control kWaterMagma =
    detail::option("optWM", "Water/Magma Interaction", "Select for water/magma interactions");
inline constexpr Control kSedimentMagma =
    detail::option("optSM", "Sediment/Magma Interaction",
                   "Select for interactions of water-saturated sediments with magma");
// Its caption names R or Rs, after the interaction type.
inline constexpr Control kRatioCaption = detail::caption("Label7", caption::kWaterRatio);
inline constexpr Control kRatio = detail::box("txtR", "Enter the water/magma mass ratio");
inline constexpr Control kWaterFractionCaption = detail::caption("Label9", caption::kWaterFraction);
inline constexpr Control kWaterFraction =
    detail::box("txtXmix", "Enter the mass ratio of water/rock in sediments");
inline constexpr Control kContinue = detail::button("Command1", "Continue");
inline constexpr Control kSweep =
    detail::button("cmdSweep", "Sweep...", "Run these inputs over a range of ratios and plot the runs");
inline constexpr Control kOpen = detail::button("cmdOpen", "Open");
inline constexpr Control kAbout = detail::button("cmdAbout", "About");
inline constexpr Control kHelpContents = {.window = kWindow, .name = "cmdHelpContents", .look = Look::HelpButton};
inline constexpr Control kQuit = detail::button("Command3", "Quit", "Quit");

// The lower pane: the initial water's entropy and Cv, and how it is heated.
inline constexpr Control kSteamTable = detail::frame("Frame1", "VAPTAB Data (Initial)");
inline constexpr Control kEntropyCaption = detail::caption("Label5", caption::kEntropy);
inline constexpr Control kEntropy = detail::box("txtSInit", "Enter the value 'S' from VAPTAB");
inline constexpr Control kCvCaption = detail::caption("Label6", caption::kCv);
inline constexpr Control kCv = detail::box("txtCvInit", "Enter the value 'CV' from VAPTAB");
inline constexpr Control kHeatingCaption = detail::caption("Label8", "Initial Heating:");
inline constexpr Control kConstantVolume =
    detail::option("optCV", "Constant Volume", "Select for constant volume heating");
inline constexpr Control kEntropyExtrapolation =
    detail::option("optSext", "Entropy Extrapolation", "Select for constant entropy heating");
// What the steam-table program printed.
inline constexpr Control kSteamTableOutput = {.window = kWindow, .name = "txtVaptab",
                                              .design = "The steam-table program's answer appears here.",
                                              .look = Look::Box};
inline constexpr Control kCalculate = detail::button("cmdCalc", "Calculate");
inline constexpr Control kCancel = detail::button("Command2", "Cancel", "Go back to the previous window");
inline constexpr Control kHelp = {.window = kWindow, .name = "cmdHelp", .look = Look::HelpButton};

// Every control, upper pane then lower pane.
inline constexpr const Control* kControls[] = {
    &kInputs, &kMagmaTemperatureCaption, &kMagmaTemperature, &kWaterTemperatureCaption, &kWaterTemperature,
    &kInitialPressureCaption, &kInitialPressure, &kAmbientPressureCaption, &kAmbientPressure, &kWaterMagma,
    &kSedimentMagma, &kRatioCaption, &kRatio, &kWaterFractionCaption, &kWaterFraction, &kContinue, &kSweep,
    &kOpen, &kAbout, &kHelpContents, &kQuit, &kSteamTable, &kEntropyCaption, &kEntropy, &kCvCaption, &kCv,
    &kHeatingCaption, &kConstantVolume, &kEntropyExtrapolation, &kSteamTableOutput, &kCalculate, &kCancel,
    &kHelp,
};

} // namespace qrv::inputwindow
