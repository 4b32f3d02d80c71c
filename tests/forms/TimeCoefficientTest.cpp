#include <gtest/gtest.h>

#include "forms/CTimeCoefficientDlg.h"
#include "ResultSteps.h"

namespace dralun {
namespace {

using D = CTimeCoefficientDlg;

class TimeCoefficient : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    std::string Row(int row) const // T and the four coefficients of a row (from 1)
    {
        std::string s = form.Text(D::kGrid[row - 1][0]);
        for (int k = 1; k <= D::kColumns; ++k)
            s += " " + form.Text(D::kGrid[row - 1][k]);
        return s;
    }
    CMessageLog log;
    D form{log};
};

TEST_F(TimeCoefficient, TheTableIsComputedWhenTheFormOpens)
{
    // (1/n^0.25 - 0.3684) * 38/(T + 9), n = 1, 0.5, 0.333, 0.2
    EXPECT_EQ(Row(1), "5 1.71434 2.22791 2.57315 3.05886");
    EXPECT_EQ(Row(11), "15 1.00003 1.29961 1.50101 1.78434");
    EXPECT_EQ(Row(16), "20 0.827614 1.07554 1.24221 1.47669");
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(TimeCoefficient, ANewFirstDurationShiftsTheWholeColumn)
{
    form.Type(D::kIdT1, "10");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kGrid[0][0]), "10");
    EXPECT_EQ(form.Text(D::kGrid[15][0]), "25");
    // n = 1: 0.6316 * 38 / (10 + 9)
    EXPECT_EQ(form.Text(D::kGrid[0][1]), "1.2632");
}

TEST_F(TimeCoefficient, FirstDurationAtOrBelowMinusNineIsRefused)
{
    for (const char* t : {"-9", "-20"}) {
        log.Clear();
        form.Type(D::kIdT1, t);
        form.Click(kIdOk);
        ASSERT_EQ(log.Texts().size(), 1u) << t;
        EXPECT_NE(log.Texts()[0].find("-9"), std::string::npos);
        for (int i = 0; i < D::kRows; ++i)
            for (int k = 1; k <= D::kColumns; ++k)
                ASSERT_EQ(form.Text(D::kGrid[i][k]), "0") << t;
    }
}

TEST_F(TimeCoefficient, AFrequencyOfZeroIsRefusedAndTheDurationsFollowT1)
{
    form.Type(D::kIdN2, "0");
    form.Type(D::kIdT1, "10");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.01 und 2 ein.");
    EXPECT_EQ(form.Text(D::kGrid[0][2]), "0");
    EXPECT_EQ(form.Text(D::kGrid[0][1]), "0");
    EXPECT_NE(form.Text(D::kGrid[1][0]), "0"); // T2 follows T1 = 10 min
}

TEST_F(TimeCoefficient, TheFormulaOnceForTheFirstDurationAndTheTableAsValues)
{
    // Four steps with the formula, then per further row its duration and four values.
    ASSERT_EQ(form.Steps().size(), 4u + 15 * 5);
    const CalcStep& first = form.Steps()[0];
    EXPECT_EQ(first.symbol, "phi1_1");
    EXPECT_EQ(first.formula, "(1 / n1^0.25 - 0.3684) * 38 / (T1 + 9)");
    EXPECT_NEAR(first.value, 0.6316 * 38 / 14, 1e-15);
    EXPECT_EQ(StepExpr(form.Steps()[3]), "(1 / 0.200000002980232^0.25 - 0.3684) * 38 / (5 + 9)"); // n4 in single precision
    EXPECT_EQ(test::StepOf(form, "T16")->value, 20);
    EXPECT_NEAR(test::StepOf(form, "phi16_1")->value, 0.6316 * 38 / 29, 1e-7);
    test::ExpectResultsAreSteps(form, 5e-6); // six digits shown
    EXPECT_NE(form.Method().find("φ = (1 / n^0.25 − 0.3684) · 38 / (T + 9)"), std::string::npos);
}

} // namespace
} // namespace dralun
