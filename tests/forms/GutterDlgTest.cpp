#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Format.h"
#include "forms/CGutterDlg.h"
#include "testkit/FieldNumber.h"

namespace dralun {
namespace {

using test::FieldNumber;
using G = CGutterDlg;

class GutterDlgTest : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CGutterDlg form{log};
};

TEST_F(GutterDlgTest, OpensInWidthModeWithTheResultsOfTheDefaults)
{
    EXPECT_TRUE(form.IsChecked(G::kIdWidthGiven));
    EXPECT_FALSE(form.IsChecked(G::kIdDepthGiven));
    EXPECT_TRUE(form.IsEnabled(G::kIdB1) && form.IsEnabled(G::kIdB2));
    EXPECT_FALSE(form.IsEnabled(G::kIdH1) || form.IsEnabled(G::kIdH2));
    EXPECT_TRUE(log.Messages().empty());
    // hS = 0.035 m; curb gutter h = 1.25 cm, V-gutter h = 3.5 cm (b = bS fills the strip).
    EXPECT_EQ(form.Text(G::kIdHS), "0.035");
    EXPECT_EQ(form.Text(G::kIdH1), "1.25");
    EXPECT_EQ(form.Text(G::kIdH2), "3.5");
    EXPECT_NEAR(FieldNumber(form, G::kIdLu1), 0.5127, 0.00005);
    EXPECT_EQ(form.Text(G::kIdA1), "0.003125");
    EXPECT_NEAR(FieldNumber(form, G::kIdV1), 0.234, 0.0005);
    EXPECT_NEAR(FieldNumber(form, G::kIdQ1), 0.73, 0.005);
    EXPECT_NEAR(FieldNumber(form, G::kIdLu2), 0.5362, 0.00005);
    EXPECT_EQ(form.Text(G::kIdA2), "0.00875");
    EXPECT_NEAR(FieldNumber(form, G::kIdV2), 0.450, 0.0005);
    EXPECT_NEAR(FieldNumber(form, G::kIdQ2), 3.94, 0.005);
}

TEST_F(GutterDlgTest, WiderVGutterSpreadsOntoTheCarriageway)
{
    form.Type(G::kIdB2, "0.7");
    form.Click(kIdOk);
    // c = 0.2 m, e = 0.005 m, h = 3.5 + 0.5 = 4 cm
    EXPECT_EQ(form.Text(G::kIdH2), "4");
    EXPECT_NEAR(FieldNumber(form, G::kIdLu2), 0.7413, 0.00005);
    EXPECT_NEAR(FieldNumber(form, G::kIdA2), 0.01175, 1e-12);
    EXPECT_NEAR(FieldNumber(form, G::kIdQ2), 5.19, 0.005);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(GutterDlgTest, ModeButtonsSwapTheFieldsAndCompute)
{
    form.Click(G::kIdDepthGiven);
    EXPECT_TRUE(form.IsChecked(G::kIdDepthGiven));
    EXPECT_FALSE(form.IsChecked(G::kIdWidthGiven));
    EXPECT_TRUE(form.IsEnabled(G::kIdH1) && form.IsEnabled(G::kIdH2));
    EXPECT_FALSE(form.IsEnabled(G::kIdB1) || form.IsEnabled(G::kIdB2));
    // The depths found before give back the widths.
    EXPECT_EQ(form.Text(G::kIdB1), "0.5");
    EXPECT_NEAR(FieldNumber(form, G::kIdB2), 0.5, 1e-12);

    // 2.5 cm at the curb of a 2.5 % road spread 1 m; 5 cm at the V-gutter:
    // e = 0.05 - 0.035 = 0.015 m, c = 0.015 / 0.025 = 0.6 m, b = 1.1 m.
    form.Type(G::kIdH1, "2.5");
    form.Type(G::kIdH2, "5");
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, G::kIdB1), 1.0, 1e-12);
    EXPECT_NEAR(FieldNumber(form, G::kIdB2), 1.1, 1e-12);
    EXPECT_TRUE(log.Messages().empty());

    // Back to the width mode: computes at once from the widths shown.
    form.Click(G::kIdWidthGiven);
    EXPECT_NEAR(FieldNumber(form, G::kIdH1), 2.5, 1e-12);
    EXPECT_NEAR(FieldNumber(form, G::kIdH2), 5, 1e-12);
}

TEST_F(GutterDlgTest, DepthAtTheStripEdgeCountsAsWithinTheStrip)
{
    form.Click(G::kIdDepthGiven);
    form.Type(G::kIdH2, "3.5");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(G::kIdB2), "0.5");
    EXPECT_EQ(form.Text(G::kIdA2), "0.00875");
}

TEST_F(GutterDlgTest, LevelGutterCarriesNothing)
{
    form.Type(G::kIdS, "0");
    form.Click(kIdOk);
    for (int id : {G::kIdV1, G::kIdV2, G::kIdQ1, G::kIdQ2})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_TRUE(log.Messages().empty());
}

struct DryCase {
    bool depthMode;
    int field;
    int b, h, lu, A, v, Q;
};

class GutterDlgDry : public ::testing::TestWithParam<DryCase> {};

TEST_P(GutterDlgDry, ZeroWaterShowsNoVelocity)
{
    CMessageLog log;
    CGutterDlg form(log);
    form.Open();
    const DryCase& c = GetParam();
    if (c.depthMode)
        form.Click(G::kIdDepthGiven);
    form.Type(c.field, "0");
    form.Click(kIdOk);
    for (int id : {c.b, c.h, c.lu, c.A, c.Q})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(c.v), "-");
    EXPECT_TRUE(log.Messages().empty());
    form.Click(kIdOk); // the "-" of a result is no input error
    EXPECT_TRUE(log.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Columns, GutterDlgDry,
    ::testing::Values(DryCase{false, G::kIdB1, G::kIdB1, G::kIdH1, G::kIdLu1, G::kIdA1, G::kIdV1, G::kIdQ1},
                      DryCase{false, G::kIdB2, G::kIdB2, G::kIdH2, G::kIdLu2, G::kIdA2, G::kIdV2, G::kIdQ2},
                      DryCase{true, G::kIdH1, G::kIdB1, G::kIdH1, G::kIdLu1, G::kIdA1, G::kIdV1, G::kIdQ1},
                      DryCase{true, G::kIdH2, G::kIdB2, G::kIdH2, G::kIdLu2, G::kIdA2, G::kIdV2, G::kIdQ2}));

TEST_F(GutterDlgTest, NegativeSlopeIsReportedOnceAndLeavesVAndQOpen)
{
    form.Type(G::kIdS, "-1");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_NE(log.Texts()[0].find("Längsneigung"), std::string::npos);
    for (int id : {G::kIdV1, G::kIdV2, G::kIdQ1, G::kIdQ2})
        EXPECT_EQ(form.Text(id), "-") << id;
    EXPECT_EQ(form.Text(G::kIdA1), "0.003125"); // the cross-section is still known
    form.Click(G::kIdDepthGiven);                      // the mode change computes: one message again
    EXPECT_EQ(log.Texts().size(), 2u);
}

TEST_F(GutterDlgTest, NoCrossFallGivesNoGutter)
{
    form.Type(G::kIdQf, "0");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u); // the range message, one per fault
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 1 und 7 ein.");
    for (int id :
         {G::kIdH1, G::kIdH2, G::kIdLu1, G::kIdLu2, G::kIdA1, G::kIdA2, G::kIdV1, G::kIdV2, G::kIdQ1, G::kIdQ2})
        EXPECT_EQ(form.Text(id), "0") << id;
    form.Click(G::kIdDepthGiven); // in the depth mode as well: no spread width without a cross-fall
    for (int id : {G::kIdB1, G::kIdB2})
        EXPECT_EQ(form.Text(id), "0") << id;
    form.Type(G::kIdQf, "2.5");
    form.Click(G::kIdWidthGiven);
    form.Type(G::kIdB1, "0.5");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(G::kIdH1), "1.25");
}

TEST_F(GutterDlgTest, StripWithoutAGutterIsRefusedWhole)
{
    const struct {
        int id;
        const char* text;
    } cases[] = {{G::kIdBS, "Die Breite der Spitzrinne bS darf nicht negativ sein."},
                 {G::kIdQS, "Die Querneigung der Spitzrinne darf nicht negativ sein."}};
    for (const auto& c : cases) {
        CMessageLog log;
        CGutterDlg form(log);
        form.Open();
        form.Type(c.id, "-0.5");
        form.Click(kIdOk);
        ASSERT_EQ(log.Texts().size(), 1u) << c.id;
        EXPECT_EQ(log.Texts()[0], c.text);
        EXPECT_TRUE(form.RefusedWhole());
        EXPECT_EQ(form.Text(G::kIdH1), "0");
    }
}

TEST_F(GutterDlgTest, NegativeGivenValuesAreRefusedPerColumn)
{
    form.Type(G::kIdB1, "-0.2");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Die Wasserspiegelbreite b der Bordrinne darf nicht negativ sein.");
    EXPECT_EQ(form.Text(G::kIdH1), "0");
    EXPECT_EQ(form.Text(G::kIdQ1), "0");
    EXPECT_NEAR(FieldNumber(form, G::kIdQ2), 3.94, 0.005); // the V-gutter is computed
}

TEST_F(GutterDlgTest, OverflowingWidthIsRefusedAndNoInputShowsADash)
{
    form.Type(G::kIdB1, "1e200"); // b² overflows the wetted perimeter
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Die Werte der Bordrinne liegen außerhalb des darstellbaren Bereichs.");
    EXPECT_EQ(form.Text(G::kIdH1), "0");
    EXPECT_EQ(form.Text(G::kIdLu1), "0");
    form.Click(G::kIdDepthGiven); // the depth field is read again without a parse message
    EXPECT_EQ(log.Texts().size(), 1u);
}

TEST_F(GutterDlgTest, StricklerOutOfRangeIsReportedAndNotComputed)
{
    form.Type(G::kIdKSt, "100");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 1 und 95 ein.");
    EXPECT_EQ(form.Text(G::kIdV1), "0");
    EXPECT_TRUE(form.RefusedWhole());
}

TEST_F(GutterDlgTest, ARefusedGutterFormLeavesOnlyTheOthersSteps)
{
    form.Type(G::kIdB1, "-1");
    form.Type(G::kIdB2, "0.7");
    form.Click(kIdOk);
    ASSERT_FALSE(form.Steps().empty());
    double q2 = std::nan("");
    for (const CalcStep& step : form.Steps()) {
        EXPECT_NE(step.symbol.back(), '1') << step.symbol; // h1, lu1, Q1 ... belong to the refused curb gutter
        if (step.symbol == "Q2")
            q2 = step.value;
    }
    EXPECT_EQ(FormatG15(q2), form.Text(G::kIdQ2)); // 5.19 l/s, the value the field shows
    EXPECT_EQ(form.Method(), "Leistungsfähigkeit einer Bord- und einer Spitzrinne nach Manning-Strickler");
}

} // namespace
} // namespace dralun
