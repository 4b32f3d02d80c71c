// Full flow after Prandtl-Colebrook, part filling, the diameter list and the
// pipe-run report. Expected values are worked out by hand from
// v = -2 log10(2.51 nu / (D s) + kb / (3.71 D)) s, s = sqrt(2 g D J).
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <limits>
#include <string>
#include <vector>

#include "core/CPipeFlow.h"
#include "core/Format.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Rows i = 1..100 with Q/Qv = i/100, v/vv = 0.5 + i/200, h/D = i*i/10000:
// easy to interpolate by hand.
void FillTable(CPipeFlow& pipe, int rows = CPipeFlow::kMaxRows)
{
    for (int i = 1; i <= rows; ++i) {
        pipe.m_fillRatio[i] = i / 100.0;
        pipe.m_velocityRatio[i] = 0.5 + i / 200.0;
        pipe.m_depthRatio[i] = i * i / 10000.0;
    }
    pipe.m_rowCount = rows;
}

struct FullFlowCase {
    double DN, kb, J, vv, Qv, QvTolerance;
};

class FullFlow : public ::testing::TestWithParam<FullFlowCase> {};

TEST_P(FullFlow, GivesTheHandWorkedVelocityAndDischarge)
{
    const FullFlowCase c = GetParam();
    CPipeFlow pipe(false);
    pipe.m_D = c.DN / 1000;
    pipe.m_kb = c.kb;
    pipe.m_J = c.J;
    pipe.FullFlow();
    EXPECT_NEAR(pipe.m_vv, c.vv, 0.00005);
    EXPECT_NEAR(pipe.m_Qv, c.Qv, c.QvTolerance);
}

INSTANTIATE_TEST_SUITE_P(Pipes, FullFlow,
                         ::testing::Values(FullFlowCase{300, 1.5, 0.01, 1.3856, 97.942, 0.0005},
                                           FullFlowCase{200, 0.75, 0.01, 1.1729, 36.848, 0.0005},
                                           FullFlowCase{1000, 1.5, 0.001, 0.9436, 741.08, 0.005},
                                           FullFlowCase{300, 1.5, 0.005, 0.9778, 69.115, 0.0005},
                                           FullFlowCase{400, 1.5, 0.01, 1.6710, 209.984, 0.0005}));

struct SlopeCase {
    int mode;
    double top, bottom, L, percent, n, J;
};

class Slope : public ::testing::TestWithParam<SlopeCase> {};

TEST_P(Slope, FollowsTheMode)
{
    const SlopeCase c = GetParam();
    CPipeFlow pipe(false);
    pipe.m_mode = c.mode;
    pipe.m_levelTop = c.top;
    pipe.m_levelBottom = c.bottom;
    pipe.m_L = c.L;
    pipe.m_slopePercent = c.percent;
    pipe.m_slopeN = c.n;
    EXPECT_TRUE(pipe.SlopeFromInput());
    EXPECT_NEAR(pipe.m_J, c.J, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Modes, Slope,
                         ::testing::Values(SlopeCase{1, 101.0, 100.0, 100, 7, 7, 0.01},
                                           SlopeCase{2, 101.0, 100.0, 100, 0.5, 7, 0.005},
                                           SlopeCase{3, 101.0, 100.0, 100, 7, 200, 0.005}));

TEST(PipeFlow, ModeZeroSetsAndComputesNothing)
{
    CPipeFlow pipe(false);
    pipe.m_J = 0.123;
    pipe.m_vv = 4;
    pipe.m_slopePercent = 1;
    EXPECT_FALSE(pipe.SlopeFromInput());
    EXPECT_FALSE(pipe.ComputeReach());
    EXPECT_EQ(pipe.m_J, 0.123);
    EXPECT_EQ(pipe.m_vv, 4);
    EXPECT_FALSE(pipe.LastReach());
}

class Reach : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillTable(pipe);
        pipe.m_mode = CPipeFlow::kOneIn;
        pipe.m_slopeN = 100;
        pipe.m_kb = 1.5;
        pipe.m_DN = 300;
    }
    void Compute(double Q)
    {
        pipe.m_Q = Q;
        pipe.m_Qt = Q;
        ASSERT_TRUE(pipe.ComputeReach());
    }
    CPipeFlow pipe{false};
};

TEST_F(Reach, DischargeEqualToQvFlowsFullWithoutDepth)
{
    Compute(40);
    const double Qv = pipe.m_Qv;
    Compute(Qv);
    EXPECT_EQ(pipe.m_vt, pipe.m_vv);
    EXPECT_EQ(pipe.m_DrH, 0);
    EXPECT_EQ(pipe.m_Qt, Qv);
}

TEST_F(Reach, DischargeJustAboveQvOverloadsThePipe)
{
    Compute(40);
    Compute(std::nextafter(pipe.m_Qv, 1e9));
    EXPECT_EQ(pipe.m_Qt, 0);
    EXPECT_EQ(pipe.m_vt, 0);
    EXPECT_EQ(pipe.m_DrH, 0);
    EXPECT_NEAR(pipe.m_vv, 1.3856, 0.00005); // full flow is still shown
}

TEST_F(Reach, FillRatioBelowOnePercentGivesNoPartFilling)
{
    Compute(40);
    Compute(pipe.m_Qv * 0.005);
    EXPECT_EQ(pipe.m_vt, 0);
    EXPECT_EQ(pipe.m_DrH, 0);
}

TEST_F(Reach, DefaultReachInterpolatesRowsFortyAndFortyOne)
{
    Compute(40);
    // Q/Qv = 40 / 97.942 = 0.408405; f = 0.8405 between rows 40 and 41.
    EXPECT_NEAR(pipe.m_ratio, 0.408405, 0.000001);
    const double f = (pipe.m_ratio - 0.40) / 0.01;
    EXPECT_NEAR(pipe.m_vt, (0.70 + 0.005 * f) * pipe.m_vv, 1e-12);
    EXPECT_NEAR(pipe.m_DrH, (0.16 + 0.0081 * f) * 0.3, 1e-12);
}

struct LookupCase {
    double ratio, vOverVv, hOverD;
};

class Lookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, InterpolatesBetweenTheTwoRowsOfTheRatio)
{
    CPipeFlow pipe(false);
    FillTable(pipe);
    pipe.m_vv = 2;
    pipe.m_D = 0.5;
    pipe.m_Qv = 100;
    pipe.m_Qt = 100 * GetParam().ratio;
    pipe.PartFilling();
    EXPECT_NEAR(pipe.m_vt, GetParam().vOverVv * 2, 1e-9);
    EXPECT_NEAR(pipe.m_DrH, GetParam().hOverD * 0.5, 1e-9);
}

// Row 50: 0.75, 0.25; row 51: 0.755, 0.2601; row 99: 0.995, 0.9801;
// row 100: 1.0, 1.0; row 1: 0.505, 0.0001; row 2: 0.51, 0.0004.
INSTANTIATE_TEST_SUITE_P(Rows, Lookup,
                         ::testing::Values(LookupCase{0.50, 0.75, 0.25}, LookupCase{0.5025, 0.75125, 0.252525},
                                           LookupCase{0.01, 0.505, 0.0001}, LookupCase{0.015, 0.5075, 0.00025},
                                           LookupCase{0.995, 0.9975, 0.99005},
                                           LookupCase{std::nextafter(1.0, 0.0), 1.0, 1.0}));

TEST(PartFilling, TableTooShortForTheLookupLeavesVtAndDrHUndetermined)
{
    for (int rows : {0, 1, 40}) {
        CPipeFlow pipe(false);
        FillTable(pipe, rows);
        pipe.m_vv = 1.3856;
        pipe.m_D = 0.3;
        pipe.m_Qv = 97.942;
        pipe.m_Qt = 40; // needs rows 40 and 41
        pipe.PartFilling();
        EXPECT_TRUE(std::isnan(pipe.m_vt)) << rows;
        EXPECT_TRUE(std::isnan(pipe.m_DrH)) << rows;
    }
    CPipeFlow pipe(false);
    FillTable(pipe, 41);
    pipe.m_vv = 1.3856;
    pipe.m_D = 0.3;
    pipe.m_Qv = 97.942;
    pipe.m_Qt = 40;
    pipe.PartFilling();
    EXPECT_TRUE(std::isfinite(pipe.m_vt) && std::isfinite(pipe.m_DrH));
}

TEST(PartFilling, TwoRowsWithTheSameRatioCannotBeInterpolated)
{
    CPipeFlow pipe(false);
    FillTable(pipe);
    pipe.m_fillRatio[41] = pipe.m_fillRatio[40];
    pipe.m_vv = 1;
    pipe.m_D = 1;
    pipe.m_Qv = 100;
    pipe.m_Qt = 40.5;
    pipe.PartFilling();
    EXPECT_TRUE(std::isnan(pipe.m_vt));
    EXPECT_TRUE(std::isnan(pipe.m_DrH));
}

struct Undetermined {
    const char* what;
    int mode;
    double top, bottom, L, percent, n, DN;
};

class NoFullFlow : public ::testing::TestWithParam<Undetermined> {};

TEST_P(NoFullFlow, LeavesEveryResultUndetermined)
{
    const Undetermined c = GetParam();
    CPipeFlow pipe(false);
    FillTable(pipe);
    pipe.m_mode = c.mode;
    pipe.m_levelTop = c.top;
    pipe.m_levelBottom = c.bottom;
    pipe.m_L = c.L;
    pipe.m_slopePercent = c.percent;
    pipe.m_slopeN = c.n;
    pipe.m_DN = c.DN;
    pipe.m_kb = 1.5;
    pipe.m_Q = pipe.m_Qt = 40;
    EXPECT_TRUE(pipe.ComputeReach()) << c.what;
    // vv and Qv are not finite (NaN, or infinite for a vertical 1 : 0 or
    // L = 0); the rest cannot be decided.
    EXPECT_FALSE(std::isfinite(pipe.m_vv)) << c.what;
    EXPECT_FALSE(std::isfinite(pipe.m_Qv)) << c.what;
    for (double v : {pipe.m_Qt, pipe.m_vt, pipe.m_DrH})
        EXPECT_TRUE(std::isnan(v)) << c.what << ": " << v;
}

INSTANTIATE_TEST_SUITE_P(Inputs, NoFullFlow,
                         ::testing::Values(Undetermined{"0 %", 2, 0, 0, 10, 0, 100, 300},
                                           Undetermined{"-1 %", 2, 0, 0, 10, -1, 100, 300},
                                           Undetermined{"1:0", 3, 0, 0, 10, 1, 0, 300},
                                           Undetermined{"1:-100", 3, 0, 0, 10, 1, -100, 300},
                                           Undetermined{"equal levels", 1, 100, 100, 50, 1, 100, 300},
                                           Undetermined{"rising levels", 1, 100, 101, 50, 1, 100, 300},
                                           Undetermined{"L = 0", 1, 101, 100, 0, 1, 100, 300},
                                           Undetermined{"L = 0, equal levels", 1, 100, 100, 0, 1, 100, 300},
                                           Undetermined{"DN 0", 3, 0, 0, 10, 1, 100, 0},
                                           Undetermined{"DN -300", 3, 0, 0, 10, 1, 100, -300}));

TEST(DiameterList, GivesTheFullFlowOfEveryDiameterAtTheSlope)
{
    CPipeFlow pipe(false);
    pipe.m_diameters[1] = 200;
    pipe.m_diameters[2] = 300;
    pipe.m_diameterCount = 2;
    pipe.m_mode = CPipeFlow::kPercent;
    pipe.m_slopePercent = 1;
    pipe.m_kb = 1.5;
    pipe.FillDiameterList();
    // DN 200: vv = 1.0603, Qv = 33.311; DN 300: vv = 1.3856, Qv = 97.942.
    EXPECT_EQ(pipe.m_dnText[1], " 200");
    EXPECT_EQ(pipe.m_vvText[1], " 1.06");
    EXPECT_EQ(pipe.m_QvText[1], "     33");
    EXPECT_EQ(pipe.m_dnText[2], " 300");
    EXPECT_EQ(pipe.m_vvText[2], " 1.39");
    EXPECT_EQ(pipe.m_QvText[2], "     98");
    EXPECT_DOUBLE_EQ(pipe.m_D, 0.3); // the last diameter stays
    EXPECT_NEAR(pipe.m_Qv, 97.942, 0.0005);

    pipe.m_slopePercent = 0;
    pipe.FillDiameterList();
    EXPECT_EQ(pipe.m_vvText[1], "    -");
    EXPECT_EQ(pipe.m_QvText[2], "      -");
}

TEST(FormatDeterminable, WritesTheNumberOrADashInTheSameWidth)
{
    EXPECT_EQ(FormatDeterminable(6, 2, 1.005), "  1.00"); // 1.005 is stored just below
    EXPECT_EQ(FormatDeterminable(4, 1, 1.5), " 1.5");
    EXPECT_EQ(FormatDeterminable(6, 0, 97.942), "    98");
    EXPECT_EQ(FormatDeterminable(6, 0, kNaN), "     -");
    EXPECT_EQ(FormatDeterminable(6, 2, 1 / 0.0), "     -");
    EXPECT_EQ(FormatDeterminable(6, 2, -1 / 0.0), "     -");
    EXPECT_EQ(FormatDeterminable(5, 2, -0.004), " 0.00"); // no "-0.00"
    EXPECT_EQ(FormatDeterminable(4, 0, 1e20), "100000000000000000000");
    // Digit for digit what printf writes, halves and all.
    for (int i = -2000; i <= 2000; ++i) {
        const double v = i * 0.005 + (i % 7) * 1e-9;
        for (int decimals : {0, 1, 2}) {
            const std::string printed = Format("%*.*f", 7, decimals, v);
            if (printed.find_first_not_of(" -0.") != std::string::npos) {
                ASSERT_EQ(FormatDeterminable(7, decimals, v), printed) << v;
            }
        }
    }
    // And over the magnitudes of list values, on both paths (near a tie and not).
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    for (int i = 0; i < 200000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, i % 9 - 3);
        const int decimals = i % 4;
        const std::string printed = Format("%*.*f", 7, decimals, v);
        if (printed.find_first_not_of(" -0.") != std::string::npos) {
            ASSERT_EQ(FormatDeterminable(7, decimals, v), printed) << v;
        }
    }
}

// ---- calculation steps --------------------------------------------------------

// The value of the latest step of a symbol; NaN when there is none.
double StepValue(const CSteps& steps, const std::string& symbol)
{
    for (auto it = steps.Steps().rbegin(); it != steps.Steps().rend(); ++it)
        if (it->symbol == symbol)
            return it->value;
    return kNaN;
}

std::vector<std::string> Symbols(const CSteps& steps)
{
    std::vector<std::string> symbols;
    for (const CalcStep& step : steps.Steps())
        symbols.push_back(step.symbol);
    return symbols;
}

TEST_F(Reach, DefaultReachRecordsTheChainFromTheSlopeToTheDepth)
{
    CSteps steps;
    pipe.m_Q = pipe.m_Qt = 40;
    ASSERT_TRUE(pipe.ComputeReach(steps));
    // By hand: s = sqrt(2 * 9.80665 * 0.3 * 0.01), x = 2.51 nu / (0.3 s) +
    // 1.5e-3 / (3.71 * 0.3), vv = -2 log10(x) s, Qv = pi vv 0.3² / 4 * 1000;
    // rows 40 and 41 of the test table: Q/Qv 0.40 | 0.41, v/vv 0.70 | 0.705,
    // h/D 0.16 | 0.1681.
    const struct {
        const char* symbol;
        double value, tolerance;
    } expected[] = {
        {"J", 0.01, 1e-15},         {"D", 0.3, 1e-15},          {"s", 0.24256937, 1e-8},
        {"x", 0.001392893, 1e-9},   {"vv", 1.38559612, 1e-8},   {"Qv", 97.942018, 1e-6},
        {"Qt", 40, 0},              {"QQv", 0.40840490, 1e-8},  {"i", 40, 0},
        {"QQv_1", 0.40, 1e-15},     {"QQv_2", 0.41, 1e-15},     {"vvv_1", 0.70, 1e-15},
        {"vvv_2", 0.705, 1e-15},    {"hD_1", 0.16, 1e-15},      {"hD_2", 0.1681, 1e-15},
        {"dQQv", 0.01, 1e-15},      {"f", 0.84048990, 1e-7},    {"hD", 0.16680797, 1e-8},
        {"vvv", 0.70420245, 1e-8},  {"vt", 0.97574018, 1e-8},   {"DrH", 0.05004239, 1e-8},
    };
    for (const auto& e : expected)
        EXPECT_NEAR(StepValue(steps, e.symbol), e.value, e.tolerance) << e.symbol;
    // The steps end in the very numbers the engine gives.
    EXPECT_EQ(StepValue(steps, "vv"), pipe.m_vv);
    EXPECT_EQ(StepValue(steps, "Qv"), pipe.m_Qv);
    EXPECT_EQ(StepValue(steps, "vt"), pipe.m_vt);
    EXPECT_EQ(StepValue(steps, "DrH"), pipe.m_DrH);
}

struct BranchCase {
    const char* what;
    double Q, n;
    std::vector<std::string> symbols;
};

class ReachBranches : public Reach, public ::testing::WithParamInterface<BranchCase> {};

TEST_P(ReachBranches, RecordOnlyFiniteSteps)
{
    const BranchCase& c = GetParam();
    CSteps steps;
    pipe.m_slopeN = c.n;
    pipe.m_Q = pipe.m_Qt = c.Q;
    ASSERT_TRUE(pipe.ComputeReach(steps));
    EXPECT_EQ(Symbols(steps), c.symbols) << c.what;
    for (const CalcStep& step : steps.Steps())
        EXPECT_TRUE(std::isfinite(step.value)) << c.what << " " << step.symbol;
    if (!std::isnan(pipe.m_vt)) {
        EXPECT_EQ(StepValue(steps, "vt"), pipe.m_vt) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reaches, ReachBranches,
    ::testing::Values(BranchCase{"overloaded", 120, 100, {"J", "D", "s", "x", "vv", "Qv", "Qt", "vt", "DrH"}},
                      BranchCase{"Q/Qv below 0.01", 0.5, 100, {"J", "D", "s", "x", "vv", "Qv", "Qt", "QQv", "vt", "DrH"}},
                      BranchCase{"1 : 0", 40, 0, {"D"}},
                      BranchCase{"rising", 40, -100, {"J", "D"}}));

// ---- report ----------------------------------------------------------------

const char* const kHeader =
    "Programmausgaben - Rohrhydraulik \n"
    " \n"
    "    Sohle      Länge     Gefälle       DN   kb   Qv     vv     Qt     vt    DrH   Fließzeit \n"
    "oben    unten                                                                              \n"
    "m NN    m NN     m      1:x    %       mm   mm   l/s    m/s    l/s    m/s    m        s     \n"
    "\n";

TEST(Report, ConstructionWritesTheSixHeaderLines)
{
    test::TempDataDir dir;
    {
        CPipeFlow pipe;
        EXPECT_TRUE(pipe.HasReport());
        EXPECT_FALSE(pipe.AppendReportRow()); // nothing computed yet
    }
    EXPECT_EQ(dir.ReadText("Rohr.txt"), ""); // the header comes with the first row
    EXPECT_EQ(std::string(kHeader).find("oben    unten") + 90 + 2,
              std::string(kHeader).find("m NN")); // padded to 90, then " \n"
}

TEST(Report, AnExistingReportKeepsItsLines)
{
    test::TempDataDir dir;
    const std::string earlier = std::string("alter Bericht") + test::kLineEnd;
    dir.Write("Rohr.txt", earlier);
    { CPipeFlow pipe; } // an opening without a row writes nothing
    EXPECT_EQ(dir.ReadText("Rohr.txt"), "alter Bericht\n");
}

TEST(Report, RowsShowTheLastComputedReach)
{
    test::TempDataDir dir;
    {
        CPipeFlow pipe;
        FillTable(pipe);
        pipe.m_diameters[1] = 3000;
        pipe.m_diameterCount = 1;
        pipe.m_mode = CPipeFlow::kOneIn;
        pipe.m_slopeN = 100;
        pipe.m_kb = 1.5;
        pipe.m_DN = 300;
        pipe.m_L = 10;
        pipe.m_Q = pipe.m_Qt = 40;
        pipe.ComputeReach();
        // vt = (0.70 + 0.005 * 0.84049) * 1.38560 = 0.975733 m/s,
        // DrH = (0.16 + 0.0081 * 0.84049) * 0.3 = 0.050042 m, L / vt = 10.249 s.
        const std::string row =
            "  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39     40   0.98   0.05     10\n";
        EXPECT_EQ(pipe.ReportRow(), row);
        // Refreshing the list at another slope changes D, vv and Qv of the
        // engine but not the reach that was computed.
        pipe.m_slopeN = 50;
        pipe.m_L = 99;
        pipe.FillDiameterList();
        EXPECT_TRUE(pipe.AppendReportRow());

        pipe.m_slopeN = 100;
        pipe.m_Q = pipe.m_Qt = 120;
        pipe.m_L = 10;
        pipe.ComputeReach();
        EXPECT_TRUE(pipe.AppendReportRow());
        EXPECT_EQ(dir.ReadText("Rohr.txt"), std::string(kHeader) + row +
                                            "  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39      0"
                                            "   0.00   0.00      -\n");
    }
}

TEST(Report, UndeterminedValuesShowADash)
{
    CPipeFlow pipe(false);
    pipe.m_mode = CPipeFlow::kPercent;
    pipe.m_slopePercent = 0;
    pipe.m_kb = 1.5;
    pipe.m_DN = 300;
    pipe.m_L = 10;
    pipe.m_Q = pipe.m_Qt = 40;
    pipe.ComputeReach();
    EXPECT_EQ(pipe.ReportRow(),
              "  0.00   0.00  10.00      -   0.00    300  1.5      -      -      -      -      -      -\n");
    EXPECT_FALSE(pipe.AppendReportRow()); // no report file
}

TEST(Report, WithoutADataDirectoryTheEngineWorksSilently)
{
    test::TempDataDir dir;
    setenv("DRALUN_DATA_DIR", (dir.Path() / "fehlt").string().c_str(), 1);
    CPipeFlow pipe;
    EXPECT_FALSE(pipe.HasReport());
    pipe.m_mode = CPipeFlow::kOneIn;
    pipe.m_slopeN = 100;
    pipe.m_kb = 1.5;
    pipe.m_DN = 300;
    EXPECT_TRUE(pipe.ComputeReach());
    EXPECT_FALSE(pipe.AppendReportRow());
}

} // namespace
} // namespace dralun
