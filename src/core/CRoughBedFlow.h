#pragma once
// Flow in a rough-bed swale after Scheuerlein: a steep swale paved with loose
// stones of mean size d, water depth h, width B, bed slope I. The stone-size
// tables give K1, K2 and K3; the logarithmic flow law gives the maximum
// velocity, three quarters of it the mean velocity, and the discharge of the
// air-water mixture follows with the air entrainment factor c.
#include "core/CalcSteps.h"

namespace dralun {

struct RoughBedFlowInput {
    double h = 0; // water depth, m
    double B = 0; // swale width, m
    double d = 0; // mean stone size, m
    double I = 0; // bed slope, per mille
};

// Why a rough-bed swale carries no computed discharge; the form says it to
// the user. The first four are the inputs' (nothing computed or recorded),
// the rest the flow law's.
enum class RoughBedFlowStatus {
    Ok,                     // 0 < Y < 1: vm, vM and Qm have values
    StoneSizeOutsideTables, // d outside kSmallest..kLargest: no coefficients
    NoWaterDepth,           // h not above 0
    NegativeWidth,          // B < 0
    NegativeSlope,          // I < 0
    NoAir,                  // c <= 0 (or not a number): the method does not apply
    YNotBelow1,             // Y >= 1 (or not a number): the velocity would not be positive
    NotDeterminable         // a result is not a finite number
};

struct RoughBedFlowResult {
    double alpha = 0, s = 0; // slope angle (rad) and its sine
    double K1 = 0, K2 = 0, K3 = 0;
    double c = 0; // air entrainment factor
    double X = 0, Y = 0;
    double A = 0;                   // flow area, m²
    double vm = 0, vM = 0, Qm = 0; // 0 unless the law holds
    RoughBedFlowStatus status = RoughBedFlowStatus::Ok;
};

// The inputs are checked in the order of the statuses; c and Y are named in
// the result for NoAir and YNotBelow1.
RoughBedFlowResult ComputeRoughBedFlow(const RoughBedFlowInput& in, CSteps& steps);

} // namespace dralun
