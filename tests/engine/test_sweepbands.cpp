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
    const std::vector<double> ratios{0.1, 0.3};
    const BandRequest request{{{StudyInput::TMagma, "~2"}}, 4000, 1};
    const SweepBands bands = runSweepBands(startUp(), {}, ratios, request);
    ASSERT_TRUE(bands.finished);
    ASSERT_EQ(bands.curves.size(), 1u);
    EXPECT_EQ(bands.failed, 0u);
    const CurveBand& curve = bands.curves[0];
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        for (const bool isothermal : {false, true}) {
            SCOPED_TRACE(std::to_string(ratios[i]) + (isothermal ? " isothermal" : " adiabatic"));
            const StudyOutput output = isothermal ? kIsothermalCR : kAdiabaticCR;
            const double slope = (crAt(ratios[i], "1475", output) - crAt(ratios[i], "1471", output)) / 4;
            const double expected = 2 * 1.6448536 * 2 * std::abs(slope);
            const double p5 = isothermal ? curve.isothermalP5[i] : curve.adiabaticP5[i];
            const double p95 = isothermal ? curve.isothermalP95[i] : curve.adiabaticP95[i];
            ASSERT_GT(expected, 0.01);
            EXPECT_NEAR(p95 - p5, expected, 0.05 * expected);
        }
    }
    // "~2" is 2 K about the input window's value, the same draws as "1473~2"; a seed gives the
    // same bands with one worker as with one per core, another seed other bands.
    BandRequest absolute = request;
    absolute.spreads[0].text = "1473~2";
    const SweepBands again = runSweepBands(startUp(), {}, ratios, absolute, {}, 1);
    EXPECT_EQ(again.curves[0].adiabaticP5, curve.adiabaticP5);
    EXPECT_EQ(again.curves[0].isothermalP95, curve.isothermalP95);
    absolute.seed = 2;
    EXPECT_NE(runSweepBands(startUp(), {}, ratios, absolute).curves[0].adiabaticP5, curve.adiabaticP5);
    EXPECT_EQ(bands.description, "TMagma 1473~2 K; 4000 samples a ratio, seed 1");
}
