#include "model/conversionratio.h"

#include <gtest/gtest.h>

#include <cmath>

using qrv::conversionRatio;

// A path that does no work (compressed liquid expanded to its own pressure) converts exactly
// 0 % and is no error; the least negative work is held at 0 and marked. Likewise at 100 %.
TEST(ConversionRatio, IsHeldOnlyBeyondZeroAndAHundred)
{
    const float heat = 1175000.0f; // J/kg of magma: 1473 K down to 298 K
    EXPECT_EQ(conversionRatio(0.0f, heat).percent, 0.0f);
    EXPECT_FALSE(conversionRatio(0.0f, heat).clamped);
    EXPECT_FALSE(conversionRatio(-0.0f, heat).clamped);
    EXPECT_TRUE(conversionRatio(-1.0f, heat).clamped);
    EXPECT_EQ(conversionRatio(-1.0f, heat).percent, 0.0f);

    EXPECT_EQ(conversionRatio(heat, heat).percent, 100.0f);
    EXPECT_FALSE(conversionRatio(heat, heat).clamped);
    const float beyond = std::nextafter(heat, 2.0f * heat) * 1.0001f;
    EXPECT_TRUE(conversionRatio(beyond, heat).clamped);
    EXPECT_EQ(conversionRatio(beyond, heat).percent, 100.0f);

    EXPECT_NEAR(conversionRatio(0.25f * heat, heat).percent, 25.0f, 1e-5f);
    EXPECT_FALSE(conversionRatio(0.25f * heat, heat).clamped);
}
