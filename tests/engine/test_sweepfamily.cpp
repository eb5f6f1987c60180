#include "calculation/ratiosweep.h"
#include "calculation/sweepfamily.h"

#include <gtest/gtest.h>

using namespace qrv;

TEST(SweepFamily, ValuesAreReadWholeAndRefusedWithTheReason)
{
    EXPECT_EQ(readFamilyValues(" 1073, 1273 ,1.473e3").values, (std::vector<std::string>{"1073", "1273", "1.473e3"}));
    EXPECT_EQ(readFamilyValues("0.1").values, std::vector<std::string>{"0.1"});
    // Neighbours that single precision still tells apart, and values beyond it, stay members.
    EXPECT_EQ(readFamilyValues("1073, 1073.0001").values.size(), 2u);
    EXPECT_EQ(readFamilyValues("1e39, 2e39").values.size(), 2u);
    const std::pair<const char*, const char*> refused[] = {
        {"", "every value needs a number between the commas"},
        {"1073,", "every value needs a number between the commas"},
        {",1073", "every value needs a number between the commas"},
        {"1073,,1473", "every value needs a number between the commas"},
        {"1073;1473", "\"1073;1473\" is not a number"},
        {"1,5", ""},
        {"0,5 MPa", "\"5 MPa\" is not a number"},
        // Equal members would run twice and share their results folder.
        {"1073, 1073.0, +1073", "\"1073.0\" is the same value as \"1073\"; give each value once"},
        {"1273, 1073,1.073e3", "\"1.073e3\" is the same value as \"1073\"; give each value once"},
        {"0.1, -0, 0", "\"0\" is the same value as \"-0\"; give each value once"},
        // Apart as typed, one value once stored in single precision.
        {"1073, 1073.00001", "\"1073.00001\" is the same value as \"1073\"; give each value once"},
    };
    for (const auto& [list, reason] : refused) {
        const FamilyValues read = readFamilyValues(list);
        if (*reason == '\0') {
            // A decimal comma reads as two values: the list is the user's to check.
            EXPECT_EQ(read.values.size(), 2u) << list;
            continue;
        }
        EXPECT_EQ(read.error, reason) << list;
        EXPECT_TRUE(read.values.empty()) << list;
    }
}

TEST(SweepFamily, EachMemberRunsEveryRatioWithItsOwnInput)
{
    RunRequest base;
    base.inputs = {"1473", "298", "0.1", "0.1", "", "--", false};
    const SweepFamily none;
    EXPECT_EQ(none.memberCount(), 1u);
    EXPECT_EQ(none.memberLabel(0), "");
    const SweepFamily x{FamilyInput::X, {"0.3", "0.6"}};
    EXPECT_EQ(x.memberLabel(1), "X 0.6");
    const RunRequest sediment = familyMember(base, x, 1);
    EXPECT_TRUE(sediment.inputs.sedimentMode);
    EXPECT_EQ(sediment.inputs.waterFraction, "0.6");
    EXPECT_EQ(sediment.inputs.tMagma, "1473");

    const SweepFamily magma{FamilyInput::TMagma, {"1073", "1273", "1473"}};
    EXPECT_EQ(magma.memberLabel(0), "TMagma 1073 K");
    std::vector<std::pair<std::size_t, float>> ran;
    const bool finished = runFamilySweep(base, magma, {0.1, 0.2}, [&ran](std::size_t member, const SweepRun& step) {
        ran.emplace_back(member, step.run.state.TMagma);
        EXPECT_EQ(step.ratio, step.index == 0 ? 0.1 : 0.2);
        return true;
    });
    EXPECT_TRUE(finished);
    EXPECT_EQ(ran,
              (std::vector<std::pair<std::size_t, float>>{{0, 1073.0f},
                                                          {0, 1073.0f},
                                                          {1, 1273.0f},
                                                          {1, 1273.0f},
                                                          {2, 1473.0f},
                                                          {2, 1473.0f}}));

    // Stopping in the second member stops the family.
    std::size_t runs = 0;
    EXPECT_FALSE(runFamilySweep(base, magma, {0.1, 0.2}, [&runs](std::size_t member, const SweepRun&) {
        ++runs;
        return member == 0;
    }));
    EXPECT_EQ(runs, 3u);
}

// A sweep's runs keep their messages and records but no window texts, unless asked for them
// (for results files): then each run's texts are those of the same run made alone.
TEST(SweepFamily, RunsKeepWindowTextsOnlyWhenAsked)
{
    RunRequest base;
    base.inputs = {"1473", "298", "0.1", "0.1", "", "--", false};
    base.constantVolume = true; // every run warns that the Redlich-Kwong pressure failed
    for (const WindowTexts texts : {WindowTexts::Skipped, WindowTexts::Kept}) {
        int runs = 0;
        runFamilySweep(base, SweepFamily{}, {0.3, 2.0}, [&](std::size_t, const SweepRun& step) {
            ++runs;
            const WindowRecord& shown = step.run.shown;
            EXPECT_TRUE(step.run.record.has_value());
            EXPECT_EQ(shown.messages.size(), 1u);
            if (texts == WindowTexts::Skipped) {
                EXPECT_TRUE(shown.controls(Window::Results).empty());
                EXPECT_TRUE(shown.controls(Window::Calc).empty());
                EXPECT_TRUE(shown.captions.empty());
            } else {
                RunRequest alone = base;
                alone.inputs.ratio = std::string(step.ratioText);
                const RunResult single = calculate(alone);
                EXPECT_EQ(shown.controls(Window::Results).size(), single.shown.controls(Window::Results).size());
                for (const auto& [name, state] : single.shown.controls(Window::Results))
                    EXPECT_EQ(shown.text(Window::Results, name), state.text) << name;
                EXPECT_EQ(shown.captions, single.shown.captions);
            }
            return true;
        }, CalculateOptions{texts, true});
        EXPECT_EQ(runs, 2);
    }
}
