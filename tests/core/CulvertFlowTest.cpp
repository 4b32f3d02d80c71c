#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/CCulvertFlow.h"
#include "core/CulvertLevels.h"
#include "core/Format.h"

namespace dralun {
namespace {

// The value of the latest step of that symbol (NaN when there is none).
double StepValue(const CSteps& steps, const std::string& symbol)
{
    double value = std::nan("");
    for (const CalcStep& s : steps.Steps())
        if (s.symbol == symbol)
            value = s.value;
    return value;
}

struct Expected {
    const char* symbol;
    double value;
};

void ExpectSteps(const CSteps& steps, const std::vector<Expected>& expected, const char* what)
{
    for (const Expected& e : expected)
        EXPECT_NEAR(StepValue(steps, e.symbol), e.value, 1e-11 * std::max(1.0, std::fabs(e.value)))
            << what << ": " << e.symbol;
}

constexpr double kPi10 = 3.141592654;
constexpr double kTwoG = 2 * 9.80665;

TEST(CulvertFlowSteps, PipeDefaultsRunFull)
{
    // DN 400 without bed, water above the crown: the full circle, R = D/4.
    const double A = kPi10 * 0.4 * 0.4 / 4, lu = kPi10 * 0.4;
    const double KEA = 1.5 / (kTwoG * A * A);
    const double KR = 5 / (A * A * 65 * 65 * std::pow(0.1, 4.0 / 3));
    const double Q2 = 0.1 / (KEA + KR);
    CSteps steps;
    const PipeCulvertResult r = ComputePipeCulvert({400, 0, {0.6, 0.5, 5, 0.5, 1, 40, 65}}, steps);
    ExpectSteps(steps,
                {{"D", 0.4}, {"r", 0.2}, {"A_voll", A}, {"lu_voll", lu}, {"A_Sohle", 0}, {"lu_Sohle", 0},
                 {"h_W", 0.5}, {"A", A}, {"lu_Wand", lu}, {"lu", lu}, {"k", 65}, {"R", 0.1}, {"K_EA", KEA},
                 {"K_R", KR}, {"Q2", Q2}, {"Q", std::sqrt(Q2)}, {"v", std::sqrt(Q2) / A}},
                "defaults");
    EXPECT_NEAR(r.flow.Q, 0.1244, 0.00005);
    EXPECT_NEAR(r.flow.v, 0.9903, 0.00005);
}

TEST(CulvertFlowSteps, PipeBelowMidHeightTakesTheBedOff)
{
    // DN 1000, bed 0.1 m, water 0.3 m above it: level 0.4 m below the centre.
    const double r = 0.5, thetaS = 2 * std::acos(0.8), theta = 2 * std::acos(0.2);
    const double AS = r * r / 2 * (thetaS - std::sin(thetaS)), AW = r * r / 2 * (theta - std::sin(theta));
    const double luWall = r * theta - r * thetaS, luBed = 2 * std::sqrt(0.25 - 0.16);
    const double k = (40 * luBed + 65 * luWall) / (luBed + luWall);
    CSteps steps;
    ComputePipeCulvert({1000, 0.1, {0.6, 0.3, 5, 0.5, 1, 40, 65}}, steps);
    ExpectSteps(steps,
                {{"theta_S", thetaS}, {"A_Sohle", AS}, {"lu_S", r * thetaS}, {"lu_Sohle", 0.6}, {"h_W", 0.4},
                 {"theta", theta}, {"A_W", AW}, {"lu_W", r * theta}, {"A", AW - AS}, {"lu_Wand", luWall},
                 {"lu", luBed + luWall}, {"k", k}, {"R", (AW - AS) / (luBed + luWall)}},
                "bed");
}

TEST(CulvertFlowSteps, BoxDefaultsArePartFull)
{
    // b 1, h 2, bed 0.2, h2 1: A = 1, walls 2, bed 1, k = 160/3, R = 1/3.
    const double k = 160.0 / 3, KEA = 1.5 / kTwoG, KR = 10 / (k * k * std::pow(1.0 / 3, 4.0 / 3));
    const double Q2 = 0.1 / (KEA + KR);
    CSteps steps;
    ComputeBoxCulvert({1, 2, 0.2, {1.1, 1, 10, 0.5, 1, 30, 65}}, steps);
    ExpectSteps(steps,
                {{"A_Sohle", 0.2}, {"lu_Sohle", 1}, {"h_W", 1.2}, {"A", 1}, {"lu_Beton", 2}, {"lu", 3}, {"k", k},
                 {"R", 1.0 / 3}, {"K_EA", KEA}, {"K_R", KR}, {"Q2", Q2}, {"Q", std::sqrt(Q2)}, {"v", std::sqrt(Q2)}},
                "defaults");
    EXPECT_NEAR(std::sqrt(Q2), 1.0443, 0.00005);
}

TEST(CulvertFlowSteps, BoxBareFloorJoinsTheWalls)
{
    CSteps steps;
    ComputeBoxCulvert({1, 2, 0, {1.1, 1, 10, 0.5, 1, 30, 65}}, steps);
    ExpectSteps(steps, {{"lu_W", 2}, {"lu_Beton", 3}, {"k", 65}}, "bare floor");
}

TEST(CulvertFlowSteps, NoHeadDifferenceGivesNoDischarge)
{
    CSteps steps;
    const BoxCulvertResult r = ComputeBoxCulvert({1, 2, 0.2, {1, 1, 10, 0.5, 1, 30, 65}}, steps);
    EXPECT_EQ(r.flow.Q, 0);
    EXPECT_EQ(steps.Steps().back().symbol, "v");
    ExpectSteps(steps, {{"Q2", 0}, {"Q", 0}, {"v", 0}}, "h1 = h2");
}

TEST(CulvertFlowSteps, PipeFormulasWritePi)
{
    // DN 1000, bed 0.1 m, water 0.5 m above it: more than half full.
    CSteps steps;
    ComputePipeCulvert({1000, 0.1, {0.7, 0.5, 5, 0.5, 1, 40, 65}}, steps);
    std::vector<std::string> formulas;
    for (const CalcStep& s : steps.Steps())
        if (s.symbol == "A_voll" || s.symbol == "lu_voll" || s.symbol == "lu_S" || s.symbol == "theta" ||
            s.symbol == "lu_W")
            formulas.push_back(StepExpr(s));
    const std::vector<std::string> expected{
        "3.141592654 * 1 * 1 / 4",
        "3.141592654 * 1",
        "2 * 3.141592654 * 0.5 * " + Format("%.15g", 2 * std::acos((0.5 - 0.1) / 0.5)) +
            " * 180 / 3.141592654 / 360",
        "360 * 3.141592654 / 180 - 2 * acos((0.5 - (1 - 0.6)) / 0.5)",
        "2 * 3.141592654 * 0.5 * " + Format("%.15g", 360 * kPi10 / 180 - 2 * std::acos((0.5 - (1 - 0.6)) / 0.5)) +
            " * 180 / 3.141592654 / 360",
    };
    EXPECT_EQ(formulas, expected);
}

struct StatusCase {
    const char* what;
    PipeCulvertInput in;
    CulvertStatus status;
    double clearHeight;
};

class PipeCulvertStatus : public ::testing::TestWithParam<StatusCase> {};

// The first failing condition names the status; nothing is recorded for it.
TEST_P(PipeCulvertStatus, NamesTheFirstFault)
{
    const StatusCase& c = GetParam();
    CSteps steps;
    const PipeCulvertResult r = ComputePipeCulvert(c.in, steps);
    EXPECT_EQ(r.check.status, c.status) << c.what;
    EXPECT_EQ(r.check.clearHeight, c.clearHeight) << c.what;
    EXPECT_EQ(steps.Steps().empty(), c.status != CulvertStatus::Ok && c.status != CulvertStatus::NoDischarge)
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PipeCulvertStatus,
    ::testing::Values(StatusCase{"sound", {400, 0, {0.6, 0.5, 5, 0.5, 1, 40, 65}}, CulvertStatus::Ok, 0},
                      StatusCase{"no diameter", {0, -1, {0.6, 0, 0, 0.5, 1, 40, 65}}, CulvertStatus::NoDiameter, 0},
                      StatusCase{"negative bed", {400, -0.01, {0.6, 0, 0, 0.5, 1, 40, 65}}, CulvertStatus::NegativeBed,
                                 0},
                      StatusCase{"bed fills the pipe", {400, 0.4, {0.6, 0, 0, 0.5, 1, 40, 65}},
                                 CulvertStatus::BedFillsPipe, 0.4},
                      StatusCase{"no water", {400, 0, {0.6, 0, 0, 0.5, 1, 40, 65}}, CulvertStatus::NoWater, 0},
                      StatusCase{"no length", {400, 0, {0.6, 0.5, 0, 0.5, 1, 40, 65}}, CulvertStatus::NoLength, 0},
                      StatusCase{"head beyond the doubles", {400, 0, {-1e308, 1e308, 5, 0.5, 1, 40, 65}},
                                 CulvertStatus::NoDischarge, 0}));

TEST(BoxCulvertStatus, NamesTheFirstFault)
{
    const CulvertBalanceInput dry{1.1, 0, 0, 0.5, 1, 30, 65};
    EXPECT_EQ(ComputeBoxCulvert({0, 2, 3, dry}, NoSteps()).check.status, CulvertStatus::NoWidth);
    const BoxCulvertResult filled = ComputeBoxCulvert({1, 0.5, 0.5, dry}, NoSteps());
    EXPECT_EQ(filled.check.status, CulvertStatus::BedFillsBox);
    EXPECT_EQ(filled.check.clearHeight, 0.5);
    EXPECT_EQ(ComputeBoxCulvert({1, 2, 0.2, dry}, NoSteps()).check.status, CulvertStatus::NoWater);
    EXPECT_EQ(ComputeBoxCulvert({1, 2, 0.2, {1.1, 1, 0, 0.5, 1, 30, 65}}, NoSteps()).check.status,
              CulvertStatus::NoLength);
    EXPECT_EQ(ComputeBoxCulvert({1, 2, 0.2, {-1e308, 1e308, 10, 0.5, 1, 30, 65}}, NoSteps()).check.status,
              CulvertStatus::NoDischarge);
    EXPECT_EQ(ComputeBoxCulvert({1, 2, 0.2, {1.1, 1, 10, 0.5, 1, 30, 65}}, NoSteps()).check.status,
              CulvertStatus::Ok);
}

struct LevelCase {
    const char* what;
    CulvertMode mode;
    CulvertLevels in;
    const char* symbol;
    double value;
};

class CulvertLevelSteps : public ::testing::TestWithParam<LevelCase> {};

TEST_P(CulvertLevelSteps, RecordTheDerivedLevel)
{
    const LevelCase& c = GetParam();
    CSteps steps;
    ComputeCulvertLevels({c.mode, c.in}, steps);
    EXPECT_NEAR(StepValue(steps, c.symbol), c.value, 1e-12) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CulvertLevelSteps,
    ::testing::Values(LevelCase{"slope from h1", CulvertMode::H1Given, {0.6, 0.5, 3, 5, 0}, "I", 14},
                      LevelCase{"rise capped", CulvertMode::H1Given, {0.52, 0.5, 3, 5, 0}, "Aufstau", 2},
                      LevelCase{"capped rise leaves no slope", CulvertMode::H1Given, {0.52, 0.5, 3, 5, 7}, "I", 0},
                      LevelCase{"h1 from slope and rise", CulvertMode::SlopeGiven, {0, 0.5, 3, 5, 14}, "h1", 0.6}));

TEST(CulvertLevelSteps, NoLengthRecordsNoSlope)
{
    CSteps steps;
    const CulvertLevels levels = ComputeCulvertLevels({CulvertMode::H1Given, {0.6, 0.5, 3, 0, 9}}, steps);
    EXPECT_TRUE(steps.Steps().empty());
    EXPECT_EQ(levels.I, 9);
}

} // namespace
} // namespace dralun
