// The time coefficients phi = (1 / n^0.25 - 0.3684) · 38 / (T + 9), by hand.
#include <gtest/gtest.h>

#include "core/CTimeCoefficient.h"

namespace dralun {
namespace {

using S = TimeCoefficientStatus;

// n^0.25 is 1, 0.5 and 2 for n = 1, 0.0625 and 16: 1 / n^0.25 - 0.3684 is
// 0.6316, 1.6316 and 0.1316. T1 = 10: 38 / 19 = 2, so phi = 1.2632, 3.2632,
// 0.2632; the last row T = 25: 38 / 34, so phi(n = 1) = 0.6316 · 38 / 34.
TEST(TimeCoefficients, TableByHand)
{
    CSteps steps;
    const TimeCoefficientTable t = ComputeTimeCoefficients({{1, 0.0625f, 16, 1}, 10}, steps);
    ASSERT_EQ(t.status, S::Ok);
    EXPECT_NEAR(t.phi[0][0], 1.2632, 1e-6);
    EXPECT_NEAR(t.phi[0][1], 3.2632, 1e-6);
    EXPECT_NEAR(t.phi[0][2], 0.2632, 1e-6);
    EXPECT_EQ(t.T[15], 25);
    EXPECT_NEAR(t.phi[15][0], 0.6316 * 38 / 34, 1e-6);
    EXPECT_EQ(StepExpr(steps.Steps()[1]), "(1 / 0.0625^0.25 - 0.3684) * 38 / (10 + 9)");
}

// Refused: nothing recorded, no coefficient, but the durations follow T1.
TEST(TimeCoefficients, RefusalsNameTheirValueAndKeepTheDurations)
{
    const struct {
        TimeCoefficientInput in;
        S status;
        int column;
    } cases[] = {{{{1, 1, 1, 1}, -9}, S::DurationTooShort, 0},
                 {{{1, 1, 1, 1}, -20}, S::DurationTooShort, 0},
                 {{{1, 0, 1, 1}, 5}, S::NoFrequency, 2},
                 {{{1, 1, 1, -0.5f}, 5}, S::NoFrequency, 4}};
    for (const auto& c : cases) {
        CSteps steps;
        const TimeCoefficientTable t = ComputeTimeCoefficients(c.in, steps);
        EXPECT_EQ(t.status, c.status) << c.in.T1;
        EXPECT_EQ(t.column, c.column) << c.in.T1;
        EXPECT_TRUE(steps.Steps().empty());
        EXPECT_EQ(t.phi[0][0], 0);
        EXPECT_EQ(t.T[15], c.in.T1 + 15);
    }
}

} // namespace
} // namespace dralun
