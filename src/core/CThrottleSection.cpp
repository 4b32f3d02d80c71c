#include "core/CThrottleSection.h"

#include <cmath>
#include <cstdio>

#include "core/CDataDirectory.h"

namespace dralun {

namespace {

constexpr double kG = 9.80665;
constexpr double kNu = 1.31e-6; // kinematic viscosity of water, m²/s
constexpr double kPi = 3.141592654;
constexpr double kFreeboard = 0.05; // water level above the crown, m

void Line(std::FILE* f, const char* text)
{
    if (f)
        std::fprintf(f, "%s \n", text);
}

void WriteHeader(std::FILE* f)
{
    Line(f, "dump-DrosselA_111.txt Drosselberechnung nach A 111");
    Line(f, "");
    Line(f, "vu = geschätzte Fließgeschwindigkeit des Wasserstrahls im Ausströmbereich der Drossel");
    Line(f, "v  = Fließgeschwindigkeit nach Prandtl-Colebrook");
    Line(f, "Die Iteration ist abgeschlossen, wenn vu und v etwa gleich groß sind und die Ernergiebilanz stimmt.");
    Line(f, "");
    if (f)
        std::fprintf(f, "%s  %6.3f \n\n", "Anfangswert vu(Anfang) = ", CThrottleSection::kStart);
    Line(f, "Die Schrittweite wird mit 0.01 gewählt.");
    Line(f, "");
}

// Inputs for which the friction law has no value at all.
const char* Refusal(const ThrottleInput& in)
{
    if (!(in.du > 0))
        return "Der Drosseldurchmesser muss größer als 0 mm sein.\n"
               "Ohne Durchmesser ist keine Fließgeschwindigkeit bestimmbar.";
    if (!(in.L > 0))
        return "Die Drossellänge muss größer als 0 m sein.\n"
               "Ohne Länge ist kein Reibungsgefälle bestimmbar.";
    if (!(in.kb >= 0))
        return "Die Rauheit kb darf nicht negativ sein.";
    return nullptr;
}

} // namespace

ThrottleResult CThrottleSection::Compute(const ThrottleInput& in)
{
    ThrottleResult result;
    CFile dump = CDataDirectory::Open(kDumpFile, "w");
    std::FILE* f = dump.get();
    WriteHeader(f);

    if (const char* refusal = Refusal(in)) {
        result.warnings.push_back(refusal);
        return result;
    }

    const double d = in.du / 1000;

    // The basin level must stand at least the freeboard above the crown at the outlet.
    if (in.outletInvert + d + in.I / 1000 * in.L + kFreeboard > in.maxLevel)
        result.warnings.push_back(kCrownWarning);

    const double e0 = in.va * in.va / 2 / kG + in.maxLevel;
    double vu = kStart;
    result.steps.reserve(kMaxSteps);
    for (int i = 0; i < kMaxSteps; ++i) {
        const double e1 = e0 - vu * in.zeta * vu / 2 / kG;        // after the inlet loss
        const double e2 = in.mD * d + in.outletInvert + vu * vu / 2 / kG; // at the outlet
        if (e1 <= e2) {
            result.warnings.push_back(kAbortWarning);
            break;
        }
        const double ie = (e1 - e2) / in.L;
        const double s = std::sqrt(2 * kG * d * ie);
        const double v = -2.0 * std::log10(2.51 * kNu / d / s + in.kb * 0.001 / 3.71 / d) * s;
        if (!std::isfinite(v)) {
            // Only absurd magnitudes get here; a step without a value is not written.
            result.warnings.push_back("Die Fließgeschwindigkeit ist mit diesen Werten nicht bestimmbar.\n"
                                      "Berechnung abgebrochen.");
            break;
        }
        result.steps.push_back({vu, v});
        if (f)
            std::fprintf(f, "vu = %6.3f  v = %6.3f\n", vu, v);
        if (v < vu)
            break;
        vu += kStep;
    }

    result.best = ClosestStep(result.steps);
    if (result.best >= 0) {
        result.v = result.steps[static_cast<size_t>(result.best)].v;
        result.Q = result.v * kPi * d * d / 4;
    }
    return result;
}

int CThrottleSection::ClosestStep(const std::vector<ThrottleStep>& steps)
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
