#include "core/COrifice.h"

#include <cmath>

#include "core/Constants.h"
#include "core/Finite.h"

namespace dralun {

OrificeResult ComputeOrifice(const OrificeInput& in, CSteps& steps)
{
    // Without a head, or with a coefficient of zero, nothing flows out and
    // the flow area has no finite value; a negative discharge has no diameter.
    OrificeResult result;
    if (in.Q < 0)
        result.status = OrificeStatus::NegativeDischarge;
    else if (in.h <= 0)
        result.status = OrificeStatus::NoHead;
    else if (in.mu <= 0)
        result.status = OrificeStatus::NoCoefficient;
    if (result.status != OrificeStatus::Ok)
        return result;

    steps.Let("Q", in.Q);
    steps.Let("h", in.h);
    steps.Let("mu", in.mu);
    steps.Let("g", kG);
    steps.Let("pi", kPi);
    const double v0 =
        steps.Step("Ausflussgeschwindigkeit nach Torricelli", "v_0", "sqrt(2 * g * h)", std::sqrt(2.0 * kG * in.h), "m/s");
    const double v = steps.Step("Fließgeschwindigkeit mit dem Ausflussbeiwert", "v", "v_0 * mu", v0 * in.mu, "m/s");
    const double Qs = steps.Step("Drosselabfluss in m³/s", "Q_s", "Q / 1000", in.Q / 1000, "m³/s");
    const double A = steps.Step("Erforderlicher Durchflussquerschnitt", "A", "Q_s / v", Qs / v, "m²");
    const double d = steps.Step("Erforderlicher Drosseldurchmesser (Kreis der Fläche A)", "d", "2 * sqrt(A / pi)",
                                2 * std::sqrt(A / kPi), "m");
    // A head beyond any number (2 g h overflows) gives an infinite velocity
    // and so an area and a diameter of 0 for any discharge.
    if (!AllFinite({v, A, d}) || !(d > 0 || in.Q == 0)) {
        result.status = OrificeStatus::NotDeterminable;
        return result;
    }
    result.v = v;
    result.A = A;
    result.d = d;
    if (in.dChosen > 0) {
        steps.Let("d_gew", in.dChosen);
        result.Qchosen = steps.Step("Abfluss durch die Öffnung mit dem gewählten Durchmesser", "Q_gew",
                                    "v * pi * d_gew * d_gew / 4 * 1000", v * kPi * in.dChosen * in.dChosen / 4 * 1000,
                                    "l/s");
    }
    return result;
}

} // namespace dralun
