// Full flow after Prandtl-Colebrook, part filling, the diameter list and the
// steps of a reach. Expected values are worked out by hand from
// v = -2 log10(2.51 nu / (D s) + kb / (3.71 D)) s, s = sqrt(2 g D J).
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <limits>
#include <string>
#include <vector>

#include "core/CPipeFlow.h"
#include "core/CPipeRunFlow.h"
#include "core/Format.h"

namespace dralun {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Mode = PipeSlopeMode;

// Rows i = 1..100 with Q/Qv = i/100, v/vv = 0.5 + i/200, h/D = i*i/10000:
// easy to interpolate by hand.
PipeTables TestTable(int rows = PipeTables::kMaxRows)
{
    PipeTables t;
    for (int i = 1; i <= rows; ++i) {
        t.fillRatio[i] = i / 100.0;
        t.velocityRatio[i] = 0.5 + i / 200.0;
        t.depthRatio[i] = i * i / 10000.0;
    }
    t.rowCount = rows;
    return t;
}

struct FullFlowCase {
    double DN, kb, J, vv, Qv, QvTolerance;
};

class FullFlow : public ::testing::TestWithParam<FullFlowCase> {};

TEST_P(FullFlow, GivesTheHandWorkedVelocityAndDischarge)
{
    const FullFlowCase c = GetParam();
    const PipeFullFlow f = ComputePipeFullFlow(c.DN / 1000, c.J, c.kb);
    EXPECT_NEAR(f.vv, c.vv, 0.00005);
    EXPECT_NEAR(f.Qv, c.Qv, c.QvTolerance);
}

INSTANTIATE_TEST_SUITE_P(Pipes, FullFlow,
                         ::testing::Values(FullFlowCase{300, 1.5, 0.01, 1.3856, 97.942, 0.0005},
                                           FullFlowCase{200, 0.75, 0.01, 1.1729, 36.848, 0.0005},
                                           FullFlowCase{1000, 1.5, 0.001, 0.9436, 741.08, 0.005},
                                           FullFlowCase{300, 1.5, 0.005, 0.9778, 69.115, 0.0005},
                                           FullFlowCase{400, 1.5, 0.01, 1.6710, 209.984, 0.0005}));

struct SlopeCase {
    Mode mode;
    double top, bottom, L, percent, n, J;
};

class Slope : public ::testing::TestWithParam<SlopeCase> {};

TEST_P(Slope, FollowsTheMode)
{
    const SlopeCase c = GetParam();
    const PipeReachResult r = ComputePipeReach(PipeTables{}, {c.mode, 0, c.top, c.bottom, c.L, c.percent, c.n, 0, 0});
    EXPECT_TRUE(r.Computed());
    EXPECT_NEAR(r.J, c.J, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Modes, Slope,
                         ::testing::Values(SlopeCase{Mode::FromLevels, 101.0, 100.0, 100, 7, 7, 0.01},
                                           SlopeCase{Mode::Percent, 101.0, 100.0, 100, 0.5, 7, 0.005},
                                           SlopeCase{Mode::OneIn, 101.0, 100.0, 100, 7, 200, 0.005}));

TEST(PipeFlow, WithoutASlopeModeNothingIsComputed)
{
    PipeReachInput in;
    in.Q = 40;
    in.DN = 300;
    in.kb = 1.5;
    in.slopePercent = 1;
    in.slopeN = 7;
    CSteps steps;
    const PipeReachResult r = ComputePipeReach(TestTable(), in, steps);
    EXPECT_EQ(r.status, PipeReachStatus::NoSlope);
    EXPECT_FALSE(r.Computed());
    EXPECT_TRUE(steps.Steps().empty());
    EXPECT_EQ(r.slopePercent, 1); // the slope inputs as given
    EXPECT_EQ(r.slopeN, 7);
}

class Reach : public ::testing::Test {
protected:
    void SetUp() override
    {
        in.mode = Mode::OneIn;
        in.slopeN = 100;
        in.kb = 1.5;
        in.DN = 300;
    }
    void Compute(double Q, CSteps& steps = NoSteps())
    {
        in.Q = Q;
        r = ComputePipeReach(table, in, steps);
        ASSERT_TRUE(r.Computed());
    }
    PipeTables table = TestTable();
    PipeReachInput in;
    PipeReachResult r;
};

TEST_F(Reach, DischargeEqualToQvFlowsFullWithoutDepth)
{
    Compute(40);
    const double Qv = r.Qv;
    Compute(Qv);
    EXPECT_EQ(r.status, PipeReachStatus::Carried);
    EXPECT_EQ(r.vt, r.vv);
    EXPECT_EQ(r.DrH, 0);
    EXPECT_EQ(r.Qt, Qv);
}

TEST_F(Reach, DischargeJustAboveQvOverloadsThePipe)
{
    Compute(40);
    Compute(std::nextafter(r.Qv, 1e9));
    EXPECT_EQ(r.status, PipeReachStatus::Overloaded);
    EXPECT_EQ(r.Qt, 0);
    EXPECT_EQ(r.vt, 0);
    EXPECT_EQ(r.DrH, 0);
    EXPECT_NEAR(r.vv, 1.3856, 0.00005); // full flow is still shown
}

TEST_F(Reach, FillRatioBelowOnePercentGivesNoPartFilling)
{
    Compute(40);
    Compute(r.Qv * 0.005);
    EXPECT_EQ(r.vt, 0);
    EXPECT_EQ(r.DrH, 0);
}

TEST_F(Reach, DefaultReachInterpolatesRowsFortyAndFortyOne)
{
    Compute(40);
    // Q/Qv = 40 / 97.942 = 0.408405; f = 0.8405 between rows 40 and 41.
    EXPECT_NEAR(r.ratio, 0.408405, 0.000001);
    const double f = (r.ratio - 0.40) / 0.01;
    EXPECT_NEAR(r.vt, (0.70 + 0.005 * f) * r.vv, 1e-12);
    EXPECT_NEAR(r.DrH, (0.16 + 0.0081 * f) * 0.3, 1e-12);
}

struct LookupCase {
    double ratio, vOverVv, hOverD;
};

class Lookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, InterpolatesBetweenTheTwoRowsOfTheRatio)
{
    const PipePartFilling p = ComputePipePartFilling(TestTable(), {100 * GetParam().ratio, 100, 2, 0.5});
    EXPECT_NEAR(p.vt, GetParam().vOverVv * 2, 1e-9);
    EXPECT_NEAR(p.DrH, GetParam().hOverD * 0.5, 1e-9);
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
        const PipePartFilling p = ComputePipePartFilling(TestTable(rows), {40, 97.942, 1.3856, 0.3}); // rows 40, 41
        EXPECT_TRUE(std::isnan(p.vt)) << rows;
        EXPECT_TRUE(std::isnan(p.DrH)) << rows;
    }
    const PipePartFilling p = ComputePipePartFilling(TestTable(41), {40, 97.942, 1.3856, 0.3});
    EXPECT_TRUE(std::isfinite(p.vt) && std::isfinite(p.DrH));
}

TEST(PartFilling, TwoRowsWithTheSameRatioCannotBeInterpolated)
{
    PipeTables table = TestTable();
    table.fillRatio[41] = table.fillRatio[40];
    const PipePartFilling p = ComputePipePartFilling(table, {40.5, 100, 1, 1});
    EXPECT_TRUE(std::isnan(p.vt));
    EXPECT_TRUE(std::isnan(p.DrH));
}

struct Undetermined {
    const char* what;
    Mode mode;
    double top, bottom, L, percent, n, DN;
};

class NoFullFlow : public ::testing::TestWithParam<Undetermined> {};

TEST_P(NoFullFlow, LeavesEveryResultUndetermined)
{
    const Undetermined c = GetParam();
    const PipeReachResult r =
        ComputePipeReach(TestTable(), {c.mode, 40, c.top, c.bottom, c.L, c.percent, c.n, 1.5, c.DN});
    EXPECT_EQ(r.status, PipeReachStatus::NoFullFlow) << c.what;
    // vv and Qv are not finite (NaN, or infinite for a vertical 1 : 0 or
    // L = 0); the rest cannot be decided.
    EXPECT_FALSE(std::isfinite(r.vv)) << c.what;
    EXPECT_FALSE(std::isfinite(r.Qv)) << c.what;
    for (double v : {r.Qt, r.vt, r.DrH})
        EXPECT_TRUE(std::isnan(v)) << c.what << ": " << v;
}

INSTANTIATE_TEST_SUITE_P(Inputs, NoFullFlow,
                         ::testing::Values(Undetermined{"0 %", Mode::Percent, 0, 0, 10, 0, 100, 300},
                                           Undetermined{"-1 %", Mode::Percent, 0, 0, 10, -1, 100, 300},
                                           Undetermined{"1:0", Mode::OneIn, 0, 0, 10, 1, 0, 300},
                                           Undetermined{"1:-100", Mode::OneIn, 0, 0, 10, 1, -100, 300},
                                           Undetermined{"equal levels", Mode::FromLevels, 100, 100, 50, 1, 100, 300},
                                           Undetermined{"rising levels", Mode::FromLevels, 100, 101, 50, 1, 100, 300},
                                           Undetermined{"L = 0", Mode::FromLevels, 101, 100, 0, 1, 100, 300},
                                           Undetermined{"L = 0, equal levels", Mode::FromLevels, 100, 100, 0, 1, 100,
                                                        300},
                                           Undetermined{"DN 0", Mode::OneIn, 0, 0, 10, 1, 100, 0},
                                           Undetermined{"DN -300", Mode::OneIn, 0, 0, 10, 1, 100, -300}));

TEST(DiameterList, GivesTheFullFlowOfEveryDiameterAtTheSlope)
{
    PipeTables table;
    table.diameters[1] = 200;
    table.diameters[2] = 300;
    table.diameterCount = 2;
    std::vector<PipeListRow> rows = PipeDiameterList(table, 0.01, 1.5);
    ASSERT_EQ(rows.size(), 2u);
    // DN 200: vv = 1.0603, Qv = 33.311; DN 300: vv = 1.3856, Qv = 97.942.
    EXPECT_EQ(rows[0].dnText, " 200");
    EXPECT_EQ(rows[0].vvText, " 1.06");
    EXPECT_EQ(rows[0].QvText, "     33");
    EXPECT_EQ(rows[1].dnText, " 300");
    EXPECT_EQ(rows[1].vvText, " 1.39");
    EXPECT_EQ(rows[1].QvText, "     98");
    EXPECT_EQ(rows[1].DN, 300);
    EXPECT_NEAR(rows[1].Qv, 97.942, 0.0005);

    rows = PipeDiameterList(table, 0, 1.5);
    EXPECT_EQ(rows[0].vvText, "    -");
    EXPECT_EQ(rows[1].QvText, "      -");
    // Without a slope: the diameters alone.
    rows = PipeDiameterList(table, kNaN, 1.5);
    EXPECT_EQ(rows[1].dnText, " 300");
    EXPECT_EQ(rows[1].vvText, "    -");
    EXPECT_EQ(rows[1].QvText, "      -");
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
    Compute(40, steps);
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
    EXPECT_EQ(StepValue(steps, "vv"), r.vv);
    EXPECT_EQ(StepValue(steps, "Qv"), r.Qv);
    EXPECT_EQ(StepValue(steps, "vt"), r.vt);
    EXPECT_EQ(StepValue(steps, "DrH"), r.DrH);
}

TEST_F(Reach, TheFullFlowDischargeNamesPi)
{
    CSteps steps;
    Compute(40, steps);
    const CalcStep* qv = nullptr;
    for (const CalcStep& step : steps.Steps())
        if (step.symbol == "Qv")
            qv = &step;
    ASSERT_NE(qv, nullptr);
    EXPECT_EQ(qv->formula, "pi * vv * D * D * 0.25 * 1000");
    // pi is put in with the ten digits the engine computes with.
    bool hasPi = false;
    for (const auto& [symbol, value] : qv->args)
        if (symbol == "pi") {
            hasPi = true;
            EXPECT_EQ(value, 3.141592654);
        }
    EXPECT_TRUE(hasPi);
    // 3.141592654 * 1.38559612 * 0.3 * 0.3 * 0.25 * 1000 = 97.942018
    EXPECT_NEAR(qv->value, 97.942018, 1e-6);
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
    in.slopeN = c.n;
    Compute(c.Q, steps);
    // The steps of the reach; the completed slope I follows them.
    std::vector<std::string> symbols = Symbols(steps);
    ASSERT_FALSE(symbols.empty());
    EXPECT_EQ(symbols.back(), "I") << c.what;
    symbols.pop_back();
    EXPECT_EQ(symbols, c.symbols) << c.what;
    for (const CalcStep& step : steps.Steps())
        EXPECT_TRUE(std::isfinite(step.value)) << c.what << " " << step.symbol;
    if (!std::isnan(r.vt)) {
        EXPECT_EQ(StepValue(steps, "vt"), r.vt) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reaches, ReachBranches,
    ::testing::Values(BranchCase{"overloaded", 120, 100, {"J", "D", "s", "x", "vv", "Qv", "Qt", "vt", "DrH"}},
                      BranchCase{"Q/Qv below 0.01", 0.5, 100, {"J", "D", "s", "x", "vv", "Qv", "Qt", "QQv", "vt", "DrH"}},
                      BranchCase{"1 : 0", 40, 0, {"D"}},
                      BranchCase{"rising", 40, -100, {"J", "D"}}));

} // namespace
} // namespace dralun
