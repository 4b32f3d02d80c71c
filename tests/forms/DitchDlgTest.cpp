#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "ResultSteps.h"
#include "core/NumberText.h"
#include "forms/CDitchDlg.h"

namespace dralun {
namespace {

double Field(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

class Ditch : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CDitchDlg form{log};
};

TEST_F(Ditch, NothingIsComputedWhenTheFormOpens)
{
    for (int id : {1013, 1014, 1015, 1016, 1018, 1019})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(1001), "0.5");
}

TEST_F(Ditch, Defaults)
{
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1013), "0.625");
    EXPECT_EQ(form.Text(1019), "2");
    EXPECT_NEAR(Field(form, 1014), 0.5 + 2 * std::sqrt(0.25 + 0.5625), 1e-12);
    EXPECT_NEAR(Field(form, 1014), 2.30278, 0.000005);
    EXPECT_NEAR(Field(form, 1015), 0.27141, 0.000005);
    EXPECT_NEAR(Field(form, 1016), 0.33140, 0.000005);
    EXPECT_NEAR(Field(form, 1018), 0.20713, 0.000005);
    // v = sqrt(0.001) 25 R^0.66666666667
    EXPECT_NEAR(Field(form, 1016), 0.331404908168783, 1e-12);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(Ditch, AsymmetricBanks)
{
    form.Type(1002, "1");
    form.Type(1003, "2");
    form.Type(1004, "0.4");
    form.Click(kIdOk);
    // A = 0.2 + 0.08 + 0.16, lu = 0.5 + 0.4 sqrt 2 + 0.4 sqrt 5
    EXPECT_NEAR(Field(form, 1013), 0.44, 1e-12);
    EXPECT_NEAR(Field(form, 1014), 0.5 + 0.4 * std::sqrt(2.0) + 0.4 * std::sqrt(5.0), 1e-12);
    EXPECT_NEAR(Field(form, 1019), 1.7, 1e-12);
    EXPECT_NEAR(Field(form, 1018), 0.128481457172786, 1e-12);
}

// The bank height is the height the water depth needs: a result of t alone,
// so the same inputs always show the same h (a kept calculation redone
// reads the same).
TEST_F(Ditch, BankHeightFollowsTheWaterDepthBothWays)
{
    form.Type(1004, "0.8");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1001), "0.8");
    form.Type(1004, "0.3");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1001), "0.3");
    EXPECT_EQ(form.FindField(1001)->role, Role::Out);
}

TEST_F(Ditch, DepthStepsMoveTheDepthAndRechneTheBankHeight)
{
    form.Click(1037);
    EXPECT_EQ(form.Text(1004), "0.51");
    EXPECT_TRUE(form.ResultsStale());
    form.Click(1038);
    form.Click(1038);
    EXPECT_EQ(form.Text(1004), "0.49");
    EXPECT_EQ(form.Text(1013), "0"); // no step computes
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1001), "0.49");
    // The bank height's own buttons can never act: they are locked.
    EXPECT_FALSE(form.IsEnabled(1017));
    EXPECT_FALSE(form.IsEnabled(1021));
}

// A step reads what was typed first and steps from it.
TEST_F(Ditch, StepsReadTheTypedValuesFirst)
{
    form.Type(1004, "0.7");
    form.Type(1000, "1.2");
    form.Click(1037);
    EXPECT_EQ(form.Text(1004), "0.71");
    EXPECT_EQ(form.Text(1000), "1.2");
}

TEST_F(Ditch, DepthStepBelowItsBoundChangesNothing)
{
    form.Type(1004, "0.2");
    form.Click(kIdOk);
    form.Click(1038);
    EXPECT_EQ(form.Text(1004), "0.2");
    EXPECT_EQ(form.Text(1001), "0.2");
    EXPECT_FALSE(form.ResultsStale());
}

struct Step {
    const char* what;
    int field;
    const char* start;
    int button;
    const char* after;
};

class DitchSteps : public ::testing::TestWithParam<Step> {};

TEST_P(DitchSteps, StepWithinItsBounds)
{
    const Step& s = GetParam();
    CMessageLog log;
    CDitchDlg form(log);
    form.Open();
    form.Type(s.field, s.start);
    form.Click(kIdOk);
    form.Click(s.button);
    EXPECT_EQ(form.Text(s.field), s.after) << s.what;
}

INSTANTIATE_TEST_SUITE_P(Bounds, DitchSteps,
                         ::testing::Values(Step{"b + below 2.99", 1000, "2.98", 1012, "2.99"},
                                           Step{"b + at 2.99", 1000, "2.99", 1012, "2.99"},
                                           Step{"b - at 0.31", 1000, "0.31", 1020, "0.3"},
                                           Step{"b - at 0.3", 1000, "0.3", 1020, "0.3"},
                                           Step{"m1 + at 4.8", 1002, "4.8", 1022, "4.9"},
                                           Step{"m1 + at 4.9", 1002, "4.9", 1022, "4.9"},
                                           Step{"m1 - at 0.6", 1002, "0.6", 1023, "0.5"},
                                           Step{"m1 - at 0.5", 1002, "0.5", 1023, "0.5"},
                                           Step{"m2 + at 4.9", 1003, "4.9", 1026, "4.9"},
                                           Step{"m2 - at 0.6", 1003, "0.6", 1027, "0.5"},
                                           Step{"t + at 2.89", 1004, "2.89", 1037, "2.9"},
                                           Step{"t + at 2.9", 1004, "2.9", 1037, "2.9"},
                                           Step{"t - at 0.21", 1004, "0.21", 1038, "0.2"},
                                           Step{"I + at 49.9", 1005, "49.9", 1039, "50"},
                                           Step{"I + at 49.95", 1005, "49.95", 1039, "49.95"},
                                           Step{"I - at 0.11", 1005, "0.11", 1040, "0.11"},
                                           Step{"I - at 0.2", 1005, "0.2", 1040, "0.1"},
                                           Step{"kSt + at 88", 1006, "88", 1041, "89"},
                                           Step{"kSt + at 89", 1006, "89", 1041, "89"},
                                           Step{"kSt - at 6", 1006, "6", 1042, "5"},
                                           Step{"kSt - at 5", 1006, "5", 1042, "5"}));

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
        form.Type(1004, c.t);
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
    ASSERT_NE(form.Text(1018), "0");
    form.Type(1004, "-0.1");
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(), std::vector<std::string>{"Bitte geben Sie eine Zahl zwischen 0.03 und 3 ein."});
    EXPECT_NE(form.RefusedBecause().find("„Wassertiefe t [m]“ = -0.1 m"), std::string::npos);
    for (int id : {1013, 1014, 1015, 1016, 1018, 1019})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(1004), "-0.1");
    EXPECT_EQ(form.Text(1001), "0"); // no bank height for a refused depth
    EXPECT_TRUE(form.Steps().empty()); // the steps of the first computation are gone
}

} // namespace
} // namespace dralun
