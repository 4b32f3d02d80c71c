#include "core/CThrottleSection.h"

#include <cmath>
#include <string>

#include "core/Constants.h"

namespace dralun {

namespace {

constexpr double kFreeboard = 0.05; // water level above the crown, m

ThrottleStatus Refusal(const ThrottleInput& in)
{
    if (!(in.du > 0))
        return ThrottleStatus::DiameterNotPositive;
    if (!(in.L > 0))
        return ThrottleStatus::LengthNotPositive;
    if (!(in.kb >= 0))
        return ThrottleStatus::RoughnessNegative;
    return ThrottleStatus::Ok;
}

// The energy balance of one step: the energy heads after the inlet and at
// the outlet for the estimate vu, and the Prandtl-Colebrook velocity of the
// friction slope between them (ie, s, x and v only where e1 > e2).
struct Balance {
    double inletLoss, e1, outletLevel, outletHead, e2;
    double ie = 0, s = 0, x = 0, v = 0;
};

Balance BalanceAt(const ThrottleInput& in, double d, double e0, double vu)
{
    Balance b{};
    b.inletLoss = vu * in.zeta * vu / 2 / kG;
    b.e1 = e0 - b.inletLoss;
    b.outletLevel = in.mD * d + in.outletInvert;
    b.outletHead = vu * vu / 2 / kG;
    b.e2 = b.outletLevel + b.outletHead;
    if (b.e1 <= b.e2)
        return b;
    b.ie = (b.e1 - b.e2) / in.L;
    b.s = std::sqrt(2 * kG * d * b.ie);
    b.x = 2.51 * kNu / d / b.s + in.kb * 0.001 / 3.71 / d;
    b.v = -2.0 * std::log10(b.x) * b.s;
    return b;
}

const char* EndText(ThrottleSearchEnd end)
{
    switch (end) {
    case ThrottleSearchEnd::Crossed:
        return "bis v unter vu fiel";
    case ThrottleSearchEnd::NoEnergy:
        return "abgebrochen, als IE ≤ 0 wurde";
    case ThrottleSearchEnd::NoVelocity:
        return "abgebrochen, als v nicht bestimmbar war";
    case ThrottleSearchEnd::AllSteps:
        return "Höchstzahl der Schritte erreicht";
    }
    return "";
}

// A neighbour of the step taken, as the search found it.
void NeighbourSteps(CSteps& steps, const ThrottleStep& step, const std::string& which)
{
    const std::string vu = "vu_" + which, v = "v_" + which;
    steps.Taken("Geschätzte Geschwindigkeit im Schritt " + which + " (aus der Suche)", vu, step.vu, "m/s");
    steps.Taken("Geschwindigkeit nach Prandtl-Colebrook im Schritt " + which + " (aus der Suche)", v, step.v, "m/s");
    steps.Step("Abweichung |vu − v| im Schritt " + which, "dv_" + which, "abs(" + vu + " - " + v + ")",
               std::fabs(step.vu - step.v), "m/s");
}

struct SearchSummary {
    double d, crownLevel, approachHead, e0;
};

void RecordSteps(const ThrottleInput& in, const SearchSummary& sum, const ThrottleResult& r, CSteps& steps)
{
    steps.Let("du", in.du);
    steps.Let("L", in.L);
    steps.Let("I", in.I);
    steps.Let("HRs", in.outletInvert);
    steps.Let("Hmax", in.maxLevel);
    steps.Let("va", in.va);
    steps.Let("zeta", in.zeta);
    steps.Let("mD", in.mD);
    steps.Let("kb", in.kb);
    steps.Let("g", kG);
    steps.Let("nu", kNu);
    steps.Let("pi", kPi);
    steps.Step("Drosseldurchmesser", "d", "du / 1000", sum.d, "m");
    steps.Step(r.belowCrown ? "Rohrscheitel am Auslauf + 0,05 m (H max Wsp liegt darunter)"
                                : "Rohrscheitel am Auslauf + 0,05 m (H max Wsp liegt nicht darunter)",
               "H_S", "HRs + d + I / 1000 * L + 0.05", sum.crownLevel, "m NN");
    steps.Step("Geschwindigkeitshöhe der Anströmung", "h_va", "va * va / 2 / g", sum.approachHead, "m");
    steps.Step("Energiehöhe im Becken", "E0", "h_va + Hmax", sum.e0, "m NN");

    const size_t k = static_cast<size_t>(r.best);
    steps.Taken(std::string("Anzahl der Schritte: vu ab 0,10 m/s um je 0,01 m/s erhöht, ") + EndText(r.end), "n_S",
                static_cast<double>(r.steps.size()), "-");
    steps.Taken("Gewählter Schritt: der erste mit dem kleinsten |vu − v|", "k", static_cast<double>(k + 1), "-");
    const double vu = r.steps[k].vu;
    const Balance b = BalanceAt(in, sum.d, sum.e0, vu);
    steps.Taken("Geschätzte Geschwindigkeit im Schritt k (0,10 m/s + (k − 1) · 0,01 m/s, schrittweise aufsummiert)",
                "vu", vu, "m/s");
    steps.Step("Einlaufverlust", "h_zeta", "vu * zeta * vu / 2 / g", b.inletLoss, "m");
    steps.Step("Energiehöhe nach dem Einlauf", "E1", "E0 - h_zeta", b.e1, "m NN");
    steps.Step("Wasserspiegel am Auslauf", "W_A", "mD * d + HRs", b.outletLevel, "m NN");
    steps.Step("Geschwindigkeitshöhe am Auslauf", "h_vu", "vu * vu / 2 / g", b.outletHead, "m");
    steps.Step("Energiehöhe am Auslauf", "E2", "W_A + h_vu", b.e2, "m NN");
    steps.Step("Reibungsgefälle der Drossel", "IE", "(E1 - E2) / L", b.ie, "m/m");
    steps.Step("Wurzelglied √(2 · g · d · IE)", "s", "sqrt(2 * g * d * IE)", b.s, "m/s");
    steps.Step("Argument des Logarithmus nach Prandtl-Colebrook", "x", "2.51 * nu / d / s + kb * 0.001 / 3.71 / d",
               b.x, "-");
    steps.Step("Fließgeschwindigkeit nach Prandtl-Colebrook", "v", "-2 * log10(x) * s", r.v, "m/s");
    steps.Step("Abweichung |vu − v| im Schritt k", "dv", "abs(vu - v)", std::fabs(vu - r.v), "m/s");
    if (k > 0)
        NeighbourSteps(steps, r.steps[k - 1], "davor");
    if (k + 1 < r.steps.size())
        NeighbourSteps(steps, r.steps[k + 1], "danach");
    steps.Step("Abfluss der Drossel", "Q", "v * pi * d * d / 4", r.Q, "m³/s");
}

} // namespace

ThrottleResult ComputeThrottleSection(const ThrottleInput& in, CSteps& steps)
{
    ThrottleResult result;
    result.status = Refusal(in);
    if (result.status != ThrottleStatus::Ok)
        return result;

    const double d = in.du / 1000;

    SearchSummary sum{};
    sum.d = d;
    // The basin level must stand at least the freeboard above the crown at the outlet.
    sum.crownLevel = in.outletInvert + d + in.I / 1000 * in.L + kFreeboard;
    result.belowCrown = sum.crownLevel > in.maxLevel;

    sum.approachHead = in.va * in.va / 2 / kG;
    sum.e0 = sum.approachHead + in.maxLevel;
    result.end = ThrottleSearchEnd::AllSteps;
    double vu = kThrottleStart;
    result.steps.reserve(kThrottleMaxSteps);
    for (int i = 0; i < kThrottleMaxSteps; ++i) {
        const Balance b = BalanceAt(in, d, sum.e0, vu);
        if (b.e1 <= b.e2) {
            result.end = ThrottleSearchEnd::NoEnergy;
            break;
        }
        if (!std::isfinite(b.v)) {
            // Only absurd magnitudes get here; a step without a value is not kept.
            result.end = ThrottleSearchEnd::NoVelocity;
            break;
        }
        result.steps.push_back({vu, b.v});
        if (b.v < vu) {
            result.end = ThrottleSearchEnd::Crossed;
            break;
        }
        vu += kThrottleStep;
    }

    // Steps that ran their course without one near enough (a basin level of
    // 1e24 m gives a v beyond any estimate) give no velocity.
    result.best = ClosestThrottleStep(result.steps);
    if (result.best >= 0) {
        result.v = result.steps[static_cast<size_t>(result.best)].v;
        result.Q = result.v * kPi * d * d / 4;
        if (steps.Recording())
            RecordSteps(in, sum, result, steps);
    }
    return result;
}

int ClosestThrottleStep(const std::vector<ThrottleStep>& steps)
{
    // Only a strictly smaller difference replaces the one found: ties go to the earlier step.
    double smallest = 1e12;
    int best = -1;
    for (size_t k = 0; k < steps.size(); ++k) {
        const double diff = std::fabs(steps[k].vu - steps[k].v);
        if (diff < smallest) {
            smallest = diff;
            best = static_cast<int>(k);
        }
    }
    return best;
}

} // namespace dralun
