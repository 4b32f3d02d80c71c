#pragma once
// Throttle orifice with free outflow: Torricelli's velocity times the
// discharge coefficient, the flow area that passes the throttle discharge
// at that velocity, and the diameter of a circle of that area.
#include "core/CalcSteps.h"

namespace dralun {

struct OrificeInput {
    double Q = 0;  // throttle discharge, l/s
    double h = 0;  // pressure head, m
    double mu = 0; // discharge coefficient
};

enum class OrificeStatus {
    Ok,
    NegativeDischarge, // Q < 0: no diameter
    NoHead,            // h <= 0: nothing flows out
    NoCoefficient,     // mu <= 0: nothing flows out
    NotDeterminable,   // a head beyond any number (2 g h overflows): no finite area
};

struct OrificeResult {
    OrificeStatus status = OrificeStatus::Ok;
    double v = 0; // outflow velocity, m/s
    double A = 0; // required flow area, m²
    double d = 0; // required diameter, m
};

// Inputs that are refused record no steps; a result that is not
// determinable has recorded its steps, which the caller drops. Values are
// set only with the status Ok.
OrificeResult ComputeOrifice(const OrificeInput& in, CSteps& steps = NoSteps());

} // namespace dralun
