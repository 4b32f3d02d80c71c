#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "core/CThrottleSection.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

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

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(ThrottleSection, DefaultsStopAtTheStepWhereVFallsBelowVu)
{
    test::TempDataDir dir;
    const ThrottleResult r = CThrottleSection::Compute(ThrottleInput{});
    // Crown check 0 + 0.2 + 0 + 0.05 <= 1.0 passes; the friction law falls
    // below the estimate at vu = 2.90 (v = 2.864), the step before is closest.
    EXPECT_TRUE(r.warnings.empty());
    ASSERT_EQ(r.steps.size(), 281u);
    EXPECT_NEAR(r.steps.front().vu, 0.100, 1e-12);
    EXPECT_NEAR(r.steps.back().vu, 2.900, 1e-9);
    EXPECT_NEAR(r.steps.back().v, 2.864, 0.0005);
    EXPECT_EQ(r.best, 279);
    EXPECT_NEAR(r.steps[279].vu, 2.89, 1e-9);
    EXPECT_NEAR(r.v, 2.898, 0.0005);
    EXPECT_NEAR(r.Q, 0.0911, 0.00005);
    EXPECT_NEAR(r.Q, r.v * 3.141592654 * 0.2 * 0.2 / 4, 1e-15);
}

TEST(ThrottleSection, DumpFileHoldsTheHeaderAndOneLinePerStep)
{
    test::TempDataDir dir;
    CThrottleSection::Compute(ThrottleInput{});
    const std::string text = dir.Read(CThrottleSection::kDumpFile);
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

TEST(ThrottleSection, EveryComputationWritesTheFileAnew)
{
    test::TempDataDir dir;
    dir.Write(CThrottleSection::kDumpFile, std::string(50000, 'x'));
    ThrottleInput in;
    in.maxLevel = 0.2; // at the outlet level: stops at the first step
    CThrottleSection::Compute(in);
    EXPECT_EQ(dir.Read(CThrottleSection::kDumpFile), kHeader);
}

struct LevelCase {
    double maxLevel;
    bool crown;
    bool abort;
    size_t steps;
};

class ThrottleLevels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(ThrottleLevels, CrownAndEnergyChecks)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.maxLevel = GetParam().maxLevel;
    const ThrottleResult r = CThrottleSection::Compute(in);
    std::vector<std::string> expected;
    if (GetParam().crown)
        expected.push_back(" WSP unterschreitet Rohrscheitel + 0,05 m ");
    if (GetParam().abort)
        expected.push_back(" IE wird <= 0  - Berechnung abgebrochen");
    EXPECT_EQ(r.warnings, expected);
    EXPECT_EQ(r.steps.size(), GetParam().steps);
    if (r.steps.empty()) {
        EXPECT_EQ(r.best, -1);
        EXPECT_EQ(r.v, 0.0);
        EXPECT_EQ(r.Q, 0.0);
    } else {
        EXPECT_GT(r.v, 0.0);
    }
}

// Crown + freeboard is 0 + 0.2 + 0 + 0.05 = 0.25 m; the outlet level mD d is 0.2 m.
INSTANTIATE_TEST_SUITE_P(Levels, ThrottleLevels,
                         ::testing::Values(LevelCase{1.0, false, false, 281}, LevelCase{0.25, false, false, 63},
                                           LevelCase{0.24, true, false, 56}, LevelCase{0.2, true, true, 0},
                                           LevelCase{0.1, true, true, 0}));

TEST(ThrottleSection, LowLevelStillFindsTheClosestStep)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.maxLevel = 0.24;
    const ThrottleResult r = CThrottleSection::Compute(in);
    EXPECT_EQ(r.best, 54);
    EXPECT_NEAR(r.steps[54].vu, 0.64, 1e-9);
    EXPECT_NEAR(r.v, 0.643625, 0.0000005);
    EXPECT_NEAR(r.Q, 0.0202201, 0.00000005);
}

TEST(ThrottleSection, AbortAfterSomeStepsKeepsThemForTheSearch)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.maxLevel = 0.21; // 1 cm above the outlet level mD d = 0.2 m
    in.L = 0.1;         // short enough that v stays above vu until the energy runs out
    const ThrottleResult r = CThrottleSection::Compute(in);
    // E1 - E2 = 0.01 - 1.45 vu²/2g > 0 only for vu < 0.3678: steps 0.10 ... 0.36.
    ASSERT_EQ(r.steps.size(), 27u);
    const std::vector<std::string> expected = {CThrottleSection::kCrownWarning, CThrottleSection::kAbortWarning};
    EXPECT_EQ(r.warnings, expected);
    EXPECT_EQ(r.best, 26);
    EXPECT_NEAR(r.v, 0.854176, 0.0000005);
    EXPECT_NEAR(r.Q, 0.0268347, 0.00000005);
    EXPECT_EQ(Lines(dir.Read(CThrottleSection::kDumpFile)).size(), 10u + 27u);
}

TEST(ThrottleSection, ThousandStepsWithoutCrossingAreAllSearched)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.maxLevel = 100;
    const ThrottleResult r = CThrottleSection::Compute(in);
    ASSERT_EQ(r.steps.size(), 1000u);
    EXPECT_NEAR(r.steps.back().vu, 0.1 + 999 * 0.01, 1e-9);
    EXPECT_EQ(r.best, 999);
    const std::vector<std::string> lines = Lines(dir.Read(CThrottleSection::kDumpFile));
    ASSERT_EQ(lines.size(), 10u + 1000u);
    EXPECT_EQ(lines.back(), "vu = 10.090  v = 66.022");
}

struct ClosestCase {
    std::vector<ThrottleStep> steps;
    int best;
};

class ThrottleClosest : public ::testing::TestWithParam<ClosestCase> {};

TEST_P(ThrottleClosest, FirstSmallestDifferenceWins)
{
    EXPECT_EQ(CThrottleSection::ClosestStep(GetParam().steps), GetParam().best);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ThrottleClosest,
    ::testing::Values(ClosestCase{{}, -1}, ClosestCase{{{0.1, 0.3}}, 0},
                      // |0.2| then |0.1| twice: the earlier of the two ties
                      ClosestCase{{{0.1, 0.3}, {0.2, 0.3}, {0.4, 0.3}, {0.5, 0.9}}, 1},
                      ClosestCase{{{1.0, 0.5}, {2.0, 2.5}, {3.0, 2.0}}, 0},
                      // differences of 1e12 and more are never taken
                      ClosestCase{{{0.1, 2e12}, {0.2, 1e12 + 0.2}}, -1}, ClosestCase{{{0.1, 2e12}, {0.2, 5e11}}, 1}));

struct RefusedInput {
    double du, L, kb;
    const char* part;
};

class ThrottleRefuses : public ::testing::TestWithParam<RefusedInput> {};

TEST_P(ThrottleRefuses, InputsWithoutAFrictionLawGiveNoSteps)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.du = GetParam().du;
    in.L = GetParam().L;
    in.kb = GetParam().kb;
    const ThrottleResult r = CThrottleSection::Compute(in);
    EXPECT_TRUE(r.steps.empty());
    EXPECT_EQ(r.v, 0.0);
    EXPECT_EQ(r.Q, 0.0);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find(GetParam().part), std::string::npos) << r.warnings[0];
    EXPECT_EQ(dir.Read(CThrottleSection::kDumpFile), kHeader);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ThrottleRefuses,
                         ::testing::Values(RefusedInput{0, 4, 0.25, "Drosseldurchmesser"},
                                           RefusedInput{-200, 4, 0.25, "Drosseldurchmesser"},
                                           RefusedInput{200, 0, 0.25, "Drossellänge"},
                                           RefusedInput{200, -4, 0.25, "Drossellänge"},
                                           RefusedInput{200, 4, -0.1, "kb"},
                                           RefusedInput{200, 1e-320, 0, "nicht bestimmbar"}));

TEST(ThrottleSection, WithoutDataDirectoryTheComputationRuns)
{
    test::TempDataDir dir;
    const std::string missing = (dir.Path() / "fehlt").string();
    setenv("DRALUN_DATA_DIR", missing.c_str(), 1);
    const ThrottleResult r = CThrottleSection::Compute(ThrottleInput{});
    EXPECT_EQ(r.steps.size(), 281u);
    EXPECT_NEAR(r.v, 2.898, 0.0005);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace dralun
