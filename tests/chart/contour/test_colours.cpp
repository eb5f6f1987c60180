#include "chart/contour/colourmap.h"
#include "chart/contour/colourscale.h"
#include "tests/chart/contour/samplegrids.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qrv;

namespace {

// CIE L*, the lightness a reader sees, from 0 (black) to 100 (white).
double lightness(Rgb colour)
{
    const double y = luminance(colour);
    return y > 216.0 / 24389 ? 116 * std::cbrt(y) - 16 : y * 24389.0 / 27;
}

} // namespace

TEST(ColourMaps, LuminanceRunsFromBlackToWhite)
{
    EXPECT_DOUBLE_EQ(luminance({0, 0, 0}), 0);
    EXPECT_NEAR(luminance({255, 255, 255}), 1, 1e-12);
    EXPECT_NEAR(lightness({119, 119, 119}), 50, 0.5); // sRGB's middle grey
}

TEST(ColourMaps, ViridisRunsFromPurpleToYellowEverLighter)
{
    EXPECT_EQ(viridis(0), (Rgb{68, 1, 84}));
    EXPECT_EQ(viridis(1), (Rgb{253, 231, 37}));
    EXPECT_EQ(viridis(-3), viridis(0));
    EXPECT_EQ(viridis(7), viridis(1));
    double previous = lightness(viridis(0));
    for (int k = 1; k <= 100; ++k) {
        const double now = lightness(viridis(k / 100.0));
        EXPECT_GT(now, previous) << "at " << k / 100.0;
        // Perceptually uniform: each hundredth adds about the same lightness (0.6 of 100).
        EXPECT_LT(now - previous, 1.3) << "at " << k / 100.0;
        previous = now;
    }
}

TEST(ColourMaps, BlueWhiteRedIsWhiteInTheMiddleAndAlikeEitherSide)
{
    const Rgb middle = blueWhiteRed(0.5);
    EXPECT_GE(std::min({middle.red, middle.green, middle.blue}), 240);
    EXPECT_LE(std::max({middle.red, middle.green, middle.blue}) - std::min({middle.red, middle.green, middle.blue}), 3);
    for (int k = 1; k <= 50; ++k) {
        const double d = k / 100.0;
        const Rgb below = blueWhiteRed(0.5 - d);
        const Rgb above = blueWhiteRed(0.5 + d);
        EXPECT_GT(below.blue, below.red) << d;
        EXPECT_GT(above.red, above.blue) << d;
        // ColorBrewer's table differs by up to 4.5 L* between its darkest blues and reds.
        EXPECT_NEAR(lightness(below), lightness(above), 5) << d;
        EXPECT_LT(lightness(above), lightness(blueWhiteRed(0.5 + d - 0.01)) + 1e-9) << d;
    }
    EXPECT_EQ(blueWhiteRed(-1), blueWhiteRed(0));
    EXPECT_EQ(blueWhiteRed(2), blueWhiteRed(1));
}

// The bar has round ends around the values; a contour at every tick the values cross; its
// ends take the colour map's ends.
TEST(ColourScale, SequentialBarAroundTheValues)
{
    MapGrid grid = test::gridOf({0, 1, 2}, {0, 1}, [](double x, double y) { return 3.2 + x * 20 + y * 4.7; });
    grid.z[1] = NAN;
    const ColourScale scale(grid); // 3.2 to 47.9
    EXPECT_EQ(scale.low(), 0);
    EXPECT_EQ(scale.high(), 50);
    EXPECT_EQ(scale.contourLevels(), (std::vector<double>{10, 20, 30, 40}));
    EXPECT_EQ(scale.ticks(), (std::vector<double>{0, 10, 20, 30, 40, 50}));
    EXPECT_EQ(scale.label(20), "20");
    EXPECT_EQ(scale.colour(0), viridis(0));
    EXPECT_EQ(scale.colour(50), viridis(1));
    EXPECT_EQ(scale.colour(25), viridis(0.5));
    EXPECT_EQ(scale.colour(-20), viridis(0));
}

TEST(ColourScale, DifferenceBarIsCentredOnZero)
{
    MapGrid grid = test::gridOf({0, 1}, {0, 1}, [](double x, double y) { return -3 + 10 * x * y; });
    grid.diverging = true;
    const ColourScale scale(grid); // -3 to 7
    EXPECT_EQ(scale.low(), -scale.high());
    EXPECT_GE(scale.high(), 7);
    EXPECT_EQ(scale.position(0), 0.5);
    EXPECT_EQ(scale.colour(0), blueWhiteRed(0.5));
    const std::vector<double>& levels = scale.contourLevels();
    EXPECT_NE(std::find(levels.begin(), levels.end(), 0.0), levels.end());
    EXPECT_GT(levels.front(), -3);
    EXPECT_LT(levels.back(), 7);

    // All positive: still white at 0, so every value is red.
    grid.z = {2, 3, 4, 5};
    const ColourScale positive(grid);
    EXPECT_EQ(positive.position(0), 0.5);
    EXPECT_GT(positive.colour(2).red, positive.colour(2).blue);
}

TEST(ColourScale, MapWithoutAnyResultHasNoContours)
{
    MapGrid grid = test::gridOf({0, 1}, {0, 1}, [](double, double) { return NAN; });
    EXPECT_TRUE(ColourScale(grid).contourLevels().empty());
    grid.diverging = true;
    EXPECT_TRUE(ColourScale(grid).contourLevels().empty());
    EXPECT_LT(ColourScale(grid).low(), ColourScale(grid).high());
}
