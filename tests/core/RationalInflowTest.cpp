// The design discharge of a catchment, worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/RationalInflow.h"

namespace dralun {
namespace {

TEST(RationalInflow, SumsEachAreaShareAndRecordsASteppedChain)
{
    // (5000 · 0.9 + 2000 · 0.3) · 100 / 10000 = (4500 + 600) / 100 = 51 l/s
    CSteps steps;
    const double q = RationalInflow({{"Fahrbahn", 5000, 0.9}, {"Bankett", 2000, 0.3}}, 100, steps);
    EXPECT_NEAR(q, 51, 1e-12);
    ASSERT_EQ(steps.Steps().size(), 3u);
    EXPECT_EQ(steps.Steps()[0].symbol, "Q_1");
    EXPECT_NEAR(steps.Steps()[0].value, 45, 1e-12);
    EXPECT_NEAR(steps.Steps()[1].value, 6, 1e-12);
    EXPECT_EQ(steps.Steps()[2].symbol, "Q_zu");
    EXPECT_EQ(steps.Steps()[2].formula, "Q_1 + Q_2");
    // Every symbol of every formula has its value put in.
    for (const CalcStep& s : steps.Steps())
        EXPECT_EQ(s.args.size(), FormulaSymbols(s.formula).size()) << s.formula;
    EXPECT_EQ(StepExpr(steps.Steps()[0]), "0.9 * 5000 * 100 / 10000");
    // The edges of the ranges are accepted: a sealed area, an area that sheds nothing, no rain.
    EXPECT_EQ(RationalInflow({{"", 1e4, 1}}, 0), 0);
    EXPECT_EQ(RationalInflow({{"", 1e4, 0}, {"", 0, 1}}, 250), 0);
    EXPECT_NEAR(RationalInflow({{"", 1e4, 1}}, 250), 250, 1e-12); // 1 ha fully sealed: Q = r
}

TEST(RationalInflow, RefusesWhatHasNoDischargeWithoutASingleStep)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::vector<InflowArea> areas;
        double r;
    } cases[] = {{{}, 100},
                 {{{"", -1, 0.5}}, 100},
                 {{{"", 100, -0.01}}, 100},
                 {{{"", 100, 1.01}}, 100},
                 {{{"", 100, nan}}, 100},
                 {{{"", nan, 0.5}}, 100},
                 {{{"", 100, 0.5}}, -1},
                 {{{"", 100, 0.5}}, INFINITY},
                 {{{"", 100, 0.5}, {"", -5, 0.5}}, 100}};
    for (const auto& c : cases) {
        CSteps steps;
        EXPECT_TRUE(std::isnan(RationalInflow(c.areas, c.r, steps)));
        EXPECT_TRUE(steps.Steps().empty());
    }
    EXPECT_TRUE(std::isnan(RationalInflow({{"", 1e308, 1}}, 1e300))); // beyond any number
}

} // namespace
} // namespace dralun
