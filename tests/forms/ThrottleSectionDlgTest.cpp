#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/CDataDirectory.h"
#include "forms/CThrottleSectionDlg.h"
#include "testkit/FieldNumber.h"
#include "testkit/TempDataDir.h"
#include "testkit/TextLines.h"

namespace dralun {
namespace {

using test::Lines;

using D = CThrottleSectionDlg;

const char* const kCrown = " WSP unterschreitet Rohrscheitel + 0,05 m ";
const char* const kAbort = " IE wird <= 0  - Berechnung abgebrochen";

using test::FieldNumber;

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
        {D::kIdKb, "0.25"}, {D::kIdZeta, "0.45"}, {D::kIdMD, "1"}, {D::kIdDu, "200"},
        {D::kIdL, "4"},     {D::kIdI, "0"},       {D::kIdHRs, "0"}, {D::kIdHmax, "1"},
        {D::kIdV, "0"},     {D::kIdQ, "0"},       {D::kIdVa, "0"},
    };
    for (const auto& [id, text] : shown)
        EXPECT_EQ(form.Text(id), text) << id;
    EXPECT_FALSE(form.IsEnabled(D::kIdI));
    EXPECT_EQ(form.Type(D::kIdI, "3"), Refusal::Disabled);
    EXPECT_FALSE(dir.Exists("dump-DrosselA111.txt")); // nothing is computed before "Rechne"
}

TEST_F(ThrottleSectionDlgTest, DefaultsGiveVelocityAndDischarge)
{
    form.Click(kIdOk);
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 2.898, 0.0005);
    EXPECT_NEAR(FieldNumber(form, D::kIdQ), 0.0911, 0.00005);
    EXPECT_EQ(LineCount(dir.ReadText("dump-DrosselA111.txt")), 10u + 281u);
    EXPECT_FALSE(form.IsClosed());
    EXPECT_FALSE(form.IsEnabled(D::kIdI));
}

TEST_F(ThrottleSectionDlgTest, EnterComputesAndKeepsTheFormOpen)
{
    form.PressEnter();
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 2.898, 0.0005);
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
    form.Type(D::kIdHmax, GetParam().hmax);
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(), GetParam().messages);
    EXPECT_NEAR(FieldNumber(form, D::kIdV), GetParam().v, 0.0000005);
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
    form.Type(D::kIdHmax, "0.2");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdV), "0");
    EXPECT_EQ(form.Text(D::kIdQ), "0");
}

TEST_F(ThrottleSectionDlgTest, OutOfRangeDiameterIsReportedAndNotComputed)
{
    form.Type(D::kIdDu, "40");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 50 und 600 ein.");
    EXPECT_EQ(form.Text(D::kIdDu), "40");
    EXPECT_EQ(form.Text(D::kIdV), "0");
}

TEST_F(ThrottleSectionDlgTest, TheResultsAreTheValuesOfTheLastSteps)
{
    form.Click(kIdOk);
    ASSERT_FALSE(form.Steps().empty());
    EXPECT_EQ(form.Steps().back().symbol, "Q");
    EXPECT_EQ(form.Steps().back().value, form.Value(D::kIdQ));
    double v = 0;
    for (const CalcStep& step : form.Steps())
        if (step.symbol == "v")
            v = step.value;
    EXPECT_EQ(v, form.Value(D::kIdV));
    // A computation that finds no step leaves no steps of the one before.
    form.Type(D::kIdHmax, "0.2");
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
        form.Type(D::kIdHmax, level);
        form.Click(kIdOk);
        EXPECT_TRUE(form.RefusedWhole()) << level;
        EXPECT_NE(form.RefusedBecause().find("keine Fließgeschwindigkeit bestimmbar"), std::string::npos)
            << form.RefusedBecause();
        EXPECT_FALSE(log.Texts().empty());
        EXPECT_EQ(form.Text(D::kIdV), "0");
    }
}

struct Refused {
    int id;
    const char* text;
    const char* messagePart;
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
    EXPECT_EQ(form.Text(D::kIdV), "0");
    EXPECT_EQ(form.Text(D::kIdQ), "0");
    ASSERT_EQ(log.Texts().size(), 1u); // the range message, one per fault
    EXPECT_NE(form.RefusedBecause().find(GetParam().messagePart), std::string::npos) << form.RefusedBecause();
}

INSTANTIATE_TEST_SUITE_P(Inputs, ThrottleSectionDlgRefuses,
                         ::testing::Values(Refused{D::kIdDu, "0", "Drosseldurchmesser"},
                                           Refused{D::kIdL, "0", "Drossellänge"},
                                           Refused{D::kIdL, "-2", "Drossellänge"}, Refused{D::kIdKb, "-0.5", "kb"}));

// ---- the dump file ------------------------------------------------------------

// The head of dump-DrosselA111.txt, typed out line by line.
const char* const kHeader =
    "dump-DrosselA_111.txt Drosselberechnung nach A 111 \n"
    " \n"
    "vu = geschätzte Fließgeschwindigkeit des Wasserstrahls im Ausströmbereich der Drossel \n"
    "v  = Fließgeschwindigkeit nach Prandtl-Colebrook \n"
    "Die Iteration ist abgeschlossen, wenn vu und v etwa gleich groß sind und die Ernergiebilanz stimmt. \n"
    " \n"
    "Anfangswert vu(Anfang) =    0.100 \n"
    "\n"
    "Die Schrittweite wird mit 0.01 gewählt. \n"
    " \n";

ThrottleInput AtLevel(double maxLevel, double L = 4.0)
{
    ThrottleInput in;
    in.maxLevel = maxLevel;
    in.L = L;
    return in;
}

TEST(ThrottleDumpFile, HoldsTheHeaderAndOneLinePerStep)
{
    test::TempDataDir dir;
    ASSERT_TRUE(D::WriteDumpFile(ComputeThrottleSection(ThrottleInput{})));
    const std::string text = dir.ReadText(D::kDumpFile);
    ASSERT_EQ(text.substr(0, std::string(kHeader).size()), kHeader);
    const std::vector<std::string> steps = Lines(text.substr(std::string(kHeader).size()));
    ASSERT_EQ(steps.size(), 281u);
    // First step by hand: E1 - E2 = 1 - 0.45*0.01/2g - 0.2 - 0.01/2g, IE = that / 4,
    // s = sqrt(2 g 0.2 IE) = 0.8860, v = -2 log10(2.51 nu/d/s + 0.25e-3/3.71/0.2) s = 6.107.
    EXPECT_EQ(steps[0], "vu =  0.100  v =  6.107");
    EXPECT_EQ(steps[1], "vu =  0.110  v =  6.107");
    EXPECT_EQ(steps[279], "vu =  2.890  v =  2.898");
    EXPECT_EQ(steps[280], "vu =  2.900  v =  2.864");
    EXPECT_EQ(text.back(), '\n');
}

TEST(ThrottleDumpFile, EveryComputationWritesTheFileAnew)
{
    test::TempDataDir dir;
    dir.Write(D::kDumpFile, std::string(50000, 'x'));
    CMessageLog log;
    CThrottleSectionDlg form(log);
    form.Open();
    form.Type(D::kIdHmax, "0.2"); // at the outlet level: stops at the first step
    form.Click(kIdOk);
    EXPECT_EQ(dir.ReadText(D::kDumpFile), kHeader);
}

TEST(ThrottleDumpFile, AbortAfterSomeStepsAndAllThousandSteps)
{
    test::TempDataDir dir;
    // 1 cm above the outlet level, 0.1 m long: the energy runs out after 27 steps.
    D::WriteDumpFile(ComputeThrottleSection(AtLevel(0.21, 0.1)));
    EXPECT_EQ(Lines(dir.ReadText(D::kDumpFile)).size(), 10u + 27u);
    D::WriteDumpFile(ComputeThrottleSection(AtLevel(100)));
    const std::vector<std::string> lines = Lines(dir.ReadText(D::kDumpFile));
    ASSERT_EQ(lines.size(), 10u + 1000u);
    EXPECT_EQ(lines.back(), "vu = 10.090  v = 66.022");
}

// Where writes go nowhere the dump is skipped; so it is without a data directory.
TEST(ThrottleDumpFile, IsSkippedWhereWritesGoNowhere)
{
    test::TempDataDir dir;
    const ThrottleResult r = ComputeThrottleSection(AtLevel(3.0));
    {
        const CDiscardWrites discard;
        EXPECT_FALSE(D::WriteDumpFile(r));
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / D::kDumpFile));
    }
    const std::string missing = (dir.Path() / "fehlt").string();
    setenv("DRALUN_DATA_DIR", missing.c_str(), 1);
    EXPECT_FALSE(D::WriteDumpFile(r));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// ---- the messages of a result -------------------------------------------------

TEST(ThrottleMessages, TheLastOneSaysWhyThereIsNoResult)
{
    EXPECT_TRUE(D::Messages(ComputeThrottleSection(ThrottleInput{})).empty());
    EXPECT_EQ(D::Messages(ComputeThrottleSection(AtLevel(0.21, 0.1))),
              (std::vector<std::string>{kCrown, kAbort}));
    for (double level : {1e24, 1e100, 1e300}) {
        const std::vector<std::string> messages = D::Messages(ComputeThrottleSection(AtLevel(level)));
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back(), D::kNoStepWarning);
    }
}

// Inputs without a friction law give no steps, one message and the head of
// the dump alone.
struct RefusedInput {
    double du, L, kb;
    ThrottleStatus status; // Ok: the search stops at its first step
    const char* messagePart;
};

class ThrottleRefusedInputs : public ::testing::TestWithParam<RefusedInput> {};

TEST_P(ThrottleRefusedInputs, OneMessageAndTheHeadAlone)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.du = GetParam().du;
    in.L = GetParam().L;
    in.kb = GetParam().kb;
    const ThrottleResult r = ComputeThrottleSection(in);
    EXPECT_EQ(r.status, GetParam().status);
    if (GetParam().status == ThrottleStatus::Ok) {
        EXPECT_EQ(r.end, ThrottleSearchEnd::NoVelocity);
    }
    EXPECT_TRUE(r.steps.empty());
    EXPECT_EQ(r.best, -1);
    EXPECT_EQ(r.v, 0.0);
    EXPECT_EQ(r.Q, 0.0);
    const std::vector<std::string> messages = D::Messages(r);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(GetParam().messagePart), std::string::npos) << messages[0];
    D::WriteDumpFile(r);
    EXPECT_EQ(dir.ReadText(D::kDumpFile), kHeader);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ThrottleRefusedInputs,
    ::testing::Values(RefusedInput{0, 4, 0.25, ThrottleStatus::DiameterNotPositive, "Drosseldurchmesser"},
                      RefusedInput{-200, 4, 0.25, ThrottleStatus::DiameterNotPositive, "Drosseldurchmesser"},
                      RefusedInput{200, 0, 0.25, ThrottleStatus::LengthNotPositive, "Drossellänge"},
                      RefusedInput{200, -4, 0.25, ThrottleStatus::LengthNotPositive, "Drossellänge"},
                      RefusedInput{200, 4, -0.1, ThrottleStatus::RoughnessNegative, "kb"},
                      // a length of 1e-320 m: IE overflows, v has no value
                      RefusedInput{200, 1e-320, 0, ThrottleStatus::Ok, "nicht bestimmbar"}));

} // namespace
} // namespace dralun
