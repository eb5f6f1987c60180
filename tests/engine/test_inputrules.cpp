#include "calcstate.h"
#include "inputrules.h"
#include "recordinghost.h"

#include <gtest/gtest.h>

#include <string>

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

    void expectOnlyMessage(const std::string& text, Icon icon) const
    {
        ASSERT_EQ(host.messages().size(), 1u);
        EXPECT_EQ(host.messages()[0].text, text);
        EXPECT_EQ(host.messages()[0].icon, icon);
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

TEST_F(InputRules, EachEmptyRequiredBoxStopsBeforeAnythingIsStored)
{
    std::string InputTexts::*required[] = {&InputTexts::tMagma, &InputTexts::tInit, &InputTexts::pInit,
                                           &InputTexts::ratio, &InputTexts::waterFraction};
    for (auto box : required) {
        SetUp();
        host.clearLog();
        texts.tMagma = "1500";
        texts.*box = "";
        EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
        expectOnlyMessage("Please enter all values!", Icon::Exclamation);
        EXPECT_EQ(state.TMagma, 1473.0f);
    }

    // The ambient pressure is not required: empty reads as 0.
    SetUp();
    texts.pFinal = "";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(state.PFinal, 0.0f);
}

TEST_F(InputRules, RefusedRatioKeepsTheFieldsConvertedBeforeIt)
{
    texts = {"1500", "350", "5", "0.2", "0", "--", false};
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Enter R value > 0", Icon::Critical);
    EXPECT_EQ(state.TMagma, 1500.0f);
    EXPECT_EQ(state.EMagma, 1202000.0f);
    EXPECT_EQ(state.PFinal, 200000.0f);
    EXPECT_EQ(state.RInput, 0.0f);
    EXPECT_EQ(state.TInit, 298.0f); // the water state is not reached
    EXPECT_EQ(state.PInit, 100000.0f);

    host.clearLog();
    texts.ratio = "abc";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Enter R value > 0", Icon::Critical);
}

TEST_F(InputRules, SedimentWaterFractionIsCheckedAndRewritten)
{
    texts.sedimentMode = true;
    texts.ratio = "0.5";

    texts.waterFraction = "0";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Enter X > 0.0", Icon::Critical);
    EXPECT_EQ(state.XWater, 0.0f);

    host.clearLog();
    texts.waterFraction = "1.01";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Enter X <= 1.0", Icon::Critical);
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
    expectOnlyMessage("Rmix error", Icon::Critical);
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
    EXPECT_EQ(state.TInit, 274.0f);

    texts.tInit = "500";
    texts.pInit = "5";
    result = pressContinue();
    EXPECT_EQ(result.steamTableQuery, "5000000,500.0");
    EXPECT_EQ(state.PInit, 5000000.0f);

    texts.pInit = "99";
    result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(state.SInit, 334.1535f);
    EXPECT_EQ(state.CvInit, 3876.879f);
    EXPECT_EQ(result.entropyText, "334.1535");
    EXPECT_EQ(result.cvText, "3876.879");

    // Back at the start-up state the values of the last run are kept, not the start-up ones.
    texts.tInit = "298";
    texts.pInit = "0.1";
    result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(state.SInit, 334.1535f);
    EXPECT_TRUE(host.messages().empty());
}

// 98.7 MPa itself still asks the steam table (or takes the ice values below freezing); the
// fixed S and Cv start at the next pressure a single holds, 98700008 Pa, typed as 98.700001.
TEST_F(InputRules, FixedHighPressureValuesStartJustAbove98Point7Megapascals)
{
    struct Case {
        const char* tInit;
        const char* pInit;
        float pInitPa;
        ContinueOutcome outcome;
        const char* steamTableQuery;
        const char* entropy;
        const char* cv;
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
        EXPECT_EQ(state.PInit, c.pInitPa);
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
    EXPECT_EQ(state.PInit, 2000.0f);

    // Ice below the floor: the raised box is read again, and the next Continue with that
    // box finds the state unchanged.
    texts.tInit = "250";
    result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Calculate);
    EXPECT_EQ(result.initialPressureText, "0.002");
    EXPECT_EQ(state.PInit, float(double(0.002f) * 1e6));
    state.SInit = 7.0f;
    texts.pInit = "0.002";
    result = pressContinue();
    EXPECT_FALSE(result.initialPressureText);
    EXPECT_EQ(result.entropyText, "7");
}

TEST_F(InputRules, ValuesBeyondSinglePrecisionAreRefusedNotStored)
{
    texts.tMagma = "1e36";
    EXPECT_EQ(pressContinue().outcome, ContinueOutcome::Refused);
    expectOnlyMessage("Continue error: Overflow\nTry different values", Icon::Critical);

    host.clearLog();
    texts.tMagma = "1473";
    texts.pInit = "1e33";
    texts.sedimentMode = true;
    texts.waterFraction = "0.5";
    const ContinueResult result = pressContinue();
    EXPECT_EQ(result.outcome, ContinueOutcome::Refused);
    EXPECT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(state.PInit, 100000.0f);
    // The water fraction was accepted and rewritten before the pressure failed.
    EXPECT_EQ(state.XWater, 0.5f);
    EXPECT_EQ(result.waterFractionText, "0.50");
}

TEST_F(InputRules, CalculateNeedsBothBoxesAndStoresTheHeatingMode)
{
    EXPECT_FALSE(applyCalculate(state, "", "4000", false, host));
    EXPECT_FALSE(applyCalculate(state, "500", "", false, host));
    EXPECT_EQ(host.messages().size(), 2u);
    EXPECT_EQ(host.messages()[1].text, "Please enter all values!");
    EXPECT_EQ(host.messages()[1].icon, Icon::Exclamation);
    EXPECT_EQ(state.SInit, 366.93f);

    EXPECT_TRUE(applyCalculate(state, "572.4x", "4100.5", true, host));
    EXPECT_EQ(state.SInit, 572.4f);
    EXPECT_EQ(state.CvInit, 4100.5f);
    EXPECT_TRUE(state.ConstVolume);
}

} // namespace
