#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ResultSteps.h"
#include "core/NumberText.h"
#include "testkit/FieldNumber.h"
#include "forms/CBoxCulvertDlg.h"

namespace dralun {
namespace {

using D = CBoxCulvertDlg;

using test::FieldNumber;

class BoxCulvert : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CBoxCulvertDlg form{log};
};

TEST_F(BoxCulvert, OpeningSetsModeOneAndShowsTheSlope)
{
    EXPECT_TRUE(form.IsChecked(D::kIdMode1));
    EXPECT_FALSE(form.IsEnabled(D::kIdI));
    EXPECT_FALSE(form.IsEnabled(D::kIdAufstau));
    EXPECT_TRUE(form.IsEnabled(D::kIdH1));
    EXPECT_NEAR(FieldNumber(form, D::kIdI), 7, 1e-12); // (1.1 - 1.0 - 0.03) / 10 * 1000
    EXPECT_EQ(form.Text(D::kIdQ), "0");
}

TEST_F(BoxCulvert, DefaultsArePartFullWithBed)
{
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdA), "1");        // flow area
    EXPECT_EQ(form.Text(D::kIdLuBeton), "2");  // the two walls
    EXPECT_EQ(form.Text(D::kIdLuSohle), "1");  // bed width
    EXPECT_EQ(form.Text(D::kIdASohle), "0.2"); // bed area
    // k = (30 + 130)/3 = 160/3, R = 1/3
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 1.04433335989514, 1e-13);
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 1.04433335989514, 1e-13);
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 1.0443, 0.00005);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(BoxCulvert, BareFloorCountsAsConcrete)
{
    form.Type(D::kIdT, "0");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdLuSohle), "0");
    EXPECT_EQ(form.Text(D::kIdLuBeton), "3");
    EXPECT_EQ(form.Text(D::kIdASohle), "0");
    // k = 65, R = 1/3
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 1.07384478883742, 1e-13);
}

TEST_F(BoxCulvert, RunningFullTakesTheSoffit)
{
    form.Type(D::kIdH1, "1.9");
    form.Type(D::kIdH2, "1.8");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdA), "1.8");       // (2 - 0.2) * 1
    EXPECT_EQ(form.Text(D::kIdLuBeton), "4.6"); // 2 * 1.8 + 1
    // k = (30 + 65 * 4.6) / 5.6, R = 1.8 / 5.6
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 1.90120273518601, 1e-12);
}

TEST_F(BoxCulvert, RiseIsCappedAtTheHeadDifference)
{
    form.Type(D::kIdH1, "1.02");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdAufstau), "2");
    EXPECT_EQ(form.Text(D::kIdI), "0");
}

TEST_F(BoxCulvert, ModeTwoDerivesTheUpstreamLevel)
{
    form.Click(D::kIdMode2);
    EXPECT_FALSE(form.IsEnabled(D::kIdH1));
    EXPECT_TRUE(form.IsEnabled(D::kIdI));
    form.Type(D::kIdI, "5");
    form.Type(D::kIdAufstau, "10");
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, D::kIdH1), 10 * 5 / 1000.0 + 1.0 + 0.1, 1e-12);
    form.Click(D::kIdMode1);
    EXPECT_TRUE(form.IsEnabled(D::kIdH1));
    EXPECT_FALSE(form.IsEnabled(D::kIdI));
}

TEST_F(BoxCulvert, ReportStepsGiveEveryResultAndTheMode)
{
    for (const char* t : {"0.2", "0"}) {
        form.Type(D::kIdT, t);
        form.Click(kIdOk);
        SCOPED_TRACE(std::string("t = ") + t);
        ASSERT_FALSE(form.Steps().empty());
        test::ExpectResultsAreSteps(form);
    }
    const std::vector<FormChoice> choices = form.Choices();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].text, "Oberwasserstand h1 gegeben, Gefälle I wird berechnet");
    EXPECT_NE(form.Method().find("Rechteckdurchlass"), std::string::npos);
}

struct Refused {
    const char* what;
    int field;
    const char* text;
    const char* messagePart;
};

class BoxCulvertRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(BoxCulvertRefuses, InputsWithoutFlowAreaClearTheResults)
{
    const Refused& r = GetParam();
    CMessageLog log;
    CBoxCulvertDlg form(log);
    form.Open();
    form.Click(kIdOk);
    ASSERT_NE(form.Text(D::kIdQ), "0");
    form.Type(r.field, r.text);
    form.Click(kIdOk);
    // No result of the computation before stays beside the refused inputs.
    for (int id : {D::kIdQ, D::kIdV, D::kIdASohle, D::kIdLuSohle, D::kIdA, D::kIdLuBeton})
        EXPECT_EQ(form.Text(id), "0") << r.what << ", field " << id;
    EXPECT_EQ(form.Text(r.field), r.text) << r.what;
    EXPECT_FALSE(form.RefusedBecause().empty());
    ASSERT_FALSE(log.Messages().empty()) << r.what;
    EXPECT_EQ(log.Messages().back().icon, MsgIcon::Exclamation);
    // One message for one fault: a number outside its range is named by the
    // read, the refusal says it again where the results would stand.
    EXPECT_EQ(log.Messages().size(), 1u) << r.what;
    EXPECT_NE(form.RefusedBecause().find(r.messagePart), std::string::npos) << form.RefusedBecause();
    for (int id :
         {D::kIdQ, D::kIdV, D::kIdASohle, D::kIdLuSohle, D::kIdA, D::kIdLuBeton, D::kIdI, D::kIdH1, D::kIdAufstau})
        EXPECT_TRUE(ParseFieldNumber(form.Text(id)).has_value()) << id << ": " << form.Text(id);
}

INSTANTIATE_TEST_SUITE_P(Inputs, BoxCulvertRefuses,
                         ::testing::Values(Refused{"no water", D::kIdH2, "0", "Wasserstand h2"},
                                           Refused{"negative water depth", D::kIdH2, "-0.5", "Wasserstand h2"},
                                           Refused{"soffit below its range", D::kIdH, "0.2", "„h [m]“ = 0.2 m"},
                                           Refused{"no width", D::kIdB, "0", "„b [m]“ = 0 m"},
                                           Refused{"no length", D::kIdL, "0", "„Länge [m]“ = 0 m"}));

// The reasons the engine gives come out in the form's words.
TEST_F(BoxCulvert, RefusalsSayWhyInTheFormsWords)
{
    form.Type(D::kIdH, "0.5");
    form.Type(D::kIdT, "0.5");
    form.Click(kIdOk);
    form.Type(D::kIdH, "2");
    form.Type(D::kIdH1, "-1e308");
    form.Type(D::kIdH2, "1e308");
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(),
              (std::vector<std::string>{"Unzulässige Eingabe!\n\nDie Sohle füllt den Durchlass aus: die Höhe der "
                                        "Sohle t muss kleiner als die lichte Höhe h = 0.5 m sein.",
                                        "Unzulässige Eingabe!\n\nMit diesen Eingaben ist kein Abfluss bestimmbar.\n"
                                        "Bitte prüfen Sie Länge, Verlustbeiwerte und kSt-Werte."}));
}

TEST(BoxCulvertBed, BedUpToTheSoffitWithinTheRanges)
{
    CMessageLog log;
    CBoxCulvertDlg form(log);
    form.Open();
    form.Type(D::kIdH, "0.5");
    form.Type(D::kIdT, "0.5");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_NE(log.Texts()[0].find("Höhe der Sohle t"), std::string::npos);
    EXPECT_EQ(form.Text(D::kIdQ), "0");
}

} // namespace
} // namespace dralun
