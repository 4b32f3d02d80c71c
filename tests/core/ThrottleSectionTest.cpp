#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/CThrottleSection.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

TEST(ThrottleSection, DefaultsStopAtTheStepWhereVFallsBelowVu)
{
    test::TempDataDir dir;
    const ThrottleResult r = ComputeThrottleSection(ThrottleInput{});
    // Crown check 0 + 0.2 + 0 + 0.05 <= 1.0 passes; the friction law falls
    // below the estimate at vu = 2.90 (v = 2.864), the step before is closest.
    EXPECT_EQ(r.status, ThrottleStatus::Ok);
    EXPECT_FALSE(r.belowCrown);
    EXPECT_EQ(r.end, ThrottleSearchEnd::Crossed);
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
    const ThrottleResult r = ComputeThrottleSection(in);
    EXPECT_EQ(r.status, ThrottleStatus::Ok);
    EXPECT_EQ(r.belowCrown, GetParam().crown);
    EXPECT_EQ(r.end == ThrottleSearchEnd::NoEnergy, GetParam().abort);
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
    const ThrottleResult r = ComputeThrottleSection(in);
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
    const ThrottleResult r = ComputeThrottleSection(in);
    // E1 - E2 = 0.01 - 1.45 vu²/2g > 0 only for vu < 0.3678: steps 0.10 ... 0.36.
    ASSERT_EQ(r.steps.size(), 27u);
    EXPECT_TRUE(r.belowCrown);
    EXPECT_EQ(r.end, ThrottleSearchEnd::NoEnergy);
    EXPECT_EQ(r.best, 26);
    EXPECT_NEAR(r.v, 0.854176, 0.0000005);
    EXPECT_NEAR(r.Q, 0.0268347, 0.00000005);
}

TEST(ThrottleSection, ThousandStepsWithoutCrossingAreAllSearched)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.maxLevel = 100;
    const ThrottleResult r = ComputeThrottleSection(in);
    ASSERT_EQ(r.steps.size(), 1000u);
    EXPECT_NEAR(r.steps.back().vu, 0.1 + 999 * 0.01, 1e-9);
    EXPECT_EQ(r.best, 999);
    EXPECT_EQ(r.end, ThrottleSearchEnd::AllSteps);
    EXPECT_NEAR(r.steps.back().v, 66.022, 0.0005);
}

// A basin level so high that v stays more than 1e12 m/s above every
// estimate: no step is taken after all 1000 steps.
TEST(ThrottleSection, LevelsBeyondAnyEstimateGiveNoStepAndSayWhy)
{
    test::TempDataDir dir;
    for (double level : {1e24, 1e100, 1e300}) {
        ThrottleInput in;
        in.maxLevel = level;
        const ThrottleResult r = ComputeThrottleSection(in);
        EXPECT_EQ(r.best, -1) << level;
        EXPECT_EQ(r.v, 0);
        EXPECT_EQ(r.end, ThrottleSearchEnd::AllSteps);
    }
}

struct ClosestCase {
    std::vector<ThrottleStep> steps;
    int best;
};

class ThrottleClosest : public ::testing::TestWithParam<ClosestCase> {};

TEST_P(ThrottleClosest, FirstSmallestDifferenceWins)
{
    EXPECT_EQ(ClosestThrottleStep(GetParam().steps), GetParam().best);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ThrottleClosest,
    ::testing::Values(ClosestCase{{}, -1}, ClosestCase{{{0.1, 0.3}}, 0},
                      // |0.2| then |0.1| twice: the earlier of the two ties
                      ClosestCase{{{0.1, 0.3}, {0.2, 0.3}, {0.4, 0.3}, {0.5, 0.9}}, 1},
                      ClosestCase{{{1.0, 0.5}, {2.0, 2.5}, {3.0, 2.0}}, 0},
                      // differences of 1e12 and more are never taken
                      ClosestCase{{{0.1, 2e12}, {0.2, 1e12 + 0.2}}, -1}, ClosestCase{{{0.1, 2e12}, {0.2, 5e11}}, 1}));

// ---- calculation steps --------------------------------------------------------

const CalcStep* FindStep(const CSteps& steps, const std::string& symbol)
{
    for (const CalcStep& step : steps.Steps())
        if (step.symbol == symbol)
            return &step;
    return nullptr;
}

double StepValue(const CSteps& steps, const std::string& symbol)
{
    const CalcStep* step = FindStep(steps, symbol);
    return step ? step->value : std::nan("");
}

TEST(ThrottleSteps, DefaultsGiveTheEnergyBalanceOfTheStepTaken)
{
    test::TempDataDir dir;
    CSteps steps;
    const ThrottleResult r = ComputeThrottleSection(ThrottleInput{}, steps);
    // By hand for vu = 2.89: h_zeta = 0.45 vu² / 2g, E1 = 1 - h_zeta,
    // E2 = 0.2 + vu² / 2g, IE = (E1 - E2) / 4, s = sqrt(2g 0.2 IE),
    // x = 2.51 nu / (0.2 s) + 0.25e-3 / (3.71 * 0.2), v = -2 log10(x) s.
    const struct {
        const char* symbol;
        double value, tolerance;
    } expected[] = {
        {"d", 0.2, 1e-15},          {"H_S", 0.25, 1e-15},       {"h_va", 0, 0},
        {"E0", 1, 0},               {"n_S", 281, 0},            {"k", 280, 0},
        {"vu", 2.89, 1e-9},         {"h_zeta", 0.19162737, 1e-8}, {"E1", 0.80837263, 1e-8},
        {"W_A", 0.2, 1e-15},        {"h_vu", 0.42583859, 1e-8}, {"E2", 0.62583859, 1e-8},
        {"IE", 0.045633511, 1e-9},  {"s", 0.42308953, 1e-8},    {"x", 0.00037578543, 1e-11},
        {"v", 2.8982141, 1e-7},     {"dv", 0.0082141, 1e-7},    {"vu_davor", 2.88, 1e-9},
        {"vu_danach", 2.90, 1e-9},  {"v_danach", 2.864, 0.0005}, {"Q", 0.09105008, 1e-8},
    };
    for (const auto& e : expected)
        EXPECT_NEAR(StepValue(steps, e.symbol), e.value, e.tolerance) << e.symbol;
    EXPECT_EQ(StepValue(steps, "v"), r.v);
    EXPECT_EQ(StepValue(steps, "Q"), r.Q);
}

struct NeighbourCase {
    double maxLevel, L;
    bool before, after;
    const char* end; // in the text of the step count
};

class ThrottleNeighbours : public ::testing::TestWithParam<NeighbourCase> {};

TEST_P(ThrottleNeighbours, OnlyStepsThatRanAreShown)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.maxLevel = GetParam().maxLevel;
    in.L = GetParam().L;
    CSteps steps;
    const ThrottleResult recorded = ComputeThrottleSection(in, steps);
    const ThrottleResult plain = ComputeThrottleSection(in);
    // The report leaves the search alone.
    EXPECT_EQ(recorded.steps.size(), plain.steps.size());
    EXPECT_EQ(recorded.best, plain.best);
    EXPECT_EQ(recorded.v, plain.v);
    EXPECT_EQ(FindStep(steps, "vu_davor") != nullptr, GetParam().before);
    EXPECT_EQ(FindStep(steps, "vu_danach") != nullptr, GetParam().after);
    ASSERT_NE(FindStep(steps, "n_S"), nullptr);
    EXPECT_NE(FindStep(steps, "n_S")->text.find(GetParam().end), std::string::npos) << FindStep(steps, "n_S")->text;
}

// 0.24 m: step 55 of 56 taken; 100 m: all 1000 steps, the last one taken;
// L = 0.1 m at 0.21 m: the energy runs out after 27 steps, the last one taken.
INSTANTIATE_TEST_SUITE_P(Searches, ThrottleNeighbours,
                         ::testing::Values(NeighbourCase{0.24, 4, true, true, "v unter vu"},
                                           NeighbourCase{100, 4, true, false, "Höchstzahl"},
                                           NeighbourCase{0.21, 0.1, true, false, "IE ≤ 0"}));

TEST(ThrottleSteps, NoStepTakenRecordsNothing)
{
    test::TempDataDir dir;
    ThrottleInput in;
    in.maxLevel = 0.2;
    CSteps steps;
    ComputeThrottleSection(in, steps);
    EXPECT_TRUE(steps.Steps().empty());
}

TEST(ThrottleSection, WithoutDataDirectoryTheComputationRuns)
{
    test::TempDataDir dir;
    const std::string missing = (dir.Path() / "fehlt").string();
    setenv("DRALUN_DATA_DIR", missing.c_str(), 1);
    const ThrottleResult r = ComputeThrottleSection(ThrottleInput{});
    EXPECT_EQ(r.steps.size(), 281u);
    EXPECT_NEAR(r.v, 2.898, 0.0005);
}

} // namespace
} // namespace dralun
