#include <gtest/gtest.h>

#include "core/CircularArc.h"
#include "core/Constants.h"

namespace dralun {
namespace {

// The degree form 2 π r (θ 180 / π) / 360 is the radian form r θ.
TEST(CircularArc, IsRadiusTimesAngle)
{
    EXPECT_NEAR(CircularArc(0.5, 2.0), 1.0, 1e-15);
    EXPECT_NEAR(CircularArc(0.2, kPi), 0.6283185308, 1e-15); // half the circumference of D = 0.4
    EXPECT_EQ(CircularArc(0.2, 0), 0);
}

TEST(CircularArc, StepWritesPiAndPutsInItsValue)
{
    CSteps steps;
    steps.Let("pi", kPi);
    steps.Let("r_K", 0.5);
    steps.Let("theta_o", 2);
    EXPECT_NEAR(CircularArcStep(steps, "Benetzter Bogen", "lu_o", "r_K", "theta_o", 0.5, 2), 1.0, 1e-15);
    ASSERT_EQ(steps.Steps().size(), 1u);
    // The numbers the report shows are those of the formula with π written out.
    EXPECT_EQ(StepExpr(steps.Steps()[0]), "2 * 3.141592654 * 0.5 * 2 * 180 / 3.141592654 / 360");
}

} // namespace
} // namespace dralun
