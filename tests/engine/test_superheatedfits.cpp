// The superheated-steam fits against IAPWS-95: the refitted 1 and 5 MPa temperature rows
// and the ideal-gas entropy below 0.1 MPa.
#include "display/recordinghost.h"
#include "model/calcstate.h"
#include "model/isobars.h"
#include "model/statesuper.h"
#include "steam/densitysolver.h"
#include "steam/saturation.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qrv;

namespace {

// StateSuper's temperature for the entropy at the pressure, with TEq far above it.
float fittedTemperature(float pressurePa, double entropy)
{
    CalcState s;
    RecordingHost host;
    s.PFinal = pressurePa;
    s.SFinal = float(entropy);
    s.TFinal = 0.0f;
    s.TEq = 1e6f;
    StateSuper(s, host);
    EXPECT_TRUE(host.messages().empty());
    return s.TFinal;
}

} // namespace

TEST(SuperheatedFits, RefittedRowsFollowIapws95AtTheirLevels)
{
    for (double pressurePa : {1e6, 5e6}) {
        const double tSat = steam::saturationAtPressure(pressurePa).temperatureK;
        for (double t = tSat + 0.5; t <= 1273.0; t += 10.0) {
            const double entropy = steam::stateAt(pressurePa, t).properties.entropy;
            EXPECT_NEAR(fittedTemperature(float(pressurePa), entropy), t, 5.0)
                << pressurePa << " Pa, " << t << " K";
        }
    }
}

TEST(SuperheatedFits, TemperatureBetweenLevelsLiesBetweenTheLevelValues)
{
    const float levels[] = {1e5f, 1e6f, 5e6f, 1e7f};
    for (double entropy : {6600.0, 7000.0, 7500.0, 8000.0, 8500.0}) {
        for (int i = 0; i + 1 < 4; ++i) {
            const float low = fittedTemperature(levels[i], entropy);
            const float high = fittedTemperature(levels[i + 1], entropy);
            const float mid = fittedTemperature(0.5f * (levels[i] + levels[i + 1]), entropy);
            EXPECT_GE(mid, std::fmin(low, high)) << entropy << " at level " << i;
            EXPECT_LE(mid, std::fmax(low, high)) << entropy << " at level " << i;
            EXPECT_LT(high, 2000.0f) << "a level row far from steam temperatures";
        }
    }
}

TEST(SuperheatedFits, EntropyBelowTenthMegapascalFollowsIapws95)
{
    for (double pressurePa : {5e4, 1e4}) {
        for (double t = steam::saturationAtPressure(pressurePa).temperatureK + 1.0; t <= 1200.0; t += 25.0) {
            const double expected = steam::stateAt(pressurePa, t).properties.entropy;
            EXPECT_NEAR(superheatedEntropy(t, float(pressurePa), 461.51).value(), expected, 50.0)
                << pressurePa << " Pa, " << t << " K";
        }
    }
}
