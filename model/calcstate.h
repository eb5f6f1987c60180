// The program-wide calculation state: inputs, constants, equilibrium state, the saturation
// work area, the final state and the results of one calculation. SI units, single precision.
#pragma once

namespace qrv {

struct CalcState {
    // Inputs
    float TInit = 0;       // K, initial water (or wet sediment) temperature
    float PInit = 0;       // Pa, confining pressure
    float TMagma = 0;      // K
    float RInput = 0;      // typed ratio: R, or Rs in sediment/magma mode
    float XWater = 0;      // water mass fraction of the wet sediment; exactly 1 for water/magma
    float RWater = 0;      // water/magma mass ratio, XWater x RInput
    float PFinal = 0;      // Pa, ambient pressure
    float CvInit = 0;      // J/(kg K)
    float SInit = 0;       // J/(kg K)
    bool ConstVolume = false;
    float EMagma = 0;      // J/kg, heat of one kilogram of magma cooling to 298 K

    // Constants
    float TCrit = 0, PCrit = 0, SCrit = 0;
    float CMagma = 0, CRock = 0, RGas = 0;
    float VInit = 0;       // m3/kg
    float LIce = 0;        // J/kg

    // Equilibrium state
    float CMix = 0, TEq = 0, PEq = 0, SEq = 0, RhoEq = 0, VEq = 0, UEq = 0, XEq = 0;
    float CpEq = 0, GammaEq = 0, CvEq = 0, CvEqA = 0, CvEqB = 0;

    // Saturation work area
    float PSat = 0, TSat = 0, SfSat = 0, SgSat = 0, UfSat = 0, UgSat = 0, UfgSat = 0;
    float VfSat = 0, VfgSat = 0;

    // Final state and results
    float TFinal = 0, SFinal = 0, UFinal = 0, VFinal = 0, XFinal = 0;
    float WAdiabatic = 0, WIsothermal = 0;
    float XAdiabatic = 0, XIsothermal = 0, TAdiabatic = 0, TIsothermal = 0;
    bool AdiError = false, IsoError = false;
};

// The water state the program starts with, and the entropy and Cv of water there, J/(kg K).
inline constexpr float kStartUpTemperatureK = 298.0f;
inline constexpr float kStartUpPressurePa = 100000.0f;
inline constexpr float kStartUpEntropy = 366.93f;
inline constexpr float kStartUpCv = 4136.766f;

// The typed inputs the program starts with.
inline constexpr float kStartUpMagmaTemperatureK = 1473.0f;
inline constexpr float kStartUpAmbientPressurePa = 100000.0f;
inline constexpr float kStartUpRatio = 0.3f;

// Fills the state with the start-up inputs and the constants of water, magma and rock.
void setStartUpValues(CalcState& s);

} // namespace qrv
