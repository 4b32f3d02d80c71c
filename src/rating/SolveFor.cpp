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
// The computations kept for the shortest text of the value found.
constexpr int kShortestComputations = 5;
// A bracket whose ends lie this factor apart (on one side of 0) is halved
// at its geometric mean, as a wide positive interval is sampled.
constexpr double kWideRatio = 100;
// Probes into the gap between a refused sample and a computed one, and
// from a sample toward 0.
constexpr int kGapProbes = 9;

struct Sample {
    double x = 0;                                        // the value the field takes, as typed
    double y = std::numeric_limits<double>::quiet_NaN(); // every digit; NaN: refused, or no number
    std::string text;                                    // the result as the form shows it
    std::string refused;
};

// The result of the form for one value of the input, on the copy, and the
// side of the target on which the form's verdict holds: a capacity at
// least the target (+1), a demand at most the target (-1), either (0).
class Probe {
public:
    Probe(CFormCopy& copy, const CForm& form, const SolveRequest& request)
        : m_copy(copy), m_field(*form.FindField(request.vary)), m_result(*form.FindField(request.result)),
          m_request(request)
    {
        m_copy.RecordSteps();
        SideOf(form.FormVerdict());
    }

    // The search leaves room for the shortest text of its value.
    bool Exhausted() const { return m_copy.Computations() >= kMostSolveComputations - kShortestComputations; }
    bool Spent() const { return m_copy.Computations() >= kMostSolveComputations; }
    int Computations() const { return m_copy.Computations(); }
    int Side() const { return m_side; }

    // The value the field takes when x is typed into it.
    double Typed(double x) const
    {
        return std::isfinite(x) ? ParseFieldNumber(NumberForField(m_field, x)).value_or(x) : x;
    }

    Sample At(double x)
    {
        x = Typed(x);
        const CFormCopy::Outcome out = m_copy.Compute(m_request.vary, x, {m_request.result});
        Sample s;
        s.x = x;
        s.text = out.texts.front();
        // A refusal of other results than this one does not concern it.
        s.refused = out.leftOut.front() ? out.partly : out.refused;
        if (s.refused.empty())
            s.y = out.fullValues.front();
        SideOf(out.verdict);
        return s;
    }

    // Whether a result meets the target: within its tolerance, on the side
    // where the verdict holds.
    bool Meets(double y) const
    {
        const double off = y - m_request.target, tolerance = kSolveResultTolerance * std::fabs(m_request.target);
        if (!(std::fabs(off) <= tolerance))
            return false;
        return m_side == 0 || (m_side > 0 ? off >= 0 : off <= 0);
    }

    // Of two samples on either side of the target, the one on the verdict's
    // side (else the nearer).
    const Sample& Better(const Sample& a, const Sample& b) const
    {
        const double fa = a.y - m_request.target, fb = b.y - m_request.target;
        if (m_side > 0)
            return fa >= 0 ? a : b;
        if (m_side < 0)
            return fa <= 0 ? a : b;
        return std::fabs(fa) <= std::fabs(fb) ? a : b;
    }

private:
    void SideOf(const std::optional<Verdict>& verdict)
    {
        if (m_sideKnown || !verdict || verdict->terms.unit != m_result.unit)
            return;
        m_sideKnown = true;
        m_side = verdict->terms.limitSymbol == m_result.name ? 1 : verdict->terms.demandSymbol == m_result.name ? -1 : 0;
    }

    CFormCopy& m_copy;
    const FieldInfo& m_field;
    const FieldInfo& m_result;
    const SolveRequest& m_request;
    bool m_sideKnown = false;
    int m_side = 0;
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

// The values from x toward 0, ever closer by decades (1, 2, 4 ... 256 of
// them), then the smallest normal number of x's sign: an interval from 0
// spans every decade below its other end.
std::vector<double> TowardZero(double x)
{
    std::vector<double> xs;
    for (int k = 0; k < kGapProbes; ++k)
        xs.push_back(x * std::pow(10.0, -std::ldexp(1.0, k)));
    xs.push_back(std::copysign(std::numeric_limits<double>::min(), x));
    std::erase_if(xs, [x](double v) { return v == 0 || std::fabs(v) >= std::fabs(x); });
    return xs;
}

// Between a refused sample and the nearest computed one the form may still
// compute, and there alone the result may reach the target (a discharge
// searched from 0 whose root lies below the first tenth of the interval).
// Probed from the computed sample toward the refused one: by decades toward
// 0, then ever closer to the value refused (the last of those decades the
// form refuses, or the refused sample), until the result passes the target
// or the form refuses.
void ExploreGap(Probe& probe, const Sample& computed, double refused, double target, std::vector<Sample>& samples)
{
    const bool above = computed.y > target;
    double last = computed.x;
    // Whether the probe at x ends the exploration: the result passed the
    // target, or the form refused (which then is the value refused).
    const auto ends = [&](double x) {
        Sample s = probe.At(x);
        if (!std::isfinite(s.y)) {
            refused = s.x;
            return true;
        }
        last = s.x;
        const bool passed = s.y == target || (s.y > target) != above;
        samples.push_back(std::move(s));
        return passed;
    };
    if (refused == 0 || (refused < 0) != (computed.x < 0)) {
        std::vector<double> xs = TowardZero(computed.x);
        if (refused != 0)
            xs.push_back(0.0); // 0 itself where it lies inside the gap
        bool refusedOnTheWay = false;
        for (double x : xs) {
            if (probe.Exhausted() || probe.Typed(x) == last || probe.Typed(x) == refused)
                return;
            if (ends(x)) {
                refusedOnTheWay = refused == probe.Typed(x);
                break;
            }
        }
        if (!refusedOnTheWay)
            return;
    }
    const double from = last;
    for (int k = 0; k < kGapProbes && !probe.Exhausted(); ++k) {
        const double x = probe.Typed(Between(from, refused, 1 - std::ldexp(1.0, -(k + 1))));
        if (x == last || x == refused || ends(x))
            return;
    }
}

// A bracket with an end at 0 spans every decade below its other end:
// narrowed toward 0 by decades to the two values around the target, so that
// its bisection runs over the decades.
void NarrowTowardZero(Probe& probe, Sample& zero, Sample& other, double target)
{
    const bool above = other.y > target;
    for (double x : TowardZero(other.x)) {
        if (probe.Exhausted())
            return;
        Sample s = probe.At(x);
        if (!std::isfinite(s.y))
            return;
        if (s.y == target || (s.y > target) != above) {
            zero = std::move(s);
            return;
        }
        other = std::move(s);
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

// The ends of a search: the value on the verdict's side that meets the
// target, and the other end of its bracket.
struct Ends {
    Sample good, other;
    std::string problem; // why nothing meets the target, or ""
};

// Brent's method on f(x) = result(x) - target inside [a, b], where f(a) and
// f(b) have opposite signs. Inverse quadratic interpolation or the secant
// where it shrinks the bracket well, bisection otherwise; a bracket that
// has not halved in three steps is bisected, so a result that is a step
// function (a rounded text) ends at the step. A bracket 1e-10 wide whose end
// on the verdict's side does not meet the target narrows on to the values
// the field takes next to each other.
class Brent {
public:
    Brent(Probe& probe, const CForm& form, const SolveRequest& request)
        : m_probe(probe), m_form(form), m_request(request)
    {
    }

    Ends Run(const Sample& left, const Sample& right)
    {
        Sample a = left, b = right, c = left;
        double fa = a.y - m_request.target, fb = b.y - m_request.target, fc = fa;
        double d = b.x - a.x, e = d;
        double markedWidth = std::fabs(b.x - a.x);
        int slowSteps = 0;
        bool fine = false;
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
            if (fb == 0)
                return {b, c, {}};
            // Relative to the root, which lies between b and c: the bracket
            // ends when its width is the tolerance of its larger end (a
            // bracket with an end at 0 never does).
            const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b.x) +
                               (fine ? 0 : 0.5 * kSolveTolerance * std::max(std::fabs(b.x), std::fabs(c.x)));
            const double half = 0.5 * c.x - 0.5 * b.x;
            if (std::fabs(half) <= tol) {
                if (m_probe.Meets(m_probe.Better(b, c).y) || fine)
                    return Ended(b, c);
                fine = true;
                continue;
            }

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
            // The field takes no value between the ends: the bracket ends.
            next = m_probe.Typed(next);
            if (next == b.x || next == c.x)
                next = m_probe.Typed(Between(b.x, c.x));
            if (next == b.x || next == c.x)
                return Ended(b, c);
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
    // The end on the verdict's side, where it meets the target; else the
    // result passes the target between two values of the field next to
    // each other (a step, or a field of few digits).
    Ends Ended(const Sample& b, const Sample& c) const
    {
        const Sample& good = m_probe.Better(b, c);
        const Sample& other = &good == &b ? c : b;
        if (m_probe.Meets(good.y))
            return {good, other, {}};
        const std::string name = NameOf(m_form, m_request.vary), result = NameOf(m_form, m_request.result);
        return Problem(Format("Das Ergebnis %s springt zwischen %s = %.15g und %.15g von %.15g auf %.15g und "
                              "erreicht den Zielwert %.15g nicht auf %.0e genau.",
                              result.c_str(), name.c_str(), std::min(b.x, c.x), std::max(b.x, c.x),
                              (b.x < c.x ? b : c).y, (b.x < c.x ? c : b).y, m_request.target,
                              kSolveResultTolerance));
    }

    static Ends Problem(std::string text)
    {
        Ends ends;
        ends.problem = std::move(text);
        return ends;
    }

    Probe& m_probe;
    const CForm& m_form;
    const SolveRequest& m_request;
};

// The decimal with the fewest significant digits (at most 14) in [p, q],
// nearest to x; none where the interval holds none.
std::optional<double> ShortestDecimal(double p, double q, double x)
{
    const double larger = std::max(std::fabs(p), std::fabs(q));
    if (!(p <= q) || !std::isfinite(larger) || larger == 0)
        return std::nullopt;
    const int top = static_cast<int>(std::floor(std::log10(larger)));
    for (int digits = 1; digits <= 14; ++digits) {
        const double unit = std::pow(10.0, top - digits + 1);
        const double first = std::ceil(p / unit), last = std::floor(q / unit);
        if (first > last)
            continue;
        const double k = std::clamp(std::round(x / unit), first, last);
        const std::optional<double> value = ParseFieldNumber(Format("%.*g", digits, k * unit));
        if (value && p <= *value && *value <= q)
            return value;
    }
    return std::nullopt;
}

// The value found as an engineer would type it: the shortest decimal that
// still meets the target on the verdict's side. The values that do are
// estimated from the bracket's slope; each candidate is computed, and one
// that misses halves the estimate toward the value found. Else the value
// found with its 15 digits.
SolveOutcome Shortest(Probe& probe, const CForm& form, const SolveRequest& request, const Ends& ends)
{
    Sample best = ends.good;
    const Sample& good = ends.good;
    const double fg = good.y - request.target, fo = ends.other.y - request.target;
    const double slope = (fo - fg) / (ends.other.x - good.x);
    if (std::isfinite(slope) && slope != 0) {
        const double root = good.x - fg / slope;
        const double reach = kSolveResultTolerance * std::fabs(request.target) / slope;
        double p = probe.Side() == 0 ? root - reach : root, q = probe.Side() < 0 ? root - reach : root + reach;
        for (int attempt = 0; attempt < kShortestComputations && !probe.Spent(); ++attempt) {
            const double lo = std::max(std::min(p, q), request.lo), hi = std::min(std::max(p, q), request.hi);
            const std::optional<double> x = ShortestDecimal(lo, hi, good.x);
            if (!x || probe.Typed(*x) == good.x)
                break;
            const Sample s = probe.At(*x);
            if (std::isfinite(s.y) && probe.Meets(s.y)) {
                best = s;
                break;
            }
            p = good.x + 0.5 * (p - good.x);
            q = good.x + 0.5 * (q - good.x);
        }
    }
    SolveOutcome out;
    out.found = true;
    out.value = best.x;
    out.valueText = NumberForField(*form.FindField(request.vary), best.x);
    out.resultValue = best.y;
    out.computations = probe.Computations();
    return out;
}

SolveOutcome Finished(Probe& probe, const CForm& form, const SolveRequest& request, const Ends& ends)
{
    if (ends.problem.empty())
        return Shortest(probe, form, request, ends);
    SolveOutcome out;
    out.problem = ends.problem;
    out.computations = probe.Computations();
    return out;
}

} // namespace

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
    Probe probe(copy, form, request);
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
            return Finished(probe, form, request, brent.Run(samples[i], samples[i]));
        if (i > 0 && (samples[i - 1].y < request.target) != (samples[i].y < request.target)) {
            Sample left = samples[i - 1], right = samples[i];
            // A bracket across 0 is split there: 0 itself may be the root,
            // and either half then ends to a tolerance relative to its root.
            if (left.x < 0 && right.x > 0) {
                Sample zero = probe.At(0.0);
                if (zero.y == request.target)
                    return Finished(probe, form, request, brent.Run(zero, zero));
                if (std::isfinite(zero.y))
                    ((zero.y < request.target) == (left.y < request.target) ? left : right) = std::move(zero);
            }
            if (left.x == 0)
                NarrowTowardZero(probe, left, right, request.target);
            else if (right.x == 0)
                NarrowTowardZero(probe, right, left, request.target);
            return Finished(probe, form, request, brent.Run(left, right));
        }
    }
    return out; // not reached: the target lies between the samples
}

bool TakeSolution(CForm& form, int vary, const SolveOutcome& outcome)
{
    if (!outcome.found || form.Type(vary, outcome.valueText) != Refusal::None)
        return false;
    PressCompute(form);
    return true;
}

} // namespace dralun
