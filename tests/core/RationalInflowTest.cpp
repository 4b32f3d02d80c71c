// The design discharge of a catchment, worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/RationalInflow.h"

namespace dralun {
namespace {

using S = RationalInflowStatus;

TEST(RationalInflow, SumsEachAreaShareAndRecordsASteppedChain)
{
    // (5000 · 0.9 + 2000 · 0.3) · 100 / 10000 = (4500 + 600) / 100 = 51 l/s
    // = 0.051 m³/s; Σ ψ · A = 4500 + 600 = 5100 m².
    CSteps steps;
    const RationalInflowResult r = ComputeRationalInflow(
        {{{"Fahrbahn", 5000, 0.9}, {"Bankett", 2000, 0.3}}, 100, InflowUnit::CubicMetresPerSecond}, steps);
    ASSERT_EQ(r.status, S::Ok);
    EXPECT_NEAR(r.litres, 51, 1e-12);
    EXPECT_NEAR(r.Q, 0.051, 1e-15);
    EXPECT_NEAR(r.reducedArea, 5100, 1e-9);
    ASSERT_EQ(steps.Steps().size(), 4u);
    EXPECT_NEAR(steps.Steps()[0].value, 45, 1e-12);
    EXPECT_NEAR(steps.Steps()[1].value, 6, 1e-12);
    EXPECT_EQ(steps.Steps()[2].formula, "Q_1 + Q_2");
    EXPECT_EQ(StepExpr(steps.Steps()[3]), "51 / 1000");
    // Every symbol of every formula has its value put in.
    for (const CalcStep& s : steps.Steps())
        EXPECT_EQ(s.args.size(), FormulaSymbols(s.formula).size()) << s.formula;
    EXPECT_EQ(StepExpr(steps.Steps()[0]), "0.9 * 5000 * 100 / 10000");
    // The edges of the ranges are accepted: a sealed area, one that sheds nothing.
    EXPECT_EQ(ComputeRationalInflow({{{"", 1e4, 0}, {"", 0, 1}}, 250}).Q, 0);
    EXPECT_NEAR(ComputeRationalInflow({{{"", 1e4, 1}}, 250}).Q, 250, 1e-12); // 1 ha fully sealed: Q = r
}

// Each value refused names its area (from 1), in the order A, ψ of each area, then r.
TEST(RationalInflow, RefusesWhatHasNoDischargeWithoutASingleStep)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::vector<InflowArea> areas;
        double r;
        S status;
        std::size_t area;
    } cases[] = {{{}, 100, S::NoArea, 0},
                 {{{"", -1, 0.5}}, 100, S::NegativeArea, 1},
                 {{{"", 100, -0.01}}, 100, S::CoefficientOutsideRange, 1},
                 {{{"", 100, 1.01}}, 100, S::CoefficientOutsideRange, 1},
                 {{{"", 100, nan}}, 100, S::CoefficientOutsideRange, 1},
                 {{{"", nan, 0.5}}, 100, S::AreaNotFinite, 1},
                 {{{"", INFINITY, 0.5}}, 100, S::AreaNotFinite, 1},
                 {{{"", 100, 0.5}}, -1, S::NoRain, 0},
                 {{{"", 100, 0.5}}, 0, S::NoRain, 0},
                 {{{"", 100, 0.5}}, INFINITY, S::RainNotFinite, 0},
                 {{{"", 100, 0.5}, {"", -5, 2}}, -1, S::NegativeArea, 2},
                 {{{"", 100, 0.5}, {"", 5, 2}}, 100, S::CoefficientOutsideRange, 2}};
    for (const auto& c : cases) {
        CSteps steps;
        const RationalInflowResult r = ComputeRationalInflow({c.areas, c.r}, steps);
        EXPECT_EQ(r.status, c.status) << c.areas.size() << " " << c.r;
        EXPECT_EQ(r.area, c.area) << c.areas.size() << " " << c.r;
        EXPECT_TRUE(steps.Steps().empty());
    }
    // 10^308 m² · 10^300 l/(s·ha) lies beyond any number.
    EXPECT_EQ(ComputeRationalInflow({{{"", 1e308, 1}}, 1e300}).status, S::NotDeterminable);
}

} // namespace
} // namespace dralun
