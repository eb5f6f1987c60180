// The IAPWS-95 reference of a run: the idealisation of the calculation routines worked with
// exact water properties instead of closed-form fits. Per kilogram of magma: the water is
// heated at its initial density to equilibrium with the magma (and the rock of a wet
// sediment), then expands to the final pressure along two reversible paths, alone
// (adiabatic) or together with the hot solids at its own temperature (isothermal).
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace qrv::reference {

enum class Mixture { WaterMagma, SedimentMagma };

// SI units: K, Pa, J/(kg K).
struct ReferenceInput {
    Mixture mixture = Mixture::WaterMagma;
    double ratio = 0.3;   // R (water/magma) or Rs (wet sediment/magma), kg per kg of magma
    double XWater = 1.0;  // mass fraction of water in the wet sediment; unused for water/magma
    double TMagma = 1473;
    double TInit = 298;   // the water (or wet sediment) before interaction
    double PInit = 1e5;
    double PFinal = 1e5;
    double CMagma = 1000;
    double CRock = 1000;  // the solid part of the wet sediment

    auto operator<=>(const ReferenceInput&) const = default;
};

// Above the critical pressure no vapour separates: the water ends as liquid below the
// critical temperature and as a supercritical fluid above it, with steam fraction 0.
enum class Phase { Liquid, TwoPhase, Vapour, Supercritical };

// "liquid", "two-phase", "vapour", "supercritical".
std::string_view phaseName(Phase phase);

struct PathResult {
    double CR = 0;      // conversion ratio: W as a percentage of EMagma
    double W = 0;       // work, J per kg of magma
    double X = 0;       // steam mass fraction of the water at the end, 0..1
    double TFinal = 0;  // K
    Phase phase = Phase::Liquid;

    double waterFraction() const { return 1 - X; }
};

struct Reference {
    double TEq = 0;    // K
    double PEq = 0;    // Pa
    double SEq = 0;    // J/(kg K)
    double UEq = 0;    // J/kg
    double RhoEq = 0;  // kg/m3, the initial density of the water
    PathResult adiabatic;
    PathResult isothermal;
    // The initial, equilibrium or a final state lies beyond 273.16..1273 K or 1000 MPa (or
    // at a pressure not above 0, a stretched liquid), where IAPWS-95 is extrapolated.
    bool outsideValidity = false;
};

// What is shown beside a reference whose outsideValidity is set.
inline constexpr std::string_view kOutsideValidityNote = "outside IAPWS-95 validity (extrapolated)";
// What is shown beside a reference whose conversion ratio (either path) exceeds 100 %: the
// ratio counts only the magma's heat, while water heated or compressed beforehand brings
// energy of its own.
inline constexpr std::string_view kAboveMagmaHeatNote =
    "conversion ratio above 100 %: hot or compressed initial water adds its own energy";

struct ReferenceOutcome {
    std::optional<Reference> reference;  // empty when there is no reference
    std::string reason;                  // why not, when there is none
};

// Never throws: inputs the model cannot take (ice, a magma below 298 K, ...) and solves that
// fail come back as a reason.
ReferenceOutcome computeReference(const ReferenceInput& input) noexcept;

} // namespace qrv::reference
