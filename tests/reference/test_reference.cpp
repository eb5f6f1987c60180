// The IAPWS-95 reference of a run: agreement with an independent implementation of the same
// model (python3-iapws), the balances each path must keep, and the inputs it refuses.
#include "reference/reference.h"
#include "steam/densitysolver.h"
#include "steam/iapws95.h"
#include "steam/saturation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace qrv::reference;
namespace steam = qrv::steam;

namespace {

struct GridRun {
    std::string line;
    ReferenceInput input;
    std::string refusal;  // a word the reason must hold; empty when there is a reference
    Reference expected;
};

Phase phaseNamed(const std::string& name)
{
    for (Phase phase : {Phase::Liquid, Phase::TwoPhase, Phase::Vapour, Phase::Supercritical})
        if (phaseName(phase) == name)
            return phase;
    ADD_FAILURE() << "no phase named " << name;
    return Phase::Liquid;
}

// tests/reference/make_reference_runs.py wrote the grid with python3-iapws.
std::vector<GridRun> loadGrid()
{
    std::ifstream file(REFERENCE_RUNS_CSV);
    EXPECT_TRUE(file) << REFERENCE_RUNS_CSV;
    std::vector<GridRun> runs;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            f.push_back(field);
        f.resize(24);  // the refusal, last, is empty where there is a reference
        const auto number = [&f](int i) { return std::stod(f[i]); };
        const auto path = [&](int i) {
            return PathResult{number(i), number(i + 1), number(i + 2), number(i + 3),
                              phaseNamed(f[i + 4])};
        };
        GridRun run{line,
                    {f[0] == "sediment" ? Mixture::SedimentMagma : Mixture::WaterMagma, number(1),
                     number(2), number(3), number(4), number(5), number(6)},
                    f[23],
                    {}};
        if (run.refusal.empty())
            run.expected = {number(7), number(8), number(9),  number(10),
                            number(11), path(13), path(18), f[12] == "1"};
        runs.push_back(run);
    }
    return runs;
}

double magmaHeat(const ReferenceInput& in)
{
    return in.CMagma * (in.TMagma - 298);
}

} // namespace

// Both codes evaluate the same formulation and solve to 1e-11 or closer, so they agree to
// rounding amplified by the solves (1e-12 relative seen); the tolerances leave a hundredfold
// margin. A wrong branch, balance or mass shows as percents.
TEST(Iapws95ReferenceGrid, AgreesWithPythonIapws)
{
    const std::vector<GridRun> runs = loadGrid();
    ASSERT_GE(runs.size(), 30u);
    std::map<std::string, double> worst;
    // The deviation on a scale: the value itself, or EMagma for the work.
    const auto expectClose = [&worst](const char* what, double actual, double expected,
                                      double scale, double tolerance) {
        const double deviation = std::abs(actual - expected) / std::abs(scale);
        EXPECT_LE(deviation, tolerance) << what << ": " << actual << " vs " << expected;
        worst[what] = std::max(worst[what], deviation);
    };
    for (const GridRun& run : runs) {
        SCOPED_TRACE(run.line);
        const ReferenceOutcome outcome = computeReference(run.input);
        if (!run.refusal.empty()) {
            EXPECT_FALSE(outcome.reference);
            EXPECT_NE(outcome.reason.find(run.refusal), std::string::npos) << outcome.reason;
            continue;
        }
        ASSERT_TRUE(outcome.reference) << outcome.reason;
        const Reference &r = *outcome.reference, &e = run.expected;
        expectClose("TEq", r.TEq, e.TEq, e.TEq, 1e-11);
        expectClose("PEq", r.PEq, e.PEq, e.PEq, 1e-10);
        expectClose("SEq", r.SEq, e.SEq, e.SEq, 1e-10);
        expectClose("UEq", r.UEq, e.UEq, e.UEq, 1e-10);
        expectClose("RhoEq", r.RhoEq, e.RhoEq, e.RhoEq, 1e-11);
        EXPECT_EQ(r.outsideValidity, e.outsideValidity);
        const double magma = magmaHeat(run.input);
        for (const auto& [path, expected] :
             {std::pair{r.adiabatic, e.adiabatic}, {r.isothermal, e.isothermal}}) {
            EXPECT_EQ(path.phase, expected.phase);
            expectClose("TFinal", path.TFinal, expected.TFinal, expected.TFinal, 1e-10);
            expectClose("W", path.W, expected.W, magma, 1e-10);
            expectClose("CR", path.CR, expected.CR, 100, 1e-10);
            expectClose("X", path.X, expected.X, 1, 1e-10);
        }
    }
    std::printf("largest deviations from python3-iapws (relative; W of EMagma, CR of 100 %%):");
    for (const auto& [what, deviation] : worst)
        std::printf(" %s %.2g", what.c_str(), deviation);
    std::printf("\n");
}

namespace {

// The water's entropy and energy at the end of a path, from its reported end state.
struct EndWater {
    double entropy;
    double internalEnergy;
};

// Also checks that the end state is found to 1e-9 in temperature: the entropy balance
// s(T) + c ln(T / TEq) = SEq (or, two-phase, the saturation pressure) changes sign across
// TFinal (1 -+ 1e-9).
EndWater checkedEndWater(const ReferenceInput& in, const Reference& r, const PathResult& path,
                         double companionsPerKgWater)
{
    const double below = path.TFinal * (1 - 1e-9), above = path.TFinal * (1 + 1e-9);
    if (path.phase == Phase::TwoPhase) {
        EXPECT_LT(steam::saturationAt(below).pressurePa, in.PFinal);
        EXPECT_GT(steam::saturationAt(above).pressurePa, in.PFinal);
        EXPECT_GT(path.X, 0);
        EXPECT_LT(path.X, 1);
        const steam::Saturation sat = steam::saturationAt(path.TFinal);
        const steam::Properties liquid = steam::propertiesAt(path.TFinal, sat.liquidDensity);
        const steam::Properties vapour = steam::propertiesAt(path.TFinal, sat.vapourDensity);
        return {liquid.entropy + path.X * (vapour.entropy - liquid.entropy),
                liquid.internalEnergy + path.X * (vapour.internalEnergy - liquid.internalEnergy)};
    }
    EXPECT_EQ(path.X, path.phase == Phase::Vapour ? 1 : 0);
    const auto excessEntropy = [&](double temperatureK) {
        return steam::extrapolatedStateAt(in.PFinal, temperatureK).properties.entropy
            + companionsPerKgWater * std::log(temperatureK / r.TEq) - r.SEq;
    };
    EXPECT_LT(excessEntropy(below), 0);
    EXPECT_GT(excessEntropy(above), 0);
    const steam::Properties water = steam::extrapolatedStateAt(in.PFinal, path.TFinal).properties;
    return {water.entropy, water.internalEnergy};
}

} // namespace

// Energy is conserved in the heating and on both paths (W is the energy the water and the
// companions lose); the adiabatic path keeps the water's entropy, the isothermal one the
// entropy of water and hot solids together.
TEST(Iapws95ReferenceGrid, KeepsEnergyAndEntropyBalancesOnEveryPath)
{
    for (const GridRun& run : loadGrid()) {
        if (!run.refusal.empty())
            continue;
        SCOPED_TRACE(run.line);
        const ReferenceInput& in = run.input;
        const ReferenceOutcome outcome = computeReference(in);
        ASSERT_TRUE(outcome.reference) << outcome.reason;
        const Reference& r = *outcome.reference;
        const bool sediment = in.mixture == Mixture::SedimentMagma;
        const double water = sediment ? in.ratio * in.XWater : in.ratio;
        const double rock = sediment ? in.ratio * (1 - in.XWater) * in.CRock : 0;

        const steam::Properties initial = steam::extrapolatedStateAt(in.PInit, in.TInit).properties;
        const auto energyGain = [&](double temperatureK) {
            return water * (steam::propertiesAt(temperatureK, r.RhoEq).internalEnergy
                            - initial.internalEnergy)
                + rock * (temperatureK - in.TInit) - in.CMagma * (in.TMagma - temperatureK);
        };
        EXPECT_LT(energyGain(r.TEq * (1 - 1e-9)), 0);
        EXPECT_GT(energyGain(r.TEq * (1 + 1e-9)), 0);

        const double tolerance = 1e-9 * magmaHeat(in);
        const EndWater adiabatic = checkedEndWater(in, r, r.adiabatic, 0);
        EXPECT_NEAR(adiabatic.entropy, r.SEq, 1e-9 * std::abs(r.SEq));
        EXPECT_NEAR(r.adiabatic.W, water * (r.UEq - adiabatic.internalEnergy), tolerance);

        const double companions = in.CMagma + rock;
        const EndWater isothermal = checkedEndWater(in, r, r.isothermal, companions / water);
        EXPECT_NEAR(water * isothermal.entropy + companions * std::log(r.isothermal.TFinal),
                    water * r.SEq + companions * std::log(r.TEq), 1e-9 * companions);
        EXPECT_NEAR(r.isothermal.W,
                    water * (r.UEq - isothermal.internalEnergy)
                        + companions * (r.TEq - r.isothermal.TFinal),
                    tolerance);
    }
}

// Worked by hand with IAPWS-95 for the default run: TMagma 1473 K, water at 298 K and
// 0.1 MPa, R 0.3, expansion to 0.1 MPa.
TEST(Iapws95Reference, DefaultRunGivesTheHandWorkedNumbers)
{
    const ReferenceOutcome outcome = computeReference({});
    ASSERT_TRUE(outcome.reference) << outcome.reason;
    const Reference& r = *outcome.reference;
    EXPECT_NEAR(r.TEq, 907.9, 0.05);
    EXPECT_NEAR(r.PEq / 1e6, 1200, 20);
    EXPECT_NEAR(r.adiabatic.CR, 16.87, 0.005);
    EXPECT_NEAR(r.isothermal.CR, 36.29, 0.005);
    EXPECT_EQ(r.adiabatic.phase, Phase::TwoPhase);
    EXPECT_EQ(r.isothermal.phase, Phase::TwoPhase);
    EXPECT_TRUE(r.outsideValidity) << "the equilibrium pressure is above 1000 MPa";
}

// The saturation state at the ambient pressure is kept between references: a reference
// at a pressure asked after others, back and forth, is the one a fresh thread works out
// with nothing kept. A kept state of another pressure moves the final temperature by kelvins.
TEST(Iapws95Reference, KeptSaturationStateIsThatOfThePressureAsked)
{
    const auto at = [](double pFinalPa) {
        ReferenceInput in;
        in.ratio = 2.0;
        in.PFinal = pFinalPa;
        return in;
    };
    const std::vector<double> pressures = {1e5, 5e6, 1e5, 1e5, 2e6, 5e6};
    for (std::size_t i = 0; i < pressures.size(); ++i) {
        const ReferenceOutcome kept = computeReference(at(pressures[i]));
        ReferenceOutcome fresh;
        std::thread([&] { fresh = computeReference(at(pressures[i])); }).join();
        ASSERT_TRUE(kept.reference && fresh.reference) << pressures[i];
        EXPECT_EQ(kept.reference->adiabatic.TFinal, fresh.reference->adiabatic.TFinal) << i;
        EXPECT_EQ(kept.reference->isothermal.CR, fresh.reference->isothermal.CR) << i;
        EXPECT_EQ(kept.reference->adiabatic.X, fresh.reference->adiabatic.X) << i;
    }
}

// A thousandth of a kilogram of water per kilogram of magma: the equilibrium is within
// kelvins of the magma at over 2000 MPa, far beyond the validated range, and still solves.
TEST(Iapws95Reference, SolvesTheEquilibriumFarBeyondTheValidatedRange)
{
    ReferenceInput in;
    in.ratio = 0.001;
    const ReferenceOutcome outcome = computeReference(in);
    ASSERT_TRUE(outcome.reference) << outcome.reason;
    const Reference& r = *outcome.reference;
    EXPECT_GT(r.PEq, 2000e6);
    EXPECT_GT(r.TEq, 1273);
    EXPECT_LT(r.TEq, in.TMagma);
    EXPECT_TRUE(r.outsideValidity);
    EXPECT_GT(r.adiabatic.CR, 0);
    EXPECT_GT(r.isothermal.CR, r.adiabatic.CR);
}

TEST(Iapws95Reference, RefusesInputsItCannotTakeWithAReasonNamingThem)
{
    const std::pair<ReferenceInput, const char*> cases[] = {
        {{.TInit = 273.15}, "ice"},
        {{.ratio = 0}, "water/magma ratio"},
        {{.mixture = Mixture::SedimentMagma, .XWater = 0}, "water fraction"},
        {{.mixture = Mixture::SedimentMagma, .XWater = 1.5}, "water fraction"},
        {{.TMagma = 298}, "magma temperature"},
        {{.TMagma = NAN}, "magma temperature"},
        {{.PInit = 0}, "initial pressure"},
        {{.PFinal = 600}, "triple-point pressure"},
        // No density reaches 5000 MPa: the initial state itself fails.
        {{.PInit = 5000e6}, "initial water"},
    };
    for (const auto& [input, reasonHolds] : cases) {
        const ReferenceOutcome outcome = computeReference(input);
        EXPECT_FALSE(outcome.reference) << reasonHolds;
        EXPECT_NE(outcome.reason.find(reasonHolds), std::string::npos) << outcome.reason;
    }
}
