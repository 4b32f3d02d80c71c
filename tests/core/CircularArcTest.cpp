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
    const double arc = CircularArcStep(steps, "Benetzter Bogen", "lu_o", "r_K", "theta_o", 0.5, 2);
    EXPECT_NEAR(arc, 1.0, 1e-15);
    ASSERT_EQ(steps.Steps().size(), 1u);
    const CalcStep& s = steps.Steps()[0];
    EXPECT_EQ(s.text, "Benetzter Bogen");
    EXPECT_EQ(s.symbol, "lu_o");
    EXPECT_EQ(s.formula, "2 * pi * r_K * theta_o * 180 / pi / 360");
    EXPECT_EQ(s.unit, "m");
    EXPECT_EQ(s.value, arc);
    // The numbers the report shows are those of the formula with π written out.
    EXPECT_EQ(StepExpr(s), "2 * 3.141592654 * 0.5 * 2 * 180 / 3.141592654 / 360");
}

TEST(CircularArc, FormulaForStepsFormattedElsewhere)
{
    EXPECT_EQ(CircularArcFormula("r", "theta_S"), "2 * pi * r * theta_S * 180 / pi / 360");
}

TEST(CircularArc, NoStepWithoutRecording)
{
    CSteps steps(false);
    EXPECT_NEAR(CircularArcStep(steps, "Bogen", "lu", "r", "theta", 1, 1), 1.0, 1e-15);
    EXPECT_TRUE(steps.Steps().empty());
}

} // namespace
} // namespace dralun
