#include "runs/startupvalues.h"

#include "display/enginehost.h"
#include "display/inputwindow.h"
#include "base/numberformat.h"
#include "model/calcstate.h"

namespace qrv {

void SetDefaults(CalcState& s, EngineHost& host)
{
    setStartUpValues(s);
    using namespace inputwindow;
    host.setText(kWaterTemperature, formatGeneral(s.TInit));
    host.setText(kInitialPressure, formatFixed(s.PInit / 1e6, 1));
    host.setText(kEntropy, formatFixed(s.SInit, 3));
    host.setText(kCv, formatFixed(s.CvInit, 3));
    host.setText(kAmbientPressure, formatFixed(s.PFinal / 1e6, 1));
    host.setText(kRatio, formatFixed(s.RInput, 2));
    host.setText(kMagmaTemperature, formatGeneral(s.TMagma));
    host.setText(kRatioCaption, caption::kWaterRatio);
    host.setText(kWaterFraction, caption::kUnusedWaterFraction);
    host.setEnabled(kWaterFractionCaption, false);
    host.setEnabled(kWaterFraction, false);
    host.setChecked(kEntropyExtrapolation, true);
    host.processEvents();
}

} // namespace qrv
