#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ResultSteps.h"
#include "core/NumberText.h"
#include "FormCases.h"
#include "testkit/FieldNumber.h"
#include "forms/CPipeCulvertDlg.h"

namespace dralun {
namespace {

using D = CPipeCulvertDlg;

using test::FieldNumber;
using test::Refused;
using test::Step;

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
    EXPECT_TRUE(form.IsEnabled(D::kIdH1));
    EXPECT_FALSE(form.IsEnabled(D::kIdI));
    EXPECT_FALSE(form.IsEnabled(D::kIdAufstau));
    EXPECT_TRUE(form.IsEnabled(D::kIdT));
    EXPECT_FALSE(form.IsChecked(D::kIdDn10));
    // (0.6 - 0.5 - 0.03) / 5 * 1000
    EXPECT_EQ(form.Text(D::kIdI), "14");
    EXPECT_EQ(form.Text(D::kIdQ), "0");
    EXPECT_FALSE(form.HasControl(kIdOk)); // no button 1 on this form
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(PipeCulvert, DefaultsRunFullWithoutBed)
{
    form.Click(D::kIdRechne);
    // Full section of a 0.4 m pipe, R = 0.1 m, k = 65.
    EXPECT_NEAR(FieldNumber(form, D::kIdA), 3.141592654 * 0.4 * 0.4 / 4, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuWand), 3.141592654 * 0.4, 1e-12);
    EXPECT_EQ(form.Text(D::kIdASohle), "0");
    EXPECT_EQ(form.Text(D::kIdLuSohle), "0");
    // Q² = 0.1 / (1.5/A²/2g + 5/A²/65²/0.1^1.33333333333333)
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.12444087039651, 1e-13);
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 0.99026898218384, 1e-13);
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.1244, 0.00005);
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 0.9903, 0.00005);
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_FALSE(form.IsClosed());
}

TEST_F(PipeCulvert, EnterComputesLikeRechne)
{
    form.PressEnter();
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.12444087039651, 1e-13);
    EXPECT_FALSE(form.IsClosed());
}

TEST_F(PipeCulvert, RiseIsCappedAtTheHeadDifference)
{
    form.Type(D::kIdH1, "0.52");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(D::kIdAufstau), "2");
    EXPECT_EQ(form.Text(D::kIdI), "0");
}

TEST_F(PipeCulvert, NoHeadDifferenceGivesNoFlowWithoutMessage)
{
    form.Type(D::kIdH1, "0.5");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(D::kIdQ), "0");
    EXPECT_EQ(form.Text(D::kIdV), "0");
    EXPECT_EQ(form.Text(D::kIdAufstau), "0");
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(PipeCulvert, ModeTwoDerivesTheUpstreamLevelBeforeEachComputation)
{
    form.Click(D::kIdMode2);
    EXPECT_FALSE(form.IsEnabled(D::kIdH1));
    EXPECT_TRUE(form.IsEnabled(D::kIdI));
    EXPECT_TRUE(form.IsEnabled(D::kIdAufstau));
    EXPECT_EQ(form.Text(D::kIdH1), "0.6"); // 5 * 14/1000 + 0.5 + 0.03
    form.Type(D::kIdI, "10");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(D::kIdH1), "0.58");
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.11130329815434, 1e-13);
    // h1 steps do nothing in mode 2.
    form.Click(D::kIdH1Plus);
    form.Click(D::kIdH1Minus);
    EXPECT_EQ(form.Text(D::kIdH1), "0.58");
}

TEST_F(PipeCulvert, BedBelowMidHeightInALargePipe)
{
    form.Type(D::kIdDN, "1000");
    form.Type(D::kIdT, "0.1");
    form.Type(D::kIdH2, "0.3");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(FieldNumber(form, D::kIdASohle), 0.040875277198, 1e-11);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuSohle), 0.6, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdA), 0.252494529447, 1e-11);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuWand), 0.725937297211, 1e-11);
    // k = (40 * 0.6 + 65 * 0.7259) / 1.3259, R = A / 1.3259
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.45517874130424, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 1.80272714145873, 1e-12);
}

TEST_F(PipeCulvert, MidHeightGivesHalfTheSection)
{
    form.Type(D::kIdH2, "0.2");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(FieldNumber(form, D::kIdA), 3.141592654 * 0.04 / 2, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuWand), 3.141592654 * 0.4 / 2, 1e-12);

    form.Type(D::kIdT, "0.05");
    form.Type(D::kIdH2, "0.15");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(FieldNumber(form, D::kIdA), 0.06283185308 - 0.00906623508, 1e-11);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuWand), 0.6283185308 - 0.289093699125, 1e-11);
}

TEST_F(PipeCulvert, WaterAboveTheCrownUsesTheFullSectionLessTheBed)
{
    form.Type(D::kIdT, "0.1");
    form.Type(D::kIdH2, "0.35");
    form.Click(D::kIdRechne);
    EXPECT_NEAR(FieldNumber(form, D::kIdA), 0.12566370616 - 0.024567393972, 1e-11);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuWand), 1.2566370616 - 0.418879020479, 1e-11);
}

TEST_F(PipeCulvert, DnTenthFollowsTheDiameterSteps)
{
    form.Type(D::kIdDN, "1000");
    form.Click(D::kIdRechne);
    form.Click(D::kIdDn10);
    EXPECT_FALSE(form.IsEnabled(D::kIdT));
    EXPECT_EQ(form.Text(D::kIdT), "0.1");
    form.Click(D::kIdDnPlus);
    EXPECT_EQ(form.Text(D::kIdDN), "1100");
    EXPECT_EQ(form.Text(D::kIdT), "0.11");
    form.Click(D::kIdDnMinus);
    form.Click(D::kIdDnMinus);
    EXPECT_EQ(form.Text(D::kIdDN), "900");
    EXPECT_EQ(form.Text(D::kIdT), "0.09");
    // Ticked, the t steps leave t alone.
    form.Click(D::kIdTPlus);
    form.Click(D::kIdTMinus);
    EXPECT_EQ(form.Text(D::kIdT), "0.09");
    // The computation keeps t at a tenth even if the member was typed over.
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(D::kIdT), "0.09");
    form.Click(D::kIdDn10);
    EXPECT_TRUE(form.IsEnabled(D::kIdT));
    EXPECT_EQ(form.Text(D::kIdT), "0.09");
}

TEST_F(PipeCulvert, StepButtonsAndTheTenthBoxReadWhatWasTypedFirst)
{
    form.Click(D::kIdRechne);
    const std::string Q = form.Text(D::kIdQ);
    form.Type(D::kIdDN, "800");
    form.Type(D::kIdKStS, "55");
    form.Click(D::kIdDnPlus);
    EXPECT_EQ(form.Text(D::kIdDN), "900"); // 800 + 100
    EXPECT_EQ(form.Text(D::kIdKStS), "55"); // the other typing stays
    EXPECT_EQ(form.Text(D::kIdQ), Q);       // no computation: the results are marked stale
    EXPECT_EQ(form.StaleBecause(), "Eingaben geändert – Rechne drücken");
    form.Type(D::kIdDN, "800");
    form.Click(D::kIdDn10);
    EXPECT_EQ(form.Text(D::kIdDN), "800");
    EXPECT_EQ(form.Text(D::kIdT), "0.08");
    // Locked, t and its buttons; in mode 2 the h1 buttons too.
    EXPECT_FALSE(form.IsEnabled(D::kIdTPlus));
    EXPECT_FALSE(form.IsEnabled(D::kIdTMinus));
    EXPECT_TRUE(form.IsEnabled(D::kIdH1Plus));
    form.Click(D::kIdMode2);
    EXPECT_FALSE(form.IsEnabled(D::kIdH1Plus));
    EXPECT_FALSE(form.IsEnabled(D::kIdH1Minus));
}

TEST_F(PipeCulvert, ReportStepsGiveEveryResultAndTheChoices)
{
    form.Click(D::kIdRechne);
    ASSERT_FALSE(form.Steps().empty());
    test::ExpectResultsAreSteps(form);
    EXPECT_NE(form.Method().find("Rohrdurchlass"), std::string::npos);

    form.Type(D::kIdDN, "1000");
    form.Type(D::kIdH2, "0.3");
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

    form.Type(D::kIdH2, "0");
    form.Click(D::kIdRechne);
    EXPECT_TRUE(form.Steps().empty()); // a refused computation leaves no steps
}

TEST_F(PipeCulvert, HeadDifferenceBeyondTheDoublesIsRefused)
{
    // h1 - h2 overflows: Q² is -inf, no discharge can be stated.
    form.Type(D::kIdH1, "-1e308");
    form.Type(D::kIdH2, "1e308");
    form.Click(D::kIdRechne);
    EXPECT_NE(form.RefusedBecause().find("kein Abfluss bestimmbar"), std::string::npos);
    EXPECT_EQ(form.Text(D::kIdQ), "0");
}

// The reasons the engine gives come out in the form's words.
TEST_F(PipeCulvert, RefusalsSayWhyInTheFormsWords)
{
    form.Type(D::kIdT, "0.4");
    form.Click(D::kIdRechne);
    form.Type(D::kIdT, "0");
    form.Type(D::kIdH2, "0");
    form.Click(D::kIdRechne);
    EXPECT_EQ(log.Texts(),
              (std::vector<std::string>{"Unzulässige Eingabe!\n\nDie Sohle füllt das Rohr aus: die Höhe der Sohle t "
                                        "muss kleiner als der Durchmesser D = 0.4 m sein.",
                                        "Unzulässige Eingabe!\n\nDer Wasserstand h2 über der Sohle muss größer als "
                                        "0 m sein.\nOhne Wassertiefe gibt es keinen Fließquerschnitt."}));
}

class PipeCulvertSteps : public ::testing::TestWithParam<Step> {};

TEST_P(PipeCulvertSteps, StepWithinItsBounds)
{
    test::ExpectStep<CPipeCulvertDlg>(GetParam(), D::kIdRechne);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, PipeCulvertSteps,
    ::testing::Values(Step{"DN + below 2000", D::kIdDN, "1900", D::kIdDnPlus, "2000"},
                      Step{"DN + at 2000", D::kIdDN, "2000", D::kIdDnPlus, "2000"},
                      Step{"DN - at 200", D::kIdDN, "200", D::kIdDnMinus, "100"},
                      Step{"DN - below 200", D::kIdDN, "150", D::kIdDnMinus, "150"},
                      Step{"t + up to D - 0.05", D::kIdT, "0.35", D::kIdTPlus, "0.36"},
                      Step{"t + beyond D - 0.05", D::kIdT, "0.36", D::kIdTPlus, "0.36"},
                      Step{"t - above 0.01", D::kIdT, "0.05", D::kIdTMinus, "0.04"},
                      Step{"t - at 0.01", D::kIdT, "0.01", D::kIdTMinus, "0"},
                      Step{"t - below 0.01", D::kIdT, "0.005", D::kIdTMinus, "0"},
                      Step{"h1 +", D::kIdH1, "0.6", D::kIdH1Plus, "0.61"},
                      Step{"h1 - at 0.02", D::kIdH1, "0.02", D::kIdH1Minus, "0.01"},
                      Step{"h1 - below 0.02", D::kIdH1, "0.015", D::kIdH1Minus, "0.015"},
                      Step{"h2 +", D::kIdH2, "0.5", D::kIdH2Plus, "0.51"},
                      Step{"h2 - at 0.02", D::kIdH2, "0.02", D::kIdH2Minus, "0.01"},
                      Step{"h2 - below 0.02", D::kIdH2, "0.019", D::kIdH2Minus, "0.019"}));

class PipeCulvertRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(PipeCulvertRefuses, InputsWithoutFlowAreaClearTheResults)
{
    const Refused& r = GetParam();
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Click(D::kIdRechne);
    ASSERT_NE(form.Text(D::kIdQ), "0");
    form.Type(r.field, r.text);
    form.Click(D::kIdRechne);
    test::ExpectRefusedAndCleared(
        form, log, r, {D::kIdQ, D::kIdV, D::kIdASohle, D::kIdLuSohle, D::kIdA, D::kIdLuWand},
        {D::kIdQ, D::kIdV, D::kIdASohle, D::kIdLuSohle, D::kIdA, D::kIdLuWand, D::kIdI, D::kIdH1, D::kIdAufstau});
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PipeCulvertRefuses,
    ::testing::Values(Refused{"no water", D::kIdH2, "0", "Wasserstand h2"},
                      Refused{"negative water depth", D::kIdH2, "-0.1", "Wasserstand h2"},
                      Refused{"bed fills the pipe", D::kIdT, "0.4", "kleiner als der Durchmesser D = 0.4 m"},
                      Refused{"bed higher than the pipe", D::kIdT, "0.5", "Durchmesser"},
                      Refused{"negative bed", D::kIdT, "-0.01", "nicht negativ"},
                      Refused{"no diameter", D::kIdDN, "0", "„DN [mm]“ = 0 mm"},
                      Refused{"no length", D::kIdL, "0", "„Länge [m]“ = 0 m"}));

// A number outside its range refuses the computation before the levels are
// completed from it, and a mode button completes nothing from it either.
TEST(PipeCulvertLength, ZeroLengthCompletesNoLevel)
{
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Type(D::kIdL, "0");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(D::kIdI), "14");
    EXPECT_EQ(log.Texts(), std::vector<std::string>{"Bitte geben Sie eine Zahl zwischen 0.5 und 1000 ein."});
    EXPECT_TRUE(form.RefusedWhole());
    form.Type(D::kIdH1, "0.7");
    form.Click(D::kIdMode1);
    EXPECT_EQ(form.Text(D::kIdI), "14"); // not (0.7 - 0.5 - 0.03) / 0 * 1000
}

TEST(PipeCulvertLevels, ALevelCompletedOutsideItsRangeIsRefusedNotStored)
{
    // h1 below h2 in mode 1 would cap the rise at (0.4 - 0.5) * 100 = -10 cm:
    // the locked field would then hold every later computation back.
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Type(D::kIdH1, "0.4");
    form.Click(D::kIdRechne);
    EXPECT_EQ(form.Text(D::kIdAufstau), "3");
    EXPECT_NE(form.RefusedBecause().find("„Aufstau [cm]“ = -10 cm"), std::string::npos) << form.RefusedBecause();
    form.Type(D::kIdH1, "0.6");
    form.Click(D::kIdRechne);
    EXPECT_TRUE(form.RefusedBecause().empty());
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.12444087039651, 1e-13);
}

TEST(PipeCulvertModes, ARiseOutsideItsRangeKeepsModeTwo)
{
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Click(D::kIdMode2);
    form.Type(D::kIdAufstau, "250");
    form.Click(D::kIdMode1);
    EXPECT_TRUE(form.IsChecked(D::kIdMode2));
    EXPECT_TRUE(form.IsEnabled(D::kIdAufstau));
    EXPECT_EQ(form.Text(D::kIdAufstau), "250");
    EXPECT_EQ(log.Texts().back(), "Bitte geben Sie eine Zahl zwischen 0 und 200 ein.");
}

} // namespace
} // namespace dralun
