#include "calculation/ratiosweep.h"
#include "calculation/studyoutput.h"
#include "calculation/sweepbands.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qrv;

namespace {

RunRequest startUp()
{
    RunRequest request;
    request.inputs = {"1473", "298", "0.1", "0.1", "0.3", "--", false};
    return request;
}

BandRequest tmagmaSpread(const std::string& text, std::size_t samples, std::uint64_t seed = 1)
{
    return {{{StudyInput::TMagma, text}}, samples, seed};
}

double crAt(double ratio, const std::string& tmagma, const StudyOutput& output)
{
    RunRequest request = startUp();
    request.inputs.tMagma = tmagma;
    request.inputs.ratio = ratioText(ratio);
    return studyOutputValue(calculate(request), output);
}

} // namespace

TEST(SweepBands, WidthIsTheClosedFormSpreadOfANearlyLinearCase)
{
    // A normal spread of 2 K on TMagma is small enough for CR to follow it linearly, so the
    // band spans 2 * 1.645 sd |dCR/dTMagma|, the slope taken from runs 2 K either side.
    constexpr double kSd = 2;
    const std::vector<double> ratios{0.1, 0.3};
    const SweepBands bands = runSweepBands(startUp(), {}, ratios, tmagmaSpread("~2", 4000));
    ASSERT_TRUE(bands.finished);
    ASSERT_EQ(bands.curves.size(), 1u);
    EXPECT_EQ(bands.samples, 2 * 4000u);
    EXPECT_EQ(bands.failed, 0u);
    const CurveBand& curve = bands.curves[0];
    EXPECT_EQ(curve.ratios, ratios);
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        for (const bool isothermal : {false, true}) {
            SCOPED_TRACE(std::to_string(ratios[i]) + (isothermal ? " isothermal" : " adiabatic"));
            const StudyOutput output = isothermal ? kIsothermalCR : kAdiabaticCR;
            const double slope = (crAt(ratios[i], "1475", output) - crAt(ratios[i], "1471", output)) / (2 * kSd);
            const double expected = 2 * 1.6448536 * kSd * std::abs(slope);
            const double p5 = isothermal ? curve.isothermalP5[i] : curve.adiabaticP5[i];
            const double p95 = isothermal ? curve.isothermalP95[i] : curve.adiabaticP95[i];
            ASSERT_GT(expected, 0.01);
            EXPECT_NEAR(p95 - p5, expected, 0.05 * expected);
            // The band lies about the curve's own run.
            const double middle = crAt(ratios[i], "1473", output);
            EXPECT_LT(p5, middle);
            EXPECT_GT(p95, middle);
        }
    }
    // "~2" is 2 K about the input window's value: the same draws as "1473~2".
    const SweepBands absolute = runSweepBands(startUp(), {}, ratios, tmagmaSpread("1473~2", 4000));
    EXPECT_EQ(absolute.curves[0].adiabaticP5, curve.adiabaticP5);
    EXPECT_EQ(absolute.curves[0].isothermalP95, curve.isothermalP95);
}

TEST(SweepBands, ASeedGivesTheSameBandsWithAnyNumberOfWorkers)
{
    const std::vector<double> ratios{0.2, 0.6};
    const BandRequest request = tmagmaSpread("1373..1573", 50, 7);
    const SweepBands one = runSweepBands(startUp(), {}, ratios, request, {}, 1);
    const SweepBands two = runSweepBands(startUp(), {}, ratios, request, {}, 2);
    ASSERT_EQ(one.curves.size(), 1u);
    ASSERT_EQ(two.curves.size(), 1u);
    EXPECT_EQ(one.curves[0].adiabaticP5, two.curves[0].adiabaticP5);
    EXPECT_EQ(one.curves[0].isothermalP95, two.curves[0].isothermalP95);
    const SweepBands otherSeed = runSweepBands(startUp(), {}, ratios, tmagmaSpread("1373..1573", 50, 8), {}, 2);
    EXPECT_NE(otherSeed.curves[0].adiabaticP5, one.curves[0].adiabaticP5);
    EXPECT_EQ(one.description, "TMagma 1373..1573 K; 50 samples a ratio, seed 7");
}

TEST(SweepBands, AFamilySpreadsEachMembersOwnValue)
{
    const SweepFamily family{FamilyInput::TMagma, {"1073", "1473"}};
    const std::vector<double> ratios{0.3};
    std::vector<std::size_t> done;
    std::size_t reportedTotal = 0;
    const SweepBands bands = runSweepBands(startUp(), family, ratios, tmagmaSpread("~1", 200),
                                           [&](std::size_t d, std::size_t total) {
                                               done.push_back(d);
                                               reportedTotal = total;
                                               return true;
                                           });
    ASSERT_TRUE(bands.finished);
    ASSERT_EQ(bands.curves.size(), 2u);
    EXPECT_EQ(reportedTotal, 2 * 200u);
    EXPECT_EQ(done.back(), 2 * 200u);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    for (std::size_t member = 0; member < 2; ++member) {
        const double run = crAt(0.3, family.values[member], kAdiabaticCR);
        EXPECT_EQ(bands.curves[member].member, member);
        EXPECT_LT(bands.curves[member].adiabaticP5[0], run);
        EXPECT_GT(bands.curves[member].adiabaticP95[0], run);
    }
    EXPECT_EQ(bands.description, "TMagma ~1 K about each member's value; 200 samples a ratio, seed 1");
}

TEST(SweepBands, AStoppedStudyLeavesNoFinishedBands)
{
    const SweepBands bands = runSweepBands(startUp(), {}, {0.1, 0.2, 0.3}, tmagmaSpread("~50", 100),
                                           [](std::size_t done, std::size_t) {
                                               return done < 100; // stops in the second ratio
                                           });
    EXPECT_FALSE(bands.finished);
    EXPECT_TRUE(bands.curves.empty());
    EXPECT_LT(bands.samples, 300u);
}

TEST(SweepBands, SpreadsAreReadOrRefusedWithTheReason)
{
    const SpreadText around = readSpread("~50");
    EXPECT_TRUE(around.error.empty());
    EXPECT_TRUE(around.aroundCurve);
    EXPECT_EQ(around.distribution.b, 50);
    const SpreadText uniform = readSpread("0.1..0.2");
    EXPECT_TRUE(uniform.error.empty());
    EXPECT_FALSE(uniform.aroundCurve);
    EXPECT_EQ(uniform.distribution.kind, Distribution::Kind::Uniform);
    EXPECT_EQ(readSpread("~-5").error, "\"~-5\": the standard deviation must not be negative");
    EXPECT_EQ(readSpread("~x").error, "\"~x\" is not ~SD");
    EXPECT_EQ(readSpread("1473~x").error, readDistribution("1473~x").error);
    EXPECT_NE(readSpread("1473").error.find("single value"), std::string::npos);
}
