#pragma once
// The design discharge of a catchment after the rational method: each area
// drains its share ψ · A of the rain r at the peak, and the shares add up,
// Q = Σ ψ · A · r / 10000 (A in m², r in l/(s·ha), Q in l/s).
#include <cstddef>
#include <string>
#include <vector>

#include "core/CalcSteps.h"

namespace dralun {

struct InflowArea {
    std::string name;  // what the area is ("Fahrbahn"); may be empty
    double areaM2 = 0; // A, m²
    double psi = 0;    // peak runoff coefficient ψ, 0 … 1
};

// The unit of the discharge field Q is typed into.
enum class InflowUnit { LitresPerSecond, CubicMetresPerSecond };

struct RationalInflowInput {
    std::vector<InflowArea> areas;
    double rain = 0; // r, l/(s·ha)
    InflowUnit unit = InflowUnit::LitresPerSecond;
};

// Why a catchment gives no design discharge; the form side says it.
enum class RationalInflowStatus {
    Ok,
    NoArea,                  // no area at all
    AreaNotFinite,           // A of the area `area` is no finite number
    NegativeArea,            // A < 0 for the area `area`
    CoefficientOutsideRange, // ψ of the area `area` is not in [0, 1]
    RainNotFinite,           // r is no finite number
    NoRain,                  // r <= 0: no rain, no design discharge
    NotDeterminable,         // Q lies beyond any number (A = 10^308 m²)
};

struct RationalInflowResult {
    RationalInflowStatus status = RationalInflowStatus::Ok;
    std::size_t area = 0;   // the area refused, counted from 1; 0 when none is
    double reducedArea = 0; // Σ ψ · A, m²
    double litres = 0;      // Q_zu, l/s
    double Q = 0;           // Q in the unit asked for
};

// The areas are checked in their order, each A before its ψ, then r; the
// first value refused is the status, and nothing is recorded. Otherwise one
// step per area, one for the sum in l/s and, for m³/s, one for the unit; a
// sum beyond any number is NotDeterminable after its steps (which the
// caller drops). Values count only with the status Ok.
RationalInflowResult ComputeRationalInflow(const RationalInflowInput& in, CSteps& steps = NoSteps());

} // namespace dralun
