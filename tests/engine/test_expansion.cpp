#include "runs/startupvalues.h"
#include "model/adiabat.h"
#include "model/calcstate.h"
#include "model/equilibrium.h"
#include "model/isobars.h"
#include "model/isotherm.h"
#include "model/statesat.h"
#include "tests/engine/enginetest.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace qrv;
using test::expectOnlyMessage;

namespace {

// Notes the saturation temperature at the moment the path enters the steam dome.
class DomeWatcher : public RecordingHost {
public:
    explicit DomeWatcher(const CalcState& s) : m_s(s) {}
    void setText(const Control& control, std::string_view text) override
    {
        if (text == "Expansion into steam dome")
            entryTemperature = m_s.TSat;
        RecordingHost::setText(control, text);
    }
    float entryTemperature = 0;

private:
    const CalcState& m_s;
};

// The start-up equilibrium (822 K, 148.9 MPa, supercritical vapour).
struct Expansion : ::testing::Test {
    Expansion()
    {
        SetDefaults(s, host);
        s.RWater = s.RInput;
        Calculate1(s, host);
        host.clearLog();
    }
    void saturationAt(float pressurePa)
    {
        s.TSat = 0.0f;
        s.PSat = pressurePa;
        StateSat(s, host);
    }
    // Water of one kilogram per kilogram of magma at 600.5 K, half way across the 599 K dome:
    // the walk tests 600, 599, ... so the first temperature tested is 599 K.
    void halfWayAcrossTheDome(EngineHost& via)
    {
        s.TSat = 599.0f;
        StateSat(s, via);
        s.TEq = 600.5f;
        s.SEq = (s.SfSat + s.SgSat) / 2;
        s.RWater = 1.0f;
        s.TAdiabatic = 0.0f;
    }
    std::string pathCaption() const { return host.text(Window::Results, "labPath"); }
    CalcState s;
    RecordingHost host;
};

} // namespace

TEST_F(Expansion, AdiabatAtAndAboveTheCriticalPressure)
{
    s.PFinal = s.PCrit;
    Adiabat(s, host);
    EXPECT_EQ(pathCaption(), "Supercritical final state");
    EXPECT_EQ(s.XFinal, 0.0f);
    EXPECT_GT(s.TFinal, 473.0f);
    EXPECT_EQ(s.WAdiabatic, float((double(s.UEq) - s.UFinal) * s.RWater));

    // Low entropy at 40 MPa ends as compressed liquid without any work.
    s.PFinal = 40e6f;
    s.SEq = 2000.0f;
    Adiabat(s, host);
    EXPECT_EQ(pathCaption(), "Supercooled final state");
    EXPECT_LE(s.TFinal, 473.0f);
    EXPECT_EQ(s.TSat, s.TFinal);
    EXPECT_EQ(s.UFinal, s.UEq);
    EXPECT_EQ(s.VFinal, s.VfSat);
    EXPECT_EQ(s.WAdiabatic, 0.0f);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_EQ(host.pausedMs(), 2000);
}

TEST_F(Expansion, AdiabatSaturationBoundsBelongToTheSinglePhaseSides)
{
    saturationAt(1e5f);
    const float liquid = s.SfSat, vapour = s.SgSat, uLiquid = s.UfSat, vLiquid = s.VfSat;

    s.SEq = liquid;
    Adiabat(s, host);
    EXPECT_EQ(pathCaption(), "Supercooled final state");
    EXPECT_EQ(s.XFinal, 0.0f);
    EXPECT_EQ(s.TFinal, 373.0f);
    EXPECT_EQ(s.UFinal, uLiquid);
    EXPECT_EQ(s.VFinal, vLiquid);

    s.SEq = vapour;
    Adiabat(s, host);
    EXPECT_EQ(pathCaption(), "Superheated final state");
    EXPECT_EQ(s.XFinal, 1.0f);
    EXPECT_GE(s.TFinal, 373.0f);
    EXPECT_LE(s.TFinal, s.TEq);

    // Cooler than boiling but inside the dome: the final temperature stays TEq.
    s.TEq = 350.0f;
    s.SEq = (liquid + vapour) / 2;
    s.RWater = 0.0f;
    Adiabat(s, host);
    EXPECT_EQ(pathCaption(), "Two-phase final state");
    EXPECT_EQ(s.TFinal, 350.0f);
    EXPECT_NEAR(s.XFinal, 0.5, 1e-6);
    EXPECT_EQ(s.WAdiabatic, 0.0f);
}

TEST_F(Expansion, AdiabatFailureSkipsWorkAndPause)
{
    s.RWater = 1e38f;
    Adiabat(s, host);
    expectOnlyMessage(host, "Adiabat error: Overflow\nTry different values");
    EXPECT_EQ(s.WAdiabatic, 0.0f);
    EXPECT_GT(s.XFinal, 0.0f) << "the two-phase state was stored before the work";
    EXPECT_EQ(host.pausedMs(), 0);
}

TEST_F(Expansion, IsothermSupercriticalLiquidEnd)
{
    s.TEq = 500.0f;
    s.PEq = 1e9f;
    s.PFinal = 40e6f;
    s.RWater = 1.0f;
    s.CvEq = s.CvEqA = 9000.0f;
    s.CvEqB = 4000.0f;     // the single-phase cooling takes this copy
    s.TAdiabatic = 460.0f; // lifts the power-law temperature of about 431 K
    Isotherm(s, host);
    EXPECT_EQ(s.TFinal, 460.0f);
    EXPECT_EQ(pathCaption(), "Supercooled final state");
    EXPECT_EQ(s.XFinal, 0.0f);
    EXPECT_EQ(s.UFinal, s.UEq);
    EXPECT_FLOAT_EQ(s.WIsothermal, 40.0f * (4000.0f + 1000.0f));
    EXPECT_EQ(host.pausedMs(), 0);
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(Expansion, IsothermWithoutCoolingRangeSkipsTheDomeSearch)
{
    s.TAdiabatic = s.TEq;
    Isotherm(s, host);
    EXPECT_EQ(s.TFinal, s.TEq);
    EXPECT_EQ(host.captions(), std::vector<std::string>{"Superheated final state"});
    EXPECT_EQ(s.XFinal, 1.0f);
    EXPECT_EQ(s.WIsothermal, float((double(s.UEq) - s.UFinal) * s.RWater));
}

TEST_F(Expansion, IsothermStepsFromTheEvenWholeKelvin)
{
    DomeWatcher watcher(s);
    halfWayAcrossTheDome(watcher);
    s.PEq = 1e7f;
    s.CvEq = s.CvEqA = s.CvEqB = 4000.0f;
    Isotherm(s, watcher);
    EXPECT_EQ(watcher.entryTemperature, 599.0f);
    ASSERT_GE(watcher.captions().size(), 2u);
    EXPECT_EQ(watcher.captions()[0], "Expansion into steam dome");
    EXPECT_TRUE(watcher.messages().empty());
}

// The three copies of the equilibrium Cv each have their own terms: CvEqA the power law of
// the final temperature, CvEq the cooling inside the dome, CvEqB the single-phase cooling.
TEST_F(Expansion, IsothermWorkTermsUseTheirOwnCvCopies)
{
    struct Case { float pEq, pFinal; const char* end; };
    for (const Case& c : {Case{1e8f, 5e6f, "Two-phase final state"}, Case{5e6f, 1e5f, "Superheated final state"}}) {
        SCOPED_TRACE(c.end);
        host.clearLog();
        halfWayAcrossTheDome(host);
        s.PEq = c.pEq;
        s.PFinal = c.pFinal;
        s.CvEqA = 3000.0f;
        s.CvEq = 4000.0f;
        s.CvEqB = 5000.0f;
        Isotherm(s, host);
        ASSERT_EQ(host.captions(), (std::vector<std::string>{"Expansion into steam dome", c.end}));
        ASSERT_TRUE(host.messages().empty());

        const double k = 461.51 / (3000.0 + 1000.0);
        EXPECT_FLOAT_EQ(s.TFinal, float(600.5 * std::pow(double(c.pFinal) / c.pEq, k)));
        const double magma = (600.5 - s.TFinal) * 1000.0;
        // The walk's last saturation state is left in the work area; TSat is the last step.
        double water = 0;
        if (s.XFinal < 1.0f) {
            const double sfg = double(s.SgSat) - s.SfSat;
            const double e = double(s.UfgSat) - double(s.VfgSat) * s.PSat;
            water = (600.5 - s.TFinal) * 4000.0 + e * (s.SEq - s.SfSat) / sfg - e * s.XFinal;
        } else {
            water = (600.5 - s.TSat) * 4000.0 + double(s.UEq) - s.UFinal + (s.TSat - s.TFinal) * 5000.0;
        }
        EXPECT_FLOAT_EQ(s.WIsothermal, float(water + magma));
    }
}

TEST_F(Expansion, IsothermFailuresLeaveTheFirstSteps)
{
    s.PEq = 0.0f;
    s.TFinal = 5.0f;
    s.WIsothermal = 5.0f;
    Isotherm(s, host);
    expectOnlyMessage(host, "Isotherm error: Division by zero\nTry different values");
    EXPECT_EQ(s.TFinal, 0.0f);
    EXPECT_EQ(s.WIsothermal, 0.0f);
    EXPECT_EQ(s.UFinal, s.UEq);

    // The whole-kelvin step temperature is a 16-bit integer.
    host.clearLog();
    s.PEq = 1e8f;
    s.TEq = 40000.0f;
    Isotherm(s, host);
    expectOnlyMessage(host, "Isotherm error: Overflow\nTry different values");
    EXPECT_LT(s.TFinal, s.TEq);
    EXPECT_GE(s.SFinal, s.SEq);
}

TEST(SuperheatedEntropy, IsobarsAndTheirInterpolation)
{
    // 0.1 MPa isobar at 400 K: 1000 (4.9319226 - 0.110798 + 3.0655052 - 0.3857803).
    EXPECT_NEAR(superheatedEntropy(400.0, 1e5f, 461.51).value(), 7500.85, 0.01);

    for (float bound : {1e6f, 5e6f, 1e7f, 1.5e7f, 2e7f, 3e7f, 4e7f, 6e7f, 8e7f}) {
        const double at = superheatedEntropy(900.0, bound, 461.51).value();
        const double below = superheatedEntropy(900.0, std::nextafter(bound, 0.0f), 461.51).value();
        EXPECT_NEAR(below, at, 1e-3) << bound;
    }

    // Above 120 MPa the 80/120 MPa line is extrapolated.
    const double s80 = superheatedEntropy(900.0, 8e7f, 461.51).value();
    const double s120 = superheatedEntropy(900.0, 1.2e8f, 461.51).value();
    EXPECT_NEAR(superheatedEntropy(900.0, 1.6e8f, 461.51).value(), s80 + (s120 - s80) * 2, 1e-6);

    // Below 0.1 MPa the 0.1 MPa isobar is shifted as an ideal gas, continuous at 0.1 MPa.
    const double s01 = superheatedEntropy(900.0, 1e5f, 461.51).value();
    EXPECT_NEAR(superheatedEntropy(900.0, 5e4f, 461.51).value(), s01 + 461.51 * std::log(2.0), 1e-6);
    EXPECT_NEAR(superheatedEntropy(900.0, std::nextafter(1e5f, 0.0f), 461.51).value(), s01, 1e-3);
}

// Above 80 MPa the entropy follows the line through the 80 and 120 MPa isobars, beyond
// 120 MPa too. Worked out by hand at 900 K:
//   80 MPa:  1000 (-19.005851 - 13.105701 + 37.066305 + 0.458185) = 5412.937630
//   120 MPa: 1000 (-12.496609 - 7.879088 + 25.314483 + 0.169773) = 5108.558864
TEST(SuperheatedEntropy, HighestIsobarsAndTheirExtrapolation)
{
    for (const auto& [pressurePa, entropy] : {std::pair{100e6f, 5260.748247}, {119e6f, 5116.168334},
                                              {120e6f, 5108.558864}, {150e6f, 4880.274791}})
        EXPECT_NEAR(superheatedEntropy(900.0, pressurePa, 461.51).value(), entropy, 1e-5) << pressurePa << " Pa";
}
