#include "core/RationalInflow.h"

#include <cmath>

namespace dralun {

namespace {

RationalInflowResult Checked(const RationalInflowInput& in)
{
    using S = RationalInflowStatus;
    RationalInflowResult r;
    if (in.areas.empty())
        r.status = S::NoArea;
    for (std::size_t i = 0; i < in.areas.size() && r.status == S::Ok; ++i) {
        const InflowArea& a = in.areas[i];
        if (!std::isfinite(a.areaM2))
            r.status = S::AreaNotFinite;
        else if (a.areaM2 < 0)
            r.status = S::NegativeArea;
        else if (!(a.psi >= 0 && a.psi <= 1))
            r.status = S::CoefficientOutsideRange;
        if (r.status != S::Ok)
            r.area = i + 1;
    }
    if (r.status != S::Ok)
        return r;
    if (!std::isfinite(in.rain))
        r.status = S::RainNotFinite;
    else if (!(in.rain > 0))
        r.status = S::NoRain;
    return r;
}

} // namespace

RationalInflowResult ComputeRationalInflow(const RationalInflowInput& in, CSteps& steps)
{
    RationalInflowResult r = Checked(in);
    if (r.status != RationalInflowStatus::Ok)
        return r;

    steps.Let("r", in.rain);
    double total = 0;
    std::string sum;
    for (std::size_t i = 0; i < in.areas.size(); ++i) {
        const InflowArea& a = in.areas[i];
        const std::string n = std::to_string(i + 1);
        steps.Let("A_" + n, a.areaM2);
        steps.Let("psi_" + n, a.psi);
        const std::string text = "Zufluss aus " + (a.name.empty() ? "Fläche " + n : a.name) + " (ψ · A · r)";
        total += steps.Step(text, "Q_" + n, "psi_" + n + " * A_" + n + " * r / 10000",
                            a.psi * a.areaM2 * in.rain / 10000, "l/s");
        r.reducedArea += a.psi * a.areaM2;
        sum += (i ? " + Q_" : "Q_") + n;
    }
    // Areas beyond any number (10^305 m²) give no finite discharge.
    if (!std::isfinite(total) || !std::isfinite(r.reducedArea)) {
        r.status = RationalInflowStatus::NotDeterminable;
        return r;
    }
    r.litres = steps.Step("Zufluss aller Flächen", "Q_zu", sum, total, "l/s");
    r.Q = in.unit == InflowUnit::CubicMetresPerSecond
              ? steps.Step("Zufluss in m³/s", "Q", "Q_zu / 1000", r.litres / 1000, "m³/s")
              : r.litres;
    return r;
}

} // namespace dralun
