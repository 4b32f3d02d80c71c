#pragma once
// Flow in a circular sewer pipe after Prandtl-Colebrook: full flow (vv, Qv)
// from a closed formula, part filling (vt, DrH) from the part-filling table
// of the circular profile by linear interpolation, and the full-flow values
// of every diameter of the diameter table.
//
// Results that cannot be determined (a slope of zero or below, DN 0, a
// part-filling table too short for the lookup) are NaN; whoever shows them
// shows "-".
#include <optional>
#include <string>
#include <vector>

#include "core/CalcSteps.h"
#include "core/PipeTables.h"

namespace dralun {

// Full flow of the circular pipe of inner diameter D (m) at the slope J
// (m/m) and the roughness kb (mm).
struct PipeFullFlow {
    double vv; // full-flow velocity, m/s
    double Qv; // full-flow discharge, l/s
};

// vv and Qv; the steps are recorded when both are finite (the computation
// binds g, nu and pi).
PipeFullFlow ComputePipeFullFlow(double D, double J, double kb, CSteps& steps = NoSteps());

// The file of the diameter table and the row of DN in it, for the report.
void UsePipeDiameterRow(const PipeTables& tables, double DN, CSteps& steps);

struct PipePartFillingInput {
    double Qt; // discharge carried part-full, l/s
    double Qv; // full-flow discharge, l/s
    double vv; // full-flow velocity, m/s
    double D;  // inner diameter, m
};

struct PipePartFilling {
    double ratio; // Qt / Qv; NaN where it is not formed (Qt >= Qv)
    double vt;    // part-filling velocity, m/s
    double DrH;   // flow depth, m (0 at full flow and below the first table row)
};

// vt and DrH from the part-filling table; Qt >= Qv flows full (vt = vv).
PipePartFilling ComputePipePartFilling(const PipeTables& tables, const PipePartFillingInput& in,
                                       CSteps& steps = NoSteps());

// One row of the diameter list: the diameter and its full flow at the slope
// and roughness of the list, as numbers and as the list shows them.
struct PipeListRow {
    int DN;     // mm
    double vv;  // m/s
    double Qv;  // l/s
    std::string dnText, vvText, QvText;
};

// Every diameter of the table at the slope J and roughness kb; a J that is
// not a number gives the diameters alone, with "-" for vv and Qv.
std::vector<PipeListRow> PipeDiameterList(const PipeTables& tables, double J, double kb);

// The smallest diameter of the table that carries Q without overload.
struct SufficientDiameter {
    int entry; // 1 to diameterCount
    double Qv; // its full-flow discharge, l/s
};

// The smallest diameter whose full flow at the slope J and roughness kb
// carries Q (l/s) without overload, Qv >= Q; none when no diameter does,
// when Q <= 0, and when the slope is not a finite fall.
std::optional<SufficientDiameter> SmallestSufficientDiameter(const PipeTables& tables, double Q, double J, double kb);

// A number as printf writes it with "%<width>.<decimals>f", or "-" in the
// same width when the value cannot be determined (not finite).
std::string FormatDeterminable(int width, int decimals, double value);

} // namespace dralun
