#pragma once
// Inlet spacing from the inlet capacity tables: the capacities of the gutter
// and of the inlets for a gutter form, cross-fall and longitudinal slope,
// and, divided by the design inflow per metre of road q_d = gamma q, the
// lengths of road whose inflow each of them takes.
#include <array>

#include "core/CInletTables.h"
#include "core/CalcSteps.h"

namespace dralun {

struct InletSpacingInput {
    int family = 0;        // 0 Bordrinne, 1 Straßenablaufbucht, 2 Spitzrinne
    double crossFall = 0;  // cross-fall of the carriageway, %
    double s = 0;          // longitudinal slope, %
    double q = 0;          // inflow per metre of road, l/(s m)
    double gamma = 0;      // safety factor
    bool spacings = false; // spacings in m instead of capacities in l/s
    bool tablesLoaded = false;
};

struct InletSpacingResult {
    double qd = 0;         // design inflow gamma q, l/(s m)
    bool lookedUp = false; // the tables have a row for the inputs
    std::array<double, CInletTables::kResults> capacity{}; // l/s; 0 without a row
    std::array<double, CInletTables::kResults> shown{};    // the capacity, or the spacing in m
};

// The smallest design inflow the spacings are divided by, l/(s m).
inline constexpr double kLeastDesignInflow = 0.01;

// Sets the tables' family, cross-fall and slope and looks the capacities up
// where the gutter form has a table for the cross-fall and the slope lies in
// 0 ... 8 %.
InletSpacingResult ComputeInletSpacing(const InletSpacingInput& in, const CInletTables& tables, CSteps& steps);

} // namespace dralun
