#include "core/COrifice.h"

#include <cmath>

#include "core/Constants.h"

namespace dralun {

OrificeFlow COrifice::Flow(const OrificeInput& in, CSteps& steps)
{
    steps.Let("Q", in.Q);
    steps.Let("h", in.h);
    steps.Let("mu", in.mu);
    steps.Let("g", kG);
    OrificeFlow flow;
    const double v0 =
        steps.Step("Ausflussgeschwindigkeit nach Torricelli", "v_0", "sqrt(2 * g * h)", std::sqrt(2.0 * kG * in.h), "m/s");
    flow.v = steps.Step("Fließgeschwindigkeit mit dem Ausflussbeiwert", "v", "v_0 * mu", v0 * in.mu, "m/s");
    const double Qs = steps.Step("Drosselabfluss in m³/s", "Q_s", "Q / 1000", in.Q / 1000, "m³/s");
    flow.A = steps.Step("Erforderlicher Durchflussquerschnitt", "A", "Q_s / v", Qs / flow.v, "m²");
    flow.d = steps.Step("Erforderlicher Drosseldurchmesser (Kreis der Fläche A)", "d", "2 * sqrt(A / 3.141592654)",
                        2 * std::sqrt(flow.A / kPi), "m");
    return flow;
}

} // namespace dralun
