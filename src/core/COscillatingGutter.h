#pragma once
// Oscillating gutter: on a road too flat to drain along its own slope sf the
// gutter gets a saw-tooth profile that falls with smin from a high point to
// the inlet at the low point. The depth difference of the cross-sections at
// the low and the high point gives the two branch lengths L1 and L2, the
// lateral inflow their discharges, and equation (9) the smallest cross-fall
// qtmin at the low point for the inflow through L2.
//
// Single precision: inputs and results are floats. Each step is evaluated in
// double precision from float operands; every value stored (the fractions,
// the results) and the intermediates dh, t and u are rounded to float; p and
// r are not.
//
// The steps of the calculation report show each value as the double its
// formula gives; the symbol then stands for the value stored in single
// precision, which the following steps compute with. Where the rounding
// changes a result the form shows, a step of its own gives the stored value.
#include "core/CalcSteps.h"

namespace dralun {

// Why qtmin has no value.
enum class QtminStatus {
    Determined,
    NegativeLength, // L2 < 0 (qT < qH, or smin < sf)
    NegativeInflow, // the lateral inflow is negative
    NoWidth,        // b <= 0: b^(8/3) is zero or has no value
    NoSlope,        // smin <= 0: its root is zero or has no value
    Unbounded,      // the value exceeds single precision
};

struct OscillatingGutterInput {
    float sf = 0;   // longitudinal slope of the road, %
    float smin = 0; // longitudinal slope of the gutter, %
    float qH = 0;   // cross-fall at the high point, %
    float qT = 0;   // cross-fall at the low point, %
    float b = 0;    // gutter width, m
    float qs = 0;   // lateral inflow, l/(s m)
};

struct OscillatingGutterResult {
    float L1 = 0;    // m
    float L2 = 0;    // m
    float L = 0;     // inlet spacing L1 + L2, m
    float QzuL1 = 0; // l/s
    float QzuL2 = 0; // l/s
    float qtmin = 0; // %, NaN when not determinable
    float dhh = 0;   // cm
    float dht = 0;   // cm
    QtminStatus status = QtminStatus::Determined;
};

OscillatingGutterResult ComputeOscillatingGutter(const OscillatingGutterInput& in, CSteps& steps = NoSteps());

} // namespace dralun
