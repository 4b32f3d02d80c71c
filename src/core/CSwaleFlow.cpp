#include "core/CSwaleFlow.h"

#include <algorithm>
#include <cmath>

#include "core/Constants.h"
#include "core/CircularArc.h"
#include "core/Finite.h"

namespace dralun {

double ManningStricklerVelocity(double I, double kSt, double A, double lu)
{
    if (A == 0 && lu == 0)
        return 0;
    return std::sqrt(I / 1000) * kSt * std::pow(A / lu, 0.666666666666667);
}

namespace {

// The steps of the circular segment; the section has computed the values.
void CircleSteps(const SwaleFlowInput& in, const CSwaleSection& s, CSteps& steps)
{
    steps.Step("Radius des Kreises durch beide Muldenränder und die Sohle", "r", "(B * B / 4 + h * h) / 2 / h",
               s.circleRadius, "m");
    if (in.t <= 0)
        return;
    steps.Step("Wasserspiegelbreite (Sehne in der Höhe t)", "b_K", "2 * sqrt(2 * r * t - t * t)", s.circleWidth, "m");
    if (in.t <= s.circleRadius)
        steps.Step("Mittelpunktswinkel des benetzten Bogens (t ≤ r)", "theta", "2 * asin(min(b_K / 2 / r, 1))",
                   s.circleAngle, "rad");
    else
        steps.Step("Mittelpunktswinkel des benetzten Bogens (t > r)", "theta", "2 * acos(max((r - t) / r, -1))",
                   s.circleAngle, "rad");
    steps.Step("Fließquerschnitt des Kreisabschnitts", "A_K", "(r * r / 2) * (theta - sin(theta))", s.circleArea, "m²");
    steps.Step("Benetzter Umfang des Kreisabschnitts", "lu_K",
               CircularArcFormula("r", "theta"), s.circlePerimeter, "m");
}

void ParabolaSteps(const SwaleFlowInput& in, const CSwaleSection& s, CSteps& steps)
{
    steps.Step("Parameter der Parabel x² = 2 p y durch beide Muldenränder", "p", "(B / 2) * (B / 2) / 2 / h",
               s.parabolaParameter, "m");
    if (in.t <= 0)
        return;
    steps.Step("Wasserspiegelbreite der Parabel", "b_P", "2 * sqrt(2 * p * t)", s.parabolaWidth, "m");
    steps.Step("Fließquerschnitt der Parabel", "A_P", "1.33333333333333 * t * b_P / 2", s.parabolaArea, "m²");
    if (!s.parabolaSeries)
        steps.Step("Beiwert der Parabel y = a x²", "a", "1 / (2 * p)", s.parabolaCoefficient, "1/m");
    steps.Step(ParabolaArcText(s), "lu_P", ParabolaArcFormula(s, "(b_P / 2)", "t", "a"), s.parabolaPerimeter, "m");
}

// v and Q of one section, with its hydraulic radius.
void FlowSteps(CSteps& steps, const char* name, const char* A, const char* lu, const char* R, const char* v,
               const char* Q, double RValue, double vValue, double QValue)
{
    const std::string of = std::string(" (") + name + ")";
    const std::string area = A, perimeter = lu, radius = R, velocity = v;
    steps.Step("Hydraulischer Radius" + of, R, area + " / " + perimeter, RValue, "m");
    steps.Step("Fließgeschwindigkeit nach Manning-Strickler" + of, v,
               "sqrt(I / 1000) * kSt * " + radius + "^0.666666666666667", vValue, "m/s");
    steps.Step("Abfluss" + of, Q, velocity + " * " + area, QValue, "m³/s");
}

} // namespace

SwaleFlowResult ComputeSwaleFlow(const SwaleFlowInput& in, CSteps& steps)
{
    SwaleFlowResult r;
    if (in.t > in.h)
        r.status = SwaleFlowStatus::DepthAboveBrim;
    else if (!(in.B > 0) || !(in.h > 0))
        r.status = SwaleFlowStatus::NoSwale;
    else if (in.I < 0)
        r.status = SwaleFlowStatus::FallingSlope;
    if (r.status != SwaleFlowStatus::Ok)
        return r;

    r.section = ComputeSwaleSection({in.B, in.h, in.t});
    const CSwaleSection& s = r.section;

    r.circleV = ManningStricklerVelocity(in.I, in.kSt, s.circleArea, s.circlePerimeter);
    r.circleQ = r.circleV * s.circleArea;

    r.parabolaLu = s.parabolaPerimeter;
    r.parabolaV = ManningStricklerVelocity(in.I, in.kSt, s.parabolaArea, r.parabolaLu);
    r.parabolaQ = r.parabolaV * s.parabolaArea;

    // Equation (7) holds only for a swale running brim-full.
    r.Q7 = in.h == in.t ? std::pow(in.t, 2.6666666666666665) * in.kSt * std::sqrt(in.I / 1000) * in.B / 2 / in.t : 0.0;

    if (!AllFinite({s.circleRadius, s.circleArea, s.circlePerimeter, s.circleWidth, r.circleV, r.circleQ,
                    s.parabolaArea, r.parabolaLu, s.parabolaWidth, r.parabolaV, r.parabolaQ, r.Q7})) {
        r.status = SwaleFlowStatus::NotDeterminable;
        return r;
    }
    r.brimFull = in.h == in.t;
    r.capacity = in.t > 0 ? std::min({r.circleQ, r.parabolaQ, r.brimFull ? r.Q7 : r.circleQ}) : 0.0;
    if (!steps.Recording())
        return r;
    steps.Let("B", in.B);
    steps.Let("h", in.h);
    steps.Let("t", in.t);
    steps.Let("I", in.I);
    steps.Let("kSt", in.kSt);
    steps.Let("pi", kPi);
    CircleSteps(in, s, steps);
    if (in.t > 0)
        FlowSteps(steps, "Kreis", "A_K", "lu_K", "R_K", "v_K", "Q_K", s.circleArea / s.circlePerimeter, r.circleV,
                  r.circleQ);
    ParabolaSteps(in, s, steps);
    if (in.t > 0)
        FlowSteps(steps, "Parabel", "A_P", "lu_P", "R_P", "v_P", "Q_P", s.parabolaArea / r.parabolaLu, r.parabolaV,
                  r.parabolaQ);
    if (in.h == in.t)
        steps.Step("Abfluss der randvollen Mulde nach Gleichung (7)", "Q_7",
                   "t^2.66666666666667 * kSt * sqrt(I / 1000) * B / 2 / t", r.Q7, "m³/s");
    if (in.Qerf > 0 && in.t > 0)
        steps.Step(r.brimFull ? "Kleinste Leistungsfähigkeit (Kreis, Parabel, Gleichung (7))"
                              : "Kleinste Leistungsfähigkeit (Kreis, Parabel)",
                   "Q_min", r.brimFull ? "min(Q_K, Q_P, Q_7)" : "min(Q_K, Q_P)", r.capacity, "m³/s");
    return r;
}

} // namespace dralun
