#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/CDitchFlow.h"
#include "core/CTrapezoidSection.h"

namespace dralun {
namespace {

struct TrapezoidCase {
    const char* what;
    double b, t, m1, m2;
    double area, perimeter, surfaceWidth;
};

class TrapezoidSectionCases : public ::testing::TestWithParam<TrapezoidCase> {};

TEST_P(TrapezoidSectionCases, AreaPerimeterRadiusAndWidth)
{
    const TrapezoidCase& c = GetParam();
    const CTrapezoidSection s = ComputeTrapezoidSection({c.b, c.t, c.m1, c.m2});
    EXPECT_NEAR(s.area, c.area, 1e-12) << c.what;
    EXPECT_NEAR(s.perimeter, c.perimeter, 1e-12) << c.what;
    EXPECT_NEAR(s.hydraulicRadius, c.area / c.perimeter, 1e-12) << c.what;
    EXPECT_NEAR(s.surfaceWidth, c.surfaceWidth, 1e-12) << c.what;
    // The banks: t sqrt(1 + m²) each, the bottom between them.
    EXPECT_NEAR(s.leftBank, std::fabs(c.t) * std::sqrt(1 + c.m1 * c.m1), 1e-12) << c.what;
    EXPECT_NEAR(s.rightBank, std::fabs(c.t) * std::sqrt(1 + c.m2 * c.m2), 1e-12) << c.what;
}

// By hand: A = b t + t² (m1 + m2)/2, lu = b + t sqrt(1 + m1²) + t sqrt(1 + m2²).
INSTANTIATE_TEST_SUITE_P(
    Shapes, TrapezoidSectionCases,
    ::testing::Values(TrapezoidCase{"ditch defaults", 0.5, 0.5, 1.5, 1.5, 0.625, 0.5 + 2 * std::sqrt(0.8125), 2.0},
                      TrapezoidCase{"asymmetric banks", 0.5, 0.4, 1, 2, 0.44,
                                    0.5 + 0.4 * std::sqrt(2.0) + 0.4 * std::sqrt(5.0), 1.7},
                      TrapezoidCase{"rectangle", 1.0, 0.3, 0, 0, 0.3, 1.6, 1.0},
                      TrapezoidCase{"triangle", 0, 0.2, 1, 1, 0.04, 0.4 * std::sqrt(2.0), 0.4},
                      TrapezoidCase{"negative depth takes the formulas", 0.5, -0.1, 1.5, 1.5, -0.035,
                                    0.5 + 2 * std::sqrt(0.0325), 0.2}));

TEST(TrapezoidSection, EmptyAtZeroDepthWithTheBottomAsSurface)
{
    const CTrapezoidSection s = ComputeTrapezoidSection({0.8, 0, 1.5, 2});
    EXPECT_EQ(s.area, 0);
    EXPECT_EQ(s.perimeter, 0);
    EXPECT_EQ(s.hydraulicRadius, 0);
    EXPECT_EQ(s.leftBank + s.rightBank, 0);
    EXPECT_EQ(s.surfaceWidth, 0.8);
}

// A negative dimension or a falling bed is refused before anything is
// computed or recorded; the bank height still follows the water depth.
TEST(DitchFlow, NegativeInputsRecordNothingButKeepTheBankHeight)
{
    const DitchFlowInput cases[] = {
        {-0.1, 0.5, 1.5, 1.5, 1, 25}, {0.5, -0.2, 1.5, 1.5, 1, 25}, {0.5, 0.5, -1, 1.5, 1, 25},
        {0.5, 0.5, 1.5, -1, 1, 25},   {0.5, 0.5, 1.5, 1.5, -1, 25},
    };
    for (const DitchFlowInput& in : cases) {
        CSteps steps;
        const DitchFlowResult r = ComputeDitchFlow(in, steps);
        EXPECT_EQ(r.status, DitchFlowStatus::NegativeInput);
        EXPECT_EQ(r.bankHeight, in.t);
        EXPECT_EQ(r.section.area, 0);
        EXPECT_EQ(r.Q, 0);
        EXPECT_TRUE(steps.Steps().empty());
    }
}

// The defaults by hand: A = 0.625, lu = 0.5 + 2 sqrt(0.8125),
// v = sqrt(0.001) 25 (A / lu)^0.66666666667, Q = v A.
TEST(DitchFlow, DefaultsAndAnInfiniteCoefficient)
{
    const double lu = 0.5 + 2 * std::sqrt(0.8125);
    const double v = std::sqrt(0.001) * 25 * std::pow(0.625 / lu, 0.66666666667);
    const DitchFlowResult ok = ComputeDitchFlow({0.5, 0.5, 1.5, 1.5, 1, 25}, NoSteps());
    EXPECT_EQ(ok.status, DitchFlowStatus::Ok);
    EXPECT_EQ(ok.bankHeight, 0.5);
    EXPECT_NEAR(ok.v, v, 1e-14);
    EXPECT_NEAR(ok.Q, v * 0.625, 1e-14);
    const DitchFlowResult inf =
        ComputeDitchFlow({0.5, 0.5, 1.5, 1.5, 1, std::numeric_limits<double>::infinity()}, NoSteps());
    EXPECT_EQ(inf.status, DitchFlowStatus::NotDeterminable);
}

} // namespace
} // namespace dralun
