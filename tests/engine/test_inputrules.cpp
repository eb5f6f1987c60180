#include "runs/inputrules.h"
#include "runs/startupvalues.h"
#include "model/calcstate.h"
#include "tests/engine/enginetest.h"

#include <string>
#include <tuple>
#include <vector>

using namespace qrv;

namespace {

class InputRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaults(state, host);
        texts = {"1473", "298", "0.1", "0.1", "0.30", "--", false};
    }

    ContinueResult pressContinue() { return applyContinue(state, texts, host); }

    void expectOnlyMessage(const std::string& text, Icon icon = Icon::Critical) const
    {
        test::expectOnlyMessage(host, text, icon);
    }

    // One box typed (in sediment mode with Rs 0.6 and X 0.5 when asked), Continue refused with
    // the message, and nothing of the inputs stored: the magma box holds 1500 unless typed.
    struct Refusal {
        std::string InputTexts::*box;
        std::string typed;
        std::string message;
        Icon icon = Icon::Critical;
        bool sediment = false;
    };
    void expectEachRefusedBeforeStoring(const std::vector<Refusal>& refusals)
    {
        for (const Refusal& r : refusals) {
            SetUp();
            host.clearLog();
            texts.tMagma = "1500";
            if (r.sediment)
                texts = {"1500", "298", "0.1", "0.1", "0.6", "0.5", true};
            texts.*r.box = r.typed;
            EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused) << r.typed;
            expectOnlyMessage(r.message, r.icon);
            EXPECT_EQ(state.TMagma, 1473.0f);
            EXPECT_EQ(state.RInput, 0.3f);
            EXPECT_EQ(state.PFinal, 100000.0f);
        }
    }

    CalcState state;
    RecordingHost host;
    InputTexts texts;
};

TEST_F(InputRules, StartUpInputsGoStraightToCalculateWithTheHeldValues)
{
    const ContinueResult result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(result.entropyText, "366.93");
    EXPECT_EQ(result.cvText, "4136.766");
    EXPECT_FALSE(result.waterFractionText);
    EXPECT_FALSE(result.initialPressureText);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_EQ(state.TMagma, 1473.0f);
    EXPECT_EQ(state.EMagma, 1175000.0f);
    EXPECT_EQ(state.PFinal, 100000.0f);
    EXPECT_EQ(state.RInput, 0.3f);
    EXPECT_EQ(state.XWater, 1.0f);
    EXPECT_EQ(state.RWater, 0.3f);
    EXPECT_EQ(state.PInit, 100000.0f);
}

TEST_F(InputRules, EachEmptyRequiredBoxStopsBeforeAnythingIsStoredAndIsNamed)
{
    const std::pair<std::string InputTexts::*, const char*> boxes[] = {
        {&InputTexts::tMagma, "Magma Temperature (K)"},   {&InputTexts::tInit, "Water/Rock Temperature (K)"},
        {&InputTexts::pInit, "Initial Pressure (MPa)"},   {&InputTexts::pFinal, "Ambient Pressure (MPa)"},
        {&InputTexts::ratio, "Sediment/Magma Ratio (Rs)"}, {&InputTexts::waterFraction, "Water Fraction (X)"},
    };
    std::vector<Refusal> empties;
    for (const auto& [box, name] : boxes)
        empties.push_back({box, "", "Please enter all values!\nEmpty: " + std::string(name) + ".",
                           Icon::Exclamation, true});
    expectEachRefusedBeforeStoring(empties);

    // Every empty box is named, in the window's order.
    SetUp();
    host.clearLog();
    texts = {"", "298", "0.1", "0.1", "", "--", false};
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Please enter all values!\nEmpty: Magma Temperature (K), Water/Magma Ratio (R).",
                      Icon::Exclamation);
}

TEST_F(InputRules, RefusedRatioKeepsTheFieldsConvertedBeforeIt)
{
    texts = {"1500", "350", "5", "0.2", "0", "--", false};
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Enter R value > 0");
    EXPECT_EQ(state.TMagma, 1500.0f);
    EXPECT_EQ(state.EMagma, 1202000.0f);
    EXPECT_EQ(state.PFinal, 200000.0f);
    EXPECT_EQ(state.RInput, 0.0f);
    EXPECT_EQ(state.TInit, 298.0f); // the water state is not reached
    EXPECT_EQ(state.PInit, 100000.0f);
}

TEST_F(InputRules, SedimentWaterFractionIsCheckedAndRewritten)
{
    texts.sedimentMode = true;
    texts.ratio = "0.5";

    texts.waterFraction = "0";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Enter X > 0.0");
    EXPECT_EQ(state.XWater, 0.0f);

    host.clearLog();
    texts.waterFraction = "1.01";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Enter X <= 1.0");
    EXPECT_EQ(state.XWater, 1.01f);
    EXPECT_EQ(state.RWater, 0.0f); // not reached: nothing stored it yet

    host.clearLog();
    texts.waterFraction = "1";
    ContinueResult result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(result.waterFractionText, "1.00");

    texts.waterFraction = "0.4";
    result = pressContinue();
    EXPECT_EQ(result.waterFractionText, "0.40");
    EXPECT_EQ(state.RInput, 0.5f);
    EXPECT_EQ(state.RWater, 0.2f);
    EXPECT_TRUE(host.messages().empty());

    // In water/magma mode the "--" of the disabled box is not read.
    texts.sedimentMode = false;
    texts.waterFraction = "--";
    EXPECT_FALSE(pressContinue().waterFractionText);
    EXPECT_EQ(state.XWater, 1.0f);
}

TEST_F(InputRules, RatioThatVanishesInSinglePrecisionIsAMixError)
{
    texts = {"1473", "298", "0.1", "0.1", "1e-20", "1e-30", true};
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Rmix error");
    EXPECT_EQ(state.RWater, 0.0f);
    EXPECT_EQ(state.XWater, 1e-30f);
}

TEST_F(InputRules, WaterStateChoosesWhereEntropyAndCvComeFrom)
{
    texts.tInit = "273";
    ContinueResult result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(result.entropyText, "1");
    EXPECT_EQ(result.cvText, "4000");

    texts.tInit = "274";
    result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::SteamTableRequest);
    EXPECT_EQ(result.steamTableQuery, "100000,274.0");
    EXPECT_EQ(result.askedWater.temperatureK, 274.0f);
    EXPECT_EQ(state.TInit, 273.0f) << "the water of the held values";

    texts.tInit = "500";
    texts.pInit = "5";
    result = pressContinue();
    EXPECT_EQ(result.steamTableQuery, "5000000,500.0");
    EXPECT_EQ(result.askedWater.pressurePa, 5000000.0f);

    texts.pInit = "99";
    result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(state.SInit, 334.1535f);
    EXPECT_EQ(state.CvInit, 3876.879f);
    EXPECT_EQ(result.entropyText, "334.1535");
    EXPECT_EQ(result.cvText, "3876.879");
    EXPECT_TRUE(host.messages().empty());
}

// S and Cv belong to one water state: values held for another are never used for it.
TEST_F(InputRules, HeldValuesServeOnlyTheWaterTheyWereGivenFor)
{
    texts.tInit = "350";
    texts.pInit = "5";
    const ContinueResult asked = pressContinue();
    ASSERT_EQ(asked.outcome, ContinueOutcome::SteamTableRequest);
    // Not answered (Cancel): the same water is asked for again.
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::SteamTableRequest);
    EXPECT_EQ(state.SInit, 366.93f);

    // Answered: the values and their water are held together.
    ASSERT_TRUE(applyCalculate(state, "1034.83", "3879.915", false, asked.askedWater, host));
    EXPECT_EQ(state.TInit, 350.0f);
    EXPECT_EQ(state.PInit, 5e6f);
    ContinueResult again = pressContinue();
    EXPECT_EQ(again.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(again.entropyText, "1034.83");

    // Back at the start-up water, its own values, not those of 350 K.
    texts.tInit = "298";
    texts.pInit = "0.1";
    again = pressContinue();
    EXPECT_EQ(again.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(again.entropyText, "366.93");
    EXPECT_EQ(again.cvText, "4136.766");
    EXPECT_TRUE(host.messages().empty());
}

// 98.7 MPa itself still asks the steam table (or takes the ice values below freezing); the
// fixed S and Cv start at the next pressure a single holds, 98700008 Pa, typed as 98.700001.
TEST_F(InputRules, FixedHighPressureValuesStartJustAbove98Point7Megapascals)
{
    struct Case {
        const char *tInit, *pInit;
        float pInitPa;
        ContinueOutcome outcome;
        const char *steamTableQuery, *entropy, *cv;
    };
    const Case cases[] = {
        {"500", "98.7", 98700000.0f, ContinueOutcome::SteamTableRequest, "98700000,500.0", "", ""},
        {"500", "98.700001", 98700008.0f, ContinueOutcome::Calculate, "", "334.1535", "3876.879"},
        {"250", "98.7", 98700000.0f, ContinueOutcome::Calculate, "", "1", "4000"},
        {"250", "98.700001", 98700008.0f, ContinueOutcome::Calculate, "", "334.1535", "3876.879"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tInit) + " K, " + c.pInit + " MPa");
        texts.tInit = c.tInit;
        texts.pInit = c.pInit;
        const ContinueResult result = pressContinue();
        EXPECT_EQ(result.outcome, c.outcome);
        // The water asked about becomes the held water only when Calculate accepts its values.
        const float pInitPa = c.outcome == ContinueOutcome::SteamTableRequest ? result.askedWater.pressurePa
                                                                              : state.PInit;
        EXPECT_EQ(pInitPa, c.pInitPa);
        EXPECT_EQ(result.steamTableQuery, c.steamTableQuery);
        EXPECT_EQ(result.entropyText, c.entropy);
        EXPECT_EQ(result.cvText, c.cv);
    }
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(InputRules, LowPressureIsRaisedToTheSteamTableFloor)
{
    texts.pInit = "0.001";
    texts.tInit = "400";
    ContinueResult result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::SteamTableRequest);
    EXPECT_EQ(result.initialPressureText, "0.002");
    EXPECT_EQ(result.steamTableQuery, "2000,400.0");
    const float floor = float(double(0.002f) * 1e6); // what the rewritten box reads
    EXPECT_EQ(result.askedWater.pressurePa, floor);

    // Ice below the floor: the next Continue with the raised box finds the state unchanged.
    texts.tInit = "250";
    result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(result.initialPressureText, "0.002");
    EXPECT_EQ(state.PInit, floor);
    state.SInit = 7.0f;
    texts.pInit = "0.002";
    result = pressContinue();
    EXPECT_FALSE(result.initialPressureText);
    EXPECT_EQ(result.entropyText, "7");
}

TEST_F(InputRules, ValuesBeyondSinglePrecisionAreRefusedNotStored)
{
    // 1e36 K fits a single, the magma's heat from it does not: the box is still the cause.
    texts.tMagma = "1e36";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Continue error: Overflow\nMagma Temperature (K): \"1e36\" is out of range.\nTry different values");

    host.clearLog();
    texts.tMagma = "1473";
    texts.pInit = "1e33";
    texts.sedimentMode = true;
    texts.waterFraction = "0.5";
    const ContinueResult result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Continue error: Overflow\nInitial Pressure (MPa): \"1e33\" is out of range.\nTry different values");
    EXPECT_EQ(state.PInit, 100000.0f);
    // The water fraction was accepted and rewritten before the pressure failed.
    EXPECT_EQ(state.XWater, 0.5f);
    EXPECT_EQ(result.waterFractionText, "0.50");
}

TEST_F(InputRules, TextThatIsNotANumberIsRefusedNamingTheBox)
{
    const std::string commaHint = "\nUse \".\" as the decimal point (0.5, not 0,5) and no thousands separators.";
    expectEachRefusedBeforeStoring({
        {&InputTexts::tMagma, "1,473", "Magma Temperature (K): \"1,473\" is not a number." + commaHint},
        {&InputTexts::tMagma, "1473,5", "Magma Temperature (K): \"1473,5\" is not a number." + commaHint},
        {&InputTexts::tMagma, "abc", "Magma Temperature (K): \"abc\" is not a number."},
        {&InputTexts::tInit, "298 K", "Water/Rock Temperature (K): \"298 K\" is not a number."},
        {&InputTexts::pInit, "0,5", "Initial Pressure (MPa): \"0,5\" is not a number." + commaHint},
        {&InputTexts::pFinal, "0.1.", "Ambient Pressure (MPa): \"0.1.\" is not a number."},
        {&InputTexts::ratio, "0.3x", "Water/Magma Ratio (R): \"0.3x\" is not a number."},
        // In sediment mode the ratio box has its sediment caption, and the fraction box is read.
        {&InputTexts::waterFraction, "0,5", "Water Fraction (X): \"0,5\" is not a number." + commaHint,
         Icon::Critical, true},
        {&InputTexts::ratio, "six", "Sediment/Magma Ratio (Rs): \"six\" is not a number.", Icon::Critical, true},
    });

    // Blanks around a number are no slip.
    SetUp();
    texts = {"1473", "298", "0.1", "0.1", " 0.6 ", "0.5", true};
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(state.RWater, 0.3f);
}

TEST_F(InputRules, EveryBoxOverflowsBeyondSinglePrecisionNamingTheBox)
{
    const std::pair<std::string InputTexts::*, const char*> boxes[] = {
        {&InputTexts::tMagma, "Magma Temperature (K)"},   {&InputTexts::tInit, "Water/Rock Temperature (K)"},
        {&InputTexts::pInit, "Initial Pressure (MPa)"},   {&InputTexts::pFinal, "Ambient Pressure (MPa)"},
        {&InputTexts::ratio, "Water/Magma Ratio (R)"},
    };
    std::vector<Refusal> overflows;
    for (const auto& [box, name] : boxes)
        for (const char* huge : {"3.5e38", "1e40", "-1e400"})
            overflows.push_back({box, huge,
                                 "Continue error: Overflow\n" + std::string(name) + ": \"" + huge
                                     + "\" is out of range.\nTry different values"});
    // Long texts are quoted shortened.
    const std::string longHuge = "1" + std::string(60, '0');
    overflows.push_back({&InputTexts::pFinal, longHuge,
                         "Continue error: Overflow\nAmbient Pressure (MPa): \"" + longHuge.substr(0, 40)
                             + "...\" is out of range.\nTry different values"});
    expectEachRefusedBeforeStoring(overflows);
}

// Water the steam table has no row for: the boxes and their texts are named, and the reason.
TEST_F(InputRules, SteamTableRefusalNamesTheWaterBoxes)
{
    texts.tInit = "3e38";
    texts.pInit = "0.001";
    ContinueResult asked = pressContinue();
    ASSERT_EQ(asked.outcome, ContinueOutcome::SteamTableRequest);
    EXPECT_EQ(steamTableRefusal(asked, texts),
              "The steam table has no water at Water/Rock Temperature (K) \"3e38\" and Initial Pressure (MPa) "
              "\"0.002\": temperature above 1273 K is outside the range.");
    texts.tInit = "273.1";
    asked = pressContinue();
    EXPECT_NE(steamTableRefusal(asked, texts).find("\"273.1\""), std::string::npos);
    texts.tInit = "1273";
    EXPECT_EQ(steamTableRefusal(pressContinue(), texts), "");
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(InputRules, PhysicallyImpossibleInputsAreRefusedNamingTheBox)
{
    const std::string magma =
        "Magma Temperature (K) must be above 298 K, the temperature from which the conversion ratio measures "
        "the magma's heat.";
    expectEachRefusedBeforeStoring({
        {&InputTexts::tMagma, "298", magma},
        {&InputTexts::tMagma, "-100", magma},
        {&InputTexts::tInit, "0", "Water/Rock Temperature (K) must be above 0 K."},
        {&InputTexts::tInit, "-10", "Water/Rock Temperature (K) must be above 0 K."},
        {&InputTexts::pInit, "0", "Initial Pressure (MPa) must be above 0."},
        {&InputTexts::pInit, "1e-50", "Initial Pressure (MPa) must be above 0."},
        {&InputTexts::pFinal, "-0.1", "Ambient Pressure (MPa) must be above 0."},
    });

    // Just above the limits is accepted.
    SetUp();
    host.clearLog();
    texts = {"298.5", "1", "0.001", "0.0001", "0.3", "--", false};
    EXPECT_NE(pressContinue().outcome, ContinueOutcome::Refused);
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(InputRules, CalculateNeedsBothBoxesAndStoresTheHeatingMode)
{
    EXPECT_FALSE(applyCalculate(state, "", "4000", false, std::nullopt, host));
    EXPECT_FALSE(applyCalculate(state, "500", "", false, std::nullopt, host));
    EXPECT_FALSE(applyCalculate(state, "", "", false, std::nullopt, host));
    ASSERT_EQ(host.messages().size(), 3u);
    EXPECT_EQ(host.messages()[0].text, "Please enter all values!\nEmpty: Iniitial Water Entropy (J/kg-K).");
    EXPECT_EQ(host.messages()[1].text, "Please enter all values!\nEmpty: Initial Water Cv (J/kg-K).");
    EXPECT_EQ(host.messages()[2].text, "Please enter all values!\nEmpty: Iniitial Water Entropy (J/kg-K), Initial Water Cv (J/kg-K).");
    EXPECT_EQ(host.messages()[1].icon, Icon::Exclamation);
    EXPECT_EQ(state.SInit, 366.93f);

    host.clearLog();
    EXPECT_FALSE(applyCalculate(state, "572.4x", "4100.5", true, std::nullopt, host));
    expectOnlyMessage("Iniitial Water Entropy (J/kg-K): \"572.4x\" is not a number.");
    host.clearLog();
    EXPECT_FALSE(applyCalculate(state, "572.4", "4100,5", true, std::nullopt, host));
    EXPECT_EQ(host.messages().at(0).text.substr(0, 52), "Initial Water Cv (J/kg-K): \"4100,5\" is not a number.");
    EXPECT_EQ(state.SInit, 366.93f);
    EXPECT_FALSE(state.ConstVolume);

    EXPECT_TRUE(applyCalculate(state, " 572.4", "4100.5", true, std::nullopt, host));
    EXPECT_EQ(state.SInit, 572.4f);
    EXPECT_EQ(state.CvInit, 4100.5f);
    EXPECT_TRUE(state.ConstVolume);
}

// Values no water has are refused with the box named; nothing is stored, not even the water
// they were asked for.
TEST_F(InputRules, ImpossibleEntropyOrCvIsRefusedNamingTheBox)
{
    const WaterState asked{350.0f, 5e6f};
    const std::tuple<const char*, const char*, std::string> refused[] = {
        {"572.4", "0", "Initial Water Cv (J/kg-K): \"0\" must be above 0."},
        {"572.4", "-5", "Initial Water Cv (J/kg-K): \"-5\" must be above 0."},
        {"572.4", "-0", "Initial Water Cv (J/kg-K): \"-0\" must be above 0."},
        {"572.4", "1e-50", "Initial Water Cv (J/kg-K): \"1e-50\" must be above 0."}, // 0 in single precision
        {"572.4", "1e39", "Calculate error: Overflow\nInitial Water Cv (J/kg-K): \"1e39\" is out of range.\nTry different values"},
        {"-1e39", "4000", "Calculate error: Overflow\nIniitial Water Entropy (J/kg-K): \"-1e39\" is out of range.\nTry different values"},
        {"3.4028236e38", "4000", "Calculate error: Overflow\nIniitial Water Entropy (J/kg-K): \"3.4028236e38\" is out of range.\nTry different values"},
        // Finite alone, but their heat at the magma's 1473 K is not
        {"572.4", "3e38", "Calculate error: Overflow\nInitial Water Cv (J/kg-K): \"3e38\" is out of range.\nTry different values"},
        {"-3e36", "4000", "Calculate error: Overflow\nIniitial Water Entropy (J/kg-K): \"-3e36\" is out of range.\nTry different values"},
    };
    for (const auto& [entropy, cv, message] : refused) {
        host.clearLog();
        EXPECT_FALSE(applyCalculate(state, entropy, cv, false, asked, host)) << entropy << " " << cv;
        expectOnlyMessage(message);
        EXPECT_EQ(state.SInit, 366.93f);
        EXPECT_EQ(state.CvInit, 4136.766f);
        EXPECT_EQ(state.TInit, 298.0f);
    }
    // An entropy below 0 and a Cv whose heat still fits are values, however unusual.
    host.clearLog();
    EXPECT_TRUE(applyCalculate(state, "-12.5", "2e35", false, asked, host));
    EXPECT_EQ(state.SInit, -12.5f);
    EXPECT_EQ(state.CvInit, 2e35f);
    EXPECT_TRUE(host.messages().empty());
}

} // namespace
