#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/CSwaleFlow.h"
#include "core/CSwaleSection.h"

namespace dralun {
namespace {

// Reference values from the segment formulas A = R² acos((R-t)/R)
// - (R-t) sqrt(2Rt - t²), arc 2 R acos((R-t)/R), chord 2 sqrt(2Rt - t²),
// which hold on both sides of the centre, and for the parabola
// A = 4/3 t x, x = sqrt(2 p t), and lu the series 2x (1 + 2/3 t²/x² -
// 2/5 t⁴/x⁴) where it lies within 0.1 % of the exact arc
// x (sqrt(1 + s²) + asinh(s) / s), s = 2 t / x the slope at the edge,
// and that exact arc beyond.
struct SwaleCase {
    const char* what;
    double B, h, t;
    double radius, circleArea, circlePerimeter, circleWidth;
    double parabolaArea, parabolaPerimeter, parabolaWidth;
};

class SwaleSectionCases : public ::testing::TestWithParam<SwaleCase> {};

TEST_P(SwaleSectionCases, CircleAndParabola)
{
    const SwaleCase& c = GetParam();
    const CSwaleSection s = ComputeSwaleSection({c.B, c.h, c.t});
    EXPECT_NEAR(s.circleRadius, c.radius, 1e-10) << c.what;
    EXPECT_NEAR(s.circleArea, c.circleArea, 1e-9) << c.what;
    EXPECT_NEAR(s.circlePerimeter, c.circlePerimeter, 1e-9) << c.what;
    EXPECT_NEAR(s.circleWidth, c.circleWidth, 1e-9) << c.what;
    EXPECT_NEAR(s.parabolaArea, c.parabolaArea, 1e-9) << c.what;
    EXPECT_NEAR(s.parabolaPerimeter, c.parabolaPerimeter, 1e-9) << c.what;
    EXPECT_NEAR(s.parabolaWidth, c.parabolaWidth, 1e-9) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, SwaleSectionCases,
    ::testing::Values(
        // The swale form's defaults, brim-full: r = 1.09/0.6.
        SwaleCase{"defaults", 2, 0.3, 0.3, 1.8166666667, 0.4071100973, 2.1179193732, 2.0, 0.4, 2.11352, 2.0},
        SwaleCase{"below the brim", 2, 0.3, 0.2, 1.8166666667, 0.2235277125, 1.7209367854, 1.6573070526,
                  0.2177324216, 1.6959613782, 1.6329931619},
        SwaleCase{"half the depth", 2, 0.3, 0.15, 1.8166666667, 0.1458058574, 1.4868350994, 1.4456832295,
                  0.1414213562, 1.4554944563, 1.4142135624},
        // h = B/2: the circle is a half circle of radius 0.6, filled to its centre.
        SwaleCase{"at the centre", 1.2, 0.6, 0.6, 0.6, 0.5654866776, 1.8849555922, 1.2, 0.48, 1.7747314290535, 1.2},
        // h > B/2: more than a half circle.
        SwaleCase{"above the centre, brim-full", 1.0, 0.6, 0.6, 0.5083333333, 0.4985850009, 1.7813180362, 1.0, 0.4,
                  1.6352995650904, 1.0},
        SwaleCase{"above the centre, part-full", 1.0, 0.6, 0.4, 0.5083333333, 0.2965987321, 1.3786350527,
                  0.9933109617, 0.2177324216, 1.1951081021602, 0.8164965809},
        SwaleCase{"narrow and deep", 0.5, 0.6, 0.5, 0.3520833333, 0.2957274073, 1.4114119874, 0.6390096504,
                  0.1521451549, 1.1394286331542, 0.4564354646}));

// The series is kept while it agrees with the exact arc to 0.1 %: for the
// defaults (x = 1, s = 0.6) the exact arc is sqrt(1.36) + asinh(0.6) / 0.6 =
// 2.114232, the series 2.11352 (0.034 % short); for B 0.6, h = t 0.3
// (x = 0.3, s = 2) the series 0.76 is 14 % short of 0.3 (sqrt 5 +
// asinh(2) / 2) = 0.887366.
TEST(SwaleSection, SeriesOnlyWhereItAgreesWithTheExactArc)
{
    const CSwaleSection flat = ComputeSwaleSection({2, 0.3, 0.3});
    const CSwaleSection deep = ComputeSwaleSection({0.6, 0.3, 0.3});
    EXPECT_TRUE(flat.parabolaSeries);
    EXPECT_DOUBLE_EQ(flat.parabolaPerimeter, 2.11352);
    EXPECT_NEAR(flat.parabolaArcExact, std::sqrt(1.36) + std::asinh(0.6) / 0.6, 1e-14);
    EXPECT_STREQ(ParabolaArcText(flat), "Benetzter Umfang (Parabel, Reihe)");
    EXPECT_FALSE(deep.parabolaSeries);
    EXPECT_NEAR(deep.parabolaPerimeter, 0.3 * (std::sqrt(5.0) + std::asinh(2.0) / 2), 1e-14);
    EXPECT_NEAR(deep.parabolaPerimeter, 0.887366, 5e-7);
    EXPECT_NEAR(deep.parabolaArcSeries, 0.76, 1e-14);
    EXPECT_STREQ(ParabolaArcText(deep), "Benetzter Umfang (Parabel, exakte Bogenlänge)");
}

TEST(SwaleSection, EmptyAtZeroDepth)
{
    const CSwaleSection s = ComputeSwaleSection({2, 0.3, 0});
    EXPECT_NEAR(s.circleRadius, 1.8166666667, 1e-10);
    EXPECT_EQ(s.circleArea, 0);
    EXPECT_EQ(s.circlePerimeter, 0);
    EXPECT_EQ(s.circleWidth, 0);
    EXPECT_EQ(s.parabolaArea, 0);
    EXPECT_EQ(s.parabolaPerimeter, 0);
    EXPECT_EQ(s.parabolaWidth, 0);
}

TEST(SwaleSection, SegmentGrowsSmoothlyThroughTheCentre)
{
    // Just below and just above the centre of the circle the two ways of
    // finding the angle must meet.
    const double B = 1.0, h = 0.6;
    const double Rc = (B * B / 4 + h * h) / 2 / h;
    const CSwaleSection below = ComputeSwaleSection({B, h, Rc - 1e-7});
    const CSwaleSection above = ComputeSwaleSection({B, h, Rc + 1e-7});
    EXPECT_NEAR(above.circleArea - below.circleArea, 2 * Rc * 2e-7, 1e-9);
    EXPECT_NEAR(above.circlePerimeter - below.circlePerimeter, 0, 1e-6);
    EXPECT_GT(above.circlePerimeter, 3.141592654 * Rc);
    EXPECT_LT(below.circlePerimeter, 3.141592654 * Rc + 1e-6);
}

TEST(SwaleSection, ShallowSwaleKeepsTheChordFormula)
{
    // For t <= r the angle is 2 asin(w / 2r) exactly.
    const CSwaleSection s = ComputeSwaleSection({2, 0.3, 0.3});
    const double Rc = 1.09 / 0.6;
    const double theta = 2 * std::asin(2.0 / 2 / Rc);
    EXPECT_DOUBLE_EQ(s.circleArea, (Rc * Rc / 2) * (theta - std::sin(theta)));
    EXPECT_DOUBLE_EQ(s.circlePerimeter, 2 * 3.141592654 * Rc * theta * 180 / 3.141592654 / 360);
}

// The flow checks its inputs in a fixed order before computing anything:
// water above the brim first, then a swale without width or depth, then a
// falling slope.
TEST(SwaleFlow, RefusedInputsInTheirOrderRecordNothing)
{
    struct Case {
        SwaleFlowInput in;
        SwaleFlowStatus status;
    };
    const Case cases[] = {
        {{0, 0.3, 0.31, -1, 20}, SwaleFlowStatus::DepthAboveBrim}, // before the width and the slope
        {{0, 0.3, 0.3, -1, 20}, SwaleFlowStatus::NoSwale},         // before the slope
        {{2, 0, 0, 1, 20}, SwaleFlowStatus::NoSwale},
        {{2, 0.3, 0.3, -0.1, 20}, SwaleFlowStatus::FallingSlope},
    };
    for (const Case& c : cases) {
        CSteps steps;
        const SwaleFlowResult r = ComputeSwaleFlow(c.in, steps);
        EXPECT_EQ(r.status, c.status) << c.in.B << " " << c.in.h << " " << c.in.t << " " << c.in.I;
        EXPECT_TRUE(steps.Steps().empty());
        EXPECT_EQ(r.circleQ, 0);
        EXPECT_EQ(r.section.circleRadius, 0);
    }
}

TEST(SwaleFlow, AnInfiniteDischargeIsNotDeterminable)
{
    CSteps steps;
    const SwaleFlowResult r = ComputeSwaleFlow({2, 0.3, 0.3, 1, std::numeric_limits<double>::infinity()}, steps);
    EXPECT_EQ(r.status, SwaleFlowStatus::NotDeterminable);
    EXPECT_TRUE(steps.Steps().empty());
}

// The circle's arc is written with pi, bound to the ten digits the
// arithmetic uses: for the defaults (r = 1.09 / 0.6, theta = 2 asin(1 / r))
// the arc r theta = 2.1179193732 m.
TEST(SwaleFlow, ArcFormulaNamesPi)
{
    CSteps steps;
    const SwaleFlowResult r = ComputeSwaleFlow({2, 0.3, 0.3, 1, 20}, steps);
    ASSERT_EQ(r.status, SwaleFlowStatus::Ok);
    const auto arc = std::find_if(steps.Steps().begin(), steps.Steps().end(),
                                  [](const CalcStep& s) { return s.symbol == "lu_K"; });
    ASSERT_NE(arc, steps.Steps().end());
    EXPECT_EQ(arc->formula, "2 * pi * r * theta * 180 / pi / 360");
    const auto pi = std::find_if(arc->args.begin(), arc->args.end(), [](const auto& a) { return a.first == "pi"; });
    ASSERT_NE(pi, arc->args.end());
    EXPECT_EQ(pi->second, 3.141592654);
    EXPECT_NEAR(arc->value, 1.09 / 0.6 * 2 * std::asin(0.6 / 1.09), 1e-12);
    EXPECT_NEAR(arc->value, 2.1179193732, 1e-10);
}

// The capacity is the smallest of the shapes, equation (7) among them only
// brim-full (its Q_7 is 0 otherwise). Default swale B 2, h 0.3, 1 ‰, kSt 20:
// t = 0.3: Q_K = 0.0857584, Q_P = 0.0833923 (A_P = 0.4, lu_P by the series
// 2 (1 + 8/3 · 0.15² − 32/5 · 0.15⁴) = 2.11352), Q_7 = 0.3^(5/3) · 20 · √0.001
// = 0.0850287; t = 0.2: Q_K = 0.0362582, Q_P = 0.0350449 (b_P = 1.63299,
// A_P = 0.217732, lu_P = 1.695961). A swale without water carries nothing.
TEST(SwaleFlow, CapacityIsTheSmallestShapeAndRecordedOnlyForADemand)
{
    const struct {
        double t, Qerf, capacity;
        const char* formula; // of the Q_min step; nullptr: none
    } cases[] = {{0.3, 0.05, 0.0833923, "min(Q_K, Q_P, Q_7)"},
                 {0.2, 0.05, 0.0350449, "min(Q_K, Q_P)"},
                 {0.2, 0, 0.0350449, nullptr},
                 {0, 0.05, 0, nullptr}};
    for (const auto& c : cases) {
        CSteps steps;
        const SwaleFlowResult r = ComputeSwaleFlow({2, 0.3, c.t, 1, 20, c.Qerf}, steps);
        ASSERT_EQ(r.status, SwaleFlowStatus::Ok);
        EXPECT_NEAR(r.capacity, c.capacity, 2e-6) << c.t;
        const CalcStep& last = steps.Steps().back();
        EXPECT_EQ(last.symbol == "Q_min", c.formula != nullptr) << c.t << " " << c.Qerf;
        if (c.formula) {
            EXPECT_EQ(last.formula, c.formula);
        }
    }
}

} // namespace
} // namespace dralun
