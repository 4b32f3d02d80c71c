#include "forms/FormInflow.h"

#include <cmath>
#include <limits>

namespace dralun {

double InflowDischarge(const FormInflow& inflow, const std::string& unit, CSteps& steps)
{
    constexpr double kRefused = std::numeric_limits<double>::quiet_NaN();
    const bool cubic = unit == "m³/s";
    if (!cubic && unit != "l/s")
        return kRefused;
    std::vector<InflowArea> areas;
    areas.reserve(inflow.areas.size());
    for (const InflowEntry& e : inflow.areas)
        areas.push_back({e.name, e.areaM2, e.psi});
    const double litres = RationalInflow(areas, inflow.rain.intensity, steps);
    if (!std::isfinite(litres))
        return kRefused;
    return cubic ? InflowCubicMetres(litres, steps) : litres;
}

} // namespace dralun
