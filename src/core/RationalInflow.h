#pragma once
// The design discharge of a catchment after the rational method: each area
// drains its share ψ · A of the rain r at the peak, and the shares add up,
// Q = Σ ψ · A · r / 10000 (A in m², r in l/(s·ha), Q in l/s).
#include <string>
#include <vector>

#include "core/CalcSteps.h"

namespace dralun {

struct InflowArea {
    std::string name;  // what the area is ("Fahrbahn"); may be empty
    double areaM2 = 0; // A, m²
    double psi = 0;    // peak runoff coefficient ψ, 0 … 1
};

// Q in l/s, one step per area and one for the sum. Refused with NaN, and
// without a step, for no area, an area below 0, a ψ outside [0, 1], a rain
// below 0 or any value that is no finite number; a sum beyond any number
// is refused with NaN too, after its steps (which the caller drops).
double RationalInflow(const std::vector<InflowArea>& areas, double rainLsHa, CSteps& steps = NoSteps());

// The values RationalInflow computes with: at least one area, each with a
// finite A >= 0 and ψ in [0, 1], and a finite r >= 0. For these it gives no
// number only when Q lies beyond any, which a caller can so tell from a
// value refused.
bool RationalInflowTakes(const std::vector<InflowArea>& areas, double rainLsHa);

// The discharge Q_zu of RationalInflow (l/s) in m³/s, as a step of its own
// for a form whose discharge field takes m³/s.
double InflowCubicMetres(double litres, CSteps& steps = NoSteps());

} // namespace dralun
