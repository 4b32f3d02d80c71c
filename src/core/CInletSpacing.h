#pragma once
// Inlet spacing from the inlet capacity tables: the capacities of the gutter
// and of the inlets for a gutter form, cross-fall and longitudinal slope,
// and, divided by the design inflow per metre of road q_d = gamma q, the
// lengths of road whose inflow each of them takes.
#include <array>
#include <limits>

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
    double aPlan = 0;      // inlet spacing planned, m; 0: none
    // The inlet the planned spacing is checked for: its variant (0 I, 1 II,
    // 2 III) and water-spread width (0 ... 3: b = 0.50, 0.70, 0.85, 1.00 m);
    // -1 takes the smallest spacing over all of them.
    int variant = -1;
    int width = -1;
};

// Why the tables give no capacities for the inputs.
enum class InletSpacingStatus {
    Ok,
    NoTables,            // the tables could not be loaded
    NoTableForCrossFall, // the gutter form has no table for the cross-fall
    SlopeOutsideTables,  // the slope lies outside 0 ... 8 %
};

struct InletSpacingResult {
    InletSpacingStatus status = InletSpacingStatus::Ok;
    double qd = 0; // design inflow gamma q, l/(s m), whatever the status
    std::array<double, CInletTables::kResults> capacity{}; // l/s; 0 unless Ok
    std::array<double, CInletTables::kResults> shown{};    // the capacity, or the spacing in m; NaN unless Ok
    // The spacing the table allows the inlet chosen, m; where the variant or
    // the width is not chosen, the smallest over them (over every variant at
    // every width: the one spacing that holds whichever inlet is built). NaN
    // without capacities or with q_d below 0.01.
    double allowed = std::numeric_limits<double>::quiet_NaN();
};

// The smallest design inflow the spacings are divided by, l/(s m).
inline constexpr double kLeastDesignInflow = 0.01;

// Whether the gutter form (family) has a table for the cross-fall, %: the
// curb gutter and the inlet bay 1 ... 6 %, the V-gutter 7 ... 15 %.
bool InletTableCovers(int family, double crossFall);

// Records q_d always; looks the capacities up where the gutter form has a
// table for the cross-fall (the curb gutter and the inlet bay up to 6 %, the
// V-gutter from 7 %) and the slope lies in 0 ... 8 %. With a planned spacing
// (aPlan > 0) the allowed spacing gets a step of its own.
InletSpacingResult ComputeInletSpacing(const InletSpacingInput& in, const CInletTables& tables, CSteps& steps);

} // namespace dralun
