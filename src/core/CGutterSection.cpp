#include "core/CGutterSection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace dralun {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The symbols of one gutter form's column and its name for the step texts.
struct Symbols {
    explicit Symbols(char column, const char* gutter)
        : h(Of("h", column)), b(Of("b", column)), e(Of("e", column)), c(Of("c", column)), lu(Of("lu", column)),
          A(Of("A", column)), R(Of("R", column)), v(Of("v", column)), Q(Of("Q", column)),
          of(std::string(" (") + gutter + ")"), name(gutter)
    {
    }
    // " (Spitzrinne, b ≤ bS)": the gutter form and the branch taken.
    std::string When(const char* condition) const { return " (" + name + ", " + condition + ")"; }
    static std::string Of(const char* base, char column) { return std::string(base) + column; }

    std::string h, b, e, c, lu, A, R, v, Q;
    std::string of;
    std::string name;
};

const Symbols& CurbSymbols()
{
    static const Symbols symbols('1', "Bordrinne");
    return symbols;
}

const Symbols& VSymbols()
{
    static const Symbols symbols('2', "Spitzrinne");
    return symbols;
}

// Depth of the V-gutter strip at the curb, m.
double StripDepth(const GutterData& d) { return d.qS / 100 * d.bS; }

GutterDataStatus CheckRoadData(const GutterData& d)
{
    if (!(d.qf > 0))
        return GutterDataStatus::NoCrossFall;
    if (!(d.bS >= 0))
        return GutterDataStatus::NegativeStripWidth;
    if (!(d.qS >= 0))
        return GutterDataStatus::NegativeStripFall;
    return GutterDataStatus::Ok;
}

GutterFlow Finish(const GutterData& d, GutterFlow flow, CSteps& steps, const Symbols& n)
{
    if (flow.lu == 0) {
        // No water: no flow section and so no mean velocity; nothing flows.
        flow.R = 0;
        flow.v = kNaN;
        flow.Q = 0;
        steps.Taken("Abfluss der trockenen Rinne" + n.of, n.Q, flow.Q, "l/s");
        return flow;
    }
    flow.R = flow.A / flow.lu;
    steps.Step("Hydraulischer Radius" + n.of, n.R, n.A + " / " + n.lu, flow.R, "m");
    if (d.s < 0) {
        flow.v = kNaN;
        flow.Q = kNaN;
        return flow;
    }
    // A level gutter (s = 0) carries nothing.
    flow.v = d.s > 0 ? d.kSt * std::pow(flow.R, 2.0 / 3.0) * std::sqrt(d.s / 100) : 0.0;
    flow.Q = flow.A * flow.v * 1000;
    // Only absurd roughness overflows; the field then shows "not determinable".
    if (!std::isfinite(flow.Q))
        return flow;
    if (d.s > 0)
        steps.Step("Fließgeschwindigkeit nach Manning-Strickler" + n.of, n.v,
                   "kSt * " + n.R + "^0.666666666666667 * sqrt(s / 100)", flow.v, "m/s");
    else
        steps.Taken("Fließgeschwindigkeit der Rinne ohne Längsneigung" + n.of, n.v, flow.v, "m/s");
    steps.Step("Abfluss" + n.of, n.Q, n.A + " * " + n.v + " * 1000", flow.Q, "l/s");
    return flow;
}

// Water in one triangle: the curb face of height h and the water bed of width b.
GutterFlow Triangle(const GutterData& d, double hCm, double b, CSteps& steps, const Symbols& n)
{
    GutterFlow flow;
    flow.h = hCm;
    flow.b = b;
    flow.lu = hCm / 100 + std::sqrt(b * b + (hCm / 100) * (hCm / 100));
    flow.A = (hCm / 100) * b * 0.5;
    if (steps.Recording()) {
        const std::string h = "(" + n.h + " / 100)";
        steps.Step("Benetzter Umfang: Bordfläche und Sohle des Dreiecks" + n.of, n.lu,
                   n.h + " / 100 + sqrt(" + n.b + " * " + n.b + " + " + h + " * " + h + ")", flow.lu, "m");
        steps.Step("Fließquerschnitt des Dreiecks" + n.of, n.A, h + " * " + n.b + " * 0.5", flow.A, "m²");
    }
    return Finish(d, flow, steps, n);
}

// Water above the full strip: e is the depth at the outer edge of the strip,
// c the spread width on the carriageway.
GutterFlow Spread(const GutterData& d, double hCm, double c, double e, bool widthFound, CSteps& steps,
                  const Symbols& n)
{
    const double hS = StripDepth(d);
    GutterFlow flow;
    flow.h = hCm;
    flow.b = c + d.bS;
    flow.lu = std::sqrt(c * c + e * e) + std::sqrt(d.bS * d.bS + hS * hS) + hCm / 100;
    flow.A = (e + hS + e) * d.bS * 0.5 + c * e * 0.5;
    if (steps.Recording()) {
        if (widthFound)
            steps.Step("Wasserspiegelbreite" + n.of, n.b, n.c + " + bS", flow.b, "m");
        steps.Step("Benetzter Umfang: Fahrbahn, Spitzrinne und Bordfläche" + n.of, n.lu,
                   "sqrt(" + n.c + " * " + n.c + " + " + n.e + " * " + n.e + ") + sqrt(bS * bS + hS * hS) + " + n.h +
                       " / 100",
                   flow.lu, "m");
        steps.Step("Fließquerschnitt: Trapez über der Spitzrinne und Dreieck auf der Fahrbahn" + n.of, n.A,
                   "(" + n.e + " + hS + " + n.e + ") * bS * 0.5 + " + n.c + " * " + n.e + " * 0.5", flow.A, "m²");
    }
    return Finish(d, flow, steps, n);
}

GutterFlow CurbAtDepth(const GutterData& d, double hCm, CSteps& steps)
{
    const Symbols& n = CurbSymbols();
    steps.Let(n.h, hCm);
    const double b = steps.Step("Wasserspiegelbreite" + n.of, n.b, n.h + " / qf", hCm / d.qf, "m");
    return Triangle(d, hCm, b, steps, n);
}

GutterFlow CurbAtWidth(const GutterData& d, double b, CSteps& steps)
{
    const Symbols& n = CurbSymbols();
    steps.Let(n.b, b);
    const double hCm = steps.Step("Wasserstandshöhe am Bord" + n.of, n.h, n.b + " * qf", b * d.qf, "cm");
    return Triangle(d, hCm, b, steps, n);
}

GutterFlow VAtDepth(const GutterData& d, double hCm, CSteps& steps)
{
    const Symbols& n = VSymbols();
    steps.Let(n.h, hCm);
    if (hCm / 100 <= StripDepth(d)) {
        // Within the strip; a dry gutter has no spread even on a flat strip.
        const double b = hCm == 0 ? steps.Taken("Wasserspiegelbreite der trockenen Rinne" + n.of, n.b, 0.0, "m")
                                  : steps.Step("Wasserspiegelbreite innerhalb der Spitzrinne" + n.When("h / 100 ≤ hS"),
                                               n.b, n.h + " / qS", hCm / d.qS, "m");
        return Triangle(d, hCm, b, steps, n);
    }
    const double e = steps.Step("Wassertiefe am Rand der Spitzrinne" + n.When("h / 100 > hS"), n.e,
                                n.h + " / 100 - bS * qS / 100", hCm / 100 - d.bS * d.qS / 100, "m");
    const double c =
        steps.Step("Wasserspiegelbreite auf der Fahrbahn" + n.of, n.c, n.e + " / (qf / 100)", e / (d.qf / 100), "m");
    return Spread(d, hCm, c, e, true, steps, n);
}

GutterFlow VAtWidth(const GutterData& d, double b, CSteps& steps)
{
    const Symbols& n = VSymbols();
    steps.Let(n.b, b);
    if (b <= d.bS) {
        const double hCm = steps.Step("Wasserstandshöhe am Bord innerhalb der Spitzrinne" + n.When("b ≤ bS"), n.h,
                                      n.b + " * qS", b * d.qS, "cm");
        return Triangle(d, hCm, b, steps, n);
    }
    const double c =
        steps.Step("Wasserspiegelbreite auf der Fahrbahn" + n.When("b > bS"), n.c, n.b + " - bS", b - d.bS, "m");
    const double e =
        steps.Step("Wassertiefe am Rand der Spitzrinne" + n.of, n.e, n.c + " * qf / 100", c * d.qf / 100, "m");
    const double hCm = steps.Step("Wasserstandshöhe am Bord" + n.of, n.h, "bS * qS + " + n.e + " * 100",
                                  d.bS * d.qS + e * 100, "cm");
    return Spread(d, hCm, c, e, false, steps, n);
}

} // namespace

GutterFlow ComputeGutterFlow(const GutterFlowInput& in, CSteps& steps)
{
    if (in.value < 0) {
        GutterFlow refused;
        refused.status = GutterFlowStatus::NegativeGiven;
        return refused;
    }
    const bool depth = in.given == GutterGiven::Depth;
    GutterFlow flow = in.form == GutterForm::Curb
                          ? (depth ? CurbAtDepth(in.road, in.value, steps) : CurbAtWidth(in.road, in.value, steps))
                          : (depth ? VAtDepth(in.road, in.value, steps) : VAtWidth(in.road, in.value, steps));
    // Only absurd magnitudes overflow; an input field must never show "-".
    const double found = depth ? flow.b : flow.h;
    if (!std::isfinite(found) || !std::isfinite(flow.lu) || !std::isfinite(flow.A))
        flow.status = GutterFlowStatus::OutOfRange;
    return flow;
}

GutterResult ComputeGutter(const GutterInput& in, CSteps& steps)
{
    const GutterData& d = in.road;
    GutterResult r;
    r.hS = StripDepth(d);
    steps.Let("kSt", d.kSt);
    steps.Let("qf", d.qf);
    steps.Let("s", d.s);
    steps.Let("bS", d.bS);
    steps.Let("qS", d.qS);
    steps.Step("Höhe der Spitzrinne am Bord", "hS", "qS / 100 * bS", r.hS, "m");
    r.status = CheckRoadData(d);
    if (r.status != GutterDataStatus::Ok)
        return r;

    for (const GutterForm form : {GutterForm::Curb, GutterForm::V}) {
        const bool curb = form == GutterForm::Curb;
        // The steps of a gutter form that is refused do not go into the report.
        CSteps trial = steps;
        GutterFlow& flow = curb ? r.curb : r.vee;
        flow = ComputeGutterFlow({d, form, in.given, curb ? in.curb : in.vee}, trial);
        if (flow.status == GutterFlowStatus::Ok)
            steps = std::move(trial);
    }
    r.slopeNegative = d.s < 0;
    const bool bothCarry = r.curb.status == GutterFlowStatus::Ok && r.vee.status == GutterFlowStatus::Ok &&
                           std::isfinite(r.curb.Q) && std::isfinite(r.vee.Q);
    r.Qmin = bothCarry ? std::min(r.curb.Q, r.vee.Q) : kNaN;
    if (bothCarry && in.Qerf > 0)
        steps.Step("Kleinere Leistungsfähigkeit (Bordrinne, Spitzrinne)", "Q_min", "min(Q1, Q2)", r.Qmin, "l/s");
    return r;
}

} // namespace dralun
