#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ResultSteps.h"
#include "core/NumberText.h"
#include "forms/CBoxCulvertDlg.h"

namespace dralun {
namespace {

using D = CBoxCulvertDlg;

double Field(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

class BoxCulvert : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CBoxCulvertDlg form{log};
};

TEST_F(BoxCulvert, OpeningSetsModeOneAndShowsTheSlope)
{
    EXPECT_TRUE(form.IsChecked(D::kIdMode1));
    EXPECT_FALSE(form.IsEnabled(1006));
    EXPECT_FALSE(form.IsEnabled(1049));
    EXPECT_TRUE(form.IsEnabled(1015));
    EXPECT_NEAR(Field(form, 1006), 7, 1e-12); // (1.1 - 1.0 - 0.03) / 10 * 1000
    EXPECT_EQ(form.Text(1013), "0");
}

TEST_F(BoxCulvert, DefaultsArePartFullWithBed)
{
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1032), "1");   // flow area
    EXPECT_EQ(form.Text(1043), "2");   // the two walls
    EXPECT_EQ(form.Text(1031), "1");   // bed width
    EXPECT_EQ(form.Text(1030), "0.2"); // bed area
    // k = (30 + 130)/3 = 160/3, R = 1/3
    EXPECT_NEAR(Field(form, 1013), 1.04433335989514, 1e-13);
    EXPECT_NEAR(Field(form, 1014), 1.04433335989514, 1e-13);
    EXPECT_NEAR(Field(form, 1013), 1.0443, 0.00005);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(BoxCulvert, BareFloorCountsAsConcrete)
{
    form.Type(1002, "0");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1031), "0");
    EXPECT_EQ(form.Text(1043), "3");
    EXPECT_EQ(form.Text(1030), "0");
    // k = 65, R = 1/3
    EXPECT_NEAR(Field(form, 1013), 1.07384478883742, 1e-13);
}

TEST_F(BoxCulvert, RunningFullTakesTheSoffit)
{
    form.Type(1015, "1.9");
    form.Type(1016, "1.8");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1032), "1.8"); // (2 - 0.2) * 1
    EXPECT_EQ(form.Text(1043), "4.6"); // 2 * 1.8 + 1
    // k = (30 + 65 * 4.6) / 5.6, R = 1.8 / 5.6
    EXPECT_NEAR(Field(form, 1013), 1.90120273518601, 1e-12);
}

TEST_F(BoxCulvert, RiseIsCappedAtTheHeadDifference)
{
    form.Type(1015, "1.02");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1049), "2");
    EXPECT_EQ(form.Text(1006), "0");
}

TEST_F(BoxCulvert, ModeTwoDerivesTheUpstreamLevel)
{
    form.Click(D::kIdMode2);
    EXPECT_FALSE(form.IsEnabled(1015));
    EXPECT_TRUE(form.IsEnabled(1006));
    form.Type(1006, "5");
    form.Type(1049, "10");
    form.Click(kIdOk);
    EXPECT_NEAR(Field(form, 1015), 10 * 5 / 1000.0 + 1.0 + 0.1, 1e-12);
    form.Click(D::kIdMode1);
    EXPECT_TRUE(form.IsEnabled(1015));
    EXPECT_FALSE(form.IsEnabled(1006));
}

TEST_F(BoxCulvert, ReportStepsGiveEveryResultAndTheMode)
{
    for (const char* t : {"0.2", "0"}) {
        form.Type(1002, t);
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
    ASSERT_NE(form.Text(1013), "0");
    form.Type(r.field, r.text);
    form.Click(kIdOk);
    // No result of the computation before stays beside the refused inputs.
    for (int id : {1013, 1014, 1030, 1031, 1032, 1043})
        EXPECT_EQ(form.Text(id), "0") << r.what << ", field " << id;
    EXPECT_EQ(form.Text(r.field), r.text) << r.what;
    EXPECT_FALSE(form.RefusedBecause().empty());
    ASSERT_FALSE(log.Messages().empty()) << r.what;
    EXPECT_EQ(log.Messages().back().icon, MsgIcon::Exclamation);
    // One message for one fault: a number outside its range is named by the
    // read, the refusal says it again where the results would stand.
    EXPECT_EQ(log.Messages().size(), 1u) << r.what;
    EXPECT_NE(form.RefusedBecause().find(r.messagePart), std::string::npos) << form.RefusedBecause();
    for (int id : {1013, 1014, 1030, 1031, 1032, 1043, 1006, 1015, 1049})
        EXPECT_TRUE(ParseFieldNumber(form.Text(id)).has_value()) << id << ": " << form.Text(id);
}

INSTANTIATE_TEST_SUITE_P(Inputs, BoxCulvertRefuses,
                         ::testing::Values(Refused{"no water", 1016, "0", "Wasserstand h2"},
                                           Refused{"negative water depth", 1016, "-0.5", "Wasserstand h2"},
                                           Refused{"soffit below its range", 1001, "0.2", "„h [m]“ = 0.2 m"},
                                           Refused{"no width", 1000, "0", "„b [m]“ = 0 m"},
                                           Refused{"no length", 1005, "0", "„Länge [m]“ = 0 m"}));

TEST(BoxCulvertBed, BedUpToTheSoffitWithinTheRanges)
{
    CMessageLog log;
    CBoxCulvertDlg form(log);
    form.Open();
    form.Type(1001, "0.5");
    form.Type(1002, "0.5");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_NE(log.Texts()[0].find("Höhe der Sohle t"), std::string::npos);
    EXPECT_EQ(form.Text(1013), "0");
}

} // namespace
} // namespace dralun
