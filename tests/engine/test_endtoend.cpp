// Whole runs as the input window starts them: defaults, typed inputs, equilibrium, expansion.
#include "engine/calcstate.h"
#include "engine/equilibrium.h"
#include "engine/expansion.h"
#include "engine/recordinghost.h"
#include "engine/runstore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace qrv;

namespace {

struct TypedInputs {
    float tMagma = 1473, tInit = 298, pInitMPa = 0.1f, pFinalMPa = 0.1f, ratio = 0.3f, xWater = 1.0f;
};

// Stores the inputs the way the input window's Continue does, then runs both calculations;
// returns how many failures the equilibrium reported.
int runAsTyped(CalcState& s, RunStore& store, RecordingHost& host, const TypedInputs& in)
{
    SetDefaults(s, host);
    s.TMagma = in.tMagma;
    s.TInit = in.tInit;
    s.PInit = float(double(in.pInitMPa) * 1e6);
    s.PFinal = float(double(in.pFinalMPa) * 1e6);
    s.RInput = in.ratio;
    s.XWater = in.xWater;
    s.RWater = float(double(in.xWater) * double(in.ratio));
    s.EMagma = float((double(in.tMagma) - 298.0) * double(s.CMagma));
    Calculate1(s, host);
    const int faultsOfEquilibrium = host.faultsReported();
    Calculate2(s, store, host);
    return faultsOfEquilibrium;
}

struct ExpectedRun {
    TypedInputs inputs;
    std::vector<std::pair<std::string, std::string>> results; // results-window labels
    std::vector<std::pair<std::string, std::string>> equilibrium;
    std::vector<std::pair<float CalcState::*, float>> fields;
};

void expectNear(float actual, float expected, const char* what)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-6) << what;
}

void checkRun(const ExpectedRun& e)
{
    CalcState s;
    RunStore store;
    RecordingHost host;
    runAsTyped(s, store, host, e.inputs);

    EXPECT_TRUE(host.messages().empty()) << host.messages().front().text;
    const std::vector<std::string> captions = {"Calculating ADIABATIC Path", "Two-phase final state",
                                               "Calculating ISOTHERMAL Path", "Superheated final state",
                                               "Calculation Complete"};
    EXPECT_EQ(host.captions(), captions);
    for (const auto& [label, text] : e.results)
        EXPECT_EQ(host.text(Window::Results, label), text) << label;
    for (const auto& [label, text] : e.equilibrium)
        EXPECT_EQ(host.text(Window::Calc, label), text) << label;
    int i = 0;
    for (const auto& [field, value] : e.fields)
        expectNear(s.*field, value, ("field " + std::to_string(i++)).c_str());

    ASSERT_EQ(store.count(), 1);
    const SeriesRecord& r = store.record(1);
    EXPECT_EQ(r.TEq, s.TEq);
    EXPECT_EQ(r.TFAdiabatic, s.TAdiabatic);
    EXPECT_EQ(r.XWater, s.XWater);
    EXPECT_EQ(r.SFIsothermal + r.WFIsothermal, 1.0f);
    EXPECT_EQ(r.SFAdiabatic + r.WFAdiabatic, 1.0f);
    EXPECT_EQ(host.runsStored(), 1);
    for (auto button : {"Command1", "Command2", "Command3", "cmdSave", "cmdPlot"})
        EXPECT_TRUE(host.control(Window::Results, button).enabled) << button;
    EXPECT_EQ(host.pausedMs(), 3000);
}

} // namespace

TEST(ReferenceRun, WaterMagmaAtStartUpInputs)
{
    checkRun({{},
              {{"Label3", "Water/Magma Ratio R:"}, {"LabR", "0.300"}, {"labTmag", "1473"}, {"labT", "298"},
               {"labP", "0.10"}, {"labFSA(0)", "0.100"}, {"labEx", "NIST: Steam Table Extrapolation"},
               {"labPe", "Volume by entropy extrapolation"}, {"labES(0)", "148.9"}, {"labES(1)", "0.00176"},
               {"labES(2)", "822.3"}, {"labES(3)", "4.56586"}, {"labES(4)", "Supercritcal Vapor"},
               {"labRes(1)", "Steam/Water Mix"}, {"labEffa", "16.90"}, {"labXa", "0.54"}, {"labXaw", "0.46"},
               {"labFSA(2)", "373.0"}, {"labErr2", " "}, {"labRes(2)", "Superheated Vapor"}, {"labEffi", "42.62"},
               {"labXi", "1.00"}, {"labXiw", "0.00"}, {"labFSI(2)", "462.6"}, {"labErr1", " "},
               {"Label1", "Calculation Complete"}, {"labPath", ""}},
              {{"labInitR", "R = 0.300"}, {"labinitT", "Tmagma = 1473"}, {"labT0", "822"}, {"labS0", "4.5659"},
               {"labP0", "148.88"}, {"labRh0", "568.141"}, {"labU0", "2203.13"}, {"labCpl0", "4.7285"},
               {"labGam0", "1.8712"}, {"labX0", "1.0"}},
              {{&CalcState::CMix, 4136.76611f}, {&CalcState::TEq, 822.3125f}, {&CalcState::PEq, 148883664.0f},
               {&CalcState::SEq, 4565.85938f}, {&CalcState::RhoEq, 568.141113f}, {&CalcState::UEq, 2203125.25f},
               {&CalcState::XEq, 1.0f}, {&CalcState::TAdiabatic, 373.0f}, {&CalcState::XAdiabatic, 0.535020173f},
               {&CalcState::WAdiabatic, 198553.578f}, {&CalcState::TIsothermal, 462.561035f},
               {&CalcState::XIsothermal, 1.0f}, {&CalcState::WIsothermal, 500825.438f}}});
}

TEST(ReferenceRun, SedimentMagmaHalfWater)
{
    TypedInputs in;
    in.ratio = 0.6f;
    in.xWater = 0.5f;
    checkRun({in,
              {{"Label3", "Sediment/Magma Ratio Rs:"}, {"LabR", "0.60 (R = 0.30)"}, {"labTmag", "1473"},
               {"labT", "298"}, {"labP", "0.10"}, {"labES(0)", "134.9"}, {"labES(1)", "0.00160"},
               {"labES(2)", "760.4"}, {"labES(3)", "4.24211"}, {"labES(4)", "Supercritcal Liquid"},
               {"labRes(1)", "Steam/Water Mix"}, {"labEffa", "13.75"}, {"labXa", "0.48"}, {"labXaw", "0.52"},
               {"labFSA(2)", "373.0"}, {"labErr2", " "}, {"labRes(2)", "Superheated Vapor"}, {"labEffi", "33.37"},
               {"labXi", "1.00"}, {"labXiw", "0.00"}, {"labFSI(2)", "434.5"}, {"labErr1", " "}},
              {{"labInitR", "Rs = 0.600  --  R = 0.300"}, {"labinitT", "Tmagma = 1473"}, {"labT0", "760"},
               {"labS0", "4.2421"}, {"labP0", "134.91"}, {"labRh0", "624.005"}, {"labU0", "1969.71"},
               {"labCpl0", "4.7973"}, {"labGam0", "1.8381"}, {"labX0", "0.0"}},
              {{&CalcState::CMix, 2568.38306f}, {&CalcState::TEq, 760.41095f}, {&CalcState::PEq, 134906640.0f},
               {&CalcState::SEq, 4242.10986f}, {&CalcState::RhoEq, 624.00531f}, {&CalcState::UEq, 1969710.25f},
               {&CalcState::XEq, 0.0f}, {&CalcState::TAdiabatic, 373.0f}, {&CalcState::XAdiabatic, 0.481388569f},
               {&CalcState::WAdiabatic, 161577.375f}, {&CalcState::TIsothermal, 434.501648f},
               {&CalcState::XIsothermal, 1.0f}, {&CalcState::WIsothermal, 392140.406f}}});
}

namespace {

constexpr float CalcState::*kAllFields[] = {
    &CalcState::TInit, &CalcState::PInit, &CalcState::TMagma, &CalcState::RInput, &CalcState::XWater,
    &CalcState::RWater, &CalcState::PFinal, &CalcState::CvInit, &CalcState::SInit, &CalcState::EMagma,
    &CalcState::CMix, &CalcState::TEq, &CalcState::PEq, &CalcState::SEq, &CalcState::RhoEq, &CalcState::VEq,
    &CalcState::UEq, &CalcState::XEq, &CalcState::CpEq, &CalcState::GammaEq, &CalcState::CvEq,
    &CalcState::CvEqA, &CalcState::CvEqB, &CalcState::PSat, &CalcState::TSat, &CalcState::SfSat,
    &CalcState::SgSat, &CalcState::UfSat, &CalcState::UgSat, &CalcState::UfgSat, &CalcState::VfSat,
    &CalcState::VfgSat, &CalcState::TFinal, &CalcState::SFinal, &CalcState::UFinal, &CalcState::VFinal,
    &CalcState::XFinal, &CalcState::WAdiabatic, &CalcState::WIsothermal, &CalcState::XAdiabatic,
    &CalcState::XIsothermal, &CalcState::TAdiabatic, &CalcState::TIsothermal,
};

bool isReportedFailure(const HostMessage& m)
{
    if (m.icon != Icon::Critical)
        return false;
    if (m.text.starts_with("Out of useful range") || m.text.starts_with("Redlich-Kwong extrapolation failed!"))
        return true;
    for (const char* routine : {"State0", "StateSat", "StateSuper", "Calculate1", "Adiabat", "Isotherm", "Calculate2"})
        if (m.text.starts_with(std::string(routine) + " error: "))
            return m.text.ends_with("\nTry different values");
    return false;
}

} // namespace

// Inputs far outside anything physical must still end every run with finite fields and
// with failures shown only as messages; one state and store carry over from run to run.
TEST(RandomRuns, EveryRunEndsWithFiniteStateAndReportedFailures)
{
    std::mt19937 rng(20240611);
    const auto pick = [&rng](std::initializer_list<float> specials, float lo, float hi) {
        std::uniform_int_distribution<int> coin(0, 3);
        if (coin(rng) == 0) {
            std::uniform_int_distribution<std::size_t> which(0, specials.size() - 1);
            return *(specials.begin() + which(rng));
        }
        return std::uniform_real_distribution<float>(lo, hi)(rng);
    };
    CalcState s;
    RunStore store;
    int runsWithMessages = 0;
    int failedExpansions = 0;
    for (int run = 0; run < 3000; ++run) {
        RecordingHost host;
        TypedInputs in;
        in.tMagma = pick({298, 0, -50, 1e6f, 3e35f}, 200, 2500);
        in.tInit = pick({273, 263, 0, -10, 1e5f}, 200, 700);
        in.pInitMPa = pick({0, -1, 22.064f, 1e4f, 3e31f}, 0, 200);
        in.pFinalMPa = pick({0.1f, 0, -0.1f, 22.064f, 80, 120, 1e-6f, 1e6f}, 0, 150);
        in.ratio = pick({0, -0.3f, 1e-6f, 1e4f, 1e38f}, 0.01f, 10);
        in.xWater = pick({1, 0, -1, 2}, 0, 1);
        if (store.full())
            store.clear();
        const int before = store.count();
        const int faultsOfEquilibrium = runAsTyped(s, store, host, in);

        for (auto field : kAllFields)
            ASSERT_TRUE(std::isfinite(s.*field)) << "run " << run;
        for (const auto& m : host.messages())
            ASSERT_TRUE(isReportedFailure(m)) << m.text;
        // A run is stored exactly when the expansion completed: no failure after the
        // equilibrium's, and then both final states are real temperatures.
        const bool expansionFailed = host.faultsReported() > faultsOfEquilibrium;
        const bool stored = store.count() == before + 1;
        ASSERT_EQ(stored, !expansionFailed) << "run " << run;
        ASSERT_EQ(host.runsStored(), stored ? 1 : 0);
        ASSERT_EQ(host.text(Window::Results, "Label1"), stored ? "Calculation Complete" : "Calculation Failed");
        if (stored) {
            ASSERT_GT(s.TAdiabatic, 0.0f) << "run " << run;
            ASSERT_GT(s.TIsothermal, 0.0f) << "run " << run;
        }
        runsWithMessages += !host.messages().empty();
        failedExpansions += expansionFailed;
    }
    EXPECT_GT(runsWithMessages, 300);
    EXPECT_GT(failedExpansions, 0);
    EXPECT_LT(failedExpansions, 2000);
}

// The isothermal path through the steam dome: ending inside it, and leaving it as vapour.
TEST(DomeRuns, TwoPhaseEndAndVapourExit)
{
    struct Case {
        TypedInputs inputs;
        const char* finalCaption;
        const char* phase;
    };
    TypedInputs wetEnd;
    wetEnd.ratio = 1.0f;
    TypedInputs vapourExit;
    vapourExit.tMagma = 800.0f;
    vapourExit.ratio = 0.1f;
    for (const Case& c : {Case{wetEnd, "Two-phase final state", "Steam/Water Mix"},
                          Case{vapourExit, "Superheated final state", "Superheated Vapor"}}) {
        CalcState s;
        RunStore store;
        RecordingHost host;
        runAsTyped(s, store, host, c.inputs);
        EXPECT_TRUE(host.messages().empty());
        const auto& captions = host.captions();
        ASSERT_EQ(captions.size(), 6u);
        EXPECT_EQ(captions[2], "Calculating ISOTHERMAL Path");
        EXPECT_EQ(captions[3], "Expansion into steam dome");
        EXPECT_EQ(captions[4], c.finalCaption);
        EXPECT_EQ(host.text(Window::Results, "labRes(2)"), c.phase);
        EXPECT_GT(s.XIsothermal, 0.0f);
        EXPECT_LE(s.XIsothermal, 1.0f);
        EXPECT_LT(s.TIsothermal, s.TEq);
        EXPECT_GE(s.TIsothermal, s.TAdiabatic);
        EXPECT_EQ(host.pausedMs(), 4000);
    }
}
