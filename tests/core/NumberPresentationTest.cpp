#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/NumberPresentation.h"
#include "core/Verdict.h"

namespace dralun {
namespace {

TEST(NumberPresentation, RoundsForTheUnit)
{
    struct Case {
        double value;
        const char* unit;
        const char* point;
        const char* comma;
    };
    const Case cases[] = {
        {97.94200347, "l/s", "97.9", "97,9"},   // discharges to a tenth of a litre
        {40, "l/s", "40.0", "40,0"},
        {0.0523, "l/s", "0.0523", "0,0523"},    // a small discharge keeps 3 digits
        {0.133293, "m", "0.133", "0,133"},      // depths to the millimetre
        {0.0012345, "m", "0.00123", "0,00123"},
        {123.4567, "mNN", "123.457", "123,457"},
        {12.3456, "m³", "12.35", "12,35"},      // volumes to two decimals
        {1.3856, "m/s", "1.39", "1,39"},
        {0.00139289, "", "0.001393", "0,001393"}, // a pure number: 4 significant digits
        {2.5e-8, "m", "2.5e-8", "2,5e-8"},      // below the unit's decimals: an exponent
        {-0.0001, "m", "-0.0001", "-0,0001"},
        {-0.00001, "l/s", "-1e-5", "-1e-5"},    // never shown as a zero it is not
        {-0.0, "m", "0.000", "0,000"},          // no minus sign on a zero
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundedText(c.value, c.unit), c.point) << c.value << " " << c.unit;
        EXPECT_EQ(RoundedText(c.value, c.unit, true), c.comma) << c.value << " " << c.unit;
    }
    EXPECT_EQ(RoundedText(std::nan(""), "m"), "–");
}

TEST(NumberPresentation, FieldsTheFormWroteReadAsTyped)
{
    EXPECT_EQ(TypedText("0.500000000000007"), "0.5");
    EXPECT_EQ(TypedText("199.999999999997"), "200");
    EXPECT_EQ(TypedText("1.5"), "1.5");             // typed: unchanged
    EXPECT_EQ(TypedText("0.000123456789012"), "0.000123456789012"); // 12 digits after the zeros
    EXPECT_EQ(TypedText("R3943MI.txt"), "R3943MI.txt");
    EXPECT_EQ(WithDecimalComma("Q = 3.14 · 0.5 l/s aus DN.ASC, v1.2"), "Q = 3,14 · 0,5 l/s aus DN.ASC, v1.2");
}

TEST(Verdict, DemandAgainstCapacity)
{
    const VerdictTerms terms{"Leistungsfähigkeit", "Abfluss", "Q", "Vollfüllung", "Qv", "l/s"};
    struct Case {
        double demand, limit;
        bool met;
        double percent;
    };
    const Case cases[] = {{40, 80, true, 50}, {80, 80, true, 100}, {80.0001, 80, false, 100.000125},
                          {5, 0, false, NAN}, {5, -1, false, NAN}};
    {
        CSteps steps;
        CheckDemand(steps, terms, 40, 80);
        EXPECT_EQ(StepExpr(steps.Steps().at(0)), "40 / 80 * 100");
    }
    for (const Case& c : cases) {
        CSteps steps;
        const Verdict v = CheckDemand(steps, terms, c.demand, c.limit);
        EXPECT_EQ(v.met, c.met) << c.demand << " " << c.limit;
        if (std::isnan(c.percent)) {
            EXPECT_TRUE(std::isnan(v.utilisation));
            EXPECT_TRUE(steps.Steps().empty());
        } else {
            EXPECT_NEAR(v.utilisation, c.percent, 1e-9);
            ASSERT_EQ(steps.Steps().size(), 1u);
            EXPECT_EQ(steps.Steps()[0].unit, "%");
        }
    }
}

} // namespace
} // namespace dralun
