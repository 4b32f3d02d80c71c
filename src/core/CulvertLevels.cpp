#include "core/CulvertLevels.h"

#include <cmath>

namespace dralun {

namespace {
// Sets the member and records its step, unless the value is not finite.
void SetIfFinite(double& member, double value, CSteps& steps, const char* text, const char* symbol,
                 const char* formula, const char* unit)
{
    if (!std::isfinite(value))
        return;
    member = value;
    steps.Step(text, symbol, formula, value, unit);
}
} // namespace

CulvertLevels ComputeCulvertLevels(const CulvertLevelsInput& in, CSteps& steps)
{
    CulvertLevels v = in.levels;
    steps.Let("h1", v.h1);
    steps.Let("h2", v.h2);
    steps.Let("Aufstau", v.rise);
    steps.Let("L", v.L);
    steps.Let("I", v.I);
    if (in.mode == CulvertMode::H1Given) {
        if ((v.h1 - v.h2) * 100 <= v.rise)
            SetIfFinite(v.rise, (v.h1 - v.h2) * 100, steps,
                        "Aufstau begrenzt auf den Höhenunterschied ((h1 − h2) · 100 ≤ Aufstau)", "Aufstau",
                        "(h1 - h2) * 100", "cm");
        SetIfFinite(v.I, (v.h1 - v.h2 - v.rise / 100) / v.L * 1000, steps, "Gefälle des Durchlasses (h1 gegeben)", "I",
                    "(h1 - h2 - Aufstau / 100) / L * 1000", "‰");
    } else {
        SetIfFinite(v.h1, v.L * v.I / 1000 + v.h2 + v.rise / 100, steps,
                    "Oberwasserstand (Gefälle und Aufstau gegeben)", "h1", "L * I / 1000 + h2 + Aufstau / 100", "m");
    }
    return v;
}

} // namespace dralun
