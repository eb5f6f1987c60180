// States at a given pressure and temperature: the root on the stable branch, the phase, the
// range limits, and agreement with an independent IAPWS-95 implementation on a grid.
#include "steam/densitysolver.h"
#include "steam/iapws95coefficients.h"
#include "steam/saturation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace qrv::steam;

TEST(StateAt, SolvedDensityReproducesThePressureOnEveryBranch)
{
    struct Case { double pressurePa, temperatureK; Phase phase; };
    const Case cases[] = {
        {611.657, 273.16, Phase::Liquid},   {1e5, 273.16, Phase::Liquid},
        {1000e6, 273.16, Phase::Liquid},    {2e3, 300, Phase::Vapour},
        {1e5, 372.0, Phase::Liquid},        {1e5, 374.0, Phase::Vapour},
        {20e6, 640, Phase::Vapour},         {22.1e6, 646.9, Phase::Liquid},
        {22.064e6, 647.2, Phase::Supercritical}, {30e6, 650, Phase::Supercritical},
        {1e3, 1273, Phase::Supercritical},  {1000e6, 1273, Phase::Supercritical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pressurePa << " Pa, " << c.temperatureK << " K");
        const State state = stateAt(c.pressurePa, c.temperatureK);
        EXPECT_EQ(state.phase, c.phase);
        // The liquid is stiff: a density good to 1e-14 still moves the pressure by ~1e-4 Pa.
        EXPECT_NEAR(state.properties.pressurePa, c.pressurePa, 1e-10 * c.pressurePa + 1e-4);
        EXPECT_GT(state.properties.cv, 0);
        EXPECT_GT(state.properties.speedOfSound, 0);
    }
}

// A millikelvin either side of the saturation temperature must land on the right branch,
// also where the auxiliary saturation equations alone would misjudge it.
TEST(StateAt, ClassifiesStatesWithinOneMillikelvinOfSaturation)
{
    for (double saturationK : {273.2, 300.0, 373.124, 450.0, 550.0, 600.0, 640.0, 646.0, 647.0}) {
        SCOPED_TRACE(testing::Message() << saturationK << " K");
        const Saturation sat = saturationAt(saturationK);
        const State below = stateAt(sat.pressurePa, saturationK - 1e-3);
        const State above = stateAt(sat.pressurePa, saturationK + 1e-3);
        EXPECT_EQ(below.phase, Phase::Liquid);
        EXPECT_EQ(above.phase, Phase::Vapour);
        EXPECT_GE(below.properties.density, sat.liquidDensity * (1 - 1e-3));
        EXPECT_LE(above.properties.density, sat.vapourDensity * (1 + 1e-3));
    }
}

// Water at exactly its saturation pressure is liquid (the boiling water of a steam table);
// the next pressure down is vapour.
TEST(StateAt, ExactlyAtTheSaturationPressureIsLiquid)
{
    for (double temperatureK : {300.0, 373.124, 550.0, 646.0}) {
        SCOPED_TRACE(testing::Message() << temperatureK << " K");
        const double saturationPa = saturationAt(temperatureK).pressurePa;
        EXPECT_EQ(stateAt(saturationPa, temperatureK).phase, Phase::Liquid);
        EXPECT_EQ(stateAt(std::nextafter(saturationPa, 0.0), temperatureK).phase, Phase::Vapour);
    }
}

TEST(StateAt, RefusesStatesOutsideTheRange)
{
    for (const auto& [pressurePa, temperatureK] : {std::pair{1e5, 273.15}, {1e5, 1273.5}, {1000.1e6, 500.0},
                                                   {0.0, 500.0}, {-1e5, 500.0}, {NAN, 500.0}, {1e5, NAN}})
        EXPECT_THROW(stateAt(pressurePa, temperatureK), OutOfRange) << pressurePa << " Pa, " << temperatureK << " K";
    try {
        stateAt(1e5, 270);
        FAIL() << "no error below the triple point";
    } catch (const OutOfRange& e) {
        EXPECT_NE(std::string(e.what()).find("ice"), std::string::npos) << e.what();
    }
}

// Inside the range the extrapolating form is the same solve; beyond it, python3-iapws 1.5.2
// (IAPWS95(P=..., T=...)) gave the densities and entropies here.
TEST(ExtrapolatedStateAt, MatchesStateAtInsideTheRangeAndAnIndependentCodeBeyond)
{
    for (const auto& [pressurePa, temperatureK] :
         {std::pair{2e3, 300.0}, {1e5, 372.0}, {22.1e6, 647.5}, {1000e6, 1273.0}}) {
        EXPECT_EQ(extrapolatedStateAt(pressurePa, temperatureK).properties.density,
                  stateAt(pressurePa, temperatureK).properties.density);
    }
    struct Case { double pressurePa, temperatureK, density, entropy; Phase phase; };
    const Case beyond[] = {
        {0.1e6, 1400, 0.15477245547253046, 10219.079815746378, Phase::Supercritical},
        {1200e6, 300, 1265.5914707779623, -38.63678395531715, Phase::Liquid},
        {2000e6, 1500, 956.1173167836222, 5401.021751366266, Phase::Supercritical},
        {30e6, 2000, 32.114230472566916, 8536.447278992391, Phase::Supercritical},
    };
    for (const Case& c : beyond) {
        SCOPED_TRACE(testing::Message() << c.pressurePa << " Pa, " << c.temperatureK << " K");
        const State state = extrapolatedStateAt(c.pressurePa, c.temperatureK);
        EXPECT_EQ(state.phase, c.phase);
        EXPECT_NEAR(state.properties.density / c.density, 1, 1e-9);
        EXPECT_NEAR(state.properties.entropy, c.entropy, 1e-9 * std::abs(c.entropy) + 1e-6);
    }
}

TEST(ExtrapolatedStateAt, RefusesIceNonPositivePressureAndPressuresNoDensityReaches)
{
    EXPECT_THROW(extrapolatedStateAt(1e5, 273.0), OutOfRange);
    EXPECT_THROW(extrapolatedStateAt(0, 1500), OutOfRange);
    EXPECT_THROW(extrapolatedStateAt(NAN, 1500), OutOfRange);
    // The liquid at 5 GPa would be denser than any density the solver brackets.
    EXPECT_THROW(extrapolatedStateAt(5000e6, 300), OutOfRange);
}

// Down where the density underflows, the formulation's terms stop being finite numbers.
TEST(StateAt, RefusesStatesWithoutFiniteProperties)
{
    for (const double pressurePa : {1e-154, 1e-200, 1e-314, 5e-324}) {
        SCOPED_TRACE(testing::Message() << pressurePa << " Pa");
        try {
            stateAt(pressurePa, 573.15);
            FAIL() << "no error";
        } catch (const OutOfRange& e) {
            EXPECT_NE(std::string(e.what()).find("not finite"), std::string::npos) << e.what();
        }
    }
    const Properties thin = stateAt(1e-140, 573.15).properties;
    for (const double value : {thin.density, thin.entropy, thin.cp, thin.speedOfSound})
        EXPECT_TRUE(std::isfinite(value));
}

// tests/steam/make_reference.py made the grid with python3-iapws.
TEST(StateAt, AgreesWithAnIndependentImplementationOnAGrid)
{
    std::ifstream file(STEAM_REFERENCE_GRID);
    ASSERT_TRUE(file) << STEAM_REFERENCE_GRID;
    int points = 0;
    double worstEntropy = 0, worstCv = 0, worstDensity = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::vector<double> v;
        for (std::string field; std::getline(fields, field, ',');)
            v.push_back(std::stod(field));
        ASSERT_EQ(v.size(), 5u) << line;
        const State state = stateAt(v[0], v[1]);
        const double entropyError = std::abs(state.properties.entropy - v[3]) / std::max(std::abs(v[3]), 1.0);
        const double cvError = std::abs(state.properties.cv / v[4] - 1);
        const double densityError = std::abs(state.properties.density / v[2] - 1);
        EXPECT_LT(entropyError, 1e-6) << line << " s = " << state.properties.entropy;
        EXPECT_LT(cvError, 1e-6) << line << " cv = " << state.properties.cv;
        EXPECT_LT(densityError, 1e-6) << line << " rho = " << state.properties.density;
        worstEntropy = std::max(worstEntropy, entropyError);
        worstCv = std::max(worstCv, cvError);
        worstDensity = std::max(worstDensity, densityError);
        ++points;
    }
    EXPECT_GE(points, 200);
    RecordProperty("worst_entropy", std::to_string(worstEntropy));
    RecordProperty("worst_cv", std::to_string(worstCv));
    std::printf("%d points; largest relative deviation: s %.3g, cv %.3g, rho %.3g\n", points,
                worstEntropy, worstCv, worstDensity);
}
