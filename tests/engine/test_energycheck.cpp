// The energy check on whole runs from a fresh start, as qrv-cli and sweeps make them.
#include "runs/freshrunner.h"
#include "model/energycheck.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace qrv;

namespace {

// The start-up inputs but those given.
struct Inputs {
    std::string tMagma = "1473", pFinal = "0.1", ratio = "0.3", waterFraction = "--";
};

std::unique_ptr<FreshRun> completedRun(const Inputs& in)
{
    RunRequest request;
    const bool sediment = in.waterFraction != "--";
    request.inputs = {in.tMagma, "298", "0.1", in.pFinal, in.ratio, in.waterFraction, sediment};
    std::unique_ptr<FreshRun> run = FreshRunner(WindowTexts::Skipped).run(request);
    EXPECT_TRUE(run->outcome.completed) << "R " << in.ratio << ", ambient " << in.pFinal << " MPa";
    return run;
}

constexpr double kConserved = 1e-3; // points of conversion ratio: single-precision rounding

} // namespace

// At the start-up inputs the isothermal work, 500.8 kJ per kg of magma, is 23.2 points of
// conversion ratio above the 228.1 kJ that the water, cooling to its superheated end, and the
// magma release together. The adiabatic work is exactly what its water releases.
TEST(EnergyCheck, StartUpIsothermalWorkExceedsWhatItsStatesRelease)
{
    const auto run = completedRun({});
    const CalcState& s = run->state;
    const EnergyCheck& check = run->outcome.energy;
    ASSERT_TRUE(check.isothermalExcess && check.adiabaticExcess);
    EXPECT_NEAR(*check.isothermalExcess, 23.2, 0.1);
    EXPECT_NEAR(s.WIsothermal / 1000.0, 500.8, 0.1);
    EXPECT_NEAR((s.WIsothermal - *check.isothermalExcess / 100 * s.EMagma) / 1000.0, 228.1, 0.1);
    EXPECT_NEAR(*check.adiabaticExcess, 0.0, kConserved);

    const std::string note = energyCheckNote(check);
    EXPECT_NE(note.find("isothermal work is 23.2 points"), std::string::npos) << note;
    EXPECT_EQ(note.find("adiabatic"), std::string::npos) << note;
}

// Over R 0.02 to 0.4 (superheated isothermal ends) the excess grows from a third of a point
// to 31.6 points: below about R 0.04 the results window says nothing.
TEST(EnergyCheck, IsothermalExcessGrowsWithTheRatio)
{
    double previous = -1;
    for (const char* ratio : {"0.02", "0.05", "0.1", "0.2", "0.3", "0.4"}) {
        const auto run = completedRun({.ratio = ratio});
        ASSERT_EQ(run->state.XIsothermal, 1.0f) << ratio;
        const std::optional<double> excess = run->outcome.energy.isothermalExcess;
        ASSERT_TRUE(excess) << ratio;
        EXPECT_GT(*excess, previous) << ratio;
        previous = *excess;
        if (std::string(ratio) == "0.02") {
            EXPECT_NEAR(*excess, 0.31, 0.05);
            EXPECT_EQ(energyCheckNote(run->outcome.energy), "");
        }
    }
    EXPECT_NEAR(previous, 31.6, 0.1);
}

// The adiabatic work is the water's energy drop to its own end, whatever that end: two-phase,
// vapour, liquid, supercritical fluid or compressed liquid (which the path gives no work and
// which stays at TEq, releasing nothing). Isothermal liquid left at TEq releases nothing and
// does no work either.
TEST(EnergyCheck, PathsThatKeepToTheirOwnStatesConserveEnergy)
{
    enum End { TwoPhase, Vapour, Liquid, SupercriticalFluid, CompressedLiquid };
    std::set<End> adiabaticEnds;
    int isothermalLiquidAtTEq = 0;
    for (const char* ratio : {"0.02", "0.3", "1", "3", "10"}) {
        for (const char* ambient : {"0.1", "1", "10", "25", "40"}) {
            const auto run = completedRun({.pFinal = ambient, .ratio = ratio});
            const CalcState& s = run->state;
            SCOPED_TRACE(testing::Message() << "R " << ratio << ", ambient " << ambient << " MPa");
            const EnergyCheck& check = run->outcome.energy;
            ASSERT_TRUE(check.adiabaticExcess && check.isothermalExcess);
            EXPECT_NEAR(*check.adiabaticExcess, 0.0, kConserved);

            const bool supercritical = s.PFinal >= s.PCrit;
            if (s.XAdiabatic > 0 && s.XAdiabatic < 1)
                adiabaticEnds.insert(TwoPhase);
            else if (s.XAdiabatic == 1)
                adiabaticEnds.insert(Vapour);
            else if (!supercritical)
                adiabaticEnds.insert(Liquid);
            else
                adiabaticEnds.insert(s.TAdiabatic > 473 ? SupercriticalFluid : CompressedLiquid);

            if (s.XIsothermal == 0 && !supercritical && s.TIsothermal == s.TEq) {
                ++isothermalLiquidAtTEq;
                EXPECT_EQ(s.WIsothermal, 0.0f);
                EXPECT_NEAR(*check.isothermalExcess, 0.0, kConserved);
            }
        }
    }
    EXPECT_EQ(adiabaticEnds.size(), 5u) << "every kind of adiabatic end is reached";
    EXPECT_GT(isothermalLiquidAtTEq, 0);
}

// In a wet sediment the rock cools from TEq with the magma and gives up its heat too, which
// the isothermal work leaves out: at a superheated end the excess is the water's sensible
// cooling counted on top of its energy drop, less the rock's heat.
TEST(EnergyCheck, SedimentRockHeatCountsAsReleased)
{
    const auto run = completedRun({.ratio = "0.6", .waterFraction = "0.5"});
    const CalcState& s = run->state;
    ASSERT_EQ(s.XIsothermal, 1.0f);
    const double cooling = double(s.TEq) - s.TIsothermal;
    const double rockPerMagma = 0.5 * 0.6;
    const double expected = cooling * (s.CvEqB * 0.3 - rockPerMagma * s.CRock) * 100 / s.EMagma;
    const std::optional<double> excess = run->outcome.energy.isothermalExcess;
    ASSERT_TRUE(excess);
    EXPECT_NEAR(*excess, expected, 1e-3);
    EXPECT_LT(*excess, completedRun({.ratio = "0.3"})->outcome.energy.isothermalExcess.value());
}

// No magma heat to compare with: no excess, and no fault escapes.
TEST(EnergyCheck, WithoutMagmaHeatThereIsNoExcess)
{
    CalcState s = completedRun({})->state;
    s.EMagma = 0;
    const EnergyCheck check{adiabaticExcess(s), isothermalExcess(s)};
    EXPECT_FALSE(check.adiabaticExcess);
    EXPECT_FALSE(check.isothermalExcess);
    EXPECT_EQ(energyCheckNote(check), "");
}
