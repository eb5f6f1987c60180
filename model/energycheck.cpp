#include "model/energycheck.h"

#include "model/calcstate.h"
#include "model/finalstates.h"
#include "model/modelevents.h"
#include "model/real.h"
#include "model/state0.h"
#include "model/statesat.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

// The energies compared are all the model's own: its equilibrium energy UEq and the internal
// energies its fits give the final states. Where a path gives its end no energy of its own
// (it keeps UEq there), the model's fits at that end's temperature supply one: for liquid the
// heated-water curve that UEq itself lies on, so that liquid left at TEq releases exactly
// nothing; for a steam/water mixture the saturation fits, the only ones the model has for it.
// IAPWS-95 energies would measure how far the fits stray from real water, not whether a path
// hands out more work than its own states release.

namespace qrv {

namespace {

// The check needs only the states; what the routines tell while they run is not shown.
class QuietListener final : public ModelEvents {
public:
    void warning(ModelWarning) override {}
    void pathStage(PathStage) override {}
    void holdProgress() override {}
    void equilibriumFound(const CalcState&) override {}

protected:
    void faultReported(std::string_view, EngineFault) override {}
};

// A compressed-liquid end keeps UEq (and so yields no work).
Real adiabaticEndEnergy(const CalcState& s)
{
    if (endsAsCompressedLiquid(s))
        return heatedWaterEnergy(s.TFinal);
    return s.UFinal;
}

// Vapour and supercritical fluid keep the energy StateSuper gave them; liquid and two-phase
// ends keep UEq. A mixture's energy is taken where the dome walk decided it, at its last
// whole kelvin.
Real isothermalEndEnergy(const CalcState& s, ModelEvents& events)
{
    if (s.XFinal > 0.0f && s.XFinal < 1.0f) {
        CalcState mixture = s;
        mixture.TSat = std::floor(s.TFinal);
        mixture.PSat = 0.0f;
        StateSat(mixture, events);
        return Real(mixture.UfSat) + Real(s.XFinal) * mixture.UfgSat;
    }
    if (s.XFinal == 0.0f && (s.PFinal < s.PCrit || endsAsCompressedLiquid(s)))
        return heatedWaterEnergy(s.TFinal);
    return s.UFinal;
}

// An excess in J per kg of magma as points of conversion ratio; none when a fit or the
// arithmetic failed on the way.
template <class ExcessJoules>
std::optional<double> inPoints(const CalcState& s, ExcessJoules excessJoules)
{
    QuietListener events;
    try {
        const Real points = excessJoules(events) * 100.0 / s.EMagma;
        if (events.faultsReported() == 0)
            return points.value();
    } catch (const EngineFault&) {
    }
    return std::nullopt;
}

std::string pathSentence(std::string_view path, double excessPoints)
{
    char number[32];
    const auto written = std::to_chars(number, number + sizeof number, excessPoints,
                                       std::chars_format::fixed, 1);
    std::string sentence = "Energy check: the ";
    sentence += path;
    sentence += " work is ";
    sentence.append(number, written.ptr);
    sentence += " points of conversion ratio more than this run's own states release on that "
                "path; the model's figure is shown unchanged.";
    return sentence;
}

} // namespace

std::optional<double> adiabaticExcess(const CalcState& s)
{
    return inPoints(s, [&](ModelEvents&) {
        const Real waterReleases = (Real(s.UEq) - adiabaticEndEnergy(s)) * s.RWater;
        return Real(s.WAdiabatic) - waterReleases;
    });
}

std::optional<double> isothermalExcess(const CalcState& s)
{
    return inPoints(s, [&](ModelEvents& events) {
        const Real waterReleases = (Real(s.UEq) - isothermalEndEnergy(s, events)) * s.RWater;
        const Real rockPerMagma = (1.0 - Real(s.XWater)) * s.RInput;
        const Real solidsRelease = (Real(s.TEq) - s.TFinal) * (Real(s.CMagma) + rockPerMagma * s.CRock);
        return Real(s.WIsothermal) - waterReleases - solidsRelease;
    });
}

std::string energyCheckNote(const EnergyCheck& check)
{
    std::string note;
    const std::pair<std::string_view, const std::optional<double>*> paths[] = {
        {"adiabatic", &check.adiabaticExcess}, {"isothermal", &check.isothermalExcess}};
    for (const auto& [path, excess] : paths) {
        if (!*excess || **excess <= kEnergyExcessNoticePoints)
            continue;
        if (!note.empty())
            note += ' ';
        note += pathSentence(path, **excess);
    }
    return note;
}

} // namespace qrv
