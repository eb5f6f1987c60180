#include "chart/spline/axisscale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

using qrv::AxisScale;

namespace {

std::vector<std::string> labels(const AxisScale& axis)
{
    std::vector<std::string> texts;
    for (double tick : axis.ticks())
        texts.push_back(axis.label(tick));
    return texts;
}

using Labels = std::vector<std::string>;

// What every axis promises: five to ten ticks one 1-2-5 step apart from its low bound to its
// high one, bounds that hold the data (to a thousandth of a step; a single value with room
// around it) and end at the first tick beyond it, the origin a tick when spanned, and labels that read back as the ticks exactly,
// all with the step's decimals.
void expectRoundAxis(const AxisScale& axis, double dataMin, double dataMax, bool includeZero)
{
    const std::vector<double> ticks = axis.ticks();
    ASSERT_GE(ticks.size(), 5u);
    ASSERT_LE(ticks.size(), 10u);
    const double step = axis.step();
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
        << step;
    EXPECT_EQ(ticks.front(), axis.low());
    EXPECT_EQ(ticks.back(), axis.high());
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i] - ticks[i - 1], step, 1e-9 * step + 1e-15 * std::fabs(ticks[i]));

    // A single value stands a tenth of itself inside both ends, the origin then added.
    const double single = dataMin == dataMax ? std::fabs(dataMin) / 10 : 0;
    const double low = std::min({dataMin - single, dataMax - single, includeZero ? 0.0 : dataMin - single});
    const double high = std::max({dataMin + single, dataMax + single, includeZero ? 0.0 : dataMax + single});
    EXPECT_LE(axis.low(), low + 1e-3 * step);
    EXPECT_GE(axis.high(), high - 1e-3 * step);
    if (high > low) {
        EXPECT_GT(axis.low(), low - step);
        EXPECT_LT(axis.high(), high + step);
    }

    bool origin = false;
    for (double tick : ticks) {
        const std::string text = axis.label(tick);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), tick) << text;
        const auto point = text.find('.');
        EXPECT_EQ(point == std::string::npos ? 0 : int(text.size() - point - 1), axis.decimals()) << text;
        EXPECT_EQ(text.find_first_of(",eE"), std::string::npos) << text;
        if (tick == 0) {
            origin = true;
            EXPECT_NE(text[0], '-');
        }
    }
    EXPECT_EQ(origin, axis.low() <= 0 && axis.high() >= 0);
}

} // namespace

TEST(AxisScale, ChartsOfTheRunsGetRoundBoundsAndEnoughTicks)
{
    // Points below R 1: ticks between 0 and 1, not just those two.
    const AxisScale below1 = AxisScale::fit(0.05f, 0.95f, true);
    expectRoundAxis(below1, 0.05f, 0.95f, true);
    EXPECT_EQ(labels(below1), (Labels{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));

    // A 0.05-3 sweep ends at 3, not at 4; a last run at 2.55 at the next round value.
    EXPECT_EQ(AxisScale::fit(0.05f, 3.0f, true).high(), 3.0);
    EXPECT_EQ(AxisScale::fit(0.1f, 2.55f, true).high(), 3.0);
    // A typed 0.3 is stored as 0.30000001 and still ends its axis at 0.3.
    const AxisScale short03 = AxisScale::fit(0.05f, 0.3f, true);
    EXPECT_EQ(labels(short03), (Labels{"0.00", "0.05", "0.10", "0.15", "0.20", "0.25", "0.30"}));

    // One run at R 0.3 lies inside its axis from 0, not on the axis's end.
    const AxisScale lone = AxisScale::fit(0.3f, 0.3f, true);
    EXPECT_EQ(labels(lone), (Labels{"0.00", "0.05", "0.10", "0.15", "0.20", "0.25", "0.30", "0.35"}));

    // Every run at one hydrostatic pressure: an axis around it, not -0.9 to 1.1 with one tick.
    const AxisScale pressure = AxisScale::fit(0.1f, 0.1f, false);
    expectRoundAxis(pressure, 0.1f, 0.1f, false);
    EXPECT_EQ(labels(pressure), (Labels{"0.090", "0.095", "0.100", "0.105", "0.110"}));

    // Negative values: the origin is a tick, labelled without a sign.
    const AxisScale signedAxis = AxisScale::fit(0.2, -0.35, false);
    EXPECT_EQ(labels(signedAxis), (Labels{"-0.4", "-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2"}));
    // Final temperatures, without and with the origin.
    EXPECT_EQ(labels(AxisScale::fit(372.8, 1180, false)),
              (Labels{"300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200"}));
    EXPECT_EQ(AxisScale::fit(372.8, 1180, true).low(), 0.0);
}

TEST(AxisScale, MissingTinyAndHugeValuesStillGiveRoundAxes)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(labels(AxisScale::fit(kNaN, kNaN, false)), (Labels{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    EXPECT_EQ(labels(AxisScale::fit(0, 0, true)), (Labels{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    expectRoundAxis(AxisScale::fit(kNaN, 5, false), 5, 5, false);
    expectRoundAxis(AxisScale::fit(-kInf, 2, true), 2, 2, true);
    expectRoundAxis(AxisScale::fit(3, 1e305, false), 3, 3, false);
    // Single-precision extremes and a range lost in the digits of its values.
    expectRoundAxis(AxisScale::fit(0, 3.4e38, true), 0, 3.4e38, true);
    expectRoundAxis(AxisScale::fit(1.2e-38, 3e-38, false), 1.2e-38, 3e-38, false);
    expectRoundAxis(AxisScale::fit(1473, 1473 + 1e-10, false), 1473, 1473, false);

    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 3000; ++i) {
        const double magnitude = std::pow(10.0, unit(random) * 60 - 30);
        const double a = (unit(random) - 0.3) * magnitude;
        // Wide, narrow and empty ranges around a.
        const double width = i % 3 == 0 ? 0 : unit(random) * magnitude * std::pow(10.0, -(i % 7));
        const double b = a + width;
        const bool includeZero = i % 2 == 0;
        SCOPED_TRACE(std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(i));
        expectRoundAxis(AxisScale::fit(b, a, includeZero), a, b, includeZero);
    }
}
