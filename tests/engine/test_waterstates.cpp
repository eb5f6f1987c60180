#include "runs/startupvalues.h"
#include "model/calcstate.h"
#include "model/state0.h"
#include "model/statesat.h"
#include "model/statesuper.h"
#include "tests/engine/enginetest.h"

#include <cmath>

using qrv::CalcState;
using qrv::RecordingHost;
using qrv::test::expectOnlyMessage;

namespace {

// Each test starts from the start-up state.
struct WaterState : ::testing::Test {
    WaterState() { SetDefaults(s, host); }
    // Saturation by pressure: StateSat finds the temperature when TSat is 0.
    void saturationAt(float pressurePa)
    {
        s.TSat = 0.0f;
        s.PSat = pressurePa;
        qrv::StateSat(s, host);
    }
    void superheated(float tEq, float vEq, float pFinal, float sFinal)
    {
        s.TEq = tEq;
        s.VEq = vEq;
        s.PFinal = pFinal;
        s.SFinal = sFinal;
        s.TFinal = 0.0f;
        qrv::StateSuper(s, host);
    }
    CalcState s;
    RecordingHost host;
};
using StateSat = WaterState;
using StateSuper = WaterState;
using State0 = WaterState;

} // namespace

TEST_F(StateSat, AtNormalBoilingPointByTemperature)
{
    s.TSat = 373.0f;
    s.UgSat = -1.0f;
    qrv::StateSat(s, host);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_EQ(s.PSat, 1e5f);
    EXPECT_EQ(s.TSat, 373.0f);
    EXPECT_NEAR(s.SfSat, 1311.1, 0.1);
    EXPECT_NEAR(s.SgSat, 7344.4, 0.1);
    EXPECT_NEAR(s.UfSat, 419244, 1);
    EXPECT_NEAR(s.UfgSat, 2065342, 1);
    EXPECT_NEAR(s.VfSat, 0.0010705, 1e-7);
    EXPECT_NEAR(s.VfgSat, 1.6732, 1e-4);
    EXPECT_EQ(s.UgSat, -1.0f) << "the temperature form leaves the vapour energy alone";
}

TEST_F(StateSat, ByPressure)
{
    saturationAt(1e5f);
    EXPECT_EQ(s.TSat, 373.0f);

    s.UfgSat = -1.0f;
    saturationAt(1e6f);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_NEAR(s.TSat, 453.45, 0.01);
    EXPECT_NEAR(s.SfSat, 2128.7, 0.1);
    EXPECT_NEAR(s.SgSat, 6577.4, 0.1);
    EXPECT_NEAR(s.UfSat, 761291, 1);
    EXPECT_NEAR(s.UgSat, 2570274, 1);
    EXPECT_EQ(s.PSat, 1e6f);
    EXPECT_EQ(s.UfgSat, -1.0f) << "the pressure form leaves the evaporation energy alone";

    // Above the critical pressure the fitted temperature is held at the critical one.
    saturationAt(25e6f);
    EXPECT_EQ(s.TSat, s.TCrit);
}

// Zero or negative pressure fails before anything is stored; far above the range of the fit its
// temperature turns negative.
TEST_F(StateSat, NoStateAtOrBelowZeroIsReturned)
{
    for (const auto& [pressure, error] : {std::pair{0.0f, "Invalid procedure call or argument"},
                                          {-1e5f, "Invalid procedure call or argument"},
                                          {1e9f, "Absolute temperature at or below 0 K"}}) {
        host.clearLog();
        s.SfSat = 123.0f;
        saturationAt(pressure);
        expectOnlyMessage(host, "StateSat error: " + std::string(error) + "\nTry different values");
        EXPECT_EQ(s.TSat, 0.0f);
        EXPECT_EQ(s.SfSat, 123.0f);
    }

    // So cold that the fitted vapour pressure vanishes.
    host.clearLog();
    s.TSat = 20.0f;
    s.PSat = 7.0f;
    qrv::StateSat(s, host);
    expectOnlyMessage(host, "StateSat error: Pressure at or below 0\nTry different values");
    EXPECT_EQ(s.PSat, 7.0f);
}

TEST_F(StateSuper, LowestLevelAtAndBelowNormalPressure)
{
    for (float pressure : {1e5f, 5e4f}) {
        superheated(1000.0f, 0.001f, pressure, 7500.0f);
        EXPECT_TRUE(host.messages().empty());
        EXPECT_NEAR(s.TFinal, 400.30, 0.01);
        EXPECT_NEAR(s.UFinal, 2546984, 1);
        EXPECT_NEAR(s.VFinal, 1.7685, 1e-4);
        EXPECT_EQ(s.SFinal, 7500.0f);
    }
}

TEST_F(StateSuper, InterpolatesBetweenLevelsAndKeepsItsBounds)
{
    superheated(1000.0f, 0.001f, 15e6f, 6500.0f);
    EXPECT_NEAR(s.TFinal, (744.70 + 871.53) / 2, 0.01);

    // A computed temperature never exceeds TEq, and the volume never drops below VEq.
    superheated(700.0f, 1.0f, 15e6f, 6500.0f);
    EXPECT_EQ(s.TFinal, 700.0f);
    EXPECT_EQ(s.VFinal, 1.0f);

    // A given temperature stays, even above TEq.
    s.TFinal = 900.0f;
    qrv::StateSuper(s, host);
    EXPECT_EQ(s.TFinal, 900.0f);
    EXPECT_TRUE(host.messages().empty());
}

// The 80 and 120 MPa levels, interpolated below 120 MPa and extrapolated above it. Expected
// values worked out by hand from the two levels' fits at s = 5.5 kJ/(kg K):
//   80 MPa:  T 929.03759 K, U 2808563.07 J/kg, v 0.00394748854 m3/kg
//   120 MPa: T 990.18153 K, U 2879035.08 J/kg, v 0.00304793741 m3/kg
// and q(p) = q80 + (q120 - q80) (p - 80) / 40.
TEST_F(StateSuper, HighestLevelsAndTheirExtrapolation)
{
    struct Case {
        float pressurePa;
        double t, u, v;
    };
    for (const Case& c : {Case{100e6f, 959.60956, 2843799.07, 0.00349771297},
                          Case{119e6f, 988.65294, 2877273.28, 0.00307042619},
                          Case{120e6f, 990.18153, 2879035.08, 0.00304793741},
                          Case{150e6f, 1036.03950, 2931889.08, 0.00237327406},
                          Case{200e6f, 1112.46943, 3019979.08, 0.00124883514}}) {
        superheated(2000.0f, 1e-4f, c.pressurePa, 5500.0f);
        EXPECT_TRUE(host.messages().empty());
        EXPECT_NEAR(s.TFinal, c.t, 2e-4) << c.pressurePa << " Pa";
        EXPECT_NEAR(s.UFinal, c.u, 0.5) << c.pressurePa << " Pa";
        EXPECT_NEAR(s.VFinal, c.v, 1e-9) << c.pressurePa << " Pa";
    }
}

// Zero entropy fails only when the temperature must be found; an entropy far below any
// vapour gives about -490 K from the fit.
TEST_F(StateSuper, EntropyWithoutATemperatureAboveZeroIsAFailure)
{
    for (const auto& [entropy, error] :
         {std::pair{0.0f, "Division by zero"}, {3000.0f, "Absolute temperature at or below 0 K"}}) {
        host.clearLog();
        s.UFinal = 5.0f;
        superheated(1000.0f, s.VEq, 1e5f, entropy);
        expectOnlyMessage(host, "StateSuper error: " + std::string(error) + "\nTry different values");
        EXPECT_EQ(s.TFinal, 0.0f);
        EXPECT_EQ(s.UFinal, 5.0f);
    }
    host.clearLog();
    s.SFinal = 0.0f;
    s.TFinal = 400.0f;
    qrv::StateSuper(s, host);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_EQ(s.UFinal, 365593.11f);
}

TEST_F(State0, AtRoomTemperature)
{
    s.TEq = 298.0f;
    qrv::State0(s, host);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_EQ(s.SEq, s.SInit);
    EXPECT_NEAR(s.PEq, 2.25e6, 0.01e6);
    EXPECT_NEAR(s.RhoEq, 996.7, 0.1);
    EXPECT_EQ(s.VEq, float(1.0 / double(s.RhoEq)));
    EXPECT_EQ(s.CvEqA, s.CvEq);
    EXPECT_EQ(s.CvEqB, s.CvEq);
    EXPECT_EQ(s.TSat, 298.0f) << "classified against the saturation state at TEq";

    s.PInit = 5e6f;
    qrv::State0(s, host);
    EXPECT_EQ(s.PEq, 5e6f);
}

TEST_F(State0, AboveCriticalPressureTheCriticalEntropyDecides)
{
    s.PInit = 30e6f;
    s.TEq = 700.0f;
    s.TSat = 1.0f;
    qrv::State0(s, host);
    EXPECT_EQ(s.TSat, 1.0f) << "no saturation state above the critical pressure";
    s.SCrit = s.SEq;
    qrv::State0(s, host);
    EXPECT_EQ(s.XEq, 1.0f);
    s.SCrit = std::nextafter(s.SEq, 1e9f);
    qrv::State0(s, host);
    EXPECT_EQ(s.XEq, 0.0f);
}

TEST_F(State0, NonPositiveTemperatureFailsFirstThing)
{
    for (float t : {0.0f, -5.0f}) {
        host.clearLog();
        s.TEq = t;
        s.SEq = 42.0f;
        qrv::State0(s, host);
        expectOnlyMessage(host, "State0 error: Invalid procedure call or argument\nTry different values");
        EXPECT_EQ(s.SEq, 42.0f);
    }
}
