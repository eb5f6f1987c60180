#include "report/statefields.h"

namespace qrv {

#define QRV_FIELD(name) NumberField{#name, &CalcState::name}

const std::array<NumberField, 51> kNumberFields = {
    // Inputs
    QRV_FIELD(TInit), QRV_FIELD(PInit), QRV_FIELD(TMagma), QRV_FIELD(RInput), QRV_FIELD(XWater),
    QRV_FIELD(RWater), QRV_FIELD(PFinal), QRV_FIELD(CvInit), QRV_FIELD(SInit), QRV_FIELD(EMagma),
    // Constants
    QRV_FIELD(TCrit), QRV_FIELD(PCrit), QRV_FIELD(SCrit), QRV_FIELD(CMagma), QRV_FIELD(CRock),
    QRV_FIELD(RGas), QRV_FIELD(VInit), QRV_FIELD(LIce),
    // Equilibrium state
    QRV_FIELD(CMix), QRV_FIELD(TEq), QRV_FIELD(PEq), QRV_FIELD(SEq), QRV_FIELD(RhoEq), QRV_FIELD(VEq),
    QRV_FIELD(UEq), QRV_FIELD(XEq), QRV_FIELD(CpEq), QRV_FIELD(GammaEq), QRV_FIELD(CvEq),
    QRV_FIELD(CvEqA), QRV_FIELD(CvEqB),
    // Saturation work area
    QRV_FIELD(PSat), QRV_FIELD(TSat), QRV_FIELD(SfSat), QRV_FIELD(SgSat), QRV_FIELD(UfSat),
    QRV_FIELD(UgSat), QRV_FIELD(UfgSat), QRV_FIELD(VfSat), QRV_FIELD(VfgSat),
    // Final state and results
    QRV_FIELD(TFinal), QRV_FIELD(SFinal), QRV_FIELD(UFinal), QRV_FIELD(VFinal), QRV_FIELD(XFinal),
    QRV_FIELD(WAdiabatic), QRV_FIELD(WIsothermal), QRV_FIELD(XAdiabatic), QRV_FIELD(XIsothermal),
    QRV_FIELD(TAdiabatic), QRV_FIELD(TIsothermal),
};

#undef QRV_FIELD

const std::array<FlagField, 3> kFlagFields = {
    FlagField{"ConstVolume", &CalcState::ConstVolume},
    FlagField{"AdiError", &CalcState::AdiError},
    FlagField{"IsoError", &CalcState::IsoError},
};

} // namespace qrv
