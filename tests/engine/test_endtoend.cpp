// Whole runs as the input window starts them: defaults, typed inputs, equilibrium, expansion.
#include "runs/driver.h"
#include "display/recordinghost.h"
#include "files/resultsfile.h"
#include "runs/runstore.h"
#include "runs/startupvalues.h"
#include "model/calcstate.h"
#include "model/equilibrium.h"
#include "tests/data/referenceruns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
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

// The state fields the worked runs list, by name.
const std::map<std::string, float CalcState::*, std::less<>> kListedFields = {
    {"CMix", &CalcState::CMix}, {"TEq", &CalcState::TEq}, {"PEq", &CalcState::PEq}, {"SEq", &CalcState::SEq},
    {"RhoEq", &CalcState::RhoEq}, {"UEq", &CalcState::UEq}, {"XEq", &CalcState::XEq},
    {"TAdiabatic", &CalcState::TAdiabatic}, {"XAdiabatic", &CalcState::XAdiabatic},
    {"WAdiabatic", &CalcState::WAdiabatic}, {"TIsothermal", &CalcState::TIsothermal},
    {"XIsothermal", &CalcState::XIsothermal}, {"WIsothermal", &CalcState::WIsothermal}};

float inputOf(const testdata::ReferenceRun& run, std::string_view option, float absent)
{
    const auto found = run.inputs.find(option);
    return found == run.inputs.end() ? absent : std::stof(found->second);
}

} // namespace

TEST(ReferenceRun, WaterMagmaAtStartUpInputsAndSedimentMagmaHalfWater)
{
    for (const char* name : {"water", "sediment"}) {
        SCOPED_TRACE(name);
        const testdata::ReferenceRun& expected = testdata::referenceRun(name);
        const TypedInputs in{inputOf(expected, "tmagma", 0), inputOf(expected, "tinit", 0),
                             inputOf(expected, "pinit", 0),  inputOf(expected, "pfinal", 0),
                             inputOf(expected, "r", 0),      inputOf(expected, "x", 1)};
        CalcState s;
        RunStore store;
        RecordingHost host;
        runAsTyped(s, store, host, in);

        EXPECT_TRUE(host.messages().empty()) << host.messages().front().text;
        EXPECT_EQ(host.captions(), expected.captions);
        // Every line of the results file is the text of its results-window control.
        for (std::size_t line = 0; line < std::size_t(kResultLineCount); ++line)
            if (const Control* control = kResultLineControls[line]) {
                EXPECT_EQ(host.text(Window::Results, control->name), expected.lines[line]) << control->name;
            }
        EXPECT_EQ(host.text(Window::Results, "labFSA(0)"), "0.100");
        EXPECT_EQ(host.text(Window::Results, "labPath"), "");
        EXPECT_EQ(host.text(Window::Results, "Label1"), "Calculation Complete");
        for (const auto& [label, text] : expected.equilibrium)
            EXPECT_EQ(host.text(Window::Calc, label), text) << label;
        for (const auto& [field, value] : expected.fields)
            EXPECT_NEAR(s.*kListedFields.at(field), std::stof(value), std::fabs(std::stof(value)) * 1e-6) << field;

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
    for (const Case& c : {Case{{.ratio = 1.0f}, "Two-phase final state", "Steam/Water Mix"},
                          Case{{.tMagma = 800.0f, .ratio = 0.1f}, "Superheated final state", "Superheated Vapor"}}) {
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
