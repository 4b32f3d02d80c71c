// "Zielwert": the input at which a result reaches a target, against
// closed forms and a bisection of the ditch's formula worked out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

#include "core/Format.h"
#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "rating/SolveFor.h"
#include "rating/SolveStart.h"
#include "OpenedFormTest.h"

namespace dralun {
namespace {

constexpr double kGravity = 9.80665;
constexpr double kPi10 = 3.141592654;

using SolveForTest = test::OpenedFormTest;

// A search on a form: the result to bring to the target, the input varied
// between lo and hi.
struct Search {
    int form;
    const char* result;
    double target;
    const char* vary;
    double lo, hi;
};

SolveOutcome Solve(CForm& form, const Search& s)
{
    return SolveFor(form, {form.FindFieldByName(s.result)->id, s.target, form.FindFieldByName(s.vary)->id, s.lo, s.hi});
}

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
        Search search;
        double expected;
    };
    const double mu = 0.67, h = 0.6;
    const Case cases[] = {
        // orifice: v = mu sqrt(2 g h), so h = (v / mu)² / (2 g)
        {{171, "v", 2.5, "h", 0.01, 10}, std::pow(2.5 / mu, 2) / (2 * kGravity)},
        // orifice: d = 2 sqrt(A / pi), A = Q / 1000 / v: Q = 1000 pi d² / 4 · v
        {{171, "d", 0.2, "Q", 1, 500}, 1000 * kPi10 * 0.04 / 4 * mu * std::sqrt(2 * kGravity * h)},
        // ditch: the depth that carries 0.4 m³/s
        {{143, "Q", 0.4, "t", 0.03, 3}, DitchDepthFor(0.4)},
        // from 0 over three hundred decades
        {{171, "v", 2.5, "h", 0, 1e300}, std::pow(2.5 / mu, 2) / (2 * kGravity)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%d %s", c.search.form, c.search.result));
        const auto form = Opened(c.search.form);
        const SolveOutcome out = Solve(*form, c.search);
        ASSERT_TRUE(out.found) << out.problem;
        // the result to 1e-9: these inputs to 2e-9 (v as the root of h)
        EXPECT_NEAR(out.value, c.expected, 2.2e-9 * c.expected);
        EXPECT_NEAR(out.resultValue, c.search.target, 1e-9 * c.search.target);
        EXPECT_LE(out.computations, kMostSolveComputations);
        EXPECT_EQ(out.valueText, Format("%.15g", out.value));
    }
}

// The orifice's Q for d = 0.2 m at h 0.6 m, mu 0.67, over intervals of
// many decades, across 0 and from 0: d to 1e-9, so Q to 2e-9 of the root.
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
        EXPECT_NEAR(out.value, root, 2.2e-9 * root);
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

// A result of the form as it stands with every digit it computed: the
// verdict's limit, else the last step of the symbol, else the text; NaN
// where the form refused it.
double FullResult(const CForm& form, const FieldInfo& field)
{
    const std::vector<int>& leftOut = form.RefusedFields();
    const bool named = std::find(leftOut.begin(), leftOut.end(), field.id) != leftOut.end();
    if (!form.RefusedBecause().empty() && (form.RefusedWhole() || named))
        return std::nan("");
    if (form.FormVerdict() && form.FormVerdict()->terms.limitSymbol == field.name)
        return form.FormVerdict()->limit;
    for (auto step = form.Steps().rbegin(); step != form.Steps().rend(); ++step)
        if (step->symbol == field.name)
            return step->value;
    return std::stod(form.Text(field.id));
}

// Every success of the search over random intervals (many decades, across
// 0, from 0, up to 1e300) and targets holds on the form itself: typed as
// reported, the result is the target to 1e-9 of it, and a capacity aimed
// at the demand meets the check. A target the form computes inside the
// interval is found.
TEST_F(SolveForTest, EverySuccessHoldsOnTheForm)
{
    struct Pair {
        int form;
        const char* result;
        const char* vary;
        const char* demand; // typed as the target: the check aimed at, or ""
        bool monotone;      // over every positive value, searched so up to 1e300
    };
    // The pipe's velocity turns negative at slopes below about 1 : 1e10,
    // where 2.51 nu / (D s) passes 1: it rises and falls over such intervals.
    const Pair pairs[] = {{171, "d", "Q", "", true},    {171, "v", "h", "", true},   {171, "d", "h", "", true},
                          {130, "Qv", "n", "Q", false}, {130, "vv", "n", "", false}, {130, "Qv", "kb", "Q", false}};
    const std::pair<double, double> wide[] = {{0, 1e300}, {1e-300, 1e300}, {-1e300, 1e300}};
    std::mt19937_64 random(25);
    std::uniform_real_distribution<double> exponent(-12, 12), unit(0, 1);
    int successes = 0;
    for (const Pair& p : pairs) {
        const auto form = Opened(p.form);
        const FieldInfo& result = *form->FindFieldByName(p.result);
        const int vary = Id(*form, p.vary);
        const auto range = form->FindField(vary)->range;
        const auto resultAt = [&](double x) {
            EXPECT_EQ(form->Type(vary, Format("%.15g", x)), Refusal::None);
            PressCompute(*form);
            return FullResult(*form, result);
        };
        for (int i = 0; i < 24; ++i) {
            double lo = std::pow(10.0, exponent(random)), hi = std::pow(10.0, exponent(random));
            if (lo > hi)
                std::swap(lo, hi);
            if (i % 4 == 1)
                lo = -lo; // across 0
            if (i % 4 == 2)
                lo = 0;
            if (!p.monotone) { // the pipe below 1 : 1e9
                hi = std::min(hi, 1e9);
                lo = std::min(lo, hi / 10);
            }
            if (range) // within the field's range, else every row is refused
                std::tie(lo, hi) = std::make_pair(range->lo + (range->hi - range->lo) * unit(random), range->hi);
            double t = unit(random);
            double inside = std::exp(std::log(std::max(lo, hi * 1e-9)) * (1 - t) + std::log(hi) * t);
            if (i % 8 == 3 && p.monotone) {
                std::tie(lo, hi) = wide[i / 8];
                inside = std::pow(10.0, exponent(random));
            }
            // A target reached inside the interval, most of the time.
            double target = resultAt(inside);
            const bool shown = std::isfinite(target) && i % 6 != 5;
            if (!shown)
                target = std::pow(10.0, exponent(random));
            if (*p.demand) { // the demand as the field takes it
                target = std::stod(Format("%.15g", target));
                ASSERT_EQ(form->Type(Id(*form, p.demand), Format("%.15g", target)), Refusal::None);
            }
            SCOPED_TRACE(Format("%d %s %.17g .. %.17g -> %.17g", p.form, p.result, lo, hi, target));
            const SolveOutcome out = SolveFor(*form, {result.id, target, vary, lo, hi});
            EXPECT_LE(out.computations, kMostSolveComputations);
            if (!out.found) {
                EXPECT_FALSE(shown) << out.problem;
                EXPECT_NE(out.problem, "");
                continue;
            }
            ++successes;
            ASSERT_EQ(out.valueText, Format("%.15g", out.value));
            const double at = resultAt(out.value);
            EXPECT_NEAR(at, out.resultValue, 1e-15 * std::fabs(at));
            EXPECT_LE(std::fabs(at - target), 1e-9 * std::fabs(target));
            if (*p.demand) {
                EXPECT_TRUE(form->FormVerdict() && form->FormVerdict()->met);
            }
        }
    }
    EXPECT_GT(successes, 100);
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
        Search search;
        std::string problem;
    };
    const Case cases[] = {
        {{171, "v", 50, "h", 0.01, 10},
         Format("Der Zielwert 50 wird im Suchbereich nicht erreicht (v zwischen %.15g und %.15g).",
                0.67 * std::sqrt(2 * kGravity * 0.01), 0.67 * std::sqrt(2 * kGravity * 10))},
        // DN 300 at 1 : 100 carries Qv = 98 l/s full: from Q = 150 on the pipe
        // is overloaded and has no part filling, so no velocity vt
        {{130, "vt", 1, "Q", 150, 200},
         "Das Ergebnis vt lässt sich an den Stützstellen des Suchbereichs nicht berechnen. Bei Q = 150 rechnet das "
         "Formular nicht: "
         "überlastet: Q > Qv, keine Teilfüllung"},
    };
    for (const Case& c : cases) {
        const auto form = Opened(c.search.form);
        const SolveOutcome out = Solve(*form, c.search);
        EXPECT_FALSE(out.found);
        EXPECT_EQ(out.problem, c.problem);
        EXPECT_FALSE(TakeSolution(*form, Id(*form, c.search.vary), out));
    }
}

// Prandtl-Colebrook at full flow, slope 1 : n, kb 1.5 mm, ν 1.31e-6 m²/s:
// Qv in l/s and vv in m/s.
double PipeFull(double D, double n, bool discharge)
{
    const double s = std::sqrt(2 * kGravity * D / n);
    const double vv = -2 * std::log10(1.31e-6 * 2.51 / D / s + 1.5e-3 / 3.71 / D) * s;
    return discharge ? kPi10 * vv * D * D * 0.25 * 1000 : vv;
}

// The pipe's results have one or two decimals on the form; the search
// aims at every digit: Qv as a capacity at least the target (with Q = the
// target the check holds), vv to either side, within 1e-9 of the target;
// the value is the shortest decimal that does so, both neighbours with a
// digit less miss it.
TEST_F(SolveForTest, TargetMetOnTheVerdictsSideInFewestDigits)
{
    struct Case {
        const char* Q;
        const char* DN;
        const char* result;
        double target;
        int side; // +1: at least the target
    };
    const Case cases[] = {
        {"180", "500", "Qv", 180, 1}, {"40", "300", "Qv", 90, 1}, {"40", "300", "vv", 1.2, 0}, {"40", "400", "Qv", 123.4, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("DN %s %s = %g", c.DN, c.result, c.target));
        const auto form = Opened(130);
        ASSERT_EQ(form->Type(Id(*form, "Q"), c.Q), Refusal::None);
        ASSERT_EQ(form->Type(Id(*form, "DN"), c.DN), Refusal::None);
        ASSERT_EQ(form->Type(Id(*form, "L"), "45"), Refusal::None);
        PressCompute(*form);
        const int n = Id(*form, "n");
        const SolveOutcome out = SolveFor(*form, {Id(*form, c.result), c.target, n, 100, 2000});
        ASSERT_TRUE(out.found) << out.problem;
        EXPECT_LE(out.computations, kMostSolveComputations);
        EXPECT_EQ(out.valueText, Format("%.15g", out.value));
        const double D = std::stod(c.DN) / 1000;
        const bool Qv = c.result == std::string("Qv");
        const auto meets = [&](double value) {
            const double off = PipeFull(D, value, Qv) - c.target;
            return std::fabs(off) <= 1e-9 * c.target * (1 + 1e-6) && (c.side == 0 || off >= -1e-15 * c.target);
        };
        EXPECT_TRUE(meets(out.value));
        EXPECT_NEAR(out.resultValue, PipeFull(D, out.value, Qv), 1e-12 * c.target);
        const int digits = static_cast<int>(std::count_if(out.valueText.begin(), out.valueText.end(), ::isdigit));
        const double unit = std::pow(10.0, std::floor(std::log10(out.value)) - digits + 2);
        EXPECT_FALSE(meets(std::floor(out.value / unit) * unit)) << out.valueText;
        EXPECT_FALSE(meets(std::ceil(out.value / unit) * unit)) << out.valueText;
        ASSERT_TRUE(TakeSolution(*form, n, out));
        EXPECT_EQ(form->Text(n), out.valueText);
        if (Qv && c.target == std::stod(c.Q)) {
            EXPECT_TRUE(form->FormVerdict() && form->FormVerdict()->met);
        }
    }
}

// The input a search starts with acts on its result as the form stands:
// the pipe in the 1 : n mode does not use its length, and Qt (= Q, not
// overloaded) follows Q alone; with the slope from the levels, zo acts.
TEST_F(SolveForTest, SearchStartsWithAnInputThatActsOnTheResult)
{
    struct Case {
        int form;
        bool levels; // the pipe's slope from its bottom levels
        const char* result;
        const char* vary;
    };
    const Case cases[] = {{130, false, "Qv", "kb"}, {130, false, "Qt", "Q"}, {130, true, "Qv", "zo"},
                          {171, false, "v", "h"},   {171, false, "d", "Q"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%d %s", c.form, c.result));
        const auto form = Opened(c.form);
        if (c.levels) {
            ASSERT_EQ(form->Click(1007), Refusal::None);
            ASSERT_EQ(form->Type(Id(*form, "zo"), "101"), Refusal::None);
            ASSERT_EQ(form->Type(Id(*form, "zu"), "100.8"), Refusal::None);
            PressCompute(*form);
        }
        EXPECT_EQ(SolveVariableFor(*form, Id(*form, c.result)), Id(*form, c.vary));
    }
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
