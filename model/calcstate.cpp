#include "model/calcstate.h"

namespace qrv {

void setStartUpValues(CalcState& s)
{
    s.TInit = kStartUpTemperatureK;
    s.LIce = 334000.0f;
    s.PInit = kStartUpPressurePa;
    s.SInit = kStartUpEntropy;
    s.CvInit = kStartUpCv;
    s.VInit = 0.00100295f;
    s.PFinal = kStartUpAmbientPressurePa;
    s.RInput = kStartUpRatio;
    s.TMagma = kStartUpMagmaTemperatureK;
    s.XWater = 1.0f;
    s.RGas = 461.51f;
    s.CMagma = 1000.0f;
    s.CRock = 1000.0f;
    s.TCrit = 647.1f;
    s.PCrit = 22.064e6f;
    s.SCrit = 4409.0f;
    s.WAdiabatic = 0.0f;
    s.WIsothermal = 0.0f;
    s.TEq = 0.0f;
    s.SEq = 0.0f;
}

} // namespace qrv
