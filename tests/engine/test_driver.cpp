#include "runs/driver.h"
#include "display/equilibriumwindow.h"
#include "display/phasenames.h"
#include "display/ratioline.h"
#include "display/recordinghost.h"
#include "display/resultswindow.h"
#include "runs/runstore.h"
#include "runs/startupvalues.h"
#include "model/calcstate.h"
#include "model/equilibrium.h"
#include "tests/engine/enginetest.h"

#include <set>
#include <tuple>

using namespace qrv;
using test::expectOnlyMessage;

TEST(PhaseNames, EquilibriumState)
{
    const std::tuple<float, float, const char*> cases[] = {
        {647.1f, 0.0f, "Supercritcal Liquid"}, {800.0f, 1.0f, "Supercritcal Vapor"}, {800.0f, 0.5f, ""},
        {600.0f, 0.0f, "Saturated Liquid"},    {273.0f, 0.5f, "Steam/Ice Mix"},      {273.5f, 0.5f, "Steam/Water Mix"},
        {600.0f, 1.0f, "Superheated Vapor"}};
    for (const auto& [tEq, xEq, name] : cases)
        EXPECT_EQ(equilibriumPhaseName(tEq, 647.1f, xEq), name) << tEq << " K, X " << xEq;
}

TEST(PhaseNames, FinalStateAndWaterRow)
{
    const std::tuple<float, float, const char*, const char*> cases[] = {
        {0.0f, 200.0f, "Supercooled Liquid", "Water Fraction"}, {1.0f, 200.0f, "Superheated Vapor", "Water Fraction"},
        {0.5f, 273.0f, "Steam/Ice Mix", "Ice Fraction"}, {0.999f, 373.0f, "Steam/Water Mix", "Water Fraction"}};
    for (const auto& [x, t, name, waterRow] : cases) {
        EXPECT_EQ(finalPhase(x, t).name, name);
        EXPECT_EQ(finalPhase(x, t).waterRowCaption, waterRow) << name;
    }
}

TEST(RatioLine, ReadsBackTheBoxesItWasWrittenFrom)
{
    const RatioLine water = ratioLine(false, 0.3f, 0.3f);
    EXPECT_EQ(water.caption, "Water/Magma Ratio R:");
    EXPECT_EQ(water.ratio, "0.300");
    const TypedRatio waterBoxes = typedRatio(water.caption, water.ratio);
    EXPECT_FALSE(waterBoxes.sedimentMode);
    EXPECT_EQ(waterBoxes.ratio, "0.300");
    EXPECT_EQ(waterBoxes.waterFraction, "--");

    const RatioLine sediment = ratioLine(true, 0.6f, 0.3f);
    EXPECT_EQ(sediment.ratio, "0.60 (R = 0.30)");
    const TypedRatio sedimentBoxes = typedRatio(sediment.caption, sediment.ratio);
    EXPECT_TRUE(sedimentBoxes.sedimentMode);
    EXPECT_EQ(sedimentBoxes.ratio, "0.60");
    EXPECT_EQ(sedimentBoxes.waterFraction, "0.50");

    // Hand-edited lines: the water fraction is left for the user when it cannot be known.
    for (std::string_view line : {"0.60", "0.60 (R = x)", "0 (R = 0.30)", "0.60 (R = 0.30"}) {
        const TypedRatio boxes = typedRatio(kSedimentRatioCaption, line);
        EXPECT_TRUE(boxes.sedimentMode);
        EXPECT_EQ(boxes.ratio.substr(0, 1), "0") << line;
        EXPECT_EQ(boxes.waterFraction, "") << line;
    }
}

namespace {

struct Driver : ::testing::Test {
    Driver()
    {
        SetDefaults(s, host);
        s.RWater = s.RInput;
        s.EMagma = (1473.0f - 298.0f) * 1000.0f;
    }
    void run()
    {
        host.clearLog();
        Calculate1(s, host);
        Calculate2(s, store, host);
    }
    const ControlState& control(const char* name) const { return host.control(Window::Results, name); }
    // A failed run is no dead end: the window can go on to a new calculation or end, but not save.
    void expectFailedRunCanGoOn() const
    {
        EXPECT_EQ(control("Label1").text, "Calculation Failed");
        for (auto button : {"Command1", "Command2", "Command3"})
            EXPECT_TRUE(control(button).enabled) << button;
        EXPECT_FALSE(control("cmdSave").enabled);
    }
    void expectErrorMarks(bool adiabatic, bool isothermal) const
    {
        EXPECT_EQ(control("labErr2").visible, adiabatic);
        EXPECT_EQ(control("labErr2").text, adiabatic ? "Adiabatic Error" : " ");
        EXPECT_EQ(control("labErr1").visible, isothermal);
        if (isothermal) {
            EXPECT_EQ(control("labErr1").text, "Isothermal Error");
        }
    }
    CalcState s;
    RunStore store;
    RecordingHost host;
};

} // namespace

TEST_F(Driver, ClampedRatiosAreMarkedAndTheNextRunClearsTheMarks)
{
    s.EMagma = 1.0f; // every joule of work is far above the magma's heat
    run();
    EXPECT_EQ(control("labEffa").text, "100.00");
    EXPECT_EQ(control("labEffa").colour, TextColour::Red);
    expectErrorMarks(true, true);
    EXPECT_TRUE(s.AdiError);
    EXPECT_TRUE(s.IsoError);
    EXPECT_EQ(store.record(1).CRAdiabatic, 100.0f);

    s.EMagma = -1.0f;
    run();
    EXPECT_EQ(control("labEffi").text, "0.00");
    EXPECT_EQ(store.record(2).CRIsothermal, 0.0f);
    EXPECT_TRUE(s.IsoError);

    s.EMagma = 1175000.0f;
    run();
    EXPECT_EQ(control("labEffa").colour, TextColour::ButtonText);
    expectErrorMarks(false, false);
    EXPECT_FALSE(s.AdiError);
    EXPECT_EQ(store.count(), 3);
    EXPECT_EQ(host.runsStored(), 3);
}

TEST_F(Driver, ConstantVolumeAndSedimentCaptions)
{
    s.ConstVolume = true;
    s.XWater = 0.999f;
    s.RWater = 0.2997f;
    run();
    EXPECT_EQ(control("labEx").text, "NIST: Steam Table Extrapolation\n(Redlich-Kwong pressure)");
    EXPECT_EQ(control("labPe").text, "Constant volume extrapolation");
    EXPECT_EQ(control("Label3").text, "Sediment/Magma Ratio Rs:");
    EXPECT_EQ(control("LabR").text, "0.30 (R = 0.30)");
}

// Magma at 298 K has no heat to give: the ratio divides by zero. The run is neither
// finished nor stored. (The input window refuses such magma; a state can still hold it.)
TEST_F(Driver, MagmaAtReferenceTemperatureFailsTheRun)
{
    s.TMagma = 298.0f;
    s.EMagma = 0.0f;
    run();
    expectOnlyMessage(host, "Calculate2 error: Division by zero\nTry different values");
    expectFailedRunCanGoOn();
    EXPECT_EQ(control("labEffa").text, "");
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(host.runsStored(), 0);

    // The failed run left no gap: the next good run is record 1.
    s.TMagma = 1473.0f;
    s.EMagma = 1175000.0f;
    run();
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(store.record(1).TMagma, 1473.0f);
}

TEST_F(Driver, FullStoreRefusesTheRunAfterShowingIt)
{
    SeriesRecord marker;
    marker.R = 7.0f;
    for (int i = 0; i < RunStore::kCapacity; ++i)
        store.append(marker);
    run();
    expectOnlyMessage(host, "Calculate2 error: Subscript out of range\nTry different values");
    EXPECT_EQ(store.count(), RunStore::kCapacity);
    EXPECT_EQ(store.record(RunStore::kCapacity).R, 7.0f);
    EXPECT_EQ(host.runsStored(), 0);
    EXPECT_EQ(control("Label1").text, "Calculation Complete");
    EXPECT_EQ(control("labEffi").text, "42.62");
    EXPECT_TRUE(control("cmdSave").enabled);
}

namespace {

const char* const kPathValues[] = {"labRes(1)", "labEffa", "labXa", "labXaw", "labFSA(0)", "labFSA(1)",
                                   "labFSA(2)", "labFSA(3)"};
const char* const kIsothermalValues[] = {"labRes(2)", "labEffi", "labXi", "labXiw", "labFSI(0)", "labFSI(1)",
                                         "labFSI(2)", "labFSI(3)"};

} // namespace

// Without an ambient pressure the adiabatic path finds no saturation state to end in: the path
// is marked failed and shows nothing that looks like a result, and the isothermal path, which
// starts from the adiabatic end, is not computed.
TEST_F(Driver, FailedAdiabaticPathShowsItsMarkAndNoResults)
{
    run(); // a complete run first, whose texts must all go
    s.PFinal = 0.0f;
    run();
    ASSERT_FALSE(host.messages().empty());
    EXPECT_EQ(host.messages()[0].text, "StateSat error: Invalid procedure call or argument\nTry different values");
    expectErrorMarks(true, true);
    for (auto label : kPathValues)
        EXPECT_EQ(control(label).text, "") << label;
    for (auto label : kIsothermalValues)
        EXPECT_EQ(control(label).text, "") << label;
    expectFailedRunCanGoOn();
    for (const std::string& caption : host.captions())
        EXPECT_NE(caption, "Calculation Complete");
    EXPECT_EQ(store.count(), 1) << "only the complete run";
    EXPECT_EQ(host.runsStored(), 1);
}

TEST_F(Driver, FailedIsothermalPathKeepsTheAdiabaticResults)
{
    host.clearLog();
    ASSERT_TRUE(Calculate1(s, host));
    // A heat capacity that all but cancels the magma's: the isothermal exponent explodes.
    s.CvEqA = -s.CMagma / s.RWater;
    Calculate2(s, store, host);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text.rfind("Isotherm error: ", 0), 0u) << host.messages()[0].text;
    EXPECT_EQ(control("labEffa").text, "16.90");
    EXPECT_EQ(control("labRes(1)").text, "Steam/Water Mix");
    expectErrorMarks(false, true);
    for (auto label : kIsothermalValues)
        EXPECT_EQ(control(label).text, "") << label;
    EXPECT_EQ(store.count(), 0);
    expectFailedRunCanGoOn();
}

namespace {

// The input window's controls that SetDefaults fills; that window is built by hand.
const std::set<std::string, std::less<>> kInputWindowControls = {
    "txtTInit", "txtPInit", "txtSInit", "txtCvInit", "txtPfin", "txtR", "txtTMagma",
    "Label7",   "txtXmix",  "Label9",   "optSext",
};

// The controls the routines addressed in a window that the window does not hold.
std::vector<std::string> undescribed(const RecordingHost& host, Window window)
{
    std::vector<std::string> names;
    for (const auto& [name, state] : host.controls(window)) {
        const bool held = window == Window::Main ? kInputWindowControls.contains(name)
            : findControl(window == Window::Calc ? equilibriumwindow::kDescription : resultswindow::kDescription,
                          name) != nullptr;
        if (!held)
            names.push_back(name);
    }
    return names;
}

} // namespace

// Every way through the routines, from the start-up values through complete runs in both
// modes, held ratios and each path failing to a full store and magma without heat, names
// only controls that its window holds: a misspelt name fails here, where the desktop
// program would only log it.
TEST_F(Driver, RoutinesAddressOnlyDescribedControls)
{
    run();
    s.XWater = 0.5f;
    s.RInput = 0.6f;
    s.ConstVolume = true;
    run();
    s.EMagma = 1.0f;
    run();
    s.PFinal = 0.0f;
    run();
    s.PFinal = 100000.0f;
    s.EMagma = 1175000.0f;
    Calculate1(s, host);
    s.CvEqA = -s.CMagma / s.RWater;
    Calculate2(s, store, host);
    for (int i = store.count(); i < RunStore::kCapacity; ++i)
        store.append(SeriesRecord{});
    run();
    s.TMagma = 298.0f;
    s.EMagma = 0.0f;
    run();
    ASSERT_FALSE(host.messages().empty());

    for (const Window window : {Window::Main, Window::Calc, Window::Results})
        EXPECT_EQ(undescribed(host, window), std::vector<std::string>{});
}
