#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/NumberText.h"
#include "forms/CSwaleDlg.h"

namespace dralun {
namespace {

using D = CSwaleDlg;

double Field(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

const int kResults[] = {1005, 1006, 1013, 1014, 1015, 1016, 1018, 1019, 1030, 1031, 1032, 1043};

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
    EXPECT_FALSE(form.IsEnabled(1002));
    // Circle: r = (1 + 0.09) / 0.6
    EXPECT_NEAR(Field(form, 1013), 1.81667, 0.000005);
    EXPECT_NEAR(Field(form, 1005), 0.40711, 0.000005);
    EXPECT_NEAR(Field(form, 1006), 2.11792, 0.000005);
    EXPECT_NEAR(Field(form, 1031), 2.0, 1e-12);
    EXPECT_NEAR(Field(form, 1014), 0.21065, 0.000005);
    EXPECT_NEAR(Field(form, 1015), 0.08576, 0.000005);
    // Parabola
    EXPECT_NEAR(Field(form, 1016), 0.4, 1e-12);
    EXPECT_NEAR(Field(form, 1018), 2.11352, 1e-12);
    EXPECT_NEAR(Field(form, 1043), 2.0, 1e-12);
    EXPECT_NEAR(Field(form, 1019), 0.20848, 0.000005);
    EXPECT_NEAR(Field(form, 1030), 0.08339, 0.000005);
    // Equation (7): B/2 kSt sqrt(I/1000) t^(5/3)
    EXPECT_NEAR(Field(form, 1032), 20 * std::sqrt(0.001) * std::pow(0.3, 5.0 / 3), 1e-12);
    EXPECT_NEAR(Field(form, 1032), 0.08503, 0.000005);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(Swale, WithTEqualsHTickedATypedDepthFillsTheSwaleToTheBrim)
{
    form.Type(1001, "0.4");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1002), "0.4");
    // Equation (7) applies since t = h: B/2 kSt sqrt(I/1000) t^(5/3)
    EXPECT_NEAR(Field(form, 1032), 20 * std::sqrt(0.001) * std::pow(0.4, 5.0 / 3), 1e-12);
}

TEST_F(Swale, BelowTheBrimTheGuidelineColumnIsZero)
{
    Untie();
    EXPECT_TRUE(form.IsEnabled(1002));
    form.Type(1002, "0.2");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1032), "0");
    EXPECT_NEAR(Field(form, 1005), 0.2235277125, 1e-10);
    EXPECT_NEAR(Field(form, 1014), 0.162208758227356, 1e-12);
    EXPECT_NEAR(Field(form, 1015), 0.036258152674488, 1e-12);
    EXPECT_NEAR(Field(form, 1019), 0.16095387079802, 1e-12);
    EXPECT_NEAR(Field(form, 1030), 0.035044876051644, 1e-12);
}

TEST_F(Swale, WaterAboveTheSwaleIsRefusedAndClearsTheResults)
{
    Untie();
    form.Type(1002, "0.31");
    form.Click(kIdOk);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "Unzulässige Eingabe!\n\nWassertiefe darf nicht größer als Muldenhöhe sein.");
    EXPECT_EQ(log.Messages()[0].icon, MsgIcon::None);
    for (int id : kResults)
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(1002), "0.31");
}

TEST_F(Swale, NoWaterGivesZeroVelocityAndDischarge)
{
    Untie();
    form.Type(1002, "0");
    form.Click(kIdOk);
    EXPECT_TRUE(log.Messages().empty());
    for (int id : kResults) {
        if (id != 1013) {
            EXPECT_EQ(form.Text(id), "0") << id;
        }
    }
    EXPECT_NEAR(Field(form, 1013), 1.81667, 0.000005);
}

TEST_F(Swale, DeepNarrowSwaleTakesTheLargerSegment)
{
    form.Type(1000, "1");
    form.Type(1001, "0.6");
    form.Click(kIdOk); // "t = h" is ticked: t follows the typed h
    EXPECT_EQ(form.Text(1002), "0.6");
    // r = 0.61/1.2 < t: more than a half circle, the surface is the full width.
    EXPECT_NEAR(Field(form, 1013), 0.5083333333, 1e-10);
    EXPECT_NEAR(Field(form, 1005), 0.4985850009, 1e-9);
    EXPECT_NEAR(Field(form, 1006), 1.7813180362, 1e-9);
    EXPECT_NEAR(Field(form, 1031), 1.0, 1e-12);
    EXPECT_NEAR(Field(form, 1014), 0.270621205958575, 1e-10);
    // Parabola: x = 0.5, edge slope 2.4, exact arc 0.5 (2.6 + ln(5) / 2.4).
    const double lu = 0.5 * (2.6 + std::log(5.0) / 2.4);
    EXPECT_NEAR(Field(form, 1018), lu, 1e-12);
    EXPECT_NEAR(Field(form, 1019), std::sqrt(0.001) * 20 * std::pow(0.4 / lu, 2.0 / 3), 1e-12);
    EXPECT_NEAR(Field(form, 1032), 0.5 * 20 * std::sqrt(0.001) * std::pow(0.6, 5.0 / 3), 1e-12);
    EXPECT_TRUE(log.Messages().empty());
}

// Where the series strays from the exact arc by more than 0.1 % the exact
// arc is taken: B 0.6, h = t 0.3 has x = 0.3 and an edge slope 2 t / x = 2,
// arc x (sqrt 5 + asinh(2) / 2) = 0.887366 m (the series gives 0.76 m,
// shorter than the two chords from the edges to the bottom, 2 sqrt(0.18)).
TEST_F(Swale, DeepParabolaTakesTheExactArc)
{
    form.Type(1000, "0.6");
    form.Type(1003, "5");
    form.Type(1004, "25");
    form.Click(kIdOk);
    const double lu = 0.3 * (std::sqrt(5.0) + std::asinh(2.0) / 2);
    EXPECT_NEAR(Field(form, 1018), lu, 1e-12);
    EXPECT_NEAR(Field(form, 1018), 0.887366, 5e-7);
    EXPECT_GT(Field(form, 1018), 2 * std::sqrt(0.18));
    const double A = 4.0 / 3 * 0.3 * 0.3;
    EXPECT_NEAR(Field(form, 1019), std::sqrt(0.005) * 25 * std::pow(A / lu, 2.0 / 3), 1e-12);
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
        form.Type(1000, width);
        form.Click(kIdOk);
        EXPECT_EQ(log.Messages().size(), 1u) << width;
        EXPECT_TRUE(form.RefusedWhole()) << width;
        EXPECT_EQ(form.Text(1015), "0") << width;
    }
    form.Type(1000, "5");
    form.Click(1020); // from 5 as typed
    EXPECT_EQ(form.Text(1000), "4.9");
    form.Type(1001, "0.4");
    form.Click(1012); // B stays refused above its bound; h typed is kept
    EXPECT_EQ(form.Text(1000), "4.9");
    EXPECT_EQ(form.Text(1001), "0.4");
    EXPECT_EQ(form.Text(1002), "0.3"); // t follows h only on the h buttons or "Rechne"
    form.Click(1017);
    EXPECT_EQ(form.Text(1001), "0.41");
    EXPECT_EQ(form.Text(1002), "0.41");
    EXPECT_FALSE(form.IsEnabled(1022));
    EXPECT_FALSE(form.IsEnabled(1023));
    Untie();
    EXPECT_TRUE(form.IsEnabled(1022));
    form.Type(1001, "0.5");
    form.Click(D::kIdTEqualsH); // ticked again: t takes the h typed
    EXPECT_EQ(form.Text(1002), "0.5");
}

TEST_F(Swale, StepsOfTheDepthCarryTheWaterDepthAlong)
{
    form.Click(1017);
    EXPECT_EQ(form.Text(1001), "0.31");
    EXPECT_EQ(form.Text(1002), "0.31");
    form.Click(1021);
    form.Click(1021);
    EXPECT_EQ(form.Text(1001), "0.29");
    EXPECT_EQ(form.Text(1002), "0.29");
    // Tied, the t steps do nothing.
    form.Click(1022);
    form.Click(1023);
    EXPECT_EQ(form.Text(1002), "0.29");
    // No step computes.
    EXPECT_NEAR(Field(form, 1005), 0.40711, 0.000005);
}

TEST_F(Swale, WidthStepsEndAtFourAndAtHalfAMetre)
{
    for (int i = 0; i < 25; ++i)
        form.Click(1012);
    EXPECT_EQ(form.Text(1000), "4");
    for (int i = 0; i < 40; ++i)
        form.Click(1020);
    // Each step reads the width as shown (4, 3.9, ... 0.6): the last step
    // goes from 0.6 to 0.5, where the button stops.
    EXPECT_EQ(form.Text(1000), "0.5");
}

struct Step {
    const char* what;
    int field;
    const char* start;
    int button;
    const char* after;
};

class SwaleSteps : public ::testing::TestWithParam<Step> {};

TEST_P(SwaleSteps, StepWithinItsBounds)
{
    const Step& s = GetParam();
    CMessageLog log;
    CSwaleDlg form(log);
    form.Open();
    form.Click(D::kIdTEqualsH);
    form.Type(s.field, s.start);
    form.Click(kIdOk);
    form.Click(s.button);
    EXPECT_EQ(form.Text(s.field), s.after) << s.what;
}

INSTANTIATE_TEST_SUITE_P(Bounds, SwaleSteps,
                         ::testing::Values(Step{"B - at 0.6", 1000, "0.6", 1020, "0.5"},
                                           Step{"B - below 0.6", 1000, "0.55", 1020, "0.55"},
                                           Step{"B + at 3.9", 1000, "3.9", 1012, "4"},
                                           Step{"B + at 4", 1000, "4", 1012, "4"},
                                           Step{"h + at 0.49", 1001, "0.49", 1017, "0.5"},
                                           Step{"h + at 0.5", 1001, "0.5", 1017, "0.5"},
                                           Step{"h - at 0.05", 1001, "0.05", 1021, "0.05"},
                                           Step{"t + up to h - 0.01", 1002, "0.28", 1022, "0.29"},
                                           Step{"t + beyond h - 0.01", 1002, "0.295", 1022, "0.295"},
                                           Step{"t - above 0.04", 1002, "0.05", 1023, "0.04"},
                                           Step{"t - at 0.04", 1002, "0.04", 1023, "0.04"},
                                           Step{"I + below 49.9", 1003, "49.8", 1026, "49.9"},
                                           Step{"I + at 50", 1003, "50", 1026, "50"},
                                           Step{"I - at 0.11", 1003, "0.11", 1027, "0.11"},
                                           Step{"I - at 0.2", 1003, "0.2", 1027, "0.1"},
                                           Step{"kSt + at 89", 1004, "89", 1037, "90"},
                                           Step{"kSt + at 90", 1004, "90", 1037, "90"},
                                           Step{"kSt - at 6", 1004, "6", 1038, "5"},
                                           Step{"kSt - at 5", 1004, "5", 1038, "5"}));

struct Refused {
    const char* what;
    int field;
    const char* text;
    const char* messagePart;
};

class SwaleRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(SwaleRefuses, InputsWithoutASwaleClearTheResults)
{
    const Refused& r = GetParam();
    CMessageLog log;
    CSwaleDlg form(log);
    form.Open();
    form.Click(D::kIdTEqualsH);
    ASSERT_NE(form.Text(1015), "0");
    form.Type(1002, "0");
    form.Type(r.field, r.text);
    form.Click(kIdOk);
    for (int id : kResults)
        EXPECT_EQ(form.Text(id), "0") << r.what << ", field " << id;
    ASSERT_EQ(log.Messages().size(), 1u) << r.what;
    EXPECT_EQ(log.Messages().back().icon, MsgIcon::Exclamation);
    EXPECT_NE(form.RefusedBecause().find(r.messagePart), std::string::npos) << form.RefusedBecause();
    for (int id : kResults)
        EXPECT_TRUE(ParseFieldNumber(form.Text(id)).has_value()) << id << ": " << form.Text(id);
}

INSTANTIATE_TEST_SUITE_P(Inputs, SwaleRefuses,
                         ::testing::Values(Refused{"no depth", 1001, "0", "Muldenhöhe h"},
                                           Refused{"no width", 1000, "0", "„Breite B [m]“ = 0 m"},
                                           Refused{"falling slope", 1003, "-1", "„Gefälle [%o]“ = -1 ‰"}));

} // namespace
} // namespace dralun
