#include "engine/expansion.h"

#include "engine/calcstate.h"
#include "engine/enginehost.h"
#include "engine/numberformat.h"
#include "engine/phasenames.h"
#include "engine/progress.h"
#include "engine/ratioline.h"
#include "engine/real.h"
#include "engine/runstore.h"

#include <array>
#include <string>
#include <string_view>

namespace qrv {

namespace {

constexpr Window kResults = Window::Results;

// The controls of one expansion path on the results window.
struct PathControls {
    std::string_view ratio, steam, water, errorMark, errorText, phase, waterRow;
    std::array<std::string_view, 4> finalState;
};

constexpr PathControls kAdiabaticControls = {
    "labEffa", "labXa", "labXaw", "labErr2", "Adiabatic Error", "labRes(1)", "Label10(2)",
    {"labFSA(0)", "labFSA(1)", "labFSA(2)", "labFSA(3)"}};
constexpr PathControls kIsothermalControls = {
    "labEffi", "labXi", "labXiw", "labErr1", "Isothermal Error", "labRes(2)", "Label11(2)",
    {"labFSI(0)", "labFSI(1)", "labFSI(2)", "labFSI(3)"}};

constexpr std::array<std::string_view, 5> kEquilibriumLabels = {"labES(0)", "labES(1)", "labES(2)", "labES(3)", "labES(4)"};
constexpr std::array<std::string_view, 5> kCommandButtons = {"Command1", "Command2", "Command3", "cmdSave", "cmdPlot"};

void resetResults(EngineHost& host)
{
    for (auto label : {"Label1", "LabR", "labP", "labT", "labEx", "labPe", "labRes(1)", "labRes(2)", "labPath"})
        host.setText(kResults, label, "");
    for (auto label : kEquilibriumLabels)
        host.setText(kResults, label, "");
    for (const auto* path : {&kAdiabaticControls, &kIsothermalControls}) {
        for (auto label : path->finalState) {
            host.setText(kResults, label, "");
            host.setBold(kResults, label, false);
        }
        for (auto label : {path->ratio, path->steam, path->water}) {
            host.setText(kResults, label, "");
            host.setBold(kResults, label, false);
        }
        host.setText(kResults, path->waterRow, "Water Fraction");
        host.setVisible(kResults, path->errorMark, false);
        host.setColour(kResults, path->ratio, TextColour::ButtonText);
    }
    for (std::size_t i = 0; i < 4; ++i)
        host.setBold(kResults, kEquilibriumLabels[i], false);
    for (std::size_t i = 0; i < 3; ++i)
        host.setEnabled(kResults, kCommandButtons[i], false);
}

void showRunInputs(const CalcState& s, EngineHost& host)
{
    const RatioLine ratio = ratioLine(s.XWater != 1.0f, s.RInput, s.RWater);
    host.setText(kResults, "Label3", ratio.caption);
    host.setText(kResults, "LabR", ratio.ratio);
    host.setText(kResults, "labTmag", formatFixed(s.TMagma, 0));
    host.setText(kResults, "labT", formatFixed(s.TInit, 0));
    host.setText(kResults, "labP", formatFixed(s.PInit / 1e6, 2));
    host.setText(kResults, "labEx", s.ConstVolume ? "NIST: Steam Table Extrapolation\n(Redlich-Kwong pressure)"
                                                  : "NIST: Steam Table Extrapolation");
    host.setText(kResults, "labPe", s.ConstVolume ? "Constant volume extrapolation" : "Volume by entropy extrapolation");
    host.setText(kResults, kEquilibriumLabels[0], formatFixed(s.PEq / 1e6, 1));
    host.setText(kResults, kEquilibriumLabels[1], formatFixed(s.VEq, 5));
    host.setText(kResults, kEquilibriumLabels[2], formatFixed(s.TEq, 1));
    host.setText(kResults, kEquilibriumLabels[3], formatFixed(s.SEq / 1000.0, 5));
    host.setText(kResults, kEquilibriumLabels[4], equilibriumPhaseName(s.TEq, s.TCrit, s.XEq));
}

// Percentage of the magma's heat that became work, held to 0..100; `clamped` tells
// whether it had to be held.
float conversionRatio(float work, float magmaHeat, bool& clamped)
{
    const float ratio = single(Real(work) * 100.0 / magmaHeat);
    if (ratio < 0.0f) {
        clamped = true;
        return 0.0f;
    }
    if (ratio > 100.0f) {
        clamped = true;
        return 100.0f;
    }
    return ratio;
}

void showPhase(const CalcState& s, const PathControls& c, EngineHost& host)
{
    const FinalPhase phase = finalPhase(s.XFinal, s.TFinal);
    host.setText(kResults, c.phase, phase.name);
    host.setText(kResults, c.waterRow, phase.waterRowCaption);
}

void showPathResult(const CalcState& s, const PathControls& c, float ratio, bool clamped, float finalT,
                    EngineHost& host)
{
    host.setText(kResults, c.ratio, formatFixed(ratio, 2));
    host.setText(kResults, c.steam, formatFixed(s.XFinal, 2));
    host.setText(kResults, c.water, formatFixed(1.0 - double(s.XFinal), 2));
    host.setVisible(kResults, c.errorMark, clamped);
    host.setText(kResults, c.errorMark, clamped ? c.errorText : " ");
    if (clamped)
        host.setColour(kResults, c.ratio, TextColour::Red);
    host.setText(kResults, c.finalState[0], formatFixed(s.PFinal / 1e6, 3));
    host.setText(kResults, c.finalState[1], formatFixed(s.VFinal, 5));
    host.setText(kResults, c.finalState[2], formatFixed(finalT, 1));
    host.setText(kResults, c.finalState[3], formatFixed(s.SFinal / 1000.0, 5));
}

// A path whose routines failed keeps the empty texts of the reset and shows its error mark.
void showPathFailed(const PathControls& c, EngineHost& host)
{
    host.setVisible(kResults, c.errorMark, true);
    host.setText(kResults, c.errorMark, c.errorText);
}

// Runs one path; false when a routine failed in it, which that routine has reported.
template <typename Path>
bool pathCompleted(CalcState& s, EngineHost& host, Path path)
{
    const int faultsBefore = host.faultsReported();
    path(s, host);
    return host.faultsReported() == faultsBefore;
}

// The end of a run that did not complete: the window can go on to a new calculation, repeat
// it or end, but there is nothing to save.
void showRunFailed(EngineHost& host)
{
    host.setText(kResults, "Label1", "Calculation Failed");
    host.setText(kResults, "labPath", "");
    for (std::size_t i = 0; i < 3; ++i)
        host.setEnabled(kResults, kCommandButtons[i], true);
    host.setEnabled(kResults, "cmdSave", false);
}

SeriesRecord runRecord(const CalcState& s, float adiabaticRatio, float isothermalRatio)
{
    SeriesRecord r;
    r.R = s.RInput;
    r.TMagma = s.TMagma;
    r.TWater = s.TInit;
    r.PHydroMPa = single(Real(s.PInit) / 1e6);
    r.PFinalMPa = single(Real(s.PFinal) / 1e6);
    r.PEqMPa = single(Real(s.PEq) / 1e6);
    r.TEq = s.TEq;
    r.RhoEq = s.RhoEq;
    r.SEq = s.SEq;
    r.CRAdiabatic = adiabaticRatio;
    r.SFAdiabatic = s.XAdiabatic;
    r.WFAdiabatic = single(1.0 - Real(s.XAdiabatic));
    r.TFAdiabatic = s.TAdiabatic;
    r.CRIsothermal = isothermalRatio;
    r.SFIsothermal = s.XIsothermal;
    r.WFIsothermal = single(1.0 - Real(s.XIsothermal));
    r.TFIsothermal = s.TIsothermal;
    return r;
}

} // namespace

// The run is counted only when its record is stored, so a failed run leaves no empty
// record behind in the plot series. The isothermal path starts from the adiabatic final
// temperature, so it is not computed when the adiabatic path failed.
void Calculate2(CalcState& s, RunStore& store, EngineHost& host)
{
    bool complete = false;
    try {
        s.WAdiabatic = 0.0f;
        s.WIsothermal = 0.0f;
        s.XFinal = 0.0f;
        resetResults(host);

        host.setText(kResults, "Label1", "Calculating ADIABATIC Path");
        showRunInputs(s, host);
        host.processEvents();
        if (!pathCompleted(s, host, Adiabat)) {
            showPathFailed(kAdiabaticControls, host);
            showPathFailed(kIsothermalControls, host);
            showRunFailed(host);
            return;
        }

        bool clamped = false;
        const float adiabaticRatio = conversionRatio(s.WAdiabatic, s.EMagma, clamped);
        if (clamped)
            s.AdiError = true;
        s.XAdiabatic = s.XFinal;
        s.TAdiabatic = s.TFinal;
        showPhase(s, kAdiabaticControls, host);
        showPathResult(s, kAdiabaticControls, adiabaticRatio, clamped, s.TAdiabatic, host);
        pauseForCaption(host);

        host.setText(kResults, "Label1", "Calculating ISOTHERMAL Path");
        if (!pathCompleted(s, host, Isotherm)) {
            showPathFailed(kIsothermalControls, host);
            showRunFailed(host);
            return;
        }
        clamped = false;
        const float isothermalRatio = conversionRatio(s.WIsothermal, s.EMagma, clamped);
        if (clamped)
            s.IsoError = true;
        s.XIsothermal = s.XFinal;
        s.TIsothermal = s.TFinal;
        showPhase(s, kIsothermalControls, host);
        host.setText(kResults, "Label1", "Calculation Complete");
        showPathResult(s, kIsothermalControls, isothermalRatio, clamped, s.TIsothermal, host);
        complete = true;

        host.setText(kResults, "labPath", "");
        for (auto button : kCommandButtons)
            host.setEnabled(kResults, button, true);

        store.append(runRecord(s, adiabaticRatio, isothermalRatio));
        host.runStored();
    } catch (const EngineFault& f) {
        reportFault(host, "Calculate2", f.description());
        // A run shown complete stays so (only its storing failed); any other ends failed.
        if (!complete)
            showRunFailed(host);
    }
}

} // namespace qrv
