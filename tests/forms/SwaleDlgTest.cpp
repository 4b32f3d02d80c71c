#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/NumberText.h"
#include "forms/CSwaleDlg.h"
#include "FormCases.h"
#include "testkit/FieldNumber.h"

namespace dralun {
namespace {

using D = CSwaleDlg;

using test::FieldNumber;
using test::Refused;
using test::Step;

const int kResults[] = {D::kIdAKreis,   D::kIdLuKreis,   D::kIdRKreis,   D::kIdVKreis,
                        D::kIdQKreis,   D::kIdAParabel,  D::kIdLuParabel, D::kIdVParabel,
                        D::kIdQParabel, D::kIdBKreis,    D::kIdQGl7,      D::kIdBParabel};

class Swale : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    // Frees the water depth from the swale depth.
    void Untie() { form.Click(D::kIdTEqualsH); }
    CMessageLog log;
    CSwaleDlg form{log};
};

TEST_F(Swale, OpeningComputesAllThreeColumns)
{
    EXPECT_TRUE(form.IsChecked(D::kIdTEqualsH));
    EXPECT_FALSE(form.IsEnabled(D::kIdT));
    // Circle: r = (1 + 0.09) / 0.6
    EXPECT_NEAR(FieldNumber(form, D::kIdRKreis), 1.81667, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdAKreis), 0.40711, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuKreis), 2.11792, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdBKreis), 2.0, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVKreis), 0.21065, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdQKreis), 0.08576, 0.000005);
    // Parabola
    EXPECT_NEAR(FieldNumber(form, D::kIdAParabel), 0.4, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuParabel), 2.11352, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdBParabel), 2.0, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVParabel), 0.20848, 0.000005);
    EXPECT_NEAR(FieldNumber(form, D::kIdQParabel), 0.08339, 0.000005);
    // Equation (7): B/2 kSt sqrt(I/1000) t^(5/3)
    EXPECT_NEAR(FieldNumber(form, D::kIdQGl7), 20 * std::sqrt(0.001) * std::pow(0.3, 5.0 / 3), 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdQGl7), 0.08503, 0.000005);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(Swale, WithTEqualsHTickedATypedDepthFillsTheSwaleToTheBrim)
{
    form.Type(D::kIdH, "0.4");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdT), "0.4");
    // Equation (7) applies since t = h: B/2 kSt sqrt(I/1000) t^(5/3)
    EXPECT_NEAR(FieldNumber(form, D::kIdQGl7), 20 * std::sqrt(0.001) * std::pow(0.4, 5.0 / 3), 1e-12);
}

TEST_F(Swale, BelowTheBrimTheGuidelineColumnIsZero)
{
    Untie();
    EXPECT_TRUE(form.IsEnabled(D::kIdT));
    form.Type(D::kIdT, "0.2");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdQGl7), "0");
    EXPECT_NEAR(FieldNumber(form, D::kIdAKreis), 0.2235277125, 1e-10);
    EXPECT_NEAR(FieldNumber(form, D::kIdVKreis), 0.162208758227356, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdQKreis), 0.036258152674488, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVParabel), 0.16095387079802, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdQParabel), 0.035044876051644, 1e-12);
}

TEST_F(Swale, WaterAboveTheSwaleIsRefusedAndClearsTheResults)
{
    Untie();
    form.Type(D::kIdT, "0.31");
    form.Click(kIdOk);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "Unzulässige Eingabe!\n\nWassertiefe darf nicht größer als Muldenhöhe sein.");
    EXPECT_EQ(log.Messages()[0].icon, MsgIcon::None);
    for (int id : kResults)
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(D::kIdT), "0.31");
}

TEST_F(Swale, NoWaterGivesZeroVelocityAndDischarge)
{
    Untie();
    form.Type(D::kIdT, "0");
    form.Click(kIdOk);
    EXPECT_TRUE(log.Messages().empty());
    for (int id : kResults) {
        if (id != D::kIdRKreis) {
            EXPECT_EQ(form.Text(id), "0") << id;
        }
    }
    EXPECT_NEAR(FieldNumber(form, D::kIdRKreis), 1.81667, 0.000005);
}

TEST_F(Swale, DeepNarrowSwaleTakesTheLargerSegment)
{
    form.Type(D::kIdB, "1");
    form.Type(D::kIdH, "0.6");
    form.Click(kIdOk); // "t = h" is ticked: t follows the typed h
    EXPECT_EQ(form.Text(D::kIdT), "0.6");
    // r = 0.61/1.2 < t: more than a half circle, the surface is the full width.
    EXPECT_NEAR(FieldNumber(form, D::kIdRKreis), 0.5083333333, 1e-10);
    EXPECT_NEAR(FieldNumber(form, D::kIdAKreis), 0.4985850009, 1e-9);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuKreis), 1.7813180362, 1e-9);
    EXPECT_NEAR(FieldNumber(form, D::kIdBKreis), 1.0, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVKreis), 0.270621205958575, 1e-10);
    // Parabola: x = 0.5, edge slope 2.4, exact arc 0.5 (2.6 + ln(5) / 2.4).
    const double lu = 0.5 * (2.6 + std::log(5.0) / 2.4);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuParabel), lu, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVParabel), std::sqrt(0.001) * 20 * std::pow(0.4 / lu, 2.0 / 3), 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdQGl7), 0.5 * 20 * std::sqrt(0.001) * std::pow(0.6, 5.0 / 3), 1e-12);
    EXPECT_TRUE(log.Messages().empty());
}

// Where the series strays from the exact arc by more than 0.1 % the exact
// arc is taken: B 0.6, h = t 0.3 has x = 0.3 and an edge slope 2 t / x = 2,
// arc x (sqrt 5 + asinh(2) / 2) = 0.887366 m (the series gives 0.76 m,
// shorter than the two chords from the edges to the bottom, 2 sqrt(0.18)).
TEST_F(Swale, DeepParabolaTakesTheExactArc)
{
    form.Type(D::kIdB, "0.6");
    form.Type(D::kIdI, "5");
    form.Type(D::kIdKSt, "25");
    form.Click(kIdOk);
    const double lu = 0.3 * (std::sqrt(5.0) + std::asinh(2.0) / 2);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuParabel), lu, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuParabel), 0.887366, 5e-7);
    EXPECT_GT(FieldNumber(form, D::kIdLuParabel), 2 * std::sqrt(0.18));
    const double A = 4.0 / 3 * 0.3 * 0.3;
    EXPECT_NEAR(FieldNumber(form, D::kIdVParabel), std::sqrt(0.005) * 25 * std::pow(A / lu, 2.0 / 3), 1e-12);
    EXPECT_TRUE(log.Messages().empty());
    const auto arc = std::find_if(form.Steps().begin(), form.Steps().end(),
                                  [](const CalcStep& s) { return s.symbol == "lu_P"; });
    ASSERT_NE(arc, form.Steps().end());
    EXPECT_EQ(arc->text, "Benetzter Umfang (Parabel, exakte Bogenlänge)");
}

// A width outside its range is refused with one message, before the form's
// own checks could add a second; a step reads the typed width first.
TEST_F(Swale, WidthOutsideItsRangeIsRefusedWithOneMessage)
{
    for (const char* width : {"5", "-1"}) {
        log.Clear();
        form.Type(D::kIdB, width);
        form.Click(kIdOk);
        EXPECT_EQ(log.Messages().size(), 1u) << width;
        EXPECT_TRUE(form.RefusedWhole()) << width;
        EXPECT_EQ(form.Text(D::kIdQKreis), "0") << width;
    }
    form.Type(D::kIdB, "5");
    form.Click(D::kIdBMinus); // from 5 as typed
    EXPECT_EQ(form.Text(D::kIdB), "4.9");
    form.Type(D::kIdH, "0.4");
    form.Click(D::kIdBPlus); // B stays refused above its bound; h typed is kept
    EXPECT_EQ(form.Text(D::kIdB), "4.9");
    EXPECT_EQ(form.Text(D::kIdH), "0.4");
    EXPECT_EQ(form.Text(D::kIdT), "0.3"); // t follows h only on the h buttons or "Rechne"
    form.Click(D::kIdHPlus);
    EXPECT_EQ(form.Text(D::kIdH), "0.41");
    EXPECT_EQ(form.Text(D::kIdT), "0.41");
    EXPECT_FALSE(form.IsEnabled(D::kIdTPlus));
    EXPECT_FALSE(form.IsEnabled(D::kIdTMinus));
    Untie();
    EXPECT_TRUE(form.IsEnabled(D::kIdTPlus));
    form.Type(D::kIdH, "0.5");
    form.Click(D::kIdTEqualsH); // ticked again: t takes the h typed
    EXPECT_EQ(form.Text(D::kIdT), "0.5");
}

TEST_F(Swale, StepsOfTheDepthCarryTheWaterDepthAlong)
{
    form.Click(D::kIdHPlus);
    EXPECT_EQ(form.Text(D::kIdH), "0.31");
    EXPECT_EQ(form.Text(D::kIdT), "0.31");
    form.Click(D::kIdHMinus);
    form.Click(D::kIdHMinus);
    EXPECT_EQ(form.Text(D::kIdH), "0.29");
    EXPECT_EQ(form.Text(D::kIdT), "0.29");
    // Tied, the t steps do nothing.
    form.Click(D::kIdTPlus);
    form.Click(D::kIdTMinus);
    EXPECT_EQ(form.Text(D::kIdT), "0.29");
    // No step computes.
    EXPECT_NEAR(FieldNumber(form, D::kIdAKreis), 0.40711, 0.000005);
}

TEST_F(Swale, WidthStepsEndAtFourAndAtHalfAMetre)
{
    for (int i = 0; i < 25; ++i)
        form.Click(D::kIdBPlus);
    EXPECT_EQ(form.Text(D::kIdB), "4");
    for (int i = 0; i < 40; ++i)
        form.Click(D::kIdBMinus);
    // Each step reads the width as shown (4, 3.9, ... 0.6): the last step
    // goes from 0.6 to 0.5, where the button stops.
    EXPECT_EQ(form.Text(D::kIdB), "0.5");
}

class SwaleSteps : public ::testing::TestWithParam<Step> {};

TEST_P(SwaleSteps, StepWithinItsBounds)
{
    test::ExpectStep<CSwaleDlg>(GetParam(), kIdOk, [](CSwaleDlg& form) { form.Click(D::kIdTEqualsH); });
}

INSTANTIATE_TEST_SUITE_P(Bounds, SwaleSteps,
                         ::testing::Values(Step{"B - at 0.6", D::kIdB, "0.6", D::kIdBMinus, "0.5"},
                                           Step{"B - below 0.6", D::kIdB, "0.55", D::kIdBMinus, "0.55"},
                                           Step{"B + at 3.9", D::kIdB, "3.9", D::kIdBPlus, "4"},
                                           Step{"B + at 4", D::kIdB, "4", D::kIdBPlus, "4"},
                                           Step{"h + at 0.49", D::kIdH, "0.49", D::kIdHPlus, "0.5"},
                                           Step{"h + at 0.5", D::kIdH, "0.5", D::kIdHPlus, "0.5"},
                                           Step{"h - at 0.05", D::kIdH, "0.05", D::kIdHMinus, "0.05"},
                                           Step{"t + up to h - 0.01", D::kIdT, "0.28", D::kIdTPlus, "0.29"},
                                           Step{"t + beyond h - 0.01", D::kIdT, "0.295", D::kIdTPlus, "0.295"},
                                           Step{"t - above 0.04", D::kIdT, "0.05", D::kIdTMinus, "0.04"},
                                           Step{"t - at 0.04", D::kIdT, "0.04", D::kIdTMinus, "0.04"},
                                           Step{"I + below 49.9", D::kIdI, "49.8", D::kIdIPlus, "49.9"},
                                           Step{"I + at 50", D::kIdI, "50", D::kIdIPlus, "50"},
                                           Step{"I - at 0.11", D::kIdI, "0.11", D::kIdIMinus, "0.11"},
                                           Step{"I - at 0.2", D::kIdI, "0.2", D::kIdIMinus, "0.1"},
                                           Step{"kSt + at 89", D::kIdKSt, "89", D::kIdKStPlus, "90"},
                                           Step{"kSt + at 90", D::kIdKSt, "90", D::kIdKStPlus, "90"},
                                           Step{"kSt - at 6", D::kIdKSt, "6", D::kIdKStMinus, "5"},
                                           Step{"kSt - at 5", D::kIdKSt, "5", D::kIdKStMinus, "5"}));

class SwaleRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(SwaleRefuses, InputsWithoutASwaleClearTheResults)
{
    const Refused& r = GetParam();
    CMessageLog log;
    CSwaleDlg form(log);
    form.Open();
    form.Click(D::kIdTEqualsH);
    ASSERT_NE(form.Text(D::kIdQKreis), "0");
    form.Type(D::kIdT, "0");
    form.Type(r.field, r.text);
    form.Click(kIdOk);
    const std::vector<int> results(std::begin(kResults), std::end(kResults));
    test::ExpectRefusedAndCleared(form, log, r, results, results);
}

INSTANTIATE_TEST_SUITE_P(Inputs, SwaleRefuses,
                         ::testing::Values(Refused{"no depth", D::kIdH, "0", "Muldenhöhe h"},
                                           Refused{"no width", D::kIdB, "0", "„Breite B [m]“ = 0 m"},
                                           Refused{"falling slope", D::kIdI, "-1", "„Gefälle [%o]“ = -1 ‰"}));

} // namespace
} // namespace dralun
