#include "core/CDitchFlow.h"

#include <cmath>

#include "core/Finite.h"

namespace dralun {

namespace {

// The height the banks need to hold the water depth t.
double DitchBankHeight(double t) { return t; }

void SectionSteps(const DitchFlowInput& in, const CTrapezoidSection& s, CSteps& steps)
{
    if (in.t == 0) {
        // No water in the ditch: nothing flows, the surface is the bottom.
        steps.Taken("Fließquerschnitt (t = 0: Graben leer)", "A", s.area, "m²");
        steps.Taken("Benetzter Umfang (t = 0: Graben leer)", "lu", s.perimeter, "m");
        steps.Taken("Hydraulischer Radius (t = 0: Graben leer)", "rhy", s.hydraulicRadius, "m");
        steps.Step("Wasserspiegelbreite (t = 0: die Sohle)", "wsp", "b", s.surfaceWidth, "m");
        return;
    }
    steps.Step("Fließquerschnitt des Trapezes", "A", "b * t + 0.5 * t * t * m1 + 0.5 * t * t * m2", s.area, "m²");
    steps.Step("Benetzte Böschungslänge links", "l_1", "sqrt(t * t + (m1 * t) * (m1 * t))", s.leftBank, "m");
    steps.Step("Benetzte Böschungslänge rechts", "l_2", "sqrt(t * t + (m2 * t) * (m2 * t))", s.rightBank, "m");
    steps.Step("Benetzter Umfang", "lu", "l_1 + b + l_2", s.perimeter, "m");
    steps.Step("Hydraulischer Radius", "rhy", "A / lu", s.hydraulicRadius, "m");
    steps.Step("Wasserspiegelbreite", "wsp", "m1 * t + b + m2 * t", s.surfaceWidth, "m");
}

} // namespace

DitchFlowResult ComputeDitchFlow(const DitchFlowInput& in, CSteps& steps)
{
    DitchFlowResult r;
    r.bankHeight = DitchBankHeight(in.t);
    // Negative dimensions or a falling bed give no flow section (negative
    // area, root of a negative slope).
    if (in.t < 0 || in.b < 0 || in.m1 < 0 || in.m2 < 0 || in.I < 0) {
        r.status = DitchFlowStatus::NegativeInput;
        return r;
    }
    r.section = ComputeTrapezoidSection({in.b, in.t, in.m1, in.m2});
    const CTrapezoidSection& s = r.section;
    r.v = std::sqrt(in.I / 1000) * in.kSt * std::pow(s.hydraulicRadius, 0.66666666667);
    r.Q = r.v * s.area;
    if (!AllFinite({r.v, r.Q, s.area, s.perimeter, s.hydraulicRadius, s.surfaceWidth})) {
        r.status = DitchFlowStatus::NotDeterminable;
        return r;
    }

    if (!steps.Recording())
        return r;
    steps.Let("b", in.b);
    steps.Let("t", in.t);
    steps.Let("m1", in.m1);
    steps.Let("m2", in.m2);
    steps.Let("I", in.I);
    steps.Let("kSt", in.kSt);
    steps.Step("Böschungshöhe (die Höhe, die die Wassertiefe braucht)", "h", "t", r.bankHeight, "m");
    SectionSteps(in, s, steps);
    steps.Step("Fließgeschwindigkeit nach Manning-Strickler (kSt für Sohle und Böschungen)", "v",
               "sqrt(I / 1000) * kSt * rhy^0.66666666667", r.v, "m/s");
    steps.Step("Abfluss", "Q", "v * A", r.Q, "m³/s");
    return r;
}

} // namespace dralun
