#include "engine/calcstate.h"

#include "engine/enginehost.h"
#include "engine/inputcaptions.h"
#include "engine/numberformat.h"

namespace qrv {

void SetDefaults(CalcState& s, EngineHost& host)
{
    s.TInit = kStartUpTemperatureK;
    host.setText(Window::Main, "txtTInit", formatGeneral(s.TInit));
    s.LIce = 334000.0f;
    s.PInit = kStartUpPressurePa;
    host.setText(Window::Main, "txtPInit", formatFixed(s.PInit / 1e6, 1));
    s.SInit = kStartUpEntropy;
    host.setText(Window::Main, "txtSInit", formatFixed(s.SInit, 3));
    s.CvInit = kStartUpCv;
    host.setText(Window::Main, "txtCvInit", formatFixed(s.CvInit, 3));
    s.VInit = 0.00100295f;
    s.PFinal = 100000.0f;
    host.setText(Window::Main, "txtPfin", formatFixed(s.PFinal / 1e6, 1));
    s.RInput = 0.3f;
    host.setText(Window::Main, "txtR", formatFixed(s.RInput, 2));
    s.TMagma = 1473.0f;
    host.setText(Window::Main, "txtTMagma", formatGeneral(s.TMagma));
    host.setText(Window::Main, "Label7", caption::kWaterRatio);
    s.XWater = 1.0f;
    host.setText(Window::Main, "txtXmix", caption::kUnusedWaterFraction);
    host.setEnabled(Window::Main, "Label9", false);
    host.setEnabled(Window::Main, "txtXmix", false);
    s.RGas = 461.51f;
    s.CMagma = 1000.0f;
    s.CRock = 1000.0f;
    s.TCrit = 647.1f;
    s.PCrit = 22.064e6f;
    s.SCrit = 4409.0f;
    host.setChecked(Window::Main, "optSext", true);
    s.WAdiabatic = 0.0f;
    s.WIsothermal = 0.0f;
    s.TEq = 0.0f;
    s.SEq = 0.0f;
    host.processEvents();
}

} // namespace qrv
