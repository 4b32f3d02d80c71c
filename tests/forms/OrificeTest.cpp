#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "ResultSteps.h"
#include "forms/COrificeDlg.h"
#include "testkit/FieldNumber.h"

namespace dralun {
namespace {

using test::FieldNumber;

class Orifice : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    COrificeDlg form{log};
};

TEST_F(Orifice, NothingIsComputedWhenTheFormOpens)
{
    EXPECT_EQ(form.Text(COrificeDlg::kIdQ), "50");
    EXPECT_EQ(form.Text(COrificeDlg::kIdH), "0.6");
    EXPECT_EQ(form.Text(COrificeDlg::kIdMu), "0.67");
    for (int id : {COrificeDlg::kIdA, COrificeDlg::kIdD, COrificeDlg::kIdV})
        EXPECT_EQ(form.Text(id), "0");
}

TEST_F(Orifice, DefaultsGiveVelocityAreaAndDiameter)
{
    form.Click(kIdOk);
    // v = sqrt(2 g 0.6) 0.67, A = 0.05 / v, d = 2 sqrt(A / pi)
    EXPECT_NEAR(FieldNumber(form, COrificeDlg::kIdV), 2.2984, 0.00005);
    EXPECT_NEAR(FieldNumber(form, COrificeDlg::kIdA), 0.021754, 0.0000005);
    EXPECT_NEAR(FieldNumber(form, COrificeDlg::kIdD), 0.16643, 0.000005);
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_FALSE(form.IsClosed());
}

TEST_F(Orifice, DoublingTheHeadScalesVelocityAndAreaByRootTwo)
{
    form.Click(kIdOk);
    const double v = FieldNumber(form, COrificeDlg::kIdV), a = FieldNumber(form, COrificeDlg::kIdA);
    form.Type(COrificeDlg::kIdH, "1.2");
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, COrificeDlg::kIdV), v * std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(FieldNumber(form, COrificeDlg::kIdA), a / std::sqrt(2.0), 1e-12);
}

// mu = 1.5 would give v = 1.5 sqrt(2 g h), faster than the free fall from h.
TEST_F(Orifice, CoefficientOutsideItsRangeIsReportedAndNotComputed)
{
    form.Type(COrificeDlg::kIdMu, "1.5");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0 und 1 ein.");
    EXPECT_EQ(form.Text(COrificeDlg::kIdMu), "1.5");
    EXPECT_EQ(form.Text(COrificeDlg::kIdV), "0");
    EXPECT_TRUE(form.Steps().empty());
}

// By hand: v0 = sqrt(2 * 9.80665 * 0.6), v = 0.67 v0, A = 0.05 / v,
// d = 2 sqrt(A / 3.141592654).
TEST_F(Orifice, StepsWorkedOutByHand)
{
    form.Click(kIdOk);
    const double A = 0.05 / (0.67 * std::sqrt(2 * 9.80665 * 0.6));
    const std::pair<const char*, double> values[] = {
        {"v_0", 3.430448950210453}, {"v", 2.298400796641004}, {"Q_s", 0.05},
        {"A", A},                   {"d", 2 * std::sqrt(A / 3.141592654)},
    };
    for (const auto& [symbol, value] : values) {
        const CalcStep* step = test::StepOf(form, symbol);
        ASSERT_NE(step, nullptr) << symbol;
        EXPECT_NEAR(step->value, value, 1e-12) << symbol;
    }
    EXPECT_EQ(test::StepOf(form, "d")->formula, "2 * sqrt(A / pi)");
    test::ExpectResultsAreSteps(form);
}

struct Refused {
    int id;
    const char* text;
    const char* messagePart;
};

class OrificeRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(OrificeRefuses, InputsWithoutAFiniteResultLeaveTheResultsAtZero)
{
    CMessageLog log;
    COrificeDlg form(log);
    form.Open();
    form.Click(kIdOk); // results from the defaults first
    form.Type(GetParam().id, GetParam().text);
    form.Click(kIdOk);
    for (int id : {COrificeDlg::kIdA, COrificeDlg::kIdD, COrificeDlg::kIdV})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_TRUE(form.Steps().empty());
    ASSERT_FALSE(log.Texts().empty());
    EXPECT_NE(form.RefusedBecause().find(GetParam().messagePart), std::string::npos) << form.RefusedBecause();
}

INSTANTIATE_TEST_SUITE_P(Inputs, OrificeRefuses,
                         ::testing::Values(Refused{COrificeDlg::kIdH, "0", "Druckhöhe"},
                                           Refused{COrificeDlg::kIdH, "-0.5", "Druckhöhe"},
                                           Refused{COrificeDlg::kIdMu, "0", "Ausflussbeiwert"},
                                           Refused{COrificeDlg::kIdMu, "-0.2", "Ausflussbeiwert"},
                                           Refused{COrificeDlg::kIdQ, "-5", "Drosselabfluss"},
                                           // 2 g h overflows: v is infinite, A and d come out 0
                                           Refused{COrificeDlg::kIdH, "1e308", "kein Ergebnis bestimmbar"}));

} // namespace
} // namespace dralun
