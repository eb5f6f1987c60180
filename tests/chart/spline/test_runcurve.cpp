#include "chart/spline/runcurve.h"
#include "chart/spline/steffencubic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <utility>

using qrv::curveThroughRuns;
using qrv::PlotPoint;
using qrv::RunCurve;
using qrv::SteffenCubic;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The runs a curve must pass through, worked out apart from the code: the finite runs by X,
// a later run overwriting an earlier one of the same X.
std::map<double, double> expectedKnots(const std::vector<PlotPoint>& runs)
{
    std::map<double, double> knots;
    for (const PlotPoint& run : runs)
        if (std::isfinite(run.x) && std::isfinite(run.y))
            knots[run.x] = run.y;
    return knots;
}

// Everything a curve through runs promises: its knots are the runs, its samples run from the
// first to the last of them in steps no wider than asked, pass through each exactly, and
// never leave the range of the two runs around them.
void expectHonestCurve(const RunCurve& curve, const std::vector<PlotPoint>& runs, int sampleCount)
{
    const std::map<double, double> knots = expectedKnots(runs);
    ASSERT_GE(knots.size(), 2u);
    ASSERT_EQ(curve.knots.size(), knots.size());
    auto expected = knots.begin();
    for (const PlotPoint& knot : curve.knots) {
        EXPECT_EQ(knot.x, expected->first);
        EXPECT_EQ(knot.y, expected->second) << knot.x;
        ++expected;
    }
    ASSERT_FALSE(curve.samples.empty());
    EXPECT_EQ(curve.samples.front().x, knots.begin()->first);
    EXPECT_EQ(curve.samples.back().x, knots.rbegin()->first);
    EXPECT_LE(curve.samples.size(), std::size_t(sampleCount) + knots.size());

    const double spacing = (knots.rbegin()->first - knots.begin()->first) / (std::max(sampleCount, 2) - 1);
    auto right = knots.begin();
    auto left = right;
    std::size_t knotsMet = 0;
    for (std::size_t i = 0; i < curve.samples.size(); ++i) {
        const PlotPoint& s = curve.samples[i];
        if (i > 0) {
            ASSERT_GT(s.x, curve.samples[i - 1].x) << i;
            EXPECT_LE(s.x - curve.samples[i - 1].x, spacing * (1 + 1e-9)) << s.x;
        }
        if (s.x == right->first) {
            EXPECT_EQ(s.y, right->second) << "run at " << s.x;
            ++knotsMet;
            left = right++;
            continue;
        }
        ASSERT_TRUE(right != knots.end() && s.x > left->first && s.x < right->first) << s.x;
        EXPECT_GE(s.y, std::min(left->second, right->second)) << s.x;
        EXPECT_LE(s.y, std::max(left->second, right->second)) << s.x;
    }
    EXPECT_EQ(knotsMet, knots.size());
}

// Samples never fall (rise) against the runs' direction, but for rounding.
void expectMonotone(const RunCurve& curve, double direction)
{
    for (std::size_t i = 1; i < curve.samples.size(); ++i) {
        const double rise = (curve.samples[i].y - curve.samples[i - 1].y) * direction;
        EXPECT_GE(rise, -1e-12 * (1 + std::fabs(curve.samples[i].y))) << curve.samples[i].x;
    }
}

std::vector<PlotPoint> ratioRuns(const std::vector<double>& ratios, const std::vector<double>& values)
{
    std::vector<PlotPoint> runs;
    for (std::size_t i = 0; i < ratios.size(); ++i)
        runs.push_back({double(float(ratios[i])), double(float(values[i]))});
    return runs;
}

} // namespace

TEST(SteffenCubic, FollowsSteffensSlopesAndIsSmoothAtTheKnots)
{
    // Slopes worked by hand: 0.5 and 2.5 at the ends (the parabola through the three knots),
    // 1.5 in the middle (half the parabola's 3, below twice the smaller secant 1).
    const SteffenCubic bend({{0, 0}, {1, 1}, {2, 3}});
    EXPECT_DOUBLE_EQ(bend.value(0.5), 0.375);
    EXPECT_DOUBLE_EQ(bend.value(1.5), 1.875);
    EXPECT_DOUBLE_EQ(bend.value(2), 3);
    EXPECT_TRUE(std::isnan(bend.value(2.001)));
    EXPECT_TRUE(std::isnan(bend.value(kNaN)));
    // Two knots: a straight line.
    EXPECT_DOUBLE_EQ(SteffenCubic({{1, 2}, {3, 10}}).value(1.5), 4);

    // Random knots: the slope just left of each knot equals the slope just right of it.
    std::mt19937 random(11);
    std::uniform_real_distribution<double> step(0.1, 2);
    std::uniform_real_distribution<double> value(-100, 100);
    for (int set = 0; set < 50; ++set) {
        std::vector<PlotPoint> knots{{0, value(random)}};
        for (int k = 1; k < 8; ++k)
            knots.push_back({knots.back().x + step(random), value(random)});
        const SteffenCubic cubic(knots);
        for (std::size_t k = 1; k + 1 < knots.size(); ++k) {
            const double x = knots[k].x;
            const double dx = 1e-6;
            const double leftSlope = (cubic.value(x) - cubic.value(x - dx)) / dx;
            const double rightSlope = (cubic.value(x + dx) - cubic.value(x)) / dx;
            const double secants = std::fabs(knots[k].y - knots[k - 1].y) / (x - knots[k - 1].x)
                + std::fabs(knots[k + 1].y - knots[k].y) / (knots[k + 1].x - x);
            EXPECT_NEAR(leftSlope, rightSlope, 1e-3 * secants) << "set " << set << " knot " << k;
        }
    }
    EXPECT_THROW(SteffenCubic({{0, 1}}), std::invalid_argument);
    EXPECT_THROW(SteffenCubic({{0, 1}, {0, 2}}), std::invalid_argument);
}

// An end knot takes the slope of the parabola through the three end knots, held to twice the
// end secant (1 here) and turned to zero where it points against it. With knots (0, 0),
// (1, 1), (2, y) the parabola's end slope is 2 - y / 2; each bound is tried on both sides.
TEST(SteffenCubic, EndSlopesAreHeldToTwiceTheSecantAndNeverTurnBack)
{
    struct Case {
        double y;
        double endSlope;
    };
    for (const Case c : {Case{0.2, 1.9}, Case{-0.2, 2.0}, Case{-1.0, 2.0}, Case{3.8, 0.1}, Case{4.2, 0.0}}) {
        const SteffenCubic cubic({{0, 0}, {1, 1}, {2, c.y}});
        const double dx = 1e-7;
        EXPECT_NEAR((cubic.value(dx) - cubic.value(0)) / dx, c.endSlope, 1e-5) << "y " << c.y;
    }
}

// Between two runs the curve has exactly as many samples as asked, the runs included; fewer
// than two asked are two.
TEST(RunCurve, TwoRunsGiveTheAskedNumberOfSamples)
{
    const std::vector<PlotPoint> runs = {{0.1, 5}, {3.0, 40}};
    for (const auto& [asked, samples] : {std::pair{2, 2}, std::pair{3, 3}, std::pair{1600, 1600},
                                         std::pair{1, 2}, std::pair{0, 2}})
        EXPECT_EQ(curveThroughRuns(runs, asked, "ratio").samples.size(), std::size_t(samples)) << asked;
}

TEST(RunCurve, RandomRunSetsGiveHonestCurves)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int set = 0; set < 300; ++set) {
        const int count = set == 0 ? 3000 : 2 + int(unit(random) * 40);
        const double scale = std::pow(10.0, std::floor(unit(random) * 8) - 3);
        const double offset = (unit(random) - 0.5) * 10 * scale;
        const int shape = kind(random); // 0 random, 1 rising, 2 falling, 3 steps
        std::vector<PlotPoint> runs;
        for (int i = 0; i < count; ++i)
            runs.push_back({offset + scale * std::floor(unit(random) * 1000) / 100, 0});
        // Rising and falling data share one value per X, so that the knots keep the order.
        std::sort(runs.begin(), runs.end(), [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; });
        double level = unit(random) * 100;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const bool newX = i == 0 || runs[i].x != runs[i - 1].x;
            if (shape == 0)
                runs[i].y = (unit(random) - 0.5) * 200 * scale;
            else if (shape == 3)
                runs[i].y = unit(random) < 0.2 ? unit(random) * 100 : level;
            else if (i == 0)
                runs[i].y = level;
            else
                runs[i].y = runs[i - 1].y + (newX ? (shape == 1 ? 1 : -1) * unit(random) : 0);
        }
        std::shuffle(runs.begin(), runs.end(), random);
        int broken = 0;
        if (shape == 0 && count > 4) {
            runs[1].y = kNaN;
            runs[3].x = kInf;
            broken = 2;
        }
        if (expectedKnots(runs).size() < 2)
            continue;
        const int samples = 2 + int(unit(random) * 2000);
        const RunCurve curve = curveThroughRuns(runs, samples, "R");
        SCOPED_TRACE("set " + std::to_string(set));
        EXPECT_EQ(curve.reason, "");
        EXPECT_EQ(curve.skippedRuns, broken);
        expectHonestCurve(curve, runs, samples);
        if (shape == 1 || shape == 2)
            expectMonotone(curve, shape == 1 ? 1 : -1);
    }
}

TEST(RunCurve, RunsAtOneTemperatureDrawAFlatLineOverTheirRatiosOnly)
{
    // Three adiabatic runs, all ending at 373.0 K; a curve pinned to 0 K beyond them dipped to
    // 70 K and peaked near 790 K.
    const std::vector<PlotPoint> runs = ratioRuns({0.58, 0.18, 1.2}, {373, 373, 373});
    const RunCurve curve = curveThroughRuns(runs, 400, "R");
    expectHonestCurve(curve, runs, 400);
    EXPECT_EQ(curve.samples.front().x, double(0.18f));
    EXPECT_EQ(curve.samples.back().x, double(1.2f));
    for (const PlotPoint& s : curve.samples)
        ASSERT_EQ(s.y, 373.0) << s.x;
}

TEST(RunCurve, SharpDropsAndKelvinStepsAreNotOvershot)
{
    // Isothermal conversion ratio of a 0.05-0.95 sweep, dropping from 31 % to 4 % between
    // R 0.40 and 0.45.
    std::vector<double> ratios;
    std::vector<double> percent;
    for (int k = 1; k <= 19; ++k) {
        ratios.push_back(k * 0.05);
        percent.push_back(k <= 8 ? 11 + 2.5 * k : 4 - 0.1 * (k - 9));
    }
    const std::vector<PlotPoint> drop = ratioRuns(ratios, percent);
    const RunCurve dropCurve = curveThroughRuns(drop, 600, "R");
    expectHonestCurve(dropCurve, drop, 600);
    expectMonotone(curveThroughRuns(std::vector<PlotPoint>(drop.begin() + 7, drop.end()), 600, "R"), -1);
    EXPECT_EQ(dropCurve.samples.back().x, double(0.95f));

    // Final temperatures above R 2 stepping up and down by tenths of a kelvin.
    ratios.clear();
    std::vector<double> kelvin;
    for (int k = 0; k <= 20; ++k) {
        ratios.push_back(2 + 0.05 * k);
        kelvin.push_back(373.0 + (k % 2 == 0 ? 0.3 : -0.2) + 0.01 * k);
    }
    const std::vector<PlotPoint> zigzag = ratioRuns(ratios, kelvin);
    expectHonestCurve(curveThroughRuns(zigzag, 800, "R"), zigzag, 800);
}

TEST(RunCurve, WithoutTwoDistinctValuesThereIsNoCurveButAReason)
{
    const std::vector<PlotPoint> oneTemperature = {{1473, 20}, {1473, kNaN}, {1473, 25}, {kNaN, 30}};
    const RunCurve one = curveThroughRuns(oneTemperature, 500, "magma temperature");
    EXPECT_TRUE(one.samples.empty());
    ASSERT_EQ(one.knots.size(), 1u);
    EXPECT_EQ(one.knots[0].y, 25);
    EXPECT_EQ(one.skippedRuns, 2);
    EXPECT_EQ(one.reason,
              "A curve needs runs at two or more different values of magma temperature; one point is drawn.");

    const std::vector<PlotPoint> nothingFinite = {{kNaN, 1}, {2, kInf}};
    const RunCurve none = curveThroughRuns(nothingFinite, 500, "R");
    EXPECT_TRUE(none.samples.empty() && none.knots.empty());
    EXPECT_EQ(none.skippedRuns, 2);
    EXPECT_NE(none.reason, "");

    const RunCurve empty = curveThroughRuns({}, 500, "R");
    EXPECT_TRUE(empty.samples.empty() && empty.knots.empty());
    EXPECT_EQ(empty.reason, "");
}
