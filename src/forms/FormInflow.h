#pragma once
// The design discharge a form's Q was typed from ("Zufluss…"): the areas of
// the catchment after the rational method, the rain intensity taken, and
// where it came from. The form keeps it while its discharge field shows the
// text typed from it; once the user types another Q there, it no longer
// belongs to the calculation and is neither reported nor kept.
#include <optional>
#include <string>
#include <vector>

#include "core/CalcSteps.h"
#include "core/RationalInflow.h"

namespace dralun {

struct InflowEntry {
    std::string name;      // "Fahrbahn"; may be empty
    double areaM2 = 0;     // A, m²
    bool hectares = false; // whether the user gave A in ha (shown so again)
    double psi = 0;        // peak runoff coefficient ψ
};

// Where r came from. An empty file: typed by the user.
struct InflowRain {
    double intensity = 0; // r, l/(s·ha)
    std::string file;     // the rainfall file's name, as it was read
    std::string sha256;   // of that file
    std::string duration; // the row taken, as the file writes it: "15 min", "1 h"
    double n = 0;         // the frequency column taken, 1/a
};

struct FormInflow {
    std::vector<InflowEntry> areas;
    InflowRain rain;
    std::string typed; // the text typed into the discharge field
};

// The unit of a discharge field as the registry names it ("l/s", "m³/s");
// nothing for another.
std::optional<InflowUnit> InflowUnitOf(const std::string& unit);

// The design discharge of the table in the unit given: one step per area,
// one for the sum in l/s and, for m³/s, one for the unit (see
// ComputeRationalInflow); the steps recorded before a refusal are the
// caller's to drop.
RationalInflowResult InflowOf(const FormInflow& inflow, InflowUnit unit, CSteps& steps = NoSteps());

// Q alone, in the unit given ("l/s" or "m³/s"); NaN when the table is
// refused, or for another unit.
double InflowDischarge(const FormInflow& inflow, const std::string& unit, CSteps& steps = NoSteps());

// Why a table gives no design discharge, as the window and dralun-calc say
// it; empty for Ok.
std::string InflowRefusalText(const RationalInflowResult& result);

} // namespace dralun
