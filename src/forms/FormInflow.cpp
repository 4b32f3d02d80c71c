#include "forms/FormInflow.h"

#include <cmath>
#include <limits>

#include "core/Format.h"

namespace dralun {

std::optional<InflowUnit> InflowUnitOf(const std::string& unit)
{
    if (unit == "l/s")
        return InflowUnit::LitresPerSecond;
    if (unit == "m³/s")
        return InflowUnit::CubicMetresPerSecond;
    return std::nullopt;
}

RationalInflowResult InflowOf(const FormInflow& inflow, InflowUnit unit, CSteps& steps)
{
    RationalInflowInput in;
    in.areas.reserve(inflow.areas.size());
    for (const InflowEntry& e : inflow.areas)
        in.areas.push_back({e.name, e.areaM2, e.psi});
    in.rain = inflow.rain.intensity;
    in.unit = unit;
    return ComputeRationalInflow(in, steps);
}

double InflowDischarge(const FormInflow& inflow, const std::string& unit, CSteps& steps)
{
    const std::optional<InflowUnit> known = InflowUnitOf(unit);
    const RationalInflowResult r = known ? InflowOf(inflow, *known, steps) : RationalInflowResult{};
    if (!known || r.status != RationalInflowStatus::Ok)
        return std::numeric_limits<double>::quiet_NaN();
    return r.Q;
}

std::string InflowRefusalText(const RationalInflowResult& result)
{
    using S = RationalInflowStatus;
    const std::string area = Format("Fläche %zu: ", result.area);
    switch (result.status) {
    case S::Ok: return {};
    case S::NoArea: return "Keine Fläche: mindestens eine Fläche eingeben.";
    case S::AreaNotFinite: return area + "A ist keine endliche Zahl.";
    case S::NegativeArea: return area + "A darf nicht negativ sein.";
    case S::CoefficientOutsideRange: return area + "ψ muss zwischen 0 und 1 liegen.";
    case S::RainNotFinite: return "r ist keine endliche Zahl.";
    case S::NoRain: return "r muss größer als 0 l/(s·ha) sein.";
    case S::NotDeterminable:
        return "Q = Σ ψ · A · r / 10000 ist größer als jede Zahl, mit der gerechnet werden kann.";
    }
    return {};
}

} // namespace dralun
