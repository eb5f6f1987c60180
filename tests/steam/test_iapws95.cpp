// The computer-program verification values published with the IAPWS-95 release.
#include "steam/iapws95.h"
#include "steam/saturation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <utility>

using namespace qrv::steam;

namespace {

void expectRelative(double actual, double expected, double tolerance, const char* what)
{
    EXPECT_NEAR(actual / expected, 1.0, tolerance) << what << ": " << actual << " vs " << expected;
}

} // namespace

TEST(Iapws95, HelmholtzPartsAndDerivativesAt500KAnd838kgm3)
{
    const double delta = 838.025 / 322.0;
    const double tau = 647.096 / 500.0;
    const HelmholtzTerms o = idealPart(delta, tau);
    const HelmholtzTerms r = residualPart(delta, tau);
    const double tolerance = 5e-9; // half a unit in the ninth digit
    expectRelative(o.phi, 0.204797733e1, tolerance, "ideal");
    expectRelative(o.d, 0.384236747, tolerance, "ideal d");
    expectRelative(o.dd, -0.147637878, tolerance, "ideal dd");
    expectRelative(o.t, 0.904611106e1, tolerance, "ideal t");
    expectRelative(o.tt, -0.193249185e1, tolerance, "ideal tt");
    EXPECT_EQ(o.dt, 0.0);
    expectRelative(r.phi, -0.342693206e1, tolerance, "residual");
    expectRelative(r.d, -0.364366650, tolerance, "residual d");
    expectRelative(r.dd, 0.856063701, tolerance, "residual dd");
    expectRelative(r.t, -0.581403435e1, tolerance, "residual t");
    expectRelative(r.tt, -0.223440737e1, tolerance, "residual tt");
    expectRelative(r.dt, -0.112176915e1, tolerance, "residual dt");
}

// Single-phase states at 300, 500, 647 (near the critical point) and 900 K, from the
// ideal-gas limit up to 700 MPa; values printed to nine significant digits.
TEST(Iapws95, SinglePhaseVerificationStates)
{
    struct Case { double temperatureK, density, pressureMPa, cvKJ, speedOfSound, entropyKJ; };
    const Case cases[] = {
        {300, 0.9965560e3, 0.992418352e-1, 0.413018112e1, 0.150151914e4, 0.393062643},
        {300, 0.1005308e4, 0.200022515e2, 0.406798347e1, 0.153492501e4, 0.387405401},
        {300, 0.1188202e4, 0.700004704e3, 0.346135580e1, 0.244357992e4, 0.132609616},
        {500, 0.4350000, 0.999679423e-1, 0.150817541e1, 0.548314253e3, 0.794488271e1},
        {500, 0.4532000e1, 0.999938125, 0.166991025e1, 0.535739001e3, 0.682502725e1},
        {500, 0.8380250e3, 0.100003858e2, 0.322106219e1, 0.127128441e4, 0.256690919e1},
        {500, 0.1084564e4, 0.700000405e3, 0.307437693e1, 0.241200877e4, 0.203237509e1},
        {647, 0.3580000e3, 0.220384756e2, 0.618315728e1, 0.252145078e3, 0.432092307e1},
        {900, 0.2410000, 0.100062559, 0.175890657e1, 0.724027147e3, 0.916653194e1},
        {900, 0.5261500e2, 0.200000690e2, 0.193510526e1, 0.698445674e3, 0.659070225e1},
        {900, 0.8707690e3, 0.700000006e3, 0.266422350e1, 0.201933608e4, 0.417223802e1},
    };
    const double tolerance = 1e-8;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.temperatureK << " K, " << c.density << " kg/m3");
        const Properties p = propertiesAt(c.temperatureK, c.density);
        expectRelative(p.pressurePa / 1e6, c.pressureMPa, tolerance, "p");
        expectRelative(p.cv / 1e3, c.cvKJ, tolerance, "cv");
        expectRelative(p.speedOfSound, c.speedOfSound, tolerance, "w");
        expectRelative(p.entropy / 1e3, c.entropyKJ, tolerance, "s");
    }
}

TEST(Iapws95, SaturationVerificationStates)
{
    struct Case {
        double temperatureK, pressureMPa, liquidDensity, vapourDensity;
        double liquidEnthalpyKJ, vapourEnthalpyKJ, liquidEntropyKJ, vapourEntropyKJ;
    };
    const Case cases[] = {
        {275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2, 0.775972202e1, 0.250428995e4,
         0.283094670e-1, 0.910660121e1},
        {450, 0.932203564, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4,
         0.210865845e1, 0.660921221e1},
        {625, 0.169082693e2, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4,
         0.380194683e1, 0.518506121e1},
    };
    const double tolerance = 1e-8;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.temperatureK << " K");
        const Saturation sat = saturationAt(c.temperatureK);
        const Properties liquid = propertiesAt(c.temperatureK, sat.liquidDensity);
        const Properties vapour = propertiesAt(c.temperatureK, sat.vapourDensity);
        expectRelative(sat.pressurePa / 1e6, c.pressureMPa, tolerance, "p");
        expectRelative(sat.liquidDensity, c.liquidDensity, tolerance, "rho'");
        expectRelative(sat.vapourDensity, c.vapourDensity, tolerance, "rho''");
        expectRelative(liquid.enthalpy / 1e3, c.liquidEnthalpyKJ, tolerance, "h'");
        expectRelative(vapour.enthalpy / 1e3, c.vapourEnthalpyKJ, tolerance, "h''");
        expectRelative(liquid.entropy / 1e3, c.liquidEntropyKJ, tolerance, "s'");
        expectRelative(vapour.entropy / 1e3, c.vapourEntropyKJ, tolerance, "s''");
    }
}

// The same states found from their pressure; and, where the verification values end, the
// saturation line close to the critical point found back from its own pressure.
TEST(Iapws95, SaturationAtPressureFindsTheVerificationTemperatures)
{
    const double tolerance = 1e-8;
    for (const auto& [temperatureK, pressureMPa] :
         {std::pair{275.0, 0.698451167e-3}, {450.0, 0.932203564}, {625.0, 0.169082693e2}}) {
        SCOPED_TRACE(testing::Message() << temperatureK << " K");
        const SaturationPoint sat = saturationAtPressure(pressureMPa * 1e6);
        expectRelative(sat.temperatureK, temperatureK, tolerance, "T");
        expectRelative(sat.saturation.pressurePa / 1e6, pressureMPa, tolerance, "p");
    }
    for (double temperatureK : {273.17, 646.9, 647.09}) {
        const SaturationPoint sat = saturationAtPressure(saturationAt(temperatureK).pressurePa);
        expectRelative(sat.temperatureK, temperatureK, 1e-10, "T near the ends of the line");
    }
}

// The line is resolved up to 10 microkelvin below the critical temperature: the pressure
// there is found back; a pressure half-way from it to the critical one is refused.
TEST(Iapws95, SaturationAtPressureHoldsToTenMicrokelvinBelowTheCriticalPoint)
{
    const double closestK = 647.096 - 1e-5;
    const double closestPa = saturationAt(closestK).pressurePa;
    const SaturationPoint sat = saturationAtPressure(closestPa);
    EXPECT_NEAR(sat.temperatureK, closestK, 1e-9);
    EXPECT_LT(sat.saturation.vapourDensity, sat.saturation.liquidDensity);
    EXPECT_THROW(saturationAtPressure(0.5 * (closestPa + 22.064e6)), std::runtime_error);
}

TEST(Iapws95, SaturationAtPressureRefusesPressuresOffTheLine)
{
    EXPECT_THROW(saturationAtPressure(600), std::runtime_error);
    EXPECT_THROW(saturationAtPressure(22.064e6), std::runtime_error);
    // A pascal below the critical pressure: closer than the line is resolved.
    EXPECT_THROW(saturationAtPressure(22.064e6 - 1), std::runtime_error);
    EXPECT_THROW(saturationAtPressure(30e6), std::runtime_error);
    EXPECT_THROW(saturationAtPressure(NAN), std::runtime_error);
}
