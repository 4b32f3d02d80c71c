#pragma once
// Discharge capacity of a trapezoidal road-side ditch after Manning-Strickler:
// bottom width b, bank slopes 1 : m1 and 1 : m2, water depth t, bed slope I
// and one Strickler coefficient for bed and banks alike.
#include "core/CTrapezoidSection.h"
#include "core/CalcSteps.h"

namespace dralun {

struct DitchFlowInput {
    double b = 0;   // bottom width, m
    double t = 0;   // water depth, m
    double m1 = 0;  // left bank slope 1 : m1
    double m2 = 0;  // right bank slope 1 : m2
    double I = 0;   // bed slope, per mille
    double kSt = 0; // Strickler coefficient, m^(1/3)/s
};

// Why a ditch carries no computed discharge; the form says it to the user.
enum class DitchFlowStatus {
    Ok,
    NegativeInput,  // a negative dimension or a falling bed: no flow section
    NotDeterminable // a result is not a finite number
};

struct DitchFlowResult {
    DitchFlowStatus status = DitchFlowStatus::Ok; // section, v and Q count only when Ok
    CTrapezoidSection section;
    double v = 0;          // mean velocity, m/s
    double Q = 0;          // discharge, m³/s
    // The bank height enters no formula: it is the height the banks need to
    // hold the water depth t, so it follows t alone (the same inputs always
    // show the same bank height), whatever the status.
    double bankHeight = 0;
};

// Negative t, b, m1, m2 or I give NegativeInput, and nothing but the bank
// height is computed or recorded.
DitchFlowResult ComputeDitchFlow(const DitchFlowInput& in, CSteps& steps);

} // namespace dralun
