#include "runs/startupvalues.h"

#include "display/enginehost.h"
#include "display/inputcaptions.h"
#include "base/numberformat.h"
#include "model/calcstate.h"

namespace qrv {

void SetDefaults(CalcState& s, EngineHost& host)
{
    setStartUpValues(s);
    host.setText(Window::Main, "txtTInit", formatGeneral(s.TInit));
    host.setText(Window::Main, "txtPInit", formatFixed(s.PInit / 1e6, 1));
    host.setText(Window::Main, "txtSInit", formatFixed(s.SInit, 3));
    host.setText(Window::Main, "txtCvInit", formatFixed(s.CvInit, 3));
    host.setText(Window::Main, "txtPfin", formatFixed(s.PFinal / 1e6, 1));
    host.setText(Window::Main, "txtR", formatFixed(s.RInput, 2));
    host.setText(Window::Main, "txtTMagma", formatGeneral(s.TMagma));
    host.setText(Window::Main, "Label7", caption::kWaterRatio);
    host.setText(Window::Main, "txtXmix", caption::kUnusedWaterFraction);
    host.setEnabled(Window::Main, "Label9", false);
    host.setEnabled(Window::Main, "txtXmix", false);
    host.setChecked(Window::Main, "optSext", true);
    host.processEvents();
}

} // namespace qrv
