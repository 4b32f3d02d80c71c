#include <gtest/gtest.h>

#include "core/CRoughBedFlow.h"
#include "core/CStoneSizeTables.h"

namespace dralun {
namespace {

struct StoneCase {
    double d, K1, K2, K3;
};

class StoneSizeTablesCases : public ::testing::TestWithParam<StoneCase> {};

TEST_P(StoneSizeTablesCases, CoefficientsByStoneSize)
{
    const StoneCase& c = GetParam();
    EXPECT_NEAR(CStoneSizeTables::K1(c.d), c.K1, 1e-12) << c.d;
    EXPECT_NEAR(CStoneSizeTables::K2(c.d), c.K2, 1e-12) << c.d;
    EXPECT_NEAR(CStoneSizeTables::K3(c.d), c.K3, 1e-12) << c.d;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, StoneSizeTablesCases,
    ::testing::Values(
        StoneCase{0.08, 300, 0.043, 0.028},                              // first rows
        StoneCase{0.18, 105, 0.0975, 0.028 + 0.1 * 0.072 / 0.22},        // between rows in all three
        StoneCase{0.2, 90, 0.11, 0.028 + 0.12 * 0.072 / 0.22},           // on a row of K1 and K2
        StoneCase{0.3, 40, 0.18, 0.1},                                   // on a row of all three
        StoneCase{0.41, 10, 0.27, 0.14},                                 // last rows
        StoneCase{0.09, 260, 0.0475, 0.028 + 0.01 * 0.072 / 0.22},      // first interval
        StoneCase{0.079, 0, 0, 0}, StoneCase{0.42, 0, 0, 0}, StoneCase{0, 0, 0, 0}, StoneCase{-0.1, 0, 0, 0}));

TEST(StoneSizeTables, LookupInAnyTable)
{
    const CStoneSizeTables::Row table[] = {{1, 10}, {2, 20}, {4, 0}};
    EXPECT_DOUBLE_EQ(CStoneSizeTables::Lookup(table, 1.5), 15);
    EXPECT_DOUBLE_EQ(CStoneSizeTables::Lookup(table, 2), 20);
    EXPECT_DOUBLE_EQ(CStoneSizeTables::Lookup(table, 3), 10);
    EXPECT_DOUBLE_EQ(CStoneSizeTables::Lookup(table, 5), 0);
}

TEST(StoneSizeTables, LocateNamesTheRowsUsed)
{
    const CStoneSizeTables::Row table[] = {{1, 10}, {2, 20}, {4, 0}};
    const CStoneSizeTables::Place on = CStoneSizeTables::Locate(table, 2);
    EXPECT_EQ(on.lo, &table[1]);
    EXPECT_EQ(on.hi, nullptr);
    const CStoneSizeTables::Place between = CStoneSizeTables::Locate(table, 3);
    EXPECT_EQ(between.lo, &table[1]);
    EXPECT_EQ(between.hi, &table[2]);
    EXPECT_DOUBLE_EQ(between.k, 10);
    const CStoneSizeTables::Place outside = CStoneSizeTables::Locate(table, 0.5);
    EXPECT_EQ(outside.lo, nullptr);
    EXPECT_EQ(outside.k, 0);
    EXPECT_EQ(CStoneSizeTables::K3Rows().size(), 3u);
}

// The rough-bed swale takes stone sizes within the tables only, and checks
// its inputs in a fixed order before it records anything.
TEST(RoughBedFlow, InputsOutsideTheMethodRecordNothing)
{
    struct Case {
        RoughBedFlowInput in; // h, B, d, I
        RoughBedFlowStatus status;
    };
    const Case cases[] = {
        {{0, -1, 0.079, -1}, RoughBedFlowStatus::StoneSizeOutsideTables},
        {{0.14, 5.85, 0.42, 150}, RoughBedFlowStatus::StoneSizeOutsideTables},
        {{0, -1, 0.08, -1}, RoughBedFlowStatus::NoWaterDepth},
        {{0.14, -1, 0.41, -1}, RoughBedFlowStatus::NegativeWidth},
        {{0.14, 5.85, 0.18, -1}, RoughBedFlowStatus::NegativeSlope},
    };
    for (const Case& c : cases) {
        CSteps steps;
        EXPECT_EQ(ComputeRoughBedFlow(c.in, steps).status, c.status) << c.in.h << " " << c.in.d;
        EXPECT_TRUE(steps.Steps().empty());
    }
}

// At I = 5000 per mille and d = 0.18 m, h = 0.14 m: s = sin(atan 5) =
// 0.980581, K3 = 0.0607273, c = 1 - 1.3 s + 0.08 h / K3 = -0.0903237.
TEST(RoughBedFlow, TooSteepLeavesNoAirWaterMixture)
{
    const RoughBedFlowResult r = ComputeRoughBedFlow({0.14, 5.85, 0.18, 5000}, NoSteps());
    EXPECT_EQ(r.status, RoughBedFlowStatus::NoAir);
    EXPECT_NEAR(r.c, -0.0903237, 5e-7);
    EXPECT_EQ(r.Qm, 0);
}

} // namespace
} // namespace dralun
