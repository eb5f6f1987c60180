#include "calculation/montecarlo.h"
#include "calculation/peaks.h"
#include "calculation/runmap.h"
#include "report/mapvalues.h"
#include "report/sweeptable.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qrv;

namespace {

RunRequest startUp(const std::string& ratio = "0.3")
{
    RunRequest request;
    request.inputs = {"1473", "298", "0.1", "0.1", ratio, "--", false};
    return request;
}

} // namespace

TEST(Studies, SpreadIsTheClosedFormOfKnownValues)
{
    std::vector<double> values;
    for (int i = 100; i >= 0; --i)
        values.push_back(i);
    values.push_back(std::nan(""));
    const Spread spread = spreadOf(values);
    EXPECT_EQ(spread.count, 101u); // NaN is no value
    EXPECT_DOUBLE_EQ(spread.mean, 50);
    // The sample variance of 0..N is (N + 1)(N + 2) / 12.
    EXPECT_DOUBLE_EQ(spread.sd, std::sqrt(101.0 * 102.0 / 12.0));
    EXPECT_DOUBLE_EQ(spread.p5, 5);
    EXPECT_DOUBLE_EQ(spread.p25, 25);
    EXPECT_DOUBLE_EQ(spread.p95, 95);
    // Between two values the percentile is interpolated.
    EXPECT_DOUBLE_EQ(spreadOf({1, 2}).p25, 1.25);
    const Spread none = spreadOf({std::nan("")});
    EXPECT_EQ(none.count, 0u);
    EXPECT_TRUE(std::isnan(none.mean) && std::isnan(none.p50));
    EXPECT_TRUE(std::isnan(spreadOf({3}).sd));
}

TEST(Studies, DrawsFollowTheirDistributions)
{
    // Through an identity the spread of the draws is the distribution's own: a normal's
    // percentiles lie at mean + z sd, a uniform's evenly between its ends.
    const Distribution normal{Distribution::Kind::Normal, 1473, 50};
    const Distribution uniform{Distribution::Kind::Uniform, 0.2, 0.4};
    constexpr std::size_t kSamples = 200000;
    std::vector<double> normals, uniforms;
    for (std::size_t s = 0; s < kSamples; ++s) {
        SampleRandom random(42, s);
        normals.push_back(random.draw(normal));
        uniforms.push_back(random.draw(uniform));
    }
    const Spread n = spreadOf(normals);
    EXPECT_NEAR(n.mean, 1473, 4 * 50 / std::sqrt(double(kSamples)));
    EXPECT_NEAR(n.sd, 50, 0.5);
    EXPECT_NEAR(n.p5, 1473 - 1.6448536 * 50, 1.0);
    EXPECT_NEAR(n.p25, 1473 - 0.6744898 * 50, 1.0);
    EXPECT_NEAR(n.p50, 1473, 1.0);
    EXPECT_NEAR(n.p95, 1473 + 1.6448536 * 50, 1.0);
    const Spread u = spreadOf(uniforms);
    EXPECT_NEAR(u.mean, 0.3, 0.001);
    EXPECT_NEAR(u.sd, 0.2 / std::sqrt(12.0), 0.001);
    EXPECT_NEAR(u.p5, 0.21, 0.001);
    EXPECT_NEAR(u.p75, 0.35, 0.001);
    EXPECT_GE(*std::min_element(uniforms.begin(), uniforms.end()), 0.2);
    EXPECT_LT(*std::max_element(uniforms.begin(), uniforms.end()), 0.4);
}

TEST(Studies, DistributionsAreReadOrRefusedWithTheReason)
{
    const auto normal = readDistribution("1473~50").distribution;
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->kind, Distribution::Kind::Normal);
    EXPECT_EQ(normal->a, 1473);
    EXPECT_EQ(normal->b, 50);
    const auto uniform = readDistribution("-1e-1..2.5").distribution;
    ASSERT_TRUE(uniform);
    EXPECT_EQ(uniform->kind, Distribution::Kind::Uniform);
    EXPECT_EQ(uniform->a, -0.1);
    EXPECT_EQ(uniform->b, 2.5);
    const DistributionText plain = readDistribution("0.3");
    EXPECT_TRUE(plain.error.empty() && !plain.distribution);
    EXPECT_EQ(readDistribution("1473~-5").error, "\"1473~-5\": the standard deviation must not be negative");
    EXPECT_EQ(readDistribution("2..1").error, "\"2..1\": the upper end must not be below the lower");
    EXPECT_EQ(readDistribution("1473~").error, "\"1473~\" is not MEAN~SD");
    EXPECT_EQ(readDistribution("1..2..3").error, "\"1..2..3\" is not FROM..TO");
    EXPECT_EQ(readDistribution("1e999~1").error, "\"1e999~1\" is not MEAN~SD");
    EXPECT_EQ(readDistribution("1,5").error, "\"1,5\" is neither a number, MEAN~SD nor FROM..TO");
}

TEST(Studies, SamplesDoNotDependOnTheWorkersOrTheirOrder)
{
    UncertaintyRequest request;
    request.base = startUp();
    request.drawn = {{StudyInput::TMagma, {Distribution::Kind::Normal, 1473, 50}},
                     {StudyInput::R, {Distribution::Kind::Uniform, 0.2, 0.4}}};
    request.samples = 24;
    request.seed = 7;
    const UncertaintyResult one = runUncertainty(request, {}, 1);
    const UncertaintyResult three = runUncertainty(request, {}, 3);
    ASSERT_EQ(one.runs.size(), 24u);
    EXPECT_EQ(one.drawn, three.drawn);
    for (std::size_t s = 0; s < one.runs.size(); ++s) {
        ASSERT_TRUE(one.runs[s].record && three.runs[s].record) << s;
        EXPECT_EQ(one.runs[s].record->field(9), three.runs[s].record->field(9)) << s;
        EXPECT_EQ(one.drawn[s], drawSample(request, s));
    }
    // Another seed, other samples; a sample is the same whatever else is drawn beside it.
    UncertaintyRequest other = request;
    other.seed = 8;
    EXPECT_NE(drawSample(other, 0), drawSample(request, 0));
    other = request;
    other.samples = 3;
    EXPECT_EQ(runUncertainty(other).drawn[2], one.drawn[2]);
}

TEST(Studies, MapPointsAreSingleRunsInGridOrder)
{
    MapStudy map;
    map.base = startUp();
    map.x = {StudyInput::R, {0.0, 0.2, 0.4}}; // R = 0 is refused
    map.y = {StudyInput::TMagma, {1273, 1473}};
    int reports = 0;
    const MapResult result = runMap(map, [&reports](std::size_t done, std::size_t total) {
        EXPECT_LE(done, total);
        ++reports;
        return true;
    }, 2);
    EXPECT_TRUE(result.finished);
    EXPECT_GE(reports, 1);
    ASSERT_EQ(result.runs.size(), 6u);
    for (std::size_t j = 0; j < 2; ++j) {
        for (std::size_t i = 0; i < 3; ++i) {
            const RunResult& cell = result.runs[j * 3 + i];
            const RunResult single = calculate(mapPointRequest(map, i, j));
            EXPECT_EQ(cell.inputs.inputs.ratio, single.inputs.inputs.ratio);
            EXPECT_EQ(cell.inputs.inputs.tMagma, j == 0 ? "1273" : "1473");
            ASSERT_EQ(cell.record.has_value(), single.record.has_value()) << i << "," << j;
            if (single.record) {
                EXPECT_EQ(cell.record->field(13), single.record->field(13));
            }
        }
    }

    // A failed point is missing from the values and keeps its row, without numbers.
    const MapGrid teq = mapGrid(map, result, *findMapZKey("teq"));
    EXPECT_TRUE(std::isnan(teq.at(0, 0)) && std::isnan(teq.at(0, 1)));
    EXPECT_FLOAT_EQ(float(teq.at(2, 1)), result.runs[5].record->TEq);
    EXPECT_EQ(mapGridError(teq), "");
    EXPECT_EQ(teq.conditions, "TInit 298 K, PInit 0.1 MPa, PFinal 0.1 MPa");
    EXPECT_EQ(quantityTitle(teq.x.quantity, teq.x.unit), "Water/magma ratio R");
    EXPECT_EQ(quantityTitle(teq.y.quantity, teq.y.unit), "Magma temperature (K)");
    const MapGrid diff = mapGrid(map, result, *findMapZKey("diff-isothermal"));
    EXPECT_TRUE(diff.diverging);
    EXPECT_NEAR(diff.at(1, 1),
                result.runs[4].record->CRIsothermal - result.runs[4].reference->reference->isothermal.CR, 1e-5);
    const auto failed = mapRowCells(map, 0, 1, result.runs[3]);
    ASSERT_EQ(failed.size(), mapHeadings(map).size());
    EXPECT_EQ(failed[0], "0");
    EXPECT_EQ(failed[1], "1473");
    // Empty but for the reference's note, which the energy check's columns and the status follow.
    const std::size_t note = failed.size() - 2 - std::size(kEnergyExcessHeadings);
    for (std::size_t c = 2; c + 1 < failed.size(); ++c)
        EXPECT_EQ(failed[c].empty(), c != note) << c;
    EXPECT_EQ(failed.back(), "an input was refused: Enter R value > 0");
    EXPECT_EQ(mapRowCells(map, 1, 1, result.runs[4]).back(), "completed");
}

TEST(Studies, AStoppedMapSaysSo)
{
    MapStudy map;
    map.base = startUp();
    map.x = {StudyInput::R, std::vector<double>(10000, 0.3)};
    map.y = {StudyInput::TMagma, {1273, 1473}};
    std::vector<std::size_t> reports;
    const MapResult result = runMap(map, [&reports](std::size_t done, std::size_t) {
        reports.push_back(done);
        return false;
    }, 1);
    EXPECT_FALSE(result.finished);
    EXPECT_EQ(reports, std::vector<std::size_t>{0}); // none after the stop
    EXPECT_FALSE(result.runs.back().record);
}

TEST(Studies, PeaksAgreeWithADenseSweep)
{
    // 1473 K: the isothermal curve falls by 7 points where its path enters the steam dome
    // between R 0.43 and 0.44, and the peaks lie between the sweep's ratios.
    const std::vector<double> ratios{0.2, 0.3, 0.4, 0.5};
    const std::vector<Peak> peaks = findPeaks(startUp(), {}, ratios);
    ASSERT_EQ(peaks.size(), kPeakPaths.size());
    for (const Peak& peak : peaks) {
        SCOPED_TRACE(kPeakPaths[peak.path].name);
        ASSERT_TRUE(peak.found);
        const StudyOutput output = kPeakPaths[peak.path].output;
        // The peak's value is its run's.
        RunRequest at = startUp(ratioText(peak.ratio));
        EXPECT_EQ(studyOutputValue(calculate(at), output), peak.crPercent);
        // No run 1e-4 apart within 0.01 of it does better.
        double best = -1, bestRatio = 0;
        Calculator calculator(kSweepRuns);
        for (int k = -100; k <= 100; ++k) {
            const double ratio = peak.ratio + k * 1e-4;
            const double value = studyOutputValue(calculator.run(startUp(ratioText(ratio))), output);
            if (value > best) {
                best = value;
                bestRatio = ratio;
            }
        }
        EXPECT_GE(peak.crPercent, best - 1e-3 * std::max(1.0, best - peak.crPercent));
        EXPECT_NEAR(peak.ratio, bestRatio, 1e-4 + 1e-9);
    }
}
