// The energy check of a run: how far each path's work exceeds the energy that the run's own
// states release on that path, in points of conversion ratio. The model keeps its formulas;
// this tells the reader where they give more work than the first law allows.
#pragma once

#include <optional>
#include <string>

namespace qrv {

struct CalcState;

// Work minus released energy, per kilogram of magma, as a percentage of the magma's heat
// (EMagma), like the conversion ratio itself. Empty when the check itself meets an
// arithmetic fault (a magma heat of 0, a state the fits cannot take).
struct EnergyCheck {
    // WAdiabatic minus the water's internal-energy drop from equilibrium to the adiabatic end.
    std::optional<double> adiabaticExcess;
    // WIsothermal minus the water's internal-energy drop to the isothermal end and the heat
    // that the magma and the rock of a wet sediment give up cooling from TEq to that end.
    std::optional<double> isothermalExcess;
};

// Each path's excess from the state that path leaves: the final state is the last path's
// only, so the adiabatic excess is taken before the isothermal path replaces it.
std::optional<double> adiabaticExcess(const CalcState& afterAdiabat);
std::optional<double> isothermalExcess(const CalcState& afterIsotherm);

// Above this excess, in points of conversion ratio, the reader is told beside the ratios.
inline constexpr double kEnergyExcessNoticePoints = 1.0;

// What the results window says beside the ratios: one plain sentence for each path whose
// excess is above the notice limit, the excess with one decimal; empty when none is.
std::string energyCheckNote(const EnergyCheck& check);

} // namespace qrv
