#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "forms/CThrottleSectionDlg.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

const char* const kCrown = " WSP unterschreitet Rohrscheitel + 0,05 m ";
const char* const kAbort = " IE wird <= 0  - Berechnung abgebrochen";

double Number(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

size_t LineCount(const std::string& text)
{
    size_t n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

class ThrottleSectionDlgTest : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    test::TempDataDir dir;
    CMessageLog log;
    CThrottleSectionDlg form{log};
};

TEST_F(ThrottleSectionDlgTest, OpensWithDefaultsAndTheSlopeDisabled)
{
    const std::vector<std::pair<int, const char*>> shown = {
        {1000, "0.25"}, {1001, "0.45"}, {1002, "1"}, {1003, "200"}, {1004, "4"}, {1005, "0"},
        {1006, "0"},    {1013, "1"},    {1014, "0"}, {1015, "0"},   {1016, "0"},
    };
    for (const auto& [id, text] : shown)
        EXPECT_EQ(form.Text(id), text) << id;
    EXPECT_FALSE(form.IsEnabled(1005));
    EXPECT_EQ(form.Type(1005, "3"), Refusal::Disabled);
    EXPECT_FALSE(dir.Exists("dump-DrosselA111.txt")); // nothing is computed before "Rechne"
}

TEST_F(ThrottleSectionDlgTest, DefaultsGiveVelocityAndDischarge)
{
    form.Click(kIdOk);
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_NEAR(Number(form, 1014), 2.898, 0.0005);
    EXPECT_NEAR(Number(form, 1015), 0.0911, 0.00005);
    EXPECT_EQ(LineCount(dir.ReadText("dump-DrosselA111.txt")), 10u + 281u);
    EXPECT_FALSE(form.IsClosed());
    EXPECT_FALSE(form.IsEnabled(1005));
}

TEST_F(ThrottleSectionDlgTest, EnterComputesAndKeepsTheFormOpen)
{
    form.PressEnter();
    EXPECT_NEAR(Number(form, 1014), 2.898, 0.0005);
    EXPECT_FALSE(form.IsClosed());
}

struct LevelCase {
    const char* hmax;
    std::vector<std::string> messages;
    double v;
};

class ThrottleSectionDlgLevels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(ThrottleSectionDlgLevels, WarningsOncePerComputation)
{
    test::TempDataDir dir;
    CMessageLog log;
    CThrottleSectionDlg form(log);
    form.Open();
    form.Type(1013, GetParam().hmax);
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(), GetParam().messages);
    EXPECT_NEAR(Number(form, 1014), GetParam().v, 0.0000005);
    // A second computation warns again, once.
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts().size(), 2 * GetParam().messages.size());
}

// 0.24 m lies below crown + freeboard (0.25 m) but above the outlet level (0.2 m).
INSTANTIATE_TEST_SUITE_P(Levels, ThrottleSectionDlgLevels,
                         ::testing::Values(LevelCase{"1.0", {}, 2.8982141}, LevelCase{"0.24", {kCrown}, 0.643625},
                                           LevelCase{"0.2", {kCrown, kAbort}, 0.0},
                                           LevelCase{"-1", {kCrown, kAbort}, 0.0}));

TEST_F(ThrottleSectionDlgTest, AbortAtTheFirstStepLeavesZero)
{
    form.Click(kIdOk); // results from the defaults first
    form.Type(1013, "0.2");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1014), "0");
    EXPECT_EQ(form.Text(1015), "0");
}

TEST_F(ThrottleSectionDlgTest, OutOfRangeDiameterIsReportedAndNotComputed)
{
    form.Type(1003, "40");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 50 und 600 ein.");
    EXPECT_EQ(form.Text(1003), "40");
    EXPECT_EQ(form.Text(1014), "0");
}

TEST_F(ThrottleSectionDlgTest, TheResultsAreTheValuesOfTheLastSteps)
{
    form.Click(kIdOk);
    ASSERT_FALSE(form.Steps().empty());
    EXPECT_EQ(form.Steps().back().symbol, "Q");
    EXPECT_EQ(form.Steps().back().value, form.Value(1015));
    double v = 0;
    for (const CalcStep& step : form.Steps())
        if (step.symbol == "v")
            v = step.value;
    EXPECT_EQ(v, form.Value(1014));
    // A computation that finds no step leaves no steps of the one before.
    form.Type(1013, "0.2");
    form.Click(kIdOk);
    EXPECT_TRUE(form.Steps().empty());
    EXPECT_EQ(form.ComputationMessages(), (std::vector<std::string>{kCrown, kAbort}));
}

// A basin level of 1e24 m and more leaves no usable step: the form refuses
// with the reason instead of showing v = 0 and Q = 0 as results.
TEST_F(ThrottleSectionDlgTest, LevelBeyondAnyEstimateIsRefused)
{
    for (const char* level : {"1e24", "1e300"}) {
        log.Clear();
        form.Type(1013, level);
        form.Click(kIdOk);
        EXPECT_TRUE(form.RefusedWhole()) << level;
        EXPECT_NE(form.RefusedBecause().find("keine Fließgeschwindigkeit bestimmbar"), std::string::npos)
            << form.RefusedBecause();
        EXPECT_FALSE(log.Texts().empty());
        EXPECT_EQ(form.Text(1014), "0");
    }
}

struct Refused {
    int id;
    const char* text;
    const char* part;
};

class ThrottleSectionDlgRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(ThrottleSectionDlgRefuses, NoDivisionByZero)
{
    test::TempDataDir dir;
    CMessageLog log;
    CThrottleSectionDlg form(log);
    form.Open();
    form.Click(kIdOk);
    form.Type(GetParam().id, GetParam().text);
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1014), "0");
    EXPECT_EQ(form.Text(1015), "0");
    ASSERT_EQ(log.Texts().size(), 1u); // the range message, one per fault
    EXPECT_NE(form.RefusedBecause().find(GetParam().part), std::string::npos) << form.RefusedBecause();
}

INSTANTIATE_TEST_SUITE_P(Inputs, ThrottleSectionDlgRefuses,
                         ::testing::Values(Refused{1003, "0", "Drosseldurchmesser"},
                                           Refused{1004, "0", "Drossellänge"}, Refused{1004, "-2", "Drossellänge"},
                                           Refused{1000, "-0.5", "kb"}));

} // namespace
} // namespace dralun
