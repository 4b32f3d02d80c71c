// The criteria of a pipe run beside Q <= Qv, each on both sides of its
// limit, with numbers that can be followed by hand: Q = 45 l/s in Qv = 50
// l/s uses eta = 90.0 %, Q = 45.5 l/s 91.0 %; DrH = 0.15 m in D = 0.30 m is
// h/d = 0.5 exactly, DrH = 0.16 m gives 0.5333.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/PipeRunCriteria.h"

namespace dralun {
namespace {

PipeReachResult Reach(PipeReachStatus status, double vt, double DrH)
{
    PipeReachResult r;
    r.status = status;
    r.D = 0.30;
    r.Qv = 50;
    r.vt = vt;
    r.DrH = DrH;
    return r;
}

TEST(PipeRunCriteria, EachOnBothSidesOfItsLimit)
{
    using S = PipeReachStatus;
    const struct {
        double Q;
        PipeRunCriteria asked;
        S status;
        double vt, DrH;
        const char* symbol; // of the one criterion asked; "" for none
        double value;       // NaN: none
        bool criterionMet, verdictMet;
    } cases[] = {
        {45, {100, 0, 0}, S::Carried, 1.0, 0.15, "", NAN, true, true},      // today's check alone
        {45, {90, 0, 0}, S::Carried, 1.0, 0.15, "eta", 90.0, true, true},    // 45 / 50 = 90.0 % at the limit
        {45.5, {90, 0, 0}, S::Carried, 1.0, 0.15, "eta", 91.0, false, false}, // 91.0 % > 90 %
        {45, {100, 0.5, 0}, S::Carried, 0.5, 0.15, "vt", 0.5, true, true},   // at least v_min: met at it
        {45, {100, 0.5, 0}, S::Carried, 0.49, 0.15, "vt", 0.49, false, false},
        {45, {100, 0, 0.5}, S::Carried, 1.0, 0.15, "hd", 0.5, true, true},   // 0.15 / 0.30
        {45, {100, 0, 0.5}, S::Carried, 1.0, 0.16, "hd", 0.16 / 0.30, false, false},
        // Overloaded, vt and DrH show 0, yet there is no part filling to judge.
        {60, {100, 0.5, 0}, S::Overloaded, 0, 0, "vt", NAN, false, false},
        {60, {100, 0, 0.5}, S::Overloaded, 0, 0, "hd", NAN, false, false},
    };
    for (const auto& c : cases) {
        CSteps steps;
        Verdict v = CheckDemand(steps, {"", "Abfluss", "Q", "Vollfüllung", "Qv", "l/s"}, c.Q, 50);
        const size_t before = steps.Steps().size();
        CheckPipeRunCriteria(v, c.asked, Reach(c.status, c.vt, c.DrH), steps);
        const std::string what = std::to_string(c.Q) + " " + c.symbol + " " + std::to_string(c.vt);
        EXPECT_EQ(v.met, c.verdictMet) << what;
        if (std::string(c.symbol).empty()) {
            EXPECT_TRUE(v.criteria.empty()) << what;
            EXPECT_EQ(steps.Steps().size(), before) << what;
            continue;
        }
        ASSERT_EQ(v.criteria.size(), 1u) << what;
        const Criterion& k = v.criteria[0];
        EXPECT_EQ(k.symbol, c.symbol);
        EXPECT_EQ(k.met, c.criterionMet) << what;
        EXPECT_EQ(std::isnan(k.value), std::isnan(c.value)) << what;
        if (std::isnan(c.value)) {
            EXPECT_EQ(steps.Steps().size(), before) << what; // nothing to record
            continue;
        }
        EXPECT_NEAR(k.value, c.value, 1e-9) << what;
        // The criterion is a step: its value from its formula and numbers.
        ASSERT_EQ(steps.Steps().size(), before + 1) << what;
        const CalcStep& s = steps.Steps().back();
        EXPECT_EQ(s.symbol, c.symbol);
        EXPECT_NEAR(s.value, c.value, 1e-9);
        EXPECT_NE(s.text.find(c.criterionMet ? ", erfüllt" : ", nicht erfüllt"), std::string::npos) << s.text;
    }
}

TEST(PipeRunCriteria, VerdictIsMetOnlyWhenAllAre)
{
    // eta 90.0 % <= 95 %, vt 0.6 >= 0.5, but h/d 0.5333 > 0.5; and the
    // check Q <= Qv failing fails whatever the criteria.
    CSteps steps;
    Verdict v = CheckDemand(steps, {"", "Abfluss", "Q", "Vollfüllung", "Qv", "l/s"}, 45, 50);
    CheckPipeRunCriteria(v, {95, 0.5, 0.5}, Reach(PipeReachStatus::Carried, 0.6, 0.16), steps);
    ASSERT_EQ(v.criteria.size(), 3u);
    EXPECT_TRUE(v.criteria[0].met);
    EXPECT_TRUE(v.criteria[1].met);
    EXPECT_FALSE(v.criteria[2].met);
    EXPECT_FALSE(v.met);

    Verdict over = CheckDemand(steps, {"", "Abfluss", "Q", "Vollfüllung", "Qv", "l/s"}, 51, 50);
    CheckPipeRunCriteria(over, {100, 0, 0}, Reach(PipeReachStatus::Overloaded, 0, 0), steps);
    EXPECT_FALSE(over.met);
}

} // namespace
} // namespace dralun
