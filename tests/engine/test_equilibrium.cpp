#include "runs/startupvalues.h"
#include "model/calcstate.h"
#include "model/equilibrium.h"
#include "tests/engine/enginetest.h"

using namespace qrv;
using test::expectOnlyMessage;

namespace {

struct Equilibrium : ::testing::Test {
    Equilibrium() { SetDefaults(s, host); }
    bool run()
    {
        s.RWater = float(double(s.XWater) * double(s.RInput));
        return Calculate1(s, host);
    }
    CalcState s;
    RecordingHost host;
};

} // namespace

// Ice below 273 K first takes up its latent heat and warms with a mean heat capacity
// ci = (2050 - 0.66 (273 - T) + 2050) / 2; the freezing point itself is liquid. Expected
// temperatures worked out by hand, in double precision with R = 0.3 and Cmix = 4136.766 as
// stored:
//   TEq = (R Cmix T + 1473 x 1000 - 334000 R - R ci (273 - T)) / (R Cmix + 1000)
// A sign error in the slope of ci would move TEq by 0.14 K at 233 K, by only 0.009 K at 263 K.
TEST_F(Equilibrium, FrozenWaterTakesUpItsLatentHeatFirst)
{
    struct Case {
        float tInit;
        double tEq;
    };
    for (const Case& c : {Case{233.0f, 730.69903}, Case{263.0f, 755.47888}, Case{272.0f, 762.92835},
                          Case{273.0f, 808.46809}}) {
        s.TInit = c.tInit;
        run();
        EXPECT_NEAR(s.TEq, c.tEq, 2e-4) << "TInit " << c.tInit;
    }
}

TEST_F(Equilibrium, ConstantVolumeFallsBackToEntropyExtrapolation)
{
    run();
    const CalcState entropyState = s;

    s.ConstVolume = true;
    run();
    expectOnlyMessage(host, "Redlich-Kwong extrapolation failed!\nUsing entropy extrapolation.");
    EXPECT_EQ(s.PEq, entropyState.PEq);
    EXPECT_EQ(s.VEq, entropyState.VEq);
    EXPECT_EQ(s.SEq, entropyState.SEq);

    // A larger fixed volume gives a positive pressure, but far beyond the equation's range.
    host.clearLog();
    s.VInit = 0.002f;
    run();
    expectOnlyMessage(host, "Out of useful range for Redlich-Kwong EOS.");
    EXPECT_EQ(s.PEq, entropyState.PEq);
}

TEST_F(Equilibrium, RedlichKwongResultStandsInRange)
{
    s.ConstVolume = true;
    s.VInit = 1.0f;
    s.SEq = 1.5f;
    s.XEq = 0.25f;
    run();
    EXPECT_TRUE(host.messages().empty());
    EXPECT_EQ(s.VEq, 1.0f);
    EXPECT_EQ(s.RhoEq, 1.0f);
    EXPECT_NEAR(s.PEq, 378.42e3, 0.01e3); // RT / (v - b) - a / (T^0.5 v (v + b))
    EXPECT_EQ(s.SEq, 1.5f) << "the entropy extrapolation does not run";
    EXPECT_EQ(host.text(Window::Calc, "labX0"), "0.3");
    EXPECT_EQ(host.text(Window::Calc, "labP0"), "0.38");
}

TEST_F(Equilibrium, FailedEnergyBalanceKeepsEarlierCaptions)
{
    run();
    s.RInput = 0.0f;
    s.CMagma = 0.0f;
    s.XWater = 0.5f;
    run();
    expectOnlyMessage(host, "Calculate1 error: Overflow\nTry different values");
    EXPECT_NEAR(s.CMix, 2568.38, 0.01) << "stored before the failure";
    EXPECT_EQ(s.TEq, 822.3125f);
    EXPECT_EQ(host.text(Window::Calc, "labT0"), "822");
    EXPECT_EQ(host.text(Window::Calc, "labInitR"), "R = 0.300");
}

TEST_F(Equilibrium, TemperatureAtOrBelowAbsoluteZeroIsAFailure)
{
    EXPECT_TRUE(run());
    // So much ice at 1 K that melting it would take more heat than the magma has.
    s.TInit = 1.0f;
    s.RInput = 100.0f;
    host.clearLog();
    EXPECT_FALSE(run());
    expectOnlyMessage(host, "Calculate1 error: Absolute temperature at or below 0 K\nTry different values");
    EXPECT_EQ(s.TEq, 822.3125f) << "the last equilibrium stands";
}

TEST_F(Equilibrium, FailureInsideTheWaterStateFailsTheEquilibrium)
{
    s.TMagma = 1e30f;
    EXPECT_FALSE(run());
    ASSERT_FALSE(host.messages().empty());
    EXPECT_EQ(host.messages()[0].text.rfind("State0 error: ", 0), 0u) << host.messages()[0].text;

    s.TMagma = 1473.0f;
    host.clearLog();
    EXPECT_TRUE(run());
    EXPECT_TRUE(host.messages().empty());
}
