#include "rating/SolveFor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/ComputeButton.h"
#include "rating/FormCopy.h"
#include "rating/RatingSweep.h"

namespace dralun {

namespace {

constexpr int kSamples = 11;
// The check of a value found: the form at the value and at either side.
constexpr int kCheckComputations = 3;
// A bracket whose ends lie this factor apart (on one side of 0) is halved
// at its geometric mean, as a wide positive interval is sampled.
constexpr double kWideRatio = 100;
// Probes into the gap between a refused sample and a computed one.
constexpr int kGapProbes = 9;

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

    // The search leaves room for the check of its value.
    bool Exhausted() const { return m_copy.Computations() >= kMostSolveComputations - kCheckComputations; }
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

// Whether the ends of a bracket lie on one side of 0 and far apart.
bool Wide(double a, double b)
{
    const double lo = std::min(std::fabs(a), std::fabs(b)), hi = std::max(std::fabs(a), std::fabs(b));
    return (a > 0) == (b > 0) && lo > 0 && hi / lo >= kWideRatio;
}

// The point between a and b that a bisection takes: the geometric mean for
// a wide bracket, else the middle; neither overflows.
double Between(double a, double b, double t = 0.5)
{
    if (Wide(a, b)) {
        const double sign = a > 0 ? 1 : -1;
        return sign * std::exp(std::log(std::fabs(a)) * (1 - t) + std::log(std::fabs(b)) * t);
    }
    return a * (1 - t) + b * t;
}

std::vector<double> SamplePoints(double lo, double hi)
{
    std::vector<double> xs;
    for (int i = 0; i < kSamples; ++i) {
        const double t = static_cast<double>(i) / (kSamples - 1);
        xs.push_back(i == 0 ? lo : i == kSamples - 1 ? hi : Between(lo, hi, t));
    }
    return xs;
}

// The nearest value to x the field takes that lies "toward" from it by at
// least the tolerance of the search (a single-precision field: at least
// one unit of its sixth digit).
double Beside(const FieldInfo& field, double x, double toward)
{
    double step = kSolveTolerance * std::fabs(x);
    if (field.kind == Kind::Single)
        step = std::max(step, std::pow(10.0, std::floor(std::log10(std::fabs(x))) - 5));
    const double beside = x + (toward > 0 ? step : -step);
    return ParseFieldNumber(NumberForField(field, beside)).value_or(beside);
}

// Between a refused sample and the nearest computed one the form may still
// compute, and there alone the result may reach the target (a discharge
// searched from 0 whose root lies below the first tenth of the interval).
// Probed from the computed sample toward the refused one, ever closer (by
// decades toward 0), until the result passes the target or the form refuses.
void ExploreGap(Probe& probe, const Sample& computed, double refused, double target, std::vector<Sample>& samples)
{
    const bool towardZero = refused == 0 || (refused < 0) != (computed.x < 0);
    const bool above = computed.y > target;
    double last = computed.x;
    for (int k = 0; k <= kGapProbes && !probe.Exhausted(); ++k) {
        double x = 0;
        if (k < kGapProbes)
            x = towardZero ? computed.x * std::pow(10.0, -std::ldexp(1.0, k))
                           : Between(computed.x, refused, 1 - std::ldexp(1.0, -(k + 1)));
        else if (!towardZero || refused == 0)
            break; // 0 itself only where it lies inside the gap
        if (x == last || x == refused)
            break;
        last = x;
        Sample s = probe.At(x);
        if (!std::isfinite(s.y))
            break;
        const bool passed = s.y == target || (s.y > target) != above;
        samples.push_back(std::move(s));
        if (passed)
            break;
    }
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
            // Relative to the root, which lies between b and c: the bracket
            // ends when its width is the tolerance of its larger end (a
            // bracket with an end at 0 never does).
            const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b.x) +
                               0.5 * kSolveTolerance * std::max(std::fabs(b.x), std::fabs(c.x));
            const double half = 0.5 * c.x - 0.5 * b.x;
            if (std::fabs(half) <= tol || fb == 0)
                return Found(b);

            const double width = std::fabs(c.x - b.x);
            if (width <= 0.5 * markedWidth) {
                markedWidth = width;
                slowSteps = 0;
            } else {
                ++slowSteps;
            }
            const bool bisect = slowSteps >= 3 || Wide(b.x, c.x);
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
                    d = Between(b.x, c.x) - b.x;
                    e = d;
                }
            } else {
                d = Between(b.x, c.x) - b.x;
                e = d;
            }
            a = b;
            fa = fb;
            double next = std::fabs(d) > tol ? b.x + d : b.x + (half > 0 ? tol : -tol);
            // A step from a large end to a tiny root can round onto an end
            // (or 0): the bracket is then halved instead.
            if (!(std::min(b.x, c.x) < next && next < std::max(b.x, c.x)))
                next = Between(b.x, c.x);
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

// The value found, checked as the form takes it: typed back as it is
// shown, the result there must be the target, or the target must lie
// between the results just below and just above it, within the tolerance.
// Else the search has not found it, whatever Brent's bracket said.
SolveOutcome Checked(const CForm& form, const SolveRequest& request, CFormCopy& copy, SolveOutcome found)
{
    if (!found.found)
        return found;
    const FieldInfo& field = *form.FindField(request.vary);
    Probe probe(copy, request);
    const Sample at = probe.At(found.value);
    found.computations = probe.Computations();
    if (!std::isfinite(at.y)) {
        found.found = false;
        found.problem = WhyNoNumber(form, request.vary, at);
        return found;
    }
    found.resultValue = at.y;
    if (at.y == request.target)
        return found;
    const std::string name = NameOf(form, request.vary), result = NameOf(form, request.result);
    std::string around;
    if (found.value != 0) {
        const Sample below = probe.At(Beside(field, found.value, -1));
        const Sample above = probe.At(Beside(field, found.value, 1));
        found.computations = probe.Computations();
        if (std::isfinite(below.y) && std::isfinite(above.y) &&
            std::min(below.y, above.y) <= request.target && request.target <= std::max(below.y, above.y))
            return found;
        around = Format(" (bei %.15g: %s, bei %.15g: %s)", below.x, below.text.c_str(), above.x, above.text.c_str());
    }
    found.found = false;
    found.problem = Format("Die Probe verfehlt den Zielwert: bei %s = %s ist %s = %s%s, nicht %.15g auf %.0e genau.",
                           name.c_str(), found.valueText.c_str(), result.c_str(), at.text.c_str(), around.c_str(),
                           request.target, kSolveTolerance);
    return found;
}

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
    const FieldInfo& field = *form.FindField(request.vary);
    if (NumberForField(field, request.lo) == NumberForField(field, request.hi)) {
        out.problem = Format("Der Suchbereich von %.15g bis %.15g ist enger, als das Feld %s Stellen zeigt.",
                             request.lo, request.hi, NameOf(form, request.vary).c_str());
        return out;
    }

    std::vector<Sample> samples;
    std::optional<Sample> firstRefused;
    std::vector<Sample> all;
    for (double x : SamplePoints(request.lo, request.hi)) {
        Sample s = probe.At(x);
        if (std::isfinite(s.y))
            samples.push_back(s);
        else if (!firstRefused)
            firstRefused = s;
        all.push_back(std::move(s));
    }
    const auto reached = [&] {
        const auto [lo, hi] = std::minmax_element(samples.begin(), samples.end(),
                                                  [](const Sample& l, const Sample& r) { return l.y < r.y; });
        return samples.size() >= 2 && lo->y <= request.target && request.target <= hi->y;
    };
    if (!samples.empty() && !reached()) {
        // The computed samples end beside refused ones: the gaps between.
        for (size_t i = 0; i + 1 < all.size(); ++i) {
            if (std::isfinite(all[i].y) && !std::isfinite(all[i + 1].y))
                ExploreGap(probe, all[i], all[i + 1].x, request.target, samples);
            else if (!std::isfinite(all[i].y) && std::isfinite(all[i + 1].y))
                ExploreGap(probe, all[i + 1], all[i].x, request.target, samples);
        }
        std::sort(samples.begin(), samples.end(), [](const Sample& l, const Sample& r) { return l.x < r.x; });
    }
    out.computations = probe.Computations();
    const std::string result = NameOf(form, request.result);
    if (samples.size() < 2) {
        out.problem =
            Format("Das Ergebnis %s lässt sich an den Stützstellen des Suchbereichs nicht berechnen.", result.c_str());
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
            return Checked(form, request, copy, brent.Run(samples[i], samples[i]));
        if (i > 0 && (samples[i - 1].y < request.target) != (samples[i].y < request.target)) {
            Sample left = samples[i - 1], right = samples[i];
            // A bracket across 0 is split there: 0 itself may be the root,
            // and either half then ends to a tolerance relative to its root.
            if (left.x < 0 && right.x > 0) {
                Sample zero = probe.At(0.0);
                if (zero.y == request.target)
                    return Checked(form, request, copy, brent.Run(zero, zero));
                if (std::isfinite(zero.y))
                    ((zero.y < request.target) == (left.y < request.target) ? left : right) = std::move(zero);
            }
            return Checked(form, request, copy, brent.Run(left, right));
        }
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
