#include "project/SolveFor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/ComputeButton.h"
#include "project/FormCopy.h"
#include "project/RatingSweep.h"

namespace dralun {

namespace {

constexpr int kSamples = 11;
// A root within this share of the interval from 0 is found to an absolute
// tolerance (kSolveTolerance times the interval) instead of a relative one.
constexpr double kNearZero = 1e-3;

struct Sample {
    double x = 0;
    double y = std::numeric_limits<double>::quiet_NaN(); // NaN: refused, or no number
    std::string text;                                    // the result as the form shows it
    std::string refused;
};

// The result of the form for one value of the input, on the copy.
class Probe {
public:
    Probe(CFormCopy& copy, const SolveRequest& request) : m_copy(copy), m_request(request) {}

    bool Exhausted() const { return m_copy.Computations() >= kMostSolveComputations; }
    int Computations() const { return m_copy.Computations(); }

    Sample At(double x)
    {
        const CFormCopy::Outcome out = m_copy.Compute(m_request.vary, x, {m_request.result});
        Sample s;
        s.x = x;
        s.text = out.texts.front();
        // A refusal of other results than this one does not concern it.
        s.refused = out.leftOut.front() ? out.partly : out.refused;
        if (s.refused.empty())
            s.y = out.values.front();
        return s;
    }

private:
    CFormCopy& m_copy;
    const SolveRequest& m_request;
};

std::vector<double> SamplePoints(double lo, double hi)
{
    const bool logarithmic = lo > 0 && hi / lo >= 100;
    std::vector<double> xs;
    for (int i = 0; i < kSamples; ++i) {
        const double t = static_cast<double>(i) / (kSamples - 1);
        double x = logarithmic ? lo * std::pow(hi / lo, t) : lo + (hi - lo) * t;
        if (i == kSamples - 1)
            x = hi;
        xs.push_back(x);
    }
    return xs;
}

std::string NameOf(const CForm& form, int id)
{
    const FieldInfo* f = form.FindField(id);
    return f ? f->name : std::to_string(id);
}

std::string WhyNoNumber(const CForm& form, int vary, const Sample& s)
{
    if (!s.refused.empty())
        return Format("Bei %s = %.15g rechnet das Formular nicht: ", NameOf(form, vary).c_str(), s.x) + s.refused;
    return Format("Bei %s = %.15g zeigt das Formular keine Zahl.", NameOf(form, vary).c_str(), s.x);
}

// Brent's method on f(x) = result(x) - target inside [a, b], where f(a) and
// f(b) have opposite signs. Inverse quadratic interpolation or the secant
// where it shrinks the bracket well, bisection otherwise; a bracket that
// has not halved in three steps is bisected, so a result that is a step
// function (a rounded text) ends at the step.
class Brent {
public:
    Brent(Probe& probe, const CForm& form, const SolveRequest& request)
        : m_probe(probe), m_form(form), m_request(request)
    {
    }

    SolveOutcome Run(const Sample& left, const Sample& right)
    {
        Sample a = left, b = right, c = left;
        double fa = a.y - m_request.target, fb = b.y - m_request.target, fc = fa;
        double d = b.x - a.x, e = d;
        double markedWidth = std::fabs(b.x - a.x);
        int slowSteps = 0;
        for (;;) {
            if ((fb > 0) == (fc > 0)) {
                c = a;
                fc = fa;
                d = e = b.x - a.x;
            }
            if (std::fabs(fc) < std::fabs(fb)) {
                a = b;
                b = c;
                c = a;
                fa = fb;
                fb = fc;
                fc = fa;
            }
            const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b.x) + 0.5 * Tolerance(b.x);
            const double half = 0.5 * (c.x - b.x);
            if (std::fabs(half) <= tol || fb == 0)
                return Found(b);

            const double width = std::fabs(c.x - b.x);
            if (width <= 0.5 * markedWidth) {
                markedWidth = width;
                slowSteps = 0;
            } else {
                ++slowSteps;
            }
            const bool bisect = slowSteps >= 3;
            if (bisect) {
                markedWidth = width;
                slowSteps = 0;
            }
            if (!bisect && std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
                double p, q;
                const double s = fb / fa;
                if (a.x == c.x) {
                    p = 2 * half * s;
                    q = 1 - s;
                } else {
                    const double r = fb / fc, t = fa / fc;
                    p = s * (2 * half * t * (t - r) - (b.x - a.x) * (r - 1));
                    q = (t - 1) * (r - 1) * (s - 1);
                }
                if (p > 0)
                    q = -q;
                p = std::fabs(p);
                if (2 * p < std::min(3 * half * q - std::fabs(tol * q), std::fabs(e * q))) {
                    e = d;
                    d = p / q;
                } else {
                    d = half;
                    e = d;
                }
            } else {
                d = half;
                e = d;
            }
            a = b;
            fa = fb;
            const double next = std::fabs(d) > tol ? b.x + d : b.x + (half > 0 ? tol : -tol);
            if (m_probe.Exhausted())
                return Problem(Format("Nach %d Berechnungen ist der Wert noch nicht genau genug bestimmt.",
                                      kMostSolveComputations));
            b = m_probe.At(next);
            if (!std::isfinite(b.y))
                return Problem(WhyNoNumber(m_form, m_request.vary, b));
            fb = b.y - m_request.target;
        }
    }

private:
    double Tolerance(double x) const
    {
        const double span = m_request.hi - m_request.lo;
        const double scale = std::fabs(x) > kNearZero * span ? std::fabs(x) : span;
        return kSolveTolerance * scale;
    }

    SolveOutcome Found(const Sample& s) const
    {
        SolveOutcome out;
        out.found = true;
        out.valueText = NumberForField(*m_form.FindField(m_request.vary), s.x);
        out.value = ParseFieldNumber(out.valueText).value_or(s.x);
        out.resultValue = s.y;
        out.computations = m_probe.Computations();
        return out;
    }

    SolveOutcome Problem(std::string text) const
    {
        SolveOutcome out;
        out.problem = std::move(text);
        out.computations = m_probe.Computations();
        return out;
    }

    Probe& m_probe;
    const CForm& m_form;
    const SolveRequest& m_request;
};

} // namespace

std::pair<double, double> DefaultSolveInterval(const CForm& form, int vary)
{
    const FieldInfo* f = form.FindField(vary);
    if (f && f->range)
        return {f->range->lo, f->range->hi};
    const double x = ParseFieldNumber(form.Text(vary)).value_or(0.0);
    const double decade = std::sqrt(10.0);
    if (x > 0)
        return {x / decade, x * decade};
    if (x < 0)
        return {x * decade, x / decade};
    return {0.0, 1.0};
}

std::string SolveRequestProblem(const CForm& form, const SolveRequest& request)
{
    if (!std::isfinite(request.target))
        return "Der Zielwert ist keine endliche Zahl.";
    if (!std::isfinite(request.lo) || !std::isfinite(request.hi))
        return "Der Suchbereich hat keine endlichen Grenzen.";
    if (!(request.lo < request.hi))
        return Format("Der Suchbereich von %.15g bis %.15g ist leer.", request.lo, request.hi);
    RatingRequest rating;
    rating.vary = request.vary;
    rating.from = request.lo;
    rating.to = request.hi;
    rating.rows = 2;
    rating.columns = {request.result};
    return RatingRequestProblem(form, rating);
}

SolveOutcome SolveFor(const CForm& form, const SolveRequest& request)
{
    SolveOutcome out;
    out.problem = SolveRequestProblem(form, request);
    if (!out.problem.empty())
        return out;
    CFormCopy copy(form);
    if (!copy.Problem().empty()) {
        out.problem = "Das Formular lässt sich nicht nachrechnen: " + copy.Problem();
        return out;
    }
    Probe probe(copy, request);

    std::vector<Sample> samples;
    std::optional<Sample> firstRefused;
    for (double x : SamplePoints(request.lo, request.hi)) {
        Sample s = probe.At(x);
        if (std::isfinite(s.y))
            samples.push_back(std::move(s));
        else if (!firstRefused)
            firstRefused = std::move(s);
    }
    out.computations = probe.Computations();
    const std::string result = NameOf(form, request.result);
    if (samples.size() < 2) {
        out.problem = Format("Das Ergebnis %s lässt sich im Suchbereich nicht berechnen.", result.c_str());
        if (firstRefused)
            out.problem.append(" ").append(WhyNoNumber(form, request.vary, *firstRefused));
        return out;
    }

    bool rises = false, falls = false;
    for (size_t i = 1; i < samples.size(); ++i) {
        rises = rises || samples[i].y > samples[i - 1].y;
        falls = falls || samples[i].y < samples[i - 1].y;
    }
    if (rises && falls) {
        out.problem = Format("Das Ergebnis %s steigt und fällt im Suchbereich von %.15g bis %.15g; bitte einen "
                             "Bereich wählen, in dem es nur steigt oder nur fällt.",
                             result.c_str(), request.lo, request.hi);
        return out;
    }
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end(),
                                                 [](const Sample& l, const Sample& r) { return l.y < r.y; });
    if (request.target < low->y || request.target > high->y) {
        out.problem = Format("Der Zielwert %.15g wird im Suchbereich nicht erreicht (%s zwischen %s und %s).",
                             request.target, result.c_str(), low->text.c_str(), high->text.c_str());
        return out;
    }

    Brent brent(probe, form, request);
    for (size_t i = 0; i < samples.size(); ++i) {
        if (samples[i].y == request.target)
            return brent.Run(samples[i], samples[i]);
        if (i > 0 && (samples[i - 1].y < request.target) != (samples[i].y < request.target))
            return brent.Run(samples[i - 1], samples[i]);
    }
    return out; // not reached: the target lies between the samples
}

std::string CurrentFieldText(const CForm& form, int id)
{
    if (!form.ResultsStale())
        return form.Text(id);
    // The copy computes when an input is typed: one is typed as it stands.
    for (int vary : VariableFieldIds(form)) {
        const std::optional<double> value = ParseFieldNumber(form.Text(vary));
        if (!value)
            continue;
        CFormCopy copy(form);
        const CFormCopy::Outcome out = copy.Compute(vary, *value, {id});
        return out.refused.empty() ? out.texts.front() : std::string();
    }
    return {};
}

bool TakeSolution(CForm& form, int vary, const SolveOutcome& outcome)
{
    if (!outcome.found || form.Type(vary, outcome.valueText) != Refusal::None)
        return false;
    PressCompute(form);
    return true;
}

} // namespace dralun
