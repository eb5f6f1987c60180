#include "runs/driver.h"

#include "display/enginehost.h"
#include "display/phasenames.h"
#include "display/ratioline.h"
#include "display/resultswindow.h"
#include "runs/runstore.h"
#include "model/adiabat.h"
#include "model/calcstate.h"
#include "model/conversionratio.h"
#include "model/isotherm.h"
#include "model/real.h"

namespace qrv {

namespace {

using namespace resultswindow;

// Off while the paths are computed; Save and Plot keep their state through a ReCalculate.
constexpr const Control* kOffDuringPaths[] = {&kNew, &kFinished, &kRecalculate};

void resetResults(EngineHost& host)
{
    for (const Control* text : {&kStatus, &kRatio, &kWaterPressure, &kWaterTemperature, &kDataSource,
                                &kEquilibriumMethod, &kAdiabatic.phase, &kIsothermal.phase, &kPathCaption})
        host.setText(*text, "");
    for (const Control& value : kEquilibriumState)
        host.setText(value, "");
    for (const PathControls* path : {&kAdiabatic, &kIsothermal}) {
        for (const Control& value : path->finalState) {
            host.setText(value, "");
            host.setBold(value, false);
        }
        for (const Control* value : {&path->ratio, &path->steam, &path->water}) {
            host.setText(*value, "");
            host.setBold(*value, false);
        }
        host.setText(path->waterCaption, "Water Fraction");
        host.setVisible(path->errorMark, false);
        host.setColour(path->ratio, TextColour::ButtonText);
    }
    for (std::size_t i = 0; i < 4; ++i)
        host.setBold(kEquilibriumState[i], false);
    host.setText(kEnergyCheck.adiabatic, "");
    host.setText(kEnergyCheck.isothermal, "");
    host.setVisible(kEnergyCheck.note, false);
    for (const Control* button : kOffDuringPaths)
        host.setEnabled(*button, false);
}

void showRunInputs(const CalcState& s, EngineHost& host)
{
    if (!host.showsTexts())
        return;
    const RatioLine ratio = ratioLine(s.XWater != 1.0f, s.RInput, s.RWater);
    host.setText(kRatioCaption, ratio.caption);
    host.setText(kRatio, ratio.ratio);
    showNumber(host, kMagmaTemperature, s.TMagma);
    showNumber(host, kWaterTemperature, s.TInit);
    showNumber(host, kWaterPressure, s.PInit / 1e6);
    host.setText(kDataSource, s.ConstVolume ? "NIST: Steam Table Extrapolation\n(Redlich-Kwong pressure)"
                                              : "NIST: Steam Table Extrapolation");
    host.setText(kEquilibriumMethod,
             s.ConstVolume ? "Constant volume extrapolation" : "Volume by entropy extrapolation");
    showNumber(host, kEquilibriumState[0], s.PEq / 1e6);
    showNumber(host, kEquilibriumState[1], s.VEq);
    showNumber(host, kEquilibriumState[2], s.TEq);
    showNumber(host, kEquilibriumState[3], s.SEq / 1000.0);
    host.setText(kEquilibriumState[4], equilibriumPhaseName(s.TEq, s.TCrit, s.XEq));
}

void showPhase(const CalcState& s, const PathControls& c, EngineHost& host)
{
    const FinalPhase phase = finalPhase(s.XFinal, s.TFinal);
    host.setText(c.phase, phase.name);
    host.setText(c.waterCaption, phase.waterRowCaption);
}

void showPathResult(const PathEnd& end, const PathControls& c, EngineHost& host)
{
    showNumber(host, c.ratio, end.conversionRatio);
    showNumber(host, c.steam, end.steamFraction);
    showNumber(host, c.water, end.waterFraction);
    host.setVisible(c.errorMark, end.clamped);
    host.setText(c.errorMark, end.clamped ? c.errorText : " ");
    if (end.clamped)
        host.setColour(c.ratio, TextColour::Red);
    showNumber(host, c.finalState[0], end.PFinal / 1e6);
    showNumber(host, c.finalState[1], end.VFinal);
    showNumber(host, c.finalState[2], end.TFinal);
    showNumber(host, c.finalState[3], end.SFinal / 1000.0);
}

void showEnergyCheck(const EnergyCheck& check, EngineHost& host)
{
    if (check.adiabaticExcess)
        showNumber(host, kEnergyCheck.adiabatic, *check.adiabaticExcess);
    if (check.isothermalExcess)
        showNumber(host, kEnergyCheck.isothermal, *check.isothermalExcess);
    const std::string note = energyCheckNote(check);
    host.setVisible(kEnergyCheck.note, !note.empty());
    host.setText(kEnergyCheck.note, note);
}

// A path whose routines failed keeps the empty texts of the reset and shows its error mark.
void showPathFailed(const PathControls& c, EngineHost& host)
{
    host.setVisible(c.errorMark, true);
    host.setText(c.errorMark, c.errorText);
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
    host.setText(kStatus, "Calculation Failed");
    host.setText(kPathCaption, "");
    for (const Control* button : kOffDuringPaths)
        host.setEnabled(*button, true);
    host.setEnabled(kSave, false);
}

// A path's conversion ratio and final state, also kept in the path's own fields of the state,
// because the next path overwrites XFinal and TFinal.
PathEnd keepPathEnd(CalcState& s, float work, bool& pathError, float& steamFraction, float& temperature)
{
    const ConversionRatio ratio = conversionRatio(work, s.EMagma);
    if (ratio.clamped)
        pathError = true;
    steamFraction = s.XFinal;
    temperature = s.TFinal;
    return {true, ratio.percent, ratio.clamped, s.XFinal, 1.0 - double(s.XFinal), s.PFinal, s.VFinal,
            s.TFinal, s.SFinal, finalPhase(s.XFinal, s.TFinal).name};
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
    r.XWater = s.XWater;
    return r;
}

} // namespace

// The run is counted only when its record is stored, so a failed run leaves no empty
// record behind in the plot series. The isothermal path starts from the adiabatic final
// temperature, so it is not computed when the adiabatic path failed.
Expansion Calculate2(CalcState& s, RunStore& store, EngineHost& host)
{
    Expansion run;
    bool& complete = run.completed;
    try {
        s.WAdiabatic = 0.0f;
        s.WIsothermal = 0.0f;
        s.XFinal = 0.0f;
        resetResults(host);

        host.setText(kStatus, "Calculating ADIABATIC Path");
        showRunInputs(s, host);
        host.processEvents();
        if (!pathCompleted(s, host, Adiabat)) {
            showPathFailed(kAdiabatic, host);
            showPathFailed(kIsothermal, host);
            showRunFailed(host);
            return run;
        }

        run.adiabatic = keepPathEnd(s, s.WAdiabatic, s.AdiError, s.XAdiabatic, s.TAdiabatic);
        const std::optional<double> adiabaticEnergyExcess = adiabaticExcess(s);
        showPhase(s, kAdiabatic, host);
        showPathResult(run.adiabatic, kAdiabatic, host);
        host.holdProgress();

        host.setText(kStatus, "Calculating ISOTHERMAL Path");
        if (!pathCompleted(s, host, Isotherm)) {
            showPathFailed(kIsothermal, host);
            showRunFailed(host);
            return run;
        }
        run.isothermal = keepPathEnd(s, s.WIsothermal, s.IsoError, s.XIsothermal, s.TIsothermal);
        showPhase(s, kIsothermal, host);
        host.setText(kStatus, "Calculation Complete");
        showPathResult(run.isothermal, kIsothermal, host);
        complete = true;
        run.energy = {adiabaticEnergyExcess, isothermalExcess(s)};
        showEnergyCheck(run.energy, host);

        host.setText(kPathCaption, "");
        for (const Control* button : kDescription.buttons)
            if (button->look == Look::RunButton)
                host.setEnabled(*button, true);

        store.append(runRecord(s, run.adiabatic.conversionRatio, run.isothermal.conversionRatio));
        host.runStored();
    } catch (const EngineFault& f) {
        host.fault("Calculate2", f);
        // A run shown complete stays so (only its storing failed); any other ends failed.
        if (!complete)
            showRunFailed(host);
    }
    return run;
}

} // namespace qrv
