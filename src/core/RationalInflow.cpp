#include "core/RationalInflow.h"

#include <cmath>
#include <limits>

namespace dralun {

bool RationalInflowTakes(const std::vector<InflowArea>& areas, double rainLsHa)
{
    if (areas.empty() || !std::isfinite(rainLsHa) || rainLsHa < 0)
        return false;
    for (const InflowArea& a : areas)
        if (!std::isfinite(a.areaM2) || a.areaM2 < 0 || !(a.psi >= 0 && a.psi <= 1))
            return false;
    return true;
}

double RationalInflow(const std::vector<InflowArea>& areas, double rainLsHa, CSteps& steps)
{
    constexpr double kRefused = std::numeric_limits<double>::quiet_NaN();
    if (!RationalInflowTakes(areas, rainLsHa))
        return kRefused;

    steps.Let("r", rainLsHa);
    double total = 0;
    std::string sum;
    for (size_t i = 0; i < areas.size(); ++i) {
        const InflowArea& a = areas[i];
        const std::string n = std::to_string(i + 1);
        steps.Let("A_" + n, a.areaM2);
        steps.Let("psi_" + n, a.psi);
        const std::string text = "Zufluss aus " + (a.name.empty() ? "Fläche " + n : a.name) + " (ψ · A · r)";
        total += steps.Step(text, "Q_" + n, "psi_" + n + " * A_" + n + " * r / 10000",
                            a.psi * a.areaM2 * rainLsHa / 10000, "l/s");
        sum += (i ? " + Q_" : "Q_") + n;
    }
    // Areas beyond any number (10^305 m²) give no finite discharge.
    if (!std::isfinite(total))
        return kRefused;
    return steps.Step("Zufluss aller Flächen", "Q_zu", sum, total, "l/s");
}

double InflowCubicMetres(double litres, CSteps& steps)
{
    return steps.Step("Zufluss in m³/s", "Q", "Q_zu / 1000", litres / 1000, "m³/s");
}

} // namespace dralun
