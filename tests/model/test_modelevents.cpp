#include "model/adiabat.h"
#include "model/calcstate.h"
#include "model/equilibrium.h"
#include "model/isotherm.h"
#include "model/modelevents.h"
#include "model/statesat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qrv;

namespace {

// Keeps every event in order, as a listener that shows nothing.
struct Listener : ModelEvents {
    struct Fault {
        std::string routine;
        FaultKind kind;
    };
    std::vector<Fault> faults;
    std::vector<ModelWarning> warnings;
    std::vector<PathStage> stages;
    int holds = 0;
    int equilibria = 0;
    bool lastWasHold = false;

    void warning(ModelWarning w) override { warnings.push_back(w), lastWasHold = false; }
    void pathStage(PathStage stage) override { stages.push_back(stage), lastWasHold = false; }
    void holdProgress() override { ++holds, lastWasHold = true; }
    void equilibriumFound(const CalcState&) override { ++equilibria, lastWasHold = false; }
    void faultReported(std::string_view routine, EngineFault f) override
    {
        faults.push_back({std::string(routine), f.kind});
        lastWasHold = false;
    }
};

struct Model : ::testing::Test {
    Model() { setStartUpValues(s); }
    bool equilibrium(float ratio, float ambientPa)
    {
        s.RInput = ratio;
        s.RWater = ratio;
        s.PFinal = ambientPa;
        s.EMagma = (s.TMagma - 298.0f) * s.CMagma;
        return Calculate1(s, events);
    }
    CalcState s;
    Listener events;
};

} // namespace

// Whatever final state the adiabatic path reaches, the stage it told is that state's, and
// the path ends by holding it for the reader. Ratios and pressures span the liquid,
// two-phase, superheated and supercritical ends.
TEST_F(Model, AdiabatTellsTheFinalStateItReachesAndHoldsIt)
{
    for (float ratio : {0.05f, 0.3f, 1.0f, 5.0f, 20.0f}) {
        for (float ambientPa : {1e4f, 1e5f, 1e6f, 1e7f, 3e7f}) {
            events = Listener{};
            setStartUpValues(s);
            ASSERT_TRUE(equilibrium(ratio, ambientPa)) << ratio << " " << ambientPa;
            Adiabat(s, events);
            SCOPED_TRACE(testing::Message() << "R " << ratio << ", ambient " << ambientPa << " Pa");
            ASSERT_TRUE(events.faults.empty());
            ASSERT_EQ(events.stages.size(), 1u);
            EXPECT_TRUE(events.lastWasHold);
            switch (events.stages[0]) {
            case PathStage::TwoPhase: EXPECT_TRUE(s.XFinal > 0.0f && s.XFinal < 1.0f); break;
            case PathStage::Superheated: EXPECT_EQ(s.XFinal, 1.0f); break;
            case PathStage::Supercooled: EXPECT_EQ(s.XFinal, 0.0f); break;
            case PathStage::Supercritical: EXPECT_GE(s.PFinal, s.PCrit); EXPECT_GT(s.TFinal, 473.0f); break;
            case PathStage::IntoSteamDome: ADD_FAILURE() << "the adiabatic path has no dome walk";
            }
        }
    }
}

// The isothermal path holds every stage it tells, and a walk into the steam dome is told
// before the final state.
TEST_F(Model, IsothermHoldsEveryStageItTells)
{
    ASSERT_TRUE(equilibrium(0.3f, 1e5f));
    Adiabat(s, events);
    s.TAdiabatic = s.TFinal;
    const int holdsBefore = events.holds;
    events.stages.clear();
    Isotherm(s, events);
    ASSERT_TRUE(events.faults.empty());
    ASSERT_FALSE(events.stages.empty());
    EXPECT_EQ(events.holds - holdsBefore, int(events.stages.size()));
    for (std::size_t i = 0; i + 1 < events.stages.size(); ++i)
        EXPECT_EQ(events.stages[i], PathStage::IntoSteamDome);
    EXPECT_NE(events.stages.back(), PathStage::IntoSteamDome);
}

// Constant-volume heating where the Redlich-Kwong pressure cannot be used warns, says why,
// and falls back to the entropy extrapolation: the equilibrium is still found, once.
TEST_F(Model, RedlichKwongFailuresWarnAndStillFindTheEquilibrium)
{
    struct Case {
        float fixedVolume; // m3/kg: the water's own gives a negative pressure, twice it one far too high
        ModelWarning warning;
    };
    for (const Case c : {Case{0.00100295f, ModelWarning::RedlichKwongExtrapolation},
                         Case{0.002f, ModelWarning::RedlichKwongOutOfRange}}) {
        events = Listener{};
        setStartUpValues(s);
        s.ConstVolume = true;
        s.VInit = c.fixedVolume;
        ASSERT_TRUE(equilibrium(0.3f, 1e5f)) << c.fixedVolume;
        ASSERT_EQ(events.warnings.size(), 1u) << c.fixedVolume;
        EXPECT_EQ(events.warnings[0], c.warning) << c.fixedVolume;
        EXPECT_EQ(events.equilibria, 1);
        EXPECT_NE(s.VEq, s.VInit) << "the extrapolated state, not the fixed initial volume";
    }
}

// A routine that stops at a fault names itself, the fault is counted, and the equilibrium
// routine that stopped early tells no equilibrium.
TEST_F(Model, FaultsNameTheirRoutineAndAreCounted)
{
    s.TSat = 0.0f;
    s.PSat = 0.0f; // the logarithm of a zero pressure
    StateSat(s, events);
    ASSERT_EQ(events.faults.size(), 1u);
    EXPECT_EQ(events.faults[0].routine, "StateSat");
    EXPECT_EQ(events.faults[0].kind, FaultKind::InvalidCall);
    EXPECT_EQ(events.faultsReported(), 1);

    s.CMagma = 0.0f;
    s.TMagma = 0.0f;
    s.RInput = 0.0f; // a zero heat capacity of the mix: 0 / 0
    s.RWater = 0.0f;
    EXPECT_FALSE(Calculate1(s, events));
    ASSERT_EQ(events.faults.size(), 2u);
    EXPECT_EQ(events.faults[1].routine, "Calculate1");
    EXPECT_EQ(events.equilibria, 0);
    EXPECT_EQ(events.faultsReported(), 2);
}
