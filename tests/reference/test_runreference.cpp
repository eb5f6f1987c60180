#include "reference/runreference.h"
#include "tests/reference/storedruns.h"

#include <gtest/gtest.h>

using namespace qrv;
using namespace qrv::reference;
using qrv::test::storedRun;

// A stored run gives the reference of the inputs it was calculated from, in the store's units.
TEST(RunReference, StoredRunsGiveTheReferenceOfTheirInputs)
{
    RunReferences references;
    const ReferenceOutcome& water = references.of(storedRun(0.3f, 1.0f));
    ASSERT_TRUE(water.reference) << water.reason;
    const ReferenceOutcome direct = computeReference(ReferenceInput{.ratio = 0.3f});
    ASSERT_TRUE(direct.reference);
    EXPECT_NEAR(water.reference->adiabatic.CR, direct.reference->adiabatic.CR, 1e-6);
    EXPECT_NEAR(water.reference->TEq, 907.86, 0.01);

    // Rs 0.6 of a sediment half water carries the water of R 0.3 and as much rock.
    const ReferenceInput sediment = referenceInputOf(storedRun(0.6f, 0.5f));
    EXPECT_EQ(sediment.mixture, Mixture::SedimentMagma);
    EXPECT_EQ(sediment.ratio, 0.6f);
    EXPECT_EQ(sediment.XWater, 0.5);
    EXPECT_EQ(referenceInputOf(storedRun(0.3f, 1.0f)).mixture, Mixture::WaterMagma);
    const ReferenceOutcome& wet = references.of(storedRun(0.6f, 0.5f));
    ASSERT_TRUE(wet.reference) << wet.reason;
    EXPECT_LT(wet.reference->TEq, water.reference->TEq) << "the rock takes up heat too";

    // The same inputs are worked once; a sediment whose X the file did not tell has a reason.
    EXPECT_EQ(&references.of(storedRun(0.3f, 1.0f)), &water);
    EXPECT_FALSE(references.of(storedRun(0.6f, 0.0f)).reference);
}

TEST(RunReference, EverySeriesKeyHasItsValueInTheStoreUnits)
{
    const Reference r = *computeReference(ReferenceInput{}).reference;
    EXPECT_EQ(referenceValue(r, "cra"), r.adiabatic.CR);
    EXPECT_EQ(referenceValue(r, "cri"), r.isothermal.CR);
    EXPECT_EQ(referenceValue(r, "sfi"), r.isothermal.X);
    EXPECT_EQ(referenceValue(r, "wfa"), 1 - r.adiabatic.X);
    EXPECT_EQ(referenceValue(r, "fti"), r.isothermal.TFinal);
    EXPECT_EQ(referenceValue(r, "et"), r.TEq);
    EXPECT_EQ(referenceValue(r, "ep"), r.PEq / 1e6);
    EXPECT_EQ(referenceValue(r, "ed"), r.RhoEq);
    EXPECT_EQ(referenceValue(r, "ee"), r.SEq);
    EXPECT_FALSE(referenceValue(r, "R"));
    for (const auto key : {"cra", "cri", "sfa", "sfi", "wfa", "wfi", "fta", "fti", "et", "ep", "ed", "ee"})
        EXPECT_TRUE(seriesKeyField(key)) << key << " names a stored series too";
}
