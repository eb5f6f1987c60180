// The results window (frmResults), described once: the progress line, the run's inputs, the
// grid of the equilibrium and final states, a panel for each expansion path, the IAPWS-95
// reference of the run and the buttons.
// The driver fills it, a results file keeps what it shows (fileLine), the desktop program
// builds it, and Copy All and qrv-cli print it.
#pragma once

#include "display/ratioline.h"
#include "display/windowdescription.h"

namespace qrv::resultswindow {

inline constexpr Window kWindow = Window::Results;

namespace detail {

inline constexpr std::string_view kClickToCopy = "Click to copy";

constexpr Control caption(std::string_view name, std::string_view text, int line = 0)
{
    return {.window = kWindow, .name = name, .design = text, .fileLine = line};
}

// A run input beside its caption.
constexpr Control input(std::string_view name, int decimals, int line)
{
    return {.window = kWindow, .name = name, .bold = true, .decimals = decimals, .fileLine = line};
}

constexpr Control note(std::string_view name, std::string_view text, std::string_view tooltip, int line)
{
    return {.window = kWindow, .name = name, .design = text, .look = Look::Note, .fileLine = line, .tooltip = tooltip};
}

constexpr Control value(std::string_view name, int decimals, Rgb colour, std::string_view tooltip, int line = 0)
{
    return {.window = kWindow, .name = name, .look = Look::Copyable, .decimals = decimals, .fileLine = line,
            .tooltip = tooltip, .background = colour};
}

constexpr Control frame(std::string_view name, std::string_view title, std::string_view tooltip = {})
{
    return {.window = kWindow, .name = name, .design = title, .look = Look::Frame, .tooltip = tooltip};
}

constexpr Control button(std::string_view name, std::string_view text, std::string_view tooltip,
                         Look look = Look::RunButton)
{
    return {.window = kWindow, .name = name, .design = text, .look = look, .tooltip = tooltip};
}

// One pale colour per kind of value.
inline constexpr Rgb kEquilibriumColour = {255, 255, 210};
inline constexpr Rgb kAdiabaticStateColour = {220, 240, 255};
inline constexpr Rgb kIsothermalStateColour = {225, 255, 225};

inline constexpr std::string_view kRatioTip =
    "Percentage of initial heat energy converted to thermodynamic work (Click to copy)";
inline constexpr std::string_view kSteamTip =
    "Fraction of water remaining as steam after expansion to atmospheric pressure (Click to copy)";
inline constexpr std::string_view kWaterTip =
    "Fraction of water that condense or remains liquid after interaction (Click to copy)";
inline constexpr std::string_view kRatioRow = "Conversion Ratio (%):";
inline constexpr std::string_view kSteamRow = "Steam Fraction:";
inline constexpr std::string_view kWaterRow = "Water Fraction:";

} // namespace detail

// Over everything: how far a run has come, and the caption the expansion routines show.
inline constexpr Control kStatus = {.window = kWindow, .name = "Label1", .design = "Calculating", .bold = true};
inline constexpr Control kPathCaption = detail::caption("labPath", "Path");

// The run's inputs, and how its equilibrium state was found.
inline constexpr Control kRatioCaption = detail::caption("Label3", kWaterRatioCaption, 1);
inline constexpr Control kRatio = detail::input("LabR", kText, 2);
inline constexpr Control kMagmaTemperature = detail::input("labTmag", 0, 3);
inline constexpr Control kWaterTemperature = detail::input("labT", 0, 4);
inline constexpr Control kWaterPressure = detail::input("labP", 2, 5);
inline constexpr Control kDataSource =
    detail::note("labEx", "Equilibrium extrapolation", "Source of thermodynamic data", 7);
inline constexpr Control kEquilibriumMethod =
    detail::note("labPe", "Pressure source", "Method of finding equilibrium state", 8);

// The columns of the state grid, rows pressure (MPa), volume (m3/kg), temperature (K) and
// entropy (kJ/(kg K)); the equilibrium column ends with the phase, always bold.
inline constexpr std::array<Control, 5> kEquilibriumState = {
    detail::value("labES(0)", 1, detail::kEquilibriumColour, detail::kClickToCopy, 9),
    detail::value("labES(1)", 5, detail::kEquilibriumColour, detail::kClickToCopy, 10),
    detail::value("labES(2)", 1, detail::kEquilibriumColour, detail::kClickToCopy, 11),
    detail::value("labES(3)", 5, detail::kEquilibriumColour, detail::kClickToCopy, 12),
    Control{.window = kWindow, .name = "labES(4)", .design = "Saturated Liquid", .look = Look::Copyable,
            .bold = true, .fileLine = 13, .tooltip = "Phase field", .background = detail::kEquilibriumColour},
};
inline constexpr std::array<Control, 4> kAdiabaticState = {
    detail::value("labFSA(0)", 3, detail::kAdiabaticStateColour, detail::kClickToCopy),
    detail::value("labFSA(1)", 5, detail::kAdiabaticStateColour, detail::kClickToCopy),
    detail::value("labFSA(2)", 1, detail::kAdiabaticStateColour, detail::kClickToCopy, 18),
    detail::value("labFSA(3)", 5, detail::kAdiabaticStateColour, detail::kClickToCopy),
};
inline constexpr std::array<Control, 4> kIsothermalState = {
    detail::value("labFSI(0)", 3, detail::kIsothermalStateColour, detail::kClickToCopy),
    detail::value("labFSI(1)", 5, detail::kIsothermalStateColour, detail::kClickToCopy),
    detail::value("labFSI(2)", 1, detail::kIsothermalStateColour, detail::kClickToCopy, 24),
    detail::value("labFSI(3)", 5, detail::kIsothermalStateColour, detail::kClickToCopy),
};

// The panel of one expansion path, and its column of the state grid.
struct PathControls {
    Control frame;
    Control phase;
    Control ratioCaption, ratio;
    Control steamCaption, steam;
    Control waterCaption, water; // the routines rewrite the caption ("Ice Fraction")
    Control errorMark;
    std::string_view errorText; // the mark's caption when the path failed or its ratio was held
    const std::array<Control, 4>& finalState;
};

inline constexpr PathControls kAdiabatic = {
    .frame = detail::frame("Frame1", "Adiabatic Results"),
    .phase = {.window = kWindow, .name = "labRes(1)", .design = "State", .bold = true, .fileLine = 14},
    .ratioCaption = detail::caption("Label10(0)", detail::kRatioRow),
    .ratio = detail::value("labEffa", 2, {255, 228, 225}, detail::kRatioTip, 15),
    .steamCaption = detail::caption("Label10(1)", detail::kSteamRow),
    .steam = detail::value("labXa", 2, {235, 230, 255}, detail::kSteamTip, 16),
    .waterCaption = detail::caption("Label10(2)", detail::kWaterRow),
    .water = detail::value("labXaw", 2, {215, 250, 250}, detail::kWaterTip, 17),
    .errorMark = {.window = kWindow, .name = "labErr2", .design = "Error", .look = Look::ErrorMark, .bold = true,
                  .fileLine = 19, .tooltip = "Problems with calculation"},
    .errorText = "Adiabatic Error",
    .finalState = kAdiabaticState,
};
inline constexpr PathControls kIsothermal = {
    .frame = detail::frame("Frame2", "Isothermal Results",
                           "Fraction of water remaining as steam after expansion to atmospheric pressure"),
    .phase = {.window = kWindow, .name = "labRes(2)", .design = "State", .bold = true, .fileLine = 20},
    .ratioCaption = detail::caption("Label11(0)", detail::kRatioRow),
    .ratio = detail::value("labEffi", 2, {255, 240, 215}, detail::kRatioTip, 21),
    .steamCaption = detail::caption("Label11(1)", detail::kSteamRow),
    .steam = detail::value("labXi", 2, {245, 225, 245}, detail::kSteamTip, 22),
    .waterCaption = detail::caption("Label11(2)", detail::kWaterRow),
    .water = detail::value("labXiw", 2, {235, 245, 215}, detail::kWaterTip, 23),
    .errorMark = {.window = kWindow, .name = "labErr1", .design = "Error", .look = Look::ErrorMark, .bold = true,
                  .fileLine = 25, .tooltip = "Problems with calculation"},
    .errorText = "Isothermal Error",
    .finalState = kIsothermalState,
};

// The IAPWS-95 reference of the run's inputs, under the two path panels. The routines never
// touch it: reference/referencepanel.h fills it after a completed run or an opened file.
struct ReferencePathControls {
    Control ratio, steam, finalTemperature, phase;
};

struct ReferenceControls {
    Control frame;
    Control temperature, pressure; // of the equilibrium
    ReferencePathControls adiabatic, isothermal;
    // The validity flag, or why there is no reference; hidden when there is nothing to say.
    Control note;
};

namespace detail {

inline constexpr Rgb kReferenceColour = {232, 236, 242};
inline constexpr std::string_view kReferenceTip = "IAPWS-95 reference (Click to copy)";

constexpr Control referenceValue(std::string_view name, int decimals)
{
    return value(name, decimals, kReferenceColour, kReferenceTip);
}

} // namespace detail

inline constexpr ReferenceControls kReference = {
    .frame = detail::frame("FrameRef", "IAPWS-95 Reference",
                           "The same idealisation worked with exact IAPWS-95 water properties"),
    .temperature = detail::referenceValue("labRefTEq", 1),
    .pressure = detail::referenceValue("labRefPEq", 1),
    .adiabatic = {detail::referenceValue("labRefEffa", 2), detail::referenceValue("labRefXa", 2),
                  detail::referenceValue("labRefTa", 1), detail::referenceValue("labRefResa", kText)},
    .isothermal = {detail::referenceValue("labRefEffi", 2), detail::referenceValue("labRefXi", 2),
                   detail::referenceValue("labRefTi", 1), detail::referenceValue("labRefResi", kText)},
    .note = {.window = kWindow, .name = "labRefNote", .design = "Note", .look = Look::ErrorMark, .bold = true,
             .tooltip = "Validity of the IAPWS-95 reference"},
};

// The energy check of the run (model/energycheck.h), under the reference: each path's work
// minus the energy that the run's own states release on it, in points of conversion ratio,
// and a plain sentence where a path gives more than the first law allows. The driver fills it
// after a completed run; an opened file has no state to check.
struct EnergyCheckControls {
    Control frame;
    Control adiabatic, isothermal;
    // What the numbers mean where an excess is above the notice limit; hidden otherwise.
    Control note;
};

namespace detail {

inline constexpr Rgb kEnergyCheckColour = {245, 238, 228};
inline constexpr std::string_view kEnergyCheckTip =
    "Work minus the energy this run's own states release on the path, in points of conversion ratio "
    "(Click to copy)";

} // namespace detail

inline constexpr EnergyCheckControls kEnergyCheck = {
    .frame = detail::frame("FrameEnergy", "Energy Check",
                           "The model's work held against the energy its own states release"),
    .adiabatic = detail::value("labExcessa", 1, detail::kEnergyCheckColour, detail::kEnergyCheckTip),
    .isothermal = detail::value("labExcessi", 1, detail::kEnergyCheckColour, detail::kEnergyCheckTip),
    .note = {.window = kWindow, .name = "labExcessNote", .design = "Note", .look = Look::ErrorMark,
             .tooltip = "Where the model's work exceeds the first law"},
};

// Left to right under the panels.
inline constexpr Control kShowReference = {.window = kWindow, .name = "chkReference", .design = "IAPWS-95 Reference",
                                           .look = Look::CheckBox,
                                           .tooltip = "Show the IAPWS-95 reference of this run under its results"};
inline constexpr Control kRecalculate = detail::button("Command3", "ReCalculate", "Show calculation progress again");
inline constexpr Control kHelp = detail::button("cmdHelp", {}, "Help", Look::HelpButton);
inline constexpr Control kPlot = detail::button("cmdPlot", "Plot", {});
inline constexpr Control kNew = detail::button("Command1", "New", "Start a new calculation");
inline constexpr Control kSave = detail::button("cmdSave", "Save", "Save these results to open later");
inline constexpr Control kCopyAll = detail::button(
    "cmdCopyAll", "Copy All", "Copy every value of this window, one caption and value a line", Look::Button);
inline constexpr Control kFinished = detail::button("Command2", "Finished", "Close Tarvel QRV");

namespace detail {

inline constexpr const Control* kStatusLine[] = {&kStatus, &kPathCaption};

inline constexpr Control kMagmaCaption = caption("Label12", "Initial Magma Temperature (K):");
inline constexpr Control kWaterCaption = caption("Label5", "Initial Water Temperature (K):");
inline constexpr Control kPressureCaption = caption("Label4", "Initial Water Pressure (MPa):");
inline constexpr Row kInputRows[] = {
    {&kRatioCaption, {&kRatio}},
    {&kMagmaCaption, {&kMagmaTemperature}},
    {&kWaterCaption, {&kWaterTemperature}},
    {&kPressureCaption, {&kWaterPressure}},
};
inline constexpr const Control* kInputNotes[] = {&kDataSource, &kEquilibriumMethod};

inline constexpr Control kStatesFrame = frame("Frame3", "Equilibrium and Final States:");
inline constexpr Control kColumnHeadings = caption("Label13", "Equilibrium     Final (Adiab)        Final (Iso)");
inline constexpr Control kStateCaptions[] = {
    caption("Label2", "Pressure (MPa):"),
    caption("Label6", "Volume (m3/kg):"),
    caption("Label7", "Temperature (K):"),
    caption("Label8", "Entropy (kJ/kg-K):"),
};
inline constexpr Control kPhaseCaption = caption("Label9", "Equilibrium Phase:");

constexpr Row stateRow(std::size_t i)
{
    return {&kStateCaptions[i], {&kEquilibriumState[i], &kAdiabaticState[i], &kIsothermalState[i]}};
}
inline constexpr Row kStateRows[] = {stateRow(0), stateRow(1), stateRow(2), stateRow(3),
                                     {&kPhaseCaption, {&kEquilibriumState[4]}}};

constexpr std::array<Row, 3> pathRows(const PathControls& path)
{
    return {{{&path.ratioCaption, {&path.ratio}},
             {&path.steamCaption, {&path.steam}},
             {&path.waterCaption, {&path.water}}}};
}
inline constexpr std::array<Row, 3> kAdiabaticRows = pathRows(kAdiabatic);
inline constexpr std::array<Row, 3> kIsothermalRows = pathRows(kIsothermal);

inline constexpr Control kReferenceCaptions[] = {
    caption("LabelRef(0)", "Equilibrium Temperature (K):"),
    caption("LabelRef(1)", "Equilibrium Pressure (MPa):"),
    caption("LabelRef(2)", "Path:"),
    caption("LabelRef(3)", kRatioRow),
    caption("LabelRef(4)", kSteamRow),
    caption("LabelRef(5)", "Final Temperature (K):"),
    caption("LabelRef(6)", "Final Phase:"),
};
inline constexpr Control kReferenceHeadings[] = {
    {.window = kWindow, .name = "labRefPath(0)", .design = "Adiabatic", .look = Look::Heading, .bold = true},
    {.window = kWindow, .name = "labRefPath(1)", .design = "Isothermal", .look = Look::Heading, .bold = true},
};
constexpr Row referenceRow(std::size_t caption, const Control ReferencePathControls::*value)
{
    return {&kReferenceCaptions[caption], {&(kReference.adiabatic.*value), &(kReference.isothermal.*value)}};
}
inline constexpr Row kReferenceRows[] = {
    {&kReferenceCaptions[0], {&kReference.temperature}},
    {&kReferenceCaptions[1], {&kReference.pressure}},
    {&kReferenceCaptions[2], {&kReferenceHeadings[0], &kReferenceHeadings[1]}},
    referenceRow(3, &ReferencePathControls::ratio),
    referenceRow(4, &ReferencePathControls::steam),
    referenceRow(5, &ReferencePathControls::finalTemperature),
    referenceRow(6, &ReferencePathControls::phase),
};

inline constexpr Control kEnergyCheckCaptions[] = {
    caption("LabelEnergy(0)", "Path:"),
    caption("LabelEnergy(1)", "Work Above Energy Released (CR points):"),
};
inline constexpr Control kEnergyCheckHeadings[] = {
    {.window = kWindow, .name = "labExcessPath(0)", .design = "Adiabatic", .look = Look::Heading, .bold = true},
    {.window = kWindow, .name = "labExcessPath(1)", .design = "Isothermal", .look = Look::Heading, .bold = true},
};
inline constexpr Row kEnergyCheckRows[] = {
    {&kEnergyCheckCaptions[0], {&kEnergyCheckHeadings[0], &kEnergyCheckHeadings[1]}},
    {&kEnergyCheckCaptions[1], {&kEnergyCheck.adiabatic, &kEnergyCheck.isothermal}},
};

inline constexpr Panel kPanels[] = {
    {.rows = kInputRows, .notes = kInputNotes},
    {.frame = &kStatesFrame, .heading = &kColumnHeadings, .rows = kStateRows},
    {.frame = &kAdiabatic.frame, .heading = &kAdiabatic.phase, .rows = kAdiabaticRows,
     .errorMark = &kAdiabatic.errorMark},
    {.frame = &kIsothermal.frame, .heading = &kIsothermal.phase, .rows = kIsothermalRows,
     .errorMark = &kIsothermal.errorMark, .besidePrevious = true},
    {.frame = &kReference.frame, .rows = kReferenceRows, .errorMark = &kReference.note},
    {.frame = &kEnergyCheck.frame, .rows = kEnergyCheckRows, .errorMark = &kEnergyCheck.note},
};

inline constexpr const Control* kButtons[] = {&kShowReference, &kRecalculate, &kHelp, &kPlot, &kNew, &kSave, &kCopyAll, &kFinished};

} // namespace detail

inline constexpr WindowDescription kDescription = {
    kWindow, "frmResults", detail::kStatusLine, detail::kPanels, detail::kButtons};

} // namespace qrv::resultswindow
