#include "display/equilibriumwindow.h"

#include "base/numberformat.h"
#include "model/calcstate.h"

#include <string>

namespace qrv {

namespace {

std::string ratioCaption(const CalcState& s)
{
    if (s.XWater == 1.0f)
        return "R = " + formatFixed(s.RInput, 3);
    return "Rs = " + formatFixed(s.RInput, 3) + "  --  R = " + formatFixed(s.RWater, 3);
}

} // namespace

void showEquilibrium(const CalcState& s, EngineHost& host)
{
    using namespace equilibriumwindow;
    host.setText(kRatio, ratioCaption(s));
    host.setText(kMagmaTemperature, "Tmagma = " + formatFixed(s.TMagma, 0));
    showNumber(host, kTemperature, s.TEq);
    showNumber(host, kEntropy, s.SEq / 1000.0);
    showNumber(host, kPressure, s.PEq / 1e6);
    showNumber(host, kDensity, s.RhoEq);
    showNumber(host, kInternalEnergy, s.UEq / 1000.0);
    showNumber(host, kHeatCapacity, s.CpEq / 1000.0);
    showNumber(host, kGamma, s.GammaEq);
    showNumber(host, kSteamFraction, s.XEq);
}

} // namespace qrv
