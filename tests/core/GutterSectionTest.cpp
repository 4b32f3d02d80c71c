#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/CGutterSection.h"

namespace dralun {
namespace {

// Road data of the form's defaults: kSt 70, qf 2.5 %, s 1 %, bS 0.5 m, qS 7 %.
const GutterData kDefaults{};

using Form = GutterForm;
using Given = GutterGiven;

GutterFlow Flow(const GutterData& road, Form form, Given given, double value, CSteps& steps = NoSteps())
{
    return ComputeGutterFlow({road, form, given, value}, steps);
}

struct FlowCase {
    const char* what;
    Form form;
    Given given;
    double value; // h in cm or b in m
    double h, b, lu, A, v, Q;
};

class GutterFlows : public ::testing::TestWithParam<FlowCase> {};

TEST_P(GutterFlows, HandValues)
{
    const FlowCase& c = GetParam();
    const GutterFlow f = Flow(kDefaults, c.form, c.given, c.value);
    EXPECT_EQ(f.status, GutterFlowStatus::Ok) << c.what;
    EXPECT_NEAR(f.h, c.h, 1e-12) << c.what;
    EXPECT_NEAR(f.b, c.b, 1e-12) << c.what;
    EXPECT_NEAR(f.lu, c.lu, 0.00005) << c.what;
    EXPECT_NEAR(f.A, c.A, 1e-12) << c.what;
    EXPECT_NEAR(f.R, c.A / c.lu, 1e-6) << c.what;
    EXPECT_NEAR(f.v, c.v, 0.0005) << c.what;
    EXPECT_NEAR(f.Q, c.Q, 0.005) << c.what;
}

// lu = h + sqrt(b² + h²); A = h b / 2; v = 70 R^(2/3) 0.1; Q = A v 1000.
// Curb: h = 0.5 * 2.5 = 1.25 cm, lu = 0.0125 + 0.500156 = 0.51266, R = 0.0060957, v = 0.2336.
// V-gutter, b = bS: h = 0.5 * 7 = 3.5 cm, lu = 0.035 + 0.501223 = 0.53622, R = 0.016318, v = 0.4503.
// V-gutter, b = 0.7: c = 0.2, e = 0.005, h = 3.5 + 0.5 = 4.0 cm,
//   lu = sqrt(0.04 + 0.000025) + sqrt(0.25 + 0.001225) + 0.04 = 0.200062 + 0.501223 + 0.04 = 0.74129,
//   A = (0.005 + 0.035 + 0.005) 0.25 + 0.2 0.005 / 2 = 0.01175, R = 0.015851, v = 0.4417.
INSTANTIATE_TEST_SUITE_P(
    Defaults, GutterFlows,
    ::testing::Values(FlowCase{"curb, b given", Form::Curb, Given::Width, 0.5, 1.25, 0.5, 0.5127, 0.003125, 0.234,
                               0.73},
                      FlowCase{"curb, h given", Form::Curb, Given::Depth, 1.25, 1.25, 0.5, 0.5127, 0.003125, 0.234,
                               0.73},
                      FlowCase{"V, b = bS", Form::V, Given::Width, 0.5, 3.5, 0.5, 0.5362, 0.00875, 0.450, 3.94},
                      // h/100 equal to hS counts as within the strip
                      FlowCase{"V, h = hS", Form::V, Given::Depth, 3.5, 3.5, 0.5, 0.5362, 0.00875, 0.450, 3.94},
                      FlowCase{"V, b = 0.7", Form::V, Given::Width, 0.7, 4.0, 0.7, 0.7413, 0.01175, 0.4417, 5.19},
                      FlowCase{"V, h = 4", Form::V, Given::Depth, 4.0, 4.0, 0.7, 0.7413, 0.01175, 0.4417, 5.19},
                      // within the strip: b = 0.25 m, h = 1.75 cm, lu = 0.0175 + 0.250612, A = 0.0021875
                      FlowCase{"V, b = 0.25", Form::V, Given::Width, 0.25, 1.75, 0.25, 0.2681, 0.0021875,
                               70 * std::pow(0.0021875 / 0.268112, 2.0 / 3.0) * 0.1,
                               0.0021875 * 70 * std::pow(0.0021875 / 0.268112, 2.0 / 3.0) * 100}));

TEST(GutterSection, StripDepth)
{
    EXPECT_DOUBLE_EQ(ComputeGutter({kDefaults}).hS, 0.035);
    EXPECT_DOUBLE_EQ(ComputeGutter({{70, 2.5, 1, 0.8, 5}}).hS, 0.04);
}

TEST(GutterSection, LevelGutterCarriesNothing)
{
    GutterData level = kDefaults;
    level.s = 0;
    for (const GutterFlow& f : {Flow(level, Form::Curb, Given::Width, 0.5), Flow(level, Form::V, Given::Width, 0.7)}) {
        EXPECT_EQ(f.v, 0.0);
        EXPECT_EQ(f.Q, 0.0);
        EXPECT_GT(f.A, 0.0);
    }
}

TEST(GutterSection, DryGutterHasNoVelocityAndNoDischarge)
{
    const GutterFlow dry[] = {Flow(kDefaults, Form::Curb, Given::Depth, 0),
                              Flow(kDefaults, Form::Curb, Given::Width, 0),
                              Flow(kDefaults, Form::V, Given::Depth, 0),
                              Flow(kDefaults, Form::V, Given::Width, 0)};
    for (const GutterFlow& f : dry) {
        EXPECT_EQ(f.lu, 0.0);
        EXPECT_EQ(f.A, 0.0);
        EXPECT_EQ(f.b, 0.0);
        EXPECT_EQ(f.h, 0.0);
        EXPECT_TRUE(std::isnan(f.v));
        EXPECT_EQ(f.Q, 0.0);
    }
}

TEST(GutterSection, FlatStripDividesByNothing)
{
    GutterData flat = kDefaults;
    flat.qS = 0;
    const GutterFlow dry = Flow(flat, Form::V, Given::Depth, 0);
    EXPECT_EQ(dry.b, 0.0);
    // 2 cm over a flat strip: e = 0.02, c = 0.02 / 0.025 = 0.8, b = 1.3,
    // A = 0.02 0.5 + 0.8 0.02 / 2 = 0.018.
    const GutterFlow wet = Flow(flat, Form::V, Given::Depth, 2);
    EXPECT_NEAR(wet.b, 1.3, 1e-12);
    EXPECT_NEAR(wet.A, 0.018, 1e-12);
    EXPECT_NEAR(wet.lu, std::sqrt(0.64 + 0.0004) + 0.5 + 0.02, 1e-12);
    // b within the flat strip: a film without depth carries nothing.
    const GutterFlow film = Flow(flat, Form::V, Given::Width, 0.3);
    EXPECT_EQ(film.h, 0.0);
    EXPECT_EQ(film.Q, 0.0);
    EXPECT_FALSE(std::isnan(film.v));
}

TEST(GutterSection, NegativeSlopeLeavesVelocityAndDischargeOpen)
{
    GutterData falling = kDefaults;
    falling.s = -1;
    const GutterResult r = ComputeGutter({falling, Given::Width, 0.5, 0.5});
    EXPECT_TRUE(r.slopeNegative);
    const GutterFlow& f = r.curb;
    EXPECT_NEAR(f.A, 0.003125, 1e-12);
    EXPECT_TRUE(std::isnan(f.v));
    EXPECT_TRUE(std::isnan(f.Q));
}

TEST(GutterSection, ARefusedGutterFormLeavesItsStepsOut)
{
    // Curb gutter refused (b < 0), V-gutter at b = 0.7 m: Q2 = 5.19004 l/s as worked out below.
    CSteps steps;
    const GutterResult r = ComputeGutter({kDefaults, Given::Width, -0.2, 0.7}, steps);
    EXPECT_EQ(r.status, GutterDataStatus::Ok);
    EXPECT_EQ(r.curb.status, GutterFlowStatus::NegativeGiven);
    EXPECT_EQ(r.vee.status, GutterFlowStatus::Ok);
    EXPECT_NEAR(r.vee.Q, 5.19004, 0.00001);
    for (const CalcStep& step : steps.Steps())
        EXPECT_NE(step.symbol.back(), '1') << step.symbol;

    // b = 1e200 m: b² overflows the wetted perimeter of the triangle.
    const GutterFlow huge = Flow(kDefaults, Form::Curb, Given::Width, 1e200);
    EXPECT_EQ(huge.status, GutterFlowStatus::OutOfRange);
}

TEST(GutterSection, RoadDataWithoutAGutterComputeNoFlow)
{
    GutterData d = kDefaults;
    d.bS = -0.5;
    CSteps steps;
    const GutterResult r = ComputeGutter({d, Given::Width, 0.5, 0.5}, steps);
    EXPECT_EQ(r.status, GutterDataStatus::NegativeStripWidth);
    EXPECT_DOUBLE_EQ(r.hS, -0.035); // 7 % of -0.5 m: still shown
    EXPECT_EQ(r.curb.Q, 0.0);
    EXPECT_EQ(steps.Steps().back().symbol, "hS");
}

struct DataCase {
    double qf, bS, qS;
    GutterDataStatus status;
};

class GutterRoadData : public ::testing::TestWithParam<DataCase> {};

TEST_P(GutterRoadData, RoadDataWithoutAGutter)
{
    GutterData d = kDefaults;
    d.qf = GetParam().qf;
    d.bS = GetParam().bS;
    d.qS = GetParam().qS;
    EXPECT_EQ(ComputeGutter({d}).status, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Data, GutterRoadData,
                         ::testing::Values(DataCase{2.5, 0.5, 7, GutterDataStatus::Ok},
                                           DataCase{0.5, 0.5, 7, GutterDataStatus::Ok},
                                           DataCase{2.5, 0, 0, GutterDataStatus::Ok},
                                           DataCase{0, 0.5, 7, GutterDataStatus::NoCrossFall},
                                           DataCase{-1, 0.5, 7, GutterDataStatus::NoCrossFall},
                                           DataCase{2.5, -0.5, 7, GutterDataStatus::NegativeStripWidth},
                                           DataCase{2.5, 0.5, -7, GutterDataStatus::NegativeStripFall}));

// ---- steps of the report -------------------------------------------------------

// The value of the last step that finds the symbol; NaN when none does.
double StepValue(const CSteps& steps, const std::string& symbol)
{
    double value = std::nan("");
    for (const CalcStep& step : steps.Steps())
        if (step.symbol == symbol)
            value = step.value;
    return value;
}

struct StepCase {
    const char* what;
    Form form;
    Given given;
    double value;
    std::vector<std::pair<const char*, double>> expected; // symbol and hand value
};

class GutterSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(GutterSteps, ChainFromTheInputsToTheDischarge)
{
    const StepCase& c = GetParam();
    // Both gutter forms from the same given value: each column has symbols of its own.
    CSteps steps;
    const GutterResult r = ComputeGutter({kDefaults, c.given, c.value, c.value}, steps);
    const GutterFlow& f = c.form == Form::Curb ? r.curb : r.vee;
    for (const auto& [symbol, value] : c.expected)
        EXPECT_NEAR(StepValue(steps, symbol), value, 5e-6 * value) << c.what << ' ' << symbol;
    // The results are the steps' very values.
    const char n = c.form == Form::Curb ? '1' : '2';
    EXPECT_EQ(StepValue(steps, std::string("Q") + n), f.Q) << c.what;
    EXPECT_EQ(StepValue(steps, std::string("v") + n), f.v) << c.what;
    EXPECT_EQ(StepValue(steps, std::string("lu") + n), f.lu) << c.what;
}

// Curb, b = 0.5: lu = 0.0125 + sqrt(0.25 + 0.00015625) = 0.5126562, R = 0.003125 / lu = 0.0060957,
//   R^(2/3) = 0.0333695, v = 70 0.0333695 0.1 = 0.233586, Q = 0.003125 v 1000 = 0.729957 l/s.
// V, b = 0.7: c = 0.2, e = 0.005, h = 4 cm, lu = 0.2000625 + 0.5012235 + 0.04 = 0.741286,
//   A = 0.01175, R = 0.0158509, v = 70 0.0631008 0.1 = 0.441705, Q = 5.19004 l/s.
// V, h = 5 cm: e = 0.015, c = 0.6, b = 1.1, lu = 0.6001875 + 0.5012235 + 0.05 = 1.151411,
//   A = 0.065 0.25 + 0.0045 = 0.02075, R = 0.0180213, v = 0.481160, Q = 9.98408 l/s.
INSTANTIATE_TEST_SUITE_P(
    Defaults, GutterSteps,
    ::testing::Values(StepCase{"curb, b = 0.5", Form::Curb, Given::Width, 0.5,
                               {{"hS", 0.035}, {"h1", 1.25}, {"lu1", 0.5126562}, {"A1", 0.003125},
                                {"R1", 0.0060957}, {"v1", 0.233586}, {"Q1", 0.729957}}},
                      StepCase{"V, b = 0.7", Form::V, Given::Width, 0.7,
                               {{"c2", 0.2}, {"e2", 0.005}, {"h2", 4.0}, {"lu2", 0.741286}, {"A2", 0.01175},
                                {"R2", 0.0158509}, {"v2", 0.441705}, {"Q2", 5.19004}}},
                      StepCase{"V, h = 5", Form::V, Given::Depth, 5.0,
                               {{"e2", 0.015}, {"c2", 0.6}, {"b2", 1.1}, {"lu2", 1.151411}, {"A2", 0.02075},
                                {"R2", 0.0180213}, {"v2", 0.481160}, {"Q2", 9.98408}}}));

TEST(GutterSection, NegativeSlopeStopsTheStepsAtTheHydraulicRadius)
{
    GutterData falling = kDefaults;
    falling.s = -1;
    CSteps steps;
    Flow(falling, Form::Curb, Given::Width, 0.5, steps);
    EXPECT_EQ(steps.Steps().back().symbol, "R1");
}

// The smaller discharge of the two gutter forms, with a step only where a
// discharge is asked for; none without both discharges. The defaults carry
// 0.729957 l/s in the curb gutter at b = 0.5 m and 5.19004 l/s in the
// V-gutter at b = 0.7 m (hand values above); the V-gutter at b = 0.25 m:
// h = 1.75 cm, A = 0.0021875, lu = 0.0175 + √(0.0625 + 0.00030625) =
// 0.268112, R = 0.00815891, v = 70 R^(2/3) 0.1 = 0.283696, Q = 0.620584 l/s.
TEST(GutterSection, SmallerDischargeOfBothFormsForADemand)
{
    GutterData falling = kDefaults;
    falling.s = -1;
    const struct {
        GutterData road;
        double curb, vee, Qerf, Qmin;
        bool step;
    } cases[] = {{kDefaults, 0.5, 0.7, 1, 0.729957, true},
                 {kDefaults, 0.5, 0.25, 1, 0.620584, true},
                 {kDefaults, 0.5, 0.7, 0, 0.729957, false},
                 {kDefaults, -0.5, 0.7, 1, NAN, false},
                 {falling, 0.5, 0.7, 1, NAN, false}};
    for (const auto& c : cases) {
        CSteps steps;
        const GutterResult r = ComputeGutter({c.road, Given::Width, c.curb, c.vee, c.Qerf}, steps);
        if (std::isnan(c.Qmin)) {
            EXPECT_TRUE(std::isnan(r.Qmin)) << c.curb;
        } else {
            EXPECT_NEAR(r.Qmin, c.Qmin, 1e-6) << c.curb;
        }
        EXPECT_EQ(steps.Steps().back().symbol == "Q_min", c.step) << c.curb << " " << c.Qerf;
    }
}

} // namespace
} // namespace dralun
