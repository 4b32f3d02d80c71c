#include <gtest/gtest.h>

#include <cmath>

#include "core/CBridgeDrain.h"

namespace dralun {
namespace {

using G = BridgeGrating;

double Spacing(G grating, double qf, double s, double BSt) { return ComputeBridgeDrain({grating, qf, s, BSt}).L; }

struct SpacingCase {
    G grating;
    double qf, s, BSt, L, tolerance;
};

class BridgeDrainSpacing : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(BridgeDrainSpacing, HandValues)
{
    const SpacingCase& c = GetParam();
    EXPECT_NEAR(Spacing(c.grating, c.qf, c.s, c.BSt), c.L, c.tolerance);
}

// (155 2.5 - 132) = 255.5; (185 2.5 - 170) = 292.5; 5^0.4 = 1.903654, 5^0.48 = 2.165320, 0.5^0.4 = 0.757858.
INSTANTIATE_TEST_SUITE_P(
    Spacings, BridgeDrainSpacing,
    ::testing::Values(SpacingCase{G::Small300x500, 2.5, 1.0, 7.0, 36.5, 1e-12},
                      SpacingCase{G::Large500x500, 2.5, 1.0, 7.0, 292.5 / 7, 1e-12},
                      SpacingCase{G::Small300x500, 2.5, 5.0, 7.0, 69.48, 0.005},
                      SpacingCase{G::Large500x500, 2.5, 5.0, 7.0, 90.48, 0.005},
                      SpacingCase{G::Small300x500, 2.5, 0.5, 7.0, 27.66, 0.005},
                      SpacingCase{G::Small300x500, 5.0, 1.0, 7.0, 643.0 / 7, 1e-12},
                      SpacingCase{G::Large500x500, 3.0, 1.0, 10.0, 38.5, 1e-12},
                      SpacingCase{G::Small300x500, 2.5, 0.0, 7.0, 0.0, 0.0}));

TEST(BridgeDrain, NoWidthOrNegativeSlopeHasNoSpacing)
{
    EXPECT_TRUE(std::isnan(Spacing(G::Small300x500, 2.5, 1.0, 0.0)));
    EXPECT_TRUE(std::isnan(Spacing(G::Large500x500, 2.5, 1.0, -7.0)));
    EXPECT_TRUE(std::isnan(Spacing(G::Small300x500, 2.5, -1.0, 7.0)));
    EXPECT_EQ(ComputeBridgeDrain({G::Large500x500, 2.5, -1.0, 0.0}).status, BridgeDrainStatus::NoWidth);
    EXPECT_EQ(ComputeBridgeDrain({G::Large500x500, 2.5, 1.0, 7.0}).status, BridgeDrainStatus::Ok);
}

TEST(BridgeDrain, StepsGiveTheBracketAndTheSpacing)
{
    // 155 2.5 - 132 = 255.5, L = 255.5 / 7 = 36.5;
    // 185 3 - 170 = 385, 5^0.48 = 2.1652378, L = 385 5^0.48 / 7 = 119.08808.
    const struct {
        G grating;
        double qf, s, k, L;
    } cases[] = {{G::Small300x500, 2.5, 1.0, 255.5, 36.5}, {G::Large500x500, 3.0, 5.0, 385.0, 119.08808}};
    for (const auto& c : cases) {
        CSteps steps;
        const BridgeDrainResult r = ComputeBridgeDrain({c.grating, c.qf, c.s, 7.0}, steps);
        ASSERT_EQ(steps.Steps().size(), 2u);
        EXPECT_EQ(steps.Steps()[0].symbol, "k");
        EXPECT_DOUBLE_EQ(steps.Steps()[0].value, c.k);
        EXPECT_EQ(steps.Steps()[1].value, r.L);
        EXPECT_NEAR(r.L, c.L, 5e-5);
    }
    // A negative slope has no spacing and so no step of it.
    CSteps steps;
    const BridgeDrainResult falling = ComputeBridgeDrain({G::Small300x500, 2.5, -1.0, 7.0}, steps);
    EXPECT_TRUE(std::isnan(falling.L));
    EXPECT_EQ(falling.status, BridgeDrainStatus::NegativeSlope);
    EXPECT_EQ(steps.Steps().size(), 1u);
}

} // namespace
} // namespace dralun
