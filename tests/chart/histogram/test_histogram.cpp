#include "calculation/studyoutput.h"
#include "chart/contour/mapgrid.h"
#include "chart/histogram/histogram.h"
#include "report/uncertaintyhistograms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qrv;

namespace {

// Whether the width is 1, 2 or 5 times a power of ten, as round bins need.
bool roundStep(double width)
{
    const double mantissa = width / std::pow(10.0, std::floor(std::log10(width) + 1e-9));
    return std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9;
}

// Every value in the bin that covers it, the bins round and no more than allowed.
void expectBinsHold(const HistogramBins& bins, const std::vector<double>& values)
{
    ASSERT_FALSE(bins.counts.empty());
    EXPECT_TRUE(roundStep(bins.width)) << bins.width;
    EXPECT_NEAR(bins.low / bins.width, std::round(bins.low / bins.width), 1e-9);
    EXPECT_LE(bins.counts.size(), kMostBins);
    std::vector<std::size_t> expected(bins.counts.size());
    for (const double v : values) {
        if (!std::isfinite(v))
            continue;
        ASSERT_GE(v, bins.low);
        ASSERT_LT(v, bins.edge(bins.counts.size()));
        ++expected[std::size_t(std::floor((v - bins.low) / bins.width))];
    }
    EXPECT_EQ(bins.counts, expected);
}

} // namespace

TEST(HistogramBins, EveryFiniteValueInTheBinThatCoversIt)
{
    SampleRandom random(7, 0);
    std::vector<double> normal;
    for (int k = 0; k < 5000; ++k)
        normal.push_back(1473 + 50 * random.normal());
    const Spread spread = spreadOf(normal);
    const HistogramBins bins = binsOf(normal, spread.p75 - spread.p25);
    expectBinsHold(bins, normal);
    EXPECT_EQ(bins.total(), normal.size());
    // Freedman and Diaconis: about 2 * 67 K / 17 = 8 K, rounded up to 10 K.
    EXPECT_EQ(bins.width, 10);

    // A far outlier widens the bins rather than making thousands of them; NaN and infinities
    // are no values.
    std::vector<double> tailed = normal;
    tailed.insert(tailed.end(), {1e6, std::nan(""), std::numeric_limits<double>::infinity()});
    const HistogramBins wide = binsOf(tailed, spread.p75 - spread.p25);
    expectBinsHold(wide, tailed);
    EXPECT_EQ(wide.total(), normal.size() + 1);
}

TEST(HistogramBins, OneValueManyTimesOrNoneAtAll)
{
    const std::vector<double> same(40, 0.3);
    const HistogramBins bins = binsOf(same, 0);
    expectBinsHold(bins, same);
    EXPECT_EQ(bins.counts, std::vector<std::size_t>{40});
    EXPECT_TRUE(binsOf({std::nan("")}, 0).counts.empty());
}

// An uncertainty study whose drawn R is sometimes not above 0: the failed samples are counted
// under the title and left out of every bar; the percentiles are the summary's.
TEST(UncertaintyHistograms, BarsCountEverySampleThatDidNotFail)
{
    UncertaintyRequest request;
    request.base.inputs = {"1473", "298", "0.1", "0.1", "0.3", "--", false};
    request.drawn = {{StudyInput::R, {Distribution::Kind::Uniform, -0.1, 0.3}},
                     {StudyInput::TMagma, {Distribution::Kind::Normal, 1473, 50}}};
    request.samples = 400;
    request.seed = 11;
    const UncertaintyResult result = runUncertainty(request, {}, 1);
    const std::size_t failed = failedSamples(result);
    ASSERT_GT(failed, 20u);

    const HistogramSet set = uncertaintyHistograms(request, result);
    EXPECT_EQ(histogramSetError(set), "");
    EXPECT_EQ(set.failed, std::to_string(failed) + " of 400 samples failed and are left out");
    EXPECT_EQ(set.conditions, "Drawn: R -0.1..0.3 (uniform), TMagma 1473~50 K (normal); fixed: TInit 298 K, PInit "
                              "0.1 MPa, PFinal 0.1 MPa; seed 11");
    ASSERT_EQ(set.panels.size(), kStudyOutputs.size());
    EXPECT_EQ(quantityTitle(set.panels[0].quantity, set.panels[0].unit), "Adiabatic conversion ratio (%)");
    EXPECT_EQ(quantityTitle(set.panels[5].quantity, set.panels[5].unit), "Equilibrium pressure (MPa)");
    for (std::size_t k = 0; k < set.panels.size(); ++k) {
        const HistogramPanel& panel = set.panels[k];
        const std::vector<double> values = studyOutputValues(result.runs, kStudyOutputs[k]);
        const Spread spread = spreadOf(values);
        SCOPED_TRACE(panel.quantity);
        expectBinsHold(panel.bins, values);
        EXPECT_EQ(panel.bins.total(), 400 - failed);
        EXPECT_EQ(panel.p5, spread.p5);
        EXPECT_EQ(panel.p50, spread.p50);
        EXPECT_EQ(panel.p95, spread.p95);
    }
}
