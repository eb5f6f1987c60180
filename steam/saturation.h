// The liquid-vapour saturation line of IAPWS-95: the auxiliary equations of IAPWS (1992) as a
// first guess, refined by the phase-equilibrium condition (equal pressure and Gibbs energy).
#pragma once

namespace qrv::steam {

struct SaturationAuxiliary {
    double pressurePa;
    double liquidDensity;
    double vapourDensity;
};

// Valid from the triple point to the critical temperature (exclusive).
SaturationAuxiliary auxiliarySaturation(double temperatureK);

struct Saturation {
    double pressurePa;
    double liquidDensity;
    double vapourDensity;
};

// The saturation state of IAPWS-95 itself at `temperatureK` < the critical temperature.
Saturation saturationAt(double temperatureK);

struct SaturationPoint {
    double temperatureK;
    Saturation saturation;
};

// The saturation state of IAPWS-95 at `pressurePa`, from the triple-point pressure up to the
// critical pressure (exclusive). Throws OutOfRange outside, and within 2.7 Pa of the critical
// pressure, where the saturation line is not resolved.
SaturationPoint saturationAtPressure(double pressurePa);

} // namespace qrv::steam
