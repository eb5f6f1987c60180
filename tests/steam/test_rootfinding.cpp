// The bracketed Newton solver on increasing functions where Newton's method alone fails.
#include "steam/rootfinding.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qrv::steam;

// Steep at the root and flat away from it, like the entropy along an isobar near the critical
// point: each Newton step lands on the other side only a little closer, inside the bracket.
TEST(IncreasingRoot, ConvergesWhereNewtonStepsBounceInsideTheBracket)
{
    int calls = 0;
    const auto bouncing = [&calls](double x) -> ValueAndSlope {
        ++calls;
        const double y = x - 600, magnitude = std::pow(std::abs(y), 0.52);
        return {std::copysign(magnitude, y), 0.52 * magnitude / std::abs(y)};
    };
    const std::optional<double> root = increasingRoot(bouncing, 273, 2000, 700);
    ASSERT_TRUE(root);
    EXPECT_NEAR(*root, 600, 1e-9);
    EXPECT_LT(calls, 60);
}

TEST(IncreasingRoot, GivesNothingForAFunctionThatIsNotFinite)
{
    const auto broken = [](double x) -> ValueAndSlope { return {x > 2 ? NAN : x - 3, 1}; };
    EXPECT_FALSE(increasingRoot(broken, 0, 10, 5));
}
