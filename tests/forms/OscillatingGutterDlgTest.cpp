#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/COscillatingGutterDlg.h"

namespace dralun {
namespace {

using G = COscillatingGutterDlg;
using Shown = std::vector<std::pair<int, const char*>>;

void ExpectShown(const CForm& form, const Shown& shown)
{
    for (const auto& [id, text] : shown)
        EXPECT_EQ(form.Text(id), text) << id;
}

class OscillatingGutterDlgTest : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    COscillatingGutterDlg form{log};
};

TEST_F(OscillatingGutterDlgTest, OpensWithDefaultsAndNoResults)
{
    ExpectShown(form, {{G::kIdSf, "0.1"},
                       {G::kIdSmin, "0.5"},
                       {G::kIdQH, "2.5"},
                       {G::kIdQT, "10"},
                       {G::kIdB, "0.5"},
                       {G::kIdQs, "0.11"}});
    for (int id : {G::kIdL1, G::kIdL2, G::kIdQzuL1, G::kIdQzuL2, G::kIdQtmin, G::kIdDhh, G::kIdDht, G::kIdL})
        EXPECT_EQ(form.Text(id), "0") << id;
}

TEST_F(OscillatingGutterDlgTest, DefaultsAtSixDigits)
{
    form.Click(kIdOk);
    ExpectShown(form, {{G::kIdL1, "6.25"},
                       {G::kIdL2, "9.375"},
                       {G::kIdL, "15.625"},
                       {G::kIdQzuL1, "0.6875"},
                       {G::kIdQzuL2, "1.03125"},
                       {G::kIdQtmin, "3.75424"},
                       {G::kIdDhh, "1.25"},
                       {G::kIdDht, "5"}});
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(OscillatingGutterDlgTest, InputsAreRoundedToSinglePrecision)
{
    form.Type(G::kIdQs, "0.123456789");
    form.Type(G::kIdB, " 0.5 ");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(G::kIdQs), "0.123457");
    EXPECT_EQ(form.Text(G::kIdB), "0.5");
}

TEST_F(OscillatingGutterDlgTest, RangeMessageShowsSingleBounds)
{
    form.Type(G::kIdQs, "0.00001");
    form.Click(kIdOk);
    ASSERT_FALSE(log.Texts().empty());
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.0001 und 1 ein.");
    EXPECT_EQ(form.Text(G::kIdQs), "1e-05");
}

TEST_F(OscillatingGutterDlgTest, CrossFallsTheWrongWayRoundLeaveQtminOpen)
{
    form.Type(G::kIdQT, "2");
    form.Click(kIdOk);
    // dh = (0.02 - 0.025) 0.5 = -0.0025 m: negative lengths and inflows, as computed.
    ExpectShown(form, {{G::kIdL1, "-0.416667"}, {G::kIdL2, "-0.625"}, {G::kIdL, "-1.04167"}, {G::kIdQtmin, "-"}});
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_NE(log.Texts()[0].find("L2 ist negativ"), std::string::npos) << log.Texts()[0];
    EXPECT_NE(log.Texts()[0].find("qtmin < qT"), std::string::npos) << log.Texts()[0];
    form.Click(kIdOk); // the "-" is no input error: one message per computation
    EXPECT_EQ(log.Texts().size(), 2u);
}

TEST_F(OscillatingGutterDlgTest, QtminNotBelowQTIsWarned)
{
    // b = 0.1, qs = 1: dh = 0.0075, L2 = 1.875 m, qtmin = (0.001 1.875 / (22 0.1^2.6667 0.0707))^0.6 = 70.58 %.
    form.Type(G::kIdB, "0.1");
    form.Type(G::kIdQs, "1");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(G::kIdQtmin), "70.5759");
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0],
              "Die Bedingung qtmin < qT ist nicht eingehalten:\nqtmin = 70.5759 % ist nicht kleiner als qT = 10 %.");
}

TEST_F(OscillatingGutterDlgTest, WidthOutOfRangeIsRefusedWithOneMessage)
{
    form.Type(G::kIdB, "0");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.1 und 2 ein.");
    EXPECT_EQ(form.Text(G::kIdQtmin), "0");
    EXPECT_NE(form.RefusedBecause().find("außerhalb des zulässigen Bereichs 0.1 bis 2"), std::string::npos);
}

TEST_F(OscillatingGutterDlgTest, EnterComputes)
{
    form.PressEnter();
    EXPECT_EQ(form.Text(G::kIdL), "15.625");
    EXPECT_FALSE(form.IsClosed());
}

} // namespace
} // namespace dralun
