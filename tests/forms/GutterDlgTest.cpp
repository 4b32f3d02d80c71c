#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/CGutterDlg.h"

namespace dralun {
namespace {

double Number(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

// Control ids of the two columns.
constexpr int kB1 = 1013, kB2 = 1043, kH1 = 1006, kH2 = 1049;
constexpr int kLu1 = 1014, kLu2 = 1015, kA1 = 1016, kA2 = 1018, kV1 = 1019, kV2 = 1030, kQ1 = 1031, kQ2 = 1032;

class GutterDlgTest : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CGutterDlg form{log};
};

TEST_F(GutterDlgTest, OpensInWidthModeWithTheResultsOfTheDefaults)
{
    EXPECT_TRUE(form.IsChecked(1008));
    EXPECT_FALSE(form.IsChecked(1007));
    EXPECT_TRUE(form.IsEnabled(kB1) && form.IsEnabled(kB2));
    EXPECT_FALSE(form.IsEnabled(kH1) || form.IsEnabled(kH2));
    EXPECT_TRUE(log.Messages().empty());
    // hS = 0.035 m; curb gutter h = 1.25 cm, V-gutter h = 3.5 cm (b = bS fills the strip).
    EXPECT_EQ(form.Text(1004), "0.035");
    EXPECT_EQ(form.Text(kH1), "1.25");
    EXPECT_EQ(form.Text(kH2), "3.5");
    EXPECT_NEAR(Number(form, kLu1), 0.5127, 0.00005);
    EXPECT_EQ(form.Text(kA1), "0.003125");
    EXPECT_NEAR(Number(form, kV1), 0.234, 0.0005);
    EXPECT_NEAR(Number(form, kQ1), 0.73, 0.005);
    EXPECT_NEAR(Number(form, kLu2), 0.5362, 0.00005);
    EXPECT_EQ(form.Text(kA2), "0.00875");
    EXPECT_NEAR(Number(form, kV2), 0.450, 0.0005);
    EXPECT_NEAR(Number(form, kQ2), 3.94, 0.005);
}

TEST_F(GutterDlgTest, WiderVGutterSpreadsOntoTheCarriageway)
{
    form.Type(kB2, "0.7");
    form.Click(kIdOk);
    // c = 0.2 m, e = 0.005 m, h = 3.5 + 0.5 = 4 cm
    EXPECT_EQ(form.Text(kH2), "4");
    EXPECT_NEAR(Number(form, kLu2), 0.7413, 0.00005);
    EXPECT_NEAR(Number(form, kA2), 0.01175, 1e-12);
    EXPECT_NEAR(Number(form, kQ2), 5.19, 0.005);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(GutterDlgTest, ModeButtonsSwapTheFieldsAndCompute)
{
    form.Click(1007);
    EXPECT_TRUE(form.IsChecked(1007));
    EXPECT_FALSE(form.IsChecked(1008));
    EXPECT_TRUE(form.IsEnabled(kH1) && form.IsEnabled(kH2));
    EXPECT_FALSE(form.IsEnabled(kB1) || form.IsEnabled(kB2));
    // The depths found before give back the widths.
    EXPECT_EQ(form.Text(kB1), "0.5");
    EXPECT_NEAR(Number(form, kB2), 0.5, 1e-12);

    // 2.5 cm at the curb of a 2.5 % road spread 1 m; 5 cm at the V-gutter:
    // e = 0.05 - 0.035 = 0.015 m, c = 0.015 / 0.025 = 0.6 m, b = 1.1 m.
    form.Type(kH1, "2.5");
    form.Type(kH2, "5");
    form.Click(kIdOk);
    EXPECT_NEAR(Number(form, kB1), 1.0, 1e-12);
    EXPECT_NEAR(Number(form, kB2), 1.1, 1e-12);
    EXPECT_TRUE(log.Messages().empty());

    // Back to the width mode: computes at once from the widths shown.
    form.Click(1008);
    EXPECT_NEAR(Number(form, kH1), 2.5, 1e-12);
    EXPECT_NEAR(Number(form, kH2), 5, 1e-12);
}

TEST_F(GutterDlgTest, DepthAtTheStripEdgeCountsAsWithinTheStrip)
{
    form.Click(1007);
    form.Type(kH2, "3.5");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(kB2), "0.5");
    EXPECT_EQ(form.Text(kA2), "0.00875");
}

TEST_F(GutterDlgTest, LevelGutterCarriesNothing)
{
    form.Type(1001, "0");
    form.Click(kIdOk);
    for (int id : {kV1, kV2, kQ1, kQ2})
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
        form.Click(1007);
    form.Type(c.field, "0");
    form.Click(kIdOk);
    for (int id : {c.b, c.h, c.lu, c.A, c.Q})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_EQ(form.Text(c.v), "-");
    EXPECT_TRUE(log.Messages().empty());
    form.Click(kIdOk); // the "-" of a result is no input error
    EXPECT_TRUE(log.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Columns, GutterDlgDry,
                         ::testing::Values(DryCase{false, kB1, kB1, kH1, kLu1, kA1, kV1, kQ1},
                                           DryCase{false, kB2, kB2, kH2, kLu2, kA2, kV2, kQ2},
                                           DryCase{true, kH1, kB1, kH1, kLu1, kA1, kV1, kQ1},
                                           DryCase{true, kH2, kB2, kH2, kLu2, kA2, kV2, kQ2}));

TEST_F(GutterDlgTest, NegativeSlopeIsReportedOnceAndLeavesVAndQOpen)
{
    form.Type(1001, "-1");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_NE(log.Texts()[0].find("Längsneigung"), std::string::npos);
    for (int id : {kV1, kV2, kQ1, kQ2})
        EXPECT_EQ(form.Text(id), "-") << id;
    EXPECT_EQ(form.Text(kA1), "0.003125"); // the cross-section is still known
    form.Click(1007);                      // the mode change computes: one message again
    EXPECT_EQ(log.Texts().size(), 2u);
}

TEST_F(GutterDlgTest, NoCrossFallGivesNoGutter)
{
    form.Type(1002, "0");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u); // the range message, one per fault
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 1 und 7 ein.");
    for (int id : {kH1, kH2, kLu1, kLu2, kA1, kA2, kV1, kV2, kQ1, kQ2})
        EXPECT_EQ(form.Text(id), "0") << id;
    form.Click(1007); // in the depth mode as well: no spread width without a cross-fall
    for (int id : {kB1, kB2})
        EXPECT_EQ(form.Text(id), "0") << id;
    form.Type(1002, "2.5");
    form.Click(1008);
    form.Type(kB1, "0.5");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(kH1), "1.25");
}

TEST_F(GutterDlgTest, NegativeGivenValuesAreRefusedPerColumn)
{
    form.Type(kB1, "-0.2");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Die Wasserspiegelbreite b der Bordrinne darf nicht negativ sein.");
    EXPECT_EQ(form.Text(kH1), "0");
    EXPECT_EQ(form.Text(kQ1), "0");
    EXPECT_NEAR(Number(form, kQ2), 3.94, 0.005); // the V-gutter is computed
}

TEST_F(GutterDlgTest, OverflowingWidthIsRefusedAndNoInputShowsADash)
{
    form.Type(kB1, "1e200"); // b² overflows the wetted perimeter
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Die Werte der Bordrinne liegen außerhalb des darstellbaren Bereichs.");
    EXPECT_EQ(form.Text(kH1), "0");
    EXPECT_EQ(form.Text(kLu1), "0");
    form.Click(1007); // the depth field is read again without a parse message
    EXPECT_EQ(log.Texts().size(), 1u);
}

TEST_F(GutterDlgTest, StricklerOutOfRangeIsReportedAndNotComputed)
{
    form.Type(1000, "100");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 1 und 95 ein.");
    EXPECT_EQ(form.Text(kV1), "0");
    EXPECT_TRUE(form.RefusedWhole());
}

TEST_F(GutterDlgTest, ARefusedGutterFormLeavesOnlyTheOthersSteps)
{
    form.Type(kB1, "-1");
    form.Type(kB2, "0.7");
    form.Click(kIdOk);
    ASSERT_FALSE(form.Steps().empty());
    double q2 = std::nan("");
    for (const CalcStep& step : form.Steps()) {
        EXPECT_NE(step.symbol.back(), '1') << step.symbol; // h1, lu1, Q1 ... belong to the refused curb gutter
        if (step.symbol == "Q2")
            q2 = step.value;
    }
    EXPECT_EQ(FormatG15(q2), form.Text(kQ2)); // 5.19 l/s, the value the field shows
    EXPECT_EQ(form.Method(), "Leistungsfähigkeit einer Bord- und einer Spitzrinne nach Manning-Strickler");
}

} // namespace
} // namespace dralun
