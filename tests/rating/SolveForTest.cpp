// "Zielwert": the input at which a result reaches a target, against
// closed forms and a bisection of the ditch's formula worked out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/Format.h"
#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "rating/SolveFor.h"
#include "OpenedFormTest.h"

namespace dralun {
namespace {

constexpr double kGravity = 9.80665;
constexpr double kPi10 = 3.141592654;

using SolveForTest = test::OpenedFormTest;

// The ditch's discharge for a depth, b 0.5 m, banks 1 : 1.5, I 1 per mille, kSt 25.
double DitchQ(double t)
{
    const double A = 0.5 * t + 1.5 * t * t;
    const double R = A / (0.5 + 2 * t * std::sqrt(1 + 1.5 * 1.5));
    return std::sqrt(0.001) * 25 * std::pow(R, 0.66666666667) * A;
}

double DitchDepthFor(double Q)
{
    double lo = 0.03, hi = 3;
    for (int i = 0; i < 200; ++i)
        (DitchQ(0.5 * (lo + hi)) < Q ? lo : hi) = 0.5 * (lo + hi);
    return 0.5 * (lo + hi);
}

TEST_F(SolveForTest, ClosedFormAnswers)
{
    struct Case {
        int form;
        const char* result;
        double target;
        const char* vary;
        double lo, hi;
        double expected;
    };
    const double mu = 0.67, h = 0.6;
    const Case cases[] = {
        // orifice: v = mu sqrt(2 g h), so h = (v / mu)² / (2 g)
        {171, "v", 2.5, "h", 0.01, 10, std::pow(2.5 / mu, 2) / (2 * kGravity)},
        // orifice: d = 2 sqrt(A / pi), A = Q / 1000 / v: Q = 1000 pi d² / 4 · v
        {171, "d", 0.2, "Q", 1, 500, 1000 * kPi10 * 0.04 / 4 * mu * std::sqrt(2 * kGravity * h)},
        // ditch: the depth that carries 0.4 m³/s
        {143, "Q", 0.4, "t", 0.03, 3, DitchDepthFor(0.4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%d %s", c.form, c.result));
        const auto form = Opened(c.form);
        const SolveOutcome out = SolveFor(*form, {Id(*form, c.result), c.target, Id(*form, c.vary), c.lo, c.hi});
        ASSERT_TRUE(out.found) << out.problem;
        EXPECT_NEAR(out.value, c.expected, 2e-10 * c.expected);
        EXPECT_NEAR(out.resultValue, c.target, 1e-8 * c.target);
        EXPECT_LE(out.computations, kMostSolveComputations);
        EXPECT_EQ(out.valueText, Format("%.15g", out.value));
    }
}

// The orifice's Q for d = 0.2 m at h 0.6 m, mu 0.67, over intervals of
// many decades, across 0 and from 0: to 1e-10 of the root itself.
TEST_F(SolveForTest, WideIntervalsFindTheRootToItsOwnTolerance)
{
    const double root = 1000 * kPi10 * 0.2 * 0.2 / 4 * 0.67 * std::sqrt(2 * kGravity * 0.6);
    const std::pair<double, double> intervals[] = {
        {1e-6, 1e12}, {1e-20, 1e20}, {0.001, 1e9}, {1e-300, 1e300}, {0, 1e12}, {-1e12, 1e12}, {-1e300, 1e300},
    };
    const auto form = Opened(171);
    for (const auto& [lo, hi] : intervals) {
        SCOPED_TRACE(Format("%g %g", lo, hi));
        const SolveOutcome out = SolveFor(*form, {Id(*form, "d"), 0.2, Id(*form, "Q"), lo, hi});
        ASSERT_TRUE(out.found) << out.problem;
        EXPECT_NEAR(out.value, root, 1e-10 * root);
        EXPECT_LE(out.computations, kMostSolveComputations);
    }
}

// What cannot be searched says why and reports no value: an interval of
// heads whose positive half overflows the velocity, one narrower than the
// field's digits.
TEST_F(SolveForTest, IntervalsThatGiveNoValue)
{
    const auto form = Opened(171);
    const int d = Id(*form, "d"), h = Id(*form, "h");
    const SolveOutcome huge = SolveFor(*form, {d, 0.2, h, -1.7e308, 1.7e308});
    EXPECT_FALSE(huge.found);
    EXPECT_NE(huge.problem.find("lässt sich an den Stützstellen des Suchbereichs nicht berechnen"), std::string::npos)
        << huge.problem;
    const SolveOutcome narrow = SolveFor(*form, {d, 0.2, h, 0.6, std::nextafter(0.6, 1.0)});
    EXPECT_FALSE(narrow.found);
    EXPECT_EQ(narrow.problem, "Der Suchbereich von 0.6 bis 0.6 ist enger, als das Feld h Stellen zeigt.");
}

// Every success of the search over random intervals (many decades, across
// 0, from 0) and targets holds on the form itself: typed as reported, the
// result is the target, or the target lies between the results a relative
// 1e-10 to either side. A target the form shows in the interval is found.
TEST_F(SolveForTest, EverySuccessHoldsOnTheForm)
{
    struct Pair {
        int form;
        const char* result;
        const char* vary;
    };
    const Pair pairs[] = {{171, "d", "Q"}, {171, "v", "h"}, {171, "d", "h"}, {130, "Qv", "n"}, {130, "vv", "n"}};
    std::mt19937_64 random(25);
    std::uniform_real_distribution<double> exponent(-12, 12), unit(0, 1);
    int successes = 0;
    for (const Pair& p : pairs) {
        const auto form = Opened(p.form);
        const int result = Id(*form, p.result), vary = Id(*form, p.vary);
        const auto resultAt = [&](double x) {
            EXPECT_EQ(form->Type(vary, Format("%.15g", x)), Refusal::None);
            PressCompute(*form);
            const std::vector<int>& leftOut = form->RefusedFields();
            const bool named = std::find(leftOut.begin(), leftOut.end(), result) != leftOut.end();
            const bool refused = !form->RefusedBecause().empty() && (form->RefusedWhole() || named);
            return refused ? std::nan("") : std::stod(form->Text(result));
        };
        for (int i = 0; i < 24; ++i) {
            double lo = std::pow(10.0, exponent(random)), hi = std::pow(10.0, exponent(random));
            if (lo > hi)
                std::swap(lo, hi);
            if (i % 4 == 1)
                lo = -lo; // across 0
            if (i % 4 == 2)
                lo = 0;
            // A target reached inside the interval, most of the time.
            const double t = unit(random);
            const double inside = std::exp(std::log(std::max(lo, hi * 1e-9)) * (1 - t) + std::log(hi) * t);
            double target = resultAt(inside);
            const bool shown = std::isfinite(target) && i % 6 != 5;
            if (!shown)
                target = std::pow(10.0, exponent(random));
            SCOPED_TRACE(Format("%d %s %.17g .. %.17g -> %.17g", p.form, p.result, lo, hi, target));
            const SolveOutcome out = SolveFor(*form, {result, target, vary, lo, hi});
            EXPECT_LE(out.computations, kMostSolveComputations);
            if (!out.found) {
                // A target the form shows inside the interval is found.
                EXPECT_FALSE(shown) << out.problem;
                EXPECT_NE(out.problem, "");
                continue;
            }
            ++successes;
            ASSERT_EQ(out.valueText, Format("%.15g", out.value));
            const double at = resultAt(out.value);
            EXPECT_EQ(at, out.resultValue);
            if (at == target)
                continue;
            const double below = resultAt(out.value - 1e-10 * std::fabs(out.value));
            const double above = resultAt(out.value + 1e-10 * std::fabs(out.value));
            EXPECT_LE(std::min(below, above), target);
            EXPECT_GE(std::max(below, above), target);
        }
    }
    EXPECT_GT(successes, 80);
}

TEST_F(SolveForTest, TakeSolutionShowsTheValueOnTheForm)
{
    const auto form = Opened(171);
    const int h = Id(*form, "h"), v = Id(*form, "v");
    const SolveOutcome out = SolveFor(*form, {v, 3, h, 0.01, 10});
    ASSERT_TRUE(out.found);
    EXPECT_EQ(form->Text(h), "0.6"); // the search leaves the form alone
    ASSERT_TRUE(TakeSolution(*form, h, out));
    EXPECT_EQ(form->Text(h), out.valueText);
    EXPECT_NEAR(std::stod(form->Text(v)), 3, 1e-9);
}

TEST_F(SolveForTest, NothingFound)
{
    struct Case {
        int form;
        const char* result;
        double target;
        const char* vary;
        double lo, hi;
        std::string problem;
    };
    const Case cases[] = {
        {171, "v", 50, "h", 0.01, 10,
         Format("Der Zielwert 50 wird im Suchbereich nicht erreicht (v zwischen %.15g und %.15g).",
                0.67 * std::sqrt(2 * kGravity * 0.01), 0.67 * std::sqrt(2 * kGravity * 10))},
        // DN 300 at 1 : 100 carries Qv = 98 l/s full: from Q = 150 on the pipe
        // is overloaded and has no part filling, so no velocity vt
        {130, "vt", 1, "Q", 150, 200,
         "Das Ergebnis vt lässt sich an den Stützstellen des Suchbereichs nicht berechnen. Bei Q = 150 rechnet das "
         "Formular nicht: "
         "überlastet: Q > Qv, keine Teilfüllung"},
    };
    for (const Case& c : cases) {
        const auto form = Opened(c.form);
        const SolveOutcome out = SolveFor(*form, {Id(*form, c.result), c.target, Id(*form, c.vary), c.lo, c.hi});
        EXPECT_FALSE(out.found);
        EXPECT_EQ(out.problem, c.problem);
        EXPECT_FALSE(TakeSolution(*form, Id(*form, c.vary), out));
    }
}

TEST_F(SolveForTest, RoundedResultEndsAtTheStep)
{
    // Qv is written with one decimal: a step function of the slope 1 : n
    // (the diameter is one of the table's). The search ends at an n where
    // Qv shows the target, within the computations.
    const auto form = Opened(130);
    const SolveOutcome out = SolveFor(*form, {Id(*form, "Qv"), 90, Id(*form, "n"), 50, 1000});
    ASSERT_TRUE(out.found) << out.problem;
    EXPECT_LE(out.computations, kMostSolveComputations);
    EXPECT_EQ(out.resultValue, 90.0);
    // Prandtl-Colebrook at DN 300, kb 1.5 mm: Qv falls with n; the n of
    // 90 l/s bisected here. Qv shown to 0.05 l/s is n to about 0.15.
    const auto Qv = [](double n) {
        const double D = 0.3, s = std::sqrt(2 * kGravity * D / n);
        return -2 * std::log10(2.51 * 1.31e-6 / (D * s) + 1.5e-3 / (3.71 * D)) * s * kPi10 * D * D / 4 * 1000;
    };
    double lo = 50, hi = 1000;
    for (int i = 0; i < 200; ++i)
        (Qv(0.5 * (lo + hi)) > 90 ? lo : hi) = 0.5 * (lo + hi);
    EXPECT_NEAR(out.value, 0.5 * (lo + hi), 0.2);
}

TEST_F(SolveForTest, RequestsThatCannotBeSearched)
{
    const auto form = Opened(171);
    const int h = Id(*form, "h"), v = Id(*form, "v");
    EXPECT_EQ(SolveRequestProblem(*form, {v, 1, v, 0, 1}), "Das Feld \"Fließgeschwindigkeit v\" (1005) ist ein Ergebnisfeld.");
    EXPECT_EQ(SolveRequestProblem(*form, {v, 1, h, 2, 1}), "Der Suchbereich von 2 bis 1 ist leer.");
    EXPECT_EQ(SolveRequestProblem(*form, {v, NAN, h, 0, 1}), "Der Zielwert ist keine endliche Zahl.");
    EXPECT_EQ(SolveRequestProblem(*form, {v, 1, h, 0, 1}), "");
}

TEST_F(SolveForTest, DefaultIntervals)
{
    const auto form = Opened(171);
    const auto [lo, hi] = DefaultSolveInterval(*form, Id(*form, "h")); // 0.6, no range
    EXPECT_DOUBLE_EQ(lo, 0.6 / std::sqrt(10.0));
    EXPECT_DOUBLE_EQ(hi, 0.6 * std::sqrt(10.0));
    EXPECT_EQ(DefaultSolveInterval(*form, Id(*form, "mu")), std::make_pair(0.0, 1.0)); // its range
    ASSERT_EQ(form->Type(Id(*form, "Q"), "-5"), Refusal::None);
    EXPECT_EQ(DefaultSolveInterval(*form, Id(*form, "Q")), std::make_pair(-5 * std::sqrt(10.0), -5 / std::sqrt(10.0)));
    ASSERT_EQ(form->Type(Id(*form, "Q"), "0"), Refusal::None);
    EXPECT_EQ(DefaultSolveInterval(*form, Id(*form, "Q")), std::make_pair(0.0, 1.0));
}

// A refusal of other results does not stop the search: with a negative
// curb width only the curb's results are refused, and the V-gutter's
// A = b (b qS / 100) / 2 = 0.00315 m² is reached at b = 0.3 m.
TEST_F(SolveForTest, ResultOutsideAPartRefusalIsFound)
{
    const auto form = Opened(152);
    ASSERT_EQ(form->Type(Id(*form, "b1"), "-0.1"), Refusal::None);
    PressCompute(*form);
    const SolveOutcome out = SolveFor(*form, {Id(*form, "A2"), 0.00315, Id(*form, "b2"), 0.1, 0.5});
    ASSERT_TRUE(out.found) << out.problem;
    EXPECT_NEAR(out.value, 0.3, 1e-8);
}

// Results shown for other inputs are not taken as current: h typed but
// not computed gives v = mu sqrt(2 g h) for the h typed.
TEST_F(SolveForTest, CurrentFieldTextFollowsTheInputsAsTheyStand)
{
    const auto form = Opened(171);
    const int v = Id(*form, "v");
    EXPECT_EQ(CurrentFieldText(*form, v), form->Text(v));
    ASSERT_EQ(form->Type(Id(*form, "h"), "1.2"), Refusal::None);
    ASSERT_TRUE(form->ResultsStale());
    EXPECT_NEAR(std::stod(CurrentFieldText(*form, v)), 0.67 * std::sqrt(2 * kGravity * 1.2), 1e-12);
}

} // namespace
} // namespace dralun
