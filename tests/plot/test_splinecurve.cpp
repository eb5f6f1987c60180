#include "plot/spline/splinecurve.h"

#include <gtest/gtest.h>

#include <cmath>

using qrv::CurveClamp;
using qrv::RunStore;
using qrv::SeriesRecord;
using qrv::SplineCurve;

namespace {

SeriesRecord run(float ratio, float crIsothermal, float sfIsothermal = 0.5f)
{
    SeriesRecord r;
    r.R = ratio;
    r.TMagma = 1473;
    r.TWater = 298;
    r.PHydroMPa = 10;
    r.CRIsothermal = crIsothermal;
    r.SFIsothermal = sfIsothermal;
    r.WFIsothermal = 1 - sfIsothermal;
    return r;
}

int chartPoint(float ratio) { return int(std::nearbyint(double(float(double(ratio) * 100)))); }

} // namespace

TEST(SplineCurve, AscendingRunsPassThroughTheirValues)
{
    RunStore store;
    const float ratios[] = {0.1f, 0.3f, 0.45f, 0.8f, 1.6f, 2.5f};
    const float values[] = {12, 30, 27.5f, 18, 9, 4};
    for (int i = 0; i < 6; ++i)
        store.append(run(ratios[i], values[i]));
    SplineCurve curve;
    ASSERT_EQ(curve.buildRatioCurve(store, "cri", 100 * store.xExtent(), CurveClamp::Percent), "");
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(curve.value(chartPoint(ratios[i])), values[i]) << ratios[i];
    // Pinned ends: conversion ratio 0 at both ends of the axis, every point covered.
    EXPECT_FLOAT_EQ(curve.value(1), 0.0f);
    EXPECT_FLOAT_EQ(curve.value(300), 0.0f);
    for (int p = 1; p <= 300; ++p)
        EXPECT_FALSE(std::isnan(curve.value(p))) << p;
}

TEST(SplineCurve, EndsArePinnedToLimitsOrToTheNewestRun)
{
    // The newest run has the smaller ratio: sorting must not make the older one "newest".
    SeriesRecord older = run(1.5f, 20);
    older.TMagma = 1400;
    older.TWater = 280;
    older.PHydroMPa = 5;
    SeriesRecord newer = run(0.5f, 30);
    newer.TMagma = 1300;
    newer.TWater = 300;
    newer.PHydroMPa = 20;
    RunStore store;
    store.append(older);
    store.append(newer);
    struct Ends {
        const char* key;
        float left;
        float right;
    };
    const Ends table[] = {{"cra", 0, 0},      {"sfa", 1, 0},         {"wfi", 0, 1},
                          {"fti", 1300, 0},   {"et", 1300, 300},     {"ep", 20, 20},
                          {"ed", 100, 1000},  {"ee", 0.367f, 0.367f}};
    SplineCurve curve;
    for (const Ends& e : table) {
        ASSERT_EQ(curve.buildRatioCurve(store, e.key, 200, CurveClamp::None), "") << e.key;
        EXPECT_FLOAT_EQ(curve.value(1), e.left) << e.key;
        EXPECT_FLOAT_EQ(curve.value(200), e.right) << e.key;
    }
}

TEST(SplineCurve, OutOfOrderRunsGiveTheSameCurveAsSortedOnes)
{
    RunStore ascending;
    RunStore shuffled;
    ascending.append(run(0.2f, 20));
    ascending.append(run(0.5f, 40));
    ascending.append(run(1.2f, 25));
    shuffled.append(run(1.2f, 25));
    shuffled.append(run(0.2f, 20));
    shuffled.append(run(0.5f, 40));
    SplineCurve a;
    SplineCurve b;
    ASSERT_EQ(a.buildRatioCurve(ascending, "cri", 200, CurveClamp::Percent), "");
    ASSERT_EQ(b.buildRatioCurve(shuffled, "cri", 200, CurveClamp::Percent), "");
    for (int p = 1; p <= 200; ++p)
        EXPECT_FLOAT_EQ(a.value(p), b.value(p)) << p;
    EXPECT_FLOAT_EQ(b.value(50), 40.0f);
    EXPECT_FLOAT_EQ(b.value(120), 25.0f);
}

TEST(SplineCurve, EqualRatiosTakeTheLaterRun)
{
    RunStore store;
    store.append(run(0.5f, 10));
    store.append(run(0.8f, 30));
    store.append(run(0.5f, 20));
    SplineCurve curve;
    ASSERT_EQ(curve.buildRatioCurve(store, "cri", 100, CurveClamp::Percent), "");
    EXPECT_FLOAT_EQ(curve.value(50), 20.0f);
    EXPECT_FLOAT_EQ(curve.value(80), 30.0f);
}

TEST(SplineCurve, NoValuesLeftFromAPreviousCurve)
{
    RunStore wide;
    wide.append(run(0.5f, 40));
    wide.append(run(2.5f, 30));
    SplineCurve curve;
    ASSERT_EQ(curve.buildRatioCurve(wide, "cri", 300, CurveClamp::Percent), "");
    EXPECT_FLOAT_EQ(curve.value(250), 30.0f);

    RunStore empty;
    ASSERT_EQ(curve.buildRatioCurve(empty, "cri", 100, CurveClamp::Percent), "");
    for (int p = 1; p <= 100; ++p)
        EXPECT_EQ(curve.value(p), 0.0f) << p;
    for (int p = 101; p <= 300; ++p)
        ASSERT_TRUE(std::isnan(curve.value(p))) << p;
    EXPECT_TRUE(std::isnan(curve.value(0)));
}

TEST(SplineCurve, RunLeftOfTheFirstKnotStartsTheCurve)
{
    RunStore store;
    store.append(run(0.004f, 50));
    store.append(run(0.5f, 40));
    SplineCurve curve;
    ASSERT_EQ(curve.buildRatioCurve(store, "cri", 100, CurveClamp::Percent), "");
    // The interval back to the pinned end at point 1 runs backwards and is skipped.
    EXPECT_FLOAT_EQ(curve.value(50), 40.0f);
    for (int p = 1; p <= 100; ++p)
        EXPECT_FALSE(std::isnan(curve.value(p))) << p;
}

TEST(SplineCurve, ClampsToThePhysicalRange)
{
    RunStore store;
    // Steep data overshoots between the runs.
    store.append(run(0.1f, 99, 0.99f));
    store.append(run(0.15f, 2, 0.01f));
    store.append(run(0.2f, 99.5f, 1.0f));
    store.append(run(0.9f, 0.5f, 0.0f));
    SplineCurve curve;
    ASSERT_EQ(curve.buildRatioCurve(store, "cri", 100, CurveClamp::Percent), "");
    float highest = 0;
    for (int p = 1; p <= 100; ++p) {
        EXPECT_GE(curve.value(p), 0.0f) << p;
        highest = std::max(highest, curve.value(p));
    }
    EXPECT_EQ(highest, 100.0f);
    ASSERT_EQ(curve.buildRatioCurve(store, "sfi", 100, CurveClamp::Fraction), "");
    highest = 0;
    for (int p = 1; p <= 100; ++p) {
        EXPECT_GE(curve.value(p), 0.0f) << p;
        highest = std::max(highest, curve.value(p));
    }
    EXPECT_EQ(highest, 1.0f);
    // The steam fraction is pinned to 1 at the left end.
    EXPECT_FLOAT_EQ(curve.value(1), 1.0f);
}

TEST(SplineCurve, CapacityLimitsAreReported)
{
    RunStore many;
    for (int i = 1; i <= 100; ++i)
        many.append(run(float(i) / 20, 10));
    SplineCurve curve;
    const std::string tooMany = curve.buildRatioCurve(many, "cri", 1000, CurveClamp::Percent);
    EXPECT_NE(tooMany.find("99 runs"), std::string::npos) << tooMany;

    RunStore wide;
    wide.append(run(10.0f, 10));
    const std::string tooWide = curve.buildRatioCurve(wide, "cri", 1100, CurveClamp::Percent);
    EXPECT_NE(tooWide.find("below 10"), std::string::npos) << tooWide;
    for (int p = 0; p <= 1000; ++p)
        EXPECT_TRUE(std::isnan(curve.value(p))) << p;

    EXPECT_EQ(qrv::splineErrorText("Overflow"), "Spline error:\r\n\r\nOverflow");
}

TEST(SplineCurve, ArithmeticFailureIsReportedByName)
{
    RunStore store;
    // Neighbouring runs at the ends of the single range bend the curve beyond it.
    SeriesRecord high = run(0.5f, 0);
    high.TEq = 3.0e38f;
    SeriesRecord low = run(0.51f, 0);
    low.TEq = -3.0e38f;
    store.append(high);
    store.append(low);
    SplineCurve curve;
    EXPECT_EQ(curve.buildRatioCurve(store, "et", 100, CurveClamp::None), "Overflow");
}

TEST(SplineCurve, FieldCurveJoinsRunsSortedByX)
{
    RunStore store;
    SeriesRecord a = run(0.3f, 20);
    a.TMagma = 1400;
    SeriesRecord b = run(0.3f, 35);
    b.TMagma = 1200;
    SeriesRecord c = run(0.3f, 28);
    c.TMagma = 1300;
    SeriesRecord d = run(0.3f, 31);
    d.TMagma = 1300;
    for (const auto& r : {a, b, c, d})
        store.append(r);
    SplineCurve curve;
    ASSERT_EQ(curve.buildFieldCurve(store, 1, "cri", CurveClamp::Percent), "");
    ASSERT_GT(curve.sampleCount(), 100);
    EXPECT_FLOAT_EQ(curve.sampleX(1), 1200.0f);
    EXPECT_FLOAT_EQ(curve.sampleY(1), 35.0f);
    EXPECT_FLOAT_EQ(curve.sampleX(curve.sampleCount()), 1400.0f);
    EXPECT_FLOAT_EQ(curve.sampleY(curve.sampleCount()), 20.0f);
    bool passesLaterRun = false;
    for (int s = 2; s <= curve.sampleCount(); ++s) {
        EXPECT_GT(curve.sampleX(s), curve.sampleX(s - 1));
        if (curve.sampleX(s) == 1300.0f)
            passesLaterRun = curve.sampleY(s) == 31.0f;
    }
    EXPECT_TRUE(passesLaterRun);
}
