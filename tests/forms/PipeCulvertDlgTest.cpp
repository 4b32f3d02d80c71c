#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ResultSteps.h"
#include "core/NumberText.h"
#include "forms/CPipeCulvertDlg.h"

namespace dralun {
namespace {

using D = CPipeCulvertDlg;

double Field(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

class PipeCulvert : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CPipeCulvertDlg form{log};
};

TEST_F(PipeCulvert, OpeningSetsModeOneAndShowsTheSlope)
{
    EXPECT_TRUE(form.IsChecked(D::kIdMode1));
    EXPECT_FALSE(form.IsChecked(D::kIdMode2));
    EXPECT_TRUE(form.IsEnabled(1014));
    EXPECT_FALSE(form.IsEnabled(1005));
    EXPECT_FALSE(form.IsEnabled(1043));
    EXPECT_TRUE(form.IsEnabled(1001));
    EXPECT_FALSE(form.IsChecked(D::kIdDn10));
    // (0.6 - 0.5 - 0.03) / 5 * 1000
    EXPECT_EQ(form.Text(1005), "14");
    EXPECT_EQ(form.Text(1006), "0");
    EXPECT_FALSE(form.HasControl(kIdOk)); // no button 1 on this form
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(PipeCulvert, DefaultsRunFullWithoutBed)
{
    form.Click(D::kIdRechne);
    // Full section of a 0.4 m pipe, R = 0.1 m, k = 65.
    EXPECT_NEAR(Field(form, 1031), 3.141592654 * 0.4 * 0.4 / 4, 1e-12);
    EXPECT_NEAR(Field(form, 1032), 3.141592654 * 0.4, 1e-12);
    EXPECT_EQ(form.Text(1019), "0");
    EXPECT_EQ(form.Text(1030), "0");
    // Q² = 0.1 / (1.5/A²/2g + 5/A²/65²/0.1^1.33333333333333)
    EXPECT_NEAR(Field(form, 1006), 0.12444087039651, 1e-13);
    EXPECT_NEAR(Field(form, 1013), 0.99026898218384, 1e-13);
    EXPECT_NEAR(Field(form, 1006), 0.1244, 0.00005);
    EXPECT_NEAR(Field(form, 1013), 0.9903, 0.00005);
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_FALSE(form.IsClosed());
}

TEST_F(PipeCulvert, EnterComputesLikeRechne)
{
    form.PressEnter();
    EXPECT_NEAR(Field(form, 1006), 0.12444087039651, 1e-13);
    EXPECT_FALSE(form.IsClosed());
}

TEST_F(PipeCulvert, RiseIsCappedAtTheHeadDifference)
{
    form.Type(1014, "0.52");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(1043), "2");
    EXPECT_EQ(form.Text(1005), "0");
}

TEST_F(PipeCulvert, NoHeadDifferenceGivesNoFlowWithoutMessage)
{
    form.Type(1014, "0.5");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(1006), "0");
    EXPECT_EQ(form.Text(1013), "0");
    EXPECT_EQ(form.Text(1043), "0");
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(PipeCulvert, ModeTwoDerivesTheUpstreamLevelBeforeEachComputation)
{
    form.Click(D::kIdMode2);
    EXPECT_FALSE(form.IsEnabled(1014));
    EXPECT_TRUE(form.IsEnabled(1005));
    EXPECT_TRUE(form.IsEnabled(1043));
    EXPECT_EQ(form.Text(1014), "0.6"); // 5 * 14/1000 + 0.5 + 0.03
    form.Type(1005, "10");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(1014), "0.58");
    EXPECT_NEAR(Field(form, 1006), 0.11130329815434, 1e-13);
    // h1 steps do nothing in mode 2.
    form.Click(1022);
    form.Click(1023);
    EXPECT_EQ(form.Text(1014), "0.58");
}

TEST_F(PipeCulvert, BedBelowMidHeightInALargePipe)
{
    form.Type(1000, "1000");
    form.Type(1001, "0.1");
    form.Type(1015, "0.3");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(Field(form, 1019), 0.040875277198, 1e-11);
    EXPECT_NEAR(Field(form, 1030), 0.6, 1e-12);
    EXPECT_NEAR(Field(form, 1031), 0.252494529447, 1e-11);
    EXPECT_NEAR(Field(form, 1032), 0.725937297211, 1e-11);
    // k = (40 * 0.6 + 65 * 0.7259) / 1.3259, R = A / 1.3259
    EXPECT_NEAR(Field(form, 1006), 0.45517874130424, 1e-12);
    EXPECT_NEAR(Field(form, 1013), 1.80272714145873, 1e-12);
}

TEST_F(PipeCulvert, MidHeightGivesHalfTheSection)
{
    form.Type(1015, "0.2");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(Field(form, 1031), 3.141592654 * 0.04 / 2, 1e-12);
    EXPECT_NEAR(Field(form, 1032), 3.141592654 * 0.4 / 2, 1e-12);

    form.Type(1001, "0.05");
    form.Type(1015, "0.15");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(Field(form, 1031), 0.06283185308 - 0.00906623508, 1e-11);
    EXPECT_NEAR(Field(form, 1032), 0.6283185308 - 0.289093699125, 1e-11);
}

TEST_F(PipeCulvert, WaterAboveTheCrownUsesTheFullSectionLessTheBed)
{
    form.Type(1001, "0.1");
    form.Type(1015, "0.35");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(Field(form, 1031), 0.12566370616 - 0.024567393972, 1e-11);
    EXPECT_NEAR(Field(form, 1032), 1.2566370616 - 0.418879020479, 1e-11);
}

TEST_F(PipeCulvert, DnTenthFollowsTheDiameterSteps)
{
    form.Type(1000, "1000");
    form.Click(D::kIdRechne);
    form.Click(D::kIdDn10);
    EXPECT_FALSE(form.IsEnabled(1001));
    EXPECT_EQ(form.Text(1001), "0.1");
    form.Click(1012);
    EXPECT_EQ(form.Text(1000), "1100");
    EXPECT_EQ(form.Text(1001), "0.11");
    form.Click(1020);
    form.Click(1020);
    EXPECT_EQ(form.Text(1000), "900");
    EXPECT_EQ(form.Text(1001), "0.09");
    // Ticked, the t steps leave t alone.
    form.Click(1017);
    form.Click(1021);
    EXPECT_EQ(form.Text(1001), "0.09");
    // The computation keeps t at a tenth even if the member was typed over.
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(1001), "0.09");
    form.Click(D::kIdDn10);
    EXPECT_TRUE(form.IsEnabled(1001));
    EXPECT_EQ(form.Text(1001), "0.09");
}

TEST_F(PipeCulvert, StepButtonsAndTheTenthBoxReadWhatWasTypedFirst)
{
    form.Click(D::kIdRechne);
    const std::string Q = form.Text(1006);
    form.Type(1000, "800");
    form.Type(1002, "55");
    form.Click(1012);
    EXPECT_EQ(form.Text(1000), "900"); // 800 + 100
    EXPECT_EQ(form.Text(1002), "55");  // the other typing stays
    EXPECT_EQ(form.Text(1006), Q);     // no computation: the results are marked stale
    EXPECT_EQ(form.StaleBecause(), "Eingaben geändert – Rechne drücken");
    form.Type(1000, "800");
    form.Click(D::kIdDn10);
    EXPECT_EQ(form.Text(1000), "800");
    EXPECT_EQ(form.Text(1001), "0.08");
    // Locked, t and its buttons; in mode 2 the h1 buttons too.
    EXPECT_FALSE(form.IsEnabled(1017));
    EXPECT_FALSE(form.IsEnabled(1021));
    EXPECT_TRUE(form.IsEnabled(1022));
    form.Click(D::kIdMode2);
    EXPECT_FALSE(form.IsEnabled(1022));
    EXPECT_FALSE(form.IsEnabled(1023));
}

TEST_F(PipeCulvert, ReportStepsGiveEveryResultAndTheChoices)
{
    form.Click(D::kIdRechne);
    ASSERT_FALSE(form.Steps().empty());
    test::ExpectResultsAreSteps(form);
    EXPECT_NE(form.Method().find("Rohrdurchlass"), std::string::npos);

    form.Type(1000, "1000");
    form.Type(1015, "0.3");
    form.Click(D::kIdMode2);
    form.Click(D::kIdDn10);
    form.Click(D::kIdRechne);
    ASSERT_FALSE(form.Steps().empty());
    test::ExpectResultsAreSteps(form);
    const std::vector<FormChoice> choices = form.Choices();
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].text, "Gefälle I und Aufstau gegeben, Oberwasserstand h1 wird berechnet");
    EXPECT_EQ(choices[1].label, "Höhe der Sohle t = DN/10");
    EXPECT_EQ(choices[1].text, "ja");

    form.Type(1015, "0");
    form.Click(D::kIdRechne);
    EXPECT_TRUE(form.Steps().empty()); // a refused computation leaves no steps
}

TEST_F(PipeCulvert, HeadDifferenceBeyondTheDoublesIsRefused)
{
    // h1 - h2 overflows: Q² is -inf, no discharge can be stated.
    form.Type(1014, "-1e308");
    form.Type(1015, "1e308");
    form.Click(D::kIdRechne);
    EXPECT_NE(form.RefusedBecause().find("kein Abfluss bestimmbar"), std::string::npos);
    EXPECT_EQ(form.Text(1006), "0");
}

struct Step {
    const char* what;
    int field;
    const char* start;
    int button;
    const char* after;
};

class PipeCulvertSteps : public ::testing::TestWithParam<Step> {};

TEST_P(PipeCulvertSteps, StepWithinItsBounds)
{
    const Step& s = GetParam();
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Type(s.field, s.start);
    form.Click(D::kIdRechne); // the value is read
    form.Click(s.button);
    EXPECT_EQ(form.Text(s.field), s.after) << s.what;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, PipeCulvertSteps,
    ::testing::Values(Step{"DN + below 2000", 1000, "1900", 1012, "2000"},
                      Step{"DN + at 2000", 1000, "2000", 1012, "2000"},
                      Step{"DN - at 200", 1000, "200", 1020, "100"},
                      Step{"DN - below 200", 1000, "150", 1020, "150"},
                      Step{"t + up to D - 0.05", 1001, "0.35", 1017, "0.36"},
                      Step{"t + beyond D - 0.05", 1001, "0.36", 1017, "0.36"},
                      Step{"t - above 0.01", 1001, "0.05", 1021, "0.04"},
                      Step{"t - at 0.01", 1001, "0.01", 1021, "0"},
                      Step{"t - below 0.01", 1001, "0.005", 1021, "0"},
                      Step{"h1 +", 1014, "0.6", 1022, "0.61"},
                      Step{"h1 - at 0.02", 1014, "0.02", 1023, "0.01"},
                      Step{"h1 - below 0.02", 1014, "0.015", 1023, "0.015"},
                      Step{"h2 +", 1015, "0.5", 1026, "0.51"},
                      Step{"h2 - at 0.02", 1015, "0.02", 1027, "0.01"},
                      Step{"h2 - below 0.02", 1015, "0.019", 1027, "0.019"}));

struct Refused {
    const char* what;
    int field;
    const char* text;
    const char* messagePart;
};

class PipeCulvertRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(PipeCulvertRefuses, InputsWithoutFlowAreaClearTheResults)
{
    const Refused& r = GetParam();
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Click(D::kIdRechne);
    ASSERT_NE(form.Text(1006), "0");
    form.Type(r.field, r.text);
    form.Click(D::kIdRechne);
    for (int id : {1006, 1013, 1019, 1030, 1031, 1032})
        EXPECT_EQ(form.Text(id), "0") << r.what << ", field " << id;
    ASSERT_FALSE(log.Messages().empty()) << r.what;
    EXPECT_EQ(log.Messages().back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(log.Messages().size(), 1u) << r.what; // one message for one fault
    EXPECT_NE(form.RefusedBecause().find(r.messagePart), std::string::npos) << form.RefusedBecause();
    for (int id : {1006, 1013, 1019, 1030, 1031, 1032, 1005, 1014, 1043})
        EXPECT_TRUE(ParseFieldNumber(form.Text(id)).has_value()) << id << ": " << form.Text(id);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PipeCulvertRefuses,
    ::testing::Values(Refused{"no water", 1015, "0", "Wasserstand h2"},
                      Refused{"negative water depth", 1015, "-0.1", "Wasserstand h2"},
                      Refused{"bed fills the pipe", 1001, "0.4", "kleiner als der Durchmesser D = 0.4 m"},
                      Refused{"bed higher than the pipe", 1001, "0.5", "Durchmesser"},
                      Refused{"negative bed", 1001, "-0.01", "nicht negativ"},
                      Refused{"no diameter", 1000, "0", "„DN [mm]“ = 0 mm"},
                      Refused{"no length", 1004, "0", "„Länge [m]“ = 0 m"}));

// A number outside its range refuses the computation before the levels are
// completed from it, and a mode button completes nothing from it either.
TEST(PipeCulvertLength, ZeroLengthCompletesNoLevel)
{
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Type(1004, "0");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(1005), "14");
    EXPECT_EQ(log.Texts(), std::vector<std::string>{"Bitte geben Sie eine Zahl zwischen 0.5 und 1000 ein."});
    EXPECT_TRUE(form.RefusedWhole());
    form.Type(1014, "0.7");
    form.Click(D::kIdMode1);
    EXPECT_EQ(form.Text(1005), "14"); // not (0.7 - 0.5 - 0.03) / 0 * 1000
}

TEST(PipeCulvertLevels, ALevelCompletedOutsideItsRangeIsRefusedNotStored)
{
    // h1 below h2 in mode 1 would cap the rise at (0.4 - 0.5) * 100 = -10 cm:
    // the locked field would then hold every later computation back.
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Type(1014, "0.4");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(1043), "3");
    EXPECT_NE(form.RefusedBecause().find("„Aufstau [cm]“ = -10 cm"), std::string::npos) << form.RefusedBecause();
    form.Type(1014, "0.6");
    form.Click(D::kIdRechne);
    EXPECT_TRUE(form.RefusedBecause().empty());
    EXPECT_NEAR(Field(form, 1006), 0.12444087039651, 1e-13);
}

TEST(PipeCulvertModes, ARiseOutsideItsRangeKeepsModeTwo)
{
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Click(D::kIdMode2);
    form.Type(1043, "250");
    form.Click(D::kIdMode1);
    EXPECT_TRUE(form.IsChecked(D::kIdMode2));
    EXPECT_TRUE(form.IsEnabled(1043));
    EXPECT_EQ(form.Text(1043), "250");
    EXPECT_EQ(log.Texts().back(), "Bitte geben Sie eine Zahl zwischen 0 und 200 ein.");
}

} // namespace
} // namespace dralun
