#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "ResultSteps.h"
#include "core/NumberText.h"
#include "forms/CDitchDlg.h"
#include "FormCases.h"
#include "testkit/FieldNumber.h"

namespace dralun {
namespace {

using D = CDitchDlg;
using test::FieldNumber;
using test::Step;

class Ditch : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CDitchDlg form{log};
};

TEST_F(Ditch, NothingIsComputedWhenTheFormOpens)
{
    for (int id : {D::kIdA, D::kIdLu, D::kIdRhy, D::kIdV, D::kIdQ, D::kIdWsp})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(D::kIdH), "0.5");
}

TEST_F(Ditch, Defaults)
{
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdA), "0.625");
    EXPECT_EQ(form.Text(D::kIdWsp), "2");
    EXPECT_NEAR(FieldNumber(form, D::kIdLu), 0.5 + 2 * std::sqrt(0.25 + 0.5625), 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdLu), 2.30278, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdRhy), 0.27141, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 0.33140, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.20713, 0.000005);
    // v = sqrt(0.001) 25 R^0.66666666667
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 0.331404908168783, 1e-12);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(Ditch, AsymmetricBanks)
{
    form.Type(D::kIdM1, "1");
    form.Type(D::kIdM2, "2");
    form.Type(D::kIdT, "0.4");
    form.Click(kIdOk);
    // A = 0.2 + 0.08 + 0.16, lu = 0.5 + 0.4 sqrt 2 + 0.4 sqrt 5
    EXPECT_NEAR(FieldNumber(form, D::kIdA), 0.44, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdLu), 0.5 + 0.4 * std::sqrt(2.0) + 0.4 * std::sqrt(5.0), 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdWsp), 1.7, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.128481457172786, 1e-12);
}

// The bank height is the height the water depth needs: a result of t alone,
// so the same inputs always show the same h (a kept calculation redone
// reads the same).
TEST_F(Ditch, BankHeightFollowsTheWaterDepthBothWays)
{
    form.Type(D::kIdT, "0.8");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdH), "0.8");
    form.Type(D::kIdT, "0.3");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdH), "0.3");
    EXPECT_EQ(form.FindField(D::kIdH)->role, Role::Out);
}

TEST_F(Ditch, DepthStepsMoveTheDepthAndRechneTheBankHeight)
{
    form.Click(D::kIdTPlus);
    EXPECT_EQ(form.Text(D::kIdT), "0.51");
    EXPECT_TRUE(form.ResultsStale());
    form.Click(D::kIdTMinus);
    form.Click(D::kIdTMinus);
    EXPECT_EQ(form.Text(D::kIdT), "0.49");
    EXPECT_EQ(form.Text(D::kIdA), "0"); // no step computes
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdH), "0.49");
    // The bank height's own buttons can never act: they are locked.
    EXPECT_FALSE(form.IsEnabled(D::kIdHPlus));
    EXPECT_FALSE(form.IsEnabled(D::kIdHMinus));
}

// A step reads what was typed first and steps from it.
TEST_F(Ditch, StepsReadTheTypedValuesFirst)
{
    form.Type(D::kIdT, "0.7");
    form.Type(D::kIdB, "1.2");
    form.Click(D::kIdTPlus);
    EXPECT_EQ(form.Text(D::kIdT), "0.71");
    EXPECT_EQ(form.Text(D::kIdB), "1.2");
}

TEST_F(Ditch, DepthStepBelowItsBoundChangesNothing)
{
    form.Type(D::kIdT, "0.2");
    form.Click(kIdOk);
    form.Click(D::kIdTMinus);
    EXPECT_EQ(form.Text(D::kIdT), "0.2");
    EXPECT_EQ(form.Text(D::kIdH), "0.2");
    EXPECT_FALSE(form.ResultsStale());
}

class DitchSteps : public ::testing::TestWithParam<Step> {};

TEST_P(DitchSteps, StepWithinItsBounds)
{
    test::ExpectStep<CDitchDlg>(GetParam(), kIdOk);
}

INSTANTIATE_TEST_SUITE_P(Bounds, DitchSteps,
                         ::testing::Values(Step{"b + below 2.99", D::kIdB, "2.98", D::kIdBPlus, "2.99"},
                                           Step{"b + at 2.99", D::kIdB, "2.99", D::kIdBPlus, "2.99"},
                                           Step{"b - at 0.31", D::kIdB, "0.31", D::kIdBMinus, "0.3"},
                                           Step{"b - at 0.3", D::kIdB, "0.3", D::kIdBMinus, "0.3"},
                                           Step{"m1 + at 4.8", D::kIdM1, "4.8", D::kIdM1Plus, "4.9"},
                                           Step{"m1 + at 4.9", D::kIdM1, "4.9", D::kIdM1Plus, "4.9"},
                                           Step{"m1 - at 0.6", D::kIdM1, "0.6", D::kIdM1Minus, "0.5"},
                                           Step{"m1 - at 0.5", D::kIdM1, "0.5", D::kIdM1Minus, "0.5"},
                                           Step{"m2 + at 4.9", D::kIdM2, "4.9", D::kIdM2Plus, "4.9"},
                                           Step{"m2 - at 0.6", D::kIdM2, "0.6", D::kIdM2Minus, "0.5"},
                                           Step{"t + at 2.89", D::kIdT, "2.89", D::kIdTPlus, "2.9"},
                                           Step{"t + at 2.9", D::kIdT, "2.9", D::kIdTPlus, "2.9"},
                                           Step{"t - at 0.21", D::kIdT, "0.21", D::kIdTMinus, "0.2"},
                                           Step{"I + at 49.9", D::kIdI, "49.9", D::kIdIPlus, "50"},
                                           Step{"I + at 49.95", D::kIdI, "49.95", D::kIdIPlus, "49.95"},
                                           Step{"I - at 0.11", D::kIdI, "0.11", D::kIdIMinus, "0.11"},
                                           Step{"I - at 0.2", D::kIdI, "0.2", D::kIdIMinus, "0.1"},
                                           Step{"kSt + at 88", D::kIdKSt, "88", D::kIdKStPlus, "89"},
                                           Step{"kSt + at 89", D::kIdKSt, "89", D::kIdKStPlus, "89"},
                                           Step{"kSt - at 6", D::kIdKSt, "6", D::kIdKStMinus, "5"},
                                           Step{"kSt - at 5", D::kIdKSt, "5", D::kIdKStMinus, "5"}));

// The steps of the report, by hand: l = t sqrt(1 + m²), lu = l1 + b + l2,
// rhy = A / lu, v = sqrt(I / 1000) kSt rhy^0.66666666667, Q = v A; the bank
// height is t. Every result field is a step.
struct StepCase {
    const char* what;
    const char* t;
    std::vector<std::pair<const char*, double>> values;
};

TEST(DitchReport, StepsWorkedOutByHand)
{
    const StepCase cases[] = {
        {"defaults",
         "0.5",
         {{"h", 0.5}, {"A", 0.625}, {"l_1", 0.9013878188659973}, {"l_2", 0.9013878188659973},
          {"lu", 2.302775637731995}, {"rhy", 0.2714115911941655}, {"wsp", 2}, {"v", 0.33140490816878304},
          {"Q", 0.2071280676054894}}},
        {"water above the bank height", "0.8", {{"h", 0.8}, {"A", 0.4 + 0.96}, {"wsp", 2.9}}},
    };
    for (const StepCase& c : cases) {
        CMessageLog log;
        CDitchDlg form(log);
        form.Open();
        form.Type(D::kIdT, c.t);
        form.Click(kIdOk);
        EXPECT_EQ(form.Method(), "Leistungsfähigkeit eines Straßenseitengrabens (Trapezprofil) nach Manning-Strickler");
        for (const auto& [symbol, value] : c.values) {
            const CalcStep* step = test::StepOf(form, symbol);
            ASSERT_NE(step, nullptr) << c.what << ", " << symbol;
            EXPECT_NEAR(step->value, value, 1e-12) << c.what << ", " << symbol;
        }
        test::ExpectResultsAreSteps(form);
    }
}

TEST(DitchRefuses, NegativeDepthWithOneMessageClearsTheResults)
{
    CMessageLog log;
    CDitchDlg form(log);
    form.Open();
    form.Click(kIdOk);
    ASSERT_NE(form.Text(D::kIdQ), "0");
    form.Type(D::kIdT, "-0.1");
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(), std::vector<std::string>{"Bitte geben Sie eine Zahl zwischen 0.03 und 3 ein."});
    EXPECT_NE(form.RefusedBecause().find("„Wassertiefe t [m]“ = -0.1 m"), std::string::npos);
    for (int id : {D::kIdA, D::kIdLu, D::kIdRhy, D::kIdV, D::kIdQ, D::kIdWsp})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(D::kIdT), "-0.1");
    EXPECT_EQ(form.Text(D::kIdH), "0"); // no bank height for a refused depth
    EXPECT_TRUE(form.Steps().empty()); // the steps of the first computation are gone
}

} // namespace
} // namespace dralun
