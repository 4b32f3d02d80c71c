#include "core/CInfiltrationSections.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/CSwaleSection.h"
#include "core/Constants.h"
#include "core/CircularArc.h"
#include "core/CTrapezoidSection.h"

namespace dralun {

namespace {

// One threshold as the steps name it: the symbol of its water depth, the
// suffix of its values and its name in the step texts.
struct Threshold {
    const char* depth; // "hs" or "tE"
    const char* x;     // "u" or "o"
    const char* name;  // "an der unteren Schwelle"
};

constexpr Threshold kLower{"hs", "u", "an der unteren Schwelle"};
constexpr Threshold kUpper{"tE", "o", "an der oberen Schwelle"};

// The pattern with "{d}" replaced by the depth's symbol and "{x}" by the suffix.
std::string Put(std::string pattern, const Threshold& at)
{
    for (size_t i; (i = pattern.find("{d}")) != std::string::npos;)
        pattern.replace(i, 3, at.depth);
    for (size_t i; (i = pattern.find("{x}")) != std::string::npos;)
        pattern.replace(i, 3, at.x);
    return pattern;
}

double Record(CSteps& steps, const std::string& text, const Threshold& at, const char* symbol, const char* formula,
              double value, const char* unit)
{
    return steps.Step(text + " " + at.name, Put(symbol, at), Put(formula, at), value, unit);
}

// An empty upper section: no water stands at the upper threshold.
void EmptySteps(CSteps& steps, double bO, bool trench)
{
    steps.Taken("Fließquerschnitt an der oberen Schwelle (t_E = 0: kein Wasser)", "A_o", 0, "m²");
    steps.Taken("Benetzter Umfang an der oberen Schwelle (t_E = 0)", "lu_o", 0, "m");
    if (trench)
        steps.Step("Wasserspiegelbreite an der oberen Schwelle (t_E = 0: die Sohle)", "b_o", "b", bO, "m");
    else
        steps.Taken("Wasserspiegelbreite an der oberen Schwelle (t_E = 0)", "b_o", bO, "m");
}

void CircleSteps(const CSwaleSection& s, double depth, const Threshold& at, CSteps& steps)
{
    Record(steps, "Wasserspiegelbreite (Sehne)", at, "b_{x}", "2 * sqrt(2 * r_K * {d} - {d} * {d})", s.circleWidth,
           "m");
    if (depth <= s.circleRadius)
        Record(steps, "Mittelpunktswinkel des benetzten Bogens (Tiefe ≤ r_K)", at, "theta_{x}",
               "2 * asin(min(b_{x} / 2 / r_K, 1))", s.circleAngle, "rad");
    else
        Record(steps, "Mittelpunktswinkel des benetzten Bogens (Tiefe > r_K)", at, "theta_{x}",
               "2 * acos(max((r_K - {d}) / r_K, -1))", s.circleAngle, "rad");
    Record(steps, "Fließquerschnitt des Kreisabschnitts", at, "A_{x}", "(r_K * r_K / 2) * (theta_{x} - sin(theta_{x}))",
           s.circleArea, "m²");
    Record(steps, "Benetzter Umfang des Kreisabschnitts", at, "lu_{x}",
           CircularArcFormula("r_K", "theta_{x}").c_str(), s.circlePerimeter, "m");
}

void ParabolaSteps(const CSwaleSection& s, double perimeter, const Threshold& at, CSteps& steps)
{
    Record(steps, "Wasserspiegelbreite der Parabel", at, "b_{x}", "2 * sqrt(2 * p * {d})", s.parabolaWidth, "m");
    Record(steps, "Fließquerschnitt der Parabel", at, "A_{x}", "1.33333333333333 * {d} * b_{x} / 2", s.parabolaArea,
           "m²");
    if (std::isfinite(perimeter)) {
        // The series where it agrees with the exact arc, the exact arc beyond.
        if (!s.parabolaSeries)
            Record(steps, "Beiwert der Parabel y = a x²", at, "a_{x}", "1 / (2 * p)", s.parabolaCoefficient, "1/m");
        Record(steps, ParabolaArcText(s), at, "lu_{x}",
               ParabolaArcFormula(s, "(b_{x} / 2)", "{d}", "a_{x}").c_str(), perimeter, "m");
    }
}

void TrapezoidSteps(const CTrapezoidSection& s, const Threshold& at, CSteps& steps)
{
    Record(steps, "Fließquerschnitt des Trapezes", at, "A_{x}", "b * {d} + 0.5 * {d} * {d} * m1 + 0.5 * {d} * {d} * m2",
           s.area, "m²");
    Record(steps, "Benetzter Umfang (beide Böschungen und die Sohle)", at, "lu_{x}",
           "sqrt({d} * {d} + (m1 * {d}) * (m1 * {d})) + b + sqrt({d} * {d} + (m2 * {d}) * (m2 * {d}))", s.perimeter,
           "m");
    Record(steps, "Wasserspiegelbreite", at, "b_{x}", "m1 * {d} + b + m2 * {d}", s.surfaceWidth, "m");
}

} // namespace

SwaleThresholdSections ComputeSwaleThresholdSections(const SwaleThresholdInput& in, CSteps& steps)
{
    const CSwaleSection lower = ComputeSwaleSection({in.B, in.T, in.hs});
    const double tE = std::max(in.tE, 0.0);
    const CSwaleSection upper = ComputeSwaleSection({in.B, in.T, tE});

    SwaleThresholdSections r;
    InfiltrationSections& out = r.sections;
    if (in.parabola) {
        out = {lower.parabolaArea, lower.parabolaPerimeter, lower.parabolaWidth,
               upper.parabolaArea, upper.parabolaPerimeter, upper.parabolaWidth};
    } else {
        out = {lower.circleArea, lower.circlePerimeter, lower.circleWidth,
               upper.circleArea, upper.circlePerimeter, upper.circleWidth};
    }

    if (!steps.Recording())
        return r;
    steps.Let("B", in.B);
    steps.Let("T", in.T);
    steps.Let("hs", in.hs);
    steps.Let("tE", tE);
    if (in.parabola) {
        steps.Step("Parameter der Parabel x² = 2 p y durch beide Muldenränder", "p", "(B / 2) * (B / 2) / 2 / T",
                   lower.parabolaParameter, "m");
        ParabolaSteps(lower, out.luU, kLower, steps);
        if (tE > 0)
            ParabolaSteps(upper, out.luO, kUpper, steps);
    } else {
        steps.Let("pi", kPi);
        steps.Step("Radius des Kreises durch beide Muldenränder und die Sohle", "r_K", "(B * B / 4 + T * T) / 2 / T",
                   lower.circleRadius, "m");
        CircleSteps(lower, in.hs, kLower, steps);
        if (tE > 0)
            CircleSteps(upper, tE, kUpper, steps);
    }
    if (!(tE > 0))
        EmptySteps(steps, out.bO, false);
    return r;
}

InfiltrationSections ComputeTrenchThresholdSections(const TrenchThresholdInput& in, CSteps& steps)
{
    const CTrapezoidSection lower = ComputeTrapezoidSection({in.b, in.hs, in.m1, in.m2});
    const CTrapezoidSection upper = ComputeTrapezoidSection({in.b, in.tE, in.m1, in.m2});
    const InfiltrationSections out = {lower.area, lower.perimeter, lower.surfaceWidth,
                                      upper.area, upper.perimeter, upper.surfaceWidth};

    if (!steps.Recording())
        return out;
    steps.Let("b", in.b);
    steps.Let("m1", in.m1);
    steps.Let("m2", in.m2);
    steps.Let("hs", in.hs);
    steps.Let("tE", in.tE);
    TrapezoidSteps(lower, kLower, steps);
    if (in.tE == 0)
        EmptySteps(steps, out.bO, true);
    else
        TrapezoidSteps(upper, kUpper, steps);
    return out;
}

} // namespace dralun
