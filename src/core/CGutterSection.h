#pragma once
// Flow in a road gutter after Manning-Strickler, for the two gutter forms
// beside a vertical curb face:
// - the curb gutter, the triangle between the curb and the carriageway that
//   falls towards the curb with the cross-fall qf;
// - the V-gutter, a strip of width bS with its own cross-fall qS (depth hS
//   at the curb) in front of the curb; water above hS spreads onto the
//   carriageway with qf.
// Either the water depth h at the curb or the water-spread width b is given.
// Depths h are in cm, widths in m, slopes and cross-falls in per cent. The
// curb face of height h belongs to the wetted perimeter, the water surface
// does not.
//
// For the calculation report the flows record their steps: the road data
// first, then each gutter form under the symbols of its column, h1, b1,
// lu1 ... for the curb gutter, h2, b2, lu2 ... for the V-gutter.
#include <limits>

#include "core/CalcSteps.h"

namespace dralun {

struct GutterData {
    double kSt = 70; // Strickler coefficient, m^(1/3)/s
    double qf = 2.5; // cross-fall of the carriageway, %
    double s = 1.0;  // longitudinal slope of the gutter, %
    double bS = 0.5; // width of the V-gutter strip, m
    double qS = 7.0; // cross-fall of the V-gutter strip, %
};

enum class GutterForm { Curb, V };
enum class GutterGiven { Depth, Width };

// Why one gutter form has no flow section.
enum class GutterFlowStatus {
    Ok,
    NegativeGiven, // the given depth or width is negative
    OutOfRange,    // the given value is so large that the section overflows
};

struct GutterFlowInput {
    GutterData road;
    GutterForm form = GutterForm::Curb;
    GutterGiven given = GutterGiven::Width;
    double value = 0; // the depth h at the curb in cm, or the width b in m
};

struct GutterFlow {
    double h = 0;  // water depth at the curb, cm
    double b = 0;  // water-spread width, m
    double lu = 0; // wetted perimeter, m
    double A = 0;  // flow area, m²
    double R = 0;  // hydraulic radius, m
    double v = 0;  // mean velocity, m/s; NaN without a flow section or with a negative slope
    double Q = 0;  // discharge, l/s; NaN with a negative slope
    GutterFlowStatus status = GutterFlowStatus::Ok;
};

// One gutter form's flow, with the steps of its column. The road data are
// expected bound already (ComputeGutter does that); a negative given value
// has no flow and no steps.
GutterFlow ComputeGutterFlow(const GutterFlowInput& in, CSteps& steps = NoSteps());

// Why the road data describe no gutter.
enum class GutterDataStatus {
    Ok,
    NoCrossFall,        // the carriageway has no cross-fall qf > 0
    NegativeStripWidth, // bS < 0
    NegativeStripFall,  // qS < 0
};

// Both gutter forms for the same road, each from its own given value.
struct GutterInput {
    GutterData road;
    GutterGiven given = GutterGiven::Width;
    double curb = 0; // given value of the curb gutter (h in cm or b in m)
    double vee = 0;  // given value of the V-gutter
    double Qerf = 0; // discharge asked for, l/s; 0: none
};

struct GutterResult {
    GutterDataStatus status = GutterDataStatus::Ok;
    double hS = 0;              // depth of the V-gutter strip at the curb, m
    bool slopeNegative = false; // the cross-sections are known, v and Q are not
    GutterFlow curb, vee;       // not computed unless status is Ok
    // The smaller of the two discharges, l/s, which holds whichever gutter
    // form is built; NaN unless both have one (status Ok, slope not negative).
    double Qmin = std::numeric_limits<double>::quiet_NaN();
};

// Binds kSt, qf, s, bS and qS, records the strip depth hS and, when the road
// data describe a gutter, the flows of both gutter forms, and with a
// discharge asked for (Qerf > 0) the step of the smaller one. The steps of a
// gutter form whose status is not Ok are left out of the report.
GutterResult ComputeGutter(const GutterInput& in, CSteps& steps = NoSteps());

} // namespace dralun
