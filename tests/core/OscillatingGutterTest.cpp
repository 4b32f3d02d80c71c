#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "core/COscillatingGutter.h"
#include "core/Format.h"

namespace dralun {
namespace {

using Inputs = OscillatingGutterInput;

constexpr Inputs kDefaults{0.1f, 0.5f, 2.5f, 10.0f, 0.5f, 0.11f};

OscillatingGutterResult Computed(const Inputs& in) { return ComputeOscillatingGutter(in); }

TEST(OscillatingGutter, Defaults)
{
    // dh = (0.1 - 0.025) 0.5 = 0.0375 m; L1 = 0.0375 / 0.006 = 6.25 m; L2 = 0.0375 / 0.004 = 9.375 m;
    // Qzu = 0.00011 L 1000; qtmin = (0.00011 9.375 / (22 0.5^2.6667 0.0707107))^0.6 = 3.754 %.
    const OscillatingGutterResult g = Computed(kDefaults);
    EXPECT_EQ(FormatG6(g.L1), "6.25");
    EXPECT_EQ(FormatG6(g.L2), "9.375");
    EXPECT_EQ(FormatG6(g.L), "15.625");
    EXPECT_EQ(FormatG6(g.QzuL1), "0.6875");
    EXPECT_EQ(FormatG6(g.QzuL2), "1.03125");
    EXPECT_EQ(FormatG6(g.qtmin), "3.75424");
    EXPECT_EQ(FormatG6(g.dhh), "1.25");
    EXPECT_EQ(FormatG6(g.dht), "5");
    EXPECT_EQ(g.status, QtminStatus::Determined);
    EXPECT_NEAR(g.qtmin, 3.754, 0.0005);
}

TEST(OscillatingGutter, ResultsAreSingleValuesOfTheRoundedFractions)
{
    // 0.1 % and 0.5 % become the floats nearest to 0.001 and 0.005; the
    // lengths keep the float error of dh: 6.25000048 and 9.37500095, not 6.25 and 9.375.
    const OscillatingGutterResult g = Computed(kDefaults);
    EXPECT_EQ(Format("%.9g", static_cast<double>(g.L1)), "6.25000048");
    EXPECT_EQ(Format("%.9g", static_cast<double>(g.L2)), "9.37500095");
    EXPECT_EQ(Format("%.9g", static_cast<double>(g.L)), "15.6250019");
    EXPECT_EQ(Format("%.9g", static_cast<double>(g.qtmin)), "3.75423765");
}

// Inputs at which the rounding of dh, t and u to single precision, and the
// double p and r, decide the sixth digit of qtmin. Values from a separate
// model of the rounding rules; what the other choice would print is noted.
struct RoundingCase {
    Inputs in;
    const char* qtmin;
};

class OscillatingGutterRounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(OscillatingGutterRounding, SixthDigitOfQtmin)
{
    EXPECT_EQ(FormatG6(Computed(GetParam().in).qtmin), GetParam().qtmin);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, OscillatingGutterRounding,
    ::testing::Values(
        // dh, t, u kept in double would give 2.87962
        RoundingCase{{0.37f, 0.93f, 9.7f, 12.5f, 0.31f, 0.163f}, "2.87961"},
        // p and r rounded to single would give 6.7946
        RoundingCase{{0.03f, 0.75f, 0.9f, 14.3f, 0.23f, 0.1f}, "6.79459"},
        // the exponent 8/3 instead of 2.66666667 would give 6.67605
        RoundingCase{{0.36f, 0.64f, 7.2f, 19.9f, 1.35f, 0.703f}, "6.67604"}));

TEST(OscillatingGutter, EqualSlopesGiveAllZero)
{
    const OscillatingGutterResult g = Computed({0.5f, 0.5f, 2.5f, 10.0f, 0.5f, 0.11f});
    for (float v : {g.L1, g.L2, g.L, g.QzuL1, g.QzuL2, g.qtmin, g.dhh, g.dht})
        EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(g.status, QtminStatus::Determined);
}

TEST(OscillatingGutter, LevelRoadGivesEqualBranches)
{
    // dh / 0.005 = 7.5 m on both sides, 0.825 l/s from each.
    const OscillatingGutterResult g = Computed({0.0f, 0.5f, 2.5f, 10.0f, 0.5f, 0.11f});
    EXPECT_EQ(g.L1, g.L2);
    EXPECT_EQ(g.QzuL1, g.QzuL2);
    EXPECT_EQ(FormatG6(g.L1), "7.5");
    EXPECT_EQ(FormatG6(g.QzuL1), "0.825");
    EXPECT_EQ(FormatG6(g.L), "15");
}

struct Undetermined {
    const char* what;
    Inputs in;
    QtminStatus status;
};

class OscillatingGutterQtmin : public ::testing::TestWithParam<Undetermined> {};

TEST_P(OscillatingGutterQtmin, HasNoValue)
{
    const OscillatingGutterResult g = Computed(GetParam().in);
    EXPECT_EQ(g.status, GetParam().status) << GetParam().what;
    EXPECT_TRUE(std::isnan(g.qtmin)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, OscillatingGutterQtmin,
    ::testing::Values(
        Undetermined{"qT < qH", {0.1f, 0.5f, 2.5f, 2.0f, 0.5f, 0.11f}, QtminStatus::NegativeLength},
        Undetermined{"smin < sf", {0.5f, 0.3f, 2.5f, 10.0f, 0.5f, 0.11f}, QtminStatus::NegativeLength},
        Undetermined{"qs < 0", {0.1f, 0.5f, 2.5f, 10.0f, 0.5f, -0.11f}, QtminStatus::NegativeInflow},
        Undetermined{"b = 0", {0.1f, 0.5f, 2.5f, 10.0f, 0.0f, 0.11f}, QtminStatus::NoWidth},
        Undetermined{"b < 0", {0.1f, 0.5f, 2.5f, 10.0f, -0.5f, 0.11f}, QtminStatus::NoWidth},
        Undetermined{"smin = 0", {0.1f, 0.0f, 2.5f, 10.0f, 0.5f, 0.11f}, QtminStatus::NoSlope}));

TEST(OscillatingGutter, NegativeCrossFallDifferenceGivesNegativeLengths)
{
    // dh = (0.02 - 0.025) 0.5 = -0.0025 m: L1 = -0.41667 m, L2 = -0.625 m.
    const OscillatingGutterResult g = Computed({0.1f, 0.5f, 2.5f, 2.0f, 0.5f, 0.11f});
    EXPECT_EQ(FormatG6(g.L1), "-0.416667");
    EXPECT_EQ(FormatG6(g.L2), "-0.625");
    EXPECT_LT(g.QzuL2, 0.0f);
    EXPECT_EQ(FormatG6(g.dht), "1");
}

TEST(OscillatingGutter, OppositeSlopesHaveNoFirstBranch)
{
    const OscillatingGutterResult g = Computed({0.3f, -0.3f, 2.5f, 10.0f, 0.5f, 0.11f});
    EXPECT_TRUE(std::isnan(g.L1));
    EXPECT_TRUE(std::isnan(g.L));
    EXPECT_EQ(FormatG6(g.L2), "-6.25");
}

TEST(OscillatingGutter, EqualCrossFallsGiveNoInlet)
{
    const OscillatingGutterResult g = Computed({0.1f, 0.5f, 2.5f, 2.5f, 0.5f, 0.11f});
    EXPECT_EQ(g.L, 0.0f);
    EXPECT_EQ(g.qtmin, 0.0f);
    EXPECT_EQ(g.status, QtminStatus::Determined);
}

// ---- steps of the report -------------------------------------------------------

double LastStep(const CSteps& steps, const std::string& symbol)
{
    double value = std::nan("");
    for (const CalcStep& step : steps.Steps())
        if (step.symbol == symbol)
            value = step.value;
    return value;
}

TEST(OscillatingGutter, StepsOfTheDefaults)
{
    CSteps steps;
    const OscillatingGutterResult g = ComputeOscillatingGutter(kDefaults, steps);
    // dh = 0.075 0.5; p = 0.5^2.66666667 = 0.1574901; r = sqrt(0.005) = 0.0707107;
    // t = 0.00011 9.375 / 22 = 4.6875e-5; u = t / p = 2.976377e-4; (u / r)^0.6 = 0.0375424.
    const std::pair<const char*, double> hand[] = {{"dh", 0.0375},        {"p", 0.1574901}, {"r", 0.0707107},
                                                   {"t", 4.6875e-5},      {"u", 2.976377e-4}, {"i_tmin", 0.0375424},
                                                   {"dht_m", 0.05},       {"dhh_m", 0.0125}};
    for (const auto& [symbol, value] : hand)
        EXPECT_NEAR(LastStep(steps, symbol), value, 2e-6 * value) << symbol;
    // Each result ends on the value the form shows, in single precision.
    const std::pair<const char*, float> shown[] = {{"L1", g.L1},   {"L2", g.L2},   {"L", g.L},
                                                   {"QzuL1", g.QzuL1}, {"QzuL2", g.QzuL2}, {"qtmin", g.qtmin},
                                                   {"dht", g.dht}, {"dhh", g.dhh}};
    for (const auto& [symbol, value] : shown)
        EXPECT_EQ(LastStep(steps, symbol), static_cast<double>(value)) << symbol;
}

TEST(OscillatingGutter, StepsWithoutAValueAreLeftOut)
{
    // qT < qH: L2 < 0, qtmin has no value and so no step; smin = -sf: no L1 and no L.
    for (const Inputs in : {Inputs{0.1f, 0.5f, 2.5f, 2.0f, 0.5f, 0.11f}, Inputs{0.3f, -0.3f, 2.5f, 10.0f, 0.5f, 0.11f}}) {
        CSteps steps;
        const OscillatingGutterResult g = ComputeOscillatingGutter(in, steps);
        EXPECT_TRUE(std::isnan(LastStep(steps, "qtmin")));
        EXPECT_EQ(std::isnan(LastStep(steps, "L")), std::isnan(g.L));
        for (const CalcStep& step : steps.Steps())
            EXPECT_TRUE(std::isfinite(step.value)) << step.symbol;
    }
}

} // namespace
} // namespace dralun
