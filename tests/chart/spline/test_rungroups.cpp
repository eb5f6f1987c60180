#include "chart/spline/rungroups.h"

#include <gtest/gtest.h>

using qrv::groupRuns;
using qrv::RunGroups;
using qrv::RunStore;
using qrv::SeriesRecord;

namespace {

SeriesRecord run(float ratio, float tMagma = 1473, float pFinal = 0.1f, float xWater = 1)
{
    SeriesRecord r;
    r.R = ratio;
    r.TMagma = tMagma;
    r.TWater = 298;
    r.PHydroMPa = 0.1f;
    r.PFinalMPa = pFinal;
    r.XWater = xWater;
    return r;
}

std::vector<std::vector<int>> runsOf(const RunGroups& groups)
{
    std::vector<std::vector<int>> runs;
    for (const auto& group : groups.groups)
        runs.push_back(group.runs);
    return runs;
}

} // namespace

TEST(RunGroups, OneSweepIsOneCurveNamedByItsConditions)
{
    RunStore store;
    for (const float ratio : {0.3f, 0.1f, 0.2f})
        store.append(run(ratio));
    const RunGroups groups = groupRuns(store, 0);
    EXPECT_EQ(runsOf(groups), (std::vector<std::vector<int>>{{1, 2, 3}}));
    EXPECT_EQ(groups.groups[0].legend, "");
    EXPECT_EQ(groups.conditions, "TMagma 1473 K, water 298 K at 0.10 MPa, ambient 0.10 MPa");
    EXPECT_FALSE(groups.anySediment);

    // Against an equilibrium quantity the ratio still moves along the curve.
    EXPECT_EQ(runsOf(groupRuns(store, 5)), runsOf(groups));
    EXPECT_TRUE(groupRuns(RunStore(), 0).groups.empty());
}

TEST(RunGroups, AFamilyIsOneCurvePerMemberLegendFromWhatDiffers)
{
    RunStore store;
    for (const float tMagma : {1073.0f, 1273.0f, 1473.0f})
        for (const float ratio : {0.1f, 0.2f})
            store.append(run(ratio, tMagma));
    // A file opened later, of the first member's conditions, joins its curve.
    store.append(run(0.3f, 1073));
    const RunGroups groups = groupRuns(store, 0);
    EXPECT_EQ(runsOf(groups), (std::vector<std::vector<int>>{{1, 2, 7}, {3, 4}, {5, 6}}));
    EXPECT_EQ(groups.groups[0].legend, "TMagma 1073 K");
    EXPECT_EQ(groups.groups[2].legend, "TMagma 1473 K");
    EXPECT_EQ(groups.conditions, "mixed conditions: TMagma by curve; water 298 K at 0.10 MPa, ambient 0.10 MPa");

    // Against the magma temperature the family's ratios make the curves instead.
    const RunGroups byRatio = groupRuns(store, 1);
    EXPECT_EQ(runsOf(byRatio), (std::vector<std::vector<int>>{{1, 3, 5}, {2, 4, 6}, {7}}));
    EXPECT_EQ(byRatio.groups[1].legend, "R 0.2");
    EXPECT_EQ(byRatio.conditions, "mixed conditions: R by curve; water 298 K at 0.10 MPa, ambient 0.10 MPa");
}

TEST(RunGroups, SeveralDifferingInputsAndSedimentRunsAreNamed)
{
    RunStore store;
    store.append(run(0.5f, 1273, 10, 0.3f));
    store.append(run(0.6f, 1273, 10, 0.3f));
    RunGroups sediment = groupRuns(store, 0);
    EXPECT_TRUE(sediment.allSediment);
    EXPECT_EQ(sediment.conditions, "TMagma 1273 K, sediment 298 K at 0.10 MPa (X 0.3), ambient 10 MPa");
    // One curve against the magma temperature: the sediment's ratio is Rs.
    store.clear();
    store.append(run(0.5f, 1073, 10, 0.3f));
    store.append(run(0.5f, 1273, 10, 0.3f));
    EXPECT_EQ(groupRuns(store, 1).conditions, "Rs 0.5, sediment 298 K at 0.10 MPa (X 0.3), ambient 10 MPa");

    store.clear();
    store.append(run(0.5f, 1273, 5, 0.3f));
    store.append(run(0.5f, 1473, 0.1f, 1));
    const RunGroups mixed = groupRuns(store, 0);
    EXPECT_TRUE(mixed.anySediment);
    EXPECT_FALSE(mixed.allSediment);
    EXPECT_EQ(mixed.groups[0].legend, "TMagma 1273 K, PFinal 5.00 MPa, X 0.3");
    EXPECT_EQ(mixed.groups[1].legend, "TMagma 1473 K, PFinal 0.10 MPa, X 1");
    EXPECT_EQ(mixed.conditions, "mixed conditions: TMagma, PFinal, X by curve; water 298 K at 0.10 MPa");
}
