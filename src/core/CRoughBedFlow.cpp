#include "core/CRoughBedFlow.h"

#include <cmath>
#include <span>
#include <string>

#include "core/CStoneSizeTables.h"
#include "core/Constants.h"
#include "core/Finite.h"
#include "core/Format.h"

namespace dralun {

namespace {

using Row = CStoneSizeTables::Row;

// A coefficient from its stone-size table, with the row (or the two rows
// interpolated between) named in the step.
double Coefficient(CSteps& steps, const char* name, const char* unit, std::span<const Row> table, double d)
{
    const CStoneSizeTables::Place place = CStoneSizeTables::Locate(table, d);
    if (!steps.Recording())
        return place.k;
    const std::string symbol = name;
    if (!place.lo)
        return steps.Taken(Format("Beiwert %s: d liegt außerhalb der Tabelle %s", name, name), symbol, place.k,
                           unit);
    if (!place.hi)
        return steps.Taken(Format("Beiwert %s aus Tabelle %s, Zeile d = %g m", name, name, place.lo->d), symbol,
                           place.k, unit);
    steps.Let("d_u", place.lo->d);
    steps.Let("d_o", place.hi->d);
    steps.Let(symbol + "_u", place.lo->k);
    steps.Let(symbol + "_o", place.hi->k);
    return steps.Step(Format("Beiwert %s aus Tabelle %s, linear zwischen den Zeilen d = %g m (%s = %g) und "
                             "d = %g m (%s = %g)",
                             name, name, place.lo->d, name, place.lo->k, place.hi->d, name, place.hi->k),
                      symbol, "(d - d_u) * (" + symbol + "_o - " + symbol + "_u) / (d_o - d_u) + " + symbol + "_u",
                      place.k, unit);
}

} // namespace

RoughBedFlowResult ComputeRoughBedFlow(const RoughBedFlowInput& in, CSteps& steps)
{
    RoughBedFlowResult r;
    // The stone tables cover kSmallest to kLargest; outside them the
    // coefficients are 0 and the method divides by zero.
    if (!(in.d >= CStoneSizeTables::kSmallest && in.d <= CStoneSizeTables::kLargest))
        r.status = RoughBedFlowStatus::StoneSizeOutsideTables;
    else if (!(in.h > 0))
        r.status = RoughBedFlowStatus::NoWaterDepth;
    else if (in.B < 0)
        r.status = RoughBedFlowStatus::NegativeWidth;
    else if (in.I < 0)
        r.status = RoughBedFlowStatus::NegativeSlope;
    if (r.status != RoughBedFlowStatus::Ok)
        return r;

    steps.Let("h", in.h);
    steps.Let("B", in.B);
    steps.Let("d", in.d);
    steps.Let("I", in.I);
    steps.Let("g", kG);

    r.alpha = steps.Step("Neigungswinkel der Sohle", "alpha", "atan(I / 1000)", std::atan(in.I / 1000), "rad");
    r.s = steps.Step("Sinus des Neigungswinkels", "s", "sin(alpha)", std::sin(r.alpha), "-");
    r.K1 = Coefficient(steps, "K1", "-", CStoneSizeTables::K1Rows(), in.d);
    r.K2 = Coefficient(steps, "K2", "-", CStoneSizeTables::K2Rows(), in.d);
    r.K3 = Coefficient(steps, "K3", "m", CStoneSizeTables::K3Rows(), in.d);

    r.c = steps.Step("Luftbeimischungsfaktor", "c", "1 - 1.3 * s + 0.08 * h / K3", 1.0 - 1.3 * r.s + 0.08 * in.h / r.K3,
                     "-");
    r.X = steps.Step("Hilfsgröße X des Fließgesetzes", "X", "(8.1 * K2 * sqrt(K1) * s + 1.7) * c",
                     (8.1 * r.K2 * std::sqrt(r.K1) * r.s + 1.7) * r.c, "-");
    r.Y = steps.Step("Hilfsgröße Y (Argument des Logarithmus)", "Y", "0.25 * X * K3 / h", 0.25 * r.X * r.K3 / in.h, "-");
    r.A = steps.Step("Durchflussquerschnitt der parabelförmigen Mulde", "A",
                     "0.666666666666667 * h * B", 0.6666666666666666 * in.h * in.B, "m²");

    // The logarithmic law needs 0 < Y < 1: Y >= 1 gives no or a negative
    // velocity, Y <= 0 (no air-water mixture left, c <= 0) none at all.
    if (!(r.c > 0)) {
        r.status = RoughBedFlowStatus::NoAir;
        return r;
    }
    if (!(r.Y < 1)) {
        r.status = RoughBedFlowStatus::YNotBelow1;
        return r;
    }
    r.vm = steps.Step("Maximale Geschwindigkeit (logarithmisches Fließgesetz)", "vm",
                      "sqrt(8 * g * h * s) * (log10(Y) * (-3.2))",
                      std::sqrt(8.0 * kG * in.h * r.s) * (std::log10(r.Y) * (-3.2)), "m/s");
    r.vM = steps.Step("Mittlere Geschwindigkeit im gesamten Querschnitt", "vM", "0.75 * vm", 0.75 * r.vm, "m/s");
    r.Qm = steps.Step("Abfluss (mit dem Luftbeimischungsfaktor)", "Qm", "c * vM * A", r.c * r.vM * r.A, "m³/s");
    if (!AllFinite({r.A, r.vm, r.Qm, r.c}))
        r.status = RoughBedFlowStatus::NotDeterminable;
    return r;
}

} // namespace dralun
